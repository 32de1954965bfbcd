#include "ModeloMsgBox.h"
#include "Func_SarvoGeneral.h"
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

    // Botones del juego, de izquierda a derecha, y sus ranuras.
    switch (pedido.TipoBotones) {
    case 0:
        PonerBoton(2, QStringLiteral("Aceptar"), 1);
        ranuras_ = {2, 0, 0};
        break;
    case 1:
        PonerBoton(2, QStringLiteral("Aceptar"), 1);
        PonerBoton(3, QStringLiteral("Cancelar"), 2);
        ranuras_ = {2, 3, 0};
        break;
    case 2:
        PonerBoton(1, QStringLiteral("Abortar"), 3);
        PonerBoton(2, QStringLiteral("Reintentar"), 4);
        PonerBoton(3, QStringLiteral("Ignorar"), 5);
        ranuras_ = {1, 2, 3};
        break;
    case 3:
        PonerBoton(1, QStringLiteral("Si"), 6);
        PonerBoton(2, QStringLiteral("No"), 7);
        PonerBoton(3, QStringLiteral("Cancelar"), 2);
        ranuras_ = {1, 2, 3};
        break;
    case 4:
        PonerBoton(2, QStringLiteral("Si"), 6);
        PonerBoton(3, QStringLiteral("No"), 7);
        ranuras_ = {2, 3, 0};
        // El par queda centrado.
        botones_[1].left -= 500;
        botones_[2].left -= 500;
        break;
    default:
        errores_ << ErrorJuegoBotones;
        break;
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
    for (int i = 2; i >= 0; --i)
        if (botones_[size_t(i)].visible)
            return botones_[size_t(i)].valor;
    return 1;
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
