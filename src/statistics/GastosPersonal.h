#pragma once
// Gastos en Personal (tarea 104): el presupuesto de gastos frente al total año
// por año (Chart, "Recursos") y el gasto en personal del año frente a lo
// ejecutado, en porcentajes (Chart2, "Gastos"). Las tablas no son por usuario:
// todos ven la última generación.
#include "Estadistica.h"

class GastosPersonal : public Estadistica {
public:
    GastosPersonal();

    // Las dos tablas enteras, sin filtro ni orden.
    static QString ConsultaPresupuesto();
    static QString ConsultaGastos();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    // Sin filas, al cargar y tras generar, la grilla de ceros.
    void LeerPresupuesto(CajaFecha* fecha);
    void LeerGastos();
};
