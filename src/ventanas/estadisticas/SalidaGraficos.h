#pragma once
// Los gráficos de una ventana como imagen: lo que dibujan sus vistas, cada una
// en su lugar, a PNG, SVG o PDF según la extensión del archivo.
#include <QImage>
#include <QList>
#include <QString>

class VistaGrafico;

// Las vistas dadas, en sus posiciones relativas, sobre fondo blanco.
QImage ImagenGraficos(const QList<VistaGrafico*>& vistas);
// Verdadero si la extensión es de imagen (.png, .svg, .pdf).
bool EsArchivoDeImagen(const QString& ruta);
// Graba la imagen; falso con el motivo en *error.
bool GrabarImagenGraficos(const QList<VistaGrafico*>& vistas, const QString& ruta, QString* error);
