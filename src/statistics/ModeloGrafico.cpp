#include "ModeloGrafico.h"
#include <QLocale>
#include <cmath>

namespace {

// Copia una matriz fila x columna a otro tamaño conservando lo que queda dentro.
template <typename T>
std::vector<T> Redimensionar(const std::vector<T>& viejo, int filasViejas, int columnasViejas,
                             int filas, int columnas, const T& relleno) {
    std::vector<T> nuevo(size_t(filas) * size_t(columnas), relleno);
    const int f = std::min(filas, filasViejas);
    const int c = std::min(columnas, columnasViejas);
    for (int i = 0; i < f; ++i)
        for (int j = 0; j < c; ++j)
            nuevo[size_t(i) * size_t(columnas) + size_t(j)] =
                viejo[size_t(i) * size_t(columnasViejas) + size_t(j)];
    return nuevo;
}

void RecortarOtros(std::map<std::pair<int, int>, QString>& m, int niveles, int cantidad) {
    for (auto it = m.begin(); it != m.end();) {
        if (it->first.first > niveles || it->first.second > cantidad)
            it = m.erase(it);
        else
            ++it;
    }
}

} // namespace

ModeloGrafico::ModeloGrafico() {
    SetSize(1, 1, FilasDiseno, SeriesDiseno);
}

void ModeloGrafico::SetSize(int nivelesRotuloFila, int nivelesRotuloColumna, int filas,
                            int columnas) {
    nivelesFila_ = std::max(0, nivelesRotuloFila);
    nivelesColumna_ = std::max(0, nivelesRotuloColumna);
    filas = std::max(0, filas);
    columnas = std::max(0, columnas);

    datos_ = Redimensionar(datos_, filas_, columnas_, filas, columnas, 0.0);
    nulos_ = Redimensionar(nulos_, filas_, columnas_, filas, columnas, quint8(0));
    rotulosFila_.resize(size_t(filas));
    nombresFila_.resize(size_t(filas));
    rotulosColumna_.resize(size_t(columnas));
    series_.resize(size_t(columnas));
    RecortarOtros(rotulosFilaOtros_, nivelesFila_, filas);
    RecortarOtros(rotulosColumnaOtros_, nivelesColumna_, columnas);
    filas_ = filas;
    columnas_ = columnas;
    if (columnaActual_ > columnas_)
        columnaActual_ = std::max(1, columnas_);
}

bool ModeloGrafico::CeldaValida(int fila, int columna) const {
    return fila >= 1 && fila <= filas_ && columna >= 1 && columna <= columnas_;
}

bool ModeloGrafico::SetData(int fila, int columna, double valor, int nulo) {
    if (!CeldaValida(fila, columna))
        return false;
    datos_[Indice(fila, columna)] = nulo ? 0.0 : valor;
    nulos_[Indice(fila, columna)] = nulo ? 1 : 0;
    return true;
}

double ModeloGrafico::Dato(int fila, int columna) const {
    return CeldaValida(fila, columna) ? datos_[Indice(fila, columna)] : 0.0;
}

bool ModeloGrafico::EsNulo(int fila, int columna) const {
    return CeldaValida(fila, columna) && nulos_[Indice(fila, columna)] != 0;
}

bool ModeloGrafico::SetRowLabel(int fila, int nivel, const QString& rotulo) {
    if (fila < 1 || fila > filas_ || nivel < 1 || nivel > std::max(1, nivelesFila_))
        return false;
    if (nivel == 1)
        rotulosFila_[size_t(fila - 1)] = rotulo;
    else
        rotulosFilaOtros_[{nivel, fila}] = rotulo;
    return true;
}

QString ModeloGrafico::RowLabel(int fila, int nivel) const {
    if (fila < 1 || fila > filas_)
        return {};
    if (nivel == 1)
        return rotulosFila_[size_t(fila - 1)];
    const auto it = rotulosFilaOtros_.find({nivel, fila});
    return it == rotulosFilaOtros_.end() ? QString() : it->second;
}

bool ModeloGrafico::PonerNombreFila(int fila, const QString& nombre) {
    if (fila < 1 || fila > filas_)
        return false;
    nombresFila_[size_t(fila - 1)] = nombre;
    return true;
}

QString ModeloGrafico::NombreFila(int fila) const {
    return fila < 1 || fila > filas_ ? QString() : nombresFila_[size_t(fila - 1)];
}

bool ModeloGrafico::SetColumn(int columna) {
    if (columna < 1 || columna > columnas_)
        return false;
    columnaActual_ = columna;
    return true;
}

bool ModeloGrafico::SetColumnLabel(const QString& rotulo, int nivel) {
    if (columnaActual_ < 1 || columnaActual_ > columnas_ || nivel < 1 ||
        nivel > std::max(1, nivelesColumna_))
        return false;
    if (nivel == 1)
        rotulosColumna_[size_t(columnaActual_ - 1)] = rotulo;
    else
        rotulosColumnaOtros_[{nivel, columnaActual_}] = rotulo;
    return true;
}

