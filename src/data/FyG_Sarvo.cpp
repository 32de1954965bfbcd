#include "FyG_Sarvo.h"
#include "Avisos.h"
#include "ConexionBase.h"
#include "ConexionPerdida.h"
#include "Dialogos.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "Plantillas.h"
#include <chrono>

namespace {

ConexionBase* Elegir(ConexionBase* conexion) {
    return conexion ? conexion : Glob().Conexion.get();
}

QString Marca() {
    return QLatin1String(" ERROR:[") + Glob().UltimoMensaje + QLatin1Char(']');
}

void ControlarLentitud(const QString& sql, qint64 segundos) {
    if (Glob().TimeoutSql < segundos)
        GrabarSqlLento(QStringLiteral("MRV"), sql, segundos);
}

// Sin conexión abierta no hay a quién mandar la sentencia: se informa como
// cualquier otro fallo en vez de caer. Una perdida sí la tiene: se reabre.
bool SinConexion(ConexionBase* c) {
    if (c && (c->Abierta() || c->Perdida()))
        return false;
    avisos().MostrarMensaje(QStringLiteral("No hay una conexión abierta con la base de datos."),
                            QStringLiteral("ERROR"));
    return true;
}

// Muestra el fallo de una sentencia; el de una sesión perdida, una vez por
// acción (si ya se avisó, solo va al registro). Verdadero si se mostró.
bool MostrarFallo(ConexionBase& c) {
    if (c.Perdida())
        return AvisarConexionPerdida(c);
    avisos().MostrarErrorBase(&c);
    return true;
}

enum class Forma { Sentencia, Procedimiento };

bool Ejecutar(Forma forma, const QString& sql, bool mostrarCartel,
              std::optional<long> errorEsperado, ConexionBase* conexion) {
    const char* nombre = forma == Forma::Sentencia ? "EjecutarSQL" : "EjecutarSQLSTP";
    PunteroTemporal puntero(Puntero::Reloj);
    ConexionBase* c = Elegir(conexion);
    if (SinConexion(c))
        return false;

    Cronometro reloj;
    const bool lista = ConexionLista(*c);
    const bool ok =
        lista && (forma == Forma::Sentencia ? c->Ejecutar(sql) : c->EjecutarProcedimiento(sql));
    const qint64 segundos = reloj.Segundos();
    if (forma == Forma::Procedimiento)
        dialogos().PonerPuntero(Puntero::Defecto);

    QString marca;
    if (ok) {
        Glob().UltimoErrorNativo = 0;
    } else if (!lista) {
        // No se envió: la conexión no se pudo retomar y ya se avisó.
        Glob().UltimoErrorNativo = 3114;
        GrabarErrorSql(QStringLiteral("MRV"), sql, Glob().UltimoMensaje);
    } else {
        const long nativo = c->Errores().empty() ? 0 : c->Errores().front().nativo;
        bool mostrar = mostrarCartel;
        if (!mostrarCartel && errorEsperado && *errorEsperado != CualquierError &&
            *errorEsperado != nativo)
            mostrar = true;
        if (mostrar) {
            if (MostrarFallo(*c))
                marca = Marca();
            GrabarErrorSql(QStringLiteral("MRV"), sql, Glob().UltimoMensaje);
        } else {
            Glob().UltimoErrorNativo = qint32(nativo);
            c->LimpiarErrores();
            GrabarErrorSql(QStringLiteral("MRV"), sql,
                           QString::number(nativo) +
                               QLatin1String(" .Error que no Muestra Cartel."));
        }
    }
    Glob().MarcaErrorSeguimiento = marca;
    ControlarLentitud(sql, segundos);
    if (Glob().SeguimientoSql)
        GrabarSeguimiento(QStringLiteral("SEG"), QLatin1String(nombre), sql + marca);
    return ok;
}

// Consulta de CargarRecordset: un fallo se muestra, salvo el error callado
// (que deja su número en UltimoErrorNativo), y va al registro de errores.
void Consultar(Recordset& rs, const QString& sentencia, ConexionBase* conexion, const char* nombre,
               std::optional<long> callado) {
    rs.Reiniciar();
    ConexionBase* c = Elegir(conexion);
    if (SinConexion(c))
        return;

    Cronometro reloj;
    const bool lista = ConexionLista(*c);
    const bool ok = lista && c->Consultar(sentencia, rs);
    ControlarLentitud(sentencia, reloj.Segundos());

    QString marca;
    if (ok && callado) {
        Glob().UltimoErrorNativo = 0;
    } else if (!ok) {
        rs.Reiniciar();
        const long nativo = !lista || c->Errores().empty() ? 0 : c->Errores().front().nativo;
        if (lista && callado && nativo == *callado) {
            Glob().UltimoErrorNativo = qint32(nativo);
            c->LimpiarErrores();
            GrabarErrorSql(QStringLiteral("MRV"), sentencia,
                           QString::number(nativo) +
                               QLatin1String(" .Error que no Muestra Cartel."));
        } else {
            if (lista && MostrarFallo(*c))
                marca = Marca();
            else if (!lista && callado)
                Glob().UltimoErrorNativo = 3114; // no se envió: la conexión no volvió
            GrabarErrorSql(QStringLiteral("MRV"), sentencia, Glob().UltimoMensaje);
        }
    }
    Glob().MarcaErrorSeguimiento = marca;
    if (Glob().SeguimientoSql)
        GrabarSeguimiento(QStringLiteral("SEG"), QLatin1String(nombre), sentencia + marca);
}

} // namespace

