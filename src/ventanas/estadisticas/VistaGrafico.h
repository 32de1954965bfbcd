#pragma once
// Vista Qt Charts de un ModeloGrafico: barras agrupadas, una categoría por
// fila y una serie por columna; título, eje Y con su título y escala, leyenda
// y rótulos de punto (el porcentaje se dibuja afuera, sobre cada barra).
#include <QChartView>
#include <QList>

class ModeloGrafico;
class QGraphicsSimpleTextItem;
class QBarSeries;

class VistaGrafico : public QChartView {
    Q_OBJECT

public:
    explicit VistaGrafico(QWidget* parent = nullptr);

    // Vuelve a armar el gráfico con lo que tiene el modelo.
    void Dibujar(const ModeloGrafico& modelo);

    // Textos de los rótulos de punto que se ven (para revisar la vista).
    QStringList RotulosVisibles() const;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void UbicarRotulos();
    // Leyenda de arriba o de abajo en tantos renglones como haga falta (la
    // del componente corta los nombres largos en un solo renglón).
    void UbicarLeyenda();

    struct Rotulo {
        QGraphicsSimpleTextItem* item = nullptr;
        int fila = 0;    // 0..filas-1
        int columna = 0; // 0..columnas-1
        double valor = 0;
    };
    QBarSeries* barras_ = nullptr;
    int series_ = 0;
    QList<Rotulo> rotulos_;

    struct EntradaLeyenda {
        QString nombre;
        QColor color;
    };
    QList<EntradaLeyenda> entradas_;
    QList<QGraphicsItem*> leyenda_;
    int ubicacionLeyenda_ = 0;
    int alineacionLeyenda_ = 0;
};
