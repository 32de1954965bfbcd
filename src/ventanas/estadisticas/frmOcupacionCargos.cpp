#include "frmOcupacionCargos.h"
#include "OcupacionCargos.h"

frmOcupacionCargos::frmOcupacionCargos(QWidget* padre)
    : frmEstadistica(std::make_unique<OcupacionCargos>(), padre) {}
