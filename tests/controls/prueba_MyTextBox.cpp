// MyTextBox en una ventana sin pantalla, con teclas de verdad sobre el
// control que tiene el foco.
#include "MyTextBox.h"
#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString MascaraFecha = QStringLiteral("  /  /    ");

class Formulario : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<QWidget>();
        auto* capas = new QVBoxLayout(ventana.get());
        anterior = new QLineEdit(QStringLiteral("anterior"));
        caja = new MyTextBox;
        siguiente = new MyTextBox;
        siguiente->PonerText(QStringLiteral("XYZ"));
        capas->addWidget(anterior);
        capas->addWidget(caja);
        capas->addWidget(siguiente);
        QObject::connect(caja, &MyTextBox::Change, [this] { ++cambios; });
        QObject::connect(caja, &MyTextBox::KeyPress, [this](int& k) { teclas << k; });
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
        caja->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), caja->Texto());
    }

    static QWidget* Foco() { return QApplication::focusWidget(); }
    static void Tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QTest::keyClick(Foco(), k, m);
    }
    static void Escribir(const QString& s) {
        for (const QChar c : s)
            QTest::sendKeyEvent(QTest::Click, Foco(), Qt::Key(c.toUpper().unicode()), QString(c),
                                Qt::NoModifier);
    }
    QLineEdit* Linea(MyTextBox* c) const { return qobject_cast<QLineEdit*>(c->Texto()); }
    QString Visible() const { return Linea(caja)->text(); }

    std::unique_ptr<QWidget> ventana;
    QLineEdit* anterior = nullptr;
    MyTextBox* caja = nullptr;
    MyTextBox* siguiente = nullptr;
    int cambios = 0;
    QList<int> teclas;
};

TEST_F(Formulario, MascaraDeFechaSaltaLasBarrasAlEscribirYAlBorrar) {
    caja->PonerMask(MascaraFecha);
    EXPECT_EQ(Visible(), MascaraFecha);
    EXPECT_EQ(caja->Text(), MascaraFecha);
    EXPECT_EQ(cambios, 0) << "la plantilla no es un cambio";

    Escribir(QStringLiteral("12"));
    EXPECT_EQ(Visible(), QStringLiteral("12/  /    "));
    EXPECT_EQ(caja->SelStart(), 2);
    EXPECT_EQ(cambios, 2);
    Escribir(QStringLiteral("3"));
    EXPECT_EQ(Visible(), QStringLiteral("12/3 /    "));
    EXPECT_EQ(caja->SelStart(), 4) << "la tecla cayó después de la barra";
    Escribir(QStringLiteral("42025"));
    EXPECT_EQ(caja->Text(), QStringLiteral("12/34/2025"));
    EXPECT_EQ(teclas.size(), 8);

    // Suprimir no borra nada con máscara.
    caja->PonerSelStart(0);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Visible(), QStringLiteral("12/34/2025"));

    // Retroceso detrás de la segunda barra borra el 4 y deja el cursor antes.
    caja->PonerSelStart(6);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(Visible(), QStringLiteral("12/3 /2025"));
    EXPECT_EQ(caja->SelStart(), 4);
    Tecla(Qt::Key_Backspace);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(Visible(), QStringLiteral("1 /  /2025"));
    EXPECT_EQ(caja->SelStart(), 1);
    Tecla(Qt::Key_Backspace);
    Tecla(Qt::Key_Backspace); // al principio no hace nada
    EXPECT_EQ(Visible(), QStringLiteral("  /  /2025"));
    EXPECT_EQ(caja->SelStart(), 0);

    // Una selección de más de un carácter no se sobrescribe.
    caja->PonerSelStart(6);
    caja->PonerSelLength(4);
    Escribir(QStringLiteral("9"));
    EXPECT_EQ(Visible(), QStringLiteral("  /  /2025"));

    // Al salir, los blancos toman la máscara de salida.
    caja->PonerMaskSalida(QStringLiteral("01/01"));
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(Foco(), siguiente->Texto());
    EXPECT_EQ(caja->Text(), QStringLiteral("01/01/2025"));
}

