#include "DefinicionReporte.h"
#include "ClaveNombre.h"

QSizeF Definicion::TamanoPagina() const {
    // en milímetros: en puntos QPageSize redondea (A4 daría 209,9 mm de ancho)
    const QSizeF s = QPageSize(papel).size(QPageSize::Millimeter) * PuntosPorMm;
    return orientacion == QPageLayout::Landscape ? s.transposed() : s;
}

qreal Definicion::AnchoUtil() const {
    return TamanoPagina().width() - margenes.left() - margenes.right();
}

qreal Definicion::AltoUtil() const {
    return TamanoPagina().height() - margenes.top() - margenes.bottom();
}

const DeclaracionFormula* Definicion::BuscarFormula(const QString& nombre) const {
    for (const auto& f : formulas)
        if (MismoNombre(f.nombre, nombre))
            return &f;
    return nullptr;
}

int Definicion::BuscarSubreporte(const QString& nombre) const {
    for (size_t i = 0; i < subreportes.size(); ++i)
        if (MismoNombre(subreportes[i].nombre, nombre))
            return int(i);
    return -1;
}

QString ErrorDefinicion::Texto() const {
    if (linea <= 0)
        return archivo + QStringLiteral(": ") + mensaje;
    return QStringLiteral("%1, línea %2: %3").arg(archivo).arg(linea).arg(mensaje);
}
