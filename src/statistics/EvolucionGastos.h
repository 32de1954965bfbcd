#pragma once
// Evolución de Gastos (tarea 101): los gastos del año por inciso, en millones
// de pesos: lo devengado, lo pagado y lo impago (devengado menos pagado), con
// el mismo significado y los mismos nombres que en su reporte.
#include "Estadistica.h"

class EvolucionGastos : public Estadistica {
public:
    EvolucionGastos();

    // Las filas del año y del usuario por inciso; la de "Aceptar" escribe
    // "Usuario" y la de la carga "usuario".
    static QString ConsultaAceptar(const QString& anio);
    static QString ConsultaCarga(const QString& anio);

    // Los nombres de las series, los de las columnas del reporte.
    static QStringList Series();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    void Titulos(const QString& anio);
    // Cómo pasa la tabla al gráfico: el código del inciso en el eje, su
    // nombre para quien lee los datos y las tres columnas de la fila.
    static LecturaGrafico Lectura();
};
