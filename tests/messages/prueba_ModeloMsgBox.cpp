// Lógica de la ventana de mensajes, sin widgets.
#include "ModeloMsgBox.h"
#include <gtest/gtest.h>

namespace {

PedidoMensaje Pedido(int juego, int porDefecto = 0, const QString& leyendas = QString()) {
    PedidoMensaje p;
    p.Mensaje = QStringLiteral("Texto");
    p.titulo = QStringLiteral("Titulo");
    p.TipoBotones = juego;
    p.DefaultBotones = porDefecto;
    p.TextoBotones = leyendas;
    return p;
}

} // namespace

// Botones visibles, leyendas, corrimiento y cierre se prueban en la ventana.
TEST(ModeloMsgBox, ValoresYRanurasDeCadaJuego) {
    const struct {
        int juego;
        std::array<int, 3> valores; // tag de los botones 1..3 (0 oculto)
        std::array<int, 3> ranuras; // botón de la primera, segunda y tercera ranura
    } juegos[] = {
        {0, {0, 1, 0}, {2, 0, 0}}, {1, {0, 1, 2}, {2, 3, 0}}, {2, {3, 4, 5}, {1, 2, 3}},
        {3, {6, 7, 2}, {1, 2, 3}}, {4, {0, 6, 7}, {2, 3, 0}},
    };
    for (const auto& j : juegos) {
        ModeloMsgBox m(Pedido(j.juego));
        EXPECT_TRUE(m.ErroresDefinicion().isEmpty()) << j.juego;
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(m.Boton(i).visible ? m.Boton(i).valor : 0, j.valores[size_t(i - 1)])
                << j.juego << " botón " << i;
            EXPECT_EQ(m.Ranura(i), j.ranuras[size_t(i - 1)]) << j.juego << " ranura " << i;
        }
        EXPECT_EQ(m.BotonPorDefecto(), j.ranuras[0]);
    }
}

TEST(ModeloMsgBox, LeyendasPropiasOcupanLasRanurasEnOrden) {
    // Una sola leyenda con el juego 1: el segundo botón queda sin texto.
    ModeloMsgBox una(Pedido(1, 0, QStringLiteral("Grabar")));
    EXPECT_EQ(una.Boton(2).caption, QStringLiteral("Grabar"));
    EXPECT_EQ(una.Boton(3).caption, QString());
    EXPECT_EQ(una.Boton(2).valor, 1);

    // La coma inicial no agrega un primer elemento vacío.
    for (const QString& leyendas :
         {QStringLiteral("Grabar,Salir"), QStringLiteral(",Grabar,Salir")}) {
        ModeloMsgBox m(Pedido(4, 0, leyendas));
        EXPECT_EQ(m.Boton(2).caption, QStringLiteral("Grabar")) << leyendas.toStdString();
        EXPECT_EQ(m.Boton(3).caption, QStringLiteral("Salir"));
        EXPECT_FALSE(m.Boton(1).visible);
    }

    ModeloMsgBox tres(Pedido(2, 0, QStringLiteral("Uno,Dos,Tres,Cuatro")));
    EXPECT_EQ(tres.Boton(1).caption, QStringLiteral("Uno"));
    EXPECT_EQ(tres.Boton(3).caption, QStringLiteral("Tres"));

    PedidoMensaje literal = Pedido(0);
    literal.aceptarConAcceso = true;
    EXPECT_EQ(ModeloMsgBox(literal).Boton(2).caption, QStringLiteral("&Aceptar"));
}

TEST(ModeloMsgBox, BotonPorDefectoYErroresDeDefinicion) {
    EXPECT_EQ(ModeloMsgBox(Pedido(3, 256)).BotonPorDefecto(), 2);
    EXPECT_EQ(ModeloMsgBox(Pedido(3, 512)).BotonPorDefecto(), 3);
    EXPECT_EQ(ModeloMsgBox(Pedido(1, 256)).BotonPorDefecto(), 3);

    // 256 con un solo botón: error y queda el botón 1, que está oculto.
    ModeloMsgBox sinSegundo(Pedido(0, 256));
    EXPECT_EQ(sinSegundo.ErroresDefinicion(), QStringList{ModeloMsgBox::ErrorBotonDefecto});
    EXPECT_EQ(sinSegundo.BotonPorDefecto(), 1);
    EXPECT_FALSE(sinSegundo.Boton(1).visible);

    EXPECT_EQ(ModeloMsgBox(Pedido(2, 100)).ErroresDefinicion(),
              QStringList{ModeloMsgBox::ErrorBotonDefecto});

    // Juego indefinido: sin botones, los dos errores en orden y Resultado 1.
    ModeloMsgBox indefinido(Pedido(7));
    EXPECT_EQ(indefinido.ErroresDefinicion(),
              (QStringList{ModeloMsgBox::ErrorJuegoBotones, ModeloMsgBox::ErrorBotonDefecto}));
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(indefinido.Boton(i).visible);
    EXPECT_EQ(indefinido.ResultadoPreseleccionado(), 1);
}

TEST(ModeloMsgBox, ImagenEsTipoMensajeSobreDieciseisDentroDeLaLista) {
    const std::pair<int, int> casos[] = {{16, 1}, {32, 2},  {48, 3}, {64, 4}, {0, 0},
                                         {80, 0}, {-16, 0}, {24, 2}, {40, 2}, {7, 0}};
    for (auto [tipo, imagen] : casos) {
        PedidoMensaje p = Pedido(0);
        p.TipoMensaje = tipo;
        EXPECT_EQ(ModeloMsgBox(p).Imagen(), imagen) << tipo;
    }
}

TEST(ModeloMsgBox, AltoDeLaVentanaYTopDeLosBotonesSiguenAlRotulo) {
    ModeloMsgBox m(Pedido(3));
    m.Activar(180); // un renglón
    EXPECT_EQ(m.Alto(), 1544);
    EXPECT_EQ(m.AltoCliente(), 1544 - ModeloMsgBox::AltoMarco);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(m.Boton(i).top, 658);

    m.Activar(3 * 180);
    EXPECT_EQ(m.Alto(), 1544 + 360);
    EXPECT_EQ(m.Boton(2).top, 658 + 360);

    EXPECT_EQ(TwipsAPixeles(1544), 103);
    EXPECT_EQ(TwipsAPixeles(658), 44);
    EXPECT_EQ(TwipsAPixeles(2800), 187);
    EXPECT_EQ(TwipsAPixeles(1440, 120), 120);
}

TEST(ModeloMsgBox, CantidadDeLineasYTooltip) {
    EXPECT_EQ(ModeloMsgBox::CantidadDeLineas(QString()), 0);
    EXPECT_EQ(ModeloMsgBox::CantidadDeLineas(QStringLiteral("uno")), 1);
    EXPECT_EQ(ModeloMsgBox::CantidadDeLineas(QStringLiteral("uno\r\ndos")), 2);
    EXPECT_EQ(ModeloMsgBox::CantidadDeLineas(QStringLiteral("uno\r\n")), 2);
    EXPECT_EQ(ModeloMsgBox::CantidadDeLineas(QStringLiteral("uno\ndos\rtres")), 1);

    EXPECT_EQ(ModeloMsgBox::Tooltip(QStringLiteral("a\r\nb\rc\nd")), QStringLiteral("a  b c d"));
}
