#include "ModeloMsgBox.h"
#include "Func_SarvoGeneral.h"
#include "JuegosBotones.h"
#include <cmath>

namespace {
// Posición y tamaño de diseño de los tres CmdGenerico.
constexpr int LeftDiseno[3] = {468, 1464, 2544};
constexpr int AnchoDiseno[3] = {900, 984, 984};
constexpr int TopDiseno = 1068;
constexpr int AltoBoton = 336;
constexpr int AltoClienteDiseno = 1455;
} // namespace

ModeloMsgBox::ModeloMsgBox(const PedidoMensaje& pedido) : pedido_(pedido) {
    for (int i = 0; i < 3; ++i) {
        botones_[size_t(i)].left = LeftDiseno[i];
        botones_[size_t(i)].top = TopDiseno;
        botones_[size_t(i)].width = AnchoDiseno[i];
        botones_[size_t(i)].height = AltoBoton;
    }
    alto_ = AltoClienteDiseno + AltoMarco;

    // Botones del juego, de izquierda a derecha: la ranura n es el botón n del juego.
    const auto juego = BotonesDelJuego(pedido.TipoBotones);
    if (juego.empty())
        errores_ << ErrorJuegoBotones;
    for (size_t orden = 0; orden < juego.size(); ++orden) {
        PonerBoton(juego[orden].posicion, juego[orden].caption, juego[orden].valor);
        ranuras_[orden] = juego[orden].posicion;
    }
    // El par Si/No queda centrado; Aceptar/Cancelar no se corre.
    if (pedido.TipoBotones == 4) {
        botones_[1].left -= 500;
        botones_[2].left -= 500;
    }

    if (!pedido.TextoBotones.isEmpty()) {
        for (int orden = 1; orden <= 3; ++orden)
            if (Ranura(orden) != 0)
                botones_[size_t(Ranura(orden) - 1)].caption =
                    ElementoN(pedido.TextoBotones, QStringLiteral(","), orden);
    }
    if (pedido.aceptarConAcceso && Ranura(1) != 0)
        botones_[size_t(Ranura(1) - 1)].caption = QStringLiteral("&Aceptar");

    // La imagen TipoMensaje / 16 de la lista (redondeo al par más cercano).
    const double imagen = std::nearbyint(pedido.TipoMensaje / 16.0);
    imagen_ = (imagen >= 1 && imagen <= 4) ? int(imagen) : 0;

    int orden = 0;
    switch (pedido.DefaultBotones) {
    case 0:
        orden = 1;
        break;
    case 256:
        orden = 2;
        break;
    case 512:
        orden = 3;
        break;
    default:
        break;
    }
    default_ = orden != 0 ? Ranura(orden) : 0;
    if (default_ == 0) {
        errores_ << ErrorBotonDefecto;
        default_ = 1;
    }
}

void ModeloMsgBox::PonerBoton(int indice, const QString& caption, int valor) {
    BotonMsgBox& b = botones_[size_t(indice - 1)];
    b.visible = true;
    b.caption = caption;
    b.valor = valor;
}

void ModeloMsgBox::Activar(int altoRotulo) {
    alto_ = 2 * RotuloTop + altoRotulo + botones_[0].height + 500;
    for (BotonMsgBox& b : botones_)
        b.top = alto_ - 550 - b.height;
}

int ModeloMsgBox::ResultadoPreseleccionado() const {
    return ValorBotonDerecho(pedido_.TipoBotones);
}

int ModeloMsgBox::CantidadDeLineas(const QString& texto) {
    if (texto.isEmpty())
        return 0;
    return 1 + int(texto.count(QLatin1String("\r\n")));
}

QString ModeloMsgBox::Tooltip(const QString& texto) {
    QString t = texto;
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}
