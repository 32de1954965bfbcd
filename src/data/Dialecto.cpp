#include "Dialecto.h"
#include <QRegularExpression>
#include <optional>

namespace {

using Clase = SimboloSql::Clase;
using Simbolos = std::vector<SimboloSql>;

bool EsInicioPalabra(QChar c) {
    return c.isLetter() || c == u'_';
}
bool EsRestoPalabra(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#';
}

bool Significativo(const SimboloSql& s) {
    return s.clase != Clase::Espacio && s.clase != Clase::Comentario;
}
bool EsPalabra(const SimboloSql& s, QLatin1StringView palabra) {
    return s.clase == Clase::Palabra && s.texto.compare(palabra, Qt::CaseInsensitive) == 0;
}
bool EsSigno(const SimboloSql& s, char16_t c) {
    return s.clase == Clase::Signo && s.texto.size() == 1 && s.texto[0] == c;
}
bool EsNombre(const SimboloSql& s) {
    return s.clase == Clase::Palabra || s.clase == Clase::Identificador;
}

QString Unir(const Simbolos& s, size_t desde, size_t hasta) {
    QString r;
    for (size_t i = desde; i < hasta && i < s.size(); ++i)
        r += s[i].texto;
    return r;
}

// Índices de los símbolos que no son espacio ni comentario.
std::vector<size_t> Significativos(const Simbolos& s) {
    std::vector<size_t> r;
    for (size_t i = 0; i < s.size(); ++i)
        if (Significativo(s[i]))
            r.push_back(i);
    return r;
}

// Siguiente símbolo significativo desde i (incluido); s.size() si no hay.
size_t Siguiente(const Simbolos& s, size_t i) {
    while (i < s.size() && !Significativo(s[i]))
        ++i;
    return i;
}

// Contenido de un literal o identificador entre comillas, sin ellas.
QString SinComillas(const SimboloSql& s) {
    if (s.clase != Clase::Literal && s.clase != Clase::Identificador)
        return s.texto;
    const QChar q = s.texto[0];
    QString t = s.texto.mid(1);
    if (t.endsWith(q))
        t.chop(1);
    return t.replace(QString(2, q), QString(q));
}

QString LiteralSql(const QString& texto) {
    return QLatin1Char('\'') + QString(texto).replace(QLatin1String("'"), QLatin1String("''")) +
           QLatin1Char('\'');
}

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

// Reescrituras símbolo a símbolo: identificadores en mayúsculas,
// secuencia.nextval y sysdate.
Simbolos ReescribirNombres(const Simbolos& in) {
    Simbolos out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const SimboloSql& s = in[i];
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
        out.push_back(Nombre(s));
    }
    return out;
}

// "COMMIT" o "ROLLBACK" sueltos (con WORK y ';' opcionales).
std::optional<QLatin1StringView> OrdenTransaccion(const Simbolos& s,
                                                  const std::vector<size_t>& sig) {
    size_t n = sig.size();
    if (n && EsSigno(s[sig[n - 1]], u';'))
        --n;
    if (n == 2 && EsPalabra(s[sig[1]], QLatin1String("work")))
        --n;
    if (n != 1)
        return std::nullopt;
    for (auto orden : {QLatin1StringView("commit"), QLatin1StringView("rollback")})
        if (EsPalabra(s[sig[0]], orden))
            return orden;
    return std::nullopt;
}

