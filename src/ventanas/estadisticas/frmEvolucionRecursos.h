#pragma once
// Ventana "Evolución de recursos" (tarea 102).
#include "frmEstadistica.h"

class frmEvolucionRecursos : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmEvolucionRecursos(QWidget* padre = nullptr);
};
