#pragma once
// Las tres estadísticas que solo imprimen: Ranking de Proveedores (105),
// Ranking de Bienes (106) y Gastos por Categoría Programática (110). No tienen
// gráfico: "Imprimir Todo" genera, confirma y manda el reporte. Difieren solo
// en su título, su procedimiento, su reporte y su pedido de impresión, que
// están en una tabla.
#include "Estadistica.h"

enum class Imprimible { RankingProveedores, RankingBienes, GastosCatProg };

class EstadisticaImprimible : public Estadistica {
public:
    explicit EstadisticaImprimible(Imprimible cual);

    // El reporte de la ventana (MRV_RankingProveedores.rpt, ...).
    QString ArchivoReporte() const;
    // Fórmulas y sentencia en el orden de cada ventana; antes, generar y confirmar.
    PedidoImpresion Impresion(const QDate& fecha) const override;

private:
    Imprimible cual_;
};
