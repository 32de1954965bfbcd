#pragma once
// La tabla de un gráfico para verla en una grilla: categorías (con su nombre,
// si lo tienen) por serie, números en formato español alineados a la derecha y
// una fila "Total" que queda al pie aunque se ordene por cualquier columna.
#include "TablaDatos.h"
#include <QAbstractTableModel>
#include <vector>

class ModeloVerDatos : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit ModeloVerDatos(TablaDatos tabla, QObject* padre = nullptr);

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol = Qt::DisplayRole) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion,
                        int rol = Qt::DisplayRole) const override;
    // Ordena las categorías; la columna 0 por rótulo, la de los nombres por
    // nombre, las demás por valor (los vacíos al final). Total sigue última.
    void sort(int columna, Qt::SortOrder orden = Qt::AscendingOrder) override;

    const TablaDatos& Tabla() const { return tabla_; }
    bool EsFilaTotal(int fila) const { return fila == tabla_.Filas(); }

private:
    // Columna de la primera serie: 1, o 2 con la de los nombres.
    int Primera() const { return conNombres_ ? 2 : 1; }
    bool conNombres_ = false;
    TablaDatos tabla_;
    std::vector<int> orden_; // fila de la tabla que va en cada fila de la grilla
    std::vector<double> totales_;
};
