#pragma once
// Qué hace el despachador con un código de tarea. La ventana que lo hace
// (frmPosInicio) está en la biblioteca de ventanas.
#include <QtGlobal>

// Código de la tarea a correr; lo fija quien despacha.
qint16& CodigoTarea();

// Código de la entrada "Salir" del árbol: el despachador no hace nada.
inline constexpr int TareaSalir = 255;

enum class Despacho {
    Ventana,     // una de las tareas de estadística (101..110)
    Nada,        // TareaSalir
    Desconocida, // mensaje Catalogo::TareaDesconocida con el código
};
Despacho DecidirDespacho(int codigo);
