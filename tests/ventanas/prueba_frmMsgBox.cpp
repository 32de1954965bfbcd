// La ventana de mensajes de verdad, sin pantalla, con eventos de teclado y mouse.
#include "DialogosGuion.h"
#include "DialogosQt.h"
#include "Ventanas.h"
#include "frmMsgBox.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMap>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

PedidoMensaje Pedido(int juego, const QString& mensaje = QStringLiteral("Un renglón"),
                     int porDefecto = 0) {
    PedidoMensaje p;
    p.Mensaje = mensaje;
    p.titulo = QStringLiteral("Prueba");
    p.TipoBotones = juego;
    p.DefaultBotones = porDefecto;
    p.TipoMensaje = 32;
    return p;
}

void Clic(QWidget* w) {
    const QPointF centro = QRectF(w->rect()).center();
    QMouseEvent apretar(QEvent::MouseButtonPress, centro, w->mapToGlobal(centro), Qt::LeftButton,
                        Qt::LeftButton, Qt::NoModifier);
    QMouseEvent soltar(QEvent::MouseButtonRelease, centro, w->mapToGlobal(centro), Qt::LeftButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &apretar);
    QApplication::sendEvent(w, &soltar);
}

void Tecla(QWidget* w, int tecla) {
    QKeyEvent apretar(QEvent::KeyPress, tecla, Qt::NoModifier);
    QKeyEvent soltar(QEvent::KeyRelease, tecla, Qt::NoModifier);
    QApplication::sendEvent(w, &apretar);
    QApplication::sendEvent(w, &soltar);
}

// Muestra y activa, como cuando la ventana aparece delante del usuario.
void Mostrar(QWidget& w) {
    w.show();
    w.activateWindow();
    QApplication::processEvents();
}

class VentanaMensajes : public ::testing::Test {
protected:
    void SetUp() override { guion.puntero = Puntero::Reloj; }
    DialogosGuion guion;
};

} // namespace

TEST_F(VentanaMensajes, JuegosLeyendasYCorrimientoDelJuegoCuatro) {
    struct Caso {
        int juego;
        QStringList leyendas; // de izquierda a derecha, "" oculto
        int corrimiento;
    };
    const Caso casos[] = {
        {0, {"", "Aceptar", ""}, 0},
        {1, {"", "Aceptar", "Cancelar"}, 0},
        {2, {"Abortar", "Reintentar", "Ignorar"}, 0},
        {3, {"Si", "No", "Cancelar"}, 0},
        {4, {"", "Si", "No"}, 500},
    };
    const int lefts[] = {468, 1464, 2544};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.juego);
        frmMsgBox f(Pedido(c.juego));
        f.show();
        EXPECT_EQ(f.findChildren<QPushButton*>(QStringLiteral("CmdGenerico")).size(), 3);
        for (int i = 1; i <= 3; ++i) {
            QPushButton* b = f.CmdGenerico(i);
            const bool visible = !c.leyendas[i - 1].isEmpty();
            EXPECT_EQ(b->isVisible(), visible) << "botón " << i;
            EXPECT_EQ(b->focusPolicy() != Qt::NoFocus, visible);
            if (visible) {
                EXPECT_EQ(b->text(), c.leyendas[i - 1]);
            }
            const int corrido = i == 1 ? 0 : c.corrimiento;
            EXPECT_EQ(b->x(), f.PixelesX(lefts[i - 1] - corrido));
        }
        EXPECT_TRUE(guion.avisosSistema.isEmpty());
    }

    // Una sola leyenda con el juego 1: el segundo botón queda sin texto.
    PedidoMensaje p = Pedido(1);
    p.TextoBotones = QStringLiteral("Continuar");
    frmMsgBox f(p);
    EXPECT_EQ(f.CmdGenerico(2)->text(), QStringLiteral("Continuar"));
    EXPECT_EQ(f.CmdGenerico(3)->text(), QString());
    EXPECT_TRUE(f.CmdGenerico(3)->isVisibleTo(&f));
}

