#include "VentanasEstadisticas.h"
#include "frmTipoCompra.h"
#include <QDialog>
#include <functional>

namespace {

struct VentanaTarea {
    int codigo;
    std::function<std::unique_ptr<QDialog>(QWidget*)> crear;
};

// Una línea por ventana de estadística que existe.
const std::vector<VentanaTarea>& Ventanas() {
    static const std::vector<VentanaTarea> ventanas = {
        {107, [](QWidget* padre) { return std::make_unique<frmTipoCompra>(padre); }},
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