Cronometro::Cronometro()
    : inicio_(std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now().time_since_epoch())
                  .count()) {}

qint64 Cronometro::Segundos() const {
    const qint64 ahora = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now().time_since_epoch())
                             .count();
    return (ahora - inicio_) / 1000;
}

bool EjecutarSQL(const QString& sql, bool MostrarCartel, std::optional<long> ErrorEsperado,
                 ConexionBase* conexion) {
    return Ejecutar(Forma::Sentencia, sql, MostrarCartel, ErrorEsperado, conexion);
}

bool EjecutarSQLSTP(const QString& sql, bool MostrarCartel, std::optional<long> ErrorEsperado,
                    ConexionBase* conexion) {
    return Ejecutar(Forma::Procedimiento, sql, MostrarCartel, ErrorEsperado, conexion);
}

QString ArmarConsultaOrdenada(const QString& sql, const QString& orden, qint32 descendente) {
    if (orden.isEmpty() || TieneOrderBy(sql))
        return sql;
    const QString direccion = descendente == 0 ? QStringLiteral("ASC") : QStringLiteral("DESC");
    if (orden.size() >= 5) {
        QString sinFinal = orden;
        while (sinFinal.endsWith(QLatin1Char(' ')))
            sinFinal.chop(1);
        const QString ultimas = sinFinal.right(4).trimmed().toUpper();
        if (ultimas == QLatin1String("ASC") || ultimas == QLatin1String("DESC"))
            return sql + QLatin1String(" ORDER BY ") + orden;
    }
    return sql + QLatin1String(" ORDER BY ") + orden + QLatin1String("  ") + direccion;
}

void CargarRecordset(Recordset& rs, const QString& sql, const QString& orden,
                     ConexionBase* conexion, qint32 descendente) {
    Consultar(rs, ArmarConsultaOrdenada(sql, orden, descendente), conexion, "CargarRecordset",
              std::nullopt);
}

void CargarRecordsetSinCartel(Recordset& rs, const QString& sql, long ErrorEsperado,
                              ConexionBase* conexion) {
    Consultar(rs, sql, conexion, "CargarRecordsetSinCartel", ErrorEsperado);
}

void Cargar_Recordset(const QString& sql, Recordset& rs, ConexionBase* conexion) {
    rs.Reiniciar();
    ConexionBase* c = Elegir(conexion);
    if (SinConexion(c))
        return;

    Cronometro reloj;
    const bool lista = ConexionLista(*c);
    const bool ok = lista && c->Consultar(sql, rs);
    ControlarLentitud(sql, reloj.Segundos());
    if (!ok) {
        rs.Reiniciar();
        if (lista)
            MostrarFallo(*c);
    }
    if (Glob().SeguimientoSql)
        GrabarSeguimiento(QStringLiteral("SEG"), QStringLiteral("Cargar_Recordset"), sql);
}
