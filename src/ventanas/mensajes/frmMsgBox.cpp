#include "frmMsgBox.h"
#include "AyudasVentana.h"
#include "Ventanas.h"
#include <QEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>

namespace {
// Texto del rótulo: los saltos (CR LF, CR o LF) cortan renglón; los espacios
// se respetan y cada renglón ocupa lo mismo que en Arial 7,5 (alturaLinea).
QString HtmlRotulo(const QString& mensaje, int alturaLinea) {
    QString t = mensaje;
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return QStringLiteral("<div style=\"white-space:pre-wrap; -qt-line-height-type:fixed; "
                          "line-height:%1px;\">")
               .arg(alturaLinea) +
           t.toHtmlEscaped() + QLatin1String("</div>");
}

QStyle::StandardPixmap IconoDeImagen(int imagen) {
    switch (imagen) {
    case 1:
        return QStyle::SP_MessageBoxCritical;
    case 2:
        return QStyle::SP_MessageBoxQuestion;
    case 3:
        return QStyle::SP_MessageBoxWarning;
    default:
        return QStyle::SP_MessageBoxInformation;
    }
}
} // namespace

frmMsgBox::frmMsgBox(const PedidoMensaje& pedido, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      modelo_(pedido) {
    setObjectName(QStringLiteral("frmMsgBox"));
    setModal(true);

    textoMensaje_ = new QLabel(this);
    textoMensaje_->setObjectName(QStringLiteral("TextoMensaje"));
    QFont fuente(QStringLiteral("Arial"));
    fuente.setPointSizeF(7.5);
    textoMensaje_->setFont(fuente);
    textoMensaje_->setTextFormat(Qt::RichText);
    textoMensaje_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    textoMensaje_->installEventFilter(this);

    picTipo_ = new QLabel(this);
    picTipo_->setObjectName(QStringLiteral("PICTipo"));

    for (int i = 1; i <= 3; ++i) {
        auto* b = new QPushButton(this);
        b->setObjectName(QStringLiteral("CmdGenerico"));
        b->setProperty("Index", i);
        const BotonMsgBox& m = modelo_.Boton(i);
        b->setText(m.caption);
        b->setProperty("Tag", QString::number(m.valor));
        b->setVisible(m.visible);
        // Solo los botones visibles se alcanzan con Tab.
        b->setFocusPolicy(m.visible ? Qt::StrongFocus : Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, i] { Pulsar(i); });
        cmdGenerico_[size_t(i - 1)] = b;
    }

    if (modelo_.Imagen() != 0) {
        const int lado = PixelesX(ModeloMsgBox::IconoLado);
        picTipo_->setPixmap(style()->standardIcon(IconoDeImagen(modelo_.Imagen())).pixmap(lado));
    }

    punteroAnterior_ = dialogos().PunteroActual();
    dialogos().PonerPuntero(Puntero::Flecha);

    setWindowTitle(pedido.titulo);
    textoMensaje_->setText(HtmlRotulo(pedido.Mensaje, PixelesY(ModeloMsgBox::AltoLineaRotulo)));
    textoMensaje_->setToolTip(ModeloMsgBox::Tooltip(pedido.Mensaje));

    for (const QString& error : modelo_.ErroresDefinicion())
        dialogos().AvisoSistema(error);

    resultado_ = modelo_.ResultadoPreseleccionado();
    idRegistro_ = RegistroVentanas::instancia().Unirse(
        objectName(), [this] { reject(); }, [this] { repaint(); });
}

frmMsgBox::~frmMsgBox() {
    dialogos().PonerPuntero(punteroAnterior_);
    RegistroVentanas::instancia().Salir(idRegistro_);
    // Lo que quedó debajo de la ventana se dibuja de nuevo en el momento.
    RegistroVentanas::instancia().RepintarUltimas(3);
}

void frmMsgBox::keyPressEvent(QKeyEvent* evento) {
    // Solo un botón, la caja de control o Alt+F4 cierran la ventana: Escape no.
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

int frmMsgBox::PixelesX(int twips) const {
    return TwipsAPixeles(twips, logicalDpiX());
}
int frmMsgBox::PixelesY(int twips) const {
    return TwipsAPixeles(twips, logicalDpiY());
}

void frmMsgBox::showEvent(QShowEvent* evento) {
    Activar();
    QDialog::showEvent(evento);
}

void frmMsgBox::Activar() {
    // El rótulo toma el ancho de su texto, hasta 2800 twips; más largo, parte
    // palabras y crece hacia abajo.
    const int alturaLinea = PixelesY(ModeloMsgBox::AltoLineaRotulo);
    textoMensaje_->setWordWrap(false);
    const int ancho =
        qMin(textoMensaje_->sizeHint().width(), PixelesX(ModeloMsgBox::RotuloAnchoMaximo));
    textoMensaje_->setWordWrap(true);
    const int alto = textoMensaje_->heightForWidth(ancho);
    const int renglones = qMax(1, qRound(double(alto) / alturaLinea));
    modelo_.Activar(renglones * ModeloMsgBox::AltoLineaRotulo);

    // Los trazos bajo la línea de base del último renglón no se recortan.
    const int holgura = qMax(0, QFontMetrics(textoMensaje_->font()).height() - alturaLinea);
    textoMensaje_->setGeometry(PixelesX(ModeloMsgBox::RotuloLeft),
                               PixelesY(ModeloMsgBox::RotuloTop), ancho, alto + holgura);
    picTipo_->setGeometry(PixelesX(ModeloMsgBox::IconoLeft), PixelesY(ModeloMsgBox::IconoTop),
                          PixelesX(ModeloMsgBox::IconoLado), PixelesY(ModeloMsgBox::IconoLado));
    for (int i = 1; i <= 3; ++i) {
        const BotonMsgBox& m = modelo_.Boton(i);
        CmdGenerico(i)->setGeometry(PixelesX(m.left), PixelesY(m.top), PixelesX(m.width),
                                    PixelesY(m.height));
    }
    setFixedSize(PixelesX(ModeloMsgBox::AnchoCliente), PixelesY(modelo_.AltoCliente()));
    CentrarForm(this);

    resultado_ = modelo_.ResultadoPreseleccionado();
    QPushButton* porDefecto = CmdGenerico(modelo_.BotonPorDefecto());
    if (!HacerFoco(porDefecto))
        setFocus(); // ningún botón toma el foco por su cuenta
}

void frmMsgBox::Pulsar(int indice) {
    resultado_ = modelo_.Boton(indice).valor;
    done(resultado_);
}

bool frmMsgBox::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == textoMensaje_ && evento->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton &&
        textoMensaje_->rect().contains(static_cast<QMouseEvent*>(evento)->position().toPoint()))
        dialogos().CopiarTexto(modelo_.Pedido().Mensaje);
    return QDialog::eventFilter(objeto, evento);
}
