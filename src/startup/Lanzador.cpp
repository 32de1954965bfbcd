#include "Lanzador.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "Recordset.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace {
bool TieneSeparador(const QString& texto) {
    return texto.contains(QLatin1Char(' ')) || texto.contains(QLatin1Char('\t'));
}
} // namespace

QString LeerMunicipalidad(QString* error) {
    ConexionBase conexion;
    if (!conexion.Abrir(ArmarCadenaODBC(UsuarioLanzador, ClaveLanzador))) {
        if (error)
            *error = conexion.Errores().empty() ? QStringLiteral("No se pudo conectar con la base.")
                                                : conexion.Errores().front().descripcion;
        return QString();
    }
    Recordset rs;
    const bool ok = conexion.Consultar(
        QStringLiteral("SELECT contenido FROM OWNER_SARVO.config WHERE sistema='GDA' AND "
                       "nombre_parametro='MUNICIPALIDAD'"),
        rs);
    QString nombre;
    if (ok && rs.RecordCount() > 0) {
        rs.MoveFirst();
        nombre = rs.Valor(0).toString();
    }
    if (nombre.isEmpty() && error)
        *error =
            ok ? QStringLiteral("Falta el parámetro MUNICIPALIDAD en la configuración.")
               : (conexion.Errores().empty() ? QStringLiteral("No se pudo leer la configuración.")
                                             : conexion.Errores().front().descripcion);
    conexion.Cerrar();
    return nombre;
}

QString ValidarIngreso(const QString& usuario, const QString& clave, const QString& carpeta) {
    if (usuario.trimmed().isEmpty())
        return QStringLiteral("Ingrese el usuario.");
    if (clave.isEmpty())
        return QStringLiteral("Ingrese la clave.");
    if (TieneSeparador(usuario.trimmed()))
        return QStringLiteral("El usuario no puede contener espacios.");
    if (TieneSeparador(clave))
        return QStringLiteral("La clave no puede contener espacios.");
    if (carpeta.isEmpty() || TieneSeparador(carpeta))
        return QStringLiteral("La carpeta de instalación no puede estar vacía ni contener "
                              "espacios: ") +
               carpeta;
    if (!QFileInfo(carpeta).isDir())
        return QStringLiteral("No existe la carpeta de instalación: ") + carpeta;
    return QString();
}

QString CarpetaConSeparador(const QString& carpeta) {
    QString c = QDir::toNativeSeparators(QDir(carpeta).absolutePath());
    if (!c.endsWith(QDir::separator()))
        c += QDir::separator();
    return c;
}

QStringList ArgumentosMiravel(const QString& usuario, const QString& clave, const QString& carpeta,
                              const QString& version) {
    return {usuario.trimmed(), clave, CarpetaConSeparador(carpeta), version};
}

QString ProgramaMiravel() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("miravel"));
}

bool IniciarMiravel(const QString& programa, const QStringList& argumentos, QString* error) {
    if (!QFileInfo(programa).isExecutable()) {
        if (error)
            *error = QStringLiteral("No se encuentra el programa ") + programa;
        return false;
    }
    qint64 pid = 0;
    if (!QProcess::startDetached(programa, argumentos, QString(), &pid)) {
        if (error)
            *error = QStringLiteral("No se pudo iniciar ") + programa;
        return false;
    }
    return true;
}
