#include "ArbolMenu.h"
#include "LogicaInicio.h"
#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Botones de la barra de tareas frecuentes: se ven si el usuario tiene acceso.
bool EsFrecuente(int codigo) {
    return std::any_of(TareasFrecuentes.begin(), TareasFrecuentes.end(),
                       [codigo](const TareaFrecuente& t) { return t.codigo == codigo; });
}

// Número del item de un nodo: los dos primeros caracteres del tag.
double NumeroItem(const NodoMenu* nodo) {
    return ValorTexto(nodo->tag.left(2));
}

} // namespace

double ValorTexto(const QString& texto) {
    QString limpio;
    limpio.reserve(texto.size());
    for (QChar c : texto)
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t') && c != QLatin1Char('\n') &&
            c != QLatin1Char('\r'))
            limpio += c;
    qsizetype i = 0;
    if (i < limpio.size() && (limpio[i] == QLatin1Char('-') || limpio[i] == QLatin1Char('+')))
        ++i;
    bool punto = false;
    qsizetype fin = i;
    for (; fin < limpio.size(); ++fin) {
        const QChar c = limpio[fin];
        if (c.isDigit() && c.unicode() < 128)
            continue;
        if (c == QLatin1Char('.') && !punto) {
            punto = true;
            continue;
        }
        break;
    }
    bool ok = false;
    const double v = limpio.left(fin).toDouble(&ok);
    return ok ? v : 0.0;
}

std::optional<double> NumeroDeTexto(const QString& texto) {
    const QString t = texto.trimmed();
    qsizetype i = 0;
    if (i < t.size() && (t[i] == QLatin1Char('-') || t[i] == QLatin1Char('+')))
        ++i;
    bool digito = false, punto = false;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128)
            digito = true;
        else if (c == QLatin1Char('.') && !punto)
            punto = true;
        else
            return std::nullopt;
    }
    if (!digito)
        return std::nullopt;
    return t.toDouble();
}

int CodigoVentana(const NodoMenu* nodo) {
    return nodo ? int(ValorTexto(nodo->tag.mid(2, 3))) : 0;
}

int CodigoDeTag(const QString& tag) {
    const auto n = NumeroDeTexto(tag);
    if (!n || std::abs(*n) > 2147483647.0)
        return 0;
    return int(std::lround(*n)) % 1000;
}

bool EsSeparador(const NodoMenu* nodo) {
    return nodo &&
           (nodo->tag.left(9) == QLatin1String("Separador") || nodo->texto == QLatin1String("-"));
}

bool EsTarea(const NodoMenu* nodo) {
    return nodo && !EsSeparador(nodo) && NumeroDeTexto(nodo->tag.mid(2, 3)).has_value();
}

void ArbolMenu::Limpiar() {
    raices_.clear();
    nodos_.clear();
    seleccionado_ = nullptr;
    frecuentes_.clear();
}

NodoMenu* ArbolMenu::Crear(const QString& clave, const QString& texto, const QString& tag) {
    auto nodo = std::make_unique<NodoMenu>();
    nodo->clave = clave;
    nodo->texto = texto;
    nodo->tag = tag;
    nodos_.push_back(std::move(nodo));
    return nodos_.back().get();
}

void ArbolMenu::Construir(const std::vector<FilaMenu>& filas, const ConsultasMenu& consultas) {
    Limpiar();
    // Último nodo agregado en cada nivel (1 a 4): padre de las filas del nivel siguiente.
    std::array<NodoMenu*, NivelMaximo> ultimoDeNivel{};
    int numero = 0;
    for (const FilaMenu& fila : filas) {
        // El número corre por cada fila leída, tenga nodo o no.
        const QString clave = QStringLiteral("n") + QString::number(++numero);
        const bool esTarea = !fila.menuHijo.has_value() && fila.titulo != QLatin1String("-");
        QString tag;
        if (esTarea) {
            const QString tarea =
                consultas.tareaDeMenu ? consultas.tareaDeMenu(fila.menu, fila.item) : QString();
            const bool acceso = consultas.acceso ? consultas.acceso(tarea.mid(3)) : false;
            bool ok = false;
            const int codigo = tarea.left(3).toInt(&ok);
            if (ok && EsFrecuente(codigo))
                frecuentes_[codigo] = acceso;
            if (!acceso)
                continue;
            tag = fila.item + tarea.left(3);
        } else {
            tag = fila.item + fila.menu;
        }
        // Más de cinco niveles no entran en el árbol.
        if (fila.nivel < 1 || fila.nivel > NivelMaximo)
            continue;
        NodoMenu* padre = fila.nivel == 1 ? nullptr : ultimoDeNivel[size_t(fila.nivel - 1)];
        if (fila.nivel > 1 && !padre)
            continue; // sin el menú que la contiene no hay dónde colgarla
        NodoMenu* nodo = Crear(clave, fila.titulo, tag);
        InsertarOrdenado(nodo, padre, int(ValorTexto(fila.item)));
        if (fila.nivel < NivelMaximo) {
            ultimoDeNivel[size_t(fila.nivel)] = nodo;
            // Un nodo nuevo cierra las ramas más profundas de su predecesor.
            for (size_t n = size_t(fila.nivel) + 1; n < ultimoDeNivel.size(); ++n)
                ultimoDeNivel[n] = nullptr;
        }
    }
    if (!nodos_.empty())
        SeleccionarPrimeraEntrada(filas);
}

