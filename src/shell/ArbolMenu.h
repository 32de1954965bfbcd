#pragma once
// Árbol de tareas del usuario armado a partir de las filas del menú de GDA.
// Sin widgets: la ventana principal lo dibuja en ArbolMenues y la barra de
// menú (Func_SarvoMenues) se arma desde él.
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

// Una fila de la consulta jerárquica del menú.
struct FilaMenu {
    QString titulo;
    int nivel = 1; // nro_nivel: las entradas del menú inicial son nivel 1
    QString menu;
    std::optional<QString> menuHijo; // no nulo: la entrada abre un submenú
    QString item;                    // dos dígitos, "01"
};

struct NodoMenu {
    QString clave; // "n" + número correlativo
    QString texto;
    QString tag;
    NodoMenu* padre = nullptr;
    std::vector<NodoMenu*> hijos;
};

// Consultas que el armado hace por cada entrada de tarea.
struct ConsultasMenu {
    // Código de ventana (tres dígitos) + nombre de la tarea, o "".
    std::function<QString(const QString& menu, const QString& item)> tareaDeMenu;
    // Derecho de acceso del usuario a la tarea.
    std::function<bool(const QString& tarea)> acceso;
};

class ArbolMenu {
public:
    static constexpr int NivelMaximo = 5;

    // Vacía el árbol y lo arma con las filas, en el orden en que llegan.
    void Construir(const std::vector<FilaMenu>& filas, const ConsultasMenu& consultas);
    void Limpiar();

    int Cantidad() const { return int(nodos_.size()); }
    // Índice 1..Cantidad en orden de carga (se corre al quitar nodos); 0 si no está.
    int Indice(const NodoMenu* nodo) const;
    NodoMenu* Nodo(int indice) const; // nullptr fuera de rango
    NodoMenu* Ultimo() const { return nodos_.empty() ? nullptr : nodos_.back().get(); }
    NodoMenu* Buscar(const QString& clave) const;
    const std::vector<NodoMenu*>& Raices() const { return raices_; }

    NodoMenu* Siguiente(const NodoMenu* nodo) const; // próximo hermano
    NodoMenu* Anterior(const NodoMenu* nodo) const;  // hermano anterior
    NodoMenu* PrimerHijo(const NodoMenu* nodo) const;

    NodoMenu* Seleccionado() const { return seleccionado_; }
    void Seleccionar(NodoMenu* nodo) { seleccionado_ = nodo; }

    // Agrega un nodo como último hijo de padre (nullptr: última raíz), con la
    // clave siguiente a la del último nodo agregado.
    NodoMenu* AgregarAlFinal(NodoMenu* padre, const QString& texto, const QString& tag);
    void Quitar(NodoMenu* nodo); // con sus descendientes

    // Visibilidad de los botones frecuentes por código de ventana (103, 104,
    // 108), según la última entrada de esa tarea leída.
    const std::map<int, bool>& Frecuentes() const { return frecuentes_; }

private:
    NodoMenu* Crear(const QString& clave, const QString& texto, const QString& tag);
    void InsertarOrdenado(NodoMenu* nodo, NodoMenu* padre, int numero);
    std::vector<NodoMenu*>& Hermanos(const NodoMenu* nodo);
    const std::vector<NodoMenu*>& Hermanos(const NodoMenu* nodo) const;
    void SeleccionarPrimeraEntrada(const std::vector<FilaMenu>& filas);

    std::vector<std::unique_ptr<NodoMenu>> nodos_; // orden de carga
    std::vector<NodoMenu*> raices_;
    NodoMenu* seleccionado_ = nullptr;
    std::map<int, bool> frecuentes_;
};

// Clases de nodo.
bool EsSeparador(const NodoMenu* nodo);
bool EsTarea(const NodoMenu* nodo);

// Quita los menúes sin hijos. Un menú cuyos hijos se quitaron queda, y el
// hermano que sigue a un menú quitado no se revisa.
void QuitarMenuesVacios(ArbolMenu& arbol);

// Número al estilo de Val: prefijo numérico del texto (espacios iniciales
// ignorados); 0 si no empieza con un número.
double ValorTexto(const QString& texto);
// El texto entero como número, o nullopt si no lo es (IsNumeric).
std::optional<double> NumeroDeTexto(const QString& texto);
// Código de ventana de un nodo: caracteres 3 a 5 del tag.
int CodigoVentana(const NodoMenu* nodo);
// Código de tarea de un doble clic en el árbol: el tag como número, módulo
// 1000; 0 si el tag no es un número.
int CodigoDeTag(const QString& tag);
