#pragma once
// Ocupación de Cargos (tarea 109): cargos presupuestados año por año, los
// ocupados y los que quedan disponibles. Un gráfico, una categoría por año.
#include "Estadistica.h"

class OcupacionCargos : public Estadistica {
public:
    OcupacionCargos();

    // La misma consulta en la carga y en "Aceptar", sin orden.
    static QString Consulta();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    void Titulos();
    // Ocupados y disponibles de la fila actual.
    static std::vector<ValorFila> Valores();
};
