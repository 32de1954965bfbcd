#include "AyudasVentana.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void CentrarForm(QWidget* form) {
    if (!form || form->isMaximized())
        return;
    QScreen* pantalla = form->screen() ? form->screen() : QGuiApplication::primaryScreen();
    if (!pantalla)
        return;
    const QRect p = pantalla->geometry();
    const QRect marco = form->frameGeometry();
    const int top = p.top() + qRound((p.height() - marco.height()) / 2.0);
    const int left = p.left() + qRound((p.width() - marco.width()) / 2.0);
    form->move(left, top);
}

bool HabilitadoYVisible(QWidget* control) {
    return control && control->isEnabled() && control->isVisible();
}

bool HacerFoco(QWidget* control) {
    if (!HabilitadoYVisible(control))
        return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

void InformacionForm(QWidget* form, const QString& ultimoReporte) {
    const QString fin = QStringLiteral("\r\n");
    QString texto;
    if (form)
        texto += QStringLiteral("Form    : ") + form->objectName() + fin;
    texto += QStringLiteral("Tarea   : ") + Glob().TareaActual + fin;
    // Solo el nombre del archivo, sin la carpeta.
    QString archivo = ultimoReporte;
    archivo = archivo.mid(
        qMax(archivo.lastIndexOf(QLatin1Char('/')), archivo.lastIndexOf(QLatin1Char('\\'))) + 1);
    texto += QStringLiteral("  Ultimo RPT : ") + archivo;
    MostrarMensaje(texto, QStringLiteral("Información"));
}
