#pragma once
// Ventana común de las estadísticas: botones Salir, Aceptar e Imprimir Todo,
// la caja Fecha, la línea y uno o dos gráficos, ubicados según la
// descripción de la estadística. La lógica vive en Estadistica; la ventana la
// conecta con los controles y dibuja sus modelos.
#include "Estadistica.h"
#include <QDialog>
#include <array>
#include <memory>

class AccionesGrafico;
class DateTimeBox;
class QFrame;
class QPushButton;
class VistaGrafico;

class frmEstadistica : public QDialog {
    Q_OBJECT

public:
    // Carga la ventana (Form_Load): ícono, botones, título, centrado y, si
    // tiene gráficos, lo que la tabla de trabajo ya tiene.
    frmEstadistica(std::unique_ptr<Estadistica> logica, QWidget* padre);
    ~frmEstadistica() override;

    Estadistica& Logica() { return *logica_; }
    DateTimeBox* Fecha() const { return fecha_; }
    QPushButton* CmdActualizar() const { return cmdActualizar_; }
    QPushButton* CmdImprimir() const { return cmdImprimir_; }
    QPushButton* CmdCerrar() const { return cmdCerrar_; }
    VistaGrafico* Chart(int indice = 0) const { return vistas_.at(size_t(indice)); }
    // Menú y teclas de cada gráfico (copiar, guardar, exportar, ver datos).
    AccionesGrafico* Acciones(int indice = 0) const { return acciones_.at(size_t(indice)); }

    // Eventos de los botones.
    void CmdActualizar_Click();
    void CmdImprimir_Click();
    void CmdCerrar_Click();

    // 15 twips por píxel.
    static int Px(int twips) { return qRound(twips / 15.0); }

protected:
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;

private:
    void Form_Activate();
    void Redibujar();

    std::unique_ptr<Estadistica> logica_;
    std::unique_ptr<CajaFecha> caja_;
    DateTimeBox* fecha_ = nullptr;
    QPushButton* cmdCerrar_ = nullptr;
    QPushButton* cmdActualizar_ = nullptr;
    QPushButton* cmdImprimir_ = nullptr;
    QFrame* line1_ = nullptr;
    std::array<VistaGrafico*, 2> vistas_{nullptr, nullptr};
    std::array<AccionesGrafico*, 2> acciones_{nullptr, nullptr};
    int idRegistro_ = 0;
};
