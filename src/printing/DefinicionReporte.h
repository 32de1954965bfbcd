#pragma once
// Definición de un reporte tal como la deja el lector de archivos .rpt: la
// página, la consulta guardada, las fórmulas que usa, las bandas con sus
// elementos, los grupos y los subreportes. Las medidas se guardan en puntos
// (1/72 de pulgada); el archivo las escribe en milímetros.
#include "FormatosEs.h"
#include "Formulas.h"
#include <QColor>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

// Puntos por milímetro.
inline constexpr qreal PuntosPorMm = 72.0 / 25.4;

enum class TipoBanda : quint8 {
    EncabezadoReporte,
    EncabezadoPagina,
    EncabezadoGrupo,
    PieGrupo,
    Detalle,
    PieReporte,
    PiePagina
};

enum class TipoElemento : quint8 {
    Texto,
    Campo,
    Total,
    Porcentaje,
    Linea,
    Caja,
    Imagen,
    Subreporte
};

// Campos que no salen de los datos.
enum class Especial : quint8 {
    Ninguno,
    Pagina,         // número de la página
    TotalPaginas,   // cantidad de páginas
    PaginaNdeM,     // "Página N de M"
    FechaImpresion, // dd/mm/yyyy del momento de la corrida
    HoraImpresion   // hh:nn del momento de la corrida
};

enum class Funcion : quint8 { Suma, Cuenta, Promedio, Minimo, Maximo };

// De qué total es parte un porcentaje.
enum class Ambito : quint8 { Reporte, Grupo };

struct Estilo {
    qreal tamano = 9; // puntos
    bool negrita = false;
    bool cursiva = false;
    bool subrayado = false;
    QColor color = Qt::black;
    Qt::Alignment alineacion = Qt::AlignLeft;
};

struct Elemento {
    TipoElemento tipo = TipoElemento::Texto;
    int linea = 0;   // línea del archivo, para los mensajes
    QRectF caja;     // posición dentro de la banda
    QLineF segmento; // solo las líneas
    Estilo estilo;
    QString texto;   // texto fijo
    QString columna; // campo, total, porcentaje, imagen de la base
    QString formula; // campo de una fórmula (nombre como lo escribe el archivo)
    Especial especial = Especial::Ninguno;
    Funcion funcion = Funcion::Suma;
    Ambito ambito = Ambito::Reporte;
    QString formato; // vacío: el de cada tipo de dato
    FormatoValor formatoCompilado;
    QString prefijo;
    QString sufijo;
    qreal grosor = 0.5; // puntos; líneas y bordes
    QColor colorLinea = Qt::black;
    QColor relleno;       // cajas; inválido: sin relleno
    bool conBorde = true; // cajas
    QString archivo;      // imagen de archivo, relativa a la carpeta del reporte
    QString origen;       // imagen que da quien imprime, por nombre (un gráfico)
    bool proporcional = true;
    int subreporte = -1; // índice en Definicion::subreportes
};

struct Banda {
    TipoBanda tipo = TipoBanda::Detalle;
    int linea = 0;
    qreal alto = 0;
    int grupo = -1;   // encabezado y pie de grupo
    QColor sombreado; // detalle: fondo de una fila de cada dos
    std::vector<Elemento> elementos;
};

struct Grupo {
    QString columna;
    int linea = 0;
    bool nuevaPagina = false;
    bool repetirEncabezado = false;
    int encabezado = -1; // índices en Definicion::bandas
    int pie = -1;
};

struct DeclaracionFormula {
    enum class Tipo : quint8 { Cualquiera, Numero, Texto };
    QString nombre;
    int linea = 0;
    Tipo tipo = Tipo::Cualquiera;
    std::optional<ValorFormula> defecto; // sin valor: texto vacío
};

struct Definicion;

// Error de un reporte que se puede ubicar en su archivo.
struct ErrorDefinicion {
    QString archivo;
    qint64 linea = 0; // 0: el archivo entero (no se pudo abrir, vacío...)
    QString mensaje;
    // "archivo, línea N: mensaje"
    QString Texto() const;
};

struct Subreporte {
    QString nombre;  // por el que se lo busca, sin distinguir mayúsculas
    QString archivo; // vacío: está dentro del reporte
    int linea = 0;
    std::shared_ptr<Definicion> definicion; // la de un archivo aparte se carga después
};

struct Definicion {
    QString archivo; // ruta del .rpt
    QPageSize::PageSizeId papel = QPageSize::A4;
    QPageLayout::Orientation orientacion = QPageLayout::Portrait;
    QMarginsF margenes{42.52, 42.52, 42.52, 42.52}; // 15 mm
    QString consulta;                               // consulta guardada
    bool esSubreporte = false;                      // definido dentro de otro reporte
    std::vector<DeclaracionFormula> formulas;
    std::vector<Banda> bandas;
    std::vector<Grupo> grupos; // del más externo al más interno
    std::vector<Subreporte> subreportes;
    // Bandas únicas; -1 si el reporte no la tiene.
    int encabezadoReporte = -1;
    int encabezadoPagina = -1;
    int detalle = -1;
    int pieReporte = -1;
    int piePagina = -1;

    QSizeF TamanoPagina() const; // puntos, con la orientación
    qreal AnchoUtil() const;
    qreal AltoUtil() const;
    const DeclaracionFormula* BuscarFormula(const QString& nombre) const;
    int BuscarSubreporte(const QString& nombre) const; // -1 si no está
};
