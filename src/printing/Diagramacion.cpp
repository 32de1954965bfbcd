#include "Diagramacion.h"
#include "ClaveNombre.h"
#include <limits>

void Acumulado::Agregar(double v, bool entero) {
    enteros = enteros && entero;
    if (cuenta == 0 || v < minimo)
        minimo = v;
    if (cuenta == 0 || v > maximo)
        maximo = v;
    suma += v;
    ++cuenta;
}

int Diagramacion::IndiceTotal(const QString& columna) const {
    for (int i = 0; i < columnasTotales.size(); ++i)
        if (MismoNombre(columnasTotales[i], columna))
            return i;
    return -1;
}

const Acumulado& Diagramacion::AcumuladoDe(int grupo, int indiceTotal) const {
    static const Acumulado vacio;
    if (indiceTotal < 0 || indiceTotal >= columnasTotales.size())
        return vacio;
    if (grupo < 0)
        return reporte[size_t(indiceTotal)];
    return acumulados[size_t(grupo) * size_t(columnasTotales.size()) + size_t(indiceTotal)];
}

qint64 Diagramacion::FilasDe(int grupo) const {
    if (grupo < 0 || size_t(grupo) >= grupos.size())
        return filas;
    return qint64(grupos[size_t(grupo)].ultima) - grupos[size_t(grupo)].primera + 1;
}

namespace {

class Diagramador {
public:
    Diagramador(const Definicion& d, const FuenteDatos& datos, const std::vector<qreal>& altos,
                bool continuo, Diagramacion& r, ErrorDefinicion& error)
        : d_(d), datos_(datos), altos_(altos), continuo_(continuo), r_(r), error_(error) {}

    bool Hacer();

private:
    bool Fallar(int linea, const QString& mensaje) {
        error_ = {d_.archivo, linea, mensaje};
        return false;
    }
    bool ResolverColumnas();
    bool Acumular(int fila);
    qreal Alto(int banda) const { return banda >= 0 ? altos_[size_t(banda)] : 0; }
    void NuevaPagina(int fila);
    void CerrarPagina();
    void Poner(int banda, int fila, int grupo);
    void Colocar(int banda, int fila, int grupo);
    void AbrirGrupos(int nivel, int fila);
    void CerrarGrupos(int nivel);

    const Definicion& d_;
    const FuenteDatos& datos_;
    const std::vector<qreal>& altos_;
    const bool continuo_;
    Diagramacion& r_;
    ErrorDefinicion& error_;

