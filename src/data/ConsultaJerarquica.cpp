#include "ConsultaJerarquica.h"
#include <initializer_list>

using namespace simbolos;

namespace {

using Clase = SimboloSql::Clase;
constexpr size_t Nada = size_t(-1);

const QString Padre = QStringLiteral("miravel_p");
const QString Fila = QStringLiteral("miravel_j");
const QString Nivel = QStringLiteral("miravel_j.miravel_nivel");

bool EsUna(const SimboloSql& t, std::initializer_list<const char*> palabras) {
    for (const char* p : palabras)
        if (EsPalabra(t, QLatin1String(p)))
            return true;
    return false;
}

// Dónde empieza cada cláusula del SELECT (Nada si falta) y dónde su contenido.
struct Clausulas {
    size_t from = Nada, where = Nada, start = Nada, connect = Nada, group = Nada, orden = Nada;
    size_t cStart = 0, cConnect = 0, cOrden = 0;
    bool nocycle = false, hermanos = false; // ORDER SIBLINGS BY
    size_t final = 0;                       // el ';' final o el fin del texto

    // Fin de la cláusula que empieza en desde: la próxima cláusula o el final.
    size_t FinDe(size_t desde) const {
        size_t f = final;
        for (size_t p : {where, start, connect, group, orden})
            if (p != Nada && p > desde && p < f)
                f = p;
        return f;
    }
};

struct Resultado {
    std::optional<Clausulas> clausulas;
    QString rechazo;
};

// Cláusulas del primer nivel de paréntesis.
Resultado BuscarClausulas(const Simbolos& s, size_t select) {
    Clausulas c;
    c.final = s.size();
    int nivel = 0;
    for (size_t i = select + 1; i < s.size(); ++i) {
        const SimboloSql& t = s[i];
        if (EsSigno(t, u'('))
            ++nivel;
        else if (EsSigno(t, u')'))
            --nivel;
        if (nivel != 0 || !Significativo(t))
            continue;
        const size_t j = Siguiente(s, i + 1);
        const bool hay = j < s.size();
        if (EsSigno(t, u';') && !hay) {
            c.final = i;
            break;
        }
        if (t.clase != Clase::Palabra)
            continue;
        if (c.from == Nada && EsPalabra(t, QLatin1String("from"))) {
            c.from = i;
        } else if (c.from == Nada) {
            continue;
        } else if (c.where == Nada && c.start == Nada && c.connect == Nada &&
                   EsPalabra(t, QLatin1String("where"))) {
            c.where = i;
        } else if (c.start == Nada && hay && EsPalabra(t, QLatin1String("start")) &&
                   EsPalabra(s[j], QLatin1String("with"))) {
            c.start = i;
            c.cStart = j + 1;
        } else if (c.connect == Nada && hay && EsPalabra(t, QLatin1String("connect")) &&
                   EsPalabra(s[j], QLatin1String("by"))) {
            c.connect = i;
            c.cConnect = j + 1;
            const size_t k = Siguiente(s, c.cConnect);
            if (k < s.size() && EsPalabra(s[k], QLatin1String("nocycle"))) {
                c.nocycle = true;
                c.cConnect = k + 1;
            }
        } else if (c.connect != Nada && c.group == Nada && hay &&
                   EsPalabra(t, QLatin1String("group")) && EsPalabra(s[j], QLatin1String("by"))) {
            c.group = i;
        } else if (c.connect != Nada && c.orden == Nada && hay &&
                   EsPalabra(t, QLatin1String("order"))) {
            size_t k = j;
            if (EsPalabra(s[k], QLatin1String("siblings"))) {
                c.hermanos = true;
                k = Siguiente(s, k + 1);
            }
            if (k >= s.size() || !EsPalabra(s[k], QLatin1String("by")))
                return {std::nullopt, {}};
            c.orden = i;
            c.cOrden = k + 1;
        } else if (c.connect != Nada && EsUna(t, {"union", "minus", "intersect", "except"})) {
            return {std::nullopt,
                    QStringLiteral("CONNECT BY combinado con %1").arg(t.texto.toUpper())};
        } else if (c.connect != Nada && EsUna(t, {"for", "fetch", "offset", "limit"})) {
            return {std::nullopt,
                    QStringLiteral("CONNECT BY seguido de %1").arg(t.texto.toUpper())};
        }
    }
    if (c.from == Nada || c.connect == Nada)
        return {std::nullopt, {}};
    return {c, {}};
}

// La tabla o vista del FROM: una sola, con alias opcional.
struct TablaFrom {
    QString tabla; // con su dueño, si lo trae
    QString alias; // el alias, o el nombre de la tabla sin dueño
};

std::optional<TablaFrom> LeerFrom(const Simbolos& s, const Clausulas& c) {
    std::vector<size_t> from;
    for (size_t i = c.from + 1; i < c.FinDe(c.from); ++i)
        if (Significativo(s[i]))
            from.push_back(i);
    if (from.empty() || !EsNombre(s[from[0]]))
        return std::nullopt;
    TablaFrom t;
    t.tabla = s[from[0]].texto;
    t.alias = t.tabla;
    size_t k = 1;
    for (; k + 1 < from.size() && EsSigno(s[from[k]], u'.') && EsNombre(s[from[k + 1]]); k += 2) {
        t.tabla += QLatin1Char('.') + s[from[k + 1]].texto;
        t.alias = s[from[k + 1]].texto;
    }
    if (k < from.size() && EsPalabra(s[from[k]], QLatin1String("as")))
        ++k;
    if (k < from.size()) {
        if (!EsNombre(s[from[k]]) || EsPalabraClave(s[from[k]]))
            return std::nullopt;
        t.alias = s[from[k]].texto;
        ++k;
    }
    if (k != from.size())
        return std::nullopt;
    return t;
}

// Pseudo-columnas y funciones de la consulta jerárquica que no se adaptan.
std::optional<QString> FormaNoAdaptada(const Simbolos& s, size_t desde, size_t hasta) {
    for (size_t i = desde; i < hasta; ++i)
        if (EsUna(s[i], {"connect_by_root", "connect_by_isleaf", "connect_by_iscycle",
                         "sys_connect_by_path", "prior"}))
            return s[i].texto.toUpper();
    return std::nullopt;
}

bool EsNivel(const Simbolos& s, size_t i) {
    if (!EsPalabra(s[i], QLatin1String("level")) || (i > 0 && EsSigno(s[i - 1], u'.')))
        return false;
    const size_t j = Siguiente(s, i + 1);
    return j >= s.size() || !EsSigno(s[j], u'(');
}

// Texto de [desde, hasta) con la pseudo-columna level cambiada por nivel.
QString ConNivel(const Simbolos& s, size_t desde, size_t hasta, const QString& nivel) {
    QString r;
    for (size_t i = desde; i < hasta; ++i)
        r += EsNivel(s, i) ? nivel : s[i].texto;
    return r.trimmed();
}

// Condición del CONNECT BY: PRIOR marca una columna de la fila padre, que
// viene guardada entera en miravel_p.miravel_fila; lo demás es de la hija.
std::optional<QString> CondicionConnect(const Simbolos& s, const Clausulas& c, QString& rechazo) {
    QString condicion;
    const size_t fin = c.FinDe(c.connect);
    for (size_t i = c.cConnect; i < fin; ++i) {
        if (EsPalabra(s[i], QLatin1String("select"))) {
            rechazo = QStringLiteral("subconsulta en CONNECT BY");
            return std::nullopt;
        }
        if (EsNivel(s, i)) {
            condicion += QLatin1Char('(') + Padre + QLatin1String(".miravel_nivel + 1)");
            continue;
        }
        if (!EsPalabra(s[i], QLatin1String("prior"))) {
            condicion += s[i].texto;
            continue;
        }
        size_t k = Siguiente(s, i + 1);
        if (k < fin && EsNivel(s, k)) {
            condicion += Padre + QLatin1String(".miravel_nivel");
            i = k;
            continue;
        }
        // PRIOR [alias.]columna
        if (k + 2 < fin && EsNombre(s[k]) && EsSigno(s[k + 1], u'.') && EsNombre(s[k + 2]))
            k += 2;
        const size_t j = Siguiente(s, k + 1);
        if (k >= fin || !EsNombre(s[k]) || EsPalabraClave(s[k]) ||
            (j < fin && EsSigno(s[j], u'('))) {
            rechazo = QStringLiteral("PRIOR sobre una expresión que no es una columna");
            return std::nullopt;
        }
        condicion += QLatin1Char('(') + Padre + QLatin1String(".miravel_fila).") + s[k].texto;
        i = k;
    }
    return condicion.trimmed();
}

// La lista del SELECT: level por el nivel calculado y "*" por las columnas
// de la tabla (sin las de la consulta recursiva).
QString ListaSelect(const Simbolos& s, size_t desde, size_t hasta, const QString& alias) {
    const size_t i = Siguiente(s, desde);
    if (i < hasta && EsSigno(s[i], u'*') && Siguiente(s, i + 1) >= hasta)
        return alias + QLatin1String(".*");
    return ConNivel(s, desde, hasta, Nivel);
}

bool TieneAgregado(const Simbolos& s, size_t desde, size_t hasta) {
    for (size_t i = desde; i < hasta; ++i) {
        const size_t j = Siguiente(s, i + 1);
        if (j < hasta && EsSigno(s[j], u'(') &&
            EsUna(s[i], {"count", "sum", "avg", "min", "max", "listagg", "stddev", "variance"}))
            return true;
    }
    return false;
}

} // namespace

