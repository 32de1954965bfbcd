#pragma once
// Graba las tablas de los gráficos según la extensión del archivo: .csv o .xlsx.
#include "LibroXlsx.h"
#include "TablaDatos.h"
#include <QString>
#include <vector>

// Falso con el motivo en *error si la extensión no es de datos o no se pudo grabar.
bool GrabarTablas(const QString& ruta, const EncabezadoLibro& encabezado,
                  const std::vector<TablaDatos>& tablas, QString* error);
// Verdadero si la extensión es de datos (.csv, .xlsx).
bool EsArchivoDeDatos(const QString& ruta);
