#include "MyPasswordChar.h"
#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QProxyStyle>

namespace {

// Estilo de Texto: dibuja el carácter de clave elegido, sin demora.
class EstiloClave : public QProxyStyle {
public:
    explicit EstiloClave(QObject* parent) { setParent(parent); }
    char16_t caracter = u'*';

    int styleHint(StyleHint hint, const QStyleOption* opcion, const QWidget* widget,
                  QStyleHintReturn* retorno) const override {
        if (hint == SH_LineEdit_PasswordCharacter)
            return caracter;
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, opcion, widget, retorno);
    }
};

} // namespace

MyPasswordChar::MyPasswordChar(QWidget* parent) : CajaTexto(VarianteCaja::MyPasswordChar, parent) {
    estilo_ = new EstiloClave(this);
    linea_->setStyle(estilo_);
}

void MyPasswordChar::PonerPasswordChar(const QString& caracter) {
    passwordChar_ = caracter;
    if (caracter.isEmpty()) {
        linea_->setEchoMode(QLineEdit::Normal);
        return;
    }
    static_cast<EstiloClave*>(estilo_)->caracter = caracter.at(0).unicode();
    // Texto lee el carácter del estilo cuando el estilo cambia.
    QEvent cambioDeEstilo(QEvent::StyleChange);
    QCoreApplication::sendEvent(linea_, &cambioDeEstilo);
    linea_->setEchoMode(QLineEdit::Password);
}

void MyPasswordChar::PonerFontBold(bool v) {
    QFont f = font();
    f.setBold(v);
    setFont(f);
}

void MyPasswordChar::PonerFontItalic(bool v) {
    QFont f = font();
    f.setItalic(v);
    setFont(f);
}

void MyPasswordChar::PonerFontSize(double puntos) {
    if (puntos <= 0)
        return;
    QFont f = font();
    f.setPointSizeF(puntos);
    setFont(f);
}

void MyPasswordChar::PonerFontName(const QString& nombre) {
    QFont f = font();
    f.setFamily(nombre);
    setFont(f);
}

void MyPasswordChar::PonerFontStrikethru(bool v) {
    QFont f = font();
    f.setStrikeOut(v);
    setFont(f);
}

void MyPasswordChar::PonerFontUnderline(bool v) {
    QFont f = font();
    f.setUnderline(v);
    setFont(f);
}
