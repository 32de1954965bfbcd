// Versión del ejecutable contra la última instalada en la base.
#include "ControlVersion.h"
#include "CodigoAcceso.h"
#include "CodigoAccesoServidor.h"
#include "Dialogos.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Logs.h"
#include "Parametros.h"
#include "Plantillas.h"
#include "Recordset.h"

#ifndef MIRAVEL_VERSION_MAYOR
#define MIRAVEL_VERSION_MAYOR 0
#endif
#ifndef MIRAVEL_VERSION_MENOR
#define MIRAVEL_VERSION_MENOR 0
#endif

namespace {

const QString Prefijo = QStringLiteral("MRV");
const QString TituloVersion = QStringLiteral("Incompatibilidad de Versión");

std::optional<int> TresDigitos(const QString& texto) {
    if (texto.size() != 3)
        return std::nullopt;
    int n = 0;
    for (const QChar c : texto) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        n = n * 10 + (c.unicode() - '0');
    }
    return n;
}

// Base sin la comprobación con clave: se usa el código anterior y soporte
// se entera por el registro de errores, una vez por arranque.
void AvisarCodigoSinClave() {
    if (Glob().AvisoCodigoSinClave)
        return;
    Glob().AvisoCodigoSinClave = true;
    GrabarErrorPrograma(Prefijo, QStringLiteral("ControlarVersion"),
                        QStringLiteral("Aviso: la base no tiene la comprobación del código de "
                                       "acceso con clave (") +
                            AgregarOwner(QStringLiteral("CodigoAccesoCorrecto")) +
                            QStringLiteral("); se acepta el código anterior, que cualquiera "
                                           "puede calcular. Instale la comprobación con clave "
                                           "(docs/codigo-de-acceso.md)."));
}

// La respuesta a la caja de la clave de acceso: la comprueba la base y, si
// no tiene cómo, se compara con el código anterior del día del servidor.
bool CodigoAccesoAceptado(const QString& respuesta) {
    switch (ComprobarCodigoEnServidor(Prefijo, respuesta)) {
    case RespuestaCodigo::Correcta:
        return true;
    case RespuestaCodigo::Incorrecta:
        return false;
    case RespuestaCodigo::SinComprobacion:
        break;
    }
    AvisarCodigoSinClave();
    const auto hoy = FechaServidor(false);
    // Sin fecha del servidor no hay código posible: ninguna respuesta sirve.
    const QString codigo = hoy ? CodigoAccesoDelDia(hoy->date()) : QString();
    return !codigo.isEmpty() && respuesta == codigo;
}

} // namespace

QString VersionPrograma::Texto() const {
    return QStringLiteral("%1_%2")
        .arg(mayor, 3, 10, QLatin1Char('0'))
        .arg(menor, 3, 10, QLatin1Char('0'));
}

VersionPrograma VersionDelEjecutable() {
    return {MIRAVEL_VERSION_MAYOR, MIRAVEL_VERSION_MENOR};
}

std::optional<int> NumeroVersionBase(const QString& texto) {
    // Caracteres 1 a 3 y 5 a 7; el cuarto es el separador y no se mira.
    const auto mayor = TresDigitos(texto.mid(0, 3));
    const auto menor = TresDigitos(texto.mid(4, 3));
    if (!mayor || !menor)
        return std::nullopt;
    return *mayor * 100 + *menor;
}

bool ExisteCampo(const Recordset& rs, const QString& nombreCampo) {
    const QString buscado = nombreCampo.toUpper();
    for (int i = 0; i < rs.CantidadCampos(); ++i)
        if (rs.NombreCampo(i).toUpper() == buscado)
            return true;
    return false;
}

bool ControlarVersion() {
    return ControlarVersion(VersionDelEjecutable());
}

bool ControlarVersion(const VersionPrograma& ejecutable) {
    // Sólo importan las columnas: una base vieja no tiene Ejecutable.
    Recordset sonda;
    CargarRecordset(sonda,
                    QLatin1String("SELECT * FROM ") + AgregarOwner(QStringLiteral("Versiones")) +
                        QLatin1String(" WHERE PREFIJOSISTEMA='XXX'"),
                    QString());
    if (!ExisteCampo(sonda, QStringLiteral("EJECUTABLE")))
        return true;

    const QString modo =
        ObtenerParametro(QStringLiteral("GDA"), QStringLiteral("CONTROL_VERSION"),
                         QStringLiteral("DESHABILITADO"), QString(), QStringLiteral("S"));
    const bool aviso = modo == QLatin1String("AVISO");
    const bool contrasenia = modo == QStringLiteral("CONTRASEÑA");
    if (!aviso && !contrasenia)
        return true;

    const QString consulta = QLatin1String("SELECT MAX(version) AS maximo FROM ") +
                             AgregarOwner(QStringLiteral("VERSIONES")) +
                             QLatin1String(" WHERE Ejecutable='S' AND PrefijoSistema=") +
                             LiteralSql(Prefijo);
    const auto instalada = ValorSQL(consulta, QString());
    const QString versionBase =
        (instalada && !instalada->isNull()) ? instalada->toString() : QString();
    if (versionBase.isEmpty()) {
        MostrarMensaje(QStringLiteral("No se encuentra instalada ninguna Versión con Ejecutable "
                                      "de este Sistema en la Base de Datos."),
                       TituloVersion);
        return false;
    }

    // Un texto que no es "MMM_mmm" con dígitos cuenta como versión distinta.
    const auto numeroBase = NumeroVersionBase(versionBase);
    if (numeroBase && *numeroBase == ejecutable.Numero())
        return true;

    const QString diferencia =
        QStringLiteral("   La Base de Datos se encuenta en la Versión ") + versionBase +
        QStringLiteral(", mientras que el Ejecutable está en la versión ") + ejecutable.Texto() +
        QLatin1String(".") + QLatin1String("\n\r") +
        QStringLiteral("   La última versión instalada de este Sistema se ha realizado en forma "
                       "Incorrecta.");

    if (aviso) {
        MostrarMensaje(diferencia, QStringLiteral("Incompatibilidad de Versiones"));
        return true;
    }

    const QString respuesta =
        dialogos()
            .PedirTexto(diferencia + QLatin1String("\n\r") +
                            QStringLiteral("   Para proseguir deberá comunicarse a la UDT, la "
                                           "cual le proveerá de una Clave de Acceso"),
                        TituloVersion, QString())
            .value_or(QString());
    if (CodigoAccesoAceptado(respuesta))
        return true;
    MostrarMensaje(QStringLiteral("Clave de Acceso incorrecta"), QStringLiteral("Error"));
    return false;
}
