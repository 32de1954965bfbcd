#include "VentanasEstadisticas.h"
#include "frmEstadisticaImprimible.h"
#include "frmEvolucionGastos.h"
#include "frmEvolucionRecursos.h"
#include "frmGastosPersonal.h"
#include "frmIngresos.h"
#include "frmOcupacionCargos.h"
#include "frmRecursosGastos.h"
#include "frmTipoCompra.h"
#include <QDialog>
#include <functional>

namespace {

struct VentanaTarea {
    int codigo;
    std::function<std::unique_ptr<QDialog>(QWidget*)> crear;
};

template <typename Ventana> std::unique_ptr<QDialog> Crear(QWidget* padre) {
    return std::make_unique<Ventana>(padre);
}

template <Imprimible cual> std::unique_ptr<QDialog> CrearImprimible(QWidget* padre) {
    return std::make_unique<frmEstadisticaImprimible>(cual, padre);
}

// Una línea por ventana de estadística que existe.
const std::vector<VentanaTarea>& Ventanas() {
    static const std::vector<VentanaTarea> ventanas = {
        {101, Crear<frmEvolucionGastos>},
        {102, Crear<frmEvolucionRecursos>},
        {103, Crear<frmRecursosGastos>},
        {104, Crear<frmGastosPersonal>},
        {105, CrearImprimible<Imprimible::RankingProveedores>},
        {106, CrearImprimible<Imprimible::RankingBienes>},
        {107, Crear<frmTipoCompra>},
        {108, Crear<frmIngresos>},
        {109, Crear<frmOcupacionCargos>},
        {110, CrearImprimible<Imprimible::GastosCatProg>},
    };
    return ventanas;
}

} // namespace

QList<int> TareasDisponibles() {
    QList<int> codigos;
    for (const VentanaTarea& v : Ventanas())
        codigos << v.codigo;
    return codigos;
}

std::unique_ptr<QDialog> CrearVentanaTarea(int codigoTarea, QWidget* padre) {
    for (const VentanaTarea& v : Ventanas())
        if (v.codigo == codigoTarea)
            return v.crear(padre);
    return nullptr;
}
