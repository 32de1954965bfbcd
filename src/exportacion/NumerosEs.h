#pragma once
// Números y fechas como los espera una planilla en español (Argentina).
#include <QByteArray>
#include <QDate>
#include <QString>

namespace NumerosEs {
// Para leer en pantalla: punto de miles y coma decimal, con los decimales dados
// ("1.234.567,50").
QString Mostrar(double valor, int decimales);
// Para una planilla: coma decimal, sin separador de miles ni exponente y con
// las cifras justas (15 significativas como mucho): "1234567,5", "-0,25".
QString Plano(double valor);
// Para leer en pantalla con todas sus cifras: punto de miles, coma decimal y
// los decimales que tenga (hasta 15 cifras significativas): "1.234,5678".
QString Exacto(double valor);
// dd/mm/yyyy; vacío si la fecha no es válida.
QString Fecha(const QDate& fecha);
// Cuántos decimales mostrar para una serie de valores: 0 si todos son enteros, si no 2.
int DecimalesPara(const double* valores, qsizetype cantidad);
} // namespace NumerosEs
