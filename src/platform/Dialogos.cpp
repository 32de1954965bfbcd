#include "Dialogos.h"
#include "DialogosConsola.h"
#include <cstdio>

namespace {
DialogosConsola& consola() {
    static DialogosConsola d;
    return d;
}
Dialogos* vigentes = nullptr;
} // namespace

Dialogos& dialogos() {
    return vigentes ? *vigentes : consola();
}

void InstalarDialogos(Dialogos* nuevos) {
    vigentes = nuevos;
}

PunteroTemporal::PunteroTemporal(Puntero mientras) : anterior_(dialogos().PunteroActual()) {
    dialogos().PonerPuntero(mientras);
}

PunteroTemporal::~PunteroTemporal() {
    dialogos().PonerPuntero(anterior_);
}

QString DialogosConsola::EnUnaLinea(const QString& texto) {
    QString t = texto;
    t.replace(QLatin1String("\r\n"), QLatin1String(" | "));
    t.replace(QLatin1Char('\r'), QLatin1String(" | "));
    t.replace(QLatin1Char('\n'), QLatin1String(" | "));
    return t;
}

void DialogosConsola::Escribir(const QString& titulo, const QString& texto) {
    const QByteArray linea = (QLatin1String("MENSAJE ") + titulo + QLatin1String(": ") +
                              EnUnaLinea(texto) + QLatin1Char('\n'))
                                 .toUtf8();
    std::fwrite(linea.constData(), 1, size_t(linea.size()), stdout);
    std::fflush(stdout);
}

int DialogosConsola::VentanaMensaje(const PedidoMensaje& pedido) {
    Escribir(pedido.titulo, pedido.Mensaje);
    return ValorBotonDerecho(pedido.TipoBotones);
}

void DialogosConsola::MensajeSistema(const QString& texto, const QString& titulo) {
    Escribir(titulo, texto);
}

std::optional<QString> DialogosConsola::PedirTexto(const QString& pregunta, const QString& titulo,
                                                   const QString&) {
    Escribir(titulo, pregunta);
    return std::nullopt;
}
