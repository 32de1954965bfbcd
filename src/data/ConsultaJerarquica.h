#pragma once
// La consulta jerárquica del menú ("SELECT ... FROM t [WHERE w] START WITH c
// CONNECT BY PRIOR a=b") en una consulta recursiva de PostgreSQL con la
// semántica de Oracle.
#include "SimbolosSql.h"
#include <optional>

// Texto de la consulta recursiva: raíces por START WITH, hijos por CONNECT BY,
// el WHERE aplicado después y las filas en profundidad (cada entrada antes de
// las del submenú que abre). nullopt si la consulta no tiene esa forma.
std::optional<QString> ConsultaJerarquica(const simbolos::Simbolos& s,
                                          const std::vector<size_t>& sig);
