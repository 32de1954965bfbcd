#pragma once
// Consola del personal de soporte: corre sentencias como las envía Miravel.
#include <QString>
#include <QStringList>
#include <QTextStream>

class Recordset;

// Separa la entrada en sentencias: una línea que solo tiene "/" termina cada una.
QStringList SepararSentencias(const QString& entrada);

// Una fila del resultado: campos separados por tabulador, null vacío.
QString LineaDeFila(const Recordset& rs);

// Corre una sentencia: EXEC → procedimiento, SELECT/WITH → consulta impresa,
// el resto → sentencia. Verdadero si anduvo.
bool CorrerSentencia(const QString& sentencia, QTextStream& salida);
