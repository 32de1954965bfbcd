#pragma once
// Las tablas de los gráficos como libro de planilla (XLSX): una hoja por
// gráfico con el título de la estadística, la fecha de sus cifras, su unidad y
// la municipalidad arriba, el encabezado en negrita, números de verdad con
// formato y una fila de totales.
#include "TablaDatos.h"
#include <QString>
#include <QStringList>
#include <vector>

struct EncabezadoLibro {
    QString titulo; // el de la estadística ("Tipos de Compra")
    QString municipalidad;
};

namespace LibroXlsx {
// Nombres de hoja válidos para los títulos dados: sin []:*?/\ ni apóstrofos
// en los extremos, 31 caracteres como mucho, nunca vacíos y sin repetirse
// (sin distinguir mayúsculas).
QStringList NombresHojas(const QStringList& titulos);
// Escribe el libro; falso con el motivo en *error si no pudo.
bool Escribir(const QString& ruta, const EncabezadoLibro& encabezado,
              const std::vector<TablaDatos>& tablas, QString* error = nullptr);
} // namespace LibroXlsx
