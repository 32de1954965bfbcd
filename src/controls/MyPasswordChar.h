#pragma once
// Cuadro de clave: la variante vieja de MyTextBox, con carácter de clave y
// sin máscara de salida forzada, varias líneas ni ubicación del cursor al
// mover el foco.
#include "CajaTexto.h"

class QProxyStyle;

class MyPasswordChar : public CajaTexto {
    Q_OBJECT
    Q_PROPERTY(QString PasswordChar READ PasswordChar WRITE PonerPasswordChar)
    Q_PROPERTY(bool FontBold READ FontBold WRITE PonerFontBold)
    Q_PROPERTY(bool FontItalic READ FontItalic WRITE PonerFontItalic)
    Q_PROPERTY(double FontSize READ FontSize WRITE PonerFontSize)
    Q_PROPERTY(QString FontName READ FontName WRITE PonerFontName)
    Q_PROPERTY(bool FontStrikethru READ FontStrikethru WRITE PonerFontStrikethru)
    Q_PROPERTY(bool FontUnderline READ FontUnderline WRITE PonerFontUnderline)
    Q_PROPERTY(bool FontTransparent READ FontTransparent WRITE PonerFontTransparent)

public:
    explicit MyPasswordChar(QWidget* parent = nullptr);

    // Carácter que Texto muestra en lugar de cada carácter; vacío: el texto tal cual.
    QString PasswordChar() const { return passwordChar_; }
    void PonerPasswordChar(const QString& caracter);

    bool FontBold() const { return font().bold(); }
    void PonerFontBold(bool v);
    bool FontItalic() const { return font().italic(); }
    void PonerFontItalic(bool v);
    double FontSize() const { return font().pointSizeF(); }
    void PonerFontSize(double puntos);
    QString FontName() const { return font().family(); }
    void PonerFontName(const QString& nombre);
    bool FontStrikethru() const { return font().strikeOut(); }
    void PonerFontStrikethru(bool v);
    bool FontUnderline() const { return font().underline(); }
    void PonerFontUnderline(bool v);
    bool FontTransparent() const { return fontTransparent_; }
    void PonerFontTransparent(bool v) { fontTransparent_ = v; }

private:
    template <typename Cambio> void CambiarLetra(Cambio cambio) {
        QFont f = font();
        cambio(f);
        setFont(f);
    }
    QString passwordChar_;
    QProxyStyle* estilo_ = nullptr;
    bool fontTransparent_ = true;
};
