#pragma once
// La grilla de un gráfico como tabla: una fila por categoría y una columna por
// serie, con el título del gráfico, la fecha de sus cifras y su unidad. Es lo
// que se copia, se exporta y se ve.
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class ModeloGrafico;

struct TablaDatos {
    QString titulo; // el del gráfico
    QString encabezadoCategorias = QStringLiteral("Categoría");
    QString encabezadoNombres = QStringLiteral("Descripción");
    QString unidad;         // "en millones de pesos"; vacía si no se sabe
    QDate fecha;            // para la que se generaron las cifras; inválida si no se sabe
    bool sinDatos = false;  // la tabla de trabajo no tenía filas: la grilla es de ceros
    QStringList series;     // nombres de las columnas
    QStringList categorias; // rótulos de las filas
    QStringList nombres;    // nombre de cada categoría; vacía si no lo tienen
    std::vector<std::vector<std::optional<double>>> valores; // [fila][serie]; nulo: sin valor

    int Filas() const { return int(categorias.size()); }
    int Series() const { return int(series.size()); }
    // Alguna categoría tiene nombre: va una columna con los nombres.
    bool ConNombres() const;
    // "Cifras al 30/06/2024", "Sin datos al 30/06/2024", "Sin datos" o nada.
    QString TextoFecha() const;
    // La fecha y la unidad, para encabezar lo que se copia, se exporta y se
    // ve: "Cifras al 30/06/2024, en millones de pesos".
    QString Referencia() const;
    // Suma de cada serie (los nulos no suman).
    std::vector<double> Totales() const;
    // Decimales con que se muestra una serie: 0 si todos sus valores son enteros, si no 2.
    int Decimales(int serie) const;
};

// La tabla del gráfico tal como lo tiene el modelo; una serie sin nombre se
// llama "Serie n". La unidad sale del título del eje Y.
TablaDatos TablaDeGrafico(const ModeloGrafico& modelo);
// "(en millones de pesos)" -> "en millones de pesos"; "Cargos" -> "en cargos".
QString UnidadDeEje(const QString& tituloEje);
