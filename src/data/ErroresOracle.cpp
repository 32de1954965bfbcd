#include "ErroresOracle.h"
#include <QRegularExpression>
#include <initializer_list>
#include <optional>

namespace {

bool Contiene(const QString& mensaje, std::initializer_list<const char*> frases) {
    for (const char* f : frases)
        if (mensaje.contains(QString::fromUtf8(f), Qt::CaseInsensitive))
            return true;
    return false;
}

// Motivos de un rechazo al conectar, por el mensaje del servidor.
long NumeroPorMensajeDeConexion(const QString& mensaje) {
    if (Contiene(mensaje, {"password authentication failed", "autentificación password falló",
                           "autenticación password falló", "no password supplied"}) ||
        (Contiene(mensaje, {"role \""}) && Contiene(mensaje, {"does not exist"})) ||
        Contiene(mensaje, {"no existe el rol"}))
        return 1017;
    if (Contiene(mensaje,
                 {"the database system is starting up", "the database system is shutting down",
                  "the database system is in recovery mode",
                  "the database system is not yet accepting connections",
                  "el sistema de base de datos está iniciándose",
                  "el sistema de base de datos está apagándose"}))
        return 1033;
    if (Contiene(mensaje,
                 {"could not connect", "connection refused", "no such file or directory",
                  "could not translate host name", "no se pudo conectar", "timeout expired"}))
        return 1034;
    return -1;
}

// Comunicación cortada con una sesión ya abierta: el servidor se detuvo o
// terminó la sesión (ORA-03113), o el driver ya no tiene conexión (ORA-03114).
long NumeroPorMensajeDeComunicacion(const QString& mensaje) {
    if (Contiene(mensaje, {"no connection to the server", "due to the connection lost"}))
        return 3114;
    if (Contiene(mensaje,
                 {"server closed the connection unexpectedly",
                  "terminating connection due to administrator command",
                  "could not receive data from server", "could not send data to server",
                  "connection to server was lost", "SSL connection has been closed unexpectedly",
                  "el servidor cerró la conexión inesperadamente"}))
        return 3113;
    return -1;
}

// ORA-nnnnn dentro del mensaje (drivers de Oracle).
std::optional<long> NumeroEnMensaje(const QString& mensaje) {
    static const QRegularExpression ora(QStringLiteral("ORA-(\\d{5})"));
    const auto m = ora.match(mensaje);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLong();
}

struct EstadoYNumero {
    const char* estado;
    long numero;
};
// SQLSTATE de PostgreSQL y el número de Oracle del mismo error.
constexpr EstadoYNumero PorEstado[] = {
    {"23505", 1},
    {"55P03", 54},
    {"42703", 904},
    {"42883", 904},
    {"23502", 1400},
    {"22003", 1438},
    {"23503", 2292},
    {"42P01", 942},
    {"42601", 900},
    {"42501", 1031},
    {"42P07", 955},
    {"23514", 2290},
    {"22012", 1476},
    {"22001", 12899},
    {"22P02", 1722},
    {"22007", 1861},
    {"22008", 1843},
    {"21000", 1427},
    {"40P01", 60},
    {"40001", 8177},
    {"57014", 1013},
    {"57P01", 28},
    {"57P02", 3113},
    {"57P03", 1033},
    {"28P01", 1979},
    {"28000", 1017},
    {"08003", 3114},
    // Los que arma el sustituto: SELECT INTO sin fila o con varias, bucle de CONNECT BY.
    {"P0002", 1403},
    {"P0003", 1422},
    {"U1436", 1436},
};

} // namespace

long NumeroOracleDeOracle(long nativo, const QString& mensaje) {
    if (nativo > 0)
        return nativo;
    return NumeroEnMensaje(mensaje).value_or(nativo == 0 ? -1 : nativo);
}

long NumeroOracleDePostgres(const QString& sqlstate, const QString& mensaje, bool enBloque) {
    const QString e = sqlstate.toUpper();
    // Errores de aplicación de la base: U0101..U0123 → 20101..20123.
    if (e.size() == 5 && e.startsWith(QLatin1String("U0"))) {
        bool ok = false;
        const int n = e.mid(2).toInt(&ok);
        if (ok)
            return 20000 + n;
    }
    // En un bloque los errores de análisis son de compilación (ORA-06550).
    // Con la conexión ya abierta, una clave rechazada es la de SET ROLE (ORA-01979).
    if (enBloque && e.startsWith(QLatin1String("42")))
        return 6550;
    for (const auto& f : PorEstado)
        if (e == QLatin1String(f.estado))
            return f.numero;
    if (e.startsWith(QLatin1String("08")) || e.startsWith(QLatin1String("HY")) ||
        e.startsWith(QLatin1String("S1")) || e.isEmpty()) {
        if (const long n = NumeroPorMensajeDeComunicacion(mensaje); n > 0)
            return n;
        const long n = NumeroPorMensajeDeConexion(mensaje);
        if (n > 0)
            return n;
        if (e.startsWith(QLatin1String("08")))
            return 3113; // se perdió la comunicación con el servidor
    }
    return -1;
}

bool EsConexionPerdida(long numeroOracle) {
    for (const long n : {28L, 1012L, 3113L, 3114L, 3135L})
        if (numeroOracle == n)
            return true;
    return false;
}

long NumeroOracleConexion(const QString& sqlstate, long /*nativo*/, const QString& mensaje) {
    if (const auto n = NumeroEnMensaje(mensaje))
        return *n;
    const QString e = sqlstate.toUpper();
    if (e == QLatin1String("28000") || e == QLatin1String("28P01"))
        return 1017;
    if (e == QLatin1String("57P03"))
        return 1033;
    const long n = NumeroPorMensajeDeConexion(mensaje);
    return n > 0 ? n : -1;
}