    std::vector<int> columnasGrupo_;
    std::vector<int> columnasTotal_;
    std::vector<int> abiertos_; // instancia abierta de cada nivel
    int nivelesConEncabezado_ = 0;
    qreal y_ = 0;
    qreal limite_ = 0;
    bool cuerpoVacio_ = true;
    int ultimaFila_ = -1;
};

bool Diagramador::ResolverColumnas() {
    for (const Grupo& g : d_.grupos) {
        const int c = datos_.Columna(g.columna);
        if (c < 0)
            return Fallar(g.linea, QStringLiteral("la columna %1 del grupo no está en los datos "
                                                  "de la consulta")
                                       .arg(g.columna));
        columnasGrupo_.push_back(c);
    }
    for (const Banda& b : d_.bandas)
        for (const Elemento& e : b.elementos) {
            if ((e.tipo != TipoElemento::Total && e.tipo != TipoElemento::Porcentaje) ||
                e.columna.isEmpty() || r_.IndiceTotal(e.columna) >= 0)
                continue;
            const int c = datos_.Columna(e.columna);
            if (c < 0)
                return Fallar(e.linea, QStringLiteral("la columna %1 no está en los datos de la "
                                                      "consulta")
                                           .arg(e.columna));
            r_.columnasTotales << e.columna;
            columnasTotal_.push_back(c);
        }
    r_.reporte.assign(size_t(r_.columnasTotales.size()), Acumulado());
    return true;
}

bool Diagramador::Acumular(int fila) {
    const size_t n = columnasTotal_.size();
    for (size_t c = 0; c < n; ++c) {
        bool ok = true;
        const QVariant valor = datos_.Valor(fila, columnasTotal_[c]);
        const auto v = NumeroDe(valor, ok);
        if (!ok)
            return Fallar(0, QStringLiteral("la columna %1 se suma y no es numérica (fila %2: "
                                            "\"%3\")")
                                 .arg(r_.columnasTotales[int(c)])
                                 .arg(fila + 1)
                                 .arg(valor.toString().left(40)));
        if (!v)
            continue;
        const bool entero =
            valor.typeId() == QMetaType::LongLong || valor.typeId() == QMetaType::Int;
        r_.reporte[c].Agregar(*v, entero);
        for (int instancia : abiertos_)
            r_.acumulados[size_t(instancia) * n + c].Agregar(*v, entero);
    }
    return true;
}

void Diagramador::NuevaPagina(int fila) {
    r_.paginas.emplace_back();
    y_ = 0;
    if (r_.paginas.size() == 1 && d_.encabezadoReporte >= 0)
        Poner(d_.encabezadoReporte, fila, -1);
    if (!continuo_ && d_.encabezadoPagina >= 0)
        Poner(d_.encabezadoPagina, fila, -1);
    // los grupos que siguen abiertos repiten su encabezado si lo piden
    for (int k = 0; k < nivelesConEncabezado_; ++k) {
        const Grupo& g = d_.grupos[size_t(k)];
        if (g.repetirEncabezado && g.encabezado >= 0)
            Poner(g.encabezado, r_.grupos[size_t(abiertos_[size_t(k)])].primera,
                  abiertos_[size_t(k)]);
    }
    cuerpoVacio_ = true;
}

void Diagramador::CerrarPagina() {
    if (!continuo_ && d_.piePagina >= 0) {
        const qreal y = d_.AltoUtil() - Alto(d_.piePagina);
        r_.paginas.back().push_back({d_.piePagina, ultimaFila_, -1, float(y)});
    }
}

void Diagramador::Poner(int banda, int fila, int grupo) {
    r_.paginas.back().push_back({banda, fila, grupo, float(y_)});
    y_ += Alto(banda);
}

// Pone una banda del cuerpo; si no entra, pasa a una página nueva. En una
// página sin nada del cuerpo entra siempre: así la diagramación termina.
void Diagramador::Colocar(int banda, int fila, int grupo) {
    if (banda < 0)
        return;
    if (y_ + Alto(banda) > limite_ + 0.01 && !cuerpoVacio_) {
        CerrarPagina();
        NuevaPagina(fila);
    }
    Poner(banda, fila, grupo);
    cuerpoVacio_ = false;
    if (fila >= 0)
        ultimaFila_ = fila;
}

void Diagramador::AbrirGrupos(int nivel, int fila) {
    const int niveles = int(d_.grupos.size());
    // el encabezado no queda solo al pie: con él, los de adentro y una fila
    qreal necesario = Alto(d_.detalle);
    for (int k = nivel; k < niveles; ++k)
        necesario += Alto(d_.grupos[size_t(k)].encabezado);
    nivelesConEncabezado_ = nivel;
    const bool saltar = !cuerpoVacio_ && (y_ + necesario > limite_ + 0.01 ||
                                          (fila > 0 && d_.grupos[size_t(nivel)].nuevaPagina));
    if (saltar) {
        CerrarPagina();
        NuevaPagina(fila);
    }
    for (int k = nivel; k < niveles; ++k) {
        InstanciaGrupo g;
        g.nivel = k;
        g.primera = g.ultima = fila;
        g.padre = k > 0 ? abiertos_[size_t(k - 1)] : -1;
        abiertos_[size_t(k)] = int(r_.grupos.size());
        r_.grupos.push_back(g);
        r_.acumulados.resize(r_.acumulados.size() + size_t(r_.columnasTotales.size()));
        Colocar(d_.grupos[size_t(k)].encabezado, fila, abiertos_[size_t(k)]);
        nivelesConEncabezado_ = k + 1;
    }
}

void Diagramador::CerrarGrupos(int nivel) {
    for (int k = int(d_.grupos.size()) - 1; k >= nivel; --k) {
        const int instancia = abiertos_[size_t(k)];
        nivelesConEncabezado_ = k + 1;
        Colocar(d_.grupos[size_t(k)].pie, r_.grupos[size_t(instancia)].ultima, instancia);
        nivelesConEncabezado_ = k;
    }
}

bool Diagramador::Hacer() {
    r_ = Diagramacion();
    if (!ResolverColumnas())
        return false;
    r_.filas = datos_.Filas();
    limite_ = continuo_ ? std::numeric_limits<qreal>::max() : d_.AltoUtil() - Alto(d_.piePagina);
    const int niveles = int(d_.grupos.size());
    abiertos_.assign(size_t(niveles), -1);
    std::vector<QVariant> claves(static_cast<size_t>(niveles));
    NuevaPagina(r_.filas > 0 ? 0 : -1);
    for (int fila = 0; fila < r_.filas; ++fila) {
        // primer nivel cuyo valor cambió respecto de la fila anterior
        int corte = fila == 0 ? 0 : niveles;
        for (int k = 0; k < niveles; ++k) {
            QVariant clave = datos_.Valor(fila, columnasGrupo_[size_t(k)]);
            if (clave != claves[size_t(k)] && corte > k)
                corte = k;
            claves[size_t(k)] = std::move(clave);
        }
        if (fila > 0 && corte < niveles)
            CerrarGrupos(corte);
        if (corte < niveles)
            AbrirGrupos(corte, fila);
        for (int instancia : abiertos_)
            r_.grupos[size_t(instancia)].ultima = fila;
        if (!Acumular(fila))
            return false;
        Colocar(d_.detalle, fila, niveles > 0 ? abiertos_.back() : -1);
    }
    if (r_.filas > 0)
        CerrarGrupos(0);
    Colocar(d_.pieReporte, r_.filas - 1, -1);
    CerrarPagina();
    r_.altoContenido = y_;
    return true;
}

} // namespace

bool Diagramar(const Definicion& d, const FuenteDatos& datos, const std::vector<qreal>& altos,
               bool continuo, Diagramacion& r, ErrorDefinicion& error) {
    Diagramador diagramador(d, datos, altos, continuo, r, error);
    return diagramador.Hacer();
}
