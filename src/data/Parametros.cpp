#include "Parametros.h"
#include "Avisos.h"
#include "ConexionBase.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <limits>

namespace {

QString ConsultaConfig(const QString& nombre, const QString& sistema) {
    const QString filtroSistema =
        sistema.isEmpty()
            ? QStringLiteral(" WHERE sistema='GDA' AND")
            : QLatin1String(" WHERE sistema=") + LiteralSql(sistema) + QLatin1String(" AND");
    return QLatin1String("      SELECT contenido ") + QLatin1String(" FROM ") +
           AgregarOwner(QStringLiteral("config")) + filtroSistema +
           QLatin1String("           nombre_parametro = ") + LiteralSql(nombre);
}

// Contenido del parámetro; nullopt si falta, es nulo o la consulta falló.
std::optional<QString> LeerContenido(const QString& nombre, const QString& sistema) {
    Recordset rs;
    CargarRecordset(rs, ConsultaConfig(nombre, sistema), QString());
    if (!rs.Abierto() || rs.RecordCount() < 1 || rs.EsNulo(0))
        return std::nullopt;
    return rs.Valor(0).toString();
}

bool Faltante(int codigoError, const std::optional<QString>& parametroMensaje) {
    if (parametroMensaje)
        avisos().MostrarError(codigoError, {*parametroMensaje});
    else
        avisos().MostrarError(codigoError);
    return false;
}

template <typename Entero>
bool LeerEntero(Entero& destino, const QString& nombre, int codigoError, const QString& sistema,
                const std::optional<QString>& parametroMensaje) {
    const auto contenido = LeerContenido(nombre, sistema);
    bool ok = false;
    const qlonglong valor = contenido ? contenido->trimmed().toLongLong(&ok) : 0;
    if (!ok || valor < std::numeric_limits<Entero>::min() ||
        valor > std::numeric_limits<Entero>::max())
        return Faltante(codigoError, parametroMensaje);
    destino = Entero(valor);
    return true;
}

} // namespace

bool LeerParametroConfig(QString& destino, const QString& nombre, int codigoError,
                         const QString& sistema, const std::optional<QString>& parametroMensaje) {
    const auto contenido = LeerContenido(nombre, sistema);
    if (!contenido)
        return Faltante(codigoError, parametroMensaje);
    destino = *contenido;
    return true;
}

bool LeerParametroConfig(qint16& destino, const QString& nombre, int codigoError,
                         const QString& sistema, const std::optional<QString>& parametroMensaje) {
    return LeerEntero(destino, nombre, codigoError, sistema, parametroMensaje);
}

bool LeerParametroConfig(qint32& destino, const QString& nombre, int codigoError,
                         const QString& sistema, const std::optional<QString>& parametroMensaje) {
    return LeerEntero(destino, nombre, codigoError, sistema, parametroMensaje);
}

QString ObtenerParametro(const QString& sistema, const QString& nombre,
                         const QString& valorPorDefecto, const QString& descripcion,
                         const QString& modificable) {
    const QString filtro =
        QLatin1String(" WHERE upper(Nombre_parametro)=") + EntreComillas(nombre.toUpper(), true) +
        QLatin1String(" AND upper(Sistema)=") + EntreComillas(sistema.toUpper(), true);
    if (!descripcion.isEmpty()) {
        const QString cuenta = QLatin1String("//SELECT COUNT(*) FROM {CONFIG}") + filtro;
        const auto cantidad = ValorSQL(cuenta, 0);
        if (cantidad && cantidad->toLongLong() == 0) {
            const QString alta =
                AsigOwner(QLatin1String("//INSERT INTO {CONFIG} (sistema, nombre_parametro, "
                                        "descripcion, contenido, modificable) VALUES (") +
                          LiteralSql(sistema) + QLatin1String(", ") + LiteralSql(nombre) +
                          QLatin1String(", ") + LiteralSql(descripcion) + QLatin1String(", ") +
                          LiteralSql(valorPorDefecto) + QLatin1String(", ") +
                          LiteralSql(modificable) + QLatin1Char(')'));
            EjecutarSQL(alta);
        }
    }
    const QString lectura =
        QLatin1String("SELECT CONTENIDO FROM ") + AgregarOwner(QStringLiteral("CONFIG")) + filtro;
    const auto valor = ValorSQL(lectura, valorPorDefecto);
    if (!valor || valor->isNull())
        return valorPorDefecto;
    return valor->toString();
}

bool EstablecerParametrosBase(const QString& usuario, const QString& sistema,
                              ConexionBase& conexion) {
    const QString u = LiteralSql(usuario);
    const QString s = LiteralSql(sistema);
    const QString consultas[] = {
        QStringLiteral("SELECT * FROM ParametrosBase WHERE habilitado='S' AND sistema='TODOS'"),
        QLatin1String("SELECT * FROM ParametrosBase WHERE habilitado='S' AND sistema=") + s,
        QLatin1String("SELECT * FROM ParametrosBaseXUsuario WHERE habilitado='S' AND "
                      "sistema='TODOS' AND usuario=") +
            u,
        QLatin1String("SELECT * FROM ParametrosBaseXUsuario WHERE habilitado='S' AND sistema=") +
            s + QLatin1String(" AND usuario=") + u,
    };
    // Las consultas van por la conexión principal; la primera vez es la que se prepara.
    ConexionBase* principal = Glob().Conexion ? Glob().Conexion.get() : &conexion;
    for (const QString& consulta : consultas) {
        Recordset rs;
        CargarRecordset(rs, consulta, QString(), principal);
        const int campo = rs.IndiceCampo(QStringLiteral("queryparametro"));
        bool ok = rs.Abierto() && campo >= 0;
        for (rs.MoveFirst(); ok && !rs.Eof(); rs.MoveNext())
            ok = EjecutarSQL(rs.Valor(campo).toString(), true, std::nullopt, &conexion);
        if (!ok) {
            avisos().MostrarMensaje(
                QStringLiteral("No se puede establecer los parametros de la base"),
                QStringLiteral("ERROR"));
            return false;
        }
    }
    return true;
}
