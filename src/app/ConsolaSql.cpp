#include "ConsolaSql.h"
#include "FyG_Sarvo.h"
#include "Recordset.h"
#include <QDateTime>
#include <QRegularExpression>

QStringList SepararSentencias(const QString& entrada) {
    QStringList sentencias;
    QStringList actual;
    const auto cerrar = [&] {
        const QString s = actual.join(QLatin1Char('\n')).trimmed();
        if (!s.isEmpty())
            sentencias << s;
        actual.clear();
    };
    for (const QString& linea : entrada.split(QLatin1Char('\n'))) {
        QString l = linea;
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
        if (l.trimmed() == QLatin1String("/"))
            cerrar();
        else
            actual << l;
    }
    cerrar();
    return sentencias;
}

namespace {
QString TextoDeValor(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    QString t;
    switch (v.typeId()) {
    case QMetaType::QDate:
        t = v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        break;
    case QMetaType::QDateTime:
        t = v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        break;
    case QMetaType::Double:
        t = QString::number(v.toDouble(), 'g', 15);
        break;
    default:
        t = v.toString();
    }
    // Un valor no puede partir la línea ni el campo.
    static const QRegularExpression corte(QStringLiteral("[\t\r\n]+"));
    return t.replace(corte, QStringLiteral(" "));
}

bool Empieza(const QString& sentencia, const QString& palabra) {
    if (!sentencia.startsWith(palabra, Qt::CaseInsensitive))
        return false;
    return sentencia.size() == palabra.size() || sentencia.at(palabra.size()).isSpace() ||
           sentencia.at(palabra.size()) == QLatin1Char('(');
}
} // namespace

QString LineaDeFila(const Recordset& rs) {
    QStringList campos;
    for (int i = 0; i < rs.CantidadCampos(); ++i)
        campos << TextoDeValor(rs.Valor(i));
    return campos.join(QLatin1Char('\t'));
}

bool CorrerSentencia(const QString& sentencia, QTextStream& salida) {
    if (Empieza(sentencia, QStringLiteral("EXEC")))
        return EjecutarSQLSTP(sentencia.mid(4).trimmed());
    if (Empieza(sentencia, QStringLiteral("SELECT")) ||
        Empieza(sentencia, QStringLiteral("WITH"))) {
        Recordset rs;
        CargarRecordset(rs, sentencia, QString());
        if (!rs.Abierto())
            return false;
        salida << rs.NombresCampos().join(QLatin1Char('\t')) << '\n';
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            salida << LineaDeFila(rs) << '\n';
        salida.flush();
        return true;
    }
    return EjecutarSQL(sentencia);
}
