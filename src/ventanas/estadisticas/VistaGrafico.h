#pragma once
// Vista Qt Charts de un ModeloGrafico. Un solo tipo de gráfico para todas las
// ventanas: barras agrupadas, una categoría por fila y una barra por serie.
// Dibuja lo que el modelo tiene: título, eje Y con su título, escala y
// divisiones, leyenda (con ajuste de línea si el modelo lo pide), marcadores
// (un círculo lleno sobre la punta de cada barra) y rótulos de punto (el
// porcentaje, afuera, sobre cada barra). Bajo el título dice la fecha de sus
// cifras ("Cifras al 30/06/2024") y, sin datos, lo dice sobre el gráfico. Cada
// serie tiene el color de su nombre. Al señalar una barra muestra su serie,
// categoría y valor exacto mientras el puntero siga ahí; un clic en la leyenda
// oculta o muestra la serie. Con el foco (Tab) se ve un marco, y la tecla de
// menú abre su menú contextual.
#include "TablaDatos.h"
#include <QBrush>
#include <QChartView>
#include <QList>
#include <QPen>
#include <QSet>

class ModeloGrafico;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QGraphicsEllipseItem;
class QGraphicsSimpleTextItem;
class QValueAxis;

class VistaGrafico : public QChartView {
    Q_OBJECT

public:
    explicit VistaGrafico(QWidget* parent = nullptr);

    // Vuelve a armar el gráfico con lo que tiene el modelo.
    void Dibujar(const ModeloGrafico& modelo);
    // Píxeles de la derecha que tapa otro control: ahí no se dibuja nada.
    void ReservarDerecha(int pixeles);

    // Lo que se ve, para revisar la vista.
    QStringList RotulosVisibles() const; // textos de los rótulos de punto
    QStringList TextosLeyenda() const;   // cada entrada con sus renglones separados por '\n'
    int Marcadores() const { return int(marcadores_.size()); }
    double DiametroMarcador() const; // en píxeles; 0 sin marcadores
    QValueAxis* EjeY() const { return ejeY_; }
    QBarCategoryAxis* EjeCategorias() const { return categorias_; }

    // La tabla de lo dibujado, para copiar, exportar y ver.
    const TablaDatos& Tabla() const { return tabla_; }
    // Lo que dice el tooltip de una barra (fila y serie desde 0).
    QString TextoPunto(int fila, int serie) const;
    // Oculta o muestra una serie (desde 0); la leyenda la muestra atenuada.
    void AlternarSerie(int serie);
    bool SerieVisible(int serie) const { return !ocultas_.contains(serie); }
    // Entrada de la leyenda propia (arriba o abajo) en ese punto del control; -1 si no hay.
    int SerieEnLeyenda(const QPoint& punto) const;
    // El aviso sobre el gráfico ("Sin datos al 30/06/2024"); vacío si hay datos.
    QString Aviso() const;
    // La barra señalada (fila y serie desde 0), o (-1, -1).
    QPoint BarraSenalada() const { return senalada_; }

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void mousePressEvent(QMouseEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void focusInEvent(QFocusEvent* evento) override;
    void focusOutEvent(QFocusEvent* evento) override;
    bool viewportEvent(QEvent* evento) override;
    // El marco del foco, solo en pantalla (no en lo que se copia o se graba).
    void drawForeground(QPainter* pintor, const QRectF& area) override;

private:
    void Ubicar(); // leyenda, rótulos, marcadores y categorías según el tamaño actual
    void UbicarLeyenda();
    void PintarSeries(); // colores y leyenda según las series ocultas
    void Senalar(bool adentro, int indice, QBarSet* conjunto);
    void UbicarPuntos();
    void AjustarCategorias();
    void ArmarEscala(const ModeloGrafico& m, double minimo, double maximo, bool enteros);
    // Centro de la punta de una barra, en coordenadas del gráfico.
    QPointF Punta(int fila, int columna, double valor) const;
    double AnchoBarra() const; // píxeles

    struct Punto {
        QGraphicsItem* item = nullptr;
        int fila = 0;    // 0..filas-1
        int columna = 0; // 0..columnas-1
        double valor = 0;
    };
    QBarSeries* barras_ = nullptr;
    QValueAxis* ejeY_ = nullptr;
    QBarCategoryAxis* categorias_ = nullptr;
    int series_ = 0;
    int filas_ = 0;
    QGraphicsSimpleTextItem* aviso_ = nullptr; // "Sin datos al ..." sobre el gráfico
    QPoint senalada_{-1, -1};
    QList<Punto> rotulos_;
    QList<Punto> marcadores_;
    QList<double> tamanioMarcador_; // píxeles pedidos por el modelo, por marcador

    struct EntradaLeyenda {
        QString nombre;
        QColor color;
    };
    QList<EntradaLeyenda> entradas_;
    QList<QGraphicsItem*> leyenda_;
    QStringList textosLeyenda_;
    int ubicacionLeyenda_ = 0;
    int alineacionLeyenda_ = 0;
    bool ajusteLeyenda_ = false;
    int reservaDerecha_ = 0;
    TablaDatos tabla_;
    QSet<int> ocultas_;
    QList<QPair<QBrush, QPen>> estilos_; // los de cada serie, para volver a mostrarla
};
