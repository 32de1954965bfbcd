// Imágenes que da quien imprime (<imagen origen="...">): la definida se pinta
// vectorial en su marco, proporcional o estirada; el proveedor recibe el
// nombre y el tamaño del marco; una imagen que nadie da hace fallar la
// corrida con el archivo, la línea y el nombre, y el lector no acepta dos
// fuentes para una imagen.
#include "AyudaReportes.h"
#include "BaseDePrueba.h"
#include "Glob_Sarvo.h"
#include "MotorReporte.h"
#include <QPainter>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

// Encabezado de 120 mm con una imagen por nombre en x = 10, y = 5 (mm).
QByteArray Reporte(const QString& imagen) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<reporte version=\"1\">\n"
                          "  <pagina margen=\"15\"/>\n"
                          "  <encabezado-reporte alto=\"120\">\n"
                          "    <texto x=\"0\" y=\"0\" ancho=\"50\" alto=\"5\">Antes</texto>\n"
                          "    %1\n"
                          "  </encabezado-reporte>\n"
                          "</reporte>\n")
        .arg(imagen)
        .toUtf8();
}

// Un dibujo de 200 × 100 todo rojo con un texto adentro.
QPicture Dibujo(const QString& texto = QStringLiteral("Serie vectorial")) {
    QPicture dibujo;
    QPainter p(&dibujo);
    p.fillRect(QRectF(0, 0, 200, 100), Qt::red);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 12));
    p.drawText(QPointF(20, 50), texto);
    return dibujo;
}

class Imagenes : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor()) << "falta el servidor privado: ver scripts/basedatos";
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
    }
    void TearDown() override { Glob() = EstadoSesion(); }

    void Preparar(MotorReporte& m, const QString& imagen) {
        archivo = dir.filePath(QStringLiteral("MRV_Grafico.rpt"));
        ASSERT_TRUE(prueba::EscribirArchivo(archivo, Reporte(imagen)));
        m.Reset();
        m.setReportFileName(archivo);
        m.setConnect(prueba::LogonDemo());
    }

    // Color de la hoja a 72 ppp en un punto dado en mm desde el margen.
    static QColor Color(const QImage& hoja, qreal xMm, qreal yMm) {
        return hoja.pixelColor(qRound((15 + xMm) * PuntosPorMm), qRound((15 + yMm) * PuntosPorMm));
    }

    QTemporaryDir dir;
    QString archivo;
};

TEST_F(Imagenes, LaDefinidaSePintaVectorialEnSuMarco) {
    MotorReporte m;
    Preparar(m, QStringLiteral("<imagen origen=\"Grafico1\" x=\"10\" y=\"5\" ancho=\"100\" "
                               "alto=\"50\" ajuste=\"estirar\"/>"));
    m.DefinirImagen(QStringLiteral("grafico1"), Dibujo()); // sin distinguir mayúsculas
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    const QImage hoja = m.ImagenPagina(1, 72);
    EXPECT_EQ(Color(hoja, 12, 7), QColor(Qt::red)) << "esquina del marco";
    EXPECT_EQ(Color(hoja, 108, 53), QColor(Qt::red)) << "estirada: llena el marco";
    EXPECT_EQ(Color(hoja, 8, 7), QColor(Qt::white)) << "nada fuera del marco";
    EXPECT_EQ(Color(hoja, 112, 30), QColor(Qt::white));

    // El texto del dibujo llega al PDF como texto, no como mapa de bits.
    const QString pdf = dir.filePath(QStringLiteral("grafico.pdf"));
    ASSERT_TRUE(m.ExportarPdf(pdf));
    const QString texto = prueba::TextoDePdf(pdf);
    EXPECT_TRUE(texto.contains(QLatin1String("Antes"))) << texto.toStdString();
    EXPECT_TRUE(texto.contains(QLatin1String("Serie vectorial"))) << texto.toStdString();
}

