#include "EnlaceReporte.h"
#include "Dialogos.h"
#include "Func_SarvoImpresion.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "MotorReporte.h"
#include "Plantillas.h"
#include "UbicacionReporte.h"
#include <limits>

namespace {

const QString OwnerGeneral = QStringLiteral("OWNER_SARVO");
const QString Origen = QStringLiteral("Func_SarvoImpresion");

bool EsEmblema(const QString& nombreEnMayusculas) {
    return nombreEnMayusculas == QLatin1String("GDA_LOGOMUNI.RPT") ||
           nombreEnMayusculas == QLatin1String("GDA_LOGOMUNI.RPT - 01");
}

QString FallaDelMotor(const MotorReporte& m) {
    return QString::number(m.ErrorNumero()) + QLatin1String("][") + m.ErrorOrigen() +
           QLatin1Char(']') + m.ErrorDescripcion();
}

// Largo leído como entero de 16 bits con signo: un archivo de 32 768 bytes o
// más no entra y cuenta como no leído.
std::optional<qint16> LargoCorto(const QString& ruta) {
    const auto largo = LargoArchivo(ruta);
    if (!largo || *largo > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(*largo);
}

} // namespace

QString AsignarLogon(MotorReporte& rpt, qint32 /*modoConexion*/) {
    const EstadoSesion& g = Glob();
    rpt.setConnect(QLatin1String(";;;UID=") + g.UsuarioActual + QLatin1String(";PWD=") +
                   g.ClaveBase);
    if (!rpt.VerificarConexion()) {
        rpt.setConnect(g.CadenaConexionODBC);
        rpt.VerificarConexion();
    }
    // Las fallas del ingreso no se informan aquí: si sigue rechazado, falla la corrida.
    rpt.LimpiarError();
    return rpt.Connect();
}

std::optional<QString> ConsultaSubreporte(const QString& nombreReporte,
                                          const QString& nombreSubreporte) {
    // Los nombres salen del archivo: una comilla en ellos no puede cortar la sentencia.
    const QString sql = QLatin1String("SELECT Query FROM ") +
                        AgregarOwner(QStringLiteral("PROP_SUBREPORTES"), QString()) +
                        QLatin1String(" WHERE (Nom_rpt=") + LiteralSql(nombreReporte) +
                        QLatin1String(")AND(Nom_Subrpt=") + LiteralSql(nombreSubreporte) +
                        QLatin1String(")");
    const auto valor = ValorSQL(sql, QVariant());
    if (!valor)
        return std::nullopt;
    if (valor->isNull()) {
        dialogos().AvisoSistema(
            QLatin1String("Error Interno. Falta definir en PROP_SUBREPORTES una entrada para ") +
            nombreReporte + QLatin1Char('-') + nombreSubreporte);
        return QString();
    }
    return valor->toString();
}

QString ConsultaLogoMunicipio(MotorReporte& aux, const QString& carpetaSistema,
                              const QString& nombreSubreporte, const QString& cadenaLogon) {
    aux.Reset();
    aux.setConnect(cadenaLogon);
    QString ruta =
        RutaReporte(Glob().RutaSistema, carpetaSistema, QStringLiteral("60"), nombreSubreporte);
    auto largo = LargoCorto(ruta);
    if (!largo) {
        ruta = RutaReporte(Glob().RutaSistema, QStringLiteral("Gda"), QStringLiteral("60"),
                           nombreSubreporte);
        largo = LargoCorto(ruta);
    }
    if (!largo || *largo < 1)
        return QString();
    aux.setReportFileName(ruta);
    aux.RetrieveSQLQuery();
    return aux.SQLQuery();
}

bool ReescribirOwner(MotorReporte& rpt, MotorReporte& aux, const QString& archivo,
                     const QString& carpetaSistema, const QString& conexionReporte,
                     QString& falla) {
    const QString owner = Glob().OwnerSarvo;
    if (owner == OwnerGeneral)
        return true;
    const QString buscado = QLatin1Char('"') + OwnerGeneral + QLatin1String("\".");
    const QString reemplazo = QLatin1Char('"') + owner + QLatin1String("\".");

    const int n = rpt.GetNSubreports();
    if (rpt.HayError()) {
        falla = FallaDelMotor(rpt);
        return false;
    }
    // Los subreportes primero y el reporte al final.
    for (int i = 0; i <= n; ++i) {
        QString sql;
        if (i < n) {
            const QString nombre = rpt.GetNthSubreportName(qint16(i));
            const QString mayusculas = nombre.toUpper();
            if (EsEmblema(mayusculas)) {
                sql = ConsultaLogoMunicipio(aux, carpetaSistema, nombre, conexionReporte);
            } else {
                const auto consulta = ConsultaSubreporte(archivo.toUpper(), mayusculas);
                if (!consulta) {
                    falla = QStringLiteral("%1][%2]No se pudo leer la consulta del subreporte "
                                           "%3 en PROP_SUBREPORTES.")
                                .arg(MotorReporte::FallaConsulta)
                                .arg(Origen, nombre);
                    return false;
                }
                sql = *consulta;
            }
            rpt.setSubreportToChange(nombre);
        } else {
            rpt.setSubreportToChange(QString());
            if (rpt.SQLQuery().isEmpty())
                rpt.RetrieveSQLQuery();
            sql = rpt.SQLQuery();
        }
        AsignarConsultaReporte(sql.toUpper().replace(buscado, reemplazo));
        rpt.AplicarConsulta();
        if (rpt.HayError()) {
            falla = FallaDelMotor(rpt);
            return false;
        }
    }
    rpt.AplicarConsulta();
    return true;
}
