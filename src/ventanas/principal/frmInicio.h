#pragma once
// Ventana principal: fondo del ambiente, árbol de tareas del usuario, barra de
// menú armada desde el árbol, barra de tareas frecuentes y barra de estado.
// Su carga registra el ingreso en la auditoría; su cierre lo registra, trae al
// frente el lanzador de la suite y descarga lo que quede cargado.
#include "ArbolMenu.h"
#include "Func_SarvoMenues.h"
#include "LogicaInicio.h"
#include <QDate>
#include <QFrame>
#include <QMainWindow>
#include <array>
#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTreeWidget;
class QTreeWidgetItem;
class QToolBar;

// Panel de la barra de estado: imagen opcional y texto; avisa el doble clic.
class PanelEstado : public QFrame {
    Q_OBJECT
public:
    explicit PanelEstado(QWidget* parent = nullptr);
    QString Text() const;
    void PonerText(const QString& texto);
    QPixmap Picture() const;
    void PonerPicture(const QPixmap& imagen);
    Qt::Alignment Alignment() const;
    void PonerAlignment(Qt::Alignment alineacion);

signals:
    void DblClick();

protected:
    void mouseDoubleClickEvent(QMouseEvent* evento) override;

private:
    QLabel* imagen_ = nullptr;
    QLabel* texto_ = nullptr;
};

class frmInicio : public QMainWindow {
    Q_OBJECT
public:
    explicit frmInicio(QWidget* parent = nullptr);
    ~frmInicio() override;

    // Carga de la ventana. Falso si el usuario no tiene menú: ya se mostró el
    // mensaje 125 y el programa termina sin más.
    bool Cargar();

    // Controles.
    QTreeWidget* ArbolMenues = nullptr;
    QToolBar* ToolbarFrecuentes = nullptr;
    QStatusBar* BarradeEstado = nullptr;
    QLabel* Img = nullptr;
    QTreeWidget* ListaPrincipal = nullptr;
    QGroupBox* FrameBotones = nullptr;
    PanelEstado* Panel(int indice) const;      // 1..5
    QAction* BotonFrecuente(int indice) const; // 1..6

    // Imagen de fondo en uso (ruta del recurso).
    QString FondoActual() const { return fondo_; }
    ArbolMenu& Arbol() { return arbol_; }
    MenuVentana& Barra() { return barra_; }
    NodoMenu* NodoInicial() const { return nodoInicial_; }
    bool PrimeraActivacion() const { return primeraActivacion_; }
    // Ítem de la barra de menú con ese identificador (el primero que haya).
    QAction* ItemMenu(int id) const;
    QTreeWidgetItem* ItemArbol(const NodoMenu* nodo) const;

    // Despacho: fija CodigoTarea y carga el despachador (errores ignorados).
    void DespacharTarea(int codigo);
    // Quien corre la tarea; por defecto frmPosInicio. Las pruebas lo reemplazan.
    std::function<void(int codigo)> Despachador;
    // Quien busca y trae al frente la ventana del lanzador por su título.
    std::function<bool(const QString& titulo)> TraerLanzador;

    // Acciones de los controles.
    void ArbolMenues_DblClick();
    void ListaPrincipal_DblClick();
    void ToolbarFrecuentes_ButtonClick(int indice);
    void EjecutarItemMenu(int id);
    void BarradeEstado_PanelDblClick(int indice);

protected:
    void closeEvent(QCloseEvent* evento) override;
    bool event(QEvent* evento) override;

private:
    void ConfigurarVentanaPrincipal();
    void MostrarArbol();
    void ArmarBarraMenu();
    void AplicarFrecuentes();
    void Descargar();

    ArbolMenu arbol_;
    MenuVentana barra_;
    NodoMenu* nodoInicial_ = nullptr;
    bool primeraActivacion_ = true;
    bool descargada_ = false;
    QString fondo_;
    std::array<PanelEstado*, 5> paneles_{};
    std::array<QAction*, 6> botones_{};
    int idRegistro_ = 0;
};
