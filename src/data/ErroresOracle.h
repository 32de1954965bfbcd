#pragma once
// Números de error de Oracle para los errores que informa el driver, con
// Oracle detrás del origen de datos o con el sustituto PostgreSQL.
#include <QString>

// Oracle: el número nativo del driver, o el "ORA-nnnnn" del mensaje. -1 si no hay.
long NumeroOracleDeOracle(long nativo, const QString& mensaje);
// PostgreSQL: por SQLSTATE (y por el mensaje, en los rechazos de conexión).
// enBloque: el error vino de un bloque anónimo o de una llamada a procedimiento.
long NumeroOracleDePostgres(const QString& sqlstate, const QString& mensaje, bool enBloque);
// Número de un error al abrir una conexión, cuando todavía no se sabe qué
// gestor hay detrás: "ORA-nnnnn" en el mensaje, o el motivo que da el servidor.
long NumeroOracleConexion(const QString& sqlstate, long nativo, const QString& mensaje);
// La sesión se perdió (servidor detenido, sesión terminada, sin comunicación):
// 28, 1012, 3113, 3114 y 3135.
bool EsConexionPerdida(long numeroOracle);
