#pragma once
// Ingresos (tarea 108): lo percibido por día del mes de la fecha (Chart) y por
// mes del año (Chart2), en millones de pesos, en tributarios, no tributarios
// y otros ingresos.
#include "Estadistica.h"

class Ingresos : public Estadistica {
public:
    Ingresos();

    // "Aceptar" escribe "Usuario"; la carga, "usuario" con dos blancos antes de WHERE.
    static QString ConsultaDiaria(bool alCargar);
    static QString ConsultaMensual(bool alCargar);

    // Nombre completo del mes en castellano ("marzo"), sea cual sea la
    // configuración regional del puesto.
    static QString NombreMes(const QDate& fecha);

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    // Lee una tabla en un gráfico: con alCargar, sin filas quedan cinco
    // categorías en cero; en "Aceptar", la grilla como estaba.
    void LeerTabla(int grafico, const QString& sql, const QString& campoRotulo, bool alCargar,
                   CajaFecha* fecha);
    void Formato(int grafico);
};
