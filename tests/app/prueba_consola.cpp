// La consola del personal de soporte de punta a punta, como proceso aparte.
#include "BaseDePrueba.h"
#include "ConsolaSql.h"
#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct Corrida {
    int estado = -1;
    QStringList lineas;
};

Corrida Correr(const QStringList& args, const QString& entrada) {
    QProcess p;
    p.start(QStringLiteral(MIRAVEL_SQL), args);
    EXPECT_TRUE(p.waitForStarted());
    p.write(entrada.toUtf8());
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60000));
    Corrida c;
    c.estado = p.exitCode();
    c.lineas =
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return c;
}

TEST(Consola, SeparaPorBarra) {
    EXPECT_EQ(SepararSentencias(QStringLiteral("SELECT 1\nFROM dual\n/\n\n/\nCOMMIT\n")),
              (QStringList{QStringLiteral("SELECT 1\nFROM dual"), QStringLiteral("COMMIT")}));
    EXPECT_EQ(SepararSentencias(QStringLiteral("SELECT '/' FROM dual /\n")),
              QStringList{QStringLiteral("SELECT '/' FROM dual /")});
}

TEST(Consola, ConsultaProcedimientoYFallo) {
    ASSERT_TRUE(prueba::HayServidor());
    const Corrida c =
        Correr({QStringLiteral("demo"), prueba::ClaveHabilitado},
               QStringLiteral("SELECT codigo_error, help, titulo FROM OWNER_SARVO.errores_vb WHERE "
                              "codigo_error IN (1, 5001) ORDER BY 1\n/\n"
                              "EXEC OWNER_SARVO.probar_error_aplicacion(20113)\n/\n"
                              "SELECT * FROM OWNER_SARVO.no_hay_tal_tabla\n/\n"));
    EXPECT_EQ(c.estado, 1);
    ASSERT_GE(c.lineas.size(), 5);
    EXPECT_EQ(c.lineas[0], QStringLiteral("codigo_error\thelp\ttitulo"));
    EXPECT_TRUE(c.lineas[1].startsWith(QStringLiteral("1\t")));
    EXPECT_TRUE(c.lineas[2].startsWith(QStringLiteral("5001\t\t"))); // help nulo: campo vacío
    EXPECT_TRUE(c.lineas[3].startsWith(QStringLiteral("MENSAJE ")));
    EXPECT_TRUE(c.lineas[3].contains(QStringLiteral("Módulo Horario")));
    EXPECT_TRUE(c.lineas[4].contains(QStringLiteral(" | ")) &&
                c.lineas[4].contains(QStringLiteral("Number: ")));
}

TEST(Consola, TodoBienYConexionFallida) {
    ASSERT_TRUE(prueba::HayServidor());
    const Corrida ok = Correr({QStringLiteral("DEMO"), prueba::ClaveHabilitado},
                              QStringLiteral("SELECT sysdate FROM dual\n/\nCOMMIT\n"));
    EXPECT_EQ(ok.estado, 0);
    EXPECT_EQ(ok.lineas.size(), 2);
    const Corrida mal = Correr({QStringLiteral("DEMO"), QStringLiteral("mala")},
                               QStringLiteral("SELECT 1 FROM dual\n"));
    EXPECT_EQ(mal.estado, 2);
    ASSERT_EQ(mal.lineas.size(), 1);
    EXPECT_EQ(mal.lineas[0],
              QStringLiteral(
                  "MENSAJE Error al Conectarse a la Base: El Nombre/Contraseña son Incorrectos"));
}

} // namespace
