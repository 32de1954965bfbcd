#include "ConexionBase.h"
#include "Dialecto.h"
#include <QSysInfo>
#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstring>
#include <optional>
#include <pwd.h>
#include <sql.h>
#include <sqlext.h>
#include <unistd.h>

namespace {

const SQLWCHAR* W(const QString& s) {
    return reinterpret_cast<const SQLWCHAR*>(s.utf16());
}
QString DesdeW(const SQLWCHAR* p, qsizetype n) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), n);
}

struct Identidad {
    QString programa = QStringLiteral("Miravel");
    QString terminal;
    QString usuarioSo;
};
Identidad& IdentidadActual() {
    static Identidad identidad;
    return identidad;
}

std::atomic<qint64> sentenciasEnviadas{0};

QString UsuarioDelProceso() {
    if (const passwd* pw = getpwuid(geteuid()))
        return QString::fromLocal8Bit(pw->pw_name);
    return QString::number(geteuid());
}

// Atributos "clave=valor" de una cadena de conexión. Un valor entre llaves se
// toma literal ("}}" es una llave de cierre).
struct Atributo {
    QString clave;
    QString valor;
    bool conIgual = true;
};
std::vector<Atributo> SepararAtributos(const QString& cadena) {
    std::vector<Atributo> r;
    const qsizetype n = cadena.size();
    qsizetype i = 0;
    while (i < n) {
        if (cadena[i] == u';') {
            ++i;
            continue;
        }
        Atributo a;
        qsizetype j = i;
        while (j < n && cadena[j] != u'=' && cadena[j] != u';')
            ++j;
        a.clave = cadena.mid(i, j - i).trimmed();
        if (j >= n || cadena[j] == u';') {
            a.conIgual = false;
            if (!a.clave.isEmpty())
                r.push_back(a);
            i = j;
            continue;
        }
        i = j + 1;
        qsizetype k = i;
        while (k < n && cadena[k] == u' ')
            ++k;
        if (k < n && cadena[k] == u'{') {
            ++k;
            QString valor;
            while (k < n) {
                if (cadena[k] == u'}') {
                    if (k + 1 < n && cadena[k + 1] == u'}') {
                        valor += u'}';
                        k += 2;
                        continue;
                    }
                    ++k;
                    break;
                }
                valor += cadena[k++];
            }
            a.valor = valor;
            while (k < n && cadena[k] != u';')
                ++k; // lo que sigue a la llave de cierre no es parte del valor
            i = k;
        } else {
            while (k < n && cadena[k] != u';')
                ++k;
            a.valor = cadena.mid(i, k - i);
            i = k;
        }
        r.push_back(a);
    }
    return r;
}

bool EsClave(const Atributo& a, QLatin1StringView clave) {
    return a.clave.compare(clave, Qt::CaseInsensitive) == 0;
}

bool Tiene(const std::vector<Atributo>& atributos, QLatin1StringView clave) {
    return std::any_of(atributos.begin(), atributos.end(),
                       [&](const Atributo& a) { return EsClave(a, clave); });
}

bool PareceDriverPostgres(const QString& texto) {
    return texto.contains(QLatin1String("psqlodbc"), Qt::CaseInsensitive) ||
           texto.contains(QLatin1String("postgres"), Qt::CaseInsensitive);
}

