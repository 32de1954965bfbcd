#pragma once
// Símbolos del texto SQL: la división que usa el dialecto para reescribir sin
// tocar por accidente literales, identificadores entre comillas ni comentarios.
#include <QString>
#include <vector>

// Concatenados, los símbolos devuelven el texto original.
struct SimboloSql {
    enum class Clase {
        Espacio,
        Comentario,    // -- hasta el fin de línea, o /* ... */
        Literal,       // '...' con '' adentro, o q'[...]' de Oracle
        Identificador, // "..." con "" adentro
        Palabra,       // nombre o palabra clave sin comillas
        Numero,
        Signo,   // cualquier otro carácter
        Generado // texto puesto por el dialecto; no se vuelve a interpretar
    };
    Clase clase;
    QString texto;
};
std::vector<SimboloSql> DividirEnSimbolos(const QString& sql);
// Contenido de un literal o identificador entre comillas, sin ellas (las
// duplicadas, simples); el texto tal cual para cualquier otro símbolo.
QString ValorLiteral(const SimboloSql& s);

// Preguntas sobre los símbolos que comparten las reescrituras del dialecto.
namespace simbolos {
using Simbolos = std::vector<SimboloSql>;

bool Significativo(const SimboloSql& s);                        // ni espacio ni comentario
bool EsPalabra(const SimboloSql& s, QLatin1StringView palabra); // sin distinguir mayúsculas
bool EsSigno(const SimboloSql& s, char16_t c);
bool EsNombre(const SimboloSql& s); // palabra o identificador entre comillas
// Palabra clave de expresión (and, or, null, case, end...): nunca un alias.
bool EsPalabraClave(const SimboloSql& s);
// Texto de los símbolos [desde, hasta).
QString Unir(const Simbolos& s, size_t desde, size_t hasta);
// Índices de los símbolos significativos.
std::vector<size_t> Significativos(const Simbolos& s);
// Siguiente símbolo significativo desde i (incluido); s.size() si no hay.
size_t Siguiente(const Simbolos& s, size_t i);
// Cantidad de símbolos significativos sin el ';' final.
size_t SinPuntoYComa(const Simbolos& s, const std::vector<size_t>& sig);
} // namespace simbolos