QString ModeloGrafico::ColumnLabel(int columna, int nivel) const {
    if (columna < 1 || columna > columnas_)
        return {};
    if (nivel == 1)
        return rotulosColumna_[size_t(columna - 1)];
    const auto it = rotulosColumnaOtros_.find({nivel, columna});
    return it == rotulosColumnaOtros_.end() ? QString() : it->second;
}

QStringList ModeloGrafico::NombresSeries() const {
    QStringList nombres;
    for (const QString& r : rotulosColumna_)
        nombres << r;
    return nombres;
}

void ModeloGrafico::GrillaDeCeros(int filas, int columnas) {
    SetSize(filas, columnas, filas, columnas);
    // Ceros sin categorías: nada de lo que había antes queda rotulado.
    rotulosFilaOtros_.clear();
    for (int f = 1; f <= filas; ++f) {
        rotulosFila_[size_t(f - 1)].clear();
        nombresFila_[size_t(f - 1)].clear();
        for (int c = 1; c <= columnas; ++c)
            SetData(f, c, 0, 0);
    }
}

void ModeloGrafico::NombrarSeries(const QStringList& nombres) {
    for (int c = 1; c <= int(nombres.size()); ++c)
        if (SetColumn(c))
            SetColumnLabel(nombres[c - 1]);
}

QString ModeloGrafico::FormatearPorcentaje(double fraccion, const QString& formato) {
    // Decimales: los ceros después del separador decimal del formato.
    int decimales = 0;
    const qsizetype punto = formato.indexOf(QLatin1Char('.'));
    if (punto >= 0)
        for (qsizetype i = punto + 1; i < formato.size() && formato[i] == QLatin1Char('0'); ++i)
            ++decimales;
    const double porcentaje = fraccion * 100.0;
    // Redondeo simétrico, como el formateo del sistema.
    const double escala = std::pow(10.0, decimales);
    const double redondeado = std::round(porcentaje * escala) / escala;
    const QLocale local(QLocale::Spanish, QLocale::Argentina);
    return local.toString(redondeado + 0.0, 'f', decimales).remove(local.groupSeparator()) +
           QLatin1Char('%');
}

QString ModeloGrafico::TextoRotulo(int fila, int columna) const {
    if (!CeldaValida(fila, columna))
        return {};
    const RotuloPuntos& r = series_[size_t(columna - 1)].rotulos;
    if (r.ubicacion == CodigoGrafico::RotuloNinguno || r.componentes == 0)
        return {};
    const QLocale local(QLocale::Spanish, QLocale::Argentina);
    QStringList partes;
    if (r.componentes & CodigoGrafico::ComponenteValor)
        partes << local.toString(Dato(fila, columna), 'g', 12);
    if (r.componentes & CodigoGrafico::ComponentePorcentaje) {
        double total = 0;
        if (r.serieBase >= 1 && r.serieBase <= columnas_)
            total = Dato(fila, r.serieBase);
        else
            for (int c = 1; c <= columnas_; ++c)
                total += Dato(fila, c);
        if (total != 0)
            partes << FormatearPorcentaje(Dato(fila, columna) / total, r.formatoPorcentaje.isEmpty()
                                                                           ? QStringLiteral("0%")
                                                                           : r.formatoPorcentaje);
    }
    if (r.componentes & CodigoGrafico::ComponenteSerie)
        partes << ColumnLabel(columna);
    if (r.componentes & CodigoGrafico::ComponentePunto)
        partes << RowLabel(fila);
    partes.removeAll(QString());
    return partes.join(QLatin1Char(' '));
}

void ModeloGrafico::RecetaEjeY(const QString& titulo, double tamanioFuente,
                               std::optional<bool> escalaAutomatica,
                               std::optional<int> divisiones) {
    EjeY.titulo = titulo;
    EjeY.tamanioFuente = tamanioFuente;
    if (escalaAutomatica)
        EjeY.escalaAutomatica = *escalaAutomatica;
    if (divisiones)
        EjeY.divisionesMayores = *divisiones;
}

void ModeloGrafico::RecetaLeyenda(std::optional<int> alineacion, std::optional<bool> ajusteLinea) {
    Leyenda.ubicacion = CodigoGrafico::LeyendaAbajo;
    if (alineacion)
        Leyenda.alineacion = *alineacion;
    if (ajusteLinea)
        Leyenda.ajusteLinea = *ajusteLinea;
}

void ModeloGrafico::RecetaMarcadores() {
    for (Serie& s : series_) {
        s.marcador.automatico = false;
        s.marcador.estilo = CodigoGrafico::MarcadorCirculoLleno;
        s.marcador.tamanio = 150;
    }
}

void ModeloGrafico::RecetaPorcentajes() {
    for (Serie& s : series_) {
        s.rotulos.ubicacion = CodigoGrafico::RotuloAfuera;
        s.rotulos.componentes = CodigoGrafico::ComponentePorcentaje;
        s.rotulos.formatoPorcentaje = QStringLiteral("0%");
        s.rotulos.tamanioFuente = 10;
    }
}
