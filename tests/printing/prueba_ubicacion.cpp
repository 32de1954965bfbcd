// Búsqueda del archivo de un reporte: carpeta del sistema por el prefijo,
// formato 85 antes que 60, copia del servidor, copia local y copia
// compartida de "Gda", con las dos marcas de formato encontrado.
#include "AyudaReportes.h"
#include "Glob_Sarvo.h"
#include "UbicacionReporte.h"
#include <QDateTime>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

class Ubicacion : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(servidor.isValid() && puesto.isValid());
        Glob() = EstadoSesion();
        Glob().RutaSistema = servidor.path() + QLatin1Char('/');
        FijarCarpetaLocal(puesto.path());
    }
    void TearDown() override {
        FijarCarpetaLocal(QString());
        Glob() = EstadoSesion();
    }
    // Escribe un reporte en raiz/sistema/Reportes/FormatoNN/archivo.
    static QString Poner(const QTemporaryDir& raiz, const QString& sistema, const QString& formato,
                         const QString& archivo, const QByteArray& contenido = "<reporte/>") {
        const QString ruta = QStringLiteral("%1/%2/Reportes/Formato%3/%4")
                                 .arg(raiz.path(), sistema, formato, archivo);
        EXPECT_TRUE(prueba::EscribirArchivo(ruta, contenido));
        return ruta;
    }
    static void CrearCarpeta(const QTemporaryDir& raiz, const QString& sistema,
                             const QString& formato) {
        EXPECT_TRUE(QDir().mkpath(
            QStringLiteral("%1/%2/Reportes/Formato%3").arg(raiz.path(), sistema, formato)));
    }

    QTemporaryDir servidor;
    QTemporaryDir puesto;
};

TEST(CarpetaSistema, MiravelPorSuPrefijoYGdaParaCualquierOtro) {
    EXPECT_EQ(CarpetaSistema(QStringLiteral("MRV_TipoCompra.rpt")), QStringLiteral("Miravel"));
    EXPECT_EQ(CarpetaSistema(QStringLiteral("mrv_tipocompra.rpt")), QStringLiteral("Miravel"));
    EXPECT_EQ(CarpetaSistema(QStringLiteral("MrV_x.rpt")), QStringLiteral("Miravel"));
    for (const char* otro : {"GDA_LOGOMUNI.RPT", "TES_Caja.rpt", "MR", "", "XMRV_a.rpt"})
        EXPECT_EQ(CarpetaSistema(QString::fromUtf8(otro)), QStringLiteral("GDA")) << otro;
}

TEST_F(Ubicacion, SinCarpetaLocalSeUsaLaCopiaDelServidorSinCopiarNada) {
    const QString archivo = QStringLiteral("MRV_TipoCompra.rpt");
    const QString copia = Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("85"), archivo);
    const BusquedaReporte b = UbicarReporte(archivo);
    EXPECT_TRUE(b.Encontrado());
    EXPECT_EQ(b.ruta, copia);
    EXPECT_EQ(b.longitud, qint64(10));
    EXPECT_TRUE(b.Formato85Encontrado);
    EXPECT_TRUE(b.Formato60Encontrado);
    EXPECT_TRUE(QDir(puesto.path()).isEmpty()) << "no se copia nada";
}

TEST_F(Ubicacion, CarpetaLocalSinCopiaSeCopiaYSeUsaLaLocal) {
    const QString archivo = QStringLiteral("MRV_TipoCompra.rpt");
    Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("85"), archivo,
          "<reporte>85</reporte>");
    CrearCarpeta(puesto, QStringLiteral("Miravel"), QStringLiteral("85"));
    const BusquedaReporte b = UbicarReporte(archivo);
    const QString local = puesto.filePath(QStringLiteral("Miravel/Reportes/Formato85/") + archivo);
    EXPECT_EQ(b.ruta, local);
    EXPECT_EQ(prueba::LeerArchivo(local), QByteArray("<reporte>85</reporte>"));
    EXPECT_TRUE(b.Formato85Encontrado);
}

TEST_F(Ubicacion, CopiaLocalAlDiaNoSeVuelveACopiar) {
    const QString archivo = QStringLiteral("MRV_TipoCompra.rpt");
    const QString original =
        Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("60"), archivo, "<servidor/>");
    // Una copia local del mismo largo y la misma fecha: al día.
    const QString local =
        Poner(puesto, QStringLiteral("Miravel"), QStringLiteral("60"), archivo, "<localxxx/>");
    QFile f(local);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QFileInfo(original).lastModified(), QFileDevice::FileModificationTime));
    f.close();

    const BusquedaReporte b = UbicarReporte(archivo);
    EXPECT_EQ(b.ruta, local);
    EXPECT_EQ(prueba::LeerArchivo(local), QByteArray("<localxxx/>")) << "no se copió";
    EXPECT_FALSE(b.Formato85Encontrado) << "el 85 no está en ningún lado";
    EXPECT_TRUE(b.Formato60Encontrado);

    // Cambia el del servidor: la próxima búsqueda renueva la copia.
    prueba::EscribirArchivo(original, "<servidor nuevo/>");
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
    f.close();
    EXPECT_EQ(UbicarReporte(archivo).ruta, local);
    EXPECT_EQ(prueba::LeerArchivo(local), QByteArray("<servidor nuevo/>"));
}