// El driver del origen de datos (o el DRIVER= de la cadena) es psqlODBC.
bool DriverEsPsqlOdbc(SQLHENV env, const std::vector<Atributo>& atributos) {
    QString dsn, driver;
    for (const auto& a : atributos) {
        if (EsClave(a, QLatin1String("DSN")))
            dsn = a.valor;
        else if (EsClave(a, QLatin1String("DRIVER")))
            driver = a.valor;
    }
    if (driver.isEmpty() && !dsn.isEmpty()) {
        SQLWCHAR nombre[SQL_MAX_DSN_LENGTH + 1];
        SQLWCHAR descripcion[512];
        SQLSMALLINT ln = 0, ld = 0;
        SQLUSMALLINT direccion = SQL_FETCH_FIRST;
        while (SQL_SUCCEEDED(SQLDataSourcesW(env, direccion, nombre, SQL_MAX_DSN_LENGTH + 1, &ln,
                                             descripcion, 512, &ld))) {
            direccion = SQL_FETCH_NEXT;
            if (DesdeW(nombre, std::min<qsizetype>(ln, SQL_MAX_DSN_LENGTH))
                    .compare(dsn, Qt::CaseInsensitive) == 0) {
                driver = DesdeW(descripcion, std::min<qsizetype>(ld, 511));
                break;
            }
        }
    }
    if (driver.isEmpty())
        return false;
    if (PareceDriverPostgres(driver))
        return true;
    // La descripción del driver no lo dice: se mira su biblioteca.
    SQLWCHAR descripcion[512];
    SQLWCHAR atributosDriver[2048];
    SQLSMALLINT ld = 0, la = 0;
    SQLUSMALLINT direccion = SQL_FETCH_FIRST;
    while (SQL_SUCCEEDED(
        SQLDriversW(env, direccion, descripcion, 512, &ld, atributosDriver, 2048, &la))) {
        direccion = SQL_FETCH_NEXT;
        if (DesdeW(descripcion, std::min<qsizetype>(ld, 511)).compare(driver, Qt::CaseInsensitive))
            continue;
        // los atributos vienen separados por caracteres nulos
        QString texto = DesdeW(atributosDriver, std::min<qsizetype>(la, 2047));
        return PareceDriverPostgres(texto);
    }
    return false;
}

// Valor de una opción de libpq entre comillas simples.
QString ValorConninfo(const QString& valor) {
    QString r = valor;
    r.replace(QLatin1String("\\"), QLatin1String("\\\\"))
        .replace(QLatin1String("'"), QLatin1String("\\'"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

// Atributos que se agregan para psqlODBC: tamaños reales de las columnas sin
// largo declarado, deshacer solo la sentencia que falla (como Oracle) y la
// identidad del cliente.
QString AtributosPsqlOdbc(const std::vector<Atributo>& atributos) {
    QString r;
    if (!Tiene(atributos, QLatin1String("UnknownSizes")))
        r += QLatin1String(";UnknownSizes=2");
    if (!Tiene(atributos, QLatin1String("Protocol")))
        r += QLatin1String(";Protocol=7.4-2");
    if (!Tiene(atributos, QLatin1String("pqopt")))
        r += QLatin1String(";pqopt=") +
             CitarValorOdbc(QLatin1String("application_name=") +
                            ValorConninfo(ConexionBase::AplicacionCliente()));
    return r;
}

// Sentencia ODBC que se libera sola.
class Sentencia {
public:
    explicit Sentencia(SQLHDBC dbc) {
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc, &h_)))
            h_ = SQL_NULL_HSTMT;
    }
    ~Sentencia() {
        if (h_ != SQL_NULL_HSTMT)
            SQLFreeHandle(SQL_HANDLE_STMT, h_);
    }
    Sentencia(const Sentencia&) = delete;
    Sentencia& operator=(const Sentencia&) = delete;
    SQLHSTMT h() const { return h_; }

private:
    SQLHSTMT h_ = SQL_NULL_HSTMT;
};

// Cómo se trae y se guarda cada columna de una consulta.
struct ColumnaOdbc {
    SQLSMALLINT tipoC = SQL_C_WCHAR;
    SQLLEN ancho = 0;   // bytes de cada celda en el búfer
    bool larga = false; // sin largo conocido o de más de 4000 caracteres
    std::vector<char> datos;
    std::vector<SQLLEN> indicadores;
};

constexpr SQLULEN LargoMaximoEnBloque = 4000;
constexpr qsizetype BytesPorBloque = 8 << 20;
constexpr SQLULEN FilasPorBloque = 1024;

