#include "frmIngresos.h"
#include "Ingresos.h"

frmIngresos::frmIngresos(QWidget* padre) : frmEstadistica(std::make_unique<Ingresos>(), padre) {}
