// miravel-reporte de punta a punta, como proceso aparte, contra el servidor
// privado y una instalación con el árbol de reportes: el PDF y "PAGINAS n",
// el cambio de dueño con el usuario de Laguna Escondida, los mensajes de un
// reporte que no está o está mal escrito, y los estados de salida.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

struct Corrida {
    int estado = -1;
    QStringList lineas;
};

class Reporte : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        for (const char* r : {"Miravel/Reportes/Formato85/MRV_TipoCompra.rpt",
                              "Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT"})
            ASSERT_TRUE(prueba::EscribirArchivo(
                dir.filePath(QLatin1String(r)),
                prueba::LeerArchivo(prueba::ArchivoInstalado(QLatin1String(r)))));
    }
    Corrida Correr(const QStringList& args) {
        QProcess p;
        QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("MIRAVEL_RUTA_SISTEMA"), dir.path());
        p.setProcessEnvironment(entorno);
        p.start(QStringLiteral(MIRAVEL_REPORTE), args);
        EXPECT_TRUE(p.waitForStarted());
        EXPECT_TRUE(p.waitForFinished(60000));
        Corrida c;
        c.estado = p.exitCode();
        c.lineas = QString::fromUtf8(p.readAllStandardOutput())
                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        return c;
    }
    QString Pdf() const { return dir.filePath(QStringLiteral("salida.pdf")); }

    QTemporaryDir dir;
};

TEST_F(Reporte, ElReporteDeOtroDuenoEnPdf) {
    // MRV_LAGUNA trabaja sobre OWNER_LAGUNA: la consulta guardada pasa a ese dueño.
    const Corrida c =
        Correr({"mrv_laguna", "laguna", "MRV_TipoCompra.rpt", "--formula", "Usuario = 56",
                "--formula", "Fecha='30/06/2024'", "--formula", "Ejercicio=2024", "--pdf", Pdf()});
    EXPECT_EQ(c.estado, 0) << c.lineas.join('\n').toStdString();
    EXPECT_EQ(c.lineas, QStringList{QStringLiteral("PAGINAS 1")});
    const QStringList texto = prueba::TextoDePdf(Pdf()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(texto.contains(QStringLiteral("Municipalidad de Laguna Escondida")))
        << texto.join('\n').toStdString();
    EXPECT_TRUE(
        texto.contains(QStringLiteral("Ejercicio 2024 Órdenes emitidas hasta el 30/06/2024")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Caja Chica 88 52,7 % 1.204.775,25 1,7 %")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Tipos de compra: 5 167 $ 70.937.525,75")));
    // El pie lleva la municipalidad automática: organismo y dependencia.
    EXPECT_TRUE(std::any_of(texto.begin(), texto.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Municipalidad de Laguna Escondida Secretaría de "
                                           "Hacienda y Finanzas Página 1 de 1"));
    })) << texto.join('\n').toStdString();

    // La consulta dada reemplaza la guardada.
    const Corrida otra =
        Correr({"MRV_LAGUNA", "laguna", "MRV_TipoCompra.rpt", "--sql",
                "SELECT * FROM OWNER_LAGUNA.GES_TIPO_COMPRA WHERE CANTIDAD < 10", "--pdf", Pdf()});
    EXPECT_EQ(otra.estado, 0);
    EXPECT_TRUE(prueba::TextoDePdf(Pdf()).contains(QStringLiteral("Tipos de compra: 2 10 ")));
}

TEST_F(Reporte, ReporteQueNoEstaOMalEscritoSaleConUno) {
    QFile::remove(Pdf());
    Corrida c = Correr({"DEMO", "demo", "MRV_NoEsta.rpt", "--pdf", Pdf()});
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1) << c.lineas.join('\n').toStdString();
    EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE ")));
    EXPECT_TRUE(c.lineas[0].contains(
        QStringLiteral(": Se produjo un error al imprimir el reporte: | MRV_NoEsta.rpt | 20500][")))
        << c.lineas[0].toStdString();
    EXPECT_FALSE(QFile::exists(Pdf()));

    prueba::EscribirArchivo(dir.filePath(QStringLiteral("Miravel/Reportes/Formato60/MRV_Roto.rpt")),
                            "<reporte><detalle/></reporte>");
    c = Correr({"DEMO", "demo", "MRV_Roto.rpt", "--pdf", Pdf()});
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1);
    EXPECT_TRUE(c.lineas[0].contains(
        QStringLiteral(": No se pudo generar el reporte: | MRV_Roto.rpt | 20501][MotorReporte]")))
        << c.lineas[0].toStdString();
    EXPECT_FALSE(QFile::exists(Pdf()));

    // Un PDF que no se puede escribir también es una falla.
    c = Correr({"MRV_LAGUNA", "laguna", "MRV_TipoCompra.rpt", "--pdf",
                dir.filePath(QStringLiteral("no/hay/carpeta.pdf"))});
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1);
    EXPECT_TRUE(c.lineas[0].contains(QStringLiteral("No se pudo escribir el PDF")));
}

TEST_F(Reporte, SinConexionOUsoIncorrectoSaleConDos) {
    EXPECT_EQ(Correr({"DEMO", "mala", "MRV_TipoCompra.rpt", "--pdf", Pdf()}).estado, 2);
    EXPECT_EQ(Correr({"DEMO", "demo", "MRV_TipoCompra.rpt"}).estado, 2) << "falta --pdf";
    EXPECT_EQ(Correr({"DEMO", "demo", "MRV_TipoCompra.rpt", "--pdf"}).estado, 2);
    EXPECT_EQ(Correr({"DEMO", "demo", "MRV_TipoCompra.rpt", "--otra", "x", "--pdf", Pdf()}).estado,
              2);
    EXPECT_FALSE(QFile::exists(Pdf()));
}

TEST_F(Reporte, LasOpcionesDeQtSonArgumentosComoCualquierOtro) {
    // Una clave que Qt tomaría por opción propia llega a la conexión y la
    // conexión la rechaza; si Qt se la quedara, faltarían argumentos.
    for (const char* clave : {"-reverse", "-style", "-platform", "-session"}) {
        const Corrida c = Correr({"DEMO", clave, "MRV_TipoCompra.rpt", "--pdf", Pdf()});
        EXPECT_EQ(c.estado, 2) << clave;
        ASSERT_EQ(c.lineas.size(), 1) << clave;
        EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE Error al Conectarse")))
            << c.lineas[0].toStdString();
    }
}

} // namespace
