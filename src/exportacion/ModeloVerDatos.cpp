#include "ModeloVerDatos.h"
#include "NumerosEs.h"
#include <QCollator>
#include <QLocale>
#include <algorithm>
#include <numeric>

ModeloVerDatos::ModeloVerDatos(TablaDatos tabla, QObject* padre)
    : QAbstractTableModel(padre), tabla_(std::move(tabla)) {
    orden_.resize(size_t(tabla_.Filas()));
    std::iota(orden_.begin(), orden_.end(), 0);
    totales_ = tabla_.Totales();
    conNombres_ = tabla_.ConNombres();
}

int ModeloVerDatos::rowCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : tabla_.Filas() + 1;
}

int ModeloVerDatos::columnCount(const QModelIndex& padre) const {
    return padre.isValid() ? 0 : tabla_.Series() + Primera();
}

QVariant ModeloVerDatos::data(const QModelIndex& indice, int rol) const {
    if (!indice.isValid())
        return {};
    const int fila = indice.row();
    const int columna = indice.column();
    const bool total = EsFilaTotal(fila);
    if (rol == Qt::TextAlignmentRole)
        return columna < Primera() ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                   : int(Qt::AlignRight | Qt::AlignVCenter);
    if (rol != Qt::DisplayRole)
        return {};
    if (columna == 0)
        return total ? QStringLiteral("Total") : tabla_.categorias.at(orden_[size_t(fila)]);
    if (columna < Primera())
        return total ? QString() : tabla_.nombres.value(orden_[size_t(fila)]);
    const int serie = columna - Primera();
    const int decimales = tabla_.Decimales(serie);
    if (total)
        return NumerosEs::Mostrar(totales_[size_t(serie)], decimales);
    const auto& v = tabla_.valores[size_t(orden_[size_t(fila)])][size_t(serie)];
    return v ? NumerosEs::Mostrar(*v, decimales) : QString();
}

QVariant ModeloVerDatos::headerData(int seccion, Qt::Orientation orientacion, int rol) const {
    if (rol != Qt::DisplayRole || orientacion != Qt::Horizontal)
        return QAbstractTableModel::headerData(seccion, orientacion, rol);
    if (seccion == 0)
        return tabla_.encabezadoCategorias;
    return seccion < Primera() ? tabla_.encabezadoNombres
                               : tabla_.series.value(seccion - Primera());
}

void ModeloVerDatos::sort(int columna, Qt::SortOrder orden) {
    if (columna < 0 || columna >= columnCount())
        return;
    emit layoutAboutToBeChanged();
    const bool asc = orden == Qt::AscendingOrder;
    if (columna < Primera()) {
        const QStringList& textos = columna == 0 ? tabla_.categorias : tabla_.nombres;
        QCollator cotejo(QLocale(QLocale::Spanish, QLocale::Argentina));
        cotejo.setNumericMode(true);
        std::stable_sort(orden_.begin(), orden_.end(), [&](int a, int b) {
            const int r = cotejo.compare(textos.value(a), textos.value(b));
            return asc ? r < 0 : r > 0;
        });
    } else {
        const size_t s = size_t(columna - Primera());
        std::stable_sort(orden_.begin(), orden_.end(), [&](int a, int b) {
            const auto& va = tabla_.valores[size_t(a)][s];
            const auto& vb = tabla_.valores[size_t(b)][s];
            if (!va || !vb)
                return va.has_value() && !vb.has_value(); // vacíos al final
            return asc ? *va < *vb : *va > *vb;
        });
    }
    emit layoutChanged();
}
