#include "ConexionBase.h"
#include "CadenaConexion.h"
#include "Dialecto.h"
#include "LecturaFilas.h"
#include "PerfilDriver.h"
#include "SimbolosSql.h"
#include "TextoOdbc.h"
#include <algorithm>
#include <atomic>
#include <sqlext.h>

namespace {

std::atomic<qint64> sentenciasEnviadas{0};

// Espera máxima al abrir una conexión: un servidor que no contesta no
// cuelga el programa.
constexpr SQLULEN SegundosParaConectar = 10;

// "SET ROLE ...": el rol queda en la sesión y hay que repetirlo al reabrirla.
bool EsCambioDeRol(const QString& sql) {
    const auto s = DividirEnSimbolos(sql);
    const auto sig = simbolos::Significativos(s);
    return sig.size() >= 3 && simbolos::EsPalabra(s[sig[0]], QLatin1String("set")) &&
           simbolos::EsPalabra(s[sig[1]], QLatin1String("role"));
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

bool ConexionBase::Protegido(const QString& queHacia, const std::function<bool()>& paso) {
    try {
        return paso();
    } catch (const std::exception& e) {
        AnotarError(QStringLiteral("HY000"), QString::fromLocal8Bit(e.what()));
    } catch (...) {
        AnotarError(QStringLiteral("HY000"),
                    QStringLiteral("Error inesperado ") + queHacia + QLatin1Char('.'));
    }
    return false;
}

bool ConexionBase::Abrir(const QString& cadenaConexion) {
    Cerrar();
    errores_.clear();
    cadena_ = cadenaConexion;
    rol_.clear();
    perdida_ = false;
    return Protegido(QStringLiteral("al conectar"), [&] { return Conectar(cadenaConexion); });
}

void ConexionBase::PonerPreparacion(std::function<bool(ConexionBase&)> preparar) {
    preparar_ = std::move(preparar);
}

bool ConexionBase::Reabrir() {
    const QString rol = rol_;
    bool ok = false;
    if (cadena_.isEmpty())
        AnotarError(QStringLiteral("08003"), QStringLiteral("La conexión nunca se abrió."), 3114);
    else
        ok = Abrir(cadena_) && IniciarTransaccion() && (!preparar_ || preparar_(*this)) &&
             (rol.isEmpty() || Ejecutar(rol));
    rol_ = rol;
    perdida_ = !ok;
    return ok;
}

bool ConexionBase::Responde() {
    if (!Abierta() || perdida_)
        return false;
    Recordset rs;
    if (!Consultar(QStringLiteral("SELECT 1 FROM dual"), rs) && !perdida_)
        errores_.clear(); // otro error: la sesión contestó
    return !perdida_;
}

bool ConexionBase::Resultado(bool ok) {
    if (ok || !odbc_ || !odbc_->conectada)
        return ok;
    if (!errores_.empty() && EsConexionPerdida(errores_.front().nativo)) {
        perdida_ = true;
        return false;
    }
    // El driver sabe que la conexión murió aunque su mensaje no lo diga.
    SQLUINTEGER muerta = SQL_CD_FALSE;
    if (SQL_SUCCEEDED(
            SQLGetConnectAttrW(odbc_->dbc, SQL_ATTR_CONNECTION_DEAD, &muerta, 0, nullptr)) &&
        muerta == SQL_CD_TRUE) {
        perdida_ = true;
        if (!errores_.empty())
            errores_.front().nativo = 3113;
    }
    return false;
}

bool ConexionBase::Conectar(const QString& cadenaConexion) {
    const auto atributos = SepararAtributos(cadenaConexion);
    if (const auto proveedor = ProveedorNoOdbc(atributos)) {
        AnotarError(QStringLiteral("IM002"),
                    QStringLiteral("El proveedor \"%1\" no está disponible en este equipo: "
                                   "la conexión se hace por el origen de datos ODBC "
                                   "(Provider=MSDASQL).")
                        .arg(*proveedor),
                    -1, 3706);
        return false;
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
    SQLSetConnectAttrW(o->dbc, SQL_ATTR_LOGIN_TIMEOUT,
                       reinterpret_cast<SQLPOINTER>(SegundosParaConectar), SQL_IS_UINTEGER);

    const QString base = CadenaOdbcDesdeSistema(cadenaConexion);
    const bool conPerfil = DriverEsPsqlOdbc(o->env, atributos);
    auto conectar = [&](bool perfilPsql) {
        const QString cadena =
            perfilPsql ? base + AtributosPsqlOdbc(atributos, AplicacionCliente()) : base;
        SQLSMALLINT largo = 0;
        return SQLDriverConnectW(o->dbc, nullptr, const_cast<SQLWCHAR*>(W(cadena)), SQL_NTS,
                                 nullptr, 0, &largo, SQL_DRIVER_NOPROMPT);
    };
    if (!SQL_SUCCEEDED(conectar(conPerfil))) {
        AnotarDiagnosticos(SQL_HANDLE_DBC, o->dbc, false, true);
        return false;
    }
    o->conectada = true;

    SQLWCHAR texto[256] = {};
    SQLSMALLINT largo = 0;
    if (!conPerfil &&
        SQL_SUCCEEDED(SQLGetInfoW(o->dbc, SQL_DRIVER_NAME, texto, sizeof texto, &largo)) &&
        PareceDriverPostgres(DesdeW(texto, std::min<qsizetype>(largo / 2, 255)))) {
        // No se supo de antemano: se vuelve a conectar con los atributos de psqlODBC.
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
}

void ConexionBase::Cerrar() {
    perdida_ = false; // cerrada a propósito: no se reabre sola
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
    return Resultado(false);
}

bool ConexionBase::TerminarTransaccion(short tipo) {
    if (SQL_SUCCEEDED(SQLEndTran(SQL_HANDLE_DBC, odbc_->dbc, SQLSMALLINT(tipo))))
        return true;
    AnotarDiagnosticos(SQL_HANDLE_DBC, odbc_->dbc, false);
    return false;
}

bool ConexionBase::Confirmar() {
    errores_.clear();
    return Resultado(Conectada() && TerminarTransaccion(SQL_COMMIT));
}

bool ConexionBase::Deshacer() {
    errores_.clear();
    return Resultado(Conectada() && TerminarTransaccion(SQL_ROLLBACK));
}

bool ConexionBase::AsentarParametrosSesion() {
    errores_.clear();
    if (!Conectada())
        return false;
    return Resultado(!dialecto().ParametrosSesionEnTransaccion() ||
                     TerminarTransaccion(SQL_COMMIT));
}

bool ConexionBase::Ejecutar(const QString& sql) {
    errores_.clear();
    const bool ok = Protegido(QStringLiteral("al ejecutar"), [&] {
        return Conectada() && EjecutarAdaptada(dialecto().Adaptar(sql), nullptr);
    });
    if (ok && EsCambioDeRol(sql))
        rol_ = sql;
    return Resultado(ok);
}

bool ConexionBase::EjecutarProcedimiento(const QString& llamada) {
    errores_.clear();
    return Resultado(Protegido(QStringLiteral("al ejecutar"), [&] {
        if (!Conectada())
            return false;
        SentenciaAdaptada s;
        s.bloque = true;
        const QString texto = llamada.trimmed();
        s.texto = texto.startsWith(u'{') ? texto
                                         : QLatin1String("{call ") +
                                               dialecto().AdaptarLlamada(texto) + QLatin1Char('}');
        return EjecutarAdaptada(s, nullptr);
    }));
}

bool ConexionBase::Consultar(const QString& sql, Recordset& rs) {
    errores_.clear();
    rs.Reiniciar();
    const bool ok = Protegido(QStringLiteral("en la consulta"), [&] {
        return Conectada() && EjecutarAdaptada(dialecto().Adaptar(sql), &rs);
    });
    if (!ok)
        rs.Reiniciar();
    return Resultado(ok);
}

bool ConexionBase::EjecutarAdaptada(const SentenciaAdaptada& s, Recordset* rs) {
    // Una forma que el dialecto no adapta no llega al servidor.
    if (!s.rechazo.isEmpty()) {
        AnotarError(QStringLiteral("0A000"), s.rechazo);
        return false;
    }
    if (!EjecutarPaso(s, rs))
        return false;
    for (const SentenciaAdaptada& siguiente : s.siguientes)
        if (!EjecutarPaso(siguiente, nullptr))
            return false;
    return true;
}

bool ConexionBase::EjecutarPaso(const SentenciaAdaptada& s, Recordset* rs) {
    // COMMIT o ROLLBACK de la conexión que pidió el dialecto.
    auto terminar = [&]() {
        return (!s.confirmarDespues || TerminarTransaccion(SQL_COMMIT)) &&
               (!s.deshacer || TerminarTransaccion(SQL_ROLLBACK));
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
        const ResultadoLectura lectura = LeerFilas(st.h(), *rs);
        if (lectura.diagnosticosDelDriver)
            AnotarDiagnosticos(SQL_HANDLE_STMT, st.h(), false);
        if (!lectura.sqlstate.isEmpty())
            AnotarError(lectura.sqlstate, lectura.descripcion);
        if (!lectura.ok)
            return false;
    } else {
        // Se descarta cualquier resultado (p. ej. el de una función que hace de procedimiento).
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
