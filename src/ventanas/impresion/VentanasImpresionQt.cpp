#include "VentanasImpresionQt.h"
#include "frmResources.h"
#include "frmRptContenedor.h"
#include <QApplication>
#include <QPointer>
#include <QWidget>

VentanasImpresionQt::VentanasImpresionQt() = default;

VentanasImpresionQt::~VentanasImpresionQt() = default;

QWidget* VentanasImpresionQt::Ventana(const QString& nombre) {
    if (nombre.isEmpty())
        return nullptr;
    QWidget* encontrada = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() != nombre)
            continue;
        if (w->isVisible())
            return w;
        encontrada = w;
    }
    return encontrada;
}

bool VentanasImpresionQt::HabilitarVentana(const QString& ventana, bool habilitada) {
    QWidget* w = Ventana(ventana);
    if (!w)
        return false;
    w->setEnabled(habilitada);
    return true;
}

bool VentanasImpresionQt::HabilitarControl(const QString& ventana, const QString& control,
                                           bool habilitado) {
    QWidget* w = Ventana(ventana);
    QWidget* c = w ? w->findChild<QWidget*>(control) : nullptr;
    if (!c)
        return false;
    c->setEnabled(habilitado);
    return true;
}

std::optional<bool> VentanasImpresionQt::ControlHabilitado(const QString& ventana,
                                                           const QString& control) const {
    QWidget* w = Ventana(ventana);
    QWidget* c = w ? w->findChild<QWidget*>(control) : nullptr;
    if (!c)
        return std::nullopt;
    // El estado propio del control, no el que le impone su ventana deshabilitada.
    return !c->testAttribute(Qt::WA_ForceDisabled);
}

void VentanasImpresionQt::CargarRecursos() {
    frmResources::Instancia();
}

void VentanasImpresionQt::DescargarRecursos() {
    frmResources::Descargar();
}

std::optional<VistaPreviaCargada> VentanasImpresionQt::CargarVistaPrevia(MotorReporte& motor) {
    contenedor_ = std::make_unique<frmRptContenedor>(motor);
    const QSize tamano = contenedor_->size() * 15;
    return VistaPreviaCargada{tamano, quintptr(contenedor_->winId())};
}

void VentanasImpresionQt::MostrarVistaPrevia(const QString& titulo) {
    if (!contenedor_)
        return;
    contenedor_->setWindowTitle(titulo);
    contenedor_->setWindowModality(Qt::ApplicationModal);
    QPointer<frmRptContenedor> viva(contenedor_.get());
    contenedor_->exec();
    if (!viva)
        (void)contenedor_.release(); // se borró al cerrarse
    contenedor_.reset();
}
