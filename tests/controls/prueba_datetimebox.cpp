// Caja de fecha: estados, propiedades guardadas y eventos de teclado y mouse reales.
#include "DateTimeBox.h"
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const QDate Hoy = QDate::currentDate();
// Un día que nunca es hoy.
const QDate OtroDia = QDate(2019, 7, 23);

QColor ColorBase(QLineEdit* texto) {
    return texto->palette().color(QPalette::Base);
}
QColor ColorLetra(QLineEdit* texto) {
    return texto->palette().color(QPalette::Text);
}

// Caja como la de las ventanas de estadística: solo PermiteValueNull = False guardado.
void ComoEnEstadisticas(DateTimeBox& caja) {
    BolsaPropiedades bolsa;
    bolsa.Escribir(QStringLiteral("PermiteValueNull"), false, true);
    caja.LeerPropiedades(bolsa);
}

struct Ventana {
    QWidget ventana;
    DateTimeBox* caja;
    Ventana() : caja(new DateTimeBox(&ventana)) {
        ventana.resize(200, 60);
        caja->setGeometry(10, 10, 89, 21);
        ventana.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    }
};

TEST(DateTimeBox, DeEstadisticaSiempreTieneFecha) {
    DateTimeBox caja;
    ComoEnEstadisticas(caja);
    EXPECT_FALSE(caja.PermiteValueNull());
    EXPECT_FALSE(caja.CheckBox()) << "la casilla sigue a PermiteValueNull al cargar";
    EXPECT_FALSE(caja.DateTime()->MuestraCasilla());
    EXPECT_TRUE(caja.TextoTope()->isHidden());
    EXPECT_EQ(caja.Value().toDate(), Hoy);

    ASSERT_TRUE(caja.PonerValue(OtroDia));
    EXPECT_TRUE(caja.PonerValue(QVariant()));
    EXPECT_EQ(caja.Value().toDate(), OtroDia) << "Null no la vacía";
    EXPECT_TRUE(caja.PonerValue(QString()));
    EXPECT_EQ(caja.Value().toDate(), OtroDia) << "\"\" tampoco";
    EXPECT_TRUE(caja.TextoTope()->isHidden());

    // Texto día/mes/año y fecha fuera de rango.
    EXPECT_TRUE(caja.PonerValue(QStringLiteral("03/11/2025")));
    EXPECT_EQ(caja.Value().toDate(), QDate(2025, 11, 3));
    caja.PonerMinDate(QDate(2020, 1, 1));
    EXPECT_FALSE(caja.PonerValue(QDate(2010, 5, 5))) << "el selector la rechaza";
    EXPECT_EQ(caja.Value().toDate(), QDate(2025, 11, 3));
    EXPECT_FALSE(caja.PonerValue(QStringLiteral("no es fecha")));
}