// Cantidad de símbolos significativos sin el ';' final.
size_t SinPuntoYComa(const Simbolos& s, const std::vector<size_t>& sig) {
    size_t n = sig.size();
    if (n && EsSigno(s[sig[n - 1]], u';'))
        --n;
    return n;
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
    return QLatin1String("SELECT public.establecer_rol(") + LiteralSql(SinComillas(s[sig[2]])) +
           QLatin1Char(',') + LiteralSql(SinComillas(clave)) + QLatin1Char(')');
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

// Bloque anónimo "BEGIN ...; COMMIT; END;" → DO. El COMMIT (o ROLLBACK)
// interno se quita y se hace después sobre la conexión.
std::optional<SentenciaAdaptada> Bloque(const Simbolos& s, const std::vector<size_t>& sig) {
    if (sig.empty() || !EsPalabra(s[sig[0]], QLatin1String("begin")))
        return std::nullopt;
    size_t k = SinPuntoYComa(s, sig);
    if (k < 2)
        return std::nullopt;
    --k;
    if (!EsPalabra(s[sig[k]], QLatin1String("end")) && k >= 2 &&
        EsPalabra(s[sig[k - 1]], QLatin1String("end")))
        --k; // END con etiqueta
    if (k < 1 || !EsPalabra(s[sig[k]], QLatin1String("end")))
        return std::nullopt;

    SentenciaAdaptada r;
    r.bloque = true;
    QString cuerpo;
    bool inicioSentencia = true;
    const size_t fin = sig[k];
    for (size_t i = sig[0] + 1; i < fin; ++i) {
        const SimboloSql& t = s[i];
        if (!Significativo(t)) {
            cuerpo += t.texto;
            continue;
        }
        if (inicioSentencia &&
            (EsPalabra(t, QLatin1String("commit")) || EsPalabra(t, QLatin1String("rollback")))) {
            size_t j = Siguiente(s, i + 1);
            if (j < fin && EsPalabra(s[j], QLatin1String("work")))
                j = Siguiente(s, j + 1);
            if (j >= fin || EsSigno(s[j], u';')) {
                const bool commit = EsPalabra(t, QLatin1String("commit"));
                r.confirmarDespues = commit;
                r.deshacer = !commit;
                i = j >= fin ? fin - 1 : j;
                continue;
            }
        }
        cuerpo += t.texto;
        inicioSentencia = EsSigno(t, u';') || EsPalabra(t, QLatin1String("begin"));
    }
    QString marca = QStringLiteral("$miravel$");
    for (int n = 1; cuerpo.contains(marca); ++n)
        marca = QStringLiteral("$miravel%1$").arg(n);
    r.texto = QLatin1String("DO ") + marca + s[sig[0]].texto + cuerpo + s[sig[k]].texto + marca;
    return r;
}

bool EsPalabraClave(const SimboloSql& s) {
    static const char* const claves[] = {"and",  "or",      "not",    "null", "is",   "in",
                                         "like", "between", "escape", "case", "when", "then",
                                         "else", "end",     "true",   "false"};
    if (s.clase != Clase::Palabra)
        return false;
    for (const char* c : claves)
        if (s.texto.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// level (la pseudo-columna) → el nivel calculado.
QString ConNivel(const Simbolos& s, size_t desde, size_t hasta, const QString& nivel) {
    QString r;
    for (size_t i = desde; i < hasta; ++i) {
        const bool trasPunto = i > 0 && EsSigno(s[i - 1], u'.');
        const size_t j = Siguiente(s, i + 1);
        const bool llamada = j < s.size() && EsSigno(s[j], u'(');
        if (EsPalabra(s[i], QLatin1String("level")) && !trasPunto && !llamada)
            r += nivel;
        else
            r += s[i].texto;
    }
    return r;
}

// Consulta jerárquica "SELECT ... FROM t [WHERE w] START WITH c CONNECT BY
// PRIOR a=b" → consulta recursiva: raíces por START WITH, hijos por CONNECT
// BY, el WHERE después, filas en profundidad (camino de ctid acumulado).
std::optional<QString> Jerarquica(const Simbolos& s, const std::vector<size_t>& sig) {
    if (sig.empty() || !EsPalabra(s[sig[0]], QLatin1String("select")))
        return std::nullopt;
    const size_t nada = size_t(-1);
    size_t pFrom = nada, pWhere = nada, pStart = nada, pConnect = nada, pOrden = nada;
    size_t cStart = 0, cConnect = 0, cOrden = 0;
    size_t pFinal = s.size();
    int nivel = 0;
    for (size_t i = sig[0] + 1; i < s.size(); ++i) {
        const SimboloSql& t = s[i];
        if (EsSigno(t, u'('))
            ++nivel;
        else if (EsSigno(t, u')'))
            --nivel;
        if (nivel != 0 || !Significativo(t))
            continue;
        const size_t j = Siguiente(s, i + 1);
        const bool hay = j < s.size();
        if (EsSigno(t, u';') && Siguiente(s, i + 1) == s.size()) {
            pFinal = i;
            break;
        }
        if (t.clase != Clase::Palabra)
            continue;
        if (pFrom == nada && EsPalabra(t, QLatin1String("from"))) {
            pFrom = i;
        } else if (pFrom != nada && pWhere == nada && pStart == nada && pConnect == nada &&
                   EsPalabra(t, QLatin1String("where"))) {
            pWhere = i;
        } else if (pFrom != nada && pStart == nada && EsPalabra(t, QLatin1String("start")) && hay &&
                   EsPalabra(s[j], QLatin1String("with"))) {
            pStart = i;
            cStart = j + 1;
        } else if (pFrom != nada && pConnect == nada && EsPalabra(t, QLatin1String("connect")) &&
                   hay && EsPalabra(s[j], QLatin1String("by"))) {
            pConnect = i;
            cConnect = j + 1;
            const size_t k = Siguiente(s, cConnect);
            if (k < s.size() && EsPalabra(s[k], QLatin1String("nocycle")))
                cConnect = k + 1;
        } else if (pConnect != nada && EsPalabra(t, QLatin1String("order")) && hay) {
            if (!EsPalabra(s[j], QLatin1String("by")))
                return std::nullopt; // ORDER SIBLINGS BY: no se adapta
            pOrden = i;
            cOrden = j + 1;
        } else if (pConnect != nada &&
                   (EsPalabra(t, QLatin1String("union")) || EsPalabra(t, QLatin1String("group")) ||
                    EsPalabra(t, QLatin1String("minus")) ||
                    EsPalabra(t, QLatin1String("intersect")))) {
            return std::nullopt;
        }
    }
    if (pFrom == nada || pConnect == nada)
        return std::nullopt;

    auto finDe = [&](size_t desde) {
        size_t f = pFinal;
        for (size_t p : {pWhere, pStart, pConnect, pOrden})
            if (p != nada && p > desde && p < f)
                f = p;
        return f;
    };

    // FROM: una sola tabla, con alias opcional.
    const size_t finFrom = finDe(pFrom);
    std::vector<size_t> from;
    for (size_t i = pFrom + 1; i < finFrom; ++i)
        if (Significativo(s[i]))
            from.push_back(i);
    size_t k = 0;
    if (from.empty() || !EsNombre(s[from[0]]))
        return std::nullopt;
    QString tabla = s[from[0]].texto;
    QString ultimoNombre = tabla;
    for (k = 1; k + 1 < from.size() && EsSigno(s[from[k]], u'.') && EsNombre(s[from[k + 1]]);
         k += 2) {
        tabla += QLatin1Char('.') + s[from[k + 1]].texto;
        ultimoNombre = s[from[k + 1]].texto;
    }
    if (k < from.size() && EsPalabra(s[from[k]], QLatin1String("as")))
        ++k;
    QString alias = ultimoNombre;
    if (k < from.size()) {
        if (!EsNombre(s[from[k]]) || EsPalabraClave(s[from[k]]))
            return std::nullopt;
        alias = s[from[k]].texto;
        ++k;
    }
    if (k != from.size())
        return std::nullopt;

    // CONNECT BY: PRIOR marca la columna de la fila padre.
    const QString padre = QStringLiteral("miravel_padre");
    const QString hijo = QStringLiteral("miravel_hijo");
    QString condicion;
    bool prior = false;
    const size_t finConnect = finDe(pConnect);
    for (size_t i = cConnect; i < finConnect; ++i) {
        const SimboloSql& t = s[i];
        if (EsPalabra(t, QLatin1String("select")))
            return std::nullopt;
        if (EsPalabra(t, QLatin1String("prior"))) {
            prior = true;
            i = Siguiente(s, i + 1) - 1;
            continue;
        }
        const size_t j = Siguiente(s, i + 1);
        const bool trasPunto = i > 0 && EsSigno(s[i - 1], u'.');
        if (!EsNombre(t) || EsPalabraClave(t) || trasPunto ||
            (j < s.size() && EsSigno(s[j], u'('))) {
            condicion += t.texto;
            continue;
        }
        size_t columna = i;
        if (i + 2 < finConnect && EsSigno(s[i + 1], u'.') && EsNombre(s[i + 2])) {
            if (t.texto.compare(alias, Qt::CaseInsensitive) != 0 &&
                t.texto.compare(ultimoNombre, Qt::CaseInsensitive) != 0)
                return std::nullopt;
            columna = i + 2;
        }
        if (EsPalabra(s[columna], QLatin1String("level")))
            condicion += prior ? padre + QLatin1String(".miravel_nivel")
                               : QLatin1Char('(') + padre + QLatin1String(".miravel_nivel + 1)");
        else
            condicion += (prior ? padre : hijo) + QLatin1Char('.') + s[columna].texto;
        prior = false;
        i = columna;
    }

    const QString nivelCol = alias + QLatin1String(".miravel_nivel");
    QString r = QLatin1String("WITH RECURSIVE miravel_jerarquia AS (SELECT ") + alias +
                QLatin1String(".*, 1 AS miravel_nivel, ARRAY[") + alias +
                QLatin1String(".ctid] AS miravel_camino FROM ") + tabla + QLatin1Char(' ') + alias;
    if (pStart != nada)
        r += QLatin1String(" WHERE ") + Unir(s, cStart, finDe(pStart)).trimmed();
    r += QLatin1String(" UNION ALL SELECT ") + hijo + QLatin1String(".*, ") + padre +
         QLatin1String(".miravel_nivel + 1, ") + padre + QLatin1String(".miravel_camino || ") +
         hijo + QLatin1String(".ctid FROM ") + tabla + QLatin1Char(' ') + hijo +
         QLatin1String(" JOIN miravel_jerarquia ") + padre + QLatin1String(" ON (") +
         condicion.trimmed() + QLatin1String(") AND ") + hijo + QLatin1String(".ctid <> ALL (") +
         padre + QLatin1String(".miravel_camino)) SELECT ") +
         ConNivel(s, sig[0] + 1, pFrom, nivelCol).trimmed() +
         QLatin1String(" FROM miravel_jerarquia ") + alias;
    if (pWhere != nada)
        r += QLatin1String(" WHERE ") + ConNivel(s, pWhere + 1, finDe(pWhere), nivelCol).trimmed();
    r += QLatin1String(" ORDER BY ");
    if (pOrden != nada)
        r += ConNivel(s, cOrden, finDe(pOrden), nivelCol).trimmed();
    else
        r += alias + QLatin1String(".miravel_camino");
    return r;
}

bool Contiene(const QString& mensaje, std::initializer_list<const char*> frases) {
    for (const char* f : frases)
        if (mensaje.contains(QString::fromUtf8(f), Qt::CaseInsensitive))
            return true;
    return false;
}

// Motivos de un rechazo al conectar, por el mensaje del servidor.
long NumeroPorMensajeDeConexion(const QString& mensaje) {
    if (Contiene(mensaje, {"password authentication failed", "autentificación password falló",
                           "autenticación password falló", "no password supplied"}) ||
        (Contiene(mensaje, {"role \""}) && Contiene(mensaje, {"does not exist"})) ||
        Contiene(mensaje, {"no existe el rol"}))
        return 1017;
    if (Contiene(mensaje,
                 {"the database system is starting up", "the database system is shutting down",
                  "the database system is in recovery mode",
                  "the database system is not yet accepting connections",
                  "el sistema de base de datos está iniciándose",
                  "el sistema de base de datos está apagándose"}))
        return 1033;
    if (Contiene(mensaje, {"could not connect", "connection refused", "no such file or directory",
                           "could not translate host name", "no se pudo conectar"}))
        return 1034;
    return -1;
}

// ORA-nnnnn dentro del mensaje (drivers de Oracle).
std::optional<long> NumeroEnMensaje(const QString& mensaje) {
    static const QRegularExpression ora(QStringLiteral("ORA-(\\d{5})"));
    const auto m = ora.match(mensaje);
    if (!m.hasMatch())
        return std::nullopt;
    return m.captured(1).toLong();
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
        if (nativo > 0)
            return nativo;
        return NumeroEnMensaje(mensaje).value_or(nativo == 0 ? -1 : nativo);
    }
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
        if (auto b = Bloque(s, sig))
            return *b;
        if (auto t = Jerarquica(s, sig)) {
            r.texto = *t;
            return r;
        }
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

    long NumeroOracle(const QString& sqlstate, long nativo, const QString& mensaje,
                      bool enBloque = false) const override {
        Q_UNUSED(nativo);
        const QString e = sqlstate.toUpper();
        // Errores de aplicación de la base: U0101..U0123 → 20101..20123.
        if (e.size() == 5 && e.startsWith(QLatin1String("U0"))) {
            bool ok = false;
            const int n = e.mid(2).toInt(&ok);
            if (ok)
                return 20000 + n;
        }
        // En un bloque los errores de análisis son de compilación (ORA-06550).
        // Con la conexión ya abierta, una clave rechazada es la de SET ROLE (ORA-01979).
        if (enBloque && e.startsWith(QLatin1String("42")))
            return 6550;
        static const struct {
            const char* estado;
            long numero;
        } tabla[] = {
            {"23505", 1},    {"55P03", 54},   {"42703", 904},  {"42883", 904},   {"23502", 1400},
            {"22003", 1438}, {"23503", 2292}, {"42P01", 942},  {"42601", 900},   {"42501", 1031},
            {"42P07", 955},  {"23514", 2290}, {"22012", 1476}, {"22001", 12899}, {"22P02", 1722},
            {"22007", 1861}, {"22008", 1843}, {"21000", 1427}, {"40P01", 60},    {"40001", 8177},
            {"57014", 1013}, {"57P01", 28},   {"57P03", 1033}, {"28P01", 1979},  {"28000", 1017},
            {"08003", 3114},
        };
        for (const auto& f : tabla)
            if (e == QLatin1String(f.estado))
                return f.numero;
        if (e.startsWith(QLatin1String("08")) || e.startsWith(QLatin1String("HY")) || e.isEmpty()) {
            const long n = NumeroPorMensajeDeConexion(mensaje);
            if (n > 0)
                return n;
            if (e.startsWith(QLatin1String("08")))
                return 3113; // se perdió la comunicación con el servidor
        }
        return -1;
    }
};

} // namespace

std::vector<SimboloSql> DividirEnSimbolos(const QString& sql) {
    std::vector<SimboloSql> r;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype inicio = i;
        const QChar c = sql[i];
        Clase clase;
        if (c.isSpace()) {
            while (i < n && sql[i].isSpace())
                ++i;
            clase = Clase::Espacio;
        } else if (c == u'-' && i + 1 < n && sql[i + 1] == u'-') {
            while (i < n && sql[i] != u'\n')
                ++i;
            clase = Clase::Comentario;
        } else if (c == u'/' && i + 1 < n && sql[i + 1] == u'*') {
            const qsizetype f = sql.indexOf(QLatin1String("*/"), i + 2);
            i = f < 0 ? n : f + 2;
            clase = Clase::Comentario;
        } else if (c == u'\'' || c == u'"') {
            ++i;
            while (i < n) {
                if (sql[i] != c) {
                    ++i;
                } else if (i + 1 < n && sql[i + 1] == c) {
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            clase = c == u'\'' ? Clase::Literal : Clase::Identificador;
        } else if (EsInicioPalabra(c)) {
            while (i < n && EsRestoPalabra(sql[i]))
                ++i;
            clase = Clase::Palabra;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            bool punto = false;
            while (i < n && (sql[i].isDigit() || (sql[i] == u'.' && !punto))) {
                punto = punto || sql[i] == u'.';
                ++i;
            }
            if (i < n && (sql[i] == u'e' || sql[i] == u'E')) {
                qsizetype j = i + 1;
                if (j < n && (sql[j] == u'+' || sql[j] == u'-'))
                    ++j;
                if (j < n && sql[j].isDigit()) {
                    i = j;
                    while (i < n && sql[i].isDigit())
                        ++i;
                }
            }
            clase = Clase::Numero;
        } else {
            ++i;
            clase = Clase::Signo;
        }
        r.push_back({clase, sql.mid(inicio, i - inicio)});
    }
    return r;
}

std::unique_ptr<Dialecto> CrearDialecto(const QString& nombreGestor) {
    if (nombreGestor.contains(QLatin1String("PostgreSQL"), Qt::CaseInsensitive))
        return std::make_unique<DialectoPostgreSQL>();
    return std::make_unique<DialectoOracle>();
}

long NumeroOracleConexion(const QString& sqlstate, long nativo, const QString& mensaje) {
    if (const auto n = NumeroEnMensaje(mensaje))
        return *n;
    const QString e = sqlstate.toUpper();
    if (e == QLatin1String("28000") || e == QLatin1String("28P01"))
        return 1017;
    if (e == QLatin1String("57P03"))
        return 1033;
    const long n = NumeroPorMensajeDeConexion(mensaje);
    if (n > 0)
        return n;
    Q_UNUSED(nativo);
    return -1;
}
