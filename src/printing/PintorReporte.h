#pragma once
// Pintado de una página de un reporte corrido. Primero se arma la lista de lo
// que se dibuja (textos ya formateados y ubicados, líneas, cajas, imágenes);
// después se pinta en cualquier QPainter: la vista previa, la impresora y el
// PDF usan el mismo camino. La búsqueda de textos lee la misma lista.
#include "Corrida.h"
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPicture>
#include <QRectF>
#include <vector>

struct ContextoPagina {
    const TablaFormulas* formulas = nullptr;
    QDateTime momento; // de la corrida: fecha y hora de impresión
    int pagina = 1;    // desde 1
    int paginas = 1;
};

struct Trazo {
    enum class Tipo : quint8 { Texto, Linea, Rectangulo, Imagen, Dibujo, Recorte, FinRecorte };
    Tipo tipo = Tipo::Texto;
    QRectF caja;    // texto: la caja del campo; rectángulo, imagen y recorte
    QPointF origen; // texto: inicio de la línea de base
    QLineF linea;
    QString texto;
    const Estilo* estilo = nullptr;
    qreal grosor = 0; // 0: sin borde
    QColor color;
    QColor relleno;
    QImage imagen;
    QPicture dibujo; // vectorial, llevado a la caja
};

// Lo que lleva la página (desde 0), en puntos desde la esquina de la hoja.
std::vector<Trazo> ArmarPagina(const Corrida& c, int pagina, const ContextoPagina& contexto);

// Pinta los trazos; el pintor ya está en puntos (1 unidad = 1/72 de pulgada
// en la hoja), con la escala que haga falta para el dispositivo y el zoom.
void PintarTrazos(const std::vector<Trazo>& trazos, QPainter& pintor);

// Rectángulo, en puntos de la hoja, de los caracteres [desde, desde + largo)
// de un trazo de texto.
QRectF RectanguloDeTramo(const Trazo& texto, qsizetype desde, qsizetype largo);

// Texto de un campo, total o porcentaje tal como se imprime.
QString TextoDeElemento(const Corrida& c, const Elemento& e, const Colocacion& colocacion,
                        const ContextoPagina& contexto);
