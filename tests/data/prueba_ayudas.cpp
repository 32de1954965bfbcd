// Ayudas generales: textos separados, nulos, números, copia local de un
// archivo compartido y fecha del servidor.
#include "BaseDePrueba.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

TEST(Ayudas, TextosSeparados) {
    QString t = u"4711"_s;
    EXPECT_EQ(ContarElementos(t, u":"_s), 1);
    EXPECT_EQ(t, u":4711:"_s);
    t = u"4711:2020"_s;
    EXPECT_EQ(ContarElementos(t, u":"_s), 2);
    EXPECT_EQ(t, u":4711:2020:"_s);
    t.clear();
    EXPECT_EQ(ContarElementos(t, u":"_s), 0);
    EXPECT_TRUE(t.isEmpty());

    EXPECT_EQ(ElementoN(u"4711:2020"_s, u":"_s, 1), u"4711"_s);
    EXPECT_EQ(ElementoN(u"4711:2020"_s, u":"_s, 2), u"2020"_s);
    EXPECT_EQ(ElementoN(u"4711:2020"_s, u":"_s, 3), QString());
    // Una coma al frente no agrega un primer elemento vacío.
    EXPECT_EQ(ElementoN(u",&Si,&No"_s, u","_s, 2), u"&No"_s);
    EXPECT_EQ(ElementoN(u"a,,c"_s, u","_s, 2), QString());
}

TEST(Ayudas, NulosYNumeros) {
    const QVariant nulo(QMetaType::fromType<QString>());
    EXPECT_EQ(SiNulo(nulo, u"d"_s), u"d"_s);
    EXPECT_EQ(SiNulo(QVariant(), u"d"_s), u"d"_s);
    EXPECT_EQ(SiNulo(42, u"d"_s), u"42"_s);
    EXPECT_EQ(SiNulo(QDate(2024, 3, 5), QString()), u"05/03/2024"_s);

    QVariant v = nulo;
    EXPECT_EQ(TextoNumerico(v, u"0"_s), u"0"_s);
    EXPECT_EQ(v, QVariant(QString()));
    v = u" 75 "_s;
    EXPECT_EQ(TextoNumerico(v, u"0"_s), u"75"_s);
    for (const char* malo : {"abc", "7 5", "nan", "inf", "1e"}) {
        v = QString::fromLatin1(malo);
        EXPECT_EQ(TextoNumerico(v, u"0"_s), u"0"_s) << malo;
    }
    v = u"-12.5"_s;
    EXPECT_EQ(TextoNumerico(v, u"0"_s), u"-12.5"_s);
}

class CopiaLocal : public ::testing::Test {
protected:
    void Escribir(const QString& ruta, const QByteArray& datos, const QDateTime& modificado) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(datos);
        f.flush();
        f.setFileTime(modificado, QFileDevice::FileModificationTime);
    }
    static QByteArray Leer(const QString& ruta) {
        QFile f(ruta);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<sin archivo>");
    }
    QTemporaryDir dir;
    const QString origen = dir.filePath(u"MRV_TipoCompra.rpt"_s);
    const QString destino = dir.filePath(u"local.rpt"_s);
    const QDateTime ayer = QDateTime::currentDateTime().addDays(-1);
};

TEST_F(CopiaLocal, CopiaYNoRepite) {
    Escribir(origen, "reporte v1", ayer);
    EXPECT_EQ(ActualizarCopiaLocal(origen, destino), destino);
    EXPECT_EQ(Leer(destino), QByteArray("reporte v1"));
    EXPECT_EQ(QFileInfo(destino).lastModified().toSecsSinceEpoch(), ayer.toSecsSinceEpoch());
    // Misma fecha y largo: la copia no se vuelve a hacer.
    Escribir(destino, "reporte XX", ayer);
    EXPECT_EQ(ActualizarCopiaLocal(origen, destino), destino);
    EXPECT_EQ(Leer(destino), QByteArray("reporte XX"));
}

TEST_F(CopiaLocal, SoloLecturaDesactualizadaSeReemplaza) {
    Escribir(destino, "viejo", ayer.addDays(-30));
    QFile::setPermissions(destino, QFileDevice::ReadOwner | QFileDevice::ReadUser);
    Escribir(origen, "reporte nuevo", ayer);
    EXPECT_EQ(ActualizarCopiaLocal(origen, destino), destino);
    EXPECT_EQ(Leer(destino), QByteArray("reporte nuevo"));
}

TEST_F(CopiaLocal, OrigenInalcanzable) {
    const QString perdido = dir.filePath(u"red/no/MRV_X.rpt"_s);
    EXPECT_EQ(ActualizarCopiaLocal(perdido, destino), perdido);
    EXPECT_FALSE(QFile::exists(destino));
    // Con una copia local previa, se sigue usando y no se borra.
    Escribir(destino, "copia buena", ayer);
    EXPECT_EQ(ActualizarCopiaLocal(perdido, destino), destino);
    EXPECT_EQ(Leer(destino), QByteArray("copia buena"));
}

TEST(Ayudas, FechaServidor) {
    DialogosGuion ui;
    Glob() = EstadoSesion();
    EXPECT_FALSE(FechaServidor(true).has_value()); // sin conexión

    QTemporaryDir dir;
    prueba::PrepararSesion(dir.path());
    ui.mensajes.clear();
    const auto conHora = FechaServidor(true);
    const auto sinHora = FechaServidor(false);
    ASSERT_TRUE(conHora && sinHora);
    EXPECT_LT(qAbs(conHora->secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(sinHora->date(), conHora->date());
    EXPECT_EQ(sinHora->time(), QTime(0, 0));
    EXPECT_TRUE(ui.mensajes.empty());
    Glob() = EstadoSesion();
}

} // namespace
