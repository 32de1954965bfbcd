#include "TablaDatos.h"
#include "ModeloGrafico.h"
#include "NumerosEs.h"

std::vector<double> TablaDatos::Totales() const {
    std::vector<double> totales(size_t(Series()), 0.0);
    for (const auto& fila : valores)
        for (size_t c = 0; c < fila.size() && c < totales.size(); ++c)
            if (fila[c])
                totales[c] += *fila[c];
    return totales;
}

bool TablaDatos::ConNombres() const {
    for (const QString& n : nombres)
        if (!n.isEmpty())
            return true;
    return false;
}

QString TablaDatos::TextoFecha() const {
    if (sinDatos)
        return fecha.isValid() ? QStringLiteral("Sin datos al ") + NumerosEs::Fecha(fecha)
                               : QStringLiteral("Sin datos");
    return fecha.isValid() ? QStringLiteral("Cifras al ") + NumerosEs::Fecha(fecha) : QString();
}

QString TablaDatos::Referencia() const {
    const QString cuando = TextoFecha();
    if (sinDatos || unidad.isEmpty())
        return cuando;
    return cuando.isEmpty() ? QStringLiteral("Cifras ") + unidad
                            : cuando + QStringLiteral(", ") + unidad;
}

QString UnidadDeEje(const QString& tituloEje) {
    QString unidad = tituloEje;
    unidad.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
    unidad = unidad.simplified();
    if (unidad.isEmpty() || unidad.startsWith(QLatin1String("en "), Qt::CaseInsensitive))
        return unidad;
    return QStringLiteral("en ") + unidad.toLower();
}

int TablaDatos::Decimales(int serie) const {
    std::vector<double> columna;
    for (const auto& fila : valores)
        if (size_t(serie) < fila.size() && fila[size_t(serie)])
            columna.push_back(*fila[size_t(serie)]);
    return NumerosEs::DecimalesPara(columna.data(), qsizetype(columna.size()));
}

TablaDatos TablaDeGrafico(const ModeloGrafico& m) {
    TablaDatos t;
    t.titulo = m.TitleText;
    if (!m.TituloCategorias.isEmpty())
        t.encabezadoCategorias = m.TituloCategorias;
    t.unidad = UnidadDeEje(m.EjeY.titulo);
    t.fecha = m.FechaCifras;
    t.sinDatos = m.SinDatos;
    for (int c = 1; c <= m.ColumnCount(); ++c) {
        const QString nombre = m.ColumnLabel(c);
        t.series << (nombre.isEmpty() ? QStringLiteral("Serie %1").arg(c) : nombre);
    }
    for (int f = 1; f <= m.RowCount(); ++f) {
        t.categorias << m.RowLabel(f);
        t.nombres << m.NombreFila(f);
        std::vector<std::optional<double>> fila;
        for (int c = 1; c <= m.ColumnCount(); ++c)
            fila.push_back(m.EsNulo(f, c) ? std::nullopt : std::optional<double>(m.Dato(f, c)));
        t.valores.push_back(std::move(fila));
    }
    return t;
}
