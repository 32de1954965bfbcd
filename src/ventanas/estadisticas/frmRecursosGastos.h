#pragma once
// Ventana "Recursos vs. Gastos" (tarea 103).
#include "frmEstadistica.h"

class frmRecursosGastos : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmRecursosGastos(QWidget* padre = nullptr);
};
