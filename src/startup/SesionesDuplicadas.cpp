// Otra sesión abierta del mismo usuario de base al arrancar.
#include "SesionesDuplicadas.h"
#include "CodigosCatalogo.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "Equipo.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include "Recordset.h"

namespace {

const QChar CR = QLatin1Char('\r');

// Proceso de la sesión propia según vis_conecciones. Sin fila propia, el que
// este programa informó al conectar: así nunca se toma por duplicada una
// conexión del mismo proceso.
QString ProcesoPropio() {
    const QString sesion = QStringLiteral("SELECT USERENV('SESSIONID') FROM DUAL");
    const auto numero = ValorSQL(sesion, QVariant());
    QString proceso;
    if (numero && !numero->isNull() && !numero->toString().trimmed().isEmpty()) {
        const QString consulta =
            QLatin1String("SELECT MAX(nro_proceso) FROM vis_conecciones WHERE nro_session=") +
            numero->toString().trimmed();
        const auto valor = ValorSQL(consulta, QVariant());
        if (valor && !valor->isNull())
            proceso = valor->toString();
    }
    if (proceso.isEmpty())
        proceso = ConexionBase::AplicacionCliente().section(QLatin1Char(';'), 3, 3);
    if (proceso.isEmpty())
        proceso = NumeroProceso();
    return proceso;
}

QString ConsultaOtras(const QString& usuario, const QString& condicion) {
    return QLatin1String("SELECT usuario_so,terminal,programa FROM vis_conecciones WHERE "
                         "nombre_usuario=") +
           LiteralSql(usuario) + QLatin1String(" AND ") + condicion;
}

QString Descripcion(const QString& usuario, const Recordset& rs) {
    return usuario + QLatin1String(" se encuentra conectado:") + CR +
           QLatin1String("     Usuario Windows [") + rs.Valor(0).toString() + QLatin1String("].") +
           CR + QLatin1String("     Terminal [") + rs.Valor(1).toString() + QLatin1String("].") +
           CR + QLatin1String("     Programa [") + rs.Valor(2).toString() + QLatin1String("].");
}

QString TextoNumero(const QVariant& valor) {
    bool ok = false;
    const qlonglong n = valor.toLongLong(&ok);
    return ok ? QString::number(n) : valor.toString().trimmed();
}

} // namespace

QString CondicionProcesoPropio(const QString& procesoPropio) {
    QString proceso = procesoPropio;
    if (ContarElementos(proceso, QStringLiteral(":")) <= 1)
        return QLatin1String(" nro_proceso <> ") + LiteralSql(procesoPropio);
    // "pid:hilo": se excluye todo proceso con el mismo primer valor.
    return QLatin1String(" not nro_proceso like ") +
           LiteralSql(ElementoN(procesoPropio, QStringLiteral(":"), 1) + QLatin1String(":%"));
}

bool SesionDuplicada(const QString& usuario) {
    const QString condicion = CondicionProcesoPropio(ProcesoPropio());

    Recordset otras;
    CargarRecordset(otras, ConsultaOtras(usuario, condicion), QString());
    if (!otras.Abierto())
        return true; // sin poder mirar la lista no se sigue; el error ya se mostró
    if (otras.RecordCount() < 1)
        return false;
    otras.MoveFirst();

    if (otras.Valor(1).toString() != Glob().NombrePC) {
        MostrarError(Catalogo::ConectadoEnOtraTerminal, {Descripcion(usuario, otras)});
        return true;
    }

    Recordset aqui;
    CargarRecordset(aqui,
                    QLatin1String("SELECT programa,sid,serial FROM vis_conecciones WHERE "
                                  "nombre_usuario=") +
                        LiteralSql(usuario) + QLatin1String(" AND ") +
                        QLatin1String(" terminal = ") + LiteralSql(Glob().NombrePC) +
                        QLatin1String(" AND ") + condicion,
                    QString());
    if (!aqui.Abierto())
        return true;
    QString lista;
    for (aqui.MoveFirst(); !aqui.Eof(); aqui.MoveNext())
        lista = CR + lista + QLatin1String("     Programa [") + aqui.Valor(0).toString() +
                QLatin1Char(']');

    if (!Consiente(MostrarError(Catalogo::SesionesEnEstaTerminal, {usuario, lista})))
        return true;
    TerminarSesiones(aqui, usuario);

    // Una sola vez: cada fin de sesión vuelve recién cuando la sesión ya no
    // está (el servidor espera por ella, con un límite).
    Recordset quedan;
    CargarRecordset(quedan, ConsultaOtras(usuario, condicion), QString());
    if (!quedan.Abierto())
        return true;
    if (quedan.RecordCount() < 1)
        return false;
    quedan.MoveFirst();
    MostrarError(Catalogo::ConectadoEnOtraTerminal, {Descripcion(usuario, quedan)});
    return true;
}

bool TerminarSesiones(Recordset& rs, const QString& /*usuario*/) {
    std::unique_ptr<ConexionBase> control;
    AbrirConexionControl(UsuarioControl, ClaveControl, control);
    // Nunca la conexión principal: si la de control no abrió, las sentencias
    // fallan a la vista y la nueva consulta encuentra las sesiones todavía.
    if (!control)
        control = std::make_unique<ConexionBase>();
    ConexionBase* conexion = control.get();

    rs.MoveFirst();
    EjecutarSQL(QStringLiteral("SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol"), true, std::nullopt,
                conexion);
    const int sid = rs.IndiceCampo(QStringLiteral("sid"));
    const int serial = rs.IndiceCampo(QStringLiteral("serial"));
    for (; !rs.Eof(); rs.MoveNext())
        EjecutarSQL(QLatin1String("ALTER SYSTEM kill SESSION '") + TextoNumero(rs.Valor(sid)) +
                        QLatin1Char(',') + TextoNumero(rs.Valor(serial)) + QLatin1Char('\''),
                    true, std::nullopt, conexion);
    CerrarConexion(control);
    return false;
}
