#pragma once
// Ventana de clave de tarea: una caja de clave; Enter prueba la clave. Cerrarla
// con la caja de control solo la oculta.
#include "ClaveTarea.h"
#include <QDialog>

class MyPasswordChar;
class QLabel;

class frmClaveTarea : public QDialog, public PedidoClave {
    Q_OBJECT
public:
    explicit frmClaveTarea(QWidget* parent = nullptr);
    ~frmClaveTarea() override;

    QString Sistema;
    QString tarea;

    void Mostrar(const QString& sistema, const QString& tarea, const QString& titulo,
                 IntentosClave& intentos) override;

    MyPasswordChar* txtClave() const { return txtClave_; }

protected:
    void closeEvent(QCloseEvent* evento) override;
    void showEvent(QShowEvent* evento) override;
    void hideEvent(QHideEvent* evento) override;

private:
    void Confirmar();

    MyPasswordChar* txtClave_ = nullptr;
    QLabel* lblClave_ = nullptr;
    IntentosClave* intentos_ = nullptr;
    int idRegistro_ = 0;
};

// PedirClaveTarea con esta ventana.
bool PedirClaveTarea(const QString& sistema, const QString& tarea, const QString& titulo,
                     const QString& rowIdAuditoria);
