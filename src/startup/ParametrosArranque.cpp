// Parámetros generales y de sesión que se leen una vez al arrancar.
#include "ParametrosArranque.h"
#include "CodigosCatalogo.h"
#include "ControlVersion.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Parametros.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <QLocale>
#include <cmath>
#include <limits>

namespace {

const QString OwnerGeneral = QStringLiteral("OWNER_SARVO");

ParametrosGenerales& Leidos() {
    static ParametrosGenerales p;
    return p;
}

bool& Marca() {
    static bool marca = false;
    return marca;
}

// Dueño de la suite para el usuario (OwnerDeUsuario). Si la función no
// contesta, queda el de OWNER_DB.
void ResolverOwner(const QString& usuario) {
    auto& g = Glob();
    Recordset rs;
    Cargar_Recordset(QLatin1String(" SELECT ") +
                         AgregarOwner(QLatin1String("OwnerDeUsuario(") + LiteralSql(usuario) +
                                      QLatin1Char(',') + LiteralSql(g.OwnerSarvo) +
                                      QLatin1Char(')')) +
                         QLatin1String(" FROM dual"),
                     rs);
    if (rs.Abierto() && rs.RecordCount() > 0) {
        rs.MoveFirst();
        if (!rs.EsNulo(0) && !rs.Valor(0).toString().isEmpty())
            g.OwnerSarvo = rs.Valor(0).toString();
    }
}

// Número entero de 32 bits; un texto que no lo es toma el valor por defecto.
qint32 ComoEntero(const QString& texto, qint32 porDefecto) {
    bool ok = false;
    const double valor = QLocale::c().toDouble(texto.trimmed(), &ok);
    if (!ok || !std::isfinite(valor) || valor < std::numeric_limits<qint32>::min() ||
        valor > std::numeric_limits<qint32>::max())
        return porDefecto;
    return qint32(std::lround(valor));
}

} // namespace

const ParametrosGenerales& ParametrosLeidos() {
    return Leidos();
}
bool MarcaCP() {
    return Marca();
}

bool CargarParametrosGenerales(const QString& usuario) {
    auto& g = Glob();
    auto& p = Leidos();
    p = ParametrosGenerales();
    Marca() = false;

    g.OwnerSarvo = OwnerGeneral;
    if (!LeerParametroConfig(g.OwnerSarvo, QStringLiteral("OWNER_DB"), Catalogo::FaltaOwnerDb))
        return false;
    ResolverOwner(usuario);
    Marca() = g.OwnerSarvo != OwnerGeneral;

    if (!LeerParametroConfig(g.ColorLabel, QStringLiteral("COLOR_LABEL"), Catalogo::FaltaColorLabel,
                             QString(), QStringLiteral("COLOR_LABEL")))
        return false;
    p.TablespaceTemporal =
        ObtenerParametro(QStringLiteral("GDA"), QStringLiteral("TABLESPACE_TEMPORAL"),
                         QStringLiteral("temporary_data"), QString(), QStringLiteral("S"));
    if (!LeerParametroConfig(g.RptOrganismo, QStringLiteral("RPTORGANISMO"),
                             Catalogo::FaltaParametroReporte, QString(),
                             QStringLiteral("RPTORGANISMO")))
        return false;
    if (!LeerParametroConfig(g.RptNombreOrg, QStringLiteral("RPTNOMBREORG"),
                             Catalogo::FaltaParametroReporte, QString(),
                             QStringLiteral("RPTNOMBREORG")))
        return false;
    if (!LeerParametroConfig(g.Municipalidad, QStringLiteral("MUNICIPALIDAD"),
                             Catalogo::FaltaMunicipalidad))
        return false;
    if (!LeerParametroConfig(g.TimerABM, QStringLiteral("TIMER_ABM"), Catalogo::FaltaTimerAbm))
        return false;
    if (!LeerParametroConfig(p.CodLocalidad, QStringLiteral("COD_LOCALIDAD"),
                             Catalogo::FaltaCodLocalidad))
        return false;
    const QString localidad = QLatin1String("SELECT Descripcion FROM ") +
                              AgregarOwner(QStringLiteral("localidades")) +
                              QLatin1String(" WHERE Codigo=") + LiteralSql(p.CodLocalidad);
    if (const auto nombre = ValorSQL(localidad, QVariant()); nombre && !nombre->isNull())
        p.Localidad = nombre->toString();
    if (!LeerParametroConfig(p.CodProvincia, QStringLiteral("COD_PROVINCIA"),
                             Catalogo::FaltaCodProvincia))
        return false;
    if (!LeerParametroConfig(p.CodNacionalidad, QStringLiteral("COD_NACIONALIDAD"),
                             Catalogo::FaltaCodNacionalidad))
        return false;
    if (!LeerParametroConfig(p.LimiteAvisoFiltros, QStringLiteral("LIMITE_AVISO_FILTROS"),
                             Catalogo::FaltaLimiteAvisoFiltros))
        return false;
    if (!LeerParametroConfig(p.CallePostal, QStringLiteral("CALLE_POSTAL"),
                             Catalogo::FaltaCallePostal))
        return false;
    if (!LeerParametroConfig(p.NroPostal, QStringLiteral("NRO_POSTAL"), Catalogo::FaltaNroPostal))
        return false;
    if (!LeerParametroConfig(p.CodPos, QStringLiteral("CODPOS"), Catalogo::FaltaCodPos))
        return false;
    return true;
}

void CargarParametrosSesion() {
    auto& g = Glob();
    const QString gda = QStringLiteral("GDA");
    g.TimeoutRpt = ComoEntero(ObtenerParametro(gda, QStringLiteral("TIMEOUT_RPT"),
                                               QStringLiteral("5"), QString(), QStringLiteral("S")),
                              5);
    g.TimeoutSql = ComoEntero(ObtenerParametro(gda, QStringLiteral("TIMEOUT_SQL"),
                                               QStringLiteral("1"), QString(), QStringLiteral("S")),
                              1);
    const QString seguimiento =
        ObtenerParametro(QStringLiteral("Miravel"), QStringLiteral("SEGUIMIENTO_SQL"),
                         QStringLiteral("DESHABILITADO"), QString(), QStringLiteral("S"));

    if (seguimiento == QLatin1String("FULL")) {
        g.SeguimientoSql = true;
    } else if (seguimiento == QLatin1String("USUARIO")) {
        const QString usuario = LiteralSql(g.UsuarioActual);
        Recordset rs;
        CargarRecordset(rs,
                        QLatin1String("SELECT * FROM ") + AgregarOwner(QStringLiteral("USUARIOS")) +
                            QLatin1String(" WHERE USUARIO=") + usuario,
                        QString());
        if (ExisteCampo(rs, QStringLiteral("SEGUIMIENTO_SQL"))) {
            // La plantilla se resuelve antes de agregar el valor: las llaves
            // de un nombre de usuario no son tablas.
            const QString sql = AsigOwner(QStringLiteral(
                                    "//SELECT SEGUIMIENTO_SQL FROM {USUARIOS} WHERE USUARIO=")) +
                                usuario;
            const auto valor = ValorSQL(sql, QStringLiteral("N"));
            g.SeguimientoSql = valor && !valor->isNull() && valor->toString() == QLatin1String("S");
        } else {
            g.SeguimientoSql = false;
        }
    } else {
        g.SeguimientoSql = false;
    }
}