Recordset::Tipo Clasificar(SQLSMALLINT tipoSql, SQLULEN tamano, SQLSMALLINT decimales,
                           ColumnaOdbc& c) {
    auto texto = [&](SQLULEN caracteres) {
        c.tipoC = SQL_C_WCHAR;
        c.larga = caracteres == 0 || caracteres > LargoMaximoEnBloque;
        c.ancho = c.larga ? 0 : SQLLEN(caracteres + 1) * SQLLEN(sizeof(SQLWCHAR));
    };
    switch (tipoSql) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_BIT:
        c.tipoC = SQL_C_SBIGINT;
        c.ancho = sizeof(SQLBIGINT);
        return Recordset::Tipo::Entero;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        // como texto: sin redondeos, y un valor con decimales nunca se trunca
        c.tipoC = SQL_C_CHAR;
        c.ancho = SQLLEN(std::max<SQLULEN>(tamano, 38) + 8);
        return decimales == 0 && tamano > 0 && tamano <= 18 ? Recordset::Tipo::Entero
                                                            : Recordset::Tipo::Decimal;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        c.tipoC = SQL_C_CHAR;
        c.ancho = 64;
        return Recordset::Tipo::Decimal;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        c.tipoC = SQL_C_TYPE_DATE;
        c.ancho = sizeof(SQL_DATE_STRUCT);
        return Recordset::Tipo::Fecha;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        c.tipoC = SQL_C_TYPE_TIMESTAMP;
        c.ancho = sizeof(SQL_TIMESTAMP_STRUCT);
        return Recordset::Tipo::FechaHora;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
    case SQL_GUID:
        texto(tamano);
        return Recordset::Tipo::Texto;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        texto(tamano > LargoMaximoEnBloque / 2 ? 0 : tamano * 2); // en hexadecimal
        return Recordset::Tipo::Otro;
    default:
        texto(tamano == 0 ? 0 : std::max<SQLULEN>(tamano, 64));
        return Recordset::Tipo::Otro;
    }
}

void Dos(char* p, int v) {
    p[0] = char('0' + (v / 10) % 10);
    p[1] = char('0' + v % 10);
}

// Fecha y hora como texto "yyyy-MM-dd[ HH:mm:ss[.zzz]]" (así lo lee el Recordset).
qsizetype FormatearFecha(char* p, int anio, int mes, int dia) {
    const int a = std::clamp(anio, 0, 9999);
    Dos(p, a / 100);
    Dos(p + 2, a % 100);
    p[4] = '-';
    Dos(p + 5, mes);
    p[7] = '-';
    Dos(p + 8, dia);
    return 10;
}
qsizetype FormatearFechaHora(char* p, const SQL_TIMESTAMP_STRUCT& t) {
    qsizetype n = FormatearFecha(p, t.year, t.month, t.day);
    p[n++] = ' ';
    Dos(p + n, t.hour);
    p[n + 2] = ':';
    Dos(p + n + 3, t.minute);
    p[n + 5] = ':';
    Dos(p + n + 6, t.second);
    n += 8;
    const unsigned ms = t.fraction / 1000000;
    if (ms) {
        p[n] = '.';
        p[n + 1] = char('0' + ms / 100);
        Dos(p + n + 2, int(ms % 100));
        n += 4;
    }
    return n;
}

// Guarda una celda de tipo fijo (entero, fecha, fecha y hora).
void AgregarFijo(Recordset& rs, int columna, SQLSMALLINT tipoC, const char* dato) {
    char texto[32];
    qsizetype n = 0;
    switch (tipoC) {
    case SQL_C_SBIGINT: {
        SQLBIGINT v;
        std::memcpy(&v, dato, sizeof v);
        n = std::to_chars(texto, texto + sizeof texto, v).ptr - texto;
        break;
    }
    case SQL_C_TYPE_DATE: {
        SQL_DATE_STRUCT f;
        std::memcpy(&f, dato, sizeof f);
        n = FormatearFecha(texto, f.year, f.month, f.day);
        break;
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT f;
        std::memcpy(&f, dato, sizeof f);
        n = FormatearFechaHora(texto, f);
        break;
    }
    }
    rs.AgregarCelda(columna, texto, n);
}

bool EsFijo(SQLSMALLINT tipoC) {
    return tipoC != SQL_C_CHAR && tipoC != SQL_C_WCHAR;
}

