#pragma once
// Las ventanas del módulo de impresión cuando no hay pantalla
// (miravel-reporte): no hay ventanas que habilitar y la vista previa, en
// lugar de mostrarse, escribe el reporte corrido en un PDF.
#include "VentanasImpresion.h"

class VentanasPdf : public SinVentanasImpresion {
public:
    explicit VentanasPdf(QString salida) : salida_(std::move(salida)) {}

    std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte& motor) override;
    // Escribe el PDF si el reporte corrió; si falló, no escribe nada.
    void MostrarVistaPrevia(const QString& titulo) override;

    bool Escrito() const { return escrito_; }
    int Paginas() const { return paginas_; }
    QString Falla() const { return falla_; } // por qué no se pudo escribir

private:
    QString salida_;
    MotorReporte* motor_ = nullptr;
    bool escrito_ = false;
    int paginas_ = 0;
    QString falla_;
};