TEST(DateTimeBox, VaciaMuestraElTextoEnGrisYVuelveConUnaFecha) {
    DateTimeBox caja; // control nuevo: PermiteValueNull y casilla
    EXPECT_TRUE(caja.PermiteValueNull());
    EXPECT_TRUE(caja.CheckBox());
    EXPECT_TRUE(caja.DateTime()->MuestraCasilla());
    caja.PonerTextoValueNull(QStringLiteral("Sin fecha"));

    ASSERT_TRUE(caja.PonerValue(QVariant()));
    EXPECT_TRUE(caja.Value().isNull());
    EXPECT_FALSE(caja.TextoTope()->isHidden());
    EXPECT_EQ(caja.TextoTope()->text(), QStringLiteral("Sin fecha"));
    EXPECT_EQ(ColorLetra(caja.TextoTope()), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(ColorBase(caja.TextoTope()), QColor(Qt::white));
    EXPECT_FALSE(caja.DateTime()->Casilla()->isChecked());
    EXPECT_TRUE(caja.TextoEnabled()->text().isEmpty());

    ASSERT_TRUE(caja.PonerValue(OtroDia));
    EXPECT_TRUE(caja.TextoTope()->isHidden()) << "el texto gris se va en el acto";
    EXPECT_EQ(caja.Value().toDate(), OtroDia);
    EXPECT_EQ(caja.TextoEnabled()->text(), QStringLiteral("23/07/2019"));

    // Sin casilla pero admitiendo vacío (nadie lo usa así): queda vacía igual.
    caja.PonerCheckBox(false);
    ASSERT_TRUE(caja.PonerValue(QStringLiteral("")));
    EXPECT_TRUE(caja.Value().isNull());
    EXPECT_FALSE(caja.TextoTope()->isHidden());
}

TEST(DateTimeBox, DeshabilitadaMuestraLaFechaComoTexto) {
    DateTimeBox caja;
    ComoEnEstadisticas(caja);
    caja.resize(89, 21);
    ASSERT_TRUE(caja.PonerValue(OtroDia));

    caja.PonerEnabled(false);
    EXPECT_FALSE(caja.isEnabled());
    EXPECT_TRUE(caja.DateTime()->isHidden()) << "sin PermiteValueNull el selector se oculta";
    EXPECT_FALSE(caja.TextoEnabled()->isHidden());
    EXPECT_FALSE(caja.TextoEnabled()->isEnabled());
    EXPECT_EQ(caja.TextoEnabled()->text(), QStringLiteral("23/07/2019"));
    EXPECT_EQ(ColorBase(caja.TextoEnabled()), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_EQ(caja.TextoEnabled()->geometry(), QRect(0, 0, 89, 21)) << "cubre todo el control";

    caja.PonerEnabled(true);
    EXPECT_TRUE(caja.isEnabled());
    EXPECT_FALSE(caja.DateTime()->isHidden());
    EXPECT_TRUE(caja.DateTime()->isEnabled());
    EXPECT_TRUE(caja.TextoEnabled()->isHidden());
    EXPECT_EQ(ColorBase(caja.TextoEnabled()), QColor(Qt::white));

    // Vacía y admitiendo vacío: texto gris vacío encima, el selector sigue.
    DateTimeBox vacia;
    ASSERT_TRUE(vacia.PonerValue(QVariant()));
    vacia.PonerEnabled(false);
    EXPECT_FALSE(vacia.TextoEnabled()->isHidden());
    EXPECT_TRUE(vacia.TextoEnabled()->text().isEmpty());
    EXPECT_FALSE(vacia.DateTime()->isHidden());
    EXPECT_EQ(ColorBase(vacia.TextoTope()), QColor(0xE0, 0xE0, 0xE0));
}

TEST(DateTimeBox, MinimoMaximoYAvisosDeCambio) {
    DateTimeBox caja;
    QSignalSpy avisos(&caja, &DateTimeBox::PropiedadCambiada);
    caja.PonerMinDate(QDate(2020, 1, 1));
    caja.PonerMaxDate(QDate(2030, 12, 31));
    EXPECT_EQ(caja.MinDate(), QDate(2020, 1, 1));
    EXPECT_EQ(caja.MaxDate(), QDate(2030, 12, 31));

    caja.PonerMaxDate(QDate(2020, 1, 1)); // igual al mínimo: se ignora
    EXPECT_EQ(caja.MaxDate(), QDate(2030, 12, 31));
    caja.PonerMaxDate(QDate(2015, 6, 1)); // anterior: se ignora
    EXPECT_EQ(caja.MaxDate(), QDate(2030, 12, 31));
    caja.PonerMaxDate(QDate(2020, 1, 2));
    EXPECT_EQ(caja.MaxDate(), QDate(2020, 1, 2));

    caja.PonerBackColor(0x123456);
    caja.PonerBorderStyle(1);
    QStringList nombres;
    for (const auto& a : avisos)
        nombres << a.at(0).toString();
    EXPECT_EQ(nombres, (QStringList{"MinDate", "MaxDate", "MaxDate", "MaxDate", "MaxDate",
                                    "BackColor", "BorderStyle"}))
        << "toda escritura avisa, aunque se ignore";
}

TEST(DateTimeBox, PropiedadesGuardadasEnOrdenYSinLosValoresPorDefecto) {
    DateTimeBox caja;
    ComoEnEstadisticas(caja);
    BolsaPropiedades bolsa;
    caja.GuardarPropiedades(bolsa);
    EXPECT_EQ(bolsa.Claves(), QStringList{"PermiteValueNull"})
        << "la fecha de hoy no se guarda: la caja se abre con el día en que se abre";

    caja.PonerBackColor(255);
    caja.PonerEnabled(false);
    caja.PonerTextoValueNull(QStringLiteral("—"));
    caja.PonerPermiteValueNull(true);
    ASSERT_TRUE(caja.PonerValue(OtroDia));
    BolsaPropiedades completa;
    caja.GuardarPropiedades(completa);
    EXPECT_EQ(completa.Claves(),
              (QStringList{"BackColor", "Enabled", "CheckBox", "TextoValueNull", "Value"}));
    EXPECT_EQ(completa.Leer(QStringLiteral("Value"), QVariant()).toDate(), OtroDia);

    DateTimeBox otra;
    otra.LeerPropiedades(completa);
    EXPECT_EQ(otra.BackColor(), 255);
    EXPECT_FALSE(otra.Enabled());
    EXPECT_TRUE(otra.PermiteValueNull());
    EXPECT_TRUE(otra.CheckBox());
    EXPECT_EQ(otra.TextoValueNull(), QStringLiteral("—"));
    EXPECT_EQ(otra.Value().toDate(), OtroDia);
    EXPECT_FALSE(otra.TextoEnabled()->isHidden()) << "deshabilitada al cargar";

    // La casilla guardada se corrige con PermiteValueNull al cargar.
    BolsaPropiedades rara;
    rara.Escribir(QStringLiteral("CheckBox"), true, false);
    rara.Escribir(QStringLiteral("PermiteValueNull"), false, true);
    DateTimeBox tercera;
    tercera.LeerPropiedades(rara);
    EXPECT_FALSE(tercera.CheckBox());
    EXPECT_EQ(tercera.Value().toDate(), Hoy) << "sin Value guardado, hoy";

    // Una caja guardada sin fecha se abre con el día de hoy, también la que
    // admite quedar vacía.
    DateTimeBox vacia;
    ASSERT_TRUE(vacia.PonerValue(QVariant()));
    BolsaPropiedades b;
    vacia.GuardarPropiedades(b);
    DateTimeBox vuelta;
    vuelta.LeerPropiedades(b);
    EXPECT_TRUE(vuelta.PermiteValueNull());
    EXPECT_EQ(vuelta.Value().toDate(), Hoy);
    EXPECT_TRUE(vuelta.TextoTope()->isHidden());
}

TEST(DateTimeBox, TildarLaCasillaVaciaDejaHoyYAvisaUnaVez) {
    Ventana v;
    DateTimeBox* caja = v.caja;
    ASSERT_TRUE(caja->PonerValue(OtroDia));
    ASSERT_TRUE(caja->PonerValue(QVariant()));
    QSignalSpy cambios(caja, &DateTimeBox::Change);
    QSignalSpy clics(caja, &DateTimeBox::Click);

    QCheckBox* casilla = caja->DateTime()->Casilla();
    ASSERT_TRUE(casilla->isVisible());
    QTest::mouseClick(casilla, Qt::LeftButton, {}, casilla->rect().center());
    EXPECT_EQ(clics.count(), 1);
    EXPECT_EQ(cambios.count(), 1);
    EXPECT_TRUE(caja->EstabaNulo());
    EXPECT_EQ(caja->Value().toDate(), Hoy) << "no la fecha que tenía el selector";
    EXPECT_TRUE(caja->TextoTope()->isHidden());
    EXPECT_EQ(caja->TextoEnabled()->text(), DateTimeBox::TextoCorto(Hoy));

    // Destildar la vacía.
    QTest::mouseClick(casilla, Qt::LeftButton, {}, casilla->rect().center());
    EXPECT_EQ(cambios.count(), 2);
    EXPECT_TRUE(caja->Value().isNull());
    EXPECT_FALSE(caja->TextoTope()->isHidden());
    EXPECT_FALSE(caja->EstabaNulo());
}

TEST(DateTimeBox, ElegirUnDiaEstandoVaciaTambienDejaHoy) {
    Ventana v;
    DateTimeBox* caja = v.caja;
    ASSERT_TRUE(caja->PonerValue(OtroDia));
    ASSERT_TRUE(caja->PonerValue(QVariant()));
    QSignalSpy cambios(caja, &DateTimeBox::Change);
    QDateEdit* editor = caja->DateTime()->Editor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_Up); // el usuario cambia el día
    EXPECT_EQ(cambios.count(), 1);
    EXPECT_EQ(caja->Value().toDate(), Hoy);
    EXPECT_TRUE(caja->TextoTope()->isHidden());

    // Con fecha, un cambio del usuario se respeta.
    ASSERT_TRUE(caja->PonerValue(OtroDia));
    EXPECT_EQ(cambios.count(), 1) << "las escrituras del programa no avisan Change";
    editor->setCurrentSection(QDateTimeEdit::DaySection);
    QTest::keyClick(editor, Qt::Key_Up);
    EXPECT_EQ(cambios.count(), 2);
    EXPECT_EQ(caja->Value().toDate(), OtroDia.addDays(1));
    EXPECT_FALSE(caja->EstabaNulo());
}

TEST(DateTimeBox, EnterSeAvisaComoKeyDownYKeyPress) {
    Ventana v;
    DateTimeBox* caja = v.caja;
    QList<std::pair<int, int>> bajadas;
    QList<int> pulsadas;
    QObject::connect(caja, &DateTimeBox::KeyDown, [&](int& codigo, int shift) {
        bajadas.append({codigo, shift});
    });
    QObject::connect(caja, &DateTimeBox::KeyPress, [&](int& ascii) { pulsadas.append(ascii); });
    QDateEdit* editor = caja->DateTime()->Editor();
    editor->setFocus();

    QTest::keyClick(editor, Qt::Key_Return, Qt::ShiftModifier);
    ASSERT_EQ(bajadas.size(), 1);
    EXPECT_EQ(bajadas[0], std::make_pair(13, 1));
    EXPECT_EQ(pulsadas, QList<int>{13}) << "una sola vez, aunque la tecla suba a la caja";

    QTest::keyClick(editor, Qt::Key_Right);
    QTest::keyClick(editor, Qt::Key_5);
    EXPECT_EQ(bajadas.size(), 1) << "solo Enter se avisa desde el selector";

    // Una tecla que sube hasta la caja misma se avisa con KeyPress.
    QKeyEvent tecla(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QCoreApplication::sendEvent(caja, &tecla);
    EXPECT_EQ(pulsadas, (QList<int>{13, 'a'}));
}

TEST(DateTimeBox, ClicYCierreDelCalendario) {
    Ventana v;
    DateTimeBox* caja = v.caja;
    QSignalSpy clics(caja, &DateTimeBox::Click);
    QLineEdit* linea = caja->DateTime()->Editor()->findChild<QLineEdit*>();
    ASSERT_NE(linea, nullptr);
    QWidget* emergente = caja->DateTime()->Editor()->calendarWidget()->window();
    ASSERT_NE(emergente, v.ventana.window());

    // Con fecha: el clic recuerda que no estaba vacía y el cierre no toca nada.
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clics.count(), 1);
    EXPECT_FALSE(caja->EstabaNulo());

    // Vacía: se despliega y se cierra sin elegir hoy -> vuelve a quedar vacía.
    ASSERT_TRUE(caja->PonerValue(QVariant()));
    caja->TextoTope()->hide(); // para alcanzar el selector con el mouse
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(clics.count(), 2);
    EXPECT_TRUE(caja->EstabaNulo());
    ASSERT_TRUE(caja->PonerValue(OtroDia)); // un día que no es hoy, sin aviso de cambio
    emergente->show();
    emergente->hide();
    EXPECT_TRUE(caja->Value().isNull());
    EXPECT_FALSE(caja->TextoTope()->isHidden());

    // Vacía y el usuario elige: el cambio deja hoy y el cierre lo confirma.
    caja->TextoTope()->hide();
    QTest::mouseClick(linea, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(caja->EstabaNulo());
    caja->DateTime()->Editor()->setFocus();
    caja->TextoTope()->show(); // el texto gris estaba a la vista al cambiar
    QTest::keyClick(caja->DateTime()->Editor(), Qt::Key_Down);
    emergente->show();
    emergente->hide();
    EXPECT_EQ(caja->Value().toDate(), Hoy);
    EXPECT_EQ(caja->TextoEnabled()->text(), DateTimeBox::TextoCorto(Hoy));
}

TEST(DateTimeBox, AcomodaSusPartesAlCambiarDeTamano) {
    DateTimeBox caja;
    caja.show();
    caja.resize(120, 24); // el evento de tamaño llega con la caja a la vista
    EXPECT_EQ(caja.DateTime()->geometry(), QRect(0, 0, 119, 24)) << "20 twips menos de ancho";
    EXPECT_EQ(caja.TextoEnabled()->geometry(), QRect(0, 0, 120, 24));
    EXPECT_EQ(caja.TextoTope()->x(), 17) << "250 twips, a la derecha de la casilla";
    EXPECT_EQ(caja.TextoTope()->width(), 120 - 19) << "285 twips menos de ancho";
}

} // namespace
