#include "NumerosEs.h"
#include <QLocale>
#include <algorithm>
#include <cmath>

namespace NumerosEs {

QString Mostrar(double valor, int decimales) {
    static const QLocale es(QLocale::Spanish, QLocale::Argentina);
    if (!std::isfinite(valor))
        return QString();
    // Sin "-0,00" por un resto de redondeo.
    const double escala = std::pow(10.0, decimales);
    if (std::round(std::abs(valor) * escala) == 0)
        valor = 0;
    return es.toString(valor, 'f', decimales);
}

QString Plano(double valor) {
    if (!std::isfinite(valor))
        return QString();
    if (valor == 0)
        return QStringLiteral("0");
    // Quince cifras significativas, en notación fija.
    const int magnitud = int(std::floor(std::log10(std::abs(valor))));
    const int decimales = std::clamp(14 - magnitud, 0, 30);
    QString t = QString::number(valor, 'f', decimales);
    if (t.contains(QLatin1Char('.'))) {
        while (t.endsWith(QLatin1Char('0')))
            t.chop(1);
        if (t.endsWith(QLatin1Char('.')))
            t.chop(1);
    }
    if (t == QLatin1String("-0"))
        return QStringLiteral("0");
    t.replace(QLatin1Char('.'), QLatin1Char(','));
    return t;
}

QString Exacto(double valor) {
    const QString plano = Plano(valor);
    const qsizetype coma = plano.indexOf(QLatin1Char(','));
    return Mostrar(valor, coma < 0 ? 0 : int(plano.size() - coma - 1));
}

QString Fecha(const QDate& fecha) {
    return fecha.isValid() ? fecha.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

int DecimalesPara(const double* valores, qsizetype cantidad) {
    for (qsizetype i = 0; i < cantidad; ++i)
        if (std::isfinite(valores[i]) && valores[i] != std::floor(valores[i]))
            return 2;
    return 0;
}

} // namespace NumerosEs
