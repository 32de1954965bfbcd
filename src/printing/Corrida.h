#pragma once
// Un reporte corrido: la definición, sus datos ya leídos, la diagramación y
// lo que hace falta para pintar cualquier página después (imágenes de
// archivo, columnas resueltas, altos de las bandas con sus subreportes).
#include "DatosReporte.h"
#include "DefinicionReporte.h"
#include "Diagramacion.h"
#include "Formulas.h"
#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QPicture>
#include <memory>
#include <vector>

struct Corrida {
    std::shared_ptr<const Definicion> definicion;
    std::unique_ptr<FuenteDatos> datos;
    // Los de cada subreporte de la definición, en su orden (solo el reporte principal).
    std::vector<std::unique_ptr<Corrida>> subreportes;

    // Lo que deja Preparar.
    std::vector<qreal> altos;                     // alto efectivo de cada banda
    std::vector<std::vector<qreal>> corrimientos; // por banda: cuánto baja cada elemento
    Diagramacion diagramacion;
    QHash<const Elemento*, int> columnas; // columna de cada campo e imagen de la base
    QHash<QString, QImage> imagenes;      // imágenes de archivo, por ruta
    QHash<QString, QPicture> dibujos;     // imágenes dadas al correr, por ClaveNombre

    // Pocas imágenes de la base ya decodificadas: la misma en cada página
    // (el emblema) se decodifica una vez y el PDF la guarda una sola vez.
    struct ImagenDecodificada {
        const Elemento* elemento = nullptr;
        int fila = -1;
        QImage imagen;
    };
    mutable std::vector<ImagenDecodificada> imagenesBase;

    int Paginas() const { return int(diagramacion.paginas.size()); }
    // Fila de los datos en la colocación (para leer Valor).
    QImage ImagenDeBase(const Elemento& e, int fila) const;
};

// Prepara una corrida con sus datos ya cargados: resuelve columnas, lee las
// imágenes de archivo, corre y mide los subreportes, y diagrama. continuo:
// sin páginas (es un subreporte). Falso con el error ubicado en el archivo.
bool PrepararCorrida(Corrida& c, bool continuo, ErrorDefinicion& error);

// Bytes de una imagen guardada en una columna: binario o su texto en
// hexadecimal (como llega por ODBC), con o sin el "\x" de PostgreSQL.
QByteArray BytesDeImagen(const QVariant& valor);
