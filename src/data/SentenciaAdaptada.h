#pragma once
// Lo que el dialecto entrega a la conexión por cada sentencia del programa.
#include <QString>
#include <vector>

struct SentenciaAdaptada {
    QString texto;                 // lo que se envía al driver
    bool confirmarDespues = false; // después del texto, COMMIT de la conexión
    bool deshacer = false;         // después del texto, ROLLBACK de la conexión
    bool sinEnvio = false;         // no se envía texto: solo el COMMIT o el ROLLBACK
    bool bloque = false;           // bloque anónimo: sus errores de compilación son 6550
    // Pasos que siguen, en orden, solo si este anduvo: un bloque cortado por
    // sus COMMIT y ROLLBACK intermedios.
    std::vector<SentenciaAdaptada> siguientes;
    // No vacío: la forma no se adapta y no se envía nada; dice cuál es.
    QString rechazo;
};

// Rechazo que nombra la forma de Oracle que el sustituto no adapta.
inline SentenciaAdaptada Rechazar(const QString& forma) {
    SentenciaAdaptada r;
    r.rechazo = QStringLiteral("El sustituto PostgreSQL de la base no adapta esta forma de "
                               "Oracle: %1.")
                    .arg(forma);
    return r;
}
