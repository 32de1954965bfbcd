#include "VentanasImpresion.h"

namespace {

VentanasImpresion*& Instaladas() {
    static VentanasImpresion* instaladas = nullptr;
    return instaladas;
}

} // namespace

VentanasImpresion& ventanasImpresion() {
    static SinVentanasImpresion ninguna;
    return Instaladas() ? *Instaladas() : ninguna;
}

void InstalarVentanasImpresion(VentanasImpresion* nuevas) {
    Instaladas() = nuevas;
}
