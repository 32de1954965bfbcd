#pragma once
// Ventana de las tres estadísticas que solo imprimen (frmRankingProveedores,
// frmRankingBienes, frmGastosCatProg): Salir, Fecha e Imprimir Todo; Aceptar
// está oculto y no hace nada.
#include "EstadisticaImprimible.h"
#include "frmEstadistica.h"

class frmEstadisticaImprimible : public frmEstadistica {
    Q_OBJECT

public:
    explicit frmEstadisticaImprimible(Imprimible cual, QWidget* padre = nullptr);
};
