// Los textos propios de Qt en castellano: los botones estándar, los nombres
// de las teclas de los atajos y los diálogos de archivos y de impresión.
#include "TraduccionesQt.h"
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Textos(const QWidget& w) {
    QStringList t;
    for (const QLabel* l : w.findChildren<QLabel*>())
        t << l->text();
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>())
        t << b->text();
    return t;
}

} // namespace

TEST(TraduccionesQt, BotonesTeclasYDialogosEnCastellano) {
    // Sin la carpeta de traducciones no hay traducción: todo sigue en inglés.
    QTemporaryDir vacia;
    EXPECT_FALSE(CargarTraduccionesQt(vacia.path()));
    ASSERT_TRUE(CargarTraduccionesQt()) << "falta el paquete qt6-translations-l10n";

    QDialogButtonBox botones(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Save | QDialogButtonBox::Close);
    EXPECT_EQ(botones.button(QDialogButtonBox::Ok)->text(), "Aceptar");
    EXPECT_EQ(botones.button(QDialogButtonBox::Cancel)->text(), "Cancelar");
    EXPECT_EQ(botones.button(QDialogButtonBox::Save)->text(), "Guardar");
    EXPECT_EQ(botones.button(QDialogButtonBox::Close)->text(), "Cerrar");

    // Los atajos de los menús de los gráficos.
    const QString atajo =
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C).toString(QKeySequence::NativeText);
    EXPECT_FALSE(atajo.contains(QStringLiteral("Shift"))) << atajo.toStdString();

    // Diálogo de archivos de Qt (el de "Guardar imagen…" y "Exportar datos…").
    QFileDialog archivos;
    archivos.setOption(QFileDialog::DontUseNativeDialog);
    archivos.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList t = Textos(archivos);
    EXPECT_TRUE(t.contains(QStringLiteral("&Guardar"))) << t.join('|').toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("&Save"))) << t.join('|').toStdString();
    EXPECT_FALSE(t.contains(QStringLiteral("Look in:"))) << t.join('|').toStdString();

    // Diálogo de impresión de la vista previa.
    QPrinter impresora;
    QPrintDialog imprimir(&impresora);
    const QStringList p = Textos(imprimir);
    EXPECT_TRUE(p.contains(QStringLiteral("Im&primir"))) << p.join('|').toStdString();
    EXPECT_FALSE(p.contains(QStringLiteral("&Print"))) << p.join('|').toStdString();
}
