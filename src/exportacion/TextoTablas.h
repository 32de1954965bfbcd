#pragma once
// Las tablas de los gráficos como texto para una planilla.
#include "TablaDatos.h"
#include <QByteArray>
#include <QString>
#include <vector>

namespace TextoTablas {
// CSV para una planilla en español: UTF-8 con marca de orden de bytes, ";"
// entre campos, coma decimal sin separador de miles, fin de línea CRLF. Cada
// tabla con su título, su referencia ("Cifras al 30/06/2024, en millones de
// pesos") y su fila de encabezado; entre una tabla y la siguiente, una línea vacía.
QByteArray Csv(const std::vector<TablaDatos>& tablas);
// Un campo CSV: entre comillas (dobladas adentro) si lleva ";", comillas,
// saltos de línea o blancos en los extremos.
QString CampoCsv(const QString& texto);
// Para el portapapeles: título, referencia, tabuladores entre celdas,
// encabezado primero, coma decimal; se pega en la planilla como celdas.
QString Tsv(const TablaDatos& tabla);
} // namespace TextoTablas