TEST_F(Formulario, SoloDigitosDescartaLetrasSinKeyPress) {
    caja->PonerKeysValidos(QStringLiteral("9876543210"));
    EXPECT_TRUE(caja->IsNumeric());
    Escribir(QStringLiteral("a1Ñ2 -"));
    EXPECT_EQ(Visible(), QStringLiteral("12"));
    EXPECT_EQ(teclas, (QList<int>{'1', '2'}));

    // Una minúscula fuera de KeysValidos sube a mayúscula; la del juego se respeta.
    caja->PonerText(QString());
    caja->PonerKeysValidos(QStringLiteral("ABCñ"));
    Escribir(QStringLiteral("abñd"));
    EXPECT_EQ(Visible(), QStringLiteral("ABñ"));

    // El juego por defecto tiene eñes y acentos, no comillas.
    caja->PonerText(QString());
    caja->PonerKeysValidos(KeysValidosPorDefecto());
    Escribir(QStringLiteral("Ñandú 'x\" ü"));
    EXPECT_EQ(Visible(), QStringLiteral("Ñandú x ü"));

    // Quien atiende KeyPress puede anular la tecla.
    QObject::connect(caja, &MyTextBox::KeyPress, [](int& k) {
        if (k == 'z')
            k = 0;
    });
    caja->PonerText(QString());
    Escribir(QStringLiteral("zy"));
    EXPECT_EQ(Visible(), QStringLiteral("y"));
}

TEST_F(Formulario, TextoCompuestoEntraComoTeclas) {
    // Un acento con tecla muerta llega como texto del método de entrada.
    caja->PonerMask(QStringLiteral("  -  "));
    QInputMethodEvent compuesto;
    compuesto.setCommitString(QStringLiteral("á\"é1"));
    QApplication::sendEvent(Foco(), &compuesto);
    EXPECT_EQ(Visible(), QStringLiteral("áé-1 ")) << "sobrescribe y salta el guion";
    EXPECT_EQ(teclas, (QList<int>{0xE1, 0xE9, '1'})) << "la comilla no es válida";
}

TEST_F(Formulario, MovimientosDeFoco) {
    // Campo lleno: la cuarta tecla se escribe y el foco pasa al siguiente, cursor al principio.
    caja->PonerTypeMyTextBox(1);
    caja->PonerMaxLength(4);
    Escribir(QStringLiteral("123"));
    EXPECT_EQ(Foco(), caja->Texto());
    Escribir(QStringLiteral("4"));
    EXPECT_EQ(caja->Text(), QStringLiteral("1234"));
    ASSERT_EQ(Foco(), siguiente->Texto());
    EXPECT_EQ(siguiente->SelStart(), 0);
    EXPECT_EQ(siguiente->SelLength(), 0);

    // Derecha al final del campo también sigue adelante; Enter también.
    caja->setFocus();
    caja->PonerSelStart(4);
    Tecla(Qt::Key_Right);
    EXPECT_EQ(Foco(), siguiente->Texto());
    caja->setFocus();
    Tecla(Qt::Key_Return);
    EXPECT_EQ(Foco(), siguiente->Texto());
    EXPECT_EQ(caja->Text(), QStringLiteral("1234")) << "Enter no entra sin MultiLine";

    // Sin movimiento hacia atrás (tipo 1), Retroceso al principio no se va.
    caja->setFocus();
    caja->PonerSelStart(0);
    Tecla(Qt::Key_Backspace);
    EXPECT_EQ(Foco(), caja->Texto());

    // Tipo 2: Retroceso e Izquierda al principio van al anterior, cursor al final.
    caja->PonerTypeMyTextBox(2);
    Tecla(Qt::Key_Backspace);
    ASSERT_EQ(Foco(), anterior);
    EXPECT_EQ(anterior->cursorPosition(), anterior->text().size());
    EXPECT_FALSE(anterior->hasSelectedText());
    caja->setFocus();
    caja->PonerSelStart(0);
    Tecla(Qt::Key_Left);
    EXPECT_EQ(Foco(), anterior);

    // Campo lleno sin movimiento (tipo 0): la quinta tecla se descarta,
    // salvo que reemplace una selección.
    caja->setFocus();
    caja->PonerTypeMyTextBox(0);
    caja->PonerSelStart(4);
    Escribir(QStringLiteral("5"));
    EXPECT_EQ(caja->Text(), QStringLiteral("1234"));
    caja->PonerSelStart(1);
    caja->PonerSelLength(1);
    Escribir(QStringLiteral("9"));
    EXPECT_EQ(caja->Text(), QStringLiteral("1934"));
    EXPECT_EQ(Foco(), caja->Texto());

    // Separador: se escribe (si es válido) y el foco sigue.
    caja->PonerMaxLength(0);
    caja->PonerSeparador(QStringLiteral("-"));
    caja->PonerSelStart(4);
    Escribir(QStringLiteral("-"));
    EXPECT_EQ(caja->Text(), QStringLiteral("1934-"));
    EXPECT_EQ(Foco(), siguiente->Texto());
}

