#include "frmEvolucionGastos.h"
#include "EvolucionGastos.h"

frmEvolucionGastos::frmEvolucionGastos(QWidget* padre)
    : frmEstadistica(std::make_unique<EvolucionGastos>(), padre) {}
