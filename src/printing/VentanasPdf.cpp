#include "VentanasPdf.h"
#include "MotorReporte.h"

std::optional<VistaPreviaCargada> VentanasPdf::CargarVistaPrevia(MotorReporte& motor) {
    motor_ = &motor;
    escrito_ = false;
    paginas_ = 0;
    falla_.clear();
    // Una pantalla de 1280 × 800 píxeles (15 twips por píxel), como la vería
    // el programa: 99 % del ancho y 92 % del alto.
    return VistaPreviaCargada{QSize(qRound(1280 * 15 * 0.99), qRound(800 * 15 * 0.92)), 0};
}

void VentanasPdf::MostrarVistaPrevia(const QString& /*titulo*/) {
    MotorReporte* motor = motor_;
    motor_ = nullptr;
    if (!motor || motor->HayError() || motor->TotalPaginas() == 0)
        return;
    paginas_ = motor->TotalPaginas();
    escrito_ = motor->ExportarPdf(salida_);
    if (!escrito_)
        falla_ = motor->ErrorDescripcion();
}
