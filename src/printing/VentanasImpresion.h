#pragma once
// Lo que el módulo de impresión necesita de las ventanas, sin conocerlas:
// habilitar y deshabilitar una ventana cargada y un control suyo, leer si un
// control está habilitado, descargar y volver a cargar la ventana de recursos
// (frmResources) y la vista previa (frmRptContenedor). Las ventanas se nombran
// como en el registro de ventanas cargadas.
//
// El programa instala la de sus ventanas; miravel-reporte, una que escribe el
// PDF en lugar de mostrarlo; las pruebas, una falsa. Sin instalar, ninguna
// operación hace nada y la vista previa no se puede cargar.
#include <QSize>
#include <QString>
#include <optional>

class MotorReporte;

// La vista previa recién cargada: su tamaño en twips y su manija de ventana.
struct VistaPreviaCargada {
    QSize twips;
    quintptr manija = 0;
};

class VentanasImpresion {
public:
    virtual ~VentanasImpresion() = default;

    // Falso si no hay una ventana (o un control) de ese nombre.
    virtual bool HabilitarVentana(const QString& ventana, bool habilitada) = 0;
    virtual bool HabilitarControl(const QString& ventana, const QString& control,
                                  bool habilitado) = 0;
    virtual std::optional<bool> ControlHabilitado(const QString& ventana,
                                                  const QString& control) const = 0;

    virtual void CargarRecursos() = 0;
    virtual void DescargarRecursos() = 0;

    // Carga la vista previa para el motor, con el 99 % del ancho y el 92 % del
    // alto de la pantalla; nullopt si no se pudo.
    virtual std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte& motor) = 0;
    // La muestra en forma modal con ese título y la descarga al cerrarse.
    virtual void MostrarVistaPrevia(const QString& titulo) = 0;
};

// Sin ventanas: nada se puede habilitar ni mostrar, y la vista previa no se
// puede cargar. Base de las que solo cambian la vista previa (VentanasPdf).
class SinVentanasImpresion : public VentanasImpresion {
public:
    bool HabilitarVentana(const QString&, bool) override { return false; }
    bool HabilitarControl(const QString&, const QString&, bool) override { return false; }
    std::optional<bool> ControlHabilitado(const QString&, const QString&) const override {
        return std::nullopt;
    }
    void CargarRecursos() override {}
    void DescargarRecursos() override {}
    std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte&) override {
        return std::nullopt;
    }
    void MostrarVistaPrevia(const QString&) override {}
};

VentanasImpresion& ventanasImpresion();
void InstalarVentanasImpresion(VentanasImpresion* nuevas); // nullptr: ninguna
