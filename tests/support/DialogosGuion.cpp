#include "DialogosGuion.h"
#include "DialogosConsola.h"

DialogosGuion::DialogosGuion() {
    InstalarDialogos(this);
}
DialogosGuion::~DialogosGuion() {
    InstalarDialogos(nullptr);
}

int DialogosGuion::VentanaMensaje(const PedidoMensaje& pedido) {
    mensajes.push_back(pedido);
    if (respuestas.empty())
        return ValorBotonDerecho(pedido.TipoBotones);
    const int r = respuestas.front();
    respuestas.pop_front();
    return r;
}

void DialogosGuion::MensajeSistema(const QString& texto, const QString& titulo) {
    mensajesSistema << titulo + QLatin1String(": ") + texto;
}

std::optional<QString> DialogosGuion::PedirTexto(const QString& pregunta, const QString&,
                                                 const QString&) {
    preguntas << pregunta;
    if (textos.empty())
        return std::nullopt;
    std::optional<QString> r;
    r.swap(textos.front());
    textos.pop_front();
    return r;
}

void DialogosGuion::PonerPuntero(Puntero p) {
    puntero = p;
    punteros.push_back(p);
}

QStringList DialogosGuion::Textos() const {
    QStringList t;
    for (const auto& m : mensajes)
        t << m.Mensaje;
    return t;
}
