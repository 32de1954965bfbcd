#pragma once
// Evolución de Gastos (tarea 101): los gastos del año por inciso, en millones
// de pesos, partidos en devengado impago, pagado y deuda flotante.
#include "Estadistica.h"

class EvolucionGastos : public Estadistica {
public:
    EvolucionGastos();

    // Las filas del año y del usuario por inciso; la de "Aceptar" escribe
    // "Usuario" y la de la carga "usuario".
    static QString ConsultaAceptar(const QString& anio);
    static QString ConsultaCarga(const QString& anio);

    // Las tres columnas de un inciso, en millones.
    struct Columnas {
        double devengado = 0;
        double pagado = 0;
        double deudaFlotante = 0;
    };
    static Columnas Calcular(double devInciso, double pagInciso, double dfInciso);

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    void Titulos(const QString& anio);
    // Las tres columnas de la fila actual.
    static std::vector<ValorFila> Valores();
};