// Lee por trozos el valor completo de una columna de la fila actual.
// nullopt: falló SQLGetData (el diagnóstico queda en la sentencia).
std::optional<bool> LeerTrozos(SQLHSTMT h, SQLUSMALLINT columna, SQLSMALLINT tipoC,
                               QByteArray& bytes) {
    bytes.clear();
    alignas(8) char trozo[16384];
    const SQLLEN terminador = tipoC == SQL_C_WCHAR ? 2 : 1;
    const SQLLEN util = SQLLEN(sizeof trozo) - terminador;
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN r = SQLGetData(h, columna, tipoC, trozo, sizeof trozo, &indicador);
        if (r == SQL_NO_DATA)
            return true;
        if (!SQL_SUCCEEDED(r))
            return std::nullopt;
        if (indicador == SQL_NULL_DATA)
            return false;
        const bool completo = indicador != SQL_NO_TOTAL && indicador <= util;
        bytes.append(trozo, completo ? indicador : util);
        if (completo)
            return true;
    }
}

} // namespace

struct ConexionBase::Odbc {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    bool conectada = false;
    QString gestor;

    ~Odbc() {
        if (dbc != SQL_NULL_HDBC) {
            if (conectada)
                SQLDisconnect(dbc);
            SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        }
        if (env != SQL_NULL_HENV)
            SQLFreeHandle(SQL_HANDLE_ENV, env);
    }
};

ConexionBase::ConexionBase() = default;

ConexionBase::~ConexionBase() {
    Cerrar();
}

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

qint64 ConexionBase::SentenciasEnviadas() {
    return sentenciasEnviadas.load(std::memory_order_relaxed);
}

const Dialecto& ConexionBase::dialecto() const {
    static const std::unique_ptr<Dialecto> directo = CrearDialecto(QStringLiteral("Oracle"));
    return dialecto_ ? *dialecto_ : *directo;
}

QString ConexionBase::NombreGestor() const {
    return odbc_ ? odbc_->gestor : QString();
}

bool ConexionBase::Abierta() const {
    return odbc_ && odbc_->conectada;
}

void ConexionBase::AnotarError(const QString& sqlstate, const QString& descripcion, long nativo,
                               long numero) {
    ErrorBase e;
    e.sqlstate = sqlstate;
    e.descripcion = descripcion;
    e.nativo = nativo;
    e.numero = numero;
    errores_.push_back(e);
}

void ConexionBase::AnotarDiagnosticos(short tipoHandle, void* handle, bool enBloque, bool alAbrir) {
    const size_t antes = errores_.size();
    if (handle) {
        std::vector<SQLWCHAR> mensaje(1024);
        for (SQLSMALLINT i = 1; i < 100; ++i) {
            SQLWCHAR estado[6] = {};
            SQLINTEGER nativo = 0;
            SQLSMALLINT largo = 0;
            SQLRETURN r = SQLGetDiagRecW(tipoHandle, handle, i, estado, &nativo, mensaje.data(),
                                         SQLSMALLINT(mensaje.size()), &largo);
            if (r == SQL_SUCCESS_WITH_INFO && largo >= SQLSMALLINT(mensaje.size()) &&
                largo < 32000) {
                mensaje.resize(size_t(largo) + 1);
                r = SQLGetDiagRecW(tipoHandle, handle, i, estado, &nativo, mensaje.data(),
                                   SQLSMALLINT(mensaje.size()), &largo);
            }
            if (!SQL_SUCCEEDED(r))
                break;
            ErrorBase e;
            e.sqlstate = DesdeW(estado, 5);
            e.numero = nativo;
            e.descripcion = DesdeW(mensaje.data(),
                                   std::clamp<qsizetype>(largo, 0, qsizetype(mensaje.size()) - 1));
            e.nativo = alAbrir
                           ? NumeroOracleConexion(e.sqlstate, e.numero, e.descripcion)
                           : dialecto().NumeroOracle(e.sqlstate, e.numero, e.descripcion, enBloque);
            errores_.push_back(e);
        }
    }
    if (errores_.size() == antes)
        AnotarError(QStringLiteral("HY000"),
                    QStringLiteral("El driver ODBC informó un fallo sin diagnóstico."));
}