TEST_F(VentanaMensajes, UnRenglonDaLaAlturaDeDisenoYLosTextosLargosCrecenHaciaAbajo) {
    frmMsgBox f(Pedido(1, QStringLiteral("Un renglón")));
    f.show();
    EXPECT_EQ(f.Modelo().Alto(), 1544);
    EXPECT_EQ(f.height(), f.PixelesY(1544 - ModeloMsgBox::AltoMarco));
    EXPECT_EQ(f.width(), f.PixelesX(3990));
    for (int i = 2; i <= 3; ++i) {
        EXPECT_EQ(f.CmdGenerico(i)->y(), f.PixelesY(658));
        EXPECT_EQ(f.CmdGenerico(i)->height(), f.PixelesY(336));
    }
    QLabel* texto = f.TextoMensaje();
    EXPECT_EQ(texto->objectName(), QStringLiteral("TextoMensaje"));
    EXPECT_EQ(texto->pos(), QPoint(f.PixelesX(700), f.PixelesY(264)));
    EXPECT_LT(texto->width(), f.PixelesX(2800));
    EXPECT_DOUBLE_EQ(texto->font().pointSizeF(), 7.5);
    EXPECT_TRUE(texto->wordWrap());

    frmMsgBox dos(Pedido(1, QStringLiteral("Primero\r\nSegundo")));
    dos.show();
    EXPECT_EQ(dos.Modelo().Alto(), 1544 + 180);
    EXPECT_EQ(dos.CmdGenerico(2)->y(), dos.PixelesY(658 + 180));

    QString largo;
    for (int i = 0; i < 40; ++i)
        largo += QStringLiteral("palabra ");
    frmMsgBox ancho(Pedido(1, largo));
    ancho.show();
    EXPECT_EQ(ancho.TextoMensaje()->width(), ancho.PixelesX(2800));
    const int agregado = ancho.Modelo().Alto() - 1544;
    EXPECT_GT(agregado, 0);
    EXPECT_EQ(agregado % 180, 0);
    EXPECT_EQ(ancho.height(), ancho.PixelesY(ancho.Modelo().AltoCliente()));
    // Los botones quedan debajo del texto.
    EXPECT_GT(ancho.CmdGenerico(2)->y(), ancho.TextoMensaje()->geometry().bottom());
}

TEST_F(VentanaMensajes, CerrarSinBotonDevuelveElDeLaDerechaYUnBotonSuValor) {
    const std::pair<int, int> casos[] = {{0, 1}, {1, 2}, {2, 5}, {3, 2}, {4, 7}, {9, 1}};
    for (auto [juego, derecho] : casos) {
        frmMsgBox f(Pedido(juego));
        f.show();
        ASSERT_TRUE(f.isVisible());
        f.close(); // la caja de control o Alt+F4
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.Resultado(), derecho) << juego;
    }

    frmMsgBox f(Pedido(3));
    f.show();
    Clic(f.CmdGenerico(2));
    EXPECT_EQ(f.Resultado(), 7);
    EXPECT_FALSE(f.isVisible());

    frmMsgBox g(Pedido(2));
    g.show();
    Clic(g.CmdGenerico(1));
    EXPECT_EQ(g.Resultado(), 3);
}

