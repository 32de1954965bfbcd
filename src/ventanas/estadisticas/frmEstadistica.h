#pragma once
// Ventana común de las estadísticas: botones Salir, Aceptar e Imprimir Todo,
// la caja Fecha, la línea y uno o dos gráficos, ubicados según la
// descripción de la estadística. La lógica vive en Estadistica; la ventana la
// conecta con los controles y dibuja sus modelos. Las de gráficos se abren
// del tamaño de diseño y se pueden agrandar o maximizar: los gráficos crecen
// con la ventana. Tab recorre Fecha, los botones y los gráficos.
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

    // Antes de imprimir o exportar las cifras: si la caja tiene otra fecha que
    // la de las cifras a la vista, pregunta si actualizarlas primero ("Sí"
    // corre "Aceptar"). Falso si se cancela o la actualización falló.
    bool CifrasDeLaFecha();

    // 15 twips por píxel.
    static int Px(int twips) { return qRound(twips / 15.0); }

protected:
    void showEvent(QShowEvent* evento) override;
    void changeEvent(QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Form_Activate();
    void Redibujar();
    // "Aceptar"; verdadero si generó y volvió a leer.
    bool Actualizar();
    // Gráficos y línea según el tamaño de la ventana.
    void Acomodar();

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
