#include "TareasEstadistica.h"

const std::vector<TareaEstadistica>& TareasEstadistica() {
    static const std::vector<TareaEstadistica> tareas = {
        {101, QStringLiteral("frmEvolucionGastos"), QStringLiteral("Evolución de Gastos")},
        {102, QStringLiteral("frmEvolucionRecursos"), QStringLiteral("Evolución de recursos")},
        {103, QStringLiteral("frmRecursosGastos"), QStringLiteral("Recursos vs. Gastos")},
        {104, QStringLiteral("frmGastosPersonal"), QStringLiteral("Gastos en Personal")},
        {105, QStringLiteral("frmRankingProveedores"), QStringLiteral("Ranking de Proveedores")},
        {106, QStringLiteral("frmRankingBienes"), QStringLiteral("Ranking de Bienes")},
        {107, QStringLiteral("frmTipoCompra"), QStringLiteral("Tipos de Compra")},
        {108, QStringLiteral("frmIngresos"), QStringLiteral("Ingresos")},
        {109, QStringLiteral("frmOcupacionCargos"), QStringLiteral("Ocupación de Cargos")},
        {110, QStringLiteral("frmGastosCatProg"),
         QStringLiteral("Gastos por Categoría Programática")},
    };
    return tareas;
}

std::optional<TareaEstadistica> BuscarTareaEstadistica(int codigo) {
    for (const TareaEstadistica& t : TareasEstadistica())
        if (t.codigo == codigo)
            return t;
    return std::nullopt;
}
