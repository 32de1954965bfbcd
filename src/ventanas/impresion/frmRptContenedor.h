#pragma once
// Vista previa de los reportes: la barra de herramientas (cerrar, páginas,
// número de página, zoom, buscar, grabar en PDF, imprimir) y debajo la página
// del motor. La carga, titula, muestra en forma modal y descarga el módulo de
// impresión; habla con el motor solo a través de rpt.
//
// Teclas: Re Pág / Av Pág página anterior y siguiente, Inicio / Fin primera
// y última, Ctrl+P imprimir, Ctrl+S grabar, Ctrl+F buscar, Esc cerrar.
#include "LogicaVistaPrevia.h"
#include <QDialog>

class MotorReporte;
class QComboBox;
class QLabel;
class QPushButton;
class VistaPagina;

class frmRptContenedor : public QDialog {
    Q_OBJECT

public:
    // Ocupa el 99 % del ancho y el 92 % del alto de la pantalla.
    explicit frmRptContenedor(MotorReporte& rpt, QWidget* padre = nullptr);
    ~frmRptContenedor() override;

    static QString EliminarCaracter(const QString& texto, const QString& caracter) {
        return LogicaVistaPrevia::EliminarCaracter(texto, caracter);
    }

    QLabel* lbPagina() const { return lbPagina_; }
    QComboBox* Combo1() const { return combo1_; }
    QPushButton* Boton(const QString& nombre) const;
    VistaPagina* Vista() const { return vista_; }

    // Acciones de los botones.
    void CmdPrimero_Click();
    void CmdAnterior_Click();
    void CmdSiguiente_Click();
    void CmdUltimo_Click();
    void CmdBuscar_Click();
    void CmdGrabar_Click();
    void CmdImprimir_Click();
    // Graba el reporte en ese PDF; falso si no se pudo (ya se mostró por qué).
    bool GrabarPdf(const QString& ruta);

protected:
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void ActualizarPagina();
    void Combo1_Change(const QString& texto);
    QPushButton* CrearBoton(const QString& nombre, const QString& tooltip, int left);
    void CrearAtajos();

    MotorReporte& rpt_;
    LogicaVistaPrevia logica_;
    QLabel* lbPagina_ = nullptr;
    QComboBox* combo1_ = nullptr;
    VistaPagina* vista_ = nullptr;
    int idRegistro_ = 0;
};