TEST_F(VentanaMensajes, FocoEnElBotonPorDefectoYTabSoloPorLosVisibles) {
    frmMsgBox f(Pedido(4, QStringLiteral("¿Seguro?"), 256));
    Mostrar(f);
    ASSERT_EQ(f.focusWidget(), f.CmdGenerico(3));
    Tecla(f.CmdGenerico(3), Qt::Key_Tab);
    EXPECT_EQ(f.focusWidget(), f.CmdGenerico(2));
    Tecla(f.CmdGenerico(2), Qt::Key_Tab);
    EXPECT_EQ(f.focusWidget(), f.CmdGenerico(3));
    Tecla(f.CmdGenerico(3), Qt::Key_Return);
    EXPECT_EQ(f.Resultado(), 7);
    EXPECT_FALSE(f.isVisible());

    // 256 con el juego 0: aviso del sistema y ningún botón con el foco.
    frmMsgBox sinDefault(Pedido(0, QStringLiteral("Texto"), 256));
    Mostrar(sinDefault);
    ASSERT_EQ(QApplication::activeWindow(), &sinDefault);
    EXPECT_EQ(guion.avisosSistema, QStringList{ModeloMsgBox::ErrorBotonDefecto});
    EXPECT_EQ(qobject_cast<QPushButton*>(sinDefault.focusWidget()), nullptr);

    // Juego indefinido: los dos avisos, en orden, como cajas simples (sin
    // ícono ni título propio; la de ícono crítico no se usa).
    guion.avisosSistema.clear();
    frmMsgBox indefinido(Pedido(6));
    EXPECT_EQ(guion.avisosSistema,
              (QStringList{ModeloMsgBox::ErrorJuegoBotones, ModeloMsgBox::ErrorBotonDefecto}));
    EXPECT_TRUE(guion.mensajesSistema.isEmpty());
}

TEST_F(VentanaMensajes, ElAvisoDelSistemaEsUnaCajaSinIconoConUnSoloBoton) {
    DialogosQt qt;
    QMessageBox::Icon icono = QMessageBox::Critical;
    qsizetype botones = 0;
    QString texto;
    QTimer::singleShot(0, [&] {
        auto* caja = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!caja)
            return;
        icono = caja->icon();
        botones = caja->buttons().size();
        texto = caja->text();
        if (const QString dir = qEnvironmentVariable("MIRAVEL_CAPTURAS"); !dir.isEmpty())
            caja->grab().save(dir + QStringLiteral("/aviso_sistema.png"));
        caja->accept();
    });
    qt.AvisoSistema(ModeloMsgBox::ErrorJuegoBotones);
    EXPECT_EQ(icono, QMessageBox::NoIcon);
    EXPECT_EQ(botones, 1);
    EXPECT_EQ(texto, ModeloMsgBox::ErrorJuegoBotones);
}

TEST_F(VentanaMensajes, EscapeNoCierraLaVentana) {
    // Como el 585 (juego 4, Si/No): Escape no elige "No" por el usuario.
    frmMsgBox f(Pedido(4, QStringLiteral("¿Cerrar las otras conexiones?")));
    Mostrar(f);
    Tecla(f.focusWidget() ? f.focusWidget() : &f, Qt::Key_Escape);
    Tecla(&f, Qt::Key_Escape);
    EXPECT_TRUE(f.isVisible());
    f.close(); // la caja de control o Alt+F4
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.Resultado(), 7);
}

TEST_F(VentanaMensajes, AlDescargarseRepintaLasTresUltimasVentanas) {
    auto& registro = RegistroVentanas::instancia();
    registro.Vaciar();
    QMap<QString, int> repintadas;
    for (const QString nombre : {"frmInicio", "frmPosInicio", "frmTipoCompra", "frmOtra"})
        registro.Unirse(nombre, {}, [&repintadas, nombre] { ++repintadas[nombre]; });
    registro.Unirse("frmQueFalla", {}, [] { throw std::runtime_error("no se pudo"); });
    {
        frmMsgBox f(Pedido(0));
        f.show();
        EXPECT_TRUE(repintadas.isEmpty()) << "solo al descargarse";
    }
    // La que falla cuenta entre las tres y su error no detiene a las otras.
    EXPECT_EQ(repintadas.value("frmInicio"), 0);
    EXPECT_EQ(repintadas.value("frmPosInicio"), 0);
    EXPECT_EQ(repintadas.value("frmTipoCompra"), 1);
    EXPECT_EQ(repintadas.value("frmOtra"), 1);
    registro.Vaciar();
}

