#pragma once
// Lector de los archivos de definición de reportes (.rpt, XML propio; ver
// docs/reportes.md). Un archivo mal escrito da un error con el archivo, la
// línea y lo que se esperaba; nunca una definición a medias.
#include "DefinicionReporte.h"
#include <QByteArray>
#include <QString>
#include <memory>

// Tamaño máximo de un archivo de definición.
inline constexpr qint64 LargoMaximoDefinicion = 4 << 20;

// Lee y valida un archivo. nullptr si no se pudo: error dice dónde y por qué.
// Los subreportes de archivo aparte quedan sin definición (los carga el motor).
std::shared_ptr<Definicion> LeerDefinicion(const QString& archivo, ErrorDefinicion& error);
// Lo mismo desde el contenido ya leído; "archivo" nombra el origen en los errores.
std::shared_ptr<Definicion> LeerDefinicionDeTexto(const QByteArray& contenido,
                                                  const QString& archivo, ErrorDefinicion& error);

// Revisa lo que solo se sabe con el reporte entero: medidas por omisión,
// elementos dentro de su banda, bandas dentro de la página, fórmulas
// declaradas, totales y porcentajes donde tienen sentido. "contenedor" es el
// ancho útil de quien lo contiene (un subreporte: el ancho de su marco; 0: el
// de su propia página). Falso con el error anotado.
bool ValidarDefinicion(Definicion& d, qreal contenedor, ErrorDefinicion& error,
                       const Definicion* padre = nullptr);
