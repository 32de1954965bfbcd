// Las reglas de máscara y teclas, sin ventanas.
#include "LogicaTexto.h"
#include <gtest/gtest.h>

namespace {

const QString MascaraFecha = QStringLiteral("  /  /    ");

TEST(AplicoMascara, CompletaPonePosicionesFijasYCorta) {
    QString texto = QStringLiteral("1234");
    QString mascara = MascaraFecha;
    EXPECT_EQ(LogicaTexto::AplicoMascara(texto, mascara, 0), QStringLiteral("12/4 /    "));
    EXPECT_EQ(texto, QStringLiteral("12/4 /    ")) << "el texto se trabaja en el lugar";

    texto = QStringLiteral("12/34/20251");
    EXPECT_EQ(LogicaTexto::AplicoMascara(texto, mascara, 0), QStringLiteral("12/34/20251"));
    EXPECT_EQ(mascara, MascaraFecha + QLatin1Char(' ')) << "la máscara crece con blancos";

    mascara = MascaraFecha;
    texto = QStringLiteral("12/34/2025");
    EXPECT_EQ(LogicaTexto::AplicoMascara(texto, mascara, 5), QStringLiteral("12/34"));

    // Máscara de blancos o vacía: no hay máscara.
    QString blancos = QStringLiteral("   ");
    texto = QStringLiteral("x");
    EXPECT_EQ(LogicaTexto::AplicoMascara(texto, blancos, 0), QStringLiteral("x"));
    EXPECT_EQ(blancos, QStringLiteral("   "));
}

TEST(Posiciones, FijasLibresYBusquedas) {
    LogicaTexto l;
    l.Mask = QStringLiteral("a  //  ");
    EXPECT_TRUE(l.PosicionEnmascarada(0)) << "antes de la primera cuenta como fija";
    EXPECT_TRUE(l.PosicionEnmascarada(1));
    EXPECT_FALSE(l.PosicionEnmascarada(2));
    EXPECT_FALSE(l.PosicionEnmascarada(8)) << "más allá de la máscara es libre";
    EXPECT_EQ(l.AnteriorPosicionSinMascara(6), 3);
    EXPECT_EQ(l.AnteriorPosicionSinMascara(2), 2) << "sin libre antes: la misma";
    EXPECT_EQ(l.ProximaPosicionSinMascara(3, 7), 6);
    EXPECT_EQ(l.ProximaPosicionSinMascara(7, 7), 7);
    l.Mask = QStringLiteral("  //");
    EXPECT_EQ(l.ProximaPosicionSinMascara(2, 4), 2) << "sin libre después: la misma";

    EXPECT_EQ(LogicaTexto::CambiarLetra(QStringLiteral("abc"), QStringLiteral("X"), 2),
              QStringLiteral("aXc"));
    EXPECT_EQ(LogicaTexto::CambiarLetra(QStringLiteral("abc"), QStringLiteral("X"), 4),
              QStringLiteral("abcX"));
    EXPECT_EQ(LogicaTexto::CambiarLetra(QStringLiteral("ab"), QStringLiteral("X"), 9),
              QStringLiteral("abX"));
    EXPECT_EQ(LogicaTexto::CambiarLetra(QStringLiteral("ab"), QStringLiteral("X"), 0),
              QStringLiteral("ab"));
}

TEST(CaracteresValidos, JuegoPorDefectoMascaraYLargo) {
    LogicaTexto l;
    for (const QChar c : QStringLiteral("ÑñÁÉÍÓÚÜáéíóúü¿¡°º¦´\\ "))
        EXPECT_TRUE(l.CaracterValido(c, false, 1)) << QString(c).toStdString();
    EXPECT_TRUE(l.KeysValidos.endsWith(QLatin1Char(' ')));
    EXPECT_FALSE(l.CaracterValido(QLatin1Char('\''), false, 1));
    EXPECT_FALSE(l.CaracterValido(QLatin1Char('"'), false, 1));
    EXPECT_FALSE(l.CaracterValido(QLatin1Char('\n'), false, 1));
    EXPECT_TRUE(l.CaracterValido(QLatin1Char('\r'), true, 1));

    // Con máscara vale además lo que la máscara pide, un blanco o nada.
    l.KeysValidos = QStringLiteral("0123456789");
    l.Mask = QStringLiteral(" -");
    EXPECT_TRUE(l.CaracterValido(QLatin1Char('x'), false, 1));
    EXPECT_TRUE(l.CaracterValido(QLatin1Char('-'), false, 2));
    EXPECT_FALSE(l.CaracterValido(QLatin1Char('x'), false, 2));
    EXPECT_TRUE(l.CaracterValido(QLatin1Char('x'), false, 3));
    EXPECT_TRUE(l.HayCaracteresInvalidos(QStringLiteral("1x"), false));
    EXPECT_FALSE(l.HayCaracteresInvalidos(QStringLiteral("x-y"), false));

    EXPECT_TRUE(l.IsNumeric());
    l.KeysValidos = QStringLiteral("01234567899");
    EXPECT_FALSE(l.IsNumeric());
    l.KeysValidos = QStringLiteral("0123456788");
    EXPECT_FALSE(l.IsNumeric());

    // Más de 32 767 caracteres: inválido, nunca una caída.
    l = LogicaTexto();
    EXPECT_FALSE(l.HayCaracteresInvalidos(QString(LargoMaximoTexto, QLatin1Char('A')), false));
    EXPECT_TRUE(l.HayCaracteresInvalidos(QString(LargoMaximoTexto + 1, QLatin1Char('A')), false));
    EXPECT_TRUE(LogicaTexto::Blancos(QString(70000, QLatin1Char(' '))));
    l.Mask = QString(LargoMaximoTexto + 1, QLatin1Char('/'));
    EXPECT_FALSE(l.TextoAlPonerMascara(QString()).has_value());
}

TEST(Cambios, ValidacionMascaraYChange) {
    LogicaTexto l;
    l.Mask = MascaraFecha;
    l.MaxLength = 10;
    auto c = l.CambioDeTexto(MascaraFecha, QStringLiteral("1 /  /    "));
    EXPECT_TRUE(c.alzarChange) << "borrar hasta la plantilla sí es un cambio";
    c = l.CambioDeTexto(QStringLiteral("12/34/20256"), QStringLiteral("12/34/2025"));
    EXPECT_EQ(c.aceptado, QStringLiteral("12/34/2025")) << "más largo que MaxLength";
    EXPECT_TRUE(c.reescribir);

    LogicaTexto clave(VarianteCaja::MyPasswordChar);
    clave.Mask = MascaraFecha;
    EXPECT_TRUE(clave.CambioDeTexto(QString(), QString()).alzarChange);
}

TEST(Teclas, CasosSinVentana) {
    // Con máscara y el cursor ante una posición fija final, la tecla queda en el texto.
    LogicaTexto l;
    l.Mask = QStringLiteral("  /");
    auto r = l.TeclaPresionada({QStringLiteral("12/"), 2, 0}, '5');
    EXPECT_EQ(r.accion, LogicaTexto::Accion::Reemplazar);
    EXPECT_EQ(r.texto, QStringLiteral("125"));
    EXPECT_EQ(r.cursor, 3);

    EXPECT_EQ(CodigoTeclaDesdeQt(Qt::Key_Right, false), 39);
    EXPECT_EQ(CodigoTeclaDesdeQt(Qt::Key_3, true), 99);
    EXPECT_EQ(CaracterDesdeQt(Qt::Key_V, Qt::ControlModifier, QStringLiteral("v")), 22);
    EXPECT_EQ(CaracterDesdeQt(Qt::Key_F, Qt::AltModifier, QStringLiteral("f")), 0);
    EXPECT_EQ(CaracterDesdeQt(Qt::Key_Delete, 0, QStringLiteral("\x7f")), 0);
    EXPECT_EQ(CaracterDesdeQt(Qt::Key_Ntilde, 0, QStringLiteral("ñ")), 0xF1);
}

} // namespace