TEST_F(VentanaMensajes, ClicEnElTextoLoCopiaYTooltipEnUnRenglon) {
    const QString mensaje = QStringLiteral("Primera línea\r\nSegunda línea");
    frmMsgBox f(Pedido(0, mensaje));
    f.show();
    EXPECT_EQ(f.TextoMensaje()->toolTip(), QStringLiteral("Primera línea  Segunda línea"));
    Clic(f.TextoMensaje());
    EXPECT_EQ(guion.portapapeles, mensaje);
    EXPECT_TRUE(f.isVisible()); // copiar no cierra

    DialogosQt qt;
    qt.CopiarTexto(mensaje);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), mensaje);
}

TEST_F(VentanaMensajes, PunteroFlechaYRegistroMientrasEstaCargada) {
    RegistroVentanas::instancia().Vaciar();
    {
        frmMsgBox f(Pedido(0));
        EXPECT_EQ(guion.puntero, Puntero::Flecha);
        EXPECT_EQ(RegistroVentanas::instancia().Ultima(), QStringLiteral("frmMsgBox"));
        EXPECT_EQ(f.objectName(), QStringLiteral("frmMsgBox"));
    }
    EXPECT_EQ(guion.puntero, Puntero::Reloj);
    EXPECT_EQ(RegistroVentanas::instancia().Cantidad(), 0);
}

TEST_F(VentanaMensajes, IconoSegunTipoMensaje) {
    for (auto [tipo, conIcono] : {std::pair{16, true}, {64, true}, {80, false}, {0, false}}) {
        PedidoMensaje p = Pedido(0);
        p.TipoMensaje = tipo;
        frmMsgBox f(p);
        EXPECT_EQ(!f.PICTipo()->pixmap().isNull(), conIcono) << tipo;
    }
}

TEST_F(VentanaMensajes, EnterConElJuegoCeroDevuelveUnoPorLaVentanaModal) {
    DialogosQt qt;
    InstalarDialogos(&qt);
    QString titulo;
    bool seguiaAbierta = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        titulo = modal->windowTitle();
        Tecla(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
        // Si Enter no la cerró, se cierra igual para no colgar la prueba.
        seguiaAbierta = modal->isVisible();
        if (seguiaAbierta)
            modal->close();
    });
    const int r = dialogos().VentanaMensaje(Pedido(0, QStringLiteral("Listo")));
    InstalarDialogos(&guion);
    EXPECT_EQ(titulo, QStringLiteral("Prueba"));
    EXPECT_FALSE(seguiaAbierta);
    EXPECT_EQ(r, 1);
}

TEST_F(VentanaMensajes, CapturaConDosRenglonesYTresBotones) {
    // Renglones bastante más cortos que el ancho máximo del rótulo (2800 twips),
    // para que ninguno se parta con ninguna letra: el alto es el de dos renglones.
    PedidoMensaje p = Pedido(3, QStringLiteral("¿Desea grabar los cambios?\r\n"
                                               "Los cambios se pierden."));
    p.TipoMensaje = 32;
    p.titulo = QStringLiteral("Confirmación");
    frmMsgBox f(p);
    f.show();
    const QImage img = f.grab().toImage();
    ASSERT_FALSE(img.isNull());
    const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (!carpeta.isEmpty())
        img.save(QDir(carpeta).filePath(QStringLiteral("frmMsgBox.png")));

    // Hay tinta del ícono y del texto sobre el fondo.
    auto tinta = [&img](const QRect& zona) {
        const QRgb fondo = img.pixel(zona.topLeft());
        int distintos = 0;
        for (int y = zona.top(); y <= zona.bottom(); ++y)
            for (int x = zona.left(); x <= zona.right(); ++x)
                distintos += img.pixel(x, y) != fondo;
        return distintos;
    };
    const qreal escala = img.devicePixelRatio();
    auto enImagen = [escala](const QRect& r) {
        return QRect(r.topLeft() * escala, r.size() * escala);
    };
    EXPECT_GT(tinta(enImagen(f.PICTipo()->geometry())), 20);
    EXPECT_GT(tinta(enImagen(f.TextoMensaje()->geometry())), 50);
    EXPECT_EQ(f.Modelo().Alto(), 1544 + 180);
}
