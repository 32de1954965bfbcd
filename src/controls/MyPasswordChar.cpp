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
    CambiarLetra([v](QFont& f) { f.setBold(v); });
}

void MyPasswordChar::PonerFontItalic(bool v) {
    CambiarLetra([v](QFont& f) { f.setItalic(v); });
}

void MyPasswordChar::PonerFontSize(double puntos) {
    if (puntos <= 0)
        return;
    CambiarLetra([puntos](QFont& f) { f.setPointSizeF(puntos); });
}

void MyPasswordChar::PonerFontName(const QString& nombre) {
    CambiarLetra([&nombre](QFont& f) { f.setFamily(nombre); });
}

void MyPasswordChar::PonerFontStrikethru(bool v) {
    CambiarLetra([v](QFont& f) { f.setStrikeOut(v); });
}

void MyPasswordChar::PonerFontUnderline(bool v) {
    CambiarLetra([v](QFont& f) { f.setUnderline(v); });
}
