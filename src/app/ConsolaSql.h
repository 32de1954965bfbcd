#pragma once
// Consola del personal de soporte: corre sentencias como las envía Miravel.
#include <QString>
#include <QStringList>
#include <cstdio>

// Separa la entrada en sentencias: una línea que solo tiene "/" termina cada una.
QStringList SepararSentencias(const QString& entrada);

// Corre una sentencia: EXEC → procedimiento, SELECT/WITH → consulta impresa,
// el resto → sentencia. Las filas de una consulta van a la salida de una sola
// escritura. Verdadero si anduvo.
bool CorrerSentencia(const QString& sentencia, std::FILE* salida);
