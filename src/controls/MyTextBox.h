#pragma once
// Cuadro de texto de las ventanas de búsqueda: teclas válidas, máscara de
// posiciones fijas, máscara de salida y movimientos de foco de carga rápida.
#include "CajaTexto.h"

class MyTextBox : public CajaTexto {
    Q_OBJECT
    Q_PROPERTY(bool AplicaMaskSiempre READ AplicaMaskSiempre WRITE PonerAplicaMaskSiempre)
    Q_PROPERTY(QString ValueAux READ ValueAux WRITE PonerValueAux)
    Q_PROPERTY(bool MultiLine READ MultiLine WRITE PonerMultiLine)

public:
    explicit MyTextBox(QWidget* parent = nullptr);

    bool AplicaMaskSiempre() const { return logica_.AplicaMaskSiempre; }
    void PonerAplicaMaskSiempre(bool siempre) { logica_.AplicaMaskSiempre = siempre; }
    // Valor libre de la ventana; el control no lo lee.
    QString ValueAux() const { return valueAux_; }
    void PonerValueAux(const QString& valor) { valueAux_ = valor; }
    bool MultiLine() const { return logica_.MultiLine; }
    void PonerMultiLine(bool multiLinea);

    int AnteriorPosicionSinMascara(int posicion) const {
        return int(logica_.AnteriorPosicionSinMascara(posicion));
    }
    int ProximaPosicionSinMascara(int posicion, int largo) const {
        return int(logica_.ProximaPosicionSinMascara(posicion, largo));
    }
    void AplicarMascaraSalida() { AplicarSalida(); }

private:
    QString valueAux_;
};
