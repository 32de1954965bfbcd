#include "LectorDefinicion.h"

namespace {

const qreal Tolerancia = 0.01; // puntos

QString NombreElemento(TipoElemento t) {
    static const char* const nombres[] = {"texto", "campo", "total",  "porcentaje",
                                          "linea", "caja",  "imagen", "subreporte"};
    return QStringLiteral("<%1>").arg(QLatin1String(nombres[int(t)]));
}

QString Mm(qreal puntos) {
    return QString::number(puntos / PuntosPorMm, 'f', 1).replace(u'.', u',');
}

bool AdmiteTotal(TipoBanda t) {
    return t == TipoBanda::EncabezadoGrupo || t == TipoBanda::PieGrupo ||
           t == TipoBanda::EncabezadoReporte || t == TipoBanda::PieReporte;
}

bool AdmitePorcentaje(TipoBanda t) {
    return t == TipoBanda::Detalle || t == TipoBanda::EncabezadoGrupo || t == TipoBanda::PieGrupo;
}

} // namespace

bool ValidarDefinicion(Definicion& d, qreal contenedor, ErrorDefinicion& error,
                       const Definicion* padre) {
    auto falla = [&](int linea, const QString& mensaje) {
        error = {d.archivo, linea, mensaje};
        return false;
    };
    const qreal ancho = contenedor > 0 ? contenedor : d.AnchoUtil();
    auto alto = [&](int banda) { return banda >= 0 ? d.bandas[size_t(banda)].alto : 0.0; };

    if (!d.esSubreporte) {
        const qreal cuerpo = d.AltoUtil() - alto(d.encabezadoPagina) - alto(d.piePagina);
        if (cuerpo < PuntosPorMm * 5) {
            const int banda = d.encabezadoPagina >= 0 ? d.encabezadoPagina : d.piePagina;
            return falla(d.bandas[size_t(banda)].linea,
                         QStringLiteral("el encabezado y el pie de página no dejan lugar para "
                                        "el resto en la hoja"));
        }
        for (const Banda& b : d.bandas) {
            if (b.tipo == TipoBanda::EncabezadoPagina || b.tipo == TipoBanda::PiePagina ||
                b.alto <= cuerpo + Tolerancia)
                continue;
            return falla(b.linea, QStringLiteral("la banda mide %1 mm y en la hoja quedan %2 mm "
                                                 "entre el encabezado y el pie de página")
                                      .arg(Mm(b.alto), Mm(cuerpo)));
        }
    }

    for (Banda& b : d.bandas) {
        for (Elemento& e : b.elementos) {
            const QString nombre = NombreElemento(e.tipo);
            if (e.tipo == TipoElemento::Linea) {
                if (e.caja.right() > ancho + Tolerancia || e.caja.bottom() > b.alto + Tolerancia)
                    return falla(e.linea, QStringLiteral("la línea se sale de la banda (%1 × %2 "
                                                         "mm)")
                                              .arg(Mm(ancho), Mm(b.alto)));
                continue;
            }
            if (e.caja.width() < 0)
                e.caja.setWidth(ancho - e.caja.x());
            if (e.caja.height() < 0)
                e.caja.setHeight(b.alto - e.caja.y());
            if (e.caja.width() <= Tolerancia || e.caja.height() <= Tolerancia)
                return falla(e.linea, QStringLiteral("%1 no tiene lugar: su ancho o su alto es "
                                                     "cero")
                                          .arg(nombre));
            if (e.caja.right() > ancho + Tolerancia || e.caja.bottom() > b.alto + Tolerancia)
                return falla(e.linea,
                             QStringLiteral("%1 se sale de la banda: llega a x=%2, y=%3 mm y la "
                                            "banda mide %4 × %5 mm")
                                 .arg(nombre, Mm(e.caja.right()), Mm(e.caja.bottom()), Mm(ancho),
                                      Mm(b.alto)));
            if (e.tipo == TipoElemento::Total && !AdmiteTotal(b.tipo))
                return falla(e.linea, QStringLiteral("un total va en un encabezado o pie de "
                                                     "grupo o de reporte"));
            if (e.tipo == TipoElemento::Porcentaje) {
                if (!AdmitePorcentaje(b.tipo))
                    return falla(e.linea, QStringLiteral("un porcentaje va en el detalle o en "
                                                         "un encabezado o pie de grupo"));
                const bool hayGrupo =
                    b.tipo == TipoBanda::Detalle ? !d.grupos.empty() : b.grupo > 0;
                if (e.ambito == Ambito::Grupo && !hayGrupo)
                    return falla(e.linea, QStringLiteral("de=\"grupo\" necesita un grupo que "
                                                         "contenga a esta banda"));
            }
            if (!e.formula.isEmpty() && !d.BuscarFormula(e.formula) &&
                !(padre && padre->BuscarFormula(e.formula)))
                return falla(e.linea, QStringLiteral("la fórmula %1 no está declarada: se "
                                                     "esperaba <formula nombre=\"%1\"/>")
                                          .arg(e.formula));
            if (e.tipo == TipoElemento::Subreporte) {
                Subreporte& s = d.subreportes[size_t(e.subreporte)];
                if (s.definicion && !ValidarDefinicion(*s.definicion, e.caja.width(), error, &d))
                    return false;
            }
        }
    }
    return true;
}
