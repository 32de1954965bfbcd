#pragma once
// Ventana "Evolución de Gastos" (tarea 101).
#include "frmEstadistica.h"

class frmEvolucionGastos : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmEvolucionGastos(QWidget* padre = nullptr);
};