TEST_F(Imagenes, ProporcionalQuedaCentradaYLaDefinidaGanaAlProveedor) {
    MotorReporte m;
    Preparar(m, QStringLiteral("<imagen origen=\"grafico1\" x=\"10\" y=\"5\" ancho=\"100\" "
                               "alto=\"100\"/>"));
    QStringList pedidos;
    QSizeF tamano;
    m.setProveedorImagenes([&](const QString& nombre, const QSizeF& mm) {
        pedidos << nombre;
        tamano = mm;
        return Dibujo();
    });
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    EXPECT_EQ(pedidos, QStringList{QStringLiteral("grafico1")});
    EXPECT_NEAR(tamano.width(), 100, 0.01);
    EXPECT_NEAR(tamano.height(), 100, 0.01);
    // 200 × 100 en un marco de 100 × 100: 100 × 50 centrada, de y = 30 a 80.
    const QImage hoja = m.ImagenPagina(1, 72);
    EXPECT_EQ(Color(hoja, 100, 33), QColor(Qt::red));
    EXPECT_EQ(Color(hoja, 100, 77), QColor(Qt::red));
    EXPECT_EQ(Color(hoja, 60, 27), QColor(Qt::white));
    EXPECT_EQ(Color(hoja, 60, 83), QColor(Qt::white));

    // Cada corrida vuelve a pedirla; la definida no se pide.
    ASSERT_TRUE(m.setAction(1));
    EXPECT_EQ(pedidos.size(), 2);
    m.DefinirImagen(QStringLiteral("GRAFICO1"), Dibujo(QStringLiteral("Definida")));
    ASSERT_TRUE(m.setAction(1));
    EXPECT_EQ(pedidos.size(), 2);
    const QString pdf = dir.filePath(QStringLiteral("definida.pdf"));
    ASSERT_TRUE(m.ExportarPdf(pdf));
    EXPECT_TRUE(prueba::TextoDePdf(pdf).contains(QLatin1String("Definida")));
}

TEST_F(Imagenes, LaQueNadieDaHaceFallarLaCorrida) {
    MotorReporte m;
    Preparar(m, QStringLiteral("<imagen origen=\"grafico2\" x=\"10\" y=\"5\" ancho=\"100\" "
                               "alto=\"50\"/>"));
    auto fallaConNombre = [&] {
        EXPECT_FALSE(m.setAction(1));
        EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaDatos);
        EXPECT_TRUE(m.ErrorDescripcion().contains(QStringLiteral("MRV_Grafico.rpt, línea 6")))
            << m.ErrorDescripcion().toStdString();
        EXPECT_TRUE(m.ErrorDescripcion().contains(QLatin1String("\"grafico2\"")))
            << m.ErrorDescripcion().toStdString();
        EXPECT_EQ(m.TotalPaginas(), 0) << "no sale a medias";
    };
    fallaConNombre(); // sin nada
    m.DefinirImagen(QStringLiteral("grafico1"), Dibujo());
    fallaConNombre(); // otro nombre
    m.setProveedorImagenes([](const QString&, const QSizeF&) { return QPicture(); });
    fallaConNombre(); // el proveedor no la tiene
    m.DefinirImagen(QStringLiteral("grafico2"), QImage());
    fallaConNombre(); // una imagen nula no cuenta

    QImage roja(40, 20, QImage::Format_RGB32);
    roja.fill(Qt::red);
    m.DefinirImagen(QStringLiteral("grafico2"), roja);
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    EXPECT_EQ(Color(m.ImagenPagina(1, 72), 60, 30), QColor(Qt::red));

    // Reset borra las definidas y el proveedor.
    m.Reset();
    m.setReportFileName(archivo);
    m.setConnect(prueba::LogonDemo());
    fallaConNombre();
}

TEST_F(Imagenes, UnaImagenLlevaUnaSolaFuente) {
    MotorReporte m;
    Preparar(m, QStringLiteral("<imagen origen=\"grafico1\" columna=\"emblema\" x=\"0\" y=\"5\" "
                               "ancho=\"50\" alto=\"20\"/>"));
    EXPECT_FALSE(m.setAction(1));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaDefinicion);
    EXPECT_TRUE(m.ErrorDescripcion().contains(QLatin1String("uno solo de los tres")))
        << m.ErrorDescripcion().toStdString();
}

} // namespace
