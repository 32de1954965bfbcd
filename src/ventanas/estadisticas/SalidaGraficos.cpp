#include "SalidaGraficos.h"
#include "ArchivoSalida.h"
#include "VistaGrafico.h"
#include <QDir>
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
    if (!EsArchivoDeImagen(ruta))
        return fallar(QStringLiteral("El archivo %1 no es .png, .svg ni .pdf")
                          .arg(QDir::toNativeSeparators(ruta)));
    // Todo o nada: una imagen a medio grabar no reemplaza a la anterior.
    ArchivoSalida salida(ruta);
    QIODevice* destino = salida.Abrir();
    if (!destino)
        return fallar(salida.Error());
    const QSize tamanio = Area(vistas).size();
    bool pintada = true;
    if (e == QLatin1String("png")) {
        pintada = ImagenGraficos(vistas).save(destino, "PNG");
    } else if (e == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(destino);
        svg.setSize(tamanio);
        svg.setViewBox(QRect(QPoint(0, 0), tamanio));
        svg.setTitle(vistas.first()->Tabla().titulo);
        QPainter p;
        pintada = p.begin(&svg);
        if (pintada) {
            Pintar(p, vistas);
            pintada = p.end();
        }
    } else {
        // Una página del tamaño del gráfico, a 96 puntos por pulgada.
        QPdfWriter pdf(destino);
        pdf.setResolution(96);
        pdf.setPageSize(
            QPageSize(QSizeF(tamanio.width() / 96.0 * 25.4, tamanio.height() / 96.0 * 25.4),
                      QPageSize::Millimeter));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(vistas.first()->Tabla().titulo);
        QPainter p;
        pintada = p.begin(&pdf);
        if (pintada) {
            Pintar(p, vistas);
            pintada = p.end();
        }
    }
    if (!pintada)
        return fallar(QStringLiteral("No se pudo dibujar la imagen de %1.")
                          .arg(QDir::toNativeSeparators(ruta)));
    return salida.Confirmar() || fallar(salida.Error());
}
