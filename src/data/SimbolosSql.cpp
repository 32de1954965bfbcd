#include "SimbolosSql.h"

namespace {

using Clase = SimboloSql::Clase;

bool EsInicioPalabra(QChar c) {
    return c.isLetter() || c == u'_';
}
bool EsRestoPalabra(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'$' || c == u'#';
}

// Fin de un número que empieza en i: dígitos con un punto y exponente opcional.
qsizetype FinNumero(const QString& sql, qsizetype i) {
    const qsizetype n = sql.size();
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
    return i;
}

// Fin de un texto entre comillas (c) que empieza en i; la comilla doble adentro no cierra.
qsizetype FinEntreComillas(const QString& sql, qsizetype i, QChar c) {
    const qsizetype n = sql.size();
    ++i;
    while (i < n) {
        if (sql[i] != c) {
            ++i;
        } else if (i + 1 < n && sql[i + 1] == c) {
            i += 2;
        } else {
            return i + 1;
        }
    }
    return n;
}

// Largo del prefijo de un literal q'…' de Oracle que empieza en i (q o nq,
// en cualquier letra, y la comilla), o 0 si no lo es. El carácter que sigue
// a la comilla es el delimitador; un espacio no lo es.
qsizetype PrefijoComillasQ(const QString& sql, qsizetype i) {
    const qsizetype n = sql.size();
    qsizetype p = i;
    if (p < n && (sql[p] == u'n' || sql[p] == u'N'))
        ++p;
    if (p >= n || (sql[p] != u'q' && sql[p] != u'Q'))
        return 0;
    ++p;
    if (p + 1 >= n || sql[p] != u'\'' || sql[p + 1].isSpace())
        return 0;
    return p + 1 - i;
}

QChar CierreComillasQ(QChar abre) {
    switch (abre.unicode()) {
    case u'[':
        return u']';
    case u'{':
        return u'}';
    case u'(':
        return u')';
    case u'<':
        return u'>';
    default:
        return abre;
    }
}

// Fin de q'[...]': el cierre del delimitador seguido de la comilla.
qsizetype FinComillasQ(const QString& sql, qsizetype i, qsizetype prefijo) {
    const qsizetype n = sql.size();
    const QChar cierre = CierreComillasQ(sql[i + prefijo]);
    for (qsizetype k = i + prefijo + 1; k + 1 < n; ++k)
        if (sql[k] == cierre && sql[k + 1] == u'\'')
            return k + 2;
    return n;
}

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
            i = FinEntreComillas(sql, i, c);
            clase = c == u'\'' ? Clase::Literal : Clase::Identificador;
        } else if (const qsizetype q = PrefijoComillasQ(sql, i)) {
            i = FinComillasQ(sql, i, q);
            clase = Clase::Literal;
        } else if (EsInicioPalabra(c)) {
            while (i < n && EsRestoPalabra(sql[i]))
                ++i;
            clase = Clase::Palabra;
        } else if (c.isDigit() || (c == u'.' && i + 1 < n && sql[i + 1].isDigit())) {
            i = FinNumero(sql, i);
            clase = Clase::Numero;
        } else {
            ++i;
            clase = Clase::Signo;
        }
        r.push_back({clase, sql.mid(inicio, i - inicio)});
    }
    return r;
}

QString ValorLiteral(const SimboloSql& s) {
    const QString& t = s.texto;
    if (s.clase != Clase::Literal && s.clase != Clase::Identificador)
        return t;
    if (const qsizetype q = PrefijoComillasQ(t, 0)) {
        const bool cerrado =
            t.size() >= q + 3 && t.endsWith(u'\'') && t[t.size() - 2] == CierreComillasQ(t[q]);
        return t.mid(q + 1, t.size() - q - 1 - (cerrado ? 2 : 0));
    }
    const QChar comilla = t[0];
    QString r;
    for (qsizetype i = 1; i < t.size(); ++i) {
        if (t[i] != comilla) {
            r += t[i];
        } else if (i + 1 < t.size() && t[i + 1] == comilla) {
            r += comilla;
            ++i;
        } else {
            break; // la de cierre
        }
    }
    return r;
}

namespace simbolos {

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

QString Unir(const Simbolos& s, size_t desde, size_t hasta) {
    QString r;
    for (size_t i = desde; i < hasta && i < s.size(); ++i)
        r += s[i].texto;
    return r;
}

std::vector<size_t> Significativos(const Simbolos& s) {
    std::vector<size_t> r;
    for (size_t i = 0; i < s.size(); ++i)
        if (Significativo(s[i]))
            r.push_back(i);
    return r;
}

size_t Siguiente(const Simbolos& s, size_t i) {
    while (i < s.size() && !Significativo(s[i]))
        ++i;
    return i;
}

size_t SinPuntoYComa(const Simbolos& s, const std::vector<size_t>& sig) {
    size_t n = sig.size();
    if (n && EsSigno(s[sig[n - 1]], u';'))
        --n;
    return n;
}

} // namespace simbolos
