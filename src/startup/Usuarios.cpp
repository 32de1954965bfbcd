// Validación del usuario y auditoría de la sesión.
#include "Usuarios.h"
#include "CodigosCatalogo.h"
#include "ConexionBase.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "ParametrosArranque.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <limits>

namespace {

// La conexión de auditoría si está abierta; si no, la principal.
ConexionBase* ConexionDeAuditoria() {
    auto& c = Glob().ConexionAuditoria;
    return (c && c->Abierta()) ? c.get() : nullptr;
}

} // namespace

bool ValidarAcceso(const QString& usuario) {
    if (!CargarParametrosGenerales(usuario)) {
        MostrarError(Catalogo::ParametrosNoCargados);
        return false;
    }
    return ValidarUsuario(usuario, QStringLiteral("Miravel"));
}

bool ValidarUsuario(const QString& usuario, const QString& sistema) {
    Recordset rs;
    Cargar_Recordset(QLatin1String("SELECT estado_usuario,cod_usuario FROM ") +
                         AgregarOwner(QStringLiteral("usuarios")) +
                         QLatin1String(" WHERE usuario=") + LiteralSql(usuario),
                     rs);
    if (!rs.Abierto())
        return false; // el error de la base ya se mostró
    if (rs.RecordCount() < 1) {
        MostrarError(Catalogo::UsuarioInexistente);
        return false;
    }
    rs.MoveFirst();
    if (rs.Valor(0).toString() != QLatin1String("N")) {
        MostrarError(Catalogo::UsuarioInhabilitado);
        return false;
    }
    bool ok = false;
    const qlonglong codigo = rs.Valor(1).toLongLong(&ok);
    if (!ok || codigo < std::numeric_limits<qint16>::min() ||
        codigo > std::numeric_limits<qint16>::max()) {
        // El código viaja como entero de 16 bits a los procedimientos.
        MostrarMensaje(QStringLiteral("El código del usuario ") + usuario +
                           QStringLiteral(" no es válido: ") + rs.Valor(1).toString(),
                       QStringLiteral("ERROR"));
        return false;
    }
    Glob().CodUsuario = qint16(codigo);

    Recordset menues;
    Cargar_Recordset(QLatin1String("SELECT COUNT(*) FROM ") +
                         AgregarOwner(QStringLiteral("usuario_menu")) +
                         QLatin1String(" WHERE usuario=") + LiteralSql(usuario) +
                         QLatin1String(" AND sistema=") + LiteralSql(sistema),
                     menues);
    if (!menues.Abierto())
        return false;
    menues.MoveFirst();
    if (menues.RecordCount() < 1 || menues.Valor(0).toLongLong() <= 0) {
        MostrarError(Catalogo::UsuarioSinMenu);
        return false;
    }

    Glob().TipoUsuario = ObtenerTipoUsuario(usuario);
    return true;
}

QString ObtenerTipoUsuario(const QString& usuario) {
    Recordset rs;
    CargarRecordset(rs,
                    QLatin1String("SELECT tipo_usuario FROM ") +
                        AgregarOwner(QStringLiteral("usuarios")) +
                        QLatin1String(" WHERE usuario=") + LiteralSql(usuario),
                    QString());
    if (!rs.Abierto() || rs.RecordCount() < 1)
        return QString();
    rs.MoveFirst();
    return rs.Valor(0).toString();
}

void CerrarSesionesAnteriores(const QString& usuario, const QString& usuarioWindows) {
    EjecutarSQL(QLatin1String("BEGIN UPDATE ") + AgregarOwner(QStringLiteral("auditoria")) +
                QLatin1String(" SET estado='A' ") +
                QLatin1String(" WHERE salida IS NULL AND usuario=") + LiteralSql(usuario) +
                QLatin1String(" AND usr_win=") + LiteralSql(usuarioWindows) +
                QLatin1String(" AND estado='I'; COMMIT; END;"));
}

QString RegistrarIngreso(const QString& sistema, const QString& tipoAcceso,
                         const QString& /*usuario*/) {
    ConexionBase* auditoria = ConexionDeAuditoria();

    Recordset secuencia;
    Cargar_Recordset(QLatin1String("SELECT ") + AgregarOwner(QStringLiteral("cod_audit_seq")) +
                         QLatin1String(".nextval FROM dual"),
                     secuencia, auditoria);
    if (!secuencia.Abierto() || secuencia.RecordCount() < 1)
        return QString();
    secuencia.MoveFirst();
    bool ok = false;
    const qlonglong numero = secuencia.Valor(0).toLongLong(&ok);
    if (!ok)
        return QString();
    const QString codigo = QString::number(numero);

    EjecutarSQL(QLatin1String("BEGIN INSERT INTO ") + AgregarOwner(QStringLiteral("auditoria")) +
                    QLatin1String(" VALUES (") + codigo + QLatin1Char(',') + LiteralSql(sistema) +
                    QLatin1Char(',') + LiteralSql(tipoAcceso) +
                    QLatin1String(",NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL,") +
                    LiteralSql(Glob().UsuarioWindows) + QLatin1String("); COMMIT; END;"),
                true, std::nullopt, auditoria);

    Recordset fila;
    Cargar_Recordset(QLatin1String("SELECT ROWID FROM ") +
                         AgregarOwner(QStringLiteral("auditoria")) +
                         QLatin1String(" WHERE cod_auditoria=") + codigo,
                     fila);
    if (!fila.Abierto() || fila.RecordCount() < 1)
        return QString();
    fila.MoveFirst();
    return fila.Valor(0).toString();
}

bool RegistrarSalida(const QString& rowId, qint16 altas, qint16 bajas, qint16 modis, qint16 impres,
                     const std::optional<QString>& estado) {
    // Ojo al orden: se reciben altas, bajas, modis, impres; se escriben altas,
    // modis, bajas, impres.
    return EjecutarSQL(
        QLatin1String("BEGIN UPDATE ") + AgregarOwner(QStringLiteral("auditoria")) +
            QLatin1String(" SET estado=") + LiteralSql(estado.value_or(QStringLiteral("N"))) +
            QLatin1String(", altas=") + QString::number(altas) + QLatin1String(",modis=") +
            QString::number(modis) + QLatin1String(",bajas=") + QString::number(bajas) +
            QLatin1String(",impres=") + QString::number(impres) +
            QLatin1String(" WHERE estado <> 'R' AND rowid=") + LiteralSql(rowId) +
            QLatin1String("  ; COMMIT; END;"),
        true, std::nullopt, ConexionDeAuditoria());
}
