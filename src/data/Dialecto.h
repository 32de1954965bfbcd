#pragma once
// Adapta el SQL de Oracle que envía el programa al gestor que hay detrás del
// origen "Oracle", y los errores que vuelven a números de Oracle. Trabaja
// sobre símbolos: literales, identificadores entre comillas y comentarios no
// se reescriben por accidente.
#include <QString>
#include <memory>
#include <vector>

struct SentenciaAdaptada {
    QString texto;                 // lo que se envía al driver
    bool confirmarDespues = false; // bloque "BEGIN ...; COMMIT; END;" o "COMMIT"
    bool deshacer = false;         // "ROLLBACK"
    bool sinEnvio = false;         // no se envía nada (COMMIT/ROLLBACK sueltos)
    bool bloque = false;           // bloque anónimo: sus errores de compilación son 6550
};

class Dialecto {
public:
    virtual ~Dialecto() = default;
    virtual SentenciaAdaptada Adaptar(const QString& sql) const = 0;
    // Texto de la llamada a procedimiento (sin las llaves de escape ODBC).
    virtual QString AdaptarLlamada(const QString& llamada) const = 0;
    // Número Oracle para un error del driver. enBloque: el error vino de un
    // bloque anónimo o de una llamada a procedimiento. -1 si no tiene equivalente.
    virtual long NumeroOracle(const QString& sqlstate, long nativo, const QString& mensaje,
                              bool enBloque = false) const = 0;
};

// Elige el dialecto por el nombre del gestor que informa el driver:
// "Oracle" pasa todo sin cambios; "PostgreSQL" usa el reemplazo.
std::unique_ptr<Dialecto> CrearDialecto(const QString& nombreGestor);

// Número Oracle de un error al abrir una conexión, cuando todavía no se sabe
// qué gestor hay detrás: "ORA-nnnnn" en el mensaje, o el motivo que da el servidor.
long NumeroOracleConexion(const QString& sqlstate, long nativo, const QString& mensaje);

// Símbolos del texto SQL. Concatenados devuelven el texto original.
struct SimboloSql {
    enum class Clase {
        Espacio,
        Comentario,    // -- hasta el fin de línea, o /* ... */
        Literal,       // '...' con '' adentro
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
