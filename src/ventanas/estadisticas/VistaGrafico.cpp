#include "VistaGrafico.h"
#include "ColoresSeries.h"
#include "ModeloGrafico.h"
#include "NumerosEs.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QFontMetrics>
#include <QGraphicsEllipseItem>
#include <QGraphicsLayout>
#include <QGraphicsRectItem>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLegend>
#include <QLegendMarker>
#include <QLocale>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <cmath>

namespace {

constexpr int Margen = 6;
constexpr double TwipsPorPixel = 15.0;
// El tooltip de una barra dura mientras el puntero siga sobre ella.
constexpr int DuracionTooltip = 10 * 60 * 1000;

// El menor paso "redondo" (1; 1,2; 1,5; 2; 2,5; 3; 4; 5; 6 u 8 por una
// potencia de diez) que no es menor que el dado.
double PasoRedondo(double minimo) {
    if (minimo <= 0)
        return 1;
    const double potencia = std::pow(10.0, std::floor(std::log10(minimo)));
    for (double f : {1.0, 1.2, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0, 6.0, 8.0, 10.0})
        if (f * potencia >= minimo * (1 - 1e-12))
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

// Renglones de un texto que no pasan del ancho, cortando entre palabras; una
// palabra más ancha que el renglón queda sola en el suyo.
QStringList Renglones(const QString& texto, const QFontMetrics& medidas, int ancho) {
    QStringList renglones;
    QString actual;
    for (const QString& palabra : texto.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString probado = actual.isEmpty() ? palabra : actual + QLatin1Char(' ') + palabra;
        if (!actual.isEmpty() && medidas.horizontalAdvance(probado) > ancho) {
            renglones << actual;
            actual = palabra;
        } else {
            actual = probado;
        }
    }
    if (!actual.isEmpty() || renglones.isEmpty())
        renglones << actual;
    return renglones;
}

} // namespace

VistaGrafico::VistaGrafico(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setFrameShape(QFrame::NoFrame);
    QChart* grafico = chart();
    // El fondo del gráfico ocupa todo el control, sin el borde gris del componente.
    grafico->layout()->setContentsMargins(0, 0, 0, 0);
    grafico->setAnimationOptions(QChart::NoAnimation);
    grafico->setLocalizeNumbers(true);
    grafico->setLocale(QLocale(QLocale::Spanish, QLocale::Argentina));
    grafico->setBackgroundRoundness(0);
    aviso_ = new QGraphicsSimpleTextItem(grafico);
    aviso_->setFont(Fuente(12, true));
    aviso_->setBrush(QColor(0x60, 0x60, 0x60));
    aviso_->setZValue(11);
    grafico->setMargins(QMargins(Margen, Margen, Margen, Margen));
    connect(grafico, &QChart::plotAreaChanged, this, [this] {
        AjustarCategorias();
        UbicarPuntos();
    });
}

void VistaGrafico::ReservarDerecha(int pixeles) {
    reservaDerecha_ = std::max(0, pixeles);
    Ubicar();
}

void VistaGrafico::Dibujar(const ModeloGrafico& m) {
    QChart* grafico = chart();
    for (const Punto& p : rotulos_ + marcadores_)
        delete p.item;
    rotulos_.clear();
    marcadores_.clear();
    tamanioMarcador_.clear();
    grafico->removeAllSeries();
    for (QAbstractAxis* eje : grafico->axes()) {
        grafico->removeAxis(eje);
        delete eje;
    }

    tabla_ = TablaDeGrafico(m);
    ocultas_.clear();
    estilos_.clear();
    senalada_ = QPoint(-1, -1);
    // Bajo el título, la fecha de las cifras.
    const QString cuando = tabla_.sinDatos ? QString() : tabla_.TextoFecha();
    grafico->setTitle(cuando.isEmpty() ? m.TitleText.toHtmlEscaped()
                                       : m.TitleText.toHtmlEscaped() +
                                             QStringLiteral("<br><span style=\"font-size:8pt; "
                                                            "font-weight:normal;\">") +
                                             cuando + QStringLiteral("</span>"));
    grafico->setTitleFont(Fuente(11, true));
    aviso_->setText(tabla_.sinDatos ? tabla_.TextoFecha() : QString());

    filas_ = m.RowCount();
    series_ = m.ColumnCount();
    barras_ = new QBarSeries();
    barras_->setBarWidth(0.8);
    double minimo = 0;
    double maximo = 0;
    bool enteros = true; // todos los valores sin decimales (cantidades)
    const QList<QColor> colores = ColoresDeSeries(m.NombresSeries());
    for (int c = 1; c <= series_; ++c) {
        auto* conjunto = new QBarSet(m.ColumnLabel(c));
        conjunto->setColor(colores.at(c - 1));
        conjunto->setBorderColor(colores.at(c - 1).darker(120));
        for (int f = 1; f <= filas_; ++f) {
            const double v = m.Dato(f, c);
            conjunto->append(v);
            minimo = std::min(minimo, v);
            maximo = std::max(maximo, v);
            enteros = enteros && v == std::floor(v);
        }
        barras_->append(conjunto);
    }
    grafico->addSeries(barras_);
    for (QBarSet* conjunto : barras_->barSets())
        estilos_.append({conjunto->brush(), conjunto->pen()});
    connect(barras_, &QBarSeries::hovered, this, &VistaGrafico::Senalar);
    const QList<QLegendMarker*> marcas = grafico->legend()->markers(barras_);
    for (int i = 0; i < marcas.size(); ++i)
        connect(marcas[i], &QLegendMarker::clicked, this, [this, i] { AlternarSerie(i); });

    // Categorías: los rótulos de fila; repetidos o vacíos se distinguen con
    // espacios de ancho cero porque el eje no admite categorías iguales.
    categorias_ = new QBarCategoryAxis();
    QStringList nombres;
    for (int f = 1; f <= filas_; ++f) {
        QString rotulo = m.RowLabel(f);
        if (rotulo.isEmpty())
            rotulo = QStringLiteral(" "); // vacío, el eje mostraría el número de categoría
        while (nombres.contains(rotulo))
            rotulo += QChar(0x200B);
        nombres << rotulo;
    }
    categorias_->append(nombres);
    categorias_->setLabelsFont(Fuente(9));
    // El eje los acortaría a "..." con poco lugar; el tamaño lo elige AjustarCategorias.
    categorias_->setTruncateLabels(false);
    grafico->addAxis(categorias_, Qt::AlignBottom);
    barras_->attachAxis(categorias_);

    // Lugar arriba para los rótulos y marcadores que van sobre las barras.
    bool hayRotulos = false;
    for (int c = 1; c <= series_; ++c)
        hayRotulos = hayRotulos || m.Rotulos(c).ubicacion != CodigoGrafico::RotuloNinguno ||
                     !m.Marcador(c).automatico;
    if (hayRotulos)
        maximo += (maximo - minimo) * 0.08;
    ArmarEscala(m, minimo, maximo, enteros);

    // Leyenda: a los costados la del componente; arriba o abajo, la propia.
    QLegend* leyenda = grafico->legend();
    leyenda->setFont(Fuente(9));
    leyenda->setShowToolTips(true);
    ubicacionLeyenda_ = m.Leyenda.ubicacion;
    alineacionLeyenda_ = m.Leyenda.alineacion;
    ajusteLeyenda_ = m.Leyenda.ajusteLinea;
    entradas_.clear();
    const bool costado = ubicacionLeyenda_ == CodigoGrafico::LeyendaIzquierda ||
                         ubicacionLeyenda_ == CodigoGrafico::LeyendaDerecha;
    leyenda->setVisible(costado && series_ > 0);
    leyenda->setAlignment(ubicacionLeyenda_ == CodigoGrafico::LeyendaIzquierda ? Qt::AlignLeft
                                                                               : Qt::AlignRight);
    if (!costado)
        for (QBarSet* conjunto : barras_->barSets())
            entradas_.append({conjunto->label(), conjunto->color()});

    // Rótulos de punto (los textos los da el modelo) y marcadores, por punto.
    for (int c = 1; c <= series_; ++c) {
        const RotuloPuntos& r = m.Rotulos(c);
        const MarcadorSerie& marca = m.Marcador(c);
        const QColor color = barras_->barSets().at(c - 1)->color();
        for (int f = 1; f <= filas_; ++f) {
            if (!marca.automatico && marca.estilo == CodigoGrafico::MarcadorCirculoLleno) {
                auto* circulo = new QGraphicsEllipseItem(grafico);
                circulo->setBrush(color.darker(160));
                circulo->setPen(QPen(Qt::white, 1));
                circulo->setZValue(9);
                marcadores_.append({circulo, f - 1, c - 1, m.Dato(f, c)});
                tamanioMarcador_.append(marca.tamanio / TwipsPorPixel);
            }
            const QString texto = m.TextoRotulo(f, c);
            if (r.ubicacion == CodigoGrafico::RotuloNinguno || texto.isEmpty())
                continue;
            auto* item = new QGraphicsSimpleTextItem(texto, grafico);
            item->setFont(Fuente(r.tamanioFuente > 0 ? r.tamanioFuente : 9, true));
            item->setZValue(10);
            rotulos_.append({item, f - 1, c - 1, m.Dato(f, c)});
        }
    }
    setVisible(m.Visible);
    Ubicar();
}

void VistaGrafico::ArmarEscala(const ModeloGrafico& m, double minimo, double maximo, bool enteros) {
    ejeY_ = new QValueAxis();
    ejeY_->setTitleText(m.EjeY.titulo);
    ejeY_->setTitleFont(Fuente(m.EjeY.tamanioFuente));
    ejeY_->setLabelsFont(Fuente(8));
    if (enteros && maximo - minimo < 5)
        maximo = minimo + 5;
    if (maximo <= minimo)
        maximo = minimo + 1;
    // La escala sale siempre de los datos (el modelo no guarda mínimo ni
    // máximo); con divisiones pedidas son exactamente esas, de paso redondo.
    const int divisiones = m.EjeY.divisionesMayores;
    double paso = 0;
    if (divisiones > 0) {
        paso = PasoRedondo((maximo - minimo) / divisiones);
        double desde = std::floor(minimo / paso) * paso;
        while (desde + paso * divisiones < maximo * (1 - 1e-12)) {
            paso = PasoRedondo(paso * 1.0001);
            desde = std::floor(minimo / paso) * paso;
        }
        ejeY_->setRange(desde, desde + paso * divisiones);
        ejeY_->setTickCount(divisiones + 1);
    } else {
        ejeY_->setRange(minimo, maximo);
        ejeY_->applyNiceNumbers();
        paso = (ejeY_->max() - ejeY_->min()) / std::max(1, ejeY_->tickCount() - 1);
    }
    // Decimales: los que necesita el paso de la escala.
    const int decimales = enteros || paso >= 1 ? 0 : paso >= 0.1 ? 1 : 2;
    ejeY_->setLabelFormat(QStringLiteral("%.") + QString::number(decimales) + QLatin1Char('f'));
    chart()->addAxis(ejeY_, Qt::AlignLeft);
    barras_->attachAxis(ejeY_);
}

void VistaGrafico::resizeEvent(QResizeEvent* evento) {
    QChartView::resizeEvent(evento);
    Ubicar();
}

void VistaGrafico::Ubicar() {
    UbicarLeyenda();
    AjustarCategorias();
    UbicarPuntos();
}

void VistaGrafico::UbicarLeyenda() {
    QChart* grafico = chart();
    for (QGraphicsItem* item : leyenda_)
        delete item;
    leyenda_.clear();
    textosLeyenda_.clear();
    const int derecha = Margen + reservaDerecha_;
    if (entradas_.isEmpty()) {
        grafico->setMargins(QMargins(Margen, Margen, derecha, Margen));
        return;
    }
    const QFont fuente = Fuente(9);
    const QFontMetrics medidas(fuente);
    const int marca = 10;
    const int separacion = 4;
    const int entreEntradas = 14;
    const int alto = std::max(medidas.height(), marca) + 2;
    const int ancho = std::max(40, int(grafico->size().width()) - Margen - derecha - 2 * Margen);
    const int anchoTexto = ancho - marca - separacion;

    // Cada entrada entera en un renglón de la leyenda; una que no cabe sola
    // se parte en renglones propios (con ajuste de línea) o se acorta.
    struct Pieza {
        QStringList renglones;
        QString nombre;
        QColor color;
        int ancho;
        int serie;
    };
    QList<QList<Pieza>> filas(1);
    int usado = 0;
    for (int serie = 0; serie < entradas_.size(); ++serie) {
        const EntradaLeyenda& e = entradas_[serie];
        QStringList renglones{e.nombre};
        if (medidas.horizontalAdvance(e.nombre) > anchoTexto)
            renglones = ajusteLeyenda_
                            ? Renglones(e.nombre, medidas, anchoTexto)
                            : QStringList{medidas.elidedText(e.nombre, Qt::ElideRight, anchoTexto)};
        int w = 0;
        for (const QString& r : renglones)
            w = std::max(w, medidas.horizontalAdvance(r));
        w += marca + separacion;
        if (!filas.last().isEmpty() && usado + entreEntradas + w > ancho) {
            filas.append(QList<Pieza>());
            usado = 0;
        }
        usado += (filas.last().isEmpty() ? 0 : entreEntradas) + w;
        filas.last().append({renglones, e.nombre, e.color, w, serie});
        textosLeyenda_ << renglones.join(QLatin1Char('\n'));
    }

    QList<int> altos;
    int altoLeyenda = 0;
    for (const QList<Pieza>& fila : filas) {
        qsizetype renglones = 1;
        for (const Pieza& p : fila)
            renglones = std::max(renglones, p.renglones.size());
        altos << int(renglones) * (medidas.height()) + (alto - medidas.height());
        altoLeyenda += altos.last();
    }
    const bool abajo = ubicacionLeyenda_ >= 5 && ubicacionLeyenda_ <= 7;
    grafico->setMargins(abajo ? QMargins(Margen, Margen, derecha, Margen + altoLeyenda + 4)
                              : QMargins(Margen, Margen + altoLeyenda + 4, derecha, Margen));
    const qreal anchoGrafico = grafico->size().width() - reservaDerecha_;
    qreal y = abajo ? grafico->size().height() - Margen - altoLeyenda
                    : Margen + (grafico->title().isEmpty()
                                    ? 0
                                    : QFontMetrics(grafico->titleFont()).height() + 4);
    for (qsizetype i = 0; i < filas.size(); ++i) {
        int total = 0;
        for (const Pieza& p : filas[i])
            total += p.ancho + (total ? entreEntradas : 0);
        qreal x = 2 * Margen;
        if (alineacionLeyenda_ == CodigoGrafico::AlineacionCentro)
            x = (anchoGrafico - total) / 2;
        else if (alineacionLeyenda_ == CodigoGrafico::AlineacionDerecha)
            x = anchoGrafico - 2 * Margen - total;
        for (const Pieza& p : filas[i]) {
            // Una serie oculta queda en la leyenda, atenuada.
            const bool visible = SerieVisible(p.serie);
            auto* cuadro = new QGraphicsRectItem(0, 0, marca, marca, grafico);
            cuadro->setBrush(visible ? p.color : QColor(Qt::lightGray));
            cuadro->setPen(Qt::NoPen);
            cuadro->setPos(x, y + (alto - marca) / 2.0);
            cuadro->setData(0, p.serie);
            leyenda_ << cuadro;
            qreal yTexto = y + (alto - medidas.height()) / 2.0;
            for (const QString& renglon : p.renglones) {
                auto* texto = new QGraphicsSimpleTextItem(renglon, grafico);
                texto->setFont(fuente);
                texto->setPos(x + marca + separacion, yTexto);
                texto->setToolTip(p.nombre);
                texto->setData(0, p.serie);
                if (!visible)
                    texto->setBrush(QColor(Qt::gray));
                leyenda_ << texto;
                yTexto += medidas.height();
            }
            x += p.ancho + entreEntradas;
        }
        y += altos[i];
    }
}

void VistaGrafico::AjustarCategorias() {
    if (!categorias_ || filas_ == 0)
        return;
    // Rótulos que no caben uno al lado del otro van con letra más chica y, si
    // ni así caben, verticales.
    const double lugar = chart()->plotArea().width() / filas_;
    if (lugar <= 0)
        return;
    double puntos = 9;
    int angulo = 0;
    for (;; puntos -= 1) {
        const QFontMetrics medidas(Fuente(puntos));
        int mayor = 0;
        for (const QString& rotulo : categorias_->categories())
            mayor = std::max(mayor, medidas.horizontalAdvance(rotulo.trimmed()));
        if (mayor + 2 <= lugar)
            break;
        if (puntos <= 7) {
            angulo = -90;
            break;
        }
    }
    if (categorias_->labelsFont().pointSizeF() != puntos)
        categorias_->setLabelsFont(Fuente(puntos));
    if (categorias_->labelsAngle() != angulo)
        categorias_->setLabelsAngle(angulo);
}

double VistaGrafico::AnchoBarra() const {
    if (!barras_ || series_ == 0)
        return 0;
    const double paso = barras_->barWidth() / series_;
    return std::abs(chart()->mapToPosition(QPointF(paso, 0), barras_).x() -
                    chart()->mapToPosition(QPointF(0, 0), barras_).x());
}

QPointF VistaGrafico::Punta(int fila, int columna, double valor) const {
    const double ancho = barras_->barWidth();
    const double x = fila - ancho / 2 + (columna + 0.5) * ancho / series_;
    return chart()->mapToPosition(QPointF(x, valor), barras_);
}

double VistaGrafico::DiametroMarcador() const {
    if (marcadores_.isEmpty())
        return 0;
    // El tamaño del modelo, sin pasar del ancho de la barra para no tapar a las vecinas.
    return std::max(3.0, std::min(tamanioMarcador_.first(), AnchoBarra()));
}

void VistaGrafico::UbicarPuntos() {
    const QRectF trazado = chart()->plotArea();
    const QRectF caja = aviso_->boundingRect();
    aviso_->setPos(trazado.center().x() - caja.width() / 2,
                   trazado.center().y() - caja.height() / 2);
    if (!barras_ || series_ == 0)
        return;
    const double diametro = DiametroMarcador();
    for (Punto& p : marcadores_) {
        const QPointF punta = Punta(p.fila, p.columna, p.valor);
        static_cast<QGraphicsEllipseItem*>(p.item)->setRect(
            punta.x() - diametro / 2, punta.y() - diametro / 2, diametro, diametro);
    }
    for (Punto& p : rotulos_) {
        const QPointF punta = Punta(p.fila, p.columna, p.valor);
        const QRectF caja = p.item->boundingRect();
        const double despeje = 2 + diametro / 2;
        const double y = p.valor >= 0 ? punta.y() - caja.height() - despeje : punta.y() + despeje;
        p.item->setPos(punta.x() - caja.width() / 2, y);
    }
}

QStringList VistaGrafico::RotulosVisibles() const {
    QStringList textos;
    for (const Punto& p : rotulos_)
        textos << static_cast<QGraphicsSimpleTextItem*>(p.item)->text();
    return textos;
}

QStringList VistaGrafico::TextosLeyenda() const {
    return textosLeyenda_;
}

QString VistaGrafico::TextoPunto(int fila, int serie) const {
    if (fila < 0 || fila >= tabla_.Filas() || serie < 0 || serie >= tabla_.Series())
        return QString();
    const auto& v = tabla_.valores[size_t(fila)][size_t(serie)];
    // El eje muestra el código; el tooltip, además, el nombre ("1 - Gastos en Personal").
    QString categoria = tabla_.categorias.at(fila);
    if (!tabla_.nombres.value(fila).isEmpty())
        categoria += QLatin1String(" - ") + tabla_.nombres.at(fila);
    return tabla_.series.at(serie) + QLatin1Char('\n') + categoria + QLatin1String(": ") +
           (v ? NumerosEs::Exacto(*v) : QStringLiteral("sin dato"));
}

void VistaGrafico::Senalar(bool adentro, int indice, QBarSet* conjunto) {
    const int serie = barras_ ? int(barras_->barSets().indexOf(conjunto)) : -1;
    if (!adentro || !SerieVisible(serie)) {
        senalada_ = QPoint(-1, -1);
        QToolTip::hideText();
        return;
    }
    senalada_ = QPoint(indice, serie);
    QToolTip::showText(QCursor::pos(), TextoPunto(indice, serie), this, QRect(), DuracionTooltip);
}

QString VistaGrafico::Aviso() const {
    return aviso_->text();
}

bool VistaGrafico::viewportEvent(QEvent* evento) {
    // El puntero quieto sobre una barra pide un tooltip: es el de la barra. La
    // escena, que no sabe de barras, lo borraría.
    if (evento->type() == QEvent::ToolTip && senalada_.x() >= 0) {
        const auto* ayuda = static_cast<QHelpEvent*>(evento);
        QToolTip::showText(ayuda->globalPos(), TextoPunto(senalada_.x(), senalada_.y()), this,
                           QRect(), DuracionTooltip);
        return true;
    }
    return QChartView::viewportEvent(evento);
}

void VistaGrafico::keyPressEvent(QKeyEvent* evento) {
    // La tecla de menú abre el menú del gráfico, en su centro.
    if (evento->key() == Qt::Key_Menu && contextMenuPolicy() == Qt::CustomContextMenu) {
        emit customContextMenuRequested(rect().center());
        evento->accept();
        return;
    }
    QChartView::keyPressEvent(evento);
}

void VistaGrafico::focusInEvent(QFocusEvent* evento) {
    QChartView::focusInEvent(evento);
    viewport()->update();
}

void VistaGrafico::focusOutEvent(QFocusEvent* evento) {
    QChartView::focusOutEvent(evento);
    viewport()->update();
}

void VistaGrafico::drawForeground(QPainter* pintor, const QRectF& area) {
    QChartView::drawForeground(pintor, area);
    // Solo al pintar la pantalla: la imagen copiada o grabada no lleva el marco.
    if (!hasFocus() || pintor->device() != viewport())
        return;
    pintor->save();
    pintor->resetTransform();
    pintor->setPen(QPen(palette().highlight(), 2, Qt::DashLine));
    pintor->setBrush(Qt::NoBrush);
    pintor->drawRect(QRectF(viewport()->rect()).adjusted(1, 1, -1, -1));
    pintor->restore();
}

void VistaGrafico::AlternarSerie(int serie) {
    if (serie < 0 || serie >= series_)
        return;
    if (!ocultas_.remove(serie))
        ocultas_.insert(serie);
    PintarSeries();
}

void VistaGrafico::PintarSeries() {
    const QList<QBarSet*> conjuntos = barras_->barSets();
    const QList<QLegendMarker*> marcas = chart()->legend()->markers(barras_);
    for (int i = 0; i < conjuntos.size() && i < estilos_.size(); ++i) {
        const bool visible = SerieVisible(i);
        conjuntos[i]->setBrush(visible ? estilos_[i].first : QBrush(Qt::transparent));
        conjuntos[i]->setPen(visible ? estilos_[i].second : QPen(Qt::transparent));
        if (i < marcas.size()) {
            marcas[i]->setLabelBrush(visible ? QBrush(Qt::black) : QBrush(Qt::gray));
            marcas[i]->setBrush(visible ? estilos_[i].first : QBrush(Qt::lightGray));
        }
    }
    for (const Punto& p : rotulos_ + marcadores_)
        p.item->setVisible(SerieVisible(p.columna));
    UbicarLeyenda();
}

int VistaGrafico::SerieEnLeyenda(const QPoint& punto) const {
    const QPointF enEscena = mapToScene(punto);
    for (QGraphicsItem* item : leyenda_)
        if (item->sceneBoundingRect().adjusted(-2, -2, 2, 2).contains(enEscena))
            return item->data(0).toInt();
    return -1;
}

void VistaGrafico::mousePressEvent(QMouseEvent* evento) {
    const int serie = evento->button() == Qt::LeftButton ? SerieEnLeyenda(evento->pos()) : -1;
    if (serie >= 0) {
        AlternarSerie(serie);
        evento->accept();
        return;
    }
    QChartView::mousePressEvent(evento);
}
