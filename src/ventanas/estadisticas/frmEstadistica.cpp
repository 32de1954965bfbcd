#include "frmEstadistica.h"
#include "AccionesGrafico.h"
#include "AyudasVentana.h"
#include "DateTimeBox.h"
#include "Dialogos.h"
#include "DibujoGrafico.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
#include "ImprimirEstadistica.h"
#include "JuegosBotones.h"
#include "Logs.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include "VistaGrafico.h"
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QResizeEvent>

namespace {

std::function<void(QWidget&)>& RecursosInstalados() {
    static std::function<void(QWidget&)> aplicar;
    return aplicar;
}

// Imágenes propias de los tres botones, para cuando el programa principal no
// instaló las de la suite (pruebas, ventanas sueltas).
QIcon DibujarImagen(const QString& boton) {
    QPixmap lienzo(48, 48);
    lienzo.fill(Qt::transparent);
    QPainter p(&lienzo);
    p.setRenderHint(QPainter::Antialiasing);
    if (boton == QLatin1String("CmdCerrar")) {
        // Puerta abierta con una flecha de salida.
        p.setPen(QPen(QColor(0x5a, 0x3a, 0x1e), 3));
        p.setBrush(QColor(0xc8, 0x8a, 0x4b));
        p.drawRect(8, 6, 22, 36);
        p.setBrush(QColor(0x8b, 0x5a, 0x2b));
        p.drawPolygon(QPolygonF({QPointF(8, 6), QPointF(20, 10), QPointF(20, 46), QPointF(8, 42)}));
        p.setPen(QPen(QColor(0xc0, 0x1c, 0x1c), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(26, 24), QPointF(44, 24));
        p.drawPolyline(QPolygonF({QPointF(37, 17), QPointF(44, 24), QPointF(37, 31)}));
    } else if (boton == QLatin1String("CmdActualizar")) {
        // Dos flechas en círculo.
        p.setPen(QPen(QColor(0x1e, 0x7a, 0x32), 5, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        const QRectF aro(9, 9, 30, 30);
        p.drawArc(aro, 20 * 16, 150 * 16);
        p.drawArc(aro, 200 * 16, 150 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1e, 0x7a, 0x32));
        p.drawPolygon(QPolygonF({QPointF(38, 4), QPointF(44, 19), QPointF(29, 17)}));
        p.drawPolygon(QPolygonF({QPointF(10, 44), QPointF(4, 29), QPointF(19, 31)}));
    } else if (boton == QLatin1String("CmdImprimir")) {
        // Impresora con su hoja.
        p.setPen(QPen(QColor(0x40, 0x40, 0x48), 2));
        p.setBrush(Qt::white);
        p.drawRect(14, 4, 20, 14);
        p.setBrush(QColor(0x70, 0x78, 0x88));
        p.drawRoundedRect(QRectF(5, 16, 38, 18), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(13, 28, 22, 16);
        p.setPen(QPen(QColor(0x90, 0x90, 0x98), 1.5));
        for (int y : {33, 37, 41})
            p.drawLine(16, y, 32, y);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x4c, 0xd9, 0x64));
        p.drawEllipse(QPointF(37, 22), 2, 2);
    }
    p.end();
    return QIcon(lienzo);
}

void RecursosPropios(QWidget& ventana) {
    const std::pair<const char*, const char*> botones[] = {
        {"CmdActualizar", "Actualizar"}, {"CmdImprimir", "Imprimir"}, {"CmdCerrar", "Salir"}};
    for (const auto& [nombre, tooltip] : botones) {
        auto* boton = ventana.findChild<QPushButton*>(QLatin1String(nombre));
        if (!boton)
            continue;
        boton->setIcon(DibujarImagen(QLatin1String(nombre)));
        boton->setText(QString());
        boton->setToolTip(QString::fromUtf8(tooltip));
    }
}

// La caja Fecha vista desde la lógica.
class CajaDeVentana : public CajaFecha {
public:
    explicit CajaDeVentana(DateTimeBox* caja) : caja_(caja) {}
    QDate Fecha() const override {
        const QVariant v = caja_->Value();
        return v.isNull() ? QDate::currentDate() : v.toDate();
    }
    void PonerFecha(const QDate& fecha) override { caja_->PonerValue(fecha); }

private:
    DateTimeBox* caja_;
};

QPushButton* CrearBoton(QWidget* padre, const QString& nombre, const QString& texto, int left,
                        int top) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(nombre);
    b->setGeometry(frmEstadistica::Px(left), frmEstadistica::Px(top), frmEstadistica::Px(410),
                   frmEstadistica::Px(390));
    b->setIconSize(QSize(20, 20));
    // Enter no pulsa ningún botón: ninguno es el botón por defecto.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

} // namespace

void InstalarRecursosVentanas(std::function<void(QWidget& ventana)> aplicar) {
    RecursosInstalados() = std::move(aplicar);
}

frmEstadistica::frmEstadistica(std::unique_ptr<Estadistica> logica, QWidget* padre)
    : QDialog(padre), logica_(std::move(logica)) {
    const DescripcionEstadistica& d = logica_->Descripcion();
    setObjectName(d.nombre);
    const bool conGraficos = d.graficos > 0;
    const QSize tamanioDiseno(Px(d.areaCliente.width()), Px(d.areaCliente.height()));
    if (conGraficos) {
        // Del tamaño de diseño, que es también el menor; se agranda y se maximiza.
        resize(tamanioDiseno);
        setMinimumSize(tamanioDiseno);
        setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    } else {
        setFixedSize(tamanioDiseno);
    }

    // Controles en sus lugares (twips).
    cmdCerrar_ = CrearBoton(this, QStringLiteral("CmdCerrar"), QStringLiteral("Salir"), 240, 240);
    cmdActualizar_ = CrearBoton(this, QStringLiteral("CmdActualizar"), QStringLiteral("Aceptar"),
                                conGraficos ? 4680 : 5400, 240);
    cmdImprimir_ = CrearBoton(this, QStringLiteral("CmdImprimir"), QStringLiteral("Imprimir Todo"),
                              conGraficos ? 5400 : 4200, 240);
    cmdActualizar_->setVisible(conGraficos);

    fecha_ = new DateTimeBox(this);
    fecha_->setObjectName(QStringLiteral("Fecha"));
    fecha_->setGeometry(Px(conGraficos ? 3015 : 2400), Px(240), Px(1335), Px(315));
    // Lo único que las ventanas guardan de la caja.
    BolsaPropiedades diseno;
    diseno.Escribir(QStringLiteral("PermiteValueNull"), false, true);
    fecha_->LeerPropiedades(diseno);
    caja_ = std::make_unique<CajaDeVentana>(fecha_);

    line1_ = new QFrame(this);
    line1_->setObjectName(QStringLiteral("Line1"));
    line1_->setFrameShape(QFrame::HLine);
    line1_->setFrameShadow(QFrame::Sunken);
    line1_->setGeometry(0, Px(720) - 1, Px(conGraficos ? d.finLinea : 6600), 2);

    for (int i = 0; i < d.graficos && i < 2; ++i) {
        vistas_[size_t(i)] = new VistaGrafico(this);
        vistas_[size_t(i)]->setObjectName(i == 0 ? QStringLiteral("Chart")
                                                 : QStringLiteral("Chart2"));
        vistas_[size_t(i)]->hide();
        // Lo que se exporta lleva la fecha de sus cifras; antes se pregunta si
        // actualizarlas cuando la caja pide otra.
        acciones_[size_t(i)] = new AccionesGrafico(
            vistas_[size_t(i)],
            [this] {
                return EncabezadoLibro{logica_->Descripcion().caption, Glob().Municipalidad};
            },
            [this] { return CifrasDeLaFecha(); });
    }
    Acomodar();

    // Fecha, los tres botones (Aceptar, Imprimir Todo, Salir) y los gráficos.
    setTabOrder(fecha_, cmdActualizar_);
    setTabOrder(cmdActualizar_, cmdImprimir_);
    setTabOrder(cmdImprimir_, cmdCerrar_);
    QWidget* anterior = cmdCerrar_;
    for (VistaGrafico* vista : vistas_)
        if (vista) {
            setTabOrder(anterior, vista);
            anterior = vista;
        }
    connect(cmdActualizar_, &QPushButton::clicked, this, [this] { CmdActualizar_Click(); });
    connect(cmdCerrar_, &QPushButton::clicked, this, [this] { CmdCerrar_Click(); });
    connect(cmdImprimir_, &QPushButton::clicked, this, [this] { CmdImprimir_Click(); });

    idRegistro_ = RegistroVentanas::instancia().Unirse(
        d.nombre, [this] { close(); }, [this] { repaint(); });

    // Form_Load
    QWidget* principal = padre ? padre->window() : nullptr;
    setWindowIcon(principal ? principal->windowIcon() : QApplication::windowIcon());
    RecursosPropios(*this);
    if (RecursosInstalados())
        RecursosInstalados()(*this);
    setWindowTitle(d.caption);
    CentrarForm(this);
    if (conGraficos) {
        logica_->CargarGrafico(*caja_);
        Redibujar();
    }
}

frmEstadistica::~frmEstadistica() {
    RegistroVentanas::instancia().Salir(idRegistro_);
}

void frmEstadistica::Redibujar() {
    for (int i = 0; i < 2; ++i)
        if (vistas_[size_t(i)])
            vistas_[size_t(i)]->Dibujar(logica_->Grafico(i));
}

void frmEstadistica::CmdActualizar_Click() {
    Actualizar();
}

bool frmEstadistica::Actualizar() {
    // Una fecha a medio teclear se confirma antes; si no es una fecha, nada.
    if (logica_->Descripcion().graficos == 0 || !fecha_->ConfirmarEntrada())
        return false;
    // Nada de lo que falle aquí sigue hacia el bucle de eventos.
    try {
        if (!logica_->Aceptar(*caja_))
            return false;
        Redibujar();
        return true;
    } catch (...) {
        AnotarExcepcion(objectName() + QStringLiteral(".CmdActualizar_Click"));
        MostrarMensaje(objectName() + QStringLiteral(": no se pudo dibujar el gráfico"),
                       QStringLiteral("ERROR"));
        return false;
    }
}

bool frmEstadistica::CifrasDeLaFecha() {
    if (!fecha_->ConfirmarEntrada())
        return false;
    const QDate cifras = logica_->FechaCifras();
    const QDate pedida = caja_->Fecha();
    if (!cifras.isValid() || cifras == pedida)
        return true;
    const QString desde = DateTimeBox::TextoCorto(cifras);
    const QString hasta = DateTimeBox::TextoCorto(pedida);
    PedidoMensaje pregunta;
    pregunta.Mensaje = QStringLiteral("Las cifras a la vista son al %1 y la fecha elegida es el "
                                      "%2.\n¿Actualizarlas al %2 antes de seguir?\n(No: se usan "
                                      "las cifras al %1.)")
                           .arg(desde, hasta);
    pregunta.titulo = logica_->Descripcion().caption;
    pregunta.TipoBotones = 3; // Sí, No, Cancelar
    pregunta.TipoMensaje = 32;
    const int respuesta = dialogos().VentanaMensaje(pregunta);
    if (respuesta == Boton::Si)
        return Actualizar();
    return respuesta == Boton::No;
}

void frmEstadistica::CmdImprimir_Click() {
    // Las de gráficos imprimen lo que las tablas tienen, rotulado con la fecha
    // para la que se generó; las que solo imprimen generan para la de la caja.
    const bool conGraficos = logica_->Descripcion().graficos > 0;
    if (!fecha_->ConfirmarEntrada() || (conGraficos && !CifrasDeLaFecha()))
        return;
    const QDate cifras = conGraficos ? logica_->FechaCifras() : QDate();
    // El módulo de impresión informa sus fallas y vuelve a habilitar la ventana.
    // Los gráficos del reporte los dibuja la misma vista, fuera de pantalla.
    try {
        ImprimirEstadistica(*logica_, cifras.isValid() ? cifras : caja_->Fecha(),
                            GraficosDeEstadistica(*logica_));
    } catch (...) {
        AnotarExcepcion(objectName() + QStringLiteral(".CmdImprimir_Click"));
        MostrarMensaje(objectName() + QStringLiteral(": no se pudo imprimir"),
                       QStringLiteral("ERROR"));
    }
}

void frmEstadistica::CmdCerrar_Click() {
    reject();
}

void frmEstadistica::Acomodar() {
    const DescripcionEstadistica& d = logica_->Descripcion();
    if (d.graficos == 0 || !vistas_[0])
        return;
    // Los lugares de diseño, dentro del área de diseño (en twips): así ningún
    // gráfico queda cortado por el borde. Al agrandar, los anchos crecen en
    // proporción y las alturas con lo que crece la ventana.
    const QRect area(QPoint(0, 0), d.areaCliente);
    const double ancho = width() / double(Px(d.areaCliente.width()));
    const int alto = height() - Px(d.areaCliente.height());
    for (int i = 0; i < d.graficos && i < 2; ++i) {
        const QRect r = d.lugarGrafico[size_t(i)].intersected(area);
        vistas_[size_t(i)]->setGeometry(qRound(Px(r.x()) * ancho), Px(r.y()),
                                        qRound(Px(r.width()) * ancho), Px(r.height()) + alto);
    }
    line1_->setGeometry(0, Px(720) - 1, qRound(Px(d.finLinea) * ancho), 2);
    // Chart2 se dibuja encima de la franja en que los dos se superponen: Chart
    // no pone nada ahí.
    if (vistas_[0] && vistas_[1]) {
        const int superpuestos = vistas_[0]->geometry().right() + 1 - vistas_[1]->geometry().x();
        vistas_[0]->ReservarDerecha(std::max(0, superpuestos));
    }
}

void frmEstadistica::resizeEvent(QResizeEvent* evento) {
    QDialog::resizeEvent(evento);
    Acomodar();
}

void frmEstadistica::Form_Activate() {
    // Una fecha a medio escribir (o rechazada, al volver del mensaje) conserva
    // el foco: Escape la descarta en vez de cerrar la ventana.
    if (fecha_->DateTime()->HayEntrada())
        HacerFoco(fecha_->DateTime()->Entrada());
    else
        HacerFoco(cmdActualizar_);
}

void frmEstadistica::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    Form_Activate();
}

void frmEstadistica::changeEvent(QEvent* evento) {
    QDialog::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}
