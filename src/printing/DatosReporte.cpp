#include "DatosReporte.h"
#include "ClaveNombre.h"
#include <cmath>

QVariant DatosRecordset::Valor(int fila, int columna) const {
    if (fila < 0 || fila >= rs_.RecordCount())
        return {};
    if (rs_.PosicionActual() > fila)
        rs_.MoveFirst();
    while (rs_.PosicionActual() < fila)
        rs_.MoveNext();
    return rs_.Valor(columna);
}

int DatosEnMemoria::Columna(const QString& nombre) const {
    for (int i = 0; i < columnas_.size(); ++i)
        if (MismoNombre(columnas_[i], nombre))
            return i;
    return -1;
}

QVariant DatosEnMemoria::Valor(int fila, int columna) const {
    if (fila < 0 || size_t(fila) >= filas_.size() || columna < 0)
        return {};
    const auto& f = filas_[size_t(fila)];
    return size_t(columna) < f.size() ? f[size_t(columna)] : QVariant();
}

std::optional<double> NumeroDe(const QVariant& valor, bool& ok) {
    ok = true;
    if (!valor.isValid() || valor.isNull())
        return std::nullopt;
    switch (valor.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::Double:
    case QMetaType::ULongLong:
    case QMetaType::UInt:
    case QMetaType::Float:
    case QMetaType::Short:
    case QMetaType::Bool:
        return valor.toDouble();
    case QMetaType::QString: {
        const double d = valor.toString().trimmed().toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
        break;
    }
    default:
        break;
    }
    ok = false;
    return std::nullopt;
}
