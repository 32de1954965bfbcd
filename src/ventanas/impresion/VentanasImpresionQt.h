#pragma once
// Las ventanas del programa vistas por el módulo de impresión: cada ventana
// cargada se busca por su nombre entre las ventanas de la aplicación, la de
// recursos es frmResources y la vista previa, frmRptContenedor.
#include "VentanasImpresion.h"
#include <memory>

class frmRptContenedor;
class QWidget;

class VentanasImpresionQt : public VentanasImpresion {
public:
    VentanasImpresionQt();
    ~VentanasImpresionQt() override;

    bool HabilitarVentana(const QString& ventana, bool habilitada) override;
    bool HabilitarControl(const QString& ventana, const QString& control, bool habilitado) override;
    std::optional<bool> ControlHabilitado(const QString& ventana,
                                          const QString& control) const override;
    void CargarRecursos() override;
    void DescargarRecursos() override;
    std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte& motor) override;
    void MostrarVistaPrevia(const QString& titulo) override;

    // La ventana de ese nombre (la visible, si hay varias); nula si no hay.
    static QWidget* Ventana(const QString& nombre);
    // La vista previa cargada, mientras lo está.
    frmRptContenedor* VistaPrevia() const { return contenedor_.get(); }

private:
    std::unique_ptr<frmRptContenedor> contenedor_;
};
