#include "TextoTablas.h"
#include "NumerosEs.h"
#include <QRegularExpression>

namespace TextoTablas {

namespace {

// Una tabla en líneas, con el separador dado y cada texto pasado por el arreglo:
// el título y la referencia (fecha y unidad), si los hay, y la grilla.
template <typename Arreglo>
QString Lineas(const TablaDatos& t, QChar separador, const QString& finLinea, Arreglo arreglar) {
    QString salida;
    for (const QString& renglon : {t.titulo, t.Referencia()})
        if (!renglon.isEmpty())
            salida += arreglar(renglon) + finLinea;
    const bool nombres = t.ConNombres();
    salida += arreglar(t.encabezadoCategorias);
    if (nombres)
        salida += separador + arreglar(t.encabezadoNombres);
    for (const QString& serie : t.series)
        salida += separador + arreglar(serie);
    salida += finLinea;
    for (int f = 0; f < t.Filas(); ++f) {
        salida += arreglar(t.categorias.at(f));
        if (nombres)
            salida += separador + arreglar(t.nombres.value(f));
        for (int c = 0; c < t.Series(); ++c) {
            salida += separador;
            const auto& v = t.valores[size_t(f)][size_t(c)];
            if (v)
                salida += NumerosEs::Plano(*v);
        }
        salida += finLinea;
    }
    return salida;
}

} // namespace

QString CampoCsv(const QString& texto) {
    const bool comillas = texto.contains(QLatin1Char(';')) || texto.contains(QLatin1Char('"')) ||
                          texto.contains(QLatin1Char('\n')) || texto.contains(QLatin1Char('\r')) ||
                          (!texto.isEmpty() && (texto.front().isSpace() || texto.back().isSpace()));
    if (!comillas)
        return texto;
    QString t = texto;
    t.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

QByteArray Csv(const std::vector<TablaDatos>& tablas) {
    QString texto;
    const QString crlf = QStringLiteral("\r\n");
    for (size_t i = 0; i < tablas.size(); ++i) {
        if (i > 0)
            texto += crlf;
        texto += Lineas(tablas[i], QLatin1Char(';'), crlf, CampoCsv);
    }
    return QByteArray("\xEF\xBB\xBF") + texto.toUtf8();
}

QString Tsv(const TablaDatos& tabla) {
    // Un tabulador o salto dentro de un texto partiría la celda.
    static const QRegularExpression corte(QStringLiteral("[\t\r\n]+"));
    return Lineas(tabla, QLatin1Char('\t'), QStringLiteral("\n"),
                  [](const QString& s) { return QString(s).replace(corte, QStringLiteral(" ")); });
}

} // namespace TextoTablas
