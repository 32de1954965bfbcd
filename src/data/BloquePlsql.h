#pragma once
// Bloques anónimos de PL/SQL ("[DECLARE ...] BEGIN ... END;") en bloques DO de
// PostgreSQL, con la semántica de Oracle: los COMMIT y ROLLBACK del primer
// nivel cortan el bloque en pasos (PostgreSQL no los acepta dentro de un DO
// en una transacción), las llamadas a procedimientos van con PERFORM y un
// SELECT ... INTO exige exactamente una fila.
#include "SentenciaAdaptada.h"
#include "SimbolosSql.h"
#include <optional>

// nullopt si la sentencia no es un bloque; un rechazo con las formas que no
// tienen equivalente.
std::optional<SentenciaAdaptada> AdaptarBloque(const simbolos::Simbolos& s,
                                               const std::vector<size_t>& sig);
