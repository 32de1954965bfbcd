#pragma once
// Modelo de un gráfico de estadística, sin pantalla: la grilla de datos
// (filas = categorías, columnas = series) con sus rótulos, los títulos, el eje
// Y, la leyenda y el formato de cada serie. Las ventanas lo llenan con las
// mismas operaciones que usaban sobre el control de gráficos; una vista lo
// dibuja. Filas, columnas y niveles se cuentan desde 1.
#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

// Ubicaciones (de leyenda y de rótulos de punto) y demás códigos del control.
namespace CodigoGrafico {
// Leyenda
inline constexpr int LeyendaArriba = 1;
inline constexpr int LeyendaIzquierda = 3;
inline constexpr int LeyendaDerecha = 4;
inline constexpr int LeyendaAbajo = 6;
// Alineación horizontal del texto de la leyenda
inline constexpr int AlineacionIzquierda = 0;
inline constexpr int AlineacionDerecha = 1;
inline constexpr int AlineacionCentro = 2;
// Rótulos de punto: ubicación y componentes (se suman)
inline constexpr int RotuloNinguno = 0;
inline constexpr int RotuloArriba = 1;
inline constexpr int RotuloAdentro = 5;
inline constexpr int RotuloAfuera = 6;
inline constexpr int ComponenteValor = 1;
inline constexpr int ComponentePorcentaje = 2;
inline constexpr int ComponenteSerie = 4;
inline constexpr int ComponentePunto = 8;
// Marcadores
inline constexpr int MarcadorCirculoLleno = 9;
} // namespace CodigoGrafico

struct MarcadorSerie {
    bool automatico = true; // SeriesMarker.Auto
    int estilo = 0;         // Marker.Style
    int tamanio = 0;        // Marker.Size (twips)
};

struct RotuloPuntos {
    int ubicacion = CodigoGrafico::RotuloNinguno; // LocationType
    int componentes = CodigoGrafico::ComponenteValor;
    QString formatoPorcentaje; // "0%", "0.0%"...
    double tamanioFuente = 0;  // 0: el de la vista
    int serieBase = 0;         // el porcentaje es sobre esta serie; 0: sobre el total de la fila
};

struct EjeYGrafico {
    QString titulo;
    double tamanioFuente = 0;
    bool escalaAutomatica = true;
    int divisionesMayores = 0; // 0: las que elija la vista
};

struct LeyendaGrafico {
    int ubicacion = CodigoGrafico::LeyendaDerecha;
    int alineacion = CodigoGrafico::AlineacionCentro;
    bool ajusteLinea = false;
};

class ModeloGrafico {
public:
    // Grilla de diseño con que nace cada gráfico, como un control de gráficos
    // recién puesto en la ventana: un nivel de rótulos de fila y de columna,
    // cinco filas y tres series, todo en cero y sin rótulos. Así una receta
    // aplicada antes de dimensionar (marcadores, porcentajes) alcanza a las
    // series que las ventanas usan después.
    static constexpr int FilasDiseno = 5;
    static constexpr int SeriesDiseno = 3;
    ModeloGrafico();

    // --- Grilla de datos ---
    // Cambia el tamaño conservando los valores y rótulos que siguen dentro;
    // lo nuevo queda en cero y sin rótulo. Con cero filas las columnas, sus
    // nombres y sus formatos quedan: solo no hay categorías.
    void SetSize(int nivelesRotuloFila, int nivelesRotuloColumna, int filas, int columnas);
    int RowCount() const { return filas_; }
    int ColumnCount() const { return columnas_; }
    int RowLabelCount() const { return nivelesFila_; }
    int ColumnLabelCount() const { return nivelesColumna_; }

    // Falso (y sin cambios) si la celda está fuera de la grilla.
    bool SetData(int fila, int columna, double valor, int nulo = 0);
    double Dato(int fila, int columna) const;
    bool EsNulo(int fila, int columna) const;

    bool SetRowLabel(int fila, int nivel, const QString& rotulo);
    QString RowLabel(int fila, int nivel = 1) const;
    // Nombre de la categoría para quien lee los datos (el tooltip, "Ver datos",
    // lo exportado): el eje muestra el rótulo y esto lo explica ("Gastos en
    // Personal" del inciso "1"). Vacío si no hace falta.
    bool PonerNombreFila(int fila, const QString& nombre);
    QString NombreFila(int fila) const;

