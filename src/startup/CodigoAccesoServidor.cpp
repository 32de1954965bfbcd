#include "CodigoAccesoServidor.h"
#include "ConexionBase.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include "Recordset.h"

namespace {

// ORA-00904: la función no existe (o el usuario no la ve).
constexpr long FuncionInexistente = 904;
// Un código tiene ocho cifras: lo que pase de esto es incorrecto igual y
// no debe llegar entero a una sentencia.
constexpr qsizetype LargoMaximoRespuesta = 64;

QString SentenciaCodigoAcceso(const QString& prefijo, const QString& codigo) {
    // Un carácter nulo cortaría la sentencia en el driver: esa respuesta va vacía.
    const QString enviable =
        codigo.contains(QChar(u'\0')) ? QString() : codigo.left(LargoMaximoRespuesta);
    return QLatin1String("SELECT ") + AgregarOwner(QStringLiteral("CodigoAccesoCorrecto")) +
           QLatin1Char('(') + LiteralSql(prefijo) + QLatin1Char(',') + LiteralSql(enviable) +
           QLatin1String(") AS correcto FROM DUAL");
}

} // namespace

RespuestaCodigo ComprobarCodigoEnServidor(const QString& prefijo, const QString& codigo) {
    ConexionBase* auditoria = Glob().ConexionAuditoria.get();
    ConexionBase* conexion = auditoria && auditoria->Abierta() ? auditoria : nullptr;
    Recordset rs;
    CargarRecordsetSinCartel(rs, SentenciaCodigoAcceso(prefijo, codigo), FuncionInexistente,
                             conexion);
    if (!rs.Abierto())
        return Glob().UltimoErrorNativo == FuncionInexistente ? RespuestaCodigo::SinComprobacion
                                                              : RespuestaCodigo::Incorrecta;
    // El intento queda anotado y contado aunque el arranque termine aquí.
    EjecutarSQL(QStringLiteral("COMMIT"), true, std::nullopt, conexion);
    if (rs.RecordCount() < 1)
        return RespuestaCodigo::Incorrecta;
    rs.MoveFirst();
    return !rs.EsNulo(0) && rs.Valor(0).toInt() == 1 ? RespuestaCodigo::Correcta
                                                     : RespuestaCodigo::Incorrecta;
}
