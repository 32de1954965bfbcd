#include "frmEstadistica.h"
#include "AccionesGrafico.h"
#include "AyudasVentana.h"
#include "DateTimeBox.h"
#include "DibujoGrafico.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
#include "ImprimirEstadistica.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include "VistaGrafico.h"
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

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
    setFixedSize(Px(d.areaCliente.width()), Px(d.areaCliente.height()));
    const bool conGraficos = d.graficos > 0;

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
        const QRect& r = d.lugarGrafico[size_t(i)];
        vistas_[size_t(i)]->setGeometry(Px(r.x()), Px(r.y()), Px(r.width()), Px(r.height()));
        vistas_[size_t(i)]->hide();
        acciones_[size_t(i)] = new AccionesGrafico(vistas_[size_t(i)], [this] {
            return EncabezadoLibro{logica_->Descripcion().caption, caja_->Fecha(),
                                   Glob().Municipalidad};
        });
    }
    // Chart2 se dibuja encima de la franja en que los dos se superponen: Chart
    // no pone nada ahí.
    if (vistas_[0] && vistas_[1]) {
        const int superpuestos =
            d.lugarGrafico[0].x() + d.lugarGrafico[0].width() - d.lugarGrafico[1].x();
        vistas_[0]->ReservarDerecha(Px(std::max(0, superpuestos)));
    }

    setTabOrder(cmdActualizar_, cmdImprimir_);
    setTabOrder(cmdImprimir_, cmdCerrar_);
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
    if (logica_->Descripcion().graficos == 0)
        return;
    // Nada de lo que falle aquí sigue hacia el bucle de eventos.
    try {
        if (logica_->Aceptar(*caja_))
            Redibujar();
    } catch (...) {
        MostrarMensaje(objectName() + QStringLiteral(": no se pudo dibujar el gráfico"),
                       QStringLiteral("ERROR"));
    }
}

void frmEstadistica::CmdImprimir_Click() {
    // El módulo de impresión informa sus fallas y vuelve a habilitar la ventana.
    // Los gráficos del reporte los dibuja la misma vista, fuera de pantalla.
    try {
        ImprimirEstadistica(*logica_, caja_->Fecha(), GraficosDeEstadistica(*logica_));
    } catch (...) {
        MostrarMensaje(objectName() + QStringLiteral(": no se pudo imprimir"),
                       QStringLiteral("ERROR"));
    }
}

void frmEstadistica::CmdCerrar_Click() {
    reject();
}

void frmEstadistica::Form_Activate() {
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
