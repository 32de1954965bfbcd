#include "ProcesarTeclas.h"
#include "AyudasVentana.h"
#include "Func_SarvoImpresion.h"
#include "Logs.h"
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Pulsa el botón si la ventana lo tiene habilitado y visible. conFoco: le da
// el foco antes, como F5.
bool Pulsar(QWidget* ventana, const char* nombre, bool conFoco = false) {
    try {
        if (!ventana)
            return false;
        auto* boton = ventana->findChild<QAbstractButton*>(QLatin1String(nombre));
        if (!boton || !HabilitadoYVisible(boton))
            return false;
        if (conFoco)
            boton->setFocus(Qt::ShortcutFocusReason);
        boton->click();
        return true;
    } catch (...) {
        AnotarExcepcion(QStringLiteral("ProcesarTeclas ") + QLatin1String(nombre));
        return false;
    }
}

constexpr Qt::KeyboardModifiers Mascara =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

class FiltroTeclas : public QObject {
public:
    FiltroTeclas(QWidget* ventana, bool navegar)
        : QObject(ventana), ventana_(ventana), navegar_(navegar) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType() || !ventana_)
            return false;
        auto* w = static_cast<QWidget*>(objeto);
        if (w->window() != ventana_)
            return false;
        // Una tecla no aceptada sube de control en control: se trata solo la primera vez.
        if (evento == ultimo_ && receptor_ && receptor_ != w && w->isAncestorOf(receptor_))
            return false;
        ultimo_ = evento;
        receptor_ = w;
        auto* tecla = static_cast<QKeyEvent*>(evento);
        int codigo = tecla->key();
        Qt::KeyboardModifiers mayusculas = tecla->modifiers();
        QPointer<QWidget> guardia(w);
        ProcesarTeclas(codigo, mayusculas, navegar_, ventana_);
        if (codigo == 0) {
            tecla->accept();
            return true;
        }
        return false;
    }

private:
    QPointer<QWidget> ventana_;
    bool navegar_;
    const QEvent* ultimo_ = nullptr;
    QPointer<QWidget> receptor_;
};

} // namespace

void ProcesarTeclas(int& codigoTecla, Qt::KeyboardModifiers& mayusculas, bool navegar,
                    QWidget* ventana) {
    QPointer<QWidget> v(ventana);
    const Qt::KeyboardModifiers mods = mayusculas & Mascara;
    const bool alt = mods == Qt::AltModifier;
    const bool ctrlAlt = mods == (Qt::ControlModifier | Qt::AltModifier);
    bool consumida = true;

    switch (codigoTecla) {
    case Qt::Key_Escape:
        Pulsar(v, "CmdCerrar");
        Pulsar(v, "CmdCancelar");
        Pulsar(v, "CmdCancel");
        break;
    case Qt::Key_F3:
        Pulsar(v, "CmdConsultar");
        break;
    case Qt::Key_F4:
        Pulsar(v, "CmdBuscar");
        break;
    case Qt::Key_F5:
        Pulsar(v, "CmdAceptar", true);
        Pulsar(v, "CmdGrabar", true);
        break;
    case Qt::Key_F6:
        Pulsar(v, "CmdOrden");
        break;
    case Qt::Key_F7:
        Pulsar(v, "CmdRefresh");
        break;
    case Qt::Key_F8:
        Pulsar(v, "CmdArbol");
        break;
    case Qt::Key_F9:
        Pulsar(v, "CmdImprimir");
        break;
    case Qt::Key_F10:
        Pulsar(v, "CmdHerramientas");
        break;
    case Qt::Key_PageUp:
        if (navegar)
            Pulsar(v, "CmdPrimero");
        consumida = false;
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        if (navegar)
            Pulsar(v, "CmdAnterior");
        consumida = false;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (navegar)
            Pulsar(v, "CmdSiguiente");
        consumida = false;
        break;
    case Qt::Key_PageDown:
        if (navegar)
            Pulsar(v, "CmdUltimo");
        consumida = false;
        break;
    case Qt::Key_A:
    case Qt::Key_M:
    case Qt::Key_B:
    case Qt::Key_Z:
        if (!alt) {
            consumida = false;
            break;
        }
        if (codigoTecla == Qt::Key_A)
            Pulsar(v, "CmdAgregar");
        else if (codigoTecla == Qt::Key_M)
            Pulsar(v, "CmdModificar");
        else if (codigoTecla == Qt::Key_B)
            Pulsar(v, "CmdBorrar");
        else if (v)
            InformacionForm(v, UltimoReporte());
        break;
    case Qt::Key_D:
        if (ctrlAlt)
            Pulsar(v, "CmdDesbloquear");
        else
            consumida = false;
        break;
    default:
        consumida = false;
        break;
    }
    if (consumida) {
        codigoTecla = 0;
        mayusculas = Qt::NoModifier;
    }
}

void InstalarTeclas(QWidget* ventana, bool navegar) {
    if (!ventana || !qApp)
        return;
    qApp->installEventFilter(new FiltroTeclas(ventana, navegar));
}
