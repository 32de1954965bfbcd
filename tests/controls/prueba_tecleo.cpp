// La fecha tecleada entera en la caja de fecha, como la escribe una persona:
// clic, Ctrl+A, la fecha con o sin separadores y Tab, Enter o Escape. La
// fecha que existe queda tal cual; la que no, se rechaza con un mensaje y la
// caja conserva la suya. Y los motivos del rechazo, en castellano.
#include "DateTimeBox.h"
#include "DialogosGuion.h"
#include "FechaTecleada.h"
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Un día que nunca es hoy.
const QDate OtroDia = QDate(2019, 7, 23);

// Como lo hace una persona: clic en la caja, Ctrl+A, la fecha tecla por tecla
// (cada tecla a lo que tenga el foco) y Tab hacia el botón de al lado.
struct Tecleo {
    QWidget ventana;
    DateTimeBox* caja;
    QPushButton* boton;
    Tecleo() : caja(new DateTimeBox(&ventana)), boton(new QPushButton("Aceptar", &ventana)) {
        BolsaPropiedades bolsa;
        bolsa.Escribir(QStringLiteral("PermiteValueNull"), false, true);
        caja->LeerPropiedades(bolsa);
        ventana.resize(240, 60);
        caja->setGeometry(10, 10, 89, 21);
        boton->setGeometry(110, 10, 80, 24);
        ventana.show();
        ventana.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&ventana));
        EXPECT_TRUE(caja->PonerValue(OtroDia));
    }
    void Teclear(const QString& texto, Qt::Key salida = Qt::Key_Tab) {
        QLineEdit* linea = caja->DateTime()->Editor()->findChild<QLineEdit*>();
        QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        for (QChar letra : texto)
            QTest::keyClick(QApplication::focusWidget(), letra.toLatin1());
        QTest::keyClick(QApplication::focusWidget(), salida);
    }
};

TEST(DateTimeBox, LaFechaTecleadaEnteraQuedaTalCualYLaImposibleSeRechaza) {
    struct Caso {
        const char* teclas;
        QDate esperada; // inválida: se rechaza con un mensaje y la caja conserva la suya
    };
    const Caso casos[] = {
        {"30/06/2024", QDate(2024, 6, 30)},
        {"15/03/2025", QDate(2025, 3, 15)},
        {"30062024", QDate(2024, 6, 30)},
        {"01022024", QDate(2024, 2, 1)},
        {"1/2/2024", QDate(2024, 2, 1)},
        {"29-02-2024", QDate(2024, 2, 29)},
        {"31.12.25", QDate(2025, 12, 31)},
        {"23/07/2019", QDate()}, // la misma: sin cambio
        {"31/02/2025", QDate()},
        {"29/02/2025", QDate()},
        {"31/04/2024", QDate()},
        {"00/01/2024", QDate()},
        {"15/13/2024", QDate()},
        {"3006", QDate()},
        {"30/06", QDate()},
        {"3062024", QDate()},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.teclas);
        DialogosGuion ui;
        Tecleo t;
        QSignalSpy cambios(t.caja, &DateTimeBox::Change);
        t.Teclear(QString::fromLatin1(caso.teclas));
        const bool igual = QLatin1String(caso.teclas) == QLatin1String("23/07/2019");
        if (caso.esperada.isValid()) {
            EXPECT_EQ(t.caja->Value().toDate(), caso.esperada);
            EXPECT_EQ(cambios.count(), 1);
            EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
            EXPECT_EQ(QApplication::focusWidget(), t.boton) << "Tab sigue su camino";
            EXPECT_EQ(t.caja->TextoEnabled()->text(),
                      caso.esperada.toString(QStringLiteral("dd/MM/yyyy")));
            continue;
        }
        EXPECT_EQ(t.caja->Value().toDate(), OtroDia) << "nunca otra fecha en silencio";
        if (igual) {
            EXPECT_EQ(cambios.count(), 0);
            EXPECT_TRUE(ui.mensajes.empty());
            continue;
        }
        EXPECT_EQ(cambios.count(), 0);
        ASSERT_EQ(ui.mensajes.size(), 1u);
        EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QString::fromLatin1(caso.teclas)))
            << ui.mensajes[0].Mensaje.toStdString();
        // La entrada rechazada espera corrección; Escape la descarta.
        ASSERT_NE(QApplication::focusWidget(), t.boton);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(t.caja->Value().toDate(), OtroDia);
        EXPECT_EQ(ui.mensajes.size(), 1u);
    }
}

