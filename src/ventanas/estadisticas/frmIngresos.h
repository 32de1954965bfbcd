#pragma once
// Ventana "Ingresos" (tarea 108).
#include "frmEstadistica.h"

class frmIngresos : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmIngresos(QWidget* padre = nullptr);
};
