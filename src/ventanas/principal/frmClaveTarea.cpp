#include "frmClaveTarea.h"
#include "MyPasswordChar.h"
#include "Ventanas.h"
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>

frmClaveTarea::frmClaveTarea(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmClaveTarea"));
    setModal(true);
    lblClave_ = new QLabel(QStringLiteral("Clave:"), this);
    txtClave_ = new MyPasswordChar(this);
    txtClave_->setObjectName(QStringLiteral("txtClave"));
    txtClave_->PonerPasswordChar(QStringLiteral("*"));
    // Una clave puede llevar cualquier carácter imprimible, comillas incluidas.
    txtClave_->PonerKeysValidos(KeysValidosPorDefecto() + QStringLiteral("'\""));
    txtClave_->setMinimumWidth(180);
    lblClave_->setBuddy(txtClave_);
    auto* capas = new QHBoxLayout(this);
    capas->addWidget(lblClave_);
    capas->addWidget(txtClave_, 1);
    connect(txtClave_, &MyPasswordChar::KeyPress, this, [this](int& tecla) {
        if (tecla == Tecla::Enter)
            Confirmar();
    });
}

frmClaveTarea::~frmClaveTarea() {
    if (idRegistro_)
        RegistroVentanas::instancia().Salir(idRegistro_);
}

void frmClaveTarea::Mostrar(const QString& sistema, const QString& tareaPedida,
                            const QString& titulo, IntentosClave& intentos) {
    Sistema = sistema;
    tarea = tareaPedida;
    setWindowTitle(titulo);
    intentos_ = &intentos;
    txtClave_->PonerText(QString());
    txtClave_->setFocus();
    exec();
    intentos_ = nullptr;
    if (!intentos.Terminado())
        intentos.Cerrar();
}

void frmClaveTarea::Confirmar() {
    if (!intentos_)
        return;
    switch (intentos_->Probar(txtClave_->Text())) {
    case IntentosClave::Resultado::Aceptada:
    case IntentosClave::Resultado::Rechazada:
        hide();
        break;
    case IntentosClave::Resultado::Incorrecta:
        txtClave_->setFocus();
        txtClave_->PonerSelStart(0);
        txtClave_->PonerSelLength(int(txtClave_->Text().size()));
        break;
    }
}

// La caja de control no descarga la ventana: solo la oculta.
void frmClaveTarea::closeEvent(QCloseEvent* evento) {
    if (intentos_ && !intentos_->Terminado())
        intentos_->Cerrar();
    evento->ignore();
    hide();
}

void frmClaveTarea::showEvent(QShowEvent* evento) {
    if (!idRegistro_)
        idRegistro_ = RegistroVentanas::instancia().Unirse(
            objectName(), [this] { hide(); }, [this] { repaint(); });
    QDialog::showEvent(evento);
}

void frmClaveTarea::hideEvent(QHideEvent* evento) {
    if (idRegistro_) {
        RegistroVentanas::instancia().Salir(idRegistro_);
        idRegistro_ = 0;
    }
    QDialog::hideEvent(evento);
}

bool PedirClaveTarea(const QString& sistema, const QString& tarea, const QString& titulo,
                     const QString& rowIdAuditoria) {
    frmClaveTarea ventana;
    return PedirClaveTarea(sistema, tarea, titulo, rowIdAuditoria, ventana);
}