bool ConexionBase::Abrir(const QString& cadenaConexion) {
    Cerrar();
    errores_.clear();
    try {
        const auto atributos = SepararAtributos(cadenaConexion);
        for (const auto& a : atributos) {
            if (!EsClave(a, QLatin1String("Provider")))
                continue;
            const QString proveedor = a.valor.trimmed();
            if (proveedor.compare(QLatin1String("MSDASQL"), Qt::CaseInsensitive) != 0 &&
                !proveedor.startsWith(QLatin1String("MSDASQL."), Qt::CaseInsensitive)) {
                AnotarError(QStringLiteral("IM002"),
                            QStringLiteral("El proveedor \"%1\" no está disponible en este equipo: "
                                           "la conexión se hace por el origen de datos ODBC "
                                           "(Provider=MSDASQL).")
                                .arg(proveedor),
                            -1, 3706);
                return false;
            }
        }

        auto o = std::make_unique<Odbc>();
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &o->env))) {
            o->env = SQL_NULL_HENV;
            AnotarError(QStringLiteral("HY001"),
                        QStringLiteral("No se pudo iniciar el administrador de drivers ODBC."));
            return false;
        }
        SQLSetEnvAttr(o->env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, o->env, &o->dbc))) {
            o->dbc = SQL_NULL_HDBC;
            AnotarDiagnosticos(SQL_HANDLE_ENV, o->env, false, true);
            return false;
        }

        const QString base = CadenaOdbcDesdeSistema(cadenaConexion);
        bool conIdentidad = DriverEsPsqlOdbc(o->env, atributos);
        auto conectar = [&](bool agregados) {
            const QString cadena = agregados ? base + AtributosPsqlOdbc(atributos) : base;
            SQLSMALLINT largo = 0;
            return SQLDriverConnectW(o->dbc, nullptr, const_cast<SQLWCHAR*>(W(cadena)), SQL_NTS,
                                     nullptr, 0, &largo, SQL_DRIVER_NOPROMPT);
        };
        if (!SQL_SUCCEEDED(conectar(conIdentidad))) {
            AnotarDiagnosticos(SQL_HANDLE_DBC, o->dbc, false, true);
            return false;
        }
        o->conectada = true;

        SQLWCHAR texto[256] = {};
        SQLSMALLINT largo = 0;
        if (!conIdentidad &&
            SQL_SUCCEEDED(SQLGetInfoW(o->dbc, SQL_DRIVER_NAME, texto, sizeof texto, &largo)) &&
            PareceDriverPostgres(DesdeW(texto, std::min<qsizetype>(largo / 2, 255)))) {
            // no se supo de antemano: se vuelve a conectar con los atributos de psqlODBC
            SQLDisconnect(o->dbc);
            o->conectada = false;
            if (!SQL_SUCCEEDED(conectar(true))) {
                AnotarDiagnosticos(SQL_HANDLE_DBC, o->dbc, false, true);
                return false;
            }
            o->conectada = true;
        }
        largo = 0;
        if (SQL_SUCCEEDED(SQLGetInfoW(o->dbc, SQL_DBMS_NAME, texto, sizeof texto, &largo)))
            o->gestor = DesdeW(texto, std::min<qsizetype>(largo / 2, 255));
        dialecto_ = CrearDialecto(o->gestor);
        odbc_ = std::move(o);
        return true;
    } catch (const std::exception& e) {
        AnotarError(QStringLiteral("HY000"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AnotarError(QStringLiteral("HY000"), QStringLiteral("Error inesperado al conectar."));
    }
    return false;
}

void ConexionBase::Cerrar() {
    if (!odbc_)
        return;
    if (odbc_->conectada)
        SQLEndTran(SQL_HANDLE_DBC, odbc_->dbc, SQL_ROLLBACK);
    odbc_.reset(); // desconecta y libera
    dialecto_.reset();
}

bool ConexionBase::Conectada() {
    if (Abierta())
        return true;
    AnotarError(QStringLiteral("08003"), QStringLiteral("La conexión con la base no está abierta."),
                3114);
    return false;
}

bool ConexionBase::IniciarTransaccion() {
    errores_.clear();
    if (!Conectada())
        return false;
    const SQLRETURN r =
        SQLSetConnectAttrW(odbc_->dbc, SQL_ATTR_AUTOCOMMIT,
                           reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), SQL_IS_UINTEGER);
    if (SQL_SUCCEEDED(r))
        return true;
    AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
    return false;
}

