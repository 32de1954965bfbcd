#pragma once
// Despachador de tareas: nunca se ve; su carga abre en forma modal la ventana
// de CodigoTarea() y vuelve cuando el usuario la cierra.
#include <QtGlobal>

class QWidget;

// Código de la tarea a correr; lo fija quien despacha.
qint16& CodigoTarea();

enum class Despacho {
    Ventana,     // hay ventana para el código
    Nada,        // 255: la entrada "Salir" del árbol
    Desconocida, // mensaje 139 con el código
};
Despacho DecidirDespacho(int codigo);

class frmPosInicio {
public:
    // Carga y descarga: corre la tarea de CodigoTarea(). Nunca lanza.
    static void Despachar(QWidget* padre);
    // Verdadero mientras una tarea está abierta.
    static bool Cargado();
};
