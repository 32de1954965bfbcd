#pragma once
// Ventana "Gastos en Personal" (tarea 104).
#include "frmEstadistica.h"

class frmGastosPersonal : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmGastosPersonal(QWidget* padre = nullptr);
};