TEST_F(Formulario, MascaraDeSalidaSinMascara) {
    caja->PonerMaskSalida(QStringLiteral("0000"));
    Escribir(QStringLiteral("7"));
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(caja->Text(), QStringLiteral("7000"));

    caja->PonerText(QString());
    caja->setFocus();
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(caja->Text(), QString()) << "vacío queda vacío";

    caja->PonerAplicaMaskSiempre(true);
    caja->setFocus();
    Tecla(Qt::Key_Tab);
    EXPECT_EQ(caja->Text(), QStringLiteral("0000"));
}

TEST_F(Formulario, TextoDeAfueraYLimites) {
    caja->PonerMaxLength(4);
    caja->PonerText(QStringLiteral("12345"));
    EXPECT_EQ(caja->Text(), QString()) << "más largo que MaxLength: se ignora";
    caja->PonerText(QStringLiteral("ab\"c"));
    EXPECT_EQ(caja->Text(), QString()) << "carácter inválido: se ignora";
    caja->PonerText(QStringLiteral("abcd"));
    EXPECT_EQ(Visible(), QStringLiteral("abcd"));
    EXPECT_EQ(cambios, 1);

    // Textos y máscaras de más de 32 767 caracteres se rechazan.
    caja->PonerMaxLength(0);
    caja->PonerText(QString(32768, QLatin1Char('A')));
    EXPECT_EQ(caja->Text(), QStringLiteral("abcd"));
    caja->PonerMask(QString(40000, QLatin1Char('/')));
    EXPECT_EQ(caja->Mask(), QString());
    caja->PonerText(QString(32767, QLatin1Char('A')));
    EXPECT_EQ(caja->Text().size(), 32767);

    // Un texto pegado inválido vuelve al aceptado.
    caja->PonerText(QStringLiteral("ok"));
    Linea(caja)->setText(QStringLiteral("mal\""));
    EXPECT_EQ(Visible(), QStringLiteral("ok"));

    // Suprimir sin máscara borra; si KeyDown anula el código, no.
    QList<int> codigos;
    QObject::connect(caja, &MyTextBox::KeyDown, [&](int& codigo, int) {
        codigos << codigo;
        if (codigo == 46 && caja->ValueAux() == QLatin1String("trabar"))
            codigo = 0;
    });
    caja->PonerSelStart(0);
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Visible(), QStringLiteral("k"));
    caja->PonerValueAux(QStringLiteral("trabar"));
    Tecla(Qt::Key_Delete);
    EXPECT_EQ(Visible(), QStringLiteral("k"));
    EXPECT_EQ(codigos, (QList<int>{46, 46}));
}

TEST_F(Formulario, VariasLineasAdmitenEnter) {
    caja->PonerMultiLine(true);
    auto* area = qobject_cast<QPlainTextEdit*>(caja->Texto());
    ASSERT_NE(area, nullptr);
    caja->setFocus();
    caja->PonerText(QStringLiteral("uno\ndos"));
    EXPECT_EQ(caja->Text(), QStringLiteral("uno\ndos"));
    caja->PonerSelStart(3);
    Tecla(Qt::Key_Return);
    EXPECT_EQ(area->toPlainText(), QStringLiteral("uno\n\ndos"));
    caja->PonerMultiLine(false);
    caja->PonerText(QStringLiteral("a\nb"));
    EXPECT_EQ(caja->Text(), QStringLiteral("uno\n\ndos")) << "sin MultiLine no hay saltos";
}

TEST_F(Formulario, AspectoHabilitadoEInhabilitado) {
    caja->PonerBackColor(QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(caja->Texto()->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
    EXPECT_EQ(caja->palette().color(QPalette::Window), QColor(Qt::white));
    caja->setEnabled(false);
    const QColor gris(0xE0, 0xE0, 0xE0);
    EXPECT_EQ(caja->Texto()->palette().color(QPalette::Disabled, QPalette::Base), gris);
    EXPECT_EQ(caja->palette().color(QPalette::Disabled, QPalette::Window), gris);
    EXPECT_EQ(caja->Texto()->palette().color(QPalette::Disabled, QPalette::Text),
              QApplication::palette().color(QPalette::Disabled, QPalette::Text));
    caja->setEnabled(true);
    EXPECT_EQ(caja->Texto()->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xC0));
}

} // namespace
