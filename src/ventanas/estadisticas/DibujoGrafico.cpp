#include "DibujoGrafico.h"
#include "Estadistica.h"
#include "VistaGrafico.h"
#include <QCoreApplication>
#include <QPainter>

QPicture DibujarGrafico(const ModeloGrafico& modelo, const QSizeF& milimetros) {
    const QSize pixeles = (milimetros * PixelesPorPulgadaGrafico / 25.4).toSize();
    if (pixeles.width() < 50 || pixeles.height() < 50 || pixeles.width() > 8000 ||
        pixeles.height() > 8000)
        return QPicture();
    // Fuera de pantalla: mostrarla solo le da su tamaño y diagrama el gráfico.
    VistaGrafico vista;
    vista.setAttribute(Qt::WA_DontShowOnScreen, true);
    vista.setFrameShape(QFrame::NoFrame);
    vista.resize(pixeles);
    vista.Dibujar(modelo);
    vista.show();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QPicture dibujo;
    dibujo.setBoundingRect(QRect(QPoint(0, 0), pixeles));
    QPainter pintor(&dibujo);
    pintor.setRenderHint(QPainter::Antialiasing);
    vista.render(&pintor, QRectF(QPointF(0, 0), QSizeF(pixeles)), vista.rect());
    pintor.end();
    dibujo.setBoundingRect(QRect(QPoint(0, 0), pixeles));
    return dibujo;
}

std::function<QPicture(const QString&, const QSizeF&)>
GraficosDeEstadistica(const Estadistica& estadistica) {
    return [&estadistica](const QString& nombre, const QSizeF& milimetros) {
        const QString n = nombre.trimmed().toCaseFolded();
        const int indice = n == QLatin1String("grafico1")   ? 0
                           : n == QLatin1String("grafico2") ? 1
                                                            : -1;
        if (indice < 0 || indice >= estadistica.Descripcion().graficos)
            return QPicture();
        return DibujarGrafico(estadistica.Grafico(indice), milimetros);
    };
}
