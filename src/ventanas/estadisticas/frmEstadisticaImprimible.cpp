#include "frmEstadisticaImprimible.h"

frmEstadisticaImprimible::frmEstadisticaImprimible(Imprimible cual, QWidget* padre)
    : frmEstadistica(std::make_unique<EstadisticaImprimible>(cual), padre) {}
