#include "VistaPagina.h"
#include "MotorReporte.h"
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

namespace {
const QColor Fondo(0x80, 0x86, 0x8c);
const QColor Sombra(0, 0, 0, 70);
const int DesplazamientoSombra = 4;
} // namespace

VistaPagina::VistaPagina(MotorReporte& motor, QWidget* padre)
    : QAbstractScrollArea(padre), motor_(motor) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    connect(&motor_, &MotorReporte::paginaCambiada, this, [this] {
        verticalScrollBar()->setValue(0);
        Actualizar();
    });
    connect(&motor_, &MotorReporte::zoomCambiado, this, [this] { Actualizar(); });
}

qreal VistaPagina::Escala() const {
    // Ancho de página y página entera se ajustan al lugar que queda entre márgenes.
    const QSizeF area(viewport()->width() - 2 * Margen, viewport()->height() - 2 * Margen);
    return std::max<qreal>(0.01, motor_.EscalaZoom(area, logicalDpiX()));
}

QRectF VistaPagina::LugarHoja() const {
    const QSizeF hoja = motor_.TamanoPagina() * Escala();
    const QSize vista = viewport()->size();
    // Centrada si entra; si no, desde el margen y según las barras.
    const qreal x = hoja.width() + 2 * Margen <= vista.width()
                        ? (vista.width() - hoja.width()) / 2
                        : Margen - horizontalScrollBar()->value();
    const qreal y = hoja.height() + 2 * Margen <= vista.height()
                        ? (vista.height() - hoja.height()) / 2
                        : Margen - verticalScrollBar()->value();
    return QRectF(QPointF(x, y), hoja);
}

void VistaPagina::Actualizar() {
    const QSizeF hoja = motor_.TamanoPagina() * Escala();
    const QSize vista = viewport()->size();
    // Sin la fracción que deja el redondeo: al ancho de página no sobra nada.
    const int anchoTotal = qCeil(hoja.width() - 1e-6) + 2 * Margen;
    const int altoTotal = qCeil(hoja.height() - 1e-6) + 2 * Margen;
    horizontalScrollBar()->setRange(0, std::max(0, anchoTotal - vista.width()));
    horizontalScrollBar()->setPageStep(vista.width());
    verticalScrollBar()->setRange(0, std::max(0, altoTotal - vista.height()));
    verticalScrollBar()->setPageStep(vista.height());
    viewport()->update();
}

void VistaPagina::Resaltar(const std::optional<HallazgoTexto>& hallazgo) {
    paginaResaltada_ = hallazgo ? hallazgo->pagina : 0;
    resaltado_ = hallazgo ? hallazgo->rectangulo : QRectF();
    Actualizar();
    if (!hallazgo)
        return;
    // Que el texto quede a la vista.
    const qreal escala = Escala();
    const QRectF r(resaltado_.topLeft() * escala, resaltado_.size() * escala);
    const int y = int(r.top()) + Margen;
    if (y < verticalScrollBar()->value() ||
        y + r.height() > verticalScrollBar()->value() + viewport()->height())
        verticalScrollBar()->setValue(y - viewport()->height() / 3);
    const int x = int(r.left()) + Margen;
    if (x < horizontalScrollBar()->value() ||
        x + r.width() > horizontalScrollBar()->value() + viewport()->width())
        horizontalScrollBar()->setValue(x - viewport()->width() / 3);
}

void VistaPagina::paintEvent(QPaintEvent* /*evento*/) {
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Fondo);
    const int pagina = motor_.PaginaActual();
    if (pagina < 1)
        return;
    const QRectF hoja = LugarHoja();
    p.fillRect(hoja.translated(DesplazamientoSombra, DesplazamientoSombra), Sombra);
    p.fillRect(hoja, Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.save();
    p.translate(hoja.topLeft());
    p.setClipRect(QRectF(QPointF(0, 0), hoja.size()));
    const qreal escala = Escala();
    motor_.PintarPagina(pagina, p, escala);
    if (paginaResaltada_ == pagina && !resaltado_.isEmpty()) {
        const QRectF r(resaltado_.topLeft() * escala, resaltado_.size() * escala);
        p.setPen(QPen(QColor(0xe0, 0x80, 0x00), 1.5));
        p.setBrush(QColor(0xff, 0xd8, 0x00, 110));
        p.drawRect(r.adjusted(-2, -1, 2, 1));
    }
    p.restore();
}

void VistaPagina::resizeEvent(QResizeEvent* evento) {
    QAbstractScrollArea::resizeEvent(evento);
    Actualizar();
}

void VistaPagina::scrollContentsBy(int /*dx*/, int /*dy*/) {
    viewport()->update();
}
