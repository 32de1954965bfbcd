#pragma once
// Ventana "Tipos de Compra" (tarea 107).
#include "frmEstadistica.h"

class frmTipoCompra : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmTipoCompra(QWidget* padre = nullptr);
};
