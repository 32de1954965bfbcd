#include "LiteralSql.h"

QString LiteralSql(const QString& valor) {
    QString r;
    r.reserve(valor.size() + 2);
    r += QLatin1Char('\'');
    for (const QChar c : valor) {
        r += c;
        if (c == QLatin1Char('\''))
            r += c;
    }
    r += QLatin1Char('\'');
    return r;
}
