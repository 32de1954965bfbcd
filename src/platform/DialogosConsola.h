#pragma once
#include "Dialogos.h"
#include "JuegosBotones.h"
#include <QTextStream>

// Diálogos sin pantalla: cada mensaje es una línea en la salida estándar y
// la ventana de mensajes responde como si se la cerrara sin elegir botón.
class DialogosConsola : public Dialogos {
public:
    int VentanaMensaje(const PedidoMensaje& pedido) override;
    void MensajeSistema(const QString& texto, const QString& titulo) override;
    std::optional<QString> PedirTexto(const QString& pregunta, const QString& titulo,
                                      const QString& valorInicial) override;
    Puntero PunteroActual() const override { return puntero_; }
    void PonerPuntero(Puntero puntero) override { puntero_ = puntero; }
    void CopiarTexto(const QString&) override {}

    // Texto en una línea: cada salto (CR LF, CR o LF) pasa a " | ".
    static QString EnUnaLinea(const QString& texto);

private:
    void Escribir(const QString& titulo, const QString& texto);
    Puntero puntero_ = Puntero::Defecto;
};
