#include "frmEvolucionRecursos.h"
#include "EvolucionRecursos.h"

frmEvolucionRecursos::frmEvolucionRecursos(QWidget* padre)
    : frmEstadistica(std::make_unique<EvolucionRecursos>(), padre) {}
