#include "VistaGrafico.h"
#include "ModeloGrafico.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetrics>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QLegend>
#include <QLocale>
#include <QValueAxis>
#include <cmath>

namespace {

// Paso "redondo" (1, 2, 2,5 o 5 por una potencia de diez) que cubre el rango en n divisiones.
double PasoRedondo(double rango, int divisiones) {
    if (rango <= 0 || divisiones <= 0)
        return 1;
    const double crudo = rango / divisiones;
    const double potencia = std::pow(10.0, std::floor(std::log10(crudo)));
    for (double f : {1.0, 2.0, 2.5, 5.0, 10.0})
        if (f * potencia >= crudo)
            return f * potencia;
    return 10 * potencia;
}

QFont Fuente(double puntos, bool negrita = false) {
    QFont f;
    if (puntos > 0)
        f.setPointSizeF(puntos);
    f.setBold(negrita);
    return f;
}

} // namespace

VistaGrafico::VistaGrafico(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    QChart* grafico = chart();
    grafico->setAnimationOptions(QChart::NoAnimation);
    grafico->setLocalizeNumbers(true);
    grafico->setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    grafico->setBackgroundRoundness(0);
    grafico->setMargins(QMargins(6, 6, 6, 6));
    connect(grafico, &QChart::plotAreaChanged, this, [this] { UbicarRotulos(); });
}

void VistaGrafico::Dibujar(const ModeloGrafico& m) {
    QChart* grafico = chart();
    for (Rotulo& r : rotulos_)
        delete r.item;
    rotulos_.clear();
    grafico->removeAllSeries();
    barras_ = nullptr;
    for (QAbstractAxis* eje : grafico->axes()) {
        grafico->removeAxis(eje);
        delete eje;
    }

    grafico->setTitle(m.TitleText);
    grafico->setTitleFont(Fuente(11, true));

    const int filas = m.RowCount();
    const int columnas = m.ColumnCount();
    series_ = columnas;
    barras_ = new QBarSeries();
    barras_->setBarWidth(0.8);
    double minimo = 0;
    bool enteros = true; // todos los valores sin decimales (cantidades)
    double maximo = 0;
    for (int c = 1; c <= columnas; ++c) {
        auto* conjunto = new QBarSet(m.ColumnLabel(c));
        for (int f = 1; f <= filas; ++f) {
            const double v = m.Dato(f, c);
            conjunto->append(v);
            minimo = std::min(minimo, v);
            maximo = std::max(maximo, v);
            enteros = enteros && v == std::floor(v);
        }
        barras_->append(conjunto);
    }
    grafico->addSeries(barras_);

    // Categorías: los rótulos de fila; repetidos o vacíos se distinguen con
    // espacios de ancho cero porque el eje no admite categorías iguales.
    auto* categorias = new QBarCategoryAxis();
    QStringList nombres;
    for (int f = 1; f <= filas; ++f) {
        QString rotulo = m.RowLabel(f);
        if (rotulo.isEmpty())
            rotulo = QStringLiteral(" "); // vacío, el eje mostraría el número de categoría
        while (nombres.contains(rotulo))
            rotulo += QChar(0x200B);
        nombres << rotulo;
    }
    categorias->append(nombres);
    categorias->setLabelsFont(Fuente(9));
    grafico->addAxis(categorias, Qt::AlignBottom);
    barras_->attachAxis(categorias);

    auto* ejeY = new QValueAxis();
    ejeY->setTitleText(m.EjeY.titulo);
    ejeY->setTitleFont(Fuente(m.EjeY.tamanioFuente));
    ejeY->setLabelsFont(Fuente(8));
    // Lugar arriba para los rótulos que van afuera de las barras.
    bool hayRotulos = false;
    for (int c = 1; c <= columnas; ++c)
        hayRotulos = hayRotulos || m.Rotulos(c).ubicacion != CodigoGrafico::RotuloNinguno;
    if (hayRotulos)
        maximo += (maximo - minimo) * 0.08;
    if (enteros && maximo - minimo < 5)
        maximo = minimo + 5;
    if (maximo <= minimo)
        maximo = minimo + 1;
    if (m.EjeY.divisionesMayores > 0) {
        const double paso = PasoRedondo(maximo - minimo, m.EjeY.divisionesMayores);
        const double desde = std::floor(minimo / paso) * paso;
        int divisiones = m.EjeY.divisionesMayores;
        while (desde + paso * divisiones < maximo)
            ++divisiones;
        ejeY->setRange(desde, desde + paso * divisiones);
        ejeY->setTickCount(divisiones + 1);
    } else {
        ejeY->setRange(minimo, maximo);
        ejeY->applyNiceNumbers();
    }
    ejeY->setLabelFormat(enteros || maximo - minimo >= 10 ? QStringLiteral("%.0f")
                                                          : QStringLiteral("%.2f"));
    grafico->addAxis(ejeY, Qt::AlignLeft);
    barras_->attachAxis(ejeY);

    // Leyenda: a los costados la del componente; arriba o abajo, la propia.
    QLegend* leyenda = grafico->legend();
    leyenda->setFont(Fuente(9));
    leyenda->setShowToolTips(true);
    ubicacionLeyenda_ = m.Leyenda.ubicacion;
    alineacionLeyenda_ = m.Leyenda.alineacion;
    entradas_.clear();
    const bool costado = ubicacionLeyenda_ == CodigoGrafico::LeyendaIzquierda ||
                         ubicacionLeyenda_ == CodigoGrafico::LeyendaDerecha;
    leyenda->setVisible(costado && columnas > 0);
    leyenda->setAlignment(ubicacionLeyenda_ == CodigoGrafico::LeyendaIzquierda ? Qt::AlignLeft
                                                                               : Qt::AlignRight);
    if (!costado)
        for (QBarSet* conjunto : barras_->barSets())
            entradas_.append({conjunto->label(), conjunto->color()});

    // Rótulos de punto: los textos los da el modelo; se ubican sobre cada barra.
    // (Los marcadores de punto no se dibujan en barras; el modelo los conserva.)
    for (int c = 1; c <= columnas; ++c) {
        const RotuloPuntos& r = m.Rotulos(c);
        if (r.ubicacion == CodigoGrafico::RotuloNinguno)
            continue;
        for (int f = 1; f <= filas; ++f) {
            const QString texto = m.TextoRotulo(f, c);
            if (texto.isEmpty())
                continue;
            auto* item = new QGraphicsSimpleTextItem(texto, grafico);
            item->setFont(Fuente(r.tamanioFuente > 0 ? r.tamanioFuente : 9, true));
            item->setZValue(10);
            rotulos_.append({item, f - 1, c - 1, m.Dato(f, c)});
        }
    }
    setVisible(m.Visible);
    UbicarLeyenda();
    UbicarRotulos();
}

