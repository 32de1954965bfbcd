#pragma once
// Marco común de las ventanas de estadística, sin pantalla: la descripción de
// cada ventana (tarea, título, lugar de los controles, procedimientos que
// generan), las sentencias de generación, la cadena generar–confirmar–leer y
// los gráficos que se llenan. Cada estadística hereda, da su descripción y
// escribe solo sus lecturas y su receta de gráfico.
#include "ModeloGrafico.h"
#include "PedidoImpresion.h"
#include <QDate>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <array>
#include <functional>
#include <vector>

class Recordset;

// La caja de fecha de la ventana (Fecha) vista desde la lógica.
class CajaFecha {
public:
    virtual ~CajaFecha() = default;
    virtual QDate Fecha() const = 0;
    virtual void PonerFecha(const QDate& fecha) = 0;
};

// Argumentos de los procedimientos de generación.
enum class ArgumentosGeneracion {
    UsuarioAnioFecha, // (usuario, año, 'fecha')
    UsuarioAnio,      // (usuario, año)
    AnioFecha         // (año, 'fecha')
};

// Qué decide la confirmación tras generar.
enum class CondicionConfirmar {
    UltimoProcedimiento, // se confirma solo si el último procedimiento anduvo
    Siempre              // se confirma aunque la generación falle
};

struct DescripcionEstadistica {
    QString nombre;                      // "frmTipoCompra"
    int tarea = 0;                       // 107
    QString caption;                     // "Tipos de Compra"
    int graficos = 1;                    // 0, 1 o 2; sin gráficos la ventana solo imprime
    QSize areaCliente;                   // twips
    std::array<QRect, 2> lugarGrafico{}; // twips: Chart y Chart2
    int finLinea = 10320;                // twips: Line1 va de (0, 720) a (finLinea, 720)
    QStringList procedimientos;          // GES_GENERA_..., en el orden en que corren
    ArgumentosGeneracion argumentos = ArgumentosGeneracion::UsuarioAnioFecha;
    QString confirmacion = QStringLiteral("COMMIT"); // texto exacto de la confirmación
    CondicionConfirmar condicion = CondicionConfirmar::UltimoProcedimiento;
};

class Estadistica {
public:
    // Los contadores de filas de los gráficos son de 16 bits.
    static constexpr int MaximoFilas = 32767;

    explicit Estadistica(DescripcionEstadistica descripcion);
    virtual ~Estadistica();
    Estadistica(const Estadistica&) = delete;
    Estadistica& operator=(const Estadistica&) = delete;

    const DescripcionEstadistica& Descripcion() const { return d_; }
    // 0: Chart, 1: Chart2.
    ModeloGrafico& Grafico(int indice = 0) { return graficos_.at(size_t(indice)); }
    const ModeloGrafico& Grafico(int indice = 0) const { return graficos_.at(size_t(indice)); }

    // Carga de la ventana: grafica lo que las tablas de trabajo ya tienen, sin generar.
    void CargarGrafico(CajaFecha& fecha);
    // "Aceptar": genera y confirma; si eso anduvo, lee y grafica. Verdadero si
    // volvió a leer. Una falla ya la mostró la capa de sentencias.
    bool Aceptar(CajaFecha& fecha);
    // Genera y confirma para la fecha (también lo usan las ventanas que solo imprimen).
    bool GenerarYConfirmar(const QDate& fecha);

    // Lo que "Imprimir Todo" manda al módulo de impresión para esa fecha.
    virtual PedidoImpresion Impresion(const QDate& fecha) const = 0;

    // Fecha para la que se generaron las cifras a la vista (la FECHA de la
    // tabla de trabajo, o la de "Aceptar" si la tabla no la trae), la del
    // primer gráfico que la sabe; inválida si no se sabe. Es la que rotula la
    // impresión y lo exportado.
    QDate FechaCifras() const;

