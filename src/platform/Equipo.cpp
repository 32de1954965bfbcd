#include "Equipo.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QSysInfo>

#ifdef Q_OS_UNIX
#include <pwd.h>
#include <unistd.h>
#endif

namespace {
// Tope de los búferes en que el sistema devuelve los nombres.
constexpr qsizetype LargoBufer = 255;

QString HastaNulo(const QString& texto) {
    const qsizetype nulo = texto.indexOf(QChar(u'\0'));
    return (nulo >= 0 ? texto.left(nulo) : texto).left(LargoBufer);
}
} // namespace

QString NombreEquipo() {
    return HastaNulo(QSysInfo::machineHostName());
}

QString UsuarioSistemaOperativo() {
#ifdef Q_OS_UNIX
    // getpwuid_r: el usuario efectivo, aunque el entorno diga otra cosa.
    struct passwd pw {};
    struct passwd* resultado = nullptr;
    char bufer[4096];
    if (getpwuid_r(geteuid(), &pw, bufer, sizeof bufer, &resultado) == 0 && resultado &&
        resultado->pw_name)
        return HastaNulo(QString::fromLocal8Bit(resultado->pw_name));
    return HastaNulo(qEnvironmentVariable("USER"));
#else
    return HastaNulo(qEnvironmentVariable("USERNAME"));
#endif
}

QString NumeroProceso() {
    return QString::number(QCoreApplication::applicationPid());
}

QString NombreEjecutable() {
    QString ruta = QCoreApplication::applicationFilePath();
    if (ruta.isEmpty() && !QCoreApplication::arguments().isEmpty())
        ruta = QCoreApplication::arguments().constFirst();
    // Sin extensión: "Miravel.exe" -> "Miravel"; "miravel" queda igual.
    return QFileInfo(ruta).completeBaseName();
}

QStringList ArgumentosDelProceso(int argc, const char* const* argv) {
    QStringList argumentos;
    for (int i = 1; i < argc && argv && argv[i]; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    return argumentos;
}
