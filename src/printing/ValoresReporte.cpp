// Texto de cada campo, total y porcentaje de una banda colocada.
#include "PintorReporte.h"

namespace {

QVariant ValorDeTotal(const Corrida& c, const Elemento& e, int grupo) {
    const Diagramacion& d = c.diagramacion;
    if (e.funcion == Funcion::Cuenta && e.columna.isEmpty())
        return QVariant(qlonglong(d.FilasDe(grupo)));
    const Acumulado& a = d.AcumuladoDe(grupo, d.IndiceTotal(e.columna));
    switch (e.funcion) {
    case Funcion::Suma:
        if (a.enteros && std::abs(a.suma) < 9e15)
            return QVariant(qlonglong(a.suma));
        return QVariant(a.suma);
    case Funcion::Cuenta:
        return QVariant(qlonglong(a.cuenta));
    case Funcion::Promedio:
        return a.cuenta ? QVariant(a.suma / double(a.cuenta)) : QVariant();
    case Funcion::Minimo:
    case Funcion::Maximo: {
        if (!a.cuenta)
            return {};
        const double v = e.funcion == Funcion::Minimo ? a.minimo : a.maximo;
        return a.enteros && std::abs(v) < 9e15 ? QVariant(qlonglong(v)) : QVariant(v);
    }
    }
    return {};
}

// Porcentaje del valor de la fila (o de la suma del grupo) sobre la suma del
// grupo que la contiene o del reporte.
QVariant ValorDePorcentaje(const Corrida& c, const Elemento& e, const Colocacion& col) {
    const Diagramacion& d = c.diagramacion;
    const int indice = d.IndiceTotal(e.columna);
    const TipoBanda tipo = c.definicion->bandas[size_t(col.banda)].tipo;
    double parte = 0;
    int contenedor = -1;
    if (tipo == TipoBanda::Detalle) {
        bool ok = true;
        const auto v = NumeroDe(c.datos->Valor(col.fila, c.columnas.value(&e, -1)), ok);
        if (!v)
            return {};
        parte = *v;
        contenedor = col.grupo;
    } else {
        parte = d.AcumuladoDe(col.grupo, indice).suma;
        contenedor = col.grupo >= 0 ? d.grupos[size_t(col.grupo)].padre : -1;
    }
    if (e.ambito == Ambito::Reporte)
        contenedor = -1;
    const double total = d.AcumuladoDe(contenedor, indice).suma;
    if (total == 0)
        return {};
    return QVariant(100.0 * parte / total);
}

QString TextoDeFormula(const Elemento& e, const ContextoPagina& contexto) {
    const ValorFormula* v = contexto.formulas ? contexto.formulas->Buscar(e.formula) : nullptr;
    if (!v)
        return {};
    if (!v->esTexto && e.formatoCompilado.EsDeNumero())
        return e.formatoCompilado.Aplicar(v->numero);
    return v->texto;
}

} // namespace

QString TextoDeElemento(const Corrida& c, const Elemento& e, const Colocacion& col,
                        const ContextoPagina& contexto) {
    QString texto;
    switch (e.tipo) {
    case TipoElemento::Texto:
        return e.texto;
    case TipoElemento::Campo:
        switch (e.especial) {
        case Especial::Ninguno:
            texto = e.formula.isEmpty()
                        ? e.formatoCompilado.Aplicar(c.datos->Valor(col.fila, c.columnas.value(&e)))
                        : TextoDeFormula(e, contexto);
            break;
        case Especial::Pagina:
            texto = QString::number(contexto.pagina);
            break;
        case Especial::TotalPaginas:
            texto = QString::number(contexto.paginas);
            break;
        case Especial::PaginaNdeM:
            texto = QStringLiteral("Página %1 de %2").arg(contexto.pagina).arg(contexto.paginas);
            break;
        case Especial::FechaImpresion:
        case Especial::HoraImpresion:
            texto = e.formatoCompilado.Aplicar(contexto.momento);
            break;
        }
        break;
    case TipoElemento::Total:
        texto = e.formatoCompilado.Aplicar(ValorDeTotal(c, e, col.grupo));
        break;
    case TipoElemento::Porcentaje:
        texto = e.formatoCompilado.Aplicar(ValorDePorcentaje(c, e, col));
        break;
    default:
        return {};
    }
    if (texto.isEmpty())
        return texto;
    return e.prefijo + texto + e.sufijo;
}