    // Llamadas a los procedimientos, calificadas con el dueño de la suite.
    QStringList SentenciasGeneracion(const QDate& fecha) const;
    // Año de cuatro cifras, y la fecha como la espera la sesión de la base
    // (día/mes/año, cualquiera sea la configuración regional del puesto).
    static QString TextoAnio(const QDate& fecha);
    static QString TextoFecha(const QDate& fecha);

protected:
    // Lo propio de cada ventana de gráficos: la lectura de la carga y la de
    // "Aceptar". Las que solo imprimen no leen.
    virtual void LeerAlCargar(CajaFecha&) {}
    virtual void LeerTrasGenerar(CajaFecha&) {}

    static QString Tabla(const QString& nombre); // dueño.nombre
    static QString Usuario();                    // CodUsuario en decimal
    // Abre la consulta sin orden agregado; falso si falló (ya se mostró).
    static bool Abrir(Recordset& rs, const QString& sql);
    // Valores de la fila actual; nulo o inexistente da 0 o "".
    static double Numero(const Recordset& rs, const QString& campo);
    static QString Texto(const Recordset& rs, const QString& campo);
    // Importe de la fila actual pasado por TextoNumerico: vacío, nulo o no
    // numérico da 0.
    static double NumeroDeTexto(const Recordset& rs, const QString& campo);
    // Pone en la caja la FECHA de la fila actual, si trae una.
    static void DevolverFecha(const Recordset& rs, CajaFecha& fecha);
    // FECHA de la fila actual; inválida si no la trae.
    static QDate FechaDeFila(const Recordset& rs);
    // Anota en el gráfico de qué fecha son sus cifras y si la lectura vino
    // vacía (filas: las leídas). Con filas, la FECHA de la primera; sin ella,
    // o sin filas, la fecha para la que "Aceptar" generó (al cargar, ninguna).
    void AnotarCifras(ModeloGrafico& g, Recordset& rs, int filas) const;

    // Lo que repiten las ventanas al llenar sus gráficos.
    // Valor de una columna del gráfico calculado desde la fila actual.
    using ValorFila = std::function<double(const Recordset&)>;
    // Filas que entran en un gráfico: los contadores son de 16 bits.
    static int FilasGrafico(const Recordset& rs);
    // Desde el primer registro llena las filas 1..n ya dimensionadas: el
    // rótulo es el texto de campoRotulo y la columna c lleva valores[c-1].
    // Con campoNombre, el texto de ese campo es el nombre de la categoría.
    static void LlenarFilas(ModeloGrafico& g, Recordset& rs, int n, const QString& campoRotulo,
                            const std::vector<ValorFila>& valores,
                            const QString& campoNombre = QString());
    // Cómo pasa una tabla a un gráfico de una categoría por fila.
    struct LecturaGrafico {
        QString campoRotulo;
        QString campoNombre;            // nombre de la categoría, si lo hay
        std::vector<ValorFila> valores; // una serie por valor
        int ceros = 0;                  // sin filas: tantas categorías en cero; 0, la grilla queda
        bool marcadores = false;        // receta de marcadores cada vez que se dimensiona
        int maximo = MaximoFilas;       // registros que se leen como mucho
    };
    // Con filas: la FECHA del primero vuelve a la caja (si se da una), la
    // grilla pasa a (n, series, n, series) y se llena. Sin filas, según ceros.
    // También anota la fecha de las cifras (AnotarCifras).
    void LlenarGrafico(ModeloGrafico& g, Recordset& rs, const LecturaGrafico& lectura,
                       CajaFecha* fecha = nullptr) const;
    // Un importe en millones de pesos, leído directo o por TextoNumerico.
    static ValorFila Millones(const QString& campo);
    static ValorFila MillonesDeTexto(const QString& campo);

    // Fórmulas de impresión que varias ventanas escriben igual.
    static QString FormulaFecha(const QDate& fecha); // Fecha='dd/mm/yyyy'
    static QString FormulaMunicipalidad();           // Municipalidad='...'

private:
    // Una falla inesperada al leer o graficar se informa y la ventana sigue.
    void Proteger(const std::function<void()>& paso);

    DescripcionEstadistica d_;
    std::array<ModeloGrafico, 2> graficos_;
    QDate fechaGenerada_; // la de la última generación de "Aceptar"
};
