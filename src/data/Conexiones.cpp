#include "Conexiones.h"
#include "Avisos.h"
#include "ConexionBase.h"
#include "Dialogos.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include <QDir>
#include <algorithm>

namespace {
// Prefijo fijo de la clave de base, igual para todos los usuarios.
const QString PrefijoClave = QStringLiteral("M");
const QString OrigenDatos = QStringLiteral("Oracle");
const QString SistemaMiravel = QStringLiteral("Miravel");

QString CadenaProveedorNativo(const QString& usuario, const QString& clave) {
    return QLatin1String("Provider=MSDAORA.1;User ID=") + CitarValorOdbc(usuario) +
           QLatin1String(";Password=") + CitarValorOdbc(clave) + QLatin1String(";Data Source=") +
           Glob().ServidorBase + QLatin1String(";Extended Properties=UID=") +
           CitarValorOdbc(usuario) + QLatin1String(";Persist Security Info=False");
}
// Sentencias de sesión de ParametrosBase en una conexión recién abierta.
bool PrepararSesion(const QString& usuario, ConexionBase& conexion) {
    if (!EstablecerParametrosBase(usuario, SistemaMiravel, conexion))
        return false;
    // Recién abierta no hay otra cosa pendiente: si el gestor lo necesita, el
    // dialecto confirma las sentencias de sesión; con Oracle no se envía nada.
    conexion.AsentarParametrosSesion();
    return true;
}

} // namespace

QString InvertirCadena(const QString& texto) {
    // Carácter por carácter: los pares sustitutos no se separan.
    QList<uint> caracteres = texto.toUcs4();
    std::reverse(caracteres.begin(), caracteres.end());
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(caracteres.constData()),
                             caracteres.size());
}

QString DerivarClave(const QString& clave) {
    return PrefijoClave + clave + InvertirCadena(clave);
}

QString ArmarCadenaODBC(const QString& usuario, const QString& clave) {
    return QLatin1String("Provider=MSDASQL;") + QLatin1String(";DSN=") + OrigenDatos +
           QLatin1String(";UID=") + CitarValorOdbc(usuario) + QLatin1String(";PWD=") +
           CitarValorOdbc(clave);
}

bool ConectarBase(std::unique_ptr<ConexionBase>& conexion, const QString& usuario,
                  const QString& clave, const QString& /*servidor*/) {
    auto& g = Glob();
    g.UsuarioActual = usuario;
    g.ClaveBase = DerivarClave(clave);

    const Puntero anterior = dialogos().PunteroActual();
    dialogos().PonerPuntero(Puntero::Reloj);

    g.CadenaConexionODBC = ArmarCadenaODBC(usuario, g.ClaveBase);
    if (g.ModoConexion == 0)
        g.CadenaConexion = g.CadenaConexionODBC;
    else if (g.ModoConexion == 1)
        g.CadenaConexion = CadenaProveedorNativo(usuario, g.ClaveBase);

    conexion = std::make_unique<ConexionBase>();
    if (!conexion->Abrir(g.CadenaConexion)) {
        avisos().MostrarErrorConexion(*conexion);
        dialogos().PonerPuntero(anterior);
        return false;
    }
    conexion->IniciarTransaccion();
    if (!PrepararSesion(usuario, *conexion))
        return false;
    // Si la sesión se pierde, al reabrirla se repite lo mismo.
    conexion->PonerPreparacion([usuario](ConexionBase& c) { return PrepararSesion(usuario, c); });
    dialogos().PonerPuntero(anterior);
    return true;
}

void AbrirConexionControl(const QString& usuario, const QString& clave,
                          std::unique_ptr<ConexionBase>& conexion) {
    dialogos().PonerPuntero(Puntero::Reloj);
    conexion = std::make_unique<ConexionBase>();
    if (!conexion->Abrir(ArmarCadenaODBC(usuario, clave)))
        avisos().MostrarErrorConexion(*conexion);
    else
        conexion->IniciarTransaccion();
    dialogos().PonerPuntero(Puntero::Defecto);
}

void CerrarConexion(std::unique_ptr<ConexionBase>& conexion) {
    if (conexion)
        conexion->Cerrar();
    conexion.reset();
}

void PrepararComandoSinPantalla(const QString& programa) {
    auto& g = Glob();
    const QString ruta = qEnvironmentVariable("MIRAVEL_RUTA_SISTEMA",
                                              QDir::tempPath() + QLatin1String("/miravel-sql/"));
    g.RutaSistema = ruta.endsWith(QLatin1Char('/')) ? ruta : ruta + QLatin1Char('/');
    g.VersionSistema = programa;
    g.ModoConexion = 0;
}
