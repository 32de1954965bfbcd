// Ayudas de ventanas: foco seguro, centrado e información de diagnóstico.
#include "AyudasVentana.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QWidget>
#include <gtest/gtest.h>

TEST(AyudasVentana, HacerFocoSoloEnControlesVisiblesYHabilitados) {
    QWidget ventana;
    auto* visible = new QLineEdit(&ventana);
    auto* oculto = new QLineEdit(&ventana);
    auto* inhabilitado = new QLineEdit(&ventana);
    oculto->hide();
    inhabilitado->setEnabled(false);
    ventana.show();

    EXPECT_FALSE(HacerFoco(oculto));
    EXPECT_FALSE(HacerFoco(inhabilitado));
    EXPECT_FALSE(HacerFoco(nullptr));
    EXPECT_FALSE(HabilitadoYVisible(oculto));
    EXPECT_TRUE(HabilitadoYVisible(visible));
    EXPECT_TRUE(HacerFoco(visible));
    EXPECT_EQ(ventana.focusWidget(), visible);

    ventana.hide(); // el control no está a la vista aunque no se lo haya ocultado
    EXPECT_FALSE(HacerFoco(visible));
}

TEST(AyudasVentana, CentrarFormSalvoMaximizada) {
    QWidget ventana;
    ventana.resize(300, 200);
    ventana.move(5, 7);
    ventana.show();
    CentrarForm(&ventana);
    const QRect pantalla = ventana.screen()->geometry();
    const QRect marco = ventana.frameGeometry();
    EXPECT_LE(qAbs(marco.center().x() - pantalla.center().x()), 1);
    EXPECT_LE(qAbs(marco.center().y() - pantalla.center().y()), 1);

    // Maximizada pero todavía con su geometría anterior: no se mueve.
    QWidget maximizada;
    maximizada.setGeometry(5, 7, 100, 100);
    maximizada.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(maximizada.isMaximized());
    const QPoint antes = maximizada.pos();
    CentrarForm(&maximizada);
    EXPECT_EQ(maximizada.pos(), antes);
}

TEST(AyudasVentana, InformacionFormMuestraVentanaTareaYUltimoReporte) {
    DialogosGuion guion;
    Glob().TareaActual = QStringLiteral("107");
    QWidget principal;
    principal.setObjectName(QStringLiteral("frmPrincipal"));

    InformacionForm(&principal, QStringLiteral("C:\\Sarvo\\Reportes\\MRV_TipoCompra.rpt"));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, QStringLiteral("Form    : frmPrincipal\r\n"
                                                        "Tarea   : 107\r\n"
                                                        "  Ultimo RPT : MRV_TipoCompra.rpt"));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("Información"));
    EXPECT_TRUE(guion.mensajes[0].aceptarConAcceso);

    // Sin ventana, su renglón no va.
    InformacionForm(nullptr, QStringLiteral("/var/local/SarvoLocal/MRV_Cargos.rpt"));
    EXPECT_EQ(guion.mensajes.back().Mensaje,
              QStringLiteral("Tarea   : 107\r\n  Ultimo RPT : MRV_Cargos.rpt"));
    Glob().TareaActual.clear();
}