void VistaGrafico::resizeEvent(QResizeEvent* evento) {
    QChartView::resizeEvent(evento);
    UbicarLeyenda();
    UbicarRotulos();
}

void VistaGrafico::UbicarLeyenda() {
    QChart* grafico = chart();
    for (QGraphicsItem* item : leyenda_)
        delete item;
    leyenda_.clear();
    const int margen = 6;
    if (entradas_.isEmpty()) {
        grafico->setMargins(QMargins(margen, margen, margen, margen));
        return;
    }
    const QFont fuente = Fuente(9);
    const QFontMetrics medidas(fuente);
    const int marca = 10;
    const int separacion = 4;
    const int entreEntradas = 14;
    const int alto = std::max(medidas.height(), marca) + 4;
    const int ancho = std::max(40, int(grafico->size().width()) - 2 * margen - 12);

    // Renglones: cada entrada entera en uno; una que no cabe sola se acorta.
    struct Pieza {
        QString texto;
        QString nombre;
        QColor color;
        int ancho;
    };
    QList<QList<Pieza>> renglones(1);
    int usado = 0;
    for (const EntradaLeyenda& e : entradas_) {
        QString texto = e.nombre;
        int w = marca + separacion + medidas.horizontalAdvance(texto);
        if (w > ancho) {
            texto = medidas.elidedText(texto, Qt::ElideRight, ancho - marca - separacion);
            w = marca + separacion + medidas.horizontalAdvance(texto);
        }
        if (!renglones.last().isEmpty() && usado + entreEntradas + w > ancho) {
            renglones.append(QList<Pieza>());
            usado = 0;
        }
        usado += (renglones.last().isEmpty() ? 0 : entreEntradas) + w;
        renglones.last().append({texto, e.nombre, e.color, w});
    }

    const int altoLeyenda = int(renglones.size()) * alto;
    const bool abajo = ubicacionLeyenda_ >= 5 && ubicacionLeyenda_ <= 7;
    grafico->setMargins(abajo ? QMargins(margen, margen, margen, margen + altoLeyenda + 4)
                              : QMargins(margen, margen + altoLeyenda + 4, margen, margen));
    const qreal anchoGrafico = grafico->size().width();
    qreal y = abajo ? grafico->size().height() - margen - altoLeyenda
                    : margen + (grafico->title().isEmpty()
                                    ? 0
                                    : QFontMetrics(grafico->titleFont()).height() + 4);
    for (const QList<Pieza>& renglon : renglones) {
        int total = 0;
        for (const Pieza& p : renglon)
            total += p.ancho + (total ? entreEntradas : 0);
        qreal x = margen + 6;
        if (alineacionLeyenda_ == CodigoGrafico::AlineacionCentro)
            x = (anchoGrafico - total) / 2;
        else if (alineacionLeyenda_ == CodigoGrafico::AlineacionDerecha)
            x = anchoGrafico - margen - 6 - total;
        for (const Pieza& p : renglon) {
            auto* cuadro = new QGraphicsRectItem(0, 0, marca, marca, grafico);
            cuadro->setBrush(p.color);
            cuadro->setPen(Qt::NoPen);
            cuadro->setPos(x, y + (alto - marca) / 2.0);
            auto* texto = new QGraphicsSimpleTextItem(p.texto, grafico);
            texto->setFont(fuente);
            texto->setPos(x + marca + separacion, y + (alto - medidas.height()) / 2.0);
            texto->setToolTip(p.nombre);
            leyenda_ << cuadro << texto;
            x += p.ancho + entreEntradas;
        }
        y += alto;
    }
}

void VistaGrafico::UbicarRotulos() {
    if (!barras_ || series_ == 0)
        return;
    const double ancho = barras_->barWidth();
    for (Rotulo& r : rotulos_) {
        const double x = r.fila - ancho / 2 + (r.columna + 0.5) * ancho / series_;
        const QPointF punta = chart()->mapToPosition(QPointF(x, r.valor), barras_);
        const QRectF caja = r.item->boundingRect();
        const double y = r.valor >= 0 ? punta.y() - caja.height() - 2 : punta.y() + 2;
        r.item->setPos(punta.x() - caja.width() / 2, y);
    }
}

QStringList VistaGrafico::RotulosVisibles() const {
    QStringList textos;
    for (const Rotulo& r : rotulos_)
        textos << r.item->text();
    return textos;
}
