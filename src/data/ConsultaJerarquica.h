#pragma once
// La consulta jerárquica de Oracle ("SELECT ... FROM t [WHERE w] START WITH c
// CONNECT BY [NOCYCLE] PRIOR a=b [ORDER SIBLINGS BY k]") en una consulta
// recursiva de PostgreSQL con la semántica de Oracle.
#include "SentenciaAdaptada.h"
#include "SimbolosSql.h"
#include <optional>

// Raíces por START WITH, hijos por CONNECT BY, el WHERE aplicado después y
// las filas en profundidad: cada entrada antes de las del submenú que abre, y
// los hermanos por ORDER SIBLINGS BY o, sin él, por el contenido de la fila
// (nunca por el orden físico). Una fila que es su propio antepasado es el
// error ORA-01436, salvo con NOCYCLE. Sirve para tablas y vistas; SELECT *
// muestra solo sus columnas. nullopt si la sentencia no es una consulta
// jerárquica; un rechazo con las formas que no se adaptan.
std::optional<SentenciaAdaptada> ConsultaJerarquica(const simbolos::Simbolos& s,
                                                    const std::vector<size_t>& sig);
// Verdadero si hay un CONNECT BY en cualquier nivel de la sentencia.
bool TieneConnectBy(const simbolos::Simbolos& s);
