#pragma once
// Diagramación: en qué página y a qué altura va cada banda de un reporte, y
// los totales de cada grupo y del reporte. Se hace una vez, al correr el
// reporte; las páginas se pintan después, cuando se las pide, desde aquí.
#include "DatosReporte.h"
#include "DefinicionReporte.h"
#include <QStringList>
#include <vector>

struct Acumulado {
    double suma = 0;
    qint64 cuenta = 0; // valores no nulos
    double minimo = 0;
    double maximo = 0;
    bool enteros = true; // todos los valores fueron enteros: la suma también lo es
    void Agregar(double v, bool entero);
};

// Un grupo concreto: las filas seguidas con el mismo valor de su columna.
struct InstanciaGrupo {
    int nivel = 0;
    int primera = 0; // filas, en el orden de la consulta
    int ultima = 0;
    int padre = -1; // instancia del nivel de afuera
};

// Una banda puesta en una página.
struct Colocacion {
    qint32 banda = 0;
    qint32 fila = -1;  // fila de los datos que muestra; -1 sin filas
    qint32 grupo = -1; // instancia de grupo (encabezado, pie) o la más interna (detalle)
    float y = 0;       // puntos desde el borde superior del área útil
};

struct Diagramacion {
    std::vector<std::vector<Colocacion>> paginas;
    std::vector<InstanciaGrupo> grupos;
    QStringList columnasTotales;       // columnas que suman los totales y porcentajes
    std::vector<Acumulado> acumulados; // grupos × columnasTotales
    std::vector<Acumulado> reporte;    // una por columna de totales
    int filas = 0;
    qreal altoContenido = 0; // sin páginas: hasta dónde llegó la última banda

    int IndiceTotal(const QString& columna) const; // -1 si no está
    // grupo -1: el reporte entero.
    const Acumulado& AcumuladoDe(int grupo, int indiceTotal) const;
    qint64 FilasDe(int grupo) const;
};

// Diagrama el reporte. altos: el alto efectivo de cada banda (con los
// subreportes ya medidos). continuo: todo en una sola página sin límite,
// sin encabezado ni pie de página (un subreporte dentro de su marco).
// Falso si una columna de grupo o de total no está en los datos o no es un
// número donde hace falta; error dice cuál y en qué línea del archivo.
bool Diagramar(const Definicion& d, const FuenteDatos& datos, const std::vector<qreal>& altos,
               bool continuo, Diagramacion& r, ErrorDefinicion& error);
