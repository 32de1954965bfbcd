#pragma once
// Tipos de Compra (tarea 107): las órdenes de compra del año hasta la fecha,
// contadas por tipo de compra; una serie por tipo con su porcentaje del total.
#include "Estadistica.h"

class TipoCompra : public Estadistica {
public:
    TipoCompra();

    // Consultas de la tabla de trabajo: la de "Aceptar" termina con un blanco.
    static QString ConsultaAceptar();
    static QString ConsultaCarga();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    void Formatear();
    void SeriesEnCero(); // el gráfico sin compras
};
