#pragma once
// Código de acceso del día que la UDT entrega para pasar el control de versión.
#include <QDate>
#include <QString>

// Seis dígitos, función sólo de la fecha (ver docs/codigo-de-acceso.md).
QString CodigoAccesoDelDia(const QDate& fecha);
// Fecha escrita "dd/mm/aaaa" (uno o dos dígitos para día y mes), sin mirar
// la configuración regional. Inválida si el texto no es una fecha.
QDate FechaDesdeTexto(const QString& texto);