TEST(DateTimeBox, EnterConfirmaLaFechaTecleadaAntesDeAvisarla) {
    DialogosGuion ui;
    Tecleo t;
    QDate alAvisar;
    QObject::connect(t.caja, &DateTimeBox::KeyDown,
                     [&](int&, int) { alAvisar = t.caja->Value().toDate(); });
    t.Teclear(QStringLiteral("05112025"), Qt::Key_Return);
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2025, 11, 5));
    EXPECT_EQ(alAvisar, QDate(2025, 11, 5)) << "quien escucha Enter ya lee la fecha nueva";
    EXPECT_TRUE(t.caja->isAncestorOf(QApplication::focusWidget()));

    // Escape descarta lo tecleado; la fecha escrita por el programa también.
    t.Teclear(QStringLiteral("0101"), Qt::Key_Escape);
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2025, 11, 5));
    QLineEdit* linea = t.caja->DateTime()->Editor()->findChild<QLineEdit*>();
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(QApplication::focusWidget(), '1');
    ASSERT_TRUE(t.caja->PonerValue(QDate(2020, 1, 2)));
    EXPECT_TRUE(t.caja->ConfirmarEntrada());
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2020, 1, 2));

    // Quien lee la caja sin que la persona salga (una tecla de la ventana)
    // confirma antes: lo tecleado vale, o se rechaza con el mensaje.
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    for (char c : QByteArray("31122024"))
        QTest::keyClick(QApplication::focusWidget(), c);
    EXPECT_TRUE(t.caja->ConfirmarEntrada());
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2024, 12, 31));
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    for (char c : QByteArray("32122024"))
        QTest::keyClick(QApplication::focusWidget(), c);
    EXPECT_FALSE(t.caja->ConfirmarEntrada());
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2024, 12, 31));
    EXPECT_EQ(ui.mensajes.size(), 1u);
}

TEST(DateTimeBox, LaFechaTecleadaEnUnaCajaVaciaEsEsaYNoLaDeHoy) {
    DialogosGuion ui;
    Tecleo t;
    t.caja->PonerPermiteValueNull(true); // la que admite quedar vacía
    ASSERT_TRUE(t.caja->PonerValue(QVariant()));
    ASSERT_FALSE(t.caja->TextoTope()->isHidden());
    QSignalSpy cambios(t.caja, &DateTimeBox::Change);
    t.Teclear(QStringLiteral("30062024"), Qt::Key_Return);
    EXPECT_EQ(t.caja->Value().toDate(), QDate(2024, 6, 30));
    EXPECT_TRUE(t.caja->TextoTope()->isHidden());
    EXPECT_EQ(cambios.count(), 1);
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST(FechaTecleada, MotivosEnCastellanoYLimites) {
    const QDate minimo(1601, 1, 1), maximo(9999, 12, 31);
    struct Caso {
        const char* texto;
        QDate fecha;
        const char* motivo; // parte del motivo, si se rechaza
    };
    const Caso casos[] = {
        {" 30/06/2024 ", QDate(2024, 6, 30), ""},
        {"300624", QDate(2024, 6, 30), ""},
        {"29/02/2000", QDate(2000, 2, 29), ""},
        {"29/02/1900", QDate(), "febrero de 1900 tiene 28 días"},
        {"31/02/2025", QDate(), "febrero de 2025 tiene 28 días"},
        {"31/09/2025", QDate(), "septiembre de 2025 tiene 30 días"},
        {"15/00/2025", QDate(), "el mes 00 no existe"},
        {"1/1/0000", QDate(), "el año 0000 no existe"},
        {"", QDate(), "Escriba la fecha entera"},
        {"30-06", QDate(), "no es una fecha entera"},
        {"30/06/2024/1", QDate(), "no es una fecha entera"},
        {"31/12/1600", QDate(), "entre el 01/01/1601 y el 31/12/9999"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        const LecturaFecha l = LeerFechaTecleada(QString::fromUtf8(c.texto), minimo, maximo);
        EXPECT_EQ(l.fecha, c.fecha);
        EXPECT_EQ(l.Aceptada(), c.fecha.isValid());
        if (!c.fecha.isValid())
            EXPECT_TRUE(l.motivo.contains(QString::fromUtf8(c.motivo))) << l.motivo.toStdString();
        else
            EXPECT_TRUE(l.motivo.isEmpty());
    }
}

} // namespace
