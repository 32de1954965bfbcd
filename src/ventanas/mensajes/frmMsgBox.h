#pragma once
// Ventana de mensajes del programa: texto, ícono y hasta tres botones de un
// juego fijo. Se arma con un PedidoMensaje; Resultado dice con qué botón se
// cerró (o el de la derecha si se cerró con la caja de control).
#include "Dialogos.h"
#include "ModeloMsgBox.h"
#include <QDialog>
#include <array>

class QLabel;
class QPushButton;

class frmMsgBox : public QDialog {
    Q_OBJECT
public:
    explicit frmMsgBox(const PedidoMensaje& pedido, QWidget* parent = nullptr);
    ~frmMsgBox() override; // descarga: vuelve el puntero anterior

    int Resultado() const { return resultado_; }
    const ModeloMsgBox& Modelo() const { return modelo_; }
    QLabel* TextoMensaje() const { return textoMensaje_; }
    QLabel* PICTipo() const { return picTipo_; }
    QPushButton* CmdGenerico(int indice) const { return cmdGenerico_.at(size_t(indice - 1)); }
    int CantidadDeLineas(const QString& texto) const {
        return ModeloMsgBox::CantidadDeLineas(texto);
    }

    // Píxeles de una medida en twips, horizontal o vertical, según la pantalla.
    int PixelesX(int twips) const;
    int PixelesY(int twips) const;

protected:
    void showEvent(QShowEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Activar();
    void Pulsar(int indice);

    ModeloMsgBox modelo_;
    int resultado_ = 1;
    Puntero punteroAnterior_ = Puntero::Defecto;
    int idRegistro_ = 0;
    QLabel* textoMensaje_ = nullptr;
    QLabel* picTipo_ = nullptr;
    std::array<QPushButton*, 3> cmdGenerico_{};
};
