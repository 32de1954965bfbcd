#include "CadenaConexion.h"
#include <QStringList>

namespace {

bool EsClave(const AtributoConexion& a, QLatin1StringView clave) {
    return a.clave.compare(clave, Qt::CaseInsensitive) == 0;
}

// Valor entre llaves desde la posición k (la de la llave de apertura); deja k
// después de la llave de cierre.
QString ValorEntreLlaves(const QString& cadena, qsizetype& k) {
    const qsizetype n = cadena.size();
    QString valor;
    ++k;
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
    return valor;
}

} // namespace

std::vector<AtributoConexion> SepararAtributos(const QString& cadena) {
    std::vector<AtributoConexion> r;
    const qsizetype n = cadena.size();
    qsizetype i = 0;
    while (i < n) {
        if (cadena[i] == u';') {
            ++i;
            continue;
        }
        AtributoConexion a;
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
        qsizetype k = j + 1;
        while (k < n && cadena[k] == u' ')
            ++k;
        if (k < n && cadena[k] == u'{') {
            a.valor = ValorEntreLlaves(cadena, k);
        } else {
            k = j + 1;
            while (k < n && cadena[k] != u';')
                ++k;
            a.valor = cadena.mid(j + 1, k - j - 1);
        }
        // Lo que sigue a la llave de cierre no es parte del valor.
        while (k < n && cadena[k] != u';')
            ++k;
        i = k;
        r.push_back(a);
    }
    return r;
}

std::optional<QString> ValorAtributo(const std::vector<AtributoConexion>& atributos,
                                     QLatin1StringView clave) {
    for (const auto& a : atributos)
        if (EsClave(a, clave))
            return a.valor;
    return std::nullopt;
}

std::optional<QString> ProveedorNoOdbc(const std::vector<AtributoConexion>& atributos) {
    for (const auto& a : atributos) {
        if (!EsClave(a, QLatin1String("Provider")))
            continue;
        const QString proveedor = a.valor.trimmed();
        if (proveedor.compare(QLatin1String("MSDASQL"), Qt::CaseInsensitive) != 0 &&
            !proveedor.startsWith(QLatin1String("MSDASQL."), Qt::CaseInsensitive))
            return proveedor;
    }
    return std::nullopt;
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
