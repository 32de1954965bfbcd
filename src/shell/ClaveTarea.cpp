#include "ClaveTarea.h"
#include "CodigosCatalogo.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include "Recordset.h"
#include "Usuarios.h"
#include <optional>

namespace {

constexpr int AuditoriaSinRechazo = 2;

// Primer campo de la primera fila como entero; nullopt si la consulta falló.
std::optional<int> PrimerEntero(const QString& sql) {
    Recordset rs;
    Cargar_Recordset(sql, rs);
    if (!rs.Abierto())
        return std::nullopt;
    if (rs.RecordCount() < 1)
        return 0;
    rs.MoveFirst();
    return rs.EsNulo(0) ? 0 : rs.Valor(0).toInt();
}

} // namespace

bool DatosTarea(const QString& sistema, const QString& tarea, QString& descripcion,
                int& tipoAuditoria, bool& hayClave) {
    Recordset rs;
    Cargar_Recordset(QLatin1String("SELECT descripcion,tipo_auditoria FROM ") +
                         AgregarOwner(QStringLiteral("vis_tareas")) +
                         QLatin1String(" WHERE sistema=") + LiteralSql(sistema) +
                         QLatin1String(" AND tarea=") + LiteralSql(tarea),
                     rs);
    if (!rs.Abierto() || rs.RecordCount() < 1)
        return false;
    rs.MoveFirst();
    descripcion = rs.Valor(0).toString();
    const QString tipo = rs.EsNulo(1) ? QString() : rs.Valor(1).toString();
    if (tipo.isEmpty() || tipo == QLatin1String("N"))
        tipoAuditoria = 0;
    else if (tipo == QLatin1String("D"))
        tipoAuditoria = 1;
    else if (tipo == QLatin1String("S"))
        tipoAuditoria = 2;

    const auto clave =
        PrimerEntero(QLatin1String("SELECT ") + Glob().OwnerSarvo +
                     QLatin1String(".hayClaveTarea(") + LiteralSql(sistema) + QLatin1Char(',') +
                     LiteralSql(tarea) + QLatin1String(") AS hayClave FROM DUAL"));
    if (!clave)
        return false; // sin saber si hay clave, la tarea no se abre
    hayClave = *clave == 1;
    return true;
}

IntentosClave::IntentosClave(const QString& sistema, const QString& tarea)
    : sistema_(sistema), tarea_(tarea) {}

QString IntentosClave::SentenciaClave(const QString& sistema, const QString& tarea,
                                      const QString& clave) {
    return QLatin1String("SELECT ") + Glob().OwnerSarvo + QLatin1String(".claveTareaCorrecta(") +
           LiteralSql(sistema) + QLatin1Char(',') + LiteralSql(tarea) + QLatin1Char(',') +
           LiteralSql(clave) + QLatin1String(") AS clave_correcta FROM DUAL");
}

IntentosClave::Resultado IntentosClave::Probar(const QString& clave) {
    if (terminado_)
        return aceptada_ ? Resultado::Aceptada : Resultado::Rechazada;
    ++intentos_;
    // Un carácter nulo cortaría la sentencia en el driver: esa clave no es de nadie.
    const bool enviable = !clave.contains(QChar(u'\0'));
    if (enviable && PrimerEntero(SentenciaClave(sistema_, tarea_, clave)) == 1) {
        aceptada_ = true;
        terminado_ = true;
        return Resultado::Aceptada;
    }
    MostrarError(Catalogo::ClaveTareaIncorrecta);
    if (intentos_ >= MaximoIntentos) {
        terminado_ = true;
        return Resultado::Rechazada;
    }
    return Resultado::Incorrecta;
}

bool PedirClaveTarea(const QString& sistema, const QString& tarea, const QString& titulo,
                     const QString& rowIdAuditoria, PedidoClave& ventana) {
    QString descripcion;
    int tipoAuditoria = 0;
    bool hayClave = false;
    if (!DatosTarea(sistema, tarea, descripcion, tipoAuditoria, hayClave))
        return false;
    if (!hayClave)
        return true;
    IntentosClave intentos(sistema, tarea);
    ventana.Mostrar(sistema, tarea, titulo, intentos);
    if (intentos.Aceptada())
        return true;
    if (tipoAuditoria != AuditoriaSinRechazo)
        RegistrarSalida(rowIdAuditoria, 0, 0, 0, 0, QStringLiteral("R"));
    return false;
}
