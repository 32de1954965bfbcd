#include "ConsultaJerarquica.h"

using namespace simbolos;

namespace {

using Clase = SimboloSql::Clase;
constexpr size_t Nada = size_t(-1);

const QString Padre = QStringLiteral("miravel_padre");
const QString Hijo = QStringLiteral("miravel_hijo");

// Dónde empieza cada cláusula del SELECT (Nada si falta) y dónde su contenido.
struct Clausulas {
    size_t from = Nada, where = Nada, start = Nada, connect = Nada, orden = Nada;
    size_t cStart = 0, cConnect = 0, cOrden = 0;
    size_t final = 0; // el ';' final o el fin del texto

    // Fin de la cláusula que empieza en desde: la próxima cláusula o el final.
    size_t FinDe(size_t desde) const {
        size_t f = final;
        for (size_t p : {where, start, connect, orden})
            if (p != Nada && p > desde && p < f)
                f = p;
        return f;
    }
};

// Cláusulas del primer nivel de paréntesis; nullopt con formas que no se adaptan.
std::optional<Clausulas> BuscarClausulas(const Simbolos& s, size_t select) {
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
        } else if (c.from != Nada && c.where == Nada && c.start == Nada && c.connect == Nada &&
                   EsPalabra(t, QLatin1String("where"))) {
            c.where = i;
        } else if (c.from != Nada && c.start == Nada && EsPalabra(t, QLatin1String("start")) &&
                   hay && EsPalabra(s[j], QLatin1String("with"))) {
            c.start = i;
            c.cStart = j + 1;
        } else if (c.from != Nada && c.connect == Nada && EsPalabra(t, QLatin1String("connect")) &&
                   hay && EsPalabra(s[j], QLatin1String("by"))) {
            c.connect = i;
            c.cConnect = j + 1;
            const size_t k = Siguiente(s, c.cConnect);
            if (k < s.size() && EsPalabra(s[k], QLatin1String("nocycle")))
                c.cConnect = k + 1;
        } else if (c.connect != Nada && EsPalabra(t, QLatin1String("order")) && hay) {
            if (!EsPalabra(s[j], QLatin1String("by")))
                return std::nullopt; // ORDER SIBLINGS BY: no se adapta
            c.orden = i;
            c.cOrden = j + 1;
        } else if (c.connect != Nada &&
                   (EsPalabra(t, QLatin1String("union")) || EsPalabra(t, QLatin1String("group")) ||
                    EsPalabra(t, QLatin1String("minus")) ||
                    EsPalabra(t, QLatin1String("intersect")))) {
            return std::nullopt;
        }
    }
    if (c.from == Nada || c.connect == Nada)
        return std::nullopt;
    return c;
}

