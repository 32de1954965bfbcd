#include "FechaTecleada.h"
#include <QLocale>
#include <QRegularExpression>

namespace {

const QString Ejemplo = QStringLiteral("por ejemplo 30/06/2024 o 30062024");

LecturaFecha Rechazo(const QString& motivo) {
    return {QDate(), motivo};
}

QString Texto(const QDate& fecha) {
    return fecha.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

LecturaFecha LeerFechaTecleada(const QString& texto, const QDate& minimo, const QDate& maximo) {
    const QString t = texto.trimmed();
    if (t.isEmpty())
        return Rechazo(QStringLiteral("Escriba la fecha entera: día, mes y año, ") + Ejemplo + '.');

    static const QRegularExpression conSeparadores(
        QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/.-](\\d{2}|\\d{4})$"));
    static const QRegularExpression sinSeparadores(
        QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})$"));
    QRegularExpressionMatch m = conSeparadores.match(t);
    if (!m.hasMatch())
        m = sinSeparadores.match(t);
    if (!m.hasMatch())
        return Rechazo(
            QStringLiteral("«%1» no es una fecha entera: escriba día, mes y año, ").arg(t) +
            Ejemplo + '.');
    const QString dia = m.captured(1);
    const QString mes = m.captured(2);
    const QString anio = m.captured(3);

    const int d = dia.toInt();
    const int n = mes.toInt();
    const int a = anio.size() == 2 ? 2000 + anio.toInt() : anio.toInt();
    if (n < 1 || n > 12)
        return Rechazo(
            QStringLiteral("«%1» no es una fecha: el mes %2 no existe (van del 1 al 12).")
                .arg(t, mes));
    if (!QDate(a, n, 1).isValid())
        return Rechazo(QStringLiteral("«%1» no es una fecha: el año %2 no existe.").arg(t, anio));
    const QLocale es(QLocale::Spanish, QLocale::Argentina);
    const int diasDelMes = QDate(a, n, 1).daysInMonth();
    if (d < 1 || d > diasDelMes)
        return Rechazo(QStringLiteral("«%1» no es una fecha: %2 de %3 tiene %4 días.")
                           .arg(t, es.standaloneMonthName(n, QLocale::LongFormat).toLower())
                           .arg(a)
                           .arg(diasDelMes));
    const QDate fecha(a, n, d);
    if ((minimo.isValid() && fecha < minimo) || (maximo.isValid() && fecha > maximo))
        return Rechazo(
            QStringLiteral("La fecha %1 está fuera de lo permitido: entre el %2 y el %3.")
                .arg(Texto(fecha), Texto(minimo), Texto(maximo)));
    return {fecha, QString()};
}
