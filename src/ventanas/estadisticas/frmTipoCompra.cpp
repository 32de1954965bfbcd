#include "frmTipoCompra.h"
#include "TipoCompra.h"

frmTipoCompra::frmTipoCompra(QWidget* padre)
    : frmEstadistica(std::make_unique<TipoCompra>(), padre) {}
