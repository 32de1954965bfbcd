#pragma once
// Lo común de MyTextBox y MyPasswordChar: un cuadro de texto, Texto, que
// llena el control y cuyas teclas, cambios y salida de foco pasan por
// LogicaTexto. Los eventos del control son señales con sus nombres.
#include "LogicaTexto.h"
#include <QColor>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

class CajaTexto : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE PonerText)
    Q_PROPERTY(QString Mask READ Mask WRITE PonerMask)
    Q_PROPERTY(QString MaskSalida READ MaskSalida WRITE PonerMaskSalida)
    Q_PROPERTY(QString Separador READ Separador WRITE PonerSeparador)
    Q_PROPERTY(QString KeysValidos READ KeysValidos WRITE PonerKeysValidos)
    Q_PROPERTY(int TypeMyTextBox READ TypeMyTextBox WRITE PonerTypeMyTextBox)
    Q_PROPERTY(int MaxLength READ MaxLength WRITE PonerMaxLength)
    Q_PROPERTY(QColor BackColor READ BackColor WRITE PonerBackColor)
    Q_PROPERTY(QColor ForeColor READ ForeColor WRITE PonerForeColor)
    Q_PROPERTY(int BorderStyle READ BorderStyle WRITE PonerBorderStyle)
    Q_PROPERTY(int Alignment READ Alignment WRITE PonerAlignment)
    Q_PROPERTY(int SelStart READ SelStart WRITE PonerSelStart)
    Q_PROPERTY(int SelLength READ SelLength WRITE PonerSelLength)
    Q_PROPERTY(QString SelText READ SelText WRITE PonerSelText)
    Q_PROPERTY(bool Locked READ Locked WRITE PonerLocked)
    Q_PROPERTY(QString ToolTipText READ ToolTipText WRITE PonerToolTipText)

public:
    // Propiedades. Un Text o una Mask que no se aceptan se ignoran.
    QString Text() const { return text_; }
    void PonerText(const QString& texto);
    QString Mask() const { return logica_.Mask; }
    void PonerMask(const QString& mascara);
    QString MaskSalida() const { return logica_.MaskSalida; }
    void PonerMaskSalida(const QString& m) { logica_.MaskSalida = m; }
    QString Separador() const { return logica_.Separador; }
    void PonerSeparador(const QString& s) { logica_.Separador = s; }
    QString KeysValidos() const { return logica_.KeysValidos; }
    void PonerKeysValidos(const QString& k) { logica_.KeysValidos = k; }
    int TypeMyTextBox() const { return logica_.TypeMyTextBox; }
    void PonerTypeMyTextBox(int t) { logica_.TypeMyTextBox = t; }
    int MaxLength() const { return logica_.MaxLength; }
    void PonerMaxLength(int largo);
    QColor BackColor() const { return backColor_; }
    void PonerBackColor(const QColor& c);
    QColor ForeColor() const { return foreColor_; }
    void PonerForeColor(const QColor& c);
    int BorderStyle() const { return borderStyle_; } // 0 sin borde, 1 simple
    void PonerBorderStyle(int estilo);
    int Alignment() const { return alignment_; } // 0 izquierda, 1 derecha, 2 centro
    void PonerAlignment(int alineacion);
    int SelStart() const;
    void PonerSelStart(int inicio);
    int SelLength() const;
    void PonerSelLength(int largo);
    QString SelText() const;
    void PonerSelText(const QString& texto);
    bool Locked() const { return locked_; }
    void PonerLocked(bool bloqueado);
    QString ToolTipText() const { return toolTip(); }
    void PonerToolTipText(const QString& texto);

    // Métodos públicos (posiciones desde 1).
    static bool Blancos(const QString& cadena) { return LogicaTexto::Blancos(cadena); }
    bool PosicionEnmascarada(int posicion) const { return logica_.PosicionEnmascarada(posicion); }
    static QString CambiarLetra(const QString& cadena, const QString& caracter, int posicion) {
        return LogicaTexto::CambiarLetra(cadena, caracter, posicion);
    }
    bool CaracterValido(QChar caracter, bool admiteEnter, int posicion) const {
        return logica_.CaracterValido(caracter, admiteEnter, posicion);
    }
    bool HayCaracteresInvalidos(const QString& cadena, bool admiteEnter) const {
        return logica_.HayCaracteresInvalidos(cadena, admiteEnter);
    }
    static QString AplicoMascara(QString& cadena, QString& mascara, int maxlen) {
        return LogicaTexto::AplicoMascara(cadena, mascara, maxlen);
    }
    bool IsNumeric() const { return logica_.IsNumeric(); }

    // El cuadro de texto interno (para ubicar el foco y para las pruebas).
    QWidget* Texto() const { return texto_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Click();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void KeyUp(int& KeyCode, int Shift);
    void Change();

protected:
    CajaTexto(VarianteCaja variante, QWidget* parent);
    ~CajaTexto() override;

    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void changeEvent(QEvent* evento) override;

    // Crea (o vuelve a crear) Texto de una o varias líneas.
    void CrearTexto(bool multiLinea);
    // Salida del foco: completa con la máscara de salida.
    void AplicarSalida();

    LogicaTexto logica_;
    QLineEdit* linea_ = nullptr;
    QPlainTextEdit* area_ = nullptr;
    QWidget* texto_ = nullptr;

private:
    QString TextoActual() const;
    // Escribe Texto como el control (el cursor queda al principio).
    void PonerTextoActual(const QString& texto);
    LogicaTexto::Edicion EdicionActual() const;
    void PonerCursor(qsizetype posicion);
    void AlCambiarTexto();
    bool ManejarTecla(class QKeyEvent* evento);
    bool ManejarMetodoEntrada(class QInputMethodEvent* evento);
    void Entregar(class QKeyEvent* evento, int tecla);
    void MoverFoco(const std::vector<MovimientoFoco>& focos);
    void AplicarAspecto();
    void AplicarAlineacion();

    QString text_; // el último texto aceptado
    bool reescribiendo_ = false;
    bool entregando_ = false;
    QColor backColor_ = QColor(0xFF, 0xFF, 0xFF);
    QColor foreColor_ = QColor(0, 0, 0);
    int borderStyle_ = 1;
    int alignment_ = 0;
    bool locked_ = false;
};
