#include "OrigenDatosOdbc.h"
#include "CadenaConexion.h"
#include "ConexionBase.h"
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTextStream>
#include <cstdio>

// Archivos de configuración que usa el administrador de drivers unixODBC
// (los mismos que muestra "odbcinst -j"). Están en libodbcinst sin un
// encabezado instalado que se pueda incluir.
extern "C" {
int _odbcinst_UserINI(char* archivo, int verificar);
int _odbcinst_SystemINI(char* archivo, int verificar);
char* odbcinst_system_file_path(char* carpeta);
char* odbcinst_system_file_name(char* nombre);
}

namespace {

using Seccion = QHash<QString, QString>; // clave en minúsculas → valor

// Secciones de un archivo .ini como los lee unixODBC: nombres de sección y
// claves sin distinguir mayúsculas, ";" o "#" al comienzo es comentario.
QHash<QString, Seccion> LeerIni(const QString& ruta) {
    QHash<QString, Seccion> secciones;
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return secciones;
    QTextStream texto(&archivo);
    Seccion* actual = nullptr;
    while (!texto.atEnd()) {
        const QString linea = texto.readLine().trimmed();
        if (linea.isEmpty() || linea.startsWith(QLatin1Char(';')) ||
            linea.startsWith(QLatin1Char('#')))
            continue;
        if (linea.startsWith(QLatin1Char('[')) && linea.endsWith(QLatin1Char(']'))) {
            actual = &secciones[linea.mid(1, linea.size() - 2).trimmed().toLower()];
            continue;
        }
        const qsizetype igual = linea.indexOf(QLatin1Char('='));
        if (actual && igual > 0)
            actual->insert(linea.left(igual).trimmed().toLower(), linea.mid(igual + 1).trimmed());
    }
    return secciones;
}

QString RutaDelAdministrador(int (*funcion)(char*, int)) {
    char ruta[FILENAME_MAX + 1] = {};
    funcion(ruta, 0);
    return QString::fromLocal8Bit(ruta);
}

QString ArchivoDrivers() {
    // Devuelven su texto (a veces propio, no el búfer).
    char carpeta[FILENAME_MAX + 1] = {};
    char nombre[FILENAME_MAX + 1] = {};
    const char* c = odbcinst_system_file_path(carpeta);
    const char* n = odbcinst_system_file_name(nombre);
    return QString::fromLocal8Bit(c ? c : carpeta) + QLatin1Char('/') +
           QString::fromLocal8Bit(n ? n : nombre);
}

// Primer valor de esas claves: el de la cadena de conexión, si no el del archivo.
QString Valor(const std::vector<AtributoConexion>& cadena, const Seccion& seccion,
              std::initializer_list<const char*> claves) {
    for (const char* clave : claves)
        if (const auto v = ValorAtributo(cadena, QLatin1StringView(clave)); v && !v->isEmpty())
            return *v;
    for (const char* clave : claves)
        if (const QString v = seccion.value(QLatin1String(clave)); !v.isEmpty())
            return v;
    return QString();
}

QString Comillas(const QString& texto) {
    return QLatin1Char('"') + texto + QLatin1Char('"');
}

// "a, b (no existe)".
QString ListaArchivos(const OrigenDatosOdbc& o, bool conDrivers) {
    QStringList lista;
    QStringList todos = o.archivos;
    if (conDrivers && !o.archivoDrivers.isEmpty())
        todos << o.archivoDrivers;
    for (const QString& a : todos)
        lista << (QFileInfo::exists(a) ? a : a + QStringLiteral(" (no existe)"));
    return lista.join(QStringLiteral(", "));
}

} // namespace

OrigenDatosOdbc LeerOrigenDatos(const QString& nombre, const QString& cadenaConexion) {
    OrigenDatosOdbc o;
    o.nombre = nombre;
    o.archivos = {RutaDelAdministrador(_odbcinst_UserINI),
                  RutaDelAdministrador(_odbcinst_SystemINI)};
    o.archivoDrivers = ArchivoDrivers();
    Seccion seccion;
    for (const QString& archivo : o.archivos) {
        if (!o.archivoDefinicion.isEmpty() || !QFileInfo::exists(archivo))
            continue;
        const auto secciones = LeerIni(archivo);
        const auto it = secciones.find(nombre.toLower());
        if (it != secciones.end()) {
            o.archivoDefinicion = archivo;
            seccion = *it;
        }
    }
    const auto cadena = SepararAtributos(cadenaConexion);
    o.driver = Valor(cadena, seccion, {"driver"});
    if (!o.driver.isEmpty() && !o.driver.contains(QLatin1Char('/')))
        o.driverInstalado = LeerIni(o.archivoDrivers).contains(o.driver.toLower());
    const QString equipo = Valor(cadena, seccion, {"servername", "server", "host"});
    const QString puerto = Valor(cadena, seccion, {"port"});
    o.servidor = equipo;
    if (!equipo.isEmpty() && !puerto.isEmpty())
        o.servidor += QStringLiteral(", puerto ") + puerto;
    return o;
}

std::optional<QString> ExplicarFallaConexion(const ErrorBase& error, const OrigenDatosOdbc& o) {
    const QString estado = error.sqlstate.toUpper();
    const QString origen = QStringLiteral("el origen de datos ODBC ") + Comillas(o.nombre);
    const bool noCarga =
        estado == QLatin1String("IM003") ||
        error.descripcion.contains(QLatin1String("Can't open lib"), Qt::CaseInsensitive);
    const bool inalcanzable =
        error.nativo == 1034 ||
        ((estado.startsWith(QLatin1String("08")) || estado == QLatin1String("HYT00")) &&
         error.nativo != 1017 && error.nativo != 1033);
    QString motivo;
    bool conDrivers = !o.driver.isEmpty();
    if (estado == QLatin1String("IM002") && o.archivoDefinicion.isEmpty()) {
        motivo = QStringLiteral("No está definido ") + origen + QLatin1Char('.');
        conDrivers = false;
    } else if (estado == QLatin1String("IM002") && o.driver.isEmpty()) {
        motivo = QStringLiteral("En ") + o.archivoDefinicion + QStringLiteral(", ") + origen +
                 QStringLiteral(" no dice qué driver usar (falta Driver).");
    } else if (estado == QLatin1String("IM002") || noCarga) {
        motivo = QStringLiteral("No se pudo cargar el driver ") + Comillas(o.driver) +
                 QStringLiteral(" que indica ") + origen +
                 (o.driverInstalado ? QStringLiteral(".") : QStringLiteral(": no está instalado."));
    } else if (inalcanzable) {
        motivo = QStringLiteral("No contesta el servidor de la base de datos que indica ") +
                 origen + QStringLiteral(": no está en marcha o no se lo alcanza por la red.");
    } else {
        return std::nullopt;
    }
    const QString servidor =
        o.servidor.isEmpty() ? QStringLiteral("no lo indica el origen de datos") : o.servidor;
    return motivo + QLatin1Char('\r') + QStringLiteral("Archivos de configuración ODBC leídos: ") +
           ListaArchivos(o, conDrivers) + QLatin1Char('.') + QLatin1Char('\r') +
           QStringLiteral("Servidor: ") + servidor + QLatin1Char('.');
}
