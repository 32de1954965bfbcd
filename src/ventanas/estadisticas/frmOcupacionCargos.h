#pragma once
// Ventana "Ocupación de Cargos" (tarea 109).
#include "frmEstadistica.h"

class frmOcupacionCargos : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmOcupacionCargos(QWidget* padre = nullptr);
};