TEST_F(Ubicacion, SoloLaCompartidaDel85NoSeUsaYLaBusquedaTerminaEnLaDel60) {
    const QString archivo = QStringLiteral("MRV_TipoCompra.rpt");
    Poner(servidor, QStringLiteral("Gda"), QStringLiteral("85"), archivo);
    const BusquedaReporte b = UbicarReporte(archivo);
    EXPECT_TRUE(b.Encontrado()) << "se leyó el largo de la compartida del 85";
    EXPECT_EQ(b.ruta, servidor.filePath(QStringLiteral("Gda/Reportes/Formato60/") + archivo));
    EXPECT_FALSE(b.Formato85Encontrado);
    EXPECT_FALSE(b.Formato60Encontrado);
}

TEST_F(Ubicacion, PrefijoEnMinusculasYPrefijoAjeno) {
    // "mrv" es Miravel.
    const QString minusculas = QStringLiteral("mrv_minusculas.rpt");
    const QString propia =
        Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("85"), minusculas);
    BusquedaReporte b = UbicarReporte(minusculas);
    EXPECT_EQ(b.ruta, propia);
    EXPECT_TRUE(b.Formato85Encontrado);

    // Un prefijo que no es de la tabla va a las carpetas de "GDA", que en la
    // instalación se escribe "Gda": es la copia del servidor, no la compartida.
    const QString ajeno = QStringLiteral("TES_Caja.rpt");
    const QString gda = Poner(servidor, QStringLiteral("Gda"), QStringLiteral("85"), ajeno);
    b = UbicarReporte(ajeno);
    EXPECT_EQ(b.ruta, gda);
    EXPECT_TRUE(b.Formato85Encontrado);
    EXPECT_TRUE(b.Formato60Encontrado);
    // y no se lo busca en las carpetas de Miravel
    Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("85"),
          QStringLiteral("TES_Otro.rpt"));
    EXPECT_FALSE(UbicarReporte(QStringLiteral("TES_Otro.rpt")).Encontrado());
}

TEST_F(Ubicacion, SoloEnElFormato60DelSistema) {
    const QString archivo = QStringLiteral("MRV_Cargos.rpt");
    const QString copia = Poner(servidor, QStringLiteral("Miravel"), QStringLiteral("60"), archivo);
    const BusquedaReporte b = UbicarReporte(archivo);
    EXPECT_EQ(b.ruta, copia);
    EXPECT_FALSE(b.Formato85Encontrado);
    EXPECT_TRUE(b.Formato60Encontrado);
}

TEST_F(Ubicacion, EnNingunLadoNoSeEncuentraYSeSabeDondeSeBusco) {
    const QString archivo = QStringLiteral("MRV_NoEsta.rpt");
    // Con la carpeta local del 60 y sin copia en el servidor: nada que copiar.
    CrearCarpeta(puesto, QStringLiteral("Miravel"), QStringLiteral("60"));
    const BusquedaReporte b = UbicarReporte(archivo);
    EXPECT_FALSE(b.Encontrado());
    EXPECT_FALSE(b.Formato85Encontrado);
    EXPECT_FALSE(b.Formato60Encontrado);
    const QStringList esperadas{
        servidor.filePath(QStringLiteral("Miravel/Reportes/Formato85/") + archivo),
        servidor.filePath(QStringLiteral("Gda/Reportes/Formato85/") + archivo),
        servidor.filePath(QStringLiteral("Miravel/Reportes/Formato60/") + archivo),
        servidor.filePath(QStringLiteral("Gda/Reportes/Formato60/") + archivo)};
    EXPECT_EQ(b.buscadas, esperadas);
    EXPECT_EQ(b.ruta, esperadas.last());
    EXPECT_FALSE(
        QFile::exists(puesto.filePath(QStringLiteral("Miravel/Reportes/Formato60/") + archivo)));
}

TEST(CarpetaLocal, LaDelPuestoSalvoQueSeFijeOtra) {
#ifndef Q_OS_WIN
    EXPECT_EQ(CarpetaLocal(), QStringLiteral("/var/local/SarvoLocal"));
#endif
    FijarCarpetaLocal(QStringLiteral("/tmp/otra"));
    EXPECT_EQ(CarpetaLocal(), QStringLiteral("/tmp/otra"));
    FijarCarpetaLocal(QString());
    EXPECT_NE(CarpetaLocal(), QStringLiteral("/tmp/otra"));
}

} // namespace
