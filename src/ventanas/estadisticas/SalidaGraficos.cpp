#include "SalidaGraficos.h"
#include "VistaGrafico.h"
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace {

QString Extension(const QString& ruta) {
    return QFileInfo(ruta).suffix().toLower();
}

// Rectángulo que ocupan todas las vistas, en coordenadas de su ventana.
QRect Area(const QList<VistaGrafico*>& vistas) {
    QRect area;
    for (VistaGrafico* v : vistas)
        area = area.united(v->geometry());
    return area;
}

// Dibuja cada vista en su lugar; el pintor ya está sobre un lienzo del tamaño del área.
void Pintar(QPainter& p, const QList<VistaGrafico*>& vistas) {
    const QRect area = Area(vistas);
    p.fillRect(QRect(QPoint(0, 0), area.size()), Qt::white);
    for (VistaGrafico* v : vistas) {
        const QRect destino = v->geometry().translated(-area.topLeft());
        v->render(&p, destino, v->viewport()->rect());
    }
}

} // namespace

QImage ImagenGraficos(const QList<VistaGrafico*>& vistas) {
    QImage imagen(Area(vistas).size(), QImage::Format_ARGB32_Premultiplied);
    imagen.fill(Qt::white);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    Pintar(p, vistas);
    return imagen;
}

bool EsArchivoDeImagen(const QString& ruta) {
    const QString e = Extension(ruta);
    return e == QLatin1String("png") || e == QLatin1String("svg") || e == QLatin1String("pdf");
}

bool GrabarImagenGraficos(const QList<VistaGrafico*>& vistas, const QString& ruta, QString* error) {
    const auto fallar = [&](const QString& motivo) {
        if (error)
            *error = motivo;
        return false;
    };
    if (vistas.isEmpty())
        return fallar(QStringLiteral("La ventana no tiene gráficos"));
    const QString e = Extension(ruta);
    const QSize tamanio = Area(vistas).size();
    if (e == QLatin1String("png")) {
        if (!ImagenGraficos(vistas).save(ruta, "PNG"))
            return fallar(QStringLiteral("No se pudo grabar %1").arg(ruta));
        return true;
    }
    if (e == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(ruta);
        svg.setSize(tamanio);
        svg.setViewBox(QRect(QPoint(0, 0), tamanio));
        svg.setTitle(vistas.first()->Tabla().titulo);
        QPainter p;
        if (!p.begin(&svg))
            return fallar(QStringLiteral("No se pudo grabar %1").arg(ruta));
        Pintar(p, vistas);
        p.end();
        return QFileInfo::exists(ruta) || fallar(QStringLiteral("No se pudo grabar %1").arg(ruta));
    }
    if (e == QLatin1String("pdf")) {
        // Una página del tamaño del gráfico, a 96 puntos por pulgada.
        QPdfWriter pdf(ruta);
        pdf.setResolution(96);
        pdf.setPageSize(
            QPageSize(QSizeF(tamanio.width() / 96.0 * 25.4, tamanio.height() / 96.0 * 25.4),
                      QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(vistas.first()->Tabla().titulo);
        QPainter p;
        if (!p.begin(&pdf))
            return fallar(QStringLiteral("No se pudo grabar %1").arg(ruta));
        Pintar(p, vistas);
        p.end();
        return true;
    }
    return fallar(QStringLiteral("El archivo %1 no es .png, .svg ni .pdf").arg(ruta));
}