bool ConexionBase::TerminarTransaccion(short tipo) {
    errores_.clear();
    if (!Conectada())
        return false;
    if (SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, odbc_->dbc, SQLSMALLINT(tipo))))
        return true;
    AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
    return false;
}

bool ConexionBase::Confirmar() {
    return TerminarTransaccion(SQL_COMMIT);
}

bool ConexionBase::Deshacer() {
    return TerminarTransaccion(SQL_ROLLBACK);
}

bool ConexionBase::Ejecutar(const QString& sql) {
    errores_.clear();
    try {
        if (!Conectada())
            return false;
        const SentenciaAdaptada s = dialecto().Adaptar(sql);
        return EjecutarAdaptada(s, nullptr);
    } catch (const std::exception& e) {
        AnotarError(QStringLiteral("HY000"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AnotarError(QStringLiteral("HY000"), QStringLiteral("Error inesperado al ejecutar."));
    }
    return false;
}

bool ConexionBase::EjecutarProcedimiento(const QString& llamada) {
    errores_.clear();
    try {
        if (!Conectada())
            return false;
        SentenciaAdaptada s;
        s.bloque = true;
        const QString texto = llamada.trimmed();
        s.texto = texto.startsWith(u'{') ? texto
                                         : QLatin1String("{call ") +
                                               dialecto().AdaptarLlamada(texto) + QLatin1Char('}');
        return EjecutarAdaptada(s, nullptr);
    } catch (const std::exception& e) {
        AnotarError(QStringLiteral("HY000"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AnotarError(QStringLiteral("HY000"), QStringLiteral("Error inesperado al ejecutar."));
    }
    return false;
}

bool ConexionBase::Consultar(const QString& sql, Recordset& rs) {
    errores_.clear();
    rs.Reiniciar();
    try {
        if (!Conectada())
            return false;
        const SentenciaAdaptada s = dialecto().Adaptar(sql);
        if (EjecutarAdaptada(s, &rs))
            return true;
    } catch (const std::exception& e) {
        AnotarError(QStringLiteral("HY000"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AnotarError(QStringLiteral("HY000"), QStringLiteral("Error inesperado en la consulta."));
    }
    rs.Reiniciar();
    return false;
}

bool ConexionBase::EjecutarAdaptada(const SentenciaAdaptada& s, Recordset* rs) {
    auto terminar = [&]() {
        // COMMIT / ROLLBACK de la conexión que pidió el dialecto
        if (s.confirmarDespues &&
            !SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, odbc_->dbc, SQL_COMMIT))) {
            AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
            return false;
        }
        if (s.deshacer && !SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, odbc_->dbc, SQL_ROLLBACK))) {
            AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
            return false;
        }
        return true;
    };
    if (s.sinEnvio) {
        if (!terminar())
            return false;
        if (rs)
            rs->TerminarCarga();
        return true;
    }

    Sentencia st(odbc_->dbc);
    if (st.h() == SQL_NULL_HSTMT) {
        AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
        return false;
    }
    sentenciasEnviadas.fetch_add(1, std::memory_order_relaxed);
    const SQLRETURN r = SQLExecDirectW(st.h(), const_cast<SQLWCHAR*>(W(s.texto)), SQL_NTS);
    if (r != SQL_NO_DATA && !SQL_SUCCEEDED(r)) {
        AnotarDiagnosticos(SQL_HANDLE_STMT, st.h(), s.bloque);
        return false;
    }
    if (rs && r != SQL_NO_DATA) {
        if (!LeerFilas(st.h(), *rs))
            return false;
    } else {
        // se descarta cualquier resultado (p. ej. el de una función que hace de procedimiento)
        SQLRETURN m;
        while (SQL_SUCCEEDED(m = SQLMoreResults(st.h())))
            ;
        if (m == SQL_ERROR) {
            AnotarDiagnosticos(SQL_HANDLE_STMT, st.h(), s.bloque);
            return false;
        }
        if (rs)
            rs->TerminarCarga();
    }
    return terminar();
}

bool ConexionBase::LeerFilas(void* sentencia, Recordset& rs) {
    const SQLHSTMT h = sentencia;
    SQLSMALLINT cantidad = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(h, &cantidad))) {
        AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
        return false;
    }
    if (cantidad <= 0) { // la sentencia no devuelve filas
        SQLMoreResults(h);
        rs.TerminarCarga();
        return true;
    }
    std::vector<ColumnaOdbc> columnas(static_cast<size_t>(cantidad));
    bool hayLargas = false;
    qsizetype bytesFila = 0;
    for (SQLSMALLINT i = 0; i < cantidad; ++i) {
        std::vector<SQLWCHAR> nombre(256);
        SQLSMALLINT largoNombre = 0, tipoSql = 0, decimales = 0, nulos = 0;
        SQLULEN tamano = 0;
        SQLRETURN r =
            SQLDescribeColW(h, SQLUSMALLINT(i + 1), nombre.data(), SQLSMALLINT(nombre.size()),
                            &largoNombre, &tipoSql, &tamano, &decimales, &nulos);
        if (SQL_SUCCEEDED(r) && largoNombre >= SQLSMALLINT(nombre.size())) {
            nombre.resize(size_t(largoNombre) + 1);
            r = SQLDescribeColW(h, SQLUSMALLINT(i + 1), nombre.data(), SQLSMALLINT(nombre.size()),
                                &largoNombre, &tipoSql, &tamano, &decimales, &nulos);
        }
        if (!SQL_SUCCEEDED(r)) {
            AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
            return false;
        }
        ColumnaOdbc& c = columnas[size_t(i)];
        const Recordset::Tipo tipo = Clasificar(tipoSql, tamano, decimales, c);
        rs.AgregarColumna(DesdeW(nombre.data(), std::clamp<qsizetype>(
                                                    largoNombre, 0, qsizetype(nombre.size()) - 1)),
                          tipo);
        hayLargas = hayLargas || c.larga;
        bytesFila += c.ancho + qsizetype(sizeof(SQLLEN));
    }

    QByteArray trozos;
    auto agregarVariable = [&](int columna, SQLSMALLINT tipoC) {
        if (tipoC == SQL_C_WCHAR)
            rs.AgregarCeldaUtf16(columna, reinterpret_cast<const char16_t*>(trozos.constData()),
                                 trozos.size() / 2);
        else
            rs.AgregarCelda(columna, trozos.constData(), trozos.size());
    };
    auto demasiado = [&]() {
        if (rs.MemoriaUsada() < qsizetype(3'500'000'000))
            return false;
        AnotarError(QStringLiteral("HY001"),
                    QStringLiteral("El resultado de la consulta es demasiado grande."));
        return true;
    };

    if (hayLargas) {
        // Fila por fila: las columnas largas se leen por trozos.
        for (;;) {
            const SQLRETURN r = SQLFetch(h);
            if (r == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(r)) {
                AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
                return false;
            }
            for (SQLSMALLINT i = 0; i < cantidad; ++i) {
                const ColumnaOdbc& c = columnas[size_t(i)];
                if (EsFijo(c.tipoC)) {
                    alignas(8) char dato[sizeof(SQL_TIMESTAMP_STRUCT)];
                    SQLLEN indicador = 0;
                    if (!SQL_SUCCEEDED(SQLGetData(h, SQLUSMALLINT(i + 1), c.tipoC, dato,
                                                  sizeof dato, &indicador))) {
                        AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
                        return false;
                    }
                    if (indicador == SQL_NULL_DATA)
                        rs.AgregarNulo(i);
                    else
                        AgregarFijo(rs, i, c.tipoC, dato);
                    continue;
                }
                const auto hayValor = LeerTrozos(h, SQLUSMALLINT(i + 1), c.tipoC, trozos);
                if (!hayValor) {
                    AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
                    return false;
                }
                if (*hayValor)
                    agregarVariable(i, c.tipoC);
                else
                    rs.AgregarNulo(i);
            }
            if (demasiado())
                return false;
        }
        SQLCloseCursor(h);
        rs.TerminarCarga();
        return true;
    }

    // Por bloques: cada columna enlazada a un arreglo de celdas.
    const SQLULEN filas = std::clamp<SQLULEN>(
        SQLULEN(BytesPorBloque / std::max<qsizetype>(bytesFila, 1)), 1, FilasPorBloque);
    std::vector<SQLUSMALLINT> estados(filas);
    SQLULEN leidas = 0;
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE,
                                      reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0)) ||
        !SQL_SUCCEEDED(
            SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(filas), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, estados.data(), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &leidas, 0))) {
        AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
        return false;
    }
    for (SQLSMALLINT i = 0; i < cantidad; ++i) {
        ColumnaOdbc& c = columnas[size_t(i)];
        c.datos.resize(size_t(c.ancho) * filas);
        c.indicadores.resize(filas);
        if (!SQL_SUCCEEDED(SQLBindCol(h, SQLUSMALLINT(i + 1), c.tipoC, c.datos.data(), c.ancho,
                                      c.indicadores.data()))) {
            AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
            return false;
        }
    }
    for (;;) {
        const SQLRETURN r = SQLFetch(h);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r)) {
            AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
            return false;
        }
        const size_t n = std::min<size_t>(leidas, filas);
        for (size_t f = 0; f < n; ++f) {
            if (estados[f] == SQL_ROW_ERROR) {
                AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
                return false;
            }
        }
        for (SQLSMALLINT i = 0; i < cantidad; ++i) {
            const ColumnaOdbc& c = columnas[size_t(i)];
            const char* base = c.datos.data();
            const SQLLEN* ind = c.indicadores.data();
            const SQLLEN capacidad = c.ancho - (c.tipoC == SQL_C_WCHAR ? 2 : 1);
            for (size_t f = 0; f < n; ++f) {
                const char* dato = base + f * size_t(c.ancho);
                if (ind[f] == SQL_NULL_DATA) {
                    rs.AgregarNulo(i);
                } else if (EsFijo(c.tipoC)) {
                    AgregarFijo(rs, i, c.tipoC, dato);
                } else if (ind[f] != SQL_NO_TOTAL && ind[f] <= capacidad) {
                    if (c.tipoC == SQL_C_WCHAR)
                        rs.AgregarCeldaUtf16(i, reinterpret_cast<const char16_t*>(dato),
                                             ind[f] / 2);
                    else
                        rs.AgregarCelda(i, dato, ind[f]);
                } else {
                    // Valor más largo que lo declarado: se vuelve a leer entero.
                    std::optional<bool> hayValor;
                    if (SQL_SUCCEEDED(
                            SQLSetPos(h, SQLSETPOSIROW(f + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE)))
                        hayValor = LeerTrozos(h, SQLUSMALLINT(i + 1), c.tipoC, trozos);
                    if (!hayValor) {
                        AnotarDiagnosticos(SQL_HANDLE_STMT, h, false);
                        AnotarError(QStringLiteral("01004"),
                                    QStringLiteral("No se pudo leer completo el valor de la "
                                                   "columna %1.")
                                        .arg(rs.NombreCampo(i)));
                        return false;
                    }
                    if (*hayValor)
                        agregarVariable(i, c.tipoC);
                    else
                        rs.AgregarNulo(i);
                }
            }
        }
        if (demasiado())
            return false;
    }
    SQLCloseCursor(h);
    rs.TerminarCarga();
    return true;
}

QString CitarValorOdbc(const QString& valor) {
    const bool citar = valor.contains(u';') || valor.contains(u'{') || valor.contains(u'}') ||
                       valor.contains(u'=') ||
                       (!valor.isEmpty() && (valor.front().isSpace() || valor.back().isSpace()));
    if (!citar)
        return valor;
    return QLatin1Char('{') + QString(valor).replace(QLatin1String("}"), QLatin1String("}}")) +
           QLatin1Char('}');
}

QString CadenaOdbcDesdeSistema(const QString& cadenaConexion) {
    QStringList partes;
    for (const auto& a : SepararAtributos(cadenaConexion)) {
        if (EsClave(a, QLatin1String("Provider")))
            continue;
        partes << (a.conIgual ? a.clave + QLatin1Char('=') + CitarValorOdbc(a.valor) : a.clave);
    }
    return partes.join(QLatin1Char(';'));
}
