#include "VentanasImpresion.h"

namespace {

// Sin ventanas instaladas: nada se puede habilitar ni mostrar.
class SinVentanas : public VentanasImpresion {
public:
    bool HabilitarVentana(const QString&, bool) override { return false; }
    bool HabilitarControl(const QString&, const QString&, bool) override { return false; }
    std::optional<bool> ControlHabilitado(const QString&, const QString&) const override {
        return std::nullopt;
    }
    void CargarRecursos() override {}
    void DescargarRecursos() override {}
    std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte&) override {
        return std::nullopt;
    }
    void MostrarVistaPrevia(const QString&) override {}
};

VentanasImpresion*& Instaladas() {
    static VentanasImpresion* instaladas = nullptr;
    return instaladas;
}

} // namespace

VentanasImpresion& ventanasImpresion() {
    static SinVentanas ninguna;
    return Instaladas() ? *Instaladas() : ninguna;
}

void InstalarVentanasImpresion(VentanasImpresion* nuevas) {
    Instaladas() = nuevas;
}
