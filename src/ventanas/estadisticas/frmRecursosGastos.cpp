#include "frmRecursosGastos.h"
#include "RecursosGastos.h"

frmRecursosGastos::frmRecursosGastos(QWidget* padre)
    : frmEstadistica(std::make_unique<RecursosGastos>(), padre) {}
