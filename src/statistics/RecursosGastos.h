#pragma once
// Recursos vs. Gastos (tarea 103): año por año, en millones de pesos, el
// cálculo de recursos vigente, lo percibido y lo percibido en el mismo período
// (Chart, "Recursos"), y el crédito vigente, lo devengado y lo devengado en el
// período (Chart2, "Gastos").
#include "Estadistica.h"

class RecursosGastos : public Estadistica {
public:
    RecursosGastos();

    // Las mismas consultas en la carga y en "Aceptar", sin orden.
    static QString ConsultaRecursos();
    static QString ConsultaGastos();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    // Con alCargar, sin filas quedan ceros y la leyenda pasa a ajustar línea;
    // tras generar, sin filas la grilla queda como estaba.
    void Leer(int grafico, bool alCargar, CajaFecha* fecha);
};
