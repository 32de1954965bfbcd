#pragma once
// Los diálogos de verdad: frmMsgBox, la caja de mensajes y la caja de entrada
// de Qt, el puntero de la aplicación y el portapapeles del sistema.
#include "Dialogos.h"

class DialogosQt : public Dialogos {
public:
    int VentanaMensaje(const PedidoMensaje& pedido) override;
    void MensajeSistema(const QString& texto, const QString& titulo) override;
    void AvisoSistema(const QString& texto) override;
    std::optional<QString> PedirTexto(const QString& pregunta, const QString& titulo,
                                      const QString& valorInicial) override;
    Puntero PunteroActual() const override { return puntero_; }
    void PonerPuntero(Puntero puntero) override;
    void CopiarTexto(const QString& texto) override;

private:
    Puntero puntero_ = Puntero::Defecto;
    bool impuesto_ = false; // hay un setOverrideCursor nuestro
};
