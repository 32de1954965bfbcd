#include "frmGastosPersonal.h"
#include "GastosPersonal.h"

frmGastosPersonal::frmGastosPersonal(QWidget* padre)
    : frmEstadistica(std::make_unique<GastosPersonal>(), padre) {}