// La tabla del FROM: una sola, con alias opcional.
struct TablaFrom {
    QString tabla;        // con su dueño, si lo trae
    QString ultimoNombre; // la tabla sin dueño
    QString alias;
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
    t.ultimoNombre = t.tabla;
    size_t k = 1;
    for (; k + 1 < from.size() && EsSigno(s[from[k]], u'.') && EsNombre(s[from[k + 1]]); k += 2) {
        t.tabla += QLatin1Char('.') + s[from[k + 1]].texto;
        t.ultimoNombre = s[from[k + 1]].texto;
    }
    if (k < from.size() && EsPalabra(s[from[k]], QLatin1String("as")))
        ++k;
    t.alias = t.ultimoNombre;
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

// Condición del CONNECT BY sobre la fila padre y la hija: PRIOR marca la
// columna de la fila padre.
std::optional<QString> CondicionConnect(const Simbolos& s, const Clausulas& c, const TablaFrom& t) {
    QString condicion;
    bool prior = false;
    const size_t fin = c.FinDe(c.connect);
    for (size_t i = c.cConnect; i < fin; ++i) {
        const SimboloSql& x = s[i];
        if (EsPalabra(x, QLatin1String("select")))
            return std::nullopt;
        if (EsPalabra(x, QLatin1String("prior"))) {
            prior = true;
            i = Siguiente(s, i + 1) - 1;
            continue;
        }
        const size_t j = Siguiente(s, i + 1);
        const bool trasPunto = i > 0 && EsSigno(s[i - 1], u'.');
        if (!EsNombre(x) || EsPalabraClave(x) || trasPunto ||
            (j < s.size() && EsSigno(s[j], u'('))) {
            condicion += x.texto;
            continue;
        }
        size_t columna = i;
        if (i + 2 < fin && EsSigno(s[i + 1], u'.') && EsNombre(s[i + 2])) {
            if (x.texto.compare(t.alias, Qt::CaseInsensitive) != 0 &&
                x.texto.compare(t.ultimoNombre, Qt::CaseInsensitive) != 0)
                return std::nullopt;
            columna = i + 2;
        }
        if (EsPalabra(s[columna], QLatin1String("level")))
            condicion += prior ? Padre + QLatin1String(".miravel_nivel")
                               : QLatin1Char('(') + Padre + QLatin1String(".miravel_nivel + 1)");
        else
            condicion += (prior ? Padre : Hijo) + QLatin1Char('.') + s[columna].texto;
        prior = false;
        i = columna;
    }
    return condicion.trimmed();
}

// Texto de [desde, hasta) con la pseudo-columna level cambiada por el nivel calculado.
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
    return r.trimmed();
}

} // namespace

std::optional<QString> ConsultaJerarquica(const Simbolos& s, const std::vector<size_t>& sig) {
    if (sig.empty() || !EsPalabra(s[sig[0]], QLatin1String("select")))
        return std::nullopt;
    const auto c = BuscarClausulas(s, sig[0]);
    if (!c)
        return std::nullopt;
    const auto t = LeerFrom(s, *c);
    if (!t)
        return std::nullopt;
    const auto condicion = CondicionConnect(s, *c, *t);
    if (!condicion)
        return std::nullopt;

    // Camino de ctid acumulado: ordena en profundidad y corta los ciclos.
    const QString& a = t->alias;
    const QString nivelCol = a + QLatin1String(".miravel_nivel");
    QString r = QLatin1String("WITH RECURSIVE miravel_jerarquia AS (SELECT ") + a +
                QLatin1String(".*, 1 AS miravel_nivel, ARRAY[") + a +
                QLatin1String(".ctid] AS miravel_camino FROM ") + t->tabla + QLatin1Char(' ') + a;
    if (c->start != Nada)
        r += QLatin1String(" WHERE ") + Unir(s, c->cStart, c->FinDe(c->start)).trimmed();
    r += QLatin1String(" UNION ALL SELECT ") + Hijo + QLatin1String(".*, ") + Padre +
         QLatin1String(".miravel_nivel + 1, ") + Padre + QLatin1String(".miravel_camino || ") +
         Hijo + QLatin1String(".ctid FROM ") + t->tabla + QLatin1Char(' ') + Hijo +
         QLatin1String(" JOIN miravel_jerarquia ") + Padre + QLatin1String(" ON (") + *condicion +
         QLatin1String(") AND ") + Hijo + QLatin1String(".ctid <> ALL (") + Padre +
         QLatin1String(".miravel_camino)) SELECT ") + ConNivel(s, sig[0] + 1, c->from, nivelCol) +
         QLatin1String(" FROM miravel_jerarquia ") + a;
    if (c->where != Nada)
        r += QLatin1String(" WHERE ") + ConNivel(s, c->where + 1, c->FinDe(c->where), nivelCol);
    r += QLatin1String(" ORDER BY ");
    if (c->orden != Nada)
        r += ConNivel(s, c->cOrden, c->FinDe(c->orden), nivelCol);
    else
        r += a + QLatin1String(".miravel_camino");
    return r;
}
