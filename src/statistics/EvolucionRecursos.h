#pragma once
// Evolución de recursos (tarea 102): los recursos año por año, en millones de
// pesos, por su origen (Chart) y por su afectación (Chart2), de la misma tabla.
#include "Estadistica.h"

class EvolucionRecursos : public Estadistica {
public:
    EvolucionRecursos();

    // "Aceptar" ordena por año; la carga no pide orden.
    static QString ConsultaAceptar();
    static QString ConsultaCarga();

    PedidoImpresion Impresion(const QDate& fecha) const override;

protected:
    void LeerAlCargar(CajaFecha& fecha) override;
    void LeerTrasGenerar(CajaFecha& fecha) override;

private:
    // Cada gráfico con sus columnas y sus series; l dice qué hacer sin filas.
    void LlenarOrigen(Recordset& rs, const LecturaGrafico& l, CajaFecha* fecha);
    void LlenarAfectacion(Recordset& rs, const LecturaGrafico& l);
    void FormatoOrigen();
    void FormatoAfectacion();
};
