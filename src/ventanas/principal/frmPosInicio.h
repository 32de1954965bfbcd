#pragma once
// Despachador de tareas: nunca se ve; su carga abre en forma modal la ventana
// de CodigoTarea() y vuelve cuando el usuario la cierra.
#include "Despacho.h"

class QWidget;

class frmPosInicio {
public:
    // Carga y descarga: corre la tarea de CodigoTarea(). Nunca lanza.
    static void Despachar(QWidget* padre);
    // Verdadero mientras una tarea está abierta.
    static bool Cargado();
};
