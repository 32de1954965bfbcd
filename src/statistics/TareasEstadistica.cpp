#include "TareasEstadistica.h"

const std::vector<TareaEstadistica>& TareasEstadistica() {
    static const std::vector<TareaEstadistica> tareas = {
        {101, QStringLiteral("frmEvolucionGastos"), QStringLiteral("Evolución de Gastos"),
         QStringLiteral("MRV_Gastos_x_Objeto.rpt")},
        {102, QStringLiteral("frmEvolucionRecursos"), QStringLiteral("Evolución de recursos"),
         QStringLiteral("MRV_RecursosCodiProce.rpt")},
        {103, QStringLiteral("frmRecursosGastos"), QStringLiteral("Recursos vs. Gastos"),
         QStringLiteral("MRV_Recursos_Gastos.rpt")},
        {104, QStringLiteral("frmGastosPersonal"), QStringLiteral("Gastos en Personal"),
         QStringLiteral("MRV_PresupGastosPer.rpt")},
        {105, QStringLiteral("frmRankingProveedores"), QStringLiteral("Ranking de Proveedores"),
         QStringLiteral("MRV_RankingProveedores.rpt")},
        {106, QStringLiteral("frmRankingBienes"), QStringLiteral("Ranking de Bienes"),
         QStringLiteral("MRV_RankingBienes.rpt")},
        {107, QStringLiteral("frmTipoCompra"), QStringLiteral("Tipos de Compra"),
         QStringLiteral("MRV_TipoCompra.rpt")},
        {108, QStringLiteral("frmIngresos"), QStringLiteral("Ingresos"),
         QStringLiteral("MRV_Ingresos.rpt")},
        {109, QStringLiteral("frmOcupacionCargos"), QStringLiteral("Ocupación de Cargos"),
         QStringLiteral("MRV_CargosDispoOcu.rpt")},
        {110, QStringLiteral("frmGastosCatProg"),
         QStringLiteral("Gastos por Categoría Programática"),
         QStringLiteral("MRV_GastosXCatProg.rpt")},
    };
    return tareas;
}

std::optional<TareaEstadistica> BuscarTareaEstadistica(int codigo) {
    for (const TareaEstadistica& t : TareasEstadistica())
        if (t.codigo == codigo)
            return t;
    return std::nullopt;
}

std::optional<TareaEstadistica> TareaDelReporte(const QString& archivo) {
    for (const TareaEstadistica& t : TareasEstadistica())
        if (t.reporte.compare(archivo, Qt::CaseInsensitive) == 0)
            return t;
    return std::nullopt;
}
