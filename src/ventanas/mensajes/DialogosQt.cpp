#include "DialogosQt.h"
#include "frmMsgBox.h"
#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>

int DialogosQt::VentanaMensaje(const PedidoMensaje& pedido) {
    frmMsgBox ventana(pedido, QApplication::activeWindow());
    ventana.setWindowModality(Qt::ApplicationModal);
    ventana.exec();
    return ventana.Resultado();
}

void DialogosQt::MensajeSistema(const QString& texto, const QString& titulo) {
    QMessageBox::critical(QApplication::activeWindow(), titulo, texto);
}

void DialogosQt::AvisoSistema(const QString& texto) {
    QMessageBox caja(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(), texto,
                     QMessageBox::Ok, QApplication::activeWindow());
    caja.exec();
}

std::optional<QString> DialogosQt::PedirTexto(const QString& pregunta, const QString& titulo,
                                              const QString& valorInicial) {
    bool aceptado = false;
    const QString texto = QInputDialog::getText(QApplication::activeWindow(), titulo, pregunta,
                                                QLineEdit::Normal, valorInicial, &aceptado);
    if (!aceptado)
        return std::nullopt;
    return texto;
}

void DialogosQt::PonerPuntero(Puntero puntero) {
    // Un solo puntero impuesto a la aplicación: se cambia o se quita.
    if (puntero == Puntero::Defecto) {
        if (impuesto_)
            QApplication::restoreOverrideCursor();
        impuesto_ = false;
    } else {
        const QCursor cursor(puntero == Puntero::Reloj ? Qt::WaitCursor : Qt::ArrowCursor);
        if (impuesto_)
            QApplication::changeOverrideCursor(cursor);
        else
            QApplication::setOverrideCursor(cursor);
        impuesto_ = true;
    }
    puntero_ = puntero;
}

void DialogosQt::CopiarTexto(const QString& texto) {
    QGuiApplication::clipboard()->setText(texto, QClipboard::Clipboard);
}
