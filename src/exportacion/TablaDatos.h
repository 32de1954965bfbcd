#pragma once
// La grilla de un gráfico como tabla: una fila por categoría y una columna por
// serie, con el título del gráfico. Es lo que se copia, se exporta y se ve.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class ModeloGrafico;

struct TablaDatos {
    QString titulo; // el del gráfico
    QString encabezadoCategorias = QStringLiteral("Categoría");
    QStringList series;                                      // nombres de las columnas
    QStringList categorias;                                  // rótulos de las filas
    std::vector<std::vector<std::optional<double>>> valores; // [fila][serie]; nulo: sin valor

    int Filas() const { return int(categorias.size()); }
    int Series() const { return int(series.size()); }
    // Suma de cada serie (los nulos no suman).
    std::vector<double> Totales() const;
    // Decimales con que se muestra una serie: 0 si todos sus valores son enteros, si no 2.
    int Decimales(int serie) const;
};

// La tabla del gráfico tal como lo tiene el modelo; una serie sin nombre se
// llama "Serie n".
TablaDatos TablaDeGrafico(const ModeloGrafico& modelo);
