// Línea de comandos, instancia única, datos del equipo y código de acceso.
#include "CodigoAcceso.h"
#include "Equipo.h"
#include "Glob_Sarvo.h"
#include "InstanciaUnica.h"
#include "SarvoMain.h"
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList Argumentos(const char* linea, int maximo = 10) {
    return ObtenerArgumentos(QString::fromUtf8(linea), maximo);
}

TEST(ObtenerArgumentos, SeparadoresYTope) {
    EXPECT_EQ(Argumentos(""), QStringList{QString()});
    EXPECT_EQ(Argumentos(" \t  "), QStringList{QString()});
    EXPECT_EQ(Argumentos("demo clave /inst/ 1.0"),
              (QStringList{"", "demo", "clave", "/inst/", "1.0"}));
    // Varios espacios o tabuladores son un solo separador; sin argumentos vacíos.
    EXPECT_EQ(Argumentos("\t  demo \t\tClaVe   x  "), (QStringList{"", "demo", "ClaVe", "x"}));
    // Sin comillas: las comillas son un carácter más.
    EXPECT_EQ(Argumentos("\"a b\""), (QStringList{"", "\"a", "b\""}));
    // Doce argumentos: se toman diez y el resto de la línea se ignora.
    const QStringList doce = Argumentos("a1 a2 a3 a4 a5 a6 a7 a8 a9 a10 a11 a12");
    ASSERT_EQ(doce.size(), 11);
    EXPECT_EQ(doce.last(), "a10");
    EXPECT_EQ(Argumentos("a b c", 2), (QStringList{"", "a", "b"}));
    EXPECT_EQ(Argumentos("ñandú café"), (QStringList{"", "ñandú", "café"}));
}

TEST(LineaDeComandos, LosArgumentosTalComoLlegaronAunqueSeanOpcionesDeQt) {
    const char* argv[] = {"/inst/miravel", "-style",   "-platform", "/inst/",
                          "-reverse",      "-session", "ñandú",     nullptr};
    const QString linea = LineaDeComandos(7, argv);
    EXPECT_EQ(linea, "-style -platform /inst/ -reverse -session ñandú");
    EXPECT_EQ(ObtenerArgumentos(linea),
              (QStringList{"", "-style", "-platform", "/inst/", "-reverse", "-session", "ñandú"}));
    // Solo el nombre del programa: línea vacía, y el arranque pide los argumentos.
    EXPECT_EQ(LineaDeComandos(1, argv), "");
}

TEST(Equipo, NombresDelPuesto) {
    Glob() = EstadoSesion();
    ObtenerNombrePC();
    EXPECT_EQ(Glob().ServidorBase, "server_sarvo");
    EXPECT_FALSE(Glob().NombrePC.isEmpty());
    EXPECT_LE(Glob().NombrePC.size(), 255);
    EXPECT_FALSE(ObtenerUsuarioWindows().isEmpty());
    EXPECT_EQ(NombreEjecutable(), "startup_prueba_argumentos");
    Glob() = EstadoSesion();
}

TEST(InstanciaUnica, UnaCopiaPorUsuario) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanciaUnica primera(QStringLiteral("miravel"), dir.path());
    InstanciaUnica segunda(QStringLiteral("miravel"), dir.path());
    ASSERT_TRUE(primera.Tomar());
    EXPECT_FALSE(segunda.Tomar());
    // Otro programa no choca.
    InstanciaUnica otro(QStringLiteral("lanzador"), dir.path());
    EXPECT_TRUE(otro.Tomar());
    primera.Soltar();
    EXPECT_TRUE(segunda.Tomar());
}

TEST(InstanciaUnica, BloqueoDeUnProcesoMuertoSeRetoma) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InstanciaUnica instancia(QStringLiteral("miravel"), dir.path());
    // Un proceso que ya terminó deja su archivo de bloqueo.
    QProcess muerto;
    muerto.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 0.2")});
    ASSERT_TRUE(muerto.waitForStarted());
    const qint64 pid = muerto.processId();
    ASSERT_GT(pid, 0);
    ASSERT_TRUE(muerto.waitForFinished());
    QFile archivo(instancia.Archivo());
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.write(QByteArray::number(pid) + "\nmiravel\n" + NombreEquipo().toUtf8() + "\n");
    archivo.close();
    EXPECT_TRUE(instancia.Tomar());
}

TEST(CodigoAcceso, DelDiaYFechas) {
    // El código anterior (bases sin la comprobación con clave) del 09/12/2026.
    EXPECT_EQ(CodigoAccesoDelDia(QDate(2026, 12, 9)), "760254");
    QSet<QString> codigos;
    for (QDate d(2025, 1, 1); d < QDate(2026, 1, 1); d = d.addDays(1)) {
        const QString c = CodigoAccesoDelDia(d);
        ASSERT_EQ(c.size(), 6);
        bool numerico = false;
        c.toInt(&numerico);
        ASSERT_TRUE(numerico) << c.toStdString();
        codigos.insert(c);
    }
    EXPECT_EQ(codigos.size(), 365); // un código distinto cada día del año
    EXPECT_EQ(CodigoAccesoDelDia(QDate()), "");

    // dd/mm/aaaa cualquiera sea la configuración regional.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FechaDesdeTexto("09/12/2026"), QDate(2026, 12, 9));
    EXPECT_EQ(FechaDesdeTexto(" 9/1/2026 "), QDate(2026, 1, 9));
    EXPECT_FALSE(FechaDesdeTexto("12/31/2026").isValid());
    EXPECT_FALSE(FechaDesdeTexto("31/02/2026").isValid());
    EXPECT_FALSE(FechaDesdeTexto("2026-12-09").isValid());
    EXPECT_FALSE(FechaDesdeTexto("09/12/26").isValid());
    EXPECT_FALSE(FechaDesdeTexto("+9/12/2026").isValid());
    QLocale::setDefault(QLocale::c());
}

} // namespace