    // Columna actual (Column) y su rótulo (ColumnLabel): el nombre de la serie.
    bool SetColumn(int columna);
    int Column() const { return columnaActual_; }
    bool SetColumnLabel(const QString& rotulo, int nivel = 1);
    QString ColumnLabel(int columna, int nivel = 1) const;
    QStringList NombresSeries() const;

    // Lo que repiten las ventanas: la grilla (filas, columnas) con ceros en
    // todas sus celdas y sin rótulos de fila, y los nombres de las series
    // 1, 2... en orden.
    void GrillaDeCeros(int filas, int columnas);
    void NombrarSeries(const QStringList& nombres);

    // --- Títulos, ejes y leyenda ---
    QString TitleText;
    EjeYGrafico EjeY;
    LeyendaGrafico Leyenda;
    bool Visible = false;
    // Las cifras: la fecha para la que se generaron (inválida si no se sabe)
    // y si la lectura no trajo filas (el gráfico muestra una grilla de ceros).
    QDate FechaCifras;
    bool SinDatos = false;
    // Título de la columna de las categorías al ver o exportar los datos;
    // vacío: "Categoría".
    QString TituloCategorias;

    // --- Series (una por columna) ---
    MarcadorSerie& Marcador(int serie) { return series_.at(size_t(serie - 1)).marcador; }
    const MarcadorSerie& Marcador(int serie) const {
        return series_.at(size_t(serie - 1)).marcador;
    }
    RotuloPuntos& Rotulos(int serie) { return series_.at(size_t(serie - 1)).rotulos; }
    const RotuloPuntos& Rotulos(int serie) const { return series_.at(size_t(serie - 1)).rotulos; }

    // Texto del rótulo de un punto según los componentes de su serie; vacío
    // si la serie no lleva rótulos. El porcentaje es sobre el total de la fila
    // (la categoría) o sobre la serie base de la serie; sin base no hay
    // porcentaje que mostrar.
    QString TextoRotulo(int fila, int columna) const;

    // --- Recetas que usan las ventanas ---
    // Título del eje Y y su fuente; la escala y las divisiones solo si se dan,
    // en ese orden.
    void RecetaEjeY(const QString& titulo, double tamanioFuente,
                    std::optional<bool> escalaAutomatica = std::nullopt,
                    std::optional<int> divisiones = std::nullopt);
    // Leyenda abajo; alineación y ajuste de línea solo si se dan.
    void RecetaLeyenda(std::optional<int> alineacion = std::nullopt,
                       std::optional<bool> ajusteLinea = std::nullopt);
    // Marcadores fijos (círculo lleno de 150) en todas las series que hay ahora.
    void RecetaMarcadores();
    // Rótulos afuera con el porcentaje "0%", fuente 10, en todas las series que hay ahora.
    void RecetaPorcentajes();

    // Formatea una fracción (0,25) con un formato de porcentaje ("0%" -> "25%").
    static QString FormatearPorcentaje(double fraccion, const QString& formato);

private:
    struct Serie {
        MarcadorSerie marcador;
        RotuloPuntos rotulos;
    };
    bool CeldaValida(int fila, int columna) const;
    size_t Indice(int fila, int columna) const {
        return size_t(fila - 1) * size_t(columnas_) + size_t(columna - 1);
    }

    int nivelesFila_ = 0;
    int nivelesColumna_ = 0;
    int filas_ = 0;
    int columnas_ = 0;
    int columnaActual_ = 1;
    std::vector<double> datos_;
    std::vector<quint8> nulos_;
    std::vector<QString> rotulosFila_; // nivel 1
    std::vector<QString> nombresFila_;
    std::vector<QString> rotulosColumna_;                        // nivel 1
    std::map<std::pair<int, int>, QString> rotulosFilaOtros_;    // (nivel, fila), nivel > 1
    std::map<std::pair<int, int>, QString> rotulosColumnaOtros_; // (nivel, columna), nivel > 1
    std::vector<Serie> series_;
};
