// Salida del motor: pintar una página, imagen, PDF, impresora y búsqueda.
#include "Corrida.h"
#include "MotorReporte.h"
#include "PintorReporte.h"
#include <QFileInfo>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPicture>

QSizeF MotorReporte::TamanoPagina() const {
    if (corrida_)
        return corrida_->definicion->TamanoPagina();
    if (definicion_)
        return definicion_->TamanoPagina();
    return Definicion().TamanoPagina();
}

qreal MotorReporte::EscalaZoom(const QSizeF& area, qreal puntosPorPulgada) const {
    const QSizeF hoja = TamanoPagina();
    if (zoom_ == ZoomAnchoPagina && area.width() > 0)
        return area.width() / hoja.width();
    if (zoom_ == ZoomPaginaEntera && area.width() > 0 && area.height() > 0)
        return std::min(area.width() / hoja.width(), area.height() / hoja.height());
    const qreal porcentaje = zoom_ < ZoomMinimo ? 100 : zoom_;
    return puntosPorPulgada / 72.0 * porcentaje / 100.0;
}

void MotorReporte::PintarPagina(int pagina, QPainter& pintor, qreal escala) const {
    if (!corrida_ || pagina < 1 || pagina > TotalPaginas())
        return;
    const ContextoPagina contexto{&tabla_, momento_, pagina, TotalPaginas()};
    const std::vector<Trazo> trazos = ArmarPagina(*corrida_, pagina - 1, contexto);
    pintor.save();
    pintor.scale(escala, escala);
    PintarTrazos(trazos, pintor);
    pintor.restore();
}

QImage MotorReporte::ImagenPagina(int pagina, qreal puntosPorPulgada) const {
    const QSizeF hoja = TamanoPagina() * (puntosPorPulgada / 72.0);
    QImage imagen(hoja.toSize(), QImage::Format_RGB32);
    const int puntosPorMetro = qRound(puntosPorPulgada / 0.0254);
    imagen.setDotsPerMeterX(puntosPorMetro);
    imagen.setDotsPerMeterY(puntosPorMetro);
    imagen.fill(Qt::white);
    QPainter pintor(&imagen);
    PintarPagina(pagina, pintor, puntosPorPulgada / 72.0);
    return imagen;
}

bool MotorReporte::Imprimir(QPagedPaintDevice& dispositivo, int desde, int hasta) {
    if (!corrida_)
        return Fallar(FallaAccion, QStringLiteral("No hay un reporte corrido para imprimir."));
    const int total = TotalPaginas();
    desde = std::clamp(desde, 1, total);
    hasta = hasta <= 0 ? total : std::clamp(hasta, desde, total);
    const Definicion& d = *corrida_->definicion;
    QPageLayout hoja(QPageSize(d.papel), d.orientacion, QMarginsF(), QPageLayout::Point);
    hoja.setMode(QPageLayout::FullPageMode);
    dispositivo.setPageLayout(hoja);
    QPainter pintor;
    if (!pintor.begin(&dispositivo))
        return Fallar(FallaSalida, QStringLiteral("No se pudo empezar a imprimir el reporte."));
    const qreal escala = dispositivo.logicalDpiX() / 72.0;
    for (int pagina = desde; pagina <= hasta; ++pagina) {
        if (pagina > desde)
            dispositivo.newPage();
        PintarPagina(pagina, pintor, escala);
    }
    if (!pintor.end())
        return Fallar(FallaSalida, QStringLiteral("No se pudo terminar de imprimir el reporte."));
    return true;
}

bool MotorReporte::ExportarPdf(const QString& archivo) {
    if (!corrida_)
        return Fallar(FallaAccion, QStringLiteral("No hay un reporte corrido para exportar."));
    QPdfWriter pdf(archivo);
    // La resolución con que se graban los dibujos (los gráficos): así se
    // pintan vectoriales y sus textos quedan como textos en el PDF.
    pdf.setResolution(QPicture().logicalDpiY());
    pdf.setCreator(QStringLiteral("Miravel"));
    pdf.setTitle(tituloReporte_.isEmpty() ? QFileInfo(archivo_).completeBaseName()
                                          : tituloReporte_);
    if (!Imprimir(pdf)) {
        Fallar(FallaSalida, QStringLiteral("No se pudo escribir el PDF %1.").arg(archivo));
        return false;
    }
    return true;
}

std::optional<HallazgoTexto> MotorReporte::BuscarTexto(const QString& texto,
                                                       const HallazgoTexto& desde) const {
    if (texto.isEmpty() || !corrida_)
        return std::nullopt;
    const int total = TotalPaginas();
    for (int pagina = std::max(desde.pagina, 1); pagina <= total; ++pagina) {
        const ContextoPagina contexto{&tabla_, momento_, pagina, total};
        const std::vector<Trazo> trazos = ArmarPagina(*corrida_, pagina - 1, contexto);
        const bool seguir = pagina == desde.pagina;
        for (int t = seguir ? std::max(desde.trazo, 0) : 0; t < int(trazos.size()); ++t) {
            const Trazo& trazo = trazos[size_t(t)];
            if (trazo.tipo != Trazo::Tipo::Texto)
                continue;
            const qsizetype inicio = seguir && t == desde.trazo ? desde.posicion + 1 : 0;
            const qsizetype i = trazo.texto.indexOf(texto, inicio, Qt::CaseInsensitive);
            if (i >= 0)
                return HallazgoTexto{pagina, t, int(i), RectanguloDeTramo(trazo, i, texto.size())};
        }
    }
    return std::nullopt;
}
