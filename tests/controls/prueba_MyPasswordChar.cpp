// Lo que MyPasswordChar hace distinto de MyTextBox, lado a lado y con teclas de verdad.
#include "MyPasswordChar.h"
#include "MyTextBox.h"
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>
#include <memory>

namespace {

class Clave : public ::testing::Test {
protected:
    void SetUp() override {
        ventana = std::make_unique<QWidget>();
        auto* capas = new QVBoxLayout(ventana.get());
        comun = new MyTextBox;
        clave = new MyPasswordChar;
        despues = new QLineEdit(QStringLiteral("xyz"));
        capas->addWidget(comun);
        capas->addWidget(clave);
        capas->addWidget(despues);
        QObject::connect(clave, &MyPasswordChar::Change, [this] { ++cambios; });
        QObject::connect(clave, &MyPasswordChar::KeyPress, [this](int& k) { teclas << k; });
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
    }

    static QWidget* Foco() { return QApplication::focusWidget(); }
    static void Escribir(CajaTexto* c, const QString& s) {
        c->setFocus();
        for (const QChar ch : s)
            QTest::sendKeyEvent(QTest::Click, Foco(), Qt::Key(ch.toUpper().unicode()), QString(ch),
                                Qt::NoModifier);
    }
    static void Tecla(CajaTexto* c, Qt::Key k) {
        c->setFocus();
        QTest::keyClick(Foco(), k);
    }
    static QString Visible(CajaTexto* c) { return qobject_cast<QLineEdit*>(c->Texto())->text(); }

    std::unique_ptr<QWidget> ventana;
    MyTextBox* comun = nullptr;
    MyPasswordChar* clave = nullptr;
    QLineEdit* despues = nullptr;
    int cambios = 0;
    QList<int> teclas;
};

TEST_F(Clave, MinusculasEnterYCampoLleno) {
    for (CajaTexto* c : {static_cast<CajaTexto*>(comun), static_cast<CajaTexto*>(clave)})
        c->PonerKeysValidos(QStringLiteral("ABC123"));
    Escribir(comun, QStringLiteral("ab"));
    Escribir(clave, QStringLiteral("abAB"));
    EXPECT_EQ(Visible(comun), QStringLiteral("AB"));
    EXPECT_EQ(Visible(clave), QStringLiteral("AB")) << "las minúsculas no suben a mayúsculas";

    // Enter llega a KeyPress pero no mueve el foco ni entra en el texto.
    clave->PonerTypeMyTextBox(1);
    teclas.clear();
    Tecla(clave, Qt::Key_Return);
    EXPECT_EQ(teclas, (QList<int>{13}));
    EXPECT_EQ(Foco(), clave->Texto());
    EXPECT_EQ(Visible(clave), QStringLiteral("AB"));

    // Salvo por la regla del campo lleno, donde Enter cuenta como una tecla más.
    clave->PonerMaxLength(3);
    clave->PonerSelStart(2);
    Tecla(clave, Qt::Key_Return);
    EXPECT_EQ(Foco(), despues);
    EXPECT_TRUE(despues->hasSelectedText()) << "el foco llega como con Tab, sin ubicar el cursor";

    // Campo lleno: la tecla se descarta aunque haya selección.
    clave->PonerText(QStringLiteral("123"));
    clave->setFocus();
    clave->PonerSelStart(0);
    clave->PonerSelLength(1);
    Escribir(clave, QStringLiteral("C"));
    EXPECT_EQ(Visible(clave), QStringLiteral("123"));
    comun->PonerMaxLength(3);
    comun->PonerText(QStringLiteral("123"));
    comun->setFocus();
    comun->PonerSelStart(0);
    comun->PonerSelLength(1);
    Escribir(comun, QStringLiteral("C"));
    EXPECT_EQ(Visible(comun), QStringLiteral("C23"));
}

TEST_F(Clave, MascaraDeUnSoloSaltoYChangeSiempre) {
    const QString mascara = QStringLiteral("  //  ");
    comun->PonerMask(mascara);
    clave->PonerMask(mascara);
    EXPECT_GE(cambios, 1) << "la plantilla también alza Change";
    EXPECT_EQ(Visible(clave), mascara);

    Escribir(comun, QStringLiteral("123"));
    EXPECT_EQ(Visible(comun), QStringLiteral("12//3 ")) << "busca la próxima posición libre";
    Escribir(clave, QStringLiteral("123"));
    EXPECT_EQ(Visible(clave), QStringLiteral("12//  ")) << "salta una sola posición fija";

    // Retroceso: MyPasswordChar no borra la primera posición.
    clave->PonerMask(QStringLiteral("  /  /    "));
    clave->PonerText(QStringLiteral("12/34/    "));
    clave->setFocus();
    clave->PonerSelStart(3);
    QTest::keyClick(Foco(), Qt::Key_Backspace);
    EXPECT_EQ(Visible(clave), QStringLiteral("1 /34/    "));
    EXPECT_EQ(clave->SelStart(), 1);
    QTest::keyClick(Foco(), Qt::Key_Backspace);
    EXPECT_EQ(Visible(clave), QStringLiteral("1 /34/    "));
    QTest::keyClick(Foco(), Qt::Key_Delete);
    EXPECT_EQ(Visible(clave), QStringLiteral("1 /34/    "));
}

TEST_F(Clave, SalidaSaltosDeLineaYCaracterDeClave) {
    clave->PonerMaskSalida(QStringLiteral("0000"));
    Escribir(clave, QStringLiteral("7"));
    QTest::keyClick(Foco(), Qt::Key_Tab);
    EXPECT_EQ(clave->Text(), QStringLiteral("7000"));
    clave->PonerText(QString());
    clave->setFocus();
    QTest::keyClick(Foco(), Qt::Key_Tab);
    EXPECT_EQ(clave->Text(), QString());

    clave->PonerText(QStringLiteral("a\r\nb"));
    EXPECT_EQ(clave->Text(), QString()) << "nunca admite saltos de línea";

    clave->PonerText(QStringLiteral("abc"));
    auto* linea = qobject_cast<QLineEdit*>(clave->Texto());
    EXPECT_EQ(linea->displayText(), QStringLiteral("abc"));
    clave->PonerPasswordChar(QStringLiteral("#"));
    EXPECT_EQ(linea->displayText(), QStringLiteral("###"));
    EXPECT_EQ(clave->Text(), QStringLiteral("abc"));
    clave->PonerFontBold(true);
    EXPECT_TRUE(linea->font().bold());
}

} // namespace
