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
    for (int c = 1; c <= m.ColumnCount(); ++c) {
        const QString nombre = m.ColumnLabel(c);
        t.series << (nombre.isEmpty() ? QStringLiteral("Serie %1").arg(c) : nombre);
    }
    for (int f = 1; f <= m.RowCount(); ++f) {
        t.categorias << m.RowLabel(f);
        std::vector<std::optional<double>> fila;
        for (int c = 1; c <= m.ColumnCount(); ++c)
            fila.push_back(m.EsNulo(f, c) ? std::nullopt : std::optional<double>(m.Dato(f, c)));
        t.valores.push_back(std::move(fila));
    }
    return t;
}