void ArbolMenu::InsertarOrdenado(NodoMenu* nodo, NodoMenu* padre, int numero) {
    nodo->padre = padre;
    std::vector<NodoMenu*>& hermanos = padre ? padre->hijos : raices_;
    if (hermanos.empty()) {
        hermanos.push_back(nodo);
        return;
    }
    if (numero < NumeroItem(hermanos.front())) {
        hermanos.insert(hermanos.begin(), nodo);
        return;
    }
    size_t despues = 0;
    while (despues + 1 < hermanos.size() && NumeroItem(hermanos[despues + 1]) < numero)
        ++despues;
    hermanos.insert(hermanos.begin() + qsizetype(despues) + 1, nodo);
}

void ArbolMenu::SeleccionarPrimeraEntrada(const std::vector<FilaMenu>& filas) {
    seleccionado_ = nullptr;
    size_t desde = 0;
    for (const FilaMenu& fila : filas) {
        if (fila.nivel != 1 || fila.item != QLatin1String("01"))
            continue;
        const QString buscado = QStringLiteral("01") + fila.menu;
        for (; desde < nodos_.size(); ++desde) {
            if (nodos_[desde]->tag == buscado) {
                seleccionado_ = nodos_[desde].get();
                return;
            }
        }
    }
}

int ArbolMenu::Indice(const NodoMenu* nodo) const {
    for (size_t i = 0; i < nodos_.size(); ++i)
        if (nodos_[i].get() == nodo)
            return int(i) + 1;
    return 0;
}

NodoMenu* ArbolMenu::Nodo(int indice) const {
    if (indice < 1 || indice > int(nodos_.size()))
        return nullptr;
    return nodos_[size_t(indice - 1)].get();
}

NodoMenu* ArbolMenu::Buscar(const QString& clave) const {
    for (const auto& n : nodos_)
        if (n->clave == clave)
            return n.get();
    return nullptr;
}

std::vector<NodoMenu*>& ArbolMenu::Hermanos(const NodoMenu* nodo) {
    return nodo->padre ? nodo->padre->hijos : raices_;
}

const std::vector<NodoMenu*>& ArbolMenu::Hermanos(const NodoMenu* nodo) const {
    return nodo->padre ? nodo->padre->hijos : raices_;
}

NodoMenu* ArbolMenu::Siguiente(const NodoMenu* nodo) const {
    if (!nodo)
        return nullptr;
    const auto& h = Hermanos(nodo);
    auto it = std::find(h.begin(), h.end(), nodo);
    if (it == h.end() || ++it == h.end())
        return nullptr;
    return *it;
}

NodoMenu* ArbolMenu::Anterior(const NodoMenu* nodo) const {
    if (!nodo)
        return nullptr;
    const auto& h = Hermanos(nodo);
    auto it = std::find(h.begin(), h.end(), nodo);
    if (it == h.end() || it == h.begin())
        return nullptr;
    return *(it - 1);
}

NodoMenu* ArbolMenu::PrimerHijo(const NodoMenu* nodo) const {
    return nodo && !nodo->hijos.empty() ? nodo->hijos.front() : nullptr;
}

NodoMenu* ArbolMenu::AgregarAlFinal(NodoMenu* padre, const QString& texto, const QString& tag) {
    // Clave: el número de la clave del último nodo agregado (hasta cinco
    // caracteres después de la "n") más uno.
    int numero = 1;
    if (const NodoMenu* ultimo = Ultimo())
        numero = int(ValorTexto(ultimo->clave.mid(1, 5))) + 1;
    NodoMenu* nodo = Crear(QStringLiteral("n") + QString::number(numero), texto, tag);
    nodo->padre = padre;
    (padre ? padre->hijos : raices_).push_back(nodo);
    return nodo;
}

void ArbolMenu::Quitar(NodoMenu* nodo) {
    if (!nodo || Indice(nodo) == 0)
        return;
    while (!nodo->hijos.empty())
        Quitar(nodo->hijos.back());
    auto& h = Hermanos(nodo);
    h.erase(std::remove(h.begin(), h.end(), nodo), h.end());
    if (seleccionado_ == nodo)
        seleccionado_ = nullptr;
    nodos_.erase(
        std::remove_if(nodos_.begin(), nodos_.end(),
                       [nodo](const std::unique_ptr<NodoMenu>& n) { return n.get() == nodo; }),
        nodos_.end());
}

namespace {

// Trata un nodo y devuelve el que queda en su lugar: él mismo, o el hermano
// siguiente si se lo quitó (nullptr si no había).
NodoMenu* TratarNodo(ArbolMenu& arbol, NodoMenu* nodo) {
    if (EsSeparador(nodo) || EsTarea(nodo))
        return nodo;
    if (!nodo->hijos.empty()) {
        // Tantas vueltas como hijos tenía al empezar.
        const size_t hijos = nodo->hijos.size();
        NodoMenu* hijo = nodo->hijos.front();
        for (size_t i = 0; i < hijos && hijo; ++i) {
            hijo = TratarNodo(arbol, hijo);
            if (!hijo)
                break;
            hijo = arbol.Siguiente(hijo);
        }
        return nodo;
    }
    NodoMenu* siguiente = arbol.Siguiente(nodo);
    arbol.Quitar(nodo);
    return siguiente;
}

} // namespace

void QuitarMenuesVacios(ArbolMenu& arbol) {
    NodoMenu* nodo = arbol.Nodo(1);
    const int vueltas = arbol.Cantidad();
    for (int i = 0; i < vueltas && nodo; ++i) {
        nodo = TratarNodo(arbol, nodo);
        if (!nodo)
            break;
        nodo = arbol.Siguiente(nodo);
    }
}
