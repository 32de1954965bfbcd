#pragma once
// Barra de menú de tareas de la ventana principal, armada desde el árbol.
// Sin widgets: la ventana la dibuja con QMenuBar y le pasa a EjecutarItemMenu
// el identificador del ítem elegido.
#include "ArbolMenu.h"
#include <QString>
#include <vector>

// Identificadores de los ítemes.
namespace IdMenu {
inline constexpr int PrimeroRenumerado = 200;
inline constexpr int UltimoRenumerado = 249; // los que se atienden
inline constexpr int Separador = 254;
inline constexpr int Salir = 255;
} // namespace IdMenu

struct ItemBarra {
    enum class Tipo { Submenu, Comando, Separador };
    Tipo tipo = Tipo::Comando;
    QString texto;
    int id = 0; // comando: código de ventana, 200.. renumerado, 255 Salir; separador: 254
    std::vector<ItemBarra> hijos;
};

// Qué hace la ventana con un identificador elegido.
struct AccionMenu {
    enum class Tipo { Nada, DescargarDespachador, Tarea, Salir };
    Tipo tipo = Tipo::Nada;
    int codigoTarea = 0; // para Tarea
};

class MenuVentana {
public:
    // Arma la barra desde el nodo inicial y sus hermanos siguientes. Los
    // nodos de tarea renumerados quedan con el tag reescrito.
    void CargarMenuVentana(ArbolMenu& arbol, NodoMenu* nodoInicial);

    const std::vector<ItemBarra>& Items() const { return items_; }
    // Código de tarea de un identificador renumerado (200..); 0 si no hay.
    int TareaRenumerada(int id) const;
    int CantidadRenumerados() const { return int(renumeracion_.size()); }

    AccionMenu EjecutarItemMenu(int id) const;

private:
    void AgregarNodo(ArbolMenu& arbol, NodoMenu* nodo, std::vector<ItemBarra>& menu);

    std::vector<ItemBarra> items_;
    std::vector<qint16> renumeracion_; // id - 200 -> código de tarea
    int proximoId_ = IdMenu::PrimeroRenumerado;
    int ultimoCodigo_ = 0; // código de la última tarea agregada; 0 tras un nodo que no es tarea
};
