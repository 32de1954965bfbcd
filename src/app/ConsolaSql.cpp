#include "ConsolaSql.h"
#include "FyG_Sarvo.h"
#include "Recordset.h"
#include "VolcadoFilas.h"

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
bool Empieza(const QString& sentencia, const QString& palabra) {
    if (!sentencia.startsWith(palabra, Qt::CaseInsensitive))
        return false;
    return sentencia.size() == palabra.size() || sentencia.at(palabra.size()).isSpace() ||
           sentencia.at(palabra.size()) == QLatin1Char('(');
}
} // namespace

bool CorrerSentencia(const QString& sentencia, std::FILE* salida) {
    if (Empieza(sentencia, QStringLiteral("EXEC")))
        return EjecutarSQLSTP(sentencia.mid(4).trimmed());
    if (Empieza(sentencia, QStringLiteral("SELECT")) ||
        Empieza(sentencia, QStringLiteral("WITH"))) {
        Recordset rs;
        CargarRecordset(rs, sentencia, QString());
        if (!rs.Abierto())
            return false;
        const QByteArray filas = VolcadoFilas(rs, VolcadoFilas::Destino::Consola).Todo();
        std::fwrite(filas.constData(), 1, size_t(filas.size()), salida);
        std::fflush(salida);
        return true;
    }
    return EjecutarSQL(sentencia);
}
