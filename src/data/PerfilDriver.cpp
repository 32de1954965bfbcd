#include "PerfilDriver.h"
#include "ConexionBase.h"
#include "TextoOdbc.h"
#include <QSysInfo>
#include <algorithm>
#include <pwd.h>
#include <sqlext.h>
#include <unistd.h>

namespace {

struct Identidad {
    QString programa = QStringLiteral("Miravel");
    QString terminal;
    QString usuarioSo;
};
Identidad& IdentidadActual() {
    static Identidad identidad;
    return identidad;
}

QString UsuarioDelProceso() {
    if (const passwd* pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(geteuid());
}

// Valor de una opción de libpq entre comillas simples.
QString ValorConninfo(const QString& valor) {
    QString r = valor;
    r.replace(QLatin1String("\\"), QLatin1String("\\\\"))
        .replace(QLatin1String("'"), QLatin1String("\\'"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

// Descripción del driver del origen de datos de ese nombre; vacía si no está.
QString DriverDelOrigen(SQLHENV entorno, const QString& dsn) {
    SQLWCHAR nombre[SQL_MAX_DSN_LENGTH + 1];
    SQLWCHAR descripcion[512];
    SQLSMALLINT ln = 0, ld = 0;
    SQLUSMALLINT direccion = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(SQLDataSourcesW(entorno, direccion, nombre, SQL_MAX_DSN_LENGTH + 1, &ln,
                                         descripcion, 512, &ld))) {
        direccion = SQL_FETCH_NEXT;
        if (DesdeW(nombre, std::min<qsizetype>(ln, SQL_MAX_DSN_LENGTH))
                .compare(dsn, Qt::CaseInsensitive) == 0)
            return DesdeW(descripcion, std::min<qsizetype>(ld, 511));
    }
    return QString();
}

// Atributos instalados del driver (su biblioteca, entre otros), separados por
// caracteres nulos; vacío si no está.
QString AtributosInstalados(SQLHENV entorno, const QString& driver) {
    SQLWCHAR descripcion[512];
    SQLWCHAR atributos[2048];
    SQLSMALLINT ld = 0, la = 0;
    SQLUSMALLINT direccion = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(
        SQLDriversW(entorno, direccion, descripcion, 512, &ld, atributos, 2048, &la))) {
        direccion = SQL_FETCH_NEXT;
        if (DesdeW(descripcion, std::min<qsizetype>(ld, 511)).compare(driver, Qt::CaseInsensitive))
            continue;
        return DesdeW(atributos, std::min<qsizetype>(la, 2047));
    }
    return QString();
}

} // namespace

void ConexionBase::IdentidadCliente(const QString& programa, const QString& terminal,
                                    const QString& usuarioSo) {
    Identidad& i = IdentidadActual();
    i.programa = programa.isEmpty() ? QStringLiteral("Miravel") : programa;
    i.terminal = terminal;
    i.usuarioSo = usuarioSo;
}

QString ConexionBase::AplicacionCliente() {
    const Identidad& i = IdentidadActual();
    const QString texto = i.programa + QLatin1Char(';') +
                          (i.terminal.isEmpty() ? QSysInfo::machineHostName() : i.terminal) +
                          QLatin1Char(';') +
                          (i.usuarioSo.isEmpty() ? UsuarioDelProceso() : i.usuarioSo) +
                          QLatin1Char(';') + QString::number(getpid());
    QByteArray utf8 = texto.toUtf8();
    if (utf8.size() > 63) {
        qsizetype n = 63;
        while (n > 0 && (uchar(utf8[n]) & 0xC0) == 0x80)
            --n; // no cortar un carácter por la mitad
        utf8.truncate(n);
    }
    return QString::fromUtf8(utf8);
}

bool PareceDriverPostgres(const QString& texto) {
    return texto.contains(QLatin1String("psqlodbc"), Qt::CaseInsensitive) ||
           texto.contains(QLatin1String("postgres"), Qt::CaseInsensitive);
}

bool DriverEsPsqlOdbc(SQLHENV entorno, const std::vector<AtributoConexion>& atributos) {
    QString driver = ValorAtributo(atributos, QLatin1String("DRIVER")).value_or(QString());
    const QString dsn = ValorAtributo(atributos, QLatin1String("DSN")).value_or(QString());
    if (driver.isEmpty() && !dsn.isEmpty())
        driver = DriverDelOrigen(entorno, dsn);
    if (driver.isEmpty())
        return false;
    // Si la descripción del driver no lo dice, se mira su biblioteca.
    return PareceDriverPostgres(driver) ||
           PareceDriverPostgres(AtributosInstalados(entorno, driver));
}

QString AtributosPsqlOdbc(const std::vector<AtributoConexion>& atributos,
                          const QString& aplicacionCliente) {
    auto falta = [&](const char* clave) {
        return !ValorAtributo(atributos, QLatin1String(clave)).has_value();
    };
    QString r;
    if (falta("UnknownSizes"))
        r += QLatin1String(";UnknownSizes=2");
    if (falta("Protocol"))
        r += QLatin1String(";Protocol=7.4-2");
    if (falta("pqopt"))
        r += QLatin1String(";pqopt=") +
             CitarValorOdbc(QLatin1String("application_name=") + ValorConninfo(aplicacionCliente));
    return r;
}
