#include "CodigoAcceso.h"

QString CodigoAccesoDelDia(const QDate& fecha) {
    if (!fecha.isValid())
        return QString();
    // Generador de Lehmer (48271, 2^31 - 1) aplicado a aaaammdd; los seis
    // dígitos finales, con ceros a la izquierda.
    const qint64 aaaammdd = qint64(fecha.year()) * 10000 + fecha.month() * 100 + fecha.day();
    const qint64 mezcla = (aaaammdd * 48271) % 2147483647;
    return QStringLiteral("%1").arg(mezcla % 1000000, 6, 10, QLatin1Char('0'));
}

QDate FechaDesdeTexto(const QString& texto) {
    const QStringList partes = texto.trimmed().split(QLatin1Char('/'));
    if (partes.size() != 3 || partes[2].size() != 4)
        return QDate();
    int numeros[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString& p = partes[i];
        if (p.isEmpty() || p.size() > 4)
            return QDate();
        for (const QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QDate();
        numeros[i] = p.toInt();
    }
    if (partes[0].size() > 2 || partes[1].size() > 2)
        return QDate();
    return QDate(numeros[2], numeros[1], numeros[0]); // inválida si no existe
}
