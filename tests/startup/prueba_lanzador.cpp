// Lanzador: título desde CONFIG por su cuenta de lectura, validación de lo
// que escribe el usuario y los cuatro argumentos con que arranca Miravel.
#include "BaseDePrueba.h"
#include "Lanzador.h"
#include "SarvoMain.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

TEST(Lanzador, MunicipalidadDesdeConfig) {
    ASSERT_TRUE(prueba::HayServidor());
    QString error;
    EXPECT_EQ(LeerMunicipalidad(&error), "Municipalidad de Villa Serrana") << error.toStdString();
    EXPECT_TRUE(error.isEmpty());
}

TEST(Lanzador, RechazaLoQueLaLineaDeComandosNoPuedeLlevar) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(ValidarIngreso("demo", "demo", dir.path()), "");
    EXPECT_EQ(ValidarIngreso("de mo", "demo", dir.path()),
              "El usuario no puede contener espacios.");
    EXPECT_EQ(ValidarIngreso("demo", "de\tmo", dir.path()), "La clave no puede contener espacios.");
    EXPECT_FALSE(ValidarIngreso("demo", "demo", dir.path() + "/falta").isEmpty());
}

TEST(Lanzador, ArrancaConLosCuatroArgumentos) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Un "miravel" que anota la línea que recibe.
    const QString programa = dir.filePath("miravel");
    const QString salida = dir.filePath("linea.txt");
    QFile guion(programa);
    ASSERT_TRUE(guion.open(QIODevice::WriteOnly));
    guion.write(("#!/bin/sh\necho \"$*\" > '" + salida + ".tmp' && mv '" + salida + ".tmp' '" +
                 salida + "'\n")
                    .toUtf8());
    guion.close();
    guion.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QStringList argumentos =
        ArgumentosMiravel(" demo ", "ClaVe", dir.path(), QStringLiteral("1.0.0"));
    EXPECT_EQ(argumentos, (QStringList{"demo", "ClaVe", dir.path() + "/", "1.0.0"}));
    QString error;
    ASSERT_TRUE(IniciarMiravel(programa, argumentos, &error)) << error.toStdString();
    QFile linea(salida);
    for (int i = 0; i < 100 && !linea.exists(); ++i)
        QThread::msleep(50);
    ASSERT_TRUE(linea.open(QIODevice::ReadOnly));
    // Miravel recibe la línea como un solo texto y la separa por espacios.
    const QStringList recibidos = ObtenerArgumentos(QString::fromUtf8(linea.readAll()).trimmed());
    EXPECT_EQ(recibidos, (QStringList{"", "demo", "ClaVe", dir.path() + "/", "1.0.0"}));

    EXPECT_FALSE(IniciarMiravel(dir.filePath("no-existe"), argumentos, &error));
    EXPECT_TRUE(error.contains("no-existe"));
}

} // namespace
