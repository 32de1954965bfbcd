#include "Formulas.h"
#include "ClaveNombre.h"
#include "LiteralSql.h"

namespace {

bool CaracterDeNombre(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Número decimal simple: signo opcional, cifras y, quizás, punto y cifras.
bool EsNumero(const QString& s) {
    qsizetype i = 0;
    if (i < s.size() && (s[i] == u'-' || s[i] == u'+'))
        ++i;
    const qsizetype inicio = i;
    while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
        ++i;
    if (i == inicio)
        return false;
    if (i < s.size() && s[i] == u'.') {
        const qsizetype decimales = ++i;
        while (i < s.size() && s[i] >= u'0' && s[i] <= u'9')
            ++i;
        if (i == decimales)
            return false;
    }
    return i == s.size();
}

void Anotar(QString* error, const QString& texto) {
    if (error)
        *error = texto;
}

} // namespace

bool NombreFormulaValido(const QString& nombre) {
    if (nombre.isEmpty() || !(nombre[0].isLetter() || nombre[0] == u'_'))
        return false;
    for (QChar c : nombre)
        if (!CaracterDeNombre(c))
            return false;
    return true;
}

std::optional<ValorFormula> LeerValorFormula(const QString& valor, QString* error) {
    const QString v = valor.trimmed();
    if (v.isEmpty()) {
        Anotar(error, QStringLiteral("falta el valor"));
        return std::nullopt;
    }
    ValorFormula r;
    if (v[0] == u'\'') {
        const qsizetype ultima = v.lastIndexOf(u'\'');
        if (ultima == 0) {
            Anotar(error, QStringLiteral("falta la comilla que cierra el texto"));
            return std::nullopt;
        }
        if (ultima != v.size() - 1) {
            Anotar(error, QStringLiteral("sobra texto después de la comilla que cierra"));
            return std::nullopt;
        }
        r.texto = v.mid(1, ultima - 1);
        if (r.texto.contains(u'\0')) {
            Anotar(error, QStringLiteral("el texto tiene un carácter nulo"));
            return std::nullopt;
        }
        return r;
    }
    if (!EsNumero(v)) {
        Anotar(error, QStringLiteral("el valor \"%1\" no es un número ni un texto entre "
                                     "comillas simples")
                          .arg(v.left(60)));
        return std::nullopt;
    }
    r.esTexto = false;
    r.texto = v.startsWith(u'+') ? v.mid(1) : v;
    r.numero = r.texto.toDouble();
    return r;
}

std::optional<AsignacionFormula> LeerAsignacionFormula(const QString& casilla, QString* error) {
    const qsizetype igual = casilla.indexOf(u'=');
    if (igual < 0) {
        Anotar(error, QStringLiteral("falta el signo \"=\""));
        return std::nullopt;
    }
    AsignacionFormula a;
    a.nombre = casilla.left(igual).trimmed();
    if (!NombreFormulaValido(a.nombre)) {
        Anotar(
            error,
            QStringLiteral("el nombre \"%1\" no es un nombre de fórmula").arg(a.nombre.left(60)));
        return std::nullopt;
    }
    QString motivo;
    const auto valor = LeerValorFormula(casilla.mid(igual + 1), &motivo);
    if (!valor) {
        Anotar(error, QStringLiteral("fórmula %1: %2").arg(a.nombre, motivo));
        return std::nullopt;
    }
    a.valor = *valor;
    return a;
}

void TablaFormulas::Poner(const QString& nombre, const ValorFormula& valor) {
    valores_.insert(ClaveNombre(nombre), valor);
}

const ValorFormula* TablaFormulas::Buscar(const QString& nombre) const {
    const auto it = valores_.constFind(ClaveNombre(nombre));
    return it == valores_.cend() ? nullptr : &it.value();
}

QString LiteralSql(const ValorFormula& valor) {
    if (!valor.esTexto)
        return valor.texto;
    return ::LiteralSql(valor.texto);
}

bool SustituirFormulas(const QString& sql, const TablaFormulas& tabla, QString& resultado,
                       QString* error) {
    QString r;
    r.reserve(sql.size());
    const qsizetype n = sql.size();
    qsizetype i = 0;
    // Copia desde i hasta después del cierre (o hasta el final si no cierra).
    auto copiarHasta = [&](qsizetype desde, const QString& cierre) {
        const qsizetype fin = sql.indexOf(cierre, desde);
        const qsizetype hasta = fin < 0 ? n : fin + cierre.size();
        r += QStringView(sql).mid(i, hasta - i);
        i = hasta;
    };
    while (i < n) {
        const QChar c = sql[i];
        const QChar siguiente = i + 1 < n ? sql[i + 1] : QChar();
        if (c == u'\'') {
            // texto: '' es una comilla dentro del texto y se salta junto
            qsizetype j = i + 1;
            while (j < n && !(sql[j] == u'\'' && !(j + 1 < n && sql[j + 1] == u'\'')))
                j += sql[j] == u'\'' ? 2 : 1;
            const qsizetype hasta = j < n ? j + 1 : n;
            r += QStringView(sql).mid(i, hasta - i);
            i = hasta;
        } else if (c == u'"') {
            copiarHasta(i + 1, QStringLiteral("\""));
        } else if (c == u'-' && siguiente == u'-') {
            qsizetype j = i + 2;
            while (j < n && sql[j] != u'\n' && sql[j] != u'\r')
                ++j;
            r += QStringView(sql).mid(i, j - i);
            i = j;
        } else if (c == u'/' && siguiente == u'*') {
            copiarHasta(i + 2, QStringLiteral("*/"));
        } else if (c == u'{' && siguiente == u'@') {
            qsizetype j = i + 2;
            while (j < n && CaracterDeNombre(sql[j]))
                ++j;
            const QString nombre = sql.mid(i + 2, j - i - 2);
            if (j >= n || sql[j] != u'}' || !NombreFormulaValido(nombre)) {
                Anotar(error, QStringLiteral("la marca de fórmula \"%1\" está mal escrita: se "
                                             "esperaba {@nombre}")
                                  .arg(sql.mid(i, std::min<qsizetype>(j - i + 1, 40))));
                return false;
            }
            const ValorFormula* v = tabla.Buscar(nombre);
            if (!v) {
                Anotar(error, QStringLiteral("la consulta nombra la fórmula %1, que no tiene "
                                             "valor")
                                  .arg(nombre));
                return false;
            }
            r += LiteralSql(*v);
            i = j + 1;
        } else {
            r += c;
            ++i;
        }
    }
    resultado = r;
    return true;
}
