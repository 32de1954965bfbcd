#pragma once
// Adapta el SQL de Oracle que envía el programa al gestor que hay detrás del
// origen "Oracle", y los errores que vuelven a números de Oracle. Trabaja
// sobre símbolos: literales, identificadores entre comillas y comentarios no
// se reescriben por accidente.
#include "ErroresOracle.h"
#include "SentenciaAdaptada.h"
#include "SimbolosSql.h"
#include <QString>
#include <memory>

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
    // Un ROLLBACK deshace también las sentencias de sesión (SET ...) de la
    // transacción abierta: hay que confirmarlas apenas corren.
    virtual bool ParametrosSesionEnTransaccion() const = 0;
};

// Elige el dialecto por el nombre del gestor que informa el driver:
// "Oracle" pasa todo sin cambios; "PostgreSQL" usa el reemplazo.
std::unique_ptr<Dialecto> CrearDialecto(const QString& nombreGestor);