bool TieneConnectBy(const Simbolos& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        const size_t j = Siguiente(s, i + 1);
        if (EsPalabra(s[i], QLatin1String("connect")) && j < s.size() &&
            EsPalabra(s[j], QLatin1String("by")))
            return true;
    }
    return false;
}

std::optional<SentenciaAdaptada> ConsultaJerarquica(const Simbolos& s,
                                                    const std::vector<size_t>& sig) {
    if (sig.empty() || !EsPalabra(s[sig[0]], QLatin1String("select")))
        return std::nullopt;
    const Resultado busqueda = BuscarClausulas(s, sig[0]);
    if (!busqueda.rechazo.isEmpty())
        return Rechazar(busqueda.rechazo);
    if (!busqueda.clausulas)
        return std::nullopt;
    const Clausulas& c = *busqueda.clausulas;
    const auto t = LeerFrom(s, c);
    if (!t)
        return Rechazar(QStringLiteral("CONNECT BY sobre más de una tabla, una subconsulta o "
                                       "una junta"));
    if (const auto forma = FormaNoAdaptada(s, sig[0] + 1, c.from))
        return Rechazar(QStringLiteral("%1 en una consulta jerárquica").arg(*forma));
    if (c.hermanos)
        for (size_t i = c.cOrden; i < c.FinDe(c.orden); ++i)
            if (s[i].clase == Clase::Numero) {
                return Rechazar(QStringLiteral("ORDER SIBLINGS BY con número de columna"));
            }
    QString rechazo;
    const auto condicion = CondicionConnect(s, c, rechazo);
    if (!condicion)
        return Rechazar(rechazo);

    // Cada fila de la jerarquía guarda la fila de la tabla entera (con el tipo
    // de la tabla), su nivel, su camino de posiciones entre hermanos (ordena
    // en profundidad) y sus antepasados (para los ciclos).
    const QString& a = t->alias;
    const QString fila = QLatin1String("ROW(") + a + QLatin1String(".*)::") + t->tabla;
    const QString hermanos =
        c.hermanos ? ConNivel(s, c.cOrden, c.FinDe(c.orden), QStringLiteral("1")) : fila;
    QString r = QLatin1String("WITH RECURSIVE miravel_jerarquia AS (SELECT ") + fila +
                QLatin1String(" AS miravel_fila, 1 AS miravel_nivel, ARRAY[row_number() OVER "
                              "(ORDER BY ") +
                hermanos + QLatin1String(")] AS miravel_orden, ARRAY[") + fila +
                QLatin1String("] AS miravel_filas FROM ") + t->tabla + QLatin1Char(' ') + a;
    if (c.start != Nada)
        r += QLatin1String(" WHERE ") + Unir(s, c.cStart, c.FinDe(c.start)).trimmed();
    r += QLatin1String(" UNION ALL SELECT ") + fila + QLatin1String(", ") + Padre +
         QLatin1String(".miravel_nivel + 1, ") + Padre +
         QLatin1String(".miravel_orden || "
                       "row_number() OVER "
                       "(PARTITION BY ") +
         Padre + QLatin1String(".miravel_orden ORDER BY ") + hermanos + QLatin1String("), ") +
         Padre + QLatin1String(".miravel_filas || ");
    r += c.nocycle ? fila
                   : QLatin1String("public.connect_by_control(") + fila + QLatin1String(", ") +
                         Padre + QLatin1String(".miravel_filas)");
    r += QLatin1String(" FROM miravel_jerarquia ") + Padre + QLatin1String(" JOIN ") + t->tabla +
         QLatin1Char(' ') + a + QLatin1String(" ON (") + *condicion + QLatin1Char(')');
    if (c.nocycle)
        r += QLatin1String(" AND NOT ") + fila + QLatin1String(" = ANY (") + Padre +
             QLatin1String(".miravel_filas)");
    r += QLatin1String(") SELECT ") + ListaSelect(s, sig[0] + 1, c.from, a) +
         QLatin1String(" FROM miravel_jerarquia ") + Fila +
         QLatin1String(" CROSS JOIN LATERAL (SELECT (") + Fila +
         QLatin1String(".miravel_fila).*) ") + a;
    if (c.where != Nada)
        r += QLatin1String(" WHERE ") + ConNivel(s, c.where + 1, c.FinDe(c.where), Nivel);
    if (c.group != Nada)
        r += QLatin1Char(' ') + ConNivel(s, c.group, c.FinDe(c.group), Nivel);
    if (c.orden != Nada && !c.hermanos)
        r += QLatin1String(" ORDER BY ") + ConNivel(s, c.cOrden, c.FinDe(c.orden), Nivel);
    else if (c.group == Nada && !TieneAgregado(s, sig[0] + 1, c.from))
        r += QLatin1String(" ORDER BY ") + Fila + QLatin1String(".miravel_orden");
    SentenciaAdaptada adaptada;
    adaptada.texto = r;
    return adaptada;
}
