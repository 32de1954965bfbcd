#include "Dialecto.h"
#include "BloquePlsql.h"
#include "ConsultaJerarquica.h"
#include "ErroresOracle.h"
#include "LiteralSql.h"
#include <optional>

using namespace simbolos;

namespace {

using Clase = SimboloSql::Clase;

// "OWNER_SARVO" es el mismo nombre que OWNER_SARVO para Oracle; PostgreSQL
// guardó el sin comillas en minúsculas.
bool EsMayusculas(const QString& identificador) {
    bool letra = false;
    for (QChar c : identificador) {
        if (c.isLower())
            return false;
        letra = letra || c.isLetter();
    }
    return letra;
}

SimboloSql Nombre(SimboloSql s) {
    if (s.clase == Clase::Identificador && EsMayusculas(s.texto))
        s.texto = s.texto.toLower();
    return s;
}

// El símbolo i es una columna entera de la lista de un SELECT
// ("SELECT x, sysdate FROM"), sin alias propio.
bool ColumnaSuelta(const Simbolos& previos, const Simbolos& in, size_t i) {
    const size_t j = Siguiente(in, i + 1);
    const bool finColumna = j >= in.size() || EsSigno(in[j], u',') ||
                            EsPalabra(in[j], QLatin1String("from")) ||
                            (EsSigno(in[j], u';') && Siguiente(in, j + 1) >= in.size());
    if (!finColumna)
        return false;
    bool antesSeparador = false;
    int nivel = 0;
    for (size_t k = previos.size(); k-- > 0;) {
        const SimboloSql& t = previos[k];
        if (!Significativo(t))
            continue;
        if (!antesSeparador) {
            if (!EsSigno(t, u',') && !EsPalabra(t, QLatin1String("select")))
                return false;
            antesSeparador = true;
        }
        if (EsSigno(t, u')'))
            ++nivel;
        else if (EsSigno(t, u'(') && --nivel < 0)
            return false;
        if (nivel != 0 || t.clase != Clase::Palabra)
            continue;
        if (EsPalabra(t, QLatin1String("select")))
            return true;
        for (const char* clausula : {"from", "where", "values", "set", "by", "having", "on", "into",
                                     "when", "then", "else", "and", "or"})
            if (EsPalabra(t, QLatin1String(clausula)))
                return false;
    }
    return false;
}

// Oracle termina un comentario en el primer "*/"; PostgreSQL anida los "/*"
// de adentro. Se separan para que el servidor lea lo mismo que Oracle.
SimboloSql ComentarioSinAnidar(SimboloSql s) {
    if (!s.texto.startsWith(QLatin1String("/*")) || !s.texto.endsWith(QLatin1String("*/")) ||
        s.texto.size() < 4)
        return s;
    QString adentro = s.texto.mid(2, s.texto.size() - 4);
    if (!adentro.contains(QLatin1String("/*")))
        return s;
    adentro.replace(QLatin1String("/*"), QLatin1String("/ *"));
    s.texto = QLatin1String("/*") + adentro + QLatin1String("*/");
    return s;
}

// Tipos de Oracle que PostgreSQL no tiene, en declaraciones y CAST. En
// VARCHAR2(n CHAR) la unidad no existe en PostgreSQL: su índice va a omitir.
std::optional<QString> TipoPostgres(const Simbolos& in, size_t i, size_t& omitir) {
    static const struct {
        const char* oracle;
        const char* postgres;
    } tipos[] = {{"number", "numeric"},
                 {"varchar2", "varchar"},
                 {"nvarchar2", "varchar"},
                 {"pls_integer", "integer"},
                 {"binary_integer", "integer"},
                 {"simple_integer", "integer"},
                 {"clob", "text"},
                 {"nclob", "text"},
                 {"binary_double", "double precision"},
                 {"binary_float", "real"}};
    const SimboloSql& s = in[i];
    if (EsPalabra(s, QLatin1String("date"))) {
        // DATE '2024-01-31' es un literal de fecha, igual en los dos.
        const size_t j = Siguiente(in, i + 1);
        if (j < in.size() && (in[j].clase == Clase::Literal || EsSigno(in[j], u'(')))
            return std::nullopt;
        return QStringLiteral("timestamp(0)");
    }
    for (const auto& t : tipos) {
        if (!EsPalabra(s, QLatin1String(t.oracle)))
            continue;
        const size_t a = Siguiente(in, i + 1);
        const size_t n = Siguiente(in, a + 1);
        const size_t u = Siguiente(in, n + 1);
        const size_t c = Siguiente(in, u + 1);
        if (c < in.size() && EsSigno(in[a], u'(') && in[n].clase == Clase::Numero &&
            (EsPalabra(in[u], QLatin1String("char")) || EsPalabra(in[u], QLatin1String("byte"))) &&
            EsSigno(in[c], u')'))
            omitir = u;
        return QString::fromLatin1(t.postgres);
    }
    return std::nullopt;
}

// Reescrituras símbolo a símbolo: identificadores en mayúsculas,
// secuencia.nextval, sysdate, tipos de Oracle, literales q'...' y
// comentarios con "/*" adentro.
Simbolos ReescribirNombres(const Simbolos& in) {
    Simbolos out;
    out.reserve(in.size());
    size_t omitir = size_t(-1);
    for (size_t i = 0; i < in.size(); ++i) {
        const SimboloSql& s = in[i];
        if (i == omitir)
            continue;
        const bool trasPunto = !out.empty() && EsSigno(out.back(), u'.');
        if (EsNombre(s) && !trasPunto) {
            std::vector<SimboloSql> partes{Nombre(s)};
            size_t j = i;
            while (j + 2 < in.size() && EsSigno(in[j + 1], u'.') && EsNombre(in[j + 2])) {
                partes.push_back(Nombre(in[j + 2]));
                j += 2;
            }
            const bool siguePunto = j + 1 < in.size() && EsSigno(in[j + 1], u'.');
            const SimboloSql& ultimo = partes.back();
            if (partes.size() >= 2 && !siguePunto &&
                (EsPalabra(ultimo, QLatin1String("nextval")) ||
                 EsPalabra(ultimo, QLatin1String("currval")))) {
                QString secuencia;
                for (size_t k = 0; k + 1 < partes.size(); ++k)
                    secuencia += (k ? QLatin1String(".") : QLatin1String("")) + partes[k].texto;
                out.push_back({Clase::Generado, ultimo.texto.toLower() + QLatin1Char('(') +
                                                    LiteralSql(secuencia) + QLatin1Char(')')});
                i = j;
                continue;
            }
        }
        if (EsPalabra(s, QLatin1String("sysdate")) && !trasPunto) {
            const size_t k = i + 1;
            const bool sigue = k < in.size() && (EsSigno(in[k], u'.') || EsSigno(in[k], u'('));
            if (!sigue) {
                // En la lista del SELECT conserva el nombre de columna de Oracle.
                out.push_back({Clase::Generado, ColumnaSuelta(out, in, i)
                                                    ? QStringLiteral("LOCALTIMESTAMP(0) AS sysdate")
                                                    : QStringLiteral("LOCALTIMESTAMP(0)")});
                continue;
            }
        }
        // Tras "::" es una conversión de PostgreSQL: su tipo ya es de PostgreSQL.
        const bool trasDosPuntos = !out.empty() && EsSigno(out.back(), u':');
        if (s.clase == Clase::Palabra && !trasPunto && !trasDosPuntos) {
            if (auto tipo = TipoPostgres(in, i, omitir)) {
                out.push_back({Clase::Generado, *tipo});
                continue;
            }
        }
        if (s.clase == Clase::Comentario) {
            out.push_back(ComentarioSinAnidar(s));
            continue;
        }
        if (s.clase == Clase::Literal && !s.texto.startsWith(u'\'')) {
            // q'[...]' de Oracle: un literal común con las comillas duplicadas.
            const bool nacional = s.texto.startsWith(u'n') || s.texto.startsWith(u'N');
            out.push_back({Clase::Generado, (nacional ? QStringLiteral("N") : QString()) +
                                                LiteralSql(ValorLiteral(s))});
            continue;
        }
        out.push_back(Nombre(s));
    }
    return out;
}

// "COMMIT" o "ROLLBACK" sueltos (con WORK y ';' opcionales).
std::optional<QLatin1StringView> OrdenTransaccion(const Simbolos& s,
                                                  const std::vector<size_t>& sig) {
    size_t n = SinPuntoYComa(s, sig);
    if (n == 2 && EsPalabra(s[sig[1]], QLatin1String("work")))
        --n;
    if (n != 1)
        return std::nullopt;
    for (auto orden : {QLatin1StringView("commit"), QLatin1StringView("rollback")})
        if (EsPalabra(s[sig[0]], orden))
            return orden;
    return std::nullopt;
}

// "SET ROLE r IDENTIFIED BY p"
std::optional<QString> CambioDeRol(const Simbolos& s, const std::vector<size_t>& sig) {
    if (SinPuntoYComa(s, sig) != 6 || !EsPalabra(s[sig[0]], QLatin1String("set")) ||
        !EsPalabra(s[sig[1]], QLatin1String("role")) || !EsNombre(s[sig[2]]) ||
        !EsPalabra(s[sig[3]], QLatin1String("identified")) ||
        !EsPalabra(s[sig[4]], QLatin1String("by")))
        return std::nullopt;
    const SimboloSql& clave = s[sig[5]];
    if (!EsNombre(clave) && clave.clase != Clase::Literal && clave.clase != Clase::Numero)
        return std::nullopt;
    return QLatin1String("SELECT public.establecer_rol(") + LiteralSql(ValorLiteral(s[sig[2]])) +
           QLatin1Char(',') + LiteralSql(ValorLiteral(clave)) + QLatin1Char(')');
}

// "ALTER SYSTEM KILL SESSION 'sid,serial' [IMMEDIATE]"
std::optional<QString> FinDeSesion(const Simbolos& s, const std::vector<size_t>& sig) {
    size_t n = SinPuntoYComa(s, sig);
    if (n == 6 && EsPalabra(s[sig[5]], QLatin1String("immediate")))
        --n;
    if (n != 5 || !EsPalabra(s[sig[0]], QLatin1String("alter")) ||
        !EsPalabra(s[sig[1]], QLatin1String("system")) ||
        !EsPalabra(s[sig[2]], QLatin1String("kill")) ||
        !EsPalabra(s[sig[3]], QLatin1String("session")) || s[sig[4]].clase != Clase::Literal)
        return std::nullopt;
    return QLatin1String("SELECT public.terminar_sesion(") + s[sig[4]].texto + QLatin1Char(')');
}

// Oracle detrás del origen: todo pasa tal cual.
class DialectoOracle : public Dialecto {
public:
    SentenciaAdaptada Adaptar(const QString& sql) const override {
        SentenciaAdaptada r;
        r.texto = sql;
        const Simbolos s = DividirEnSimbolos(sql);
        const auto sig = Significativos(s);
        r.bloque = !sig.empty() && (EsPalabra(s[sig[0]], QLatin1String("begin")) ||
                                    EsPalabra(s[sig[0]], QLatin1String("declare")));
        return r;
    }
    QString AdaptarLlamada(const QString& llamada) const override { return llamada; }
    long NumeroOracle(const QString&, long nativo, const QString& mensaje,
                      bool = false) const override {
        return NumeroOracleDeOracle(nativo, mensaje);
    }
    // ALTER SESSION no forma parte de la transacción: el programa no confirma nada.
    bool ParametrosSesionEnTransaccion() const override { return false; }
};

// PostgreSQL (psqlODBC) en lugar de Oracle.
class DialectoPostgreSQL : public Dialecto {
public:
    SentenciaAdaptada Adaptar(const QString& sql) const override {
        SentenciaAdaptada r;
        const Simbolos original = DividirEnSimbolos(sql);
        const auto sigOriginal = Significativos(original);
        if (const auto orden = OrdenTransaccion(original, sigOriginal)) {
            r.sinEnvio = true;
            r.confirmarDespues = *orden == QLatin1String("commit");
            r.deshacer = !r.confirmarDespues;
            return r;
        }
        if (auto t = CambioDeRol(original, sigOriginal)) {
            r.texto = *t;
            return r;
        }
        if (auto t = FinDeSesion(original, sigOriginal)) {
            r.texto = *t;
            return r;
        }
        const Simbolos s = ReescribirNombres(original);
        const auto sig = Significativos(s);
        if (auto b = AdaptarBloque(s, sig))
            return *b;
        if (auto j = ConsultaJerarquica(s, sig))
            return *j;
        if (TieneConnectBy(s))
            return Rechazar(QStringLiteral("CONNECT BY dentro de una subconsulta"));
        r.texto = Unir(s, 0, s.size());
        return r;
    }

    QString AdaptarLlamada(const QString& llamada) const override {
        const Simbolos s = ReescribirNombres(DividirEnSimbolos(llamada));
        auto sig = Significativos(s);
        size_t fin = s.size();
        if (!sig.empty() && EsSigno(s[sig.back()], u';'))
            fin = sig.back();
        bool parentesis = false;
        for (size_t i = 0; i < fin; ++i)
            parentesis = parentesis || EsSigno(s[i], u'(');
        QString r = Unir(s, 0, fin).trimmed();
        if (!parentesis && !r.isEmpty())
            r += QLatin1String("()");
        return r;
    }

    long NumeroOracle(const QString& sqlstate, long, const QString& mensaje,
                      bool enBloque = false) const override {
        return NumeroOracleDePostgres(sqlstate, mensaje, enBloque);
    }
    bool ParametrosSesionEnTransaccion() const override { return true; }
};

} // namespace

std::unique_ptr<Dialecto> CrearDialecto(const QString& nombreGestor) {
    if (nombreGestor.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        return std::make_unique<DialectoPostgreSQL>();
    return std::make_unique<DialectoOracle>();
}
