#include "Func_SarvoMenues.h"

namespace {

// Hermano de tarea más cercano: el anterior, o si no hay, el siguiente.
const NodoMenu* TareaHermanaCercana(const ArbolMenu& arbol, const NodoMenu* nodo) {
    for (const NodoMenu* h = arbol.Anterior(nodo); h; h = arbol.Anterior(h))
        if (EsTarea(h))
            return h;
    for (const NodoMenu* h = arbol.Siguiente(nodo); h; h = arbol.Siguiente(h))
        if (EsTarea(h))
            return h;
    return nullptr;
}

} // namespace

void MenuVentana::CargarMenuVentana(ArbolMenu& arbol, NodoMenu* nodoInicial) {
    items_.clear();
    renumeracion_.clear();
    proximoId_ = IdMenu::PrimeroRenumerado;
    ultimoCodigo_ = 0;
    for (NodoMenu* n = nodoInicial; n; n = arbol.Siguiente(n))
        AgregarNodo(arbol, n, items_);
}

void MenuVentana::AgregarNodo(ArbolMenu& arbol, NodoMenu* nodo, std::vector<ItemBarra>& menu) {
    if (EsTarea(nodo)) {
        const int codigo = CodigoVentana(nodo);
        // Se repite con la última tarea agregada o, después de un nodo que no
        // es tarea, con la tarea hermana más cercana.
        bool repite = false;
        if (ultimoCodigo_ != 0) {
            repite = codigo == ultimoCodigo_;
        } else if (const NodoMenu* hermana = TareaHermanaCercana(arbol, nodo)) {
            repite = codigo == CodigoVentana(hermana);
        }
        // Solo 200..249 se atienden: pasado ese tope el ítem queda con su
        // propio código, que igual corre la tarea correcta.
        if (repite && proximoId_ <= IdMenu::UltimoRenumerado) {
            const int id = proximoId_++;
            const size_t indice = size_t(id - IdMenu::PrimeroRenumerado);
            if (renumeracion_.size() <= indice)
                renumeracion_.resize(indice + 1, 0);
            renumeracion_[indice] = qint16(codigo);
            nodo->tag = nodo->tag.left(2) + QStringLiteral("%1").arg(id, 3, 10, QLatin1Char('0')) +
                        nodo->tag.mid(5);
        }
        ultimoCodigo_ = codigo;
    } else {
        ultimoCodigo_ = 0;
    }

    std::vector<ItemBarra> submenu;
    const size_t hijos = nodo->hijos.size();
    NodoMenu* hijo = arbol.PrimerHijo(nodo);
    for (size_t i = 0; i < hijos && hijo; ++i) {
        NodoMenu* siguiente = arbol.Siguiente(hijo);
        AgregarNodo(arbol, hijo, submenu);
        hijo = siguiente;
    }

    if (hijos > 0) {
        ItemBarra item;
        item.tipo = ItemBarra::Tipo::Submenu;
        item.texto = nodo->texto;
        item.hijos = std::move(submenu);
        menu.push_back(std::move(item));
    } else if (nodo->texto != QLatin1String("-")) {
        if (EsTarea(nodo)) {
            ItemBarra item;
            item.tipo = ItemBarra::Tipo::Comando;
            item.texto = nodo->texto;
            item.id = int(ValorTexto(nodo->tag.mid(2)));
            menu.push_back(std::move(item));
        }
    } else {
        const NodoMenu* anterior = arbol.Anterior(nodo);
        if (!anterior || anterior->texto != QLatin1String("-")) {
            ItemBarra item;
            item.tipo = ItemBarra::Tipo::Separador;
            item.id = IdMenu::Separador;
            menu.push_back(std::move(item));
        }
    }
}

int MenuVentana::TareaRenumerada(int id) const {
    const int indice = id - IdMenu::PrimeroRenumerado;
    if (indice < 0 || indice >= int(renumeracion_.size()))
        return 0;
    return renumeracion_[size_t(indice)];
}

AccionMenu MenuVentana::EjecutarItemMenu(int id) const {
    AccionMenu accion;
    if (id >= 1 && id <= 99) {
        accion.tipo = AccionMenu::Tipo::DescargarDespachador;
    } else if (id >= 101 && id <= 199) {
        accion.tipo = AccionMenu::Tipo::Tarea;
        accion.codigoTarea = id;
    } else if (id >= IdMenu::PrimeroRenumerado && id <= IdMenu::UltimoRenumerado) {
        if (const int codigo = TareaRenumerada(id)) {
            accion.tipo = AccionMenu::Tipo::Tarea;
            accion.codigoTarea = codigo;
        }
    } else if (id == IdMenu::Salir) {
        accion.tipo = AccionMenu::Tipo::Salir;
    }
    return accion;
}
