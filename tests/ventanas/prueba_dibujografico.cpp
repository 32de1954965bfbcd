// Los gráficos de una estadística como dibujos para su reporte, fuera de
// pantalla: la vista de la ventana al tamaño del marco, vectorial (sus textos
// llegan al PDF como textos), y los nombres grafico1 y grafico2 de cada
// estadística.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include "DibujoGrafico.h"
#include "EvolucionRecursos.h"
#include "Glob_Sarvo.h"
#include "ModeloGrafico.h"
#include "MotorReporte.h"
#include "OcupacionCargos.h"
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>

namespace {

ModeloGrafico Cargos() {
    ModeloGrafico m;
    m.SetSize(3, 2, 3, 2);
    for (int f = 1; f <= 3; ++f) {
        m.SetRowLabel(f, 1, QString::number(2021 + f));
        m.SetData(f, 1, 600 + 10 * f);
        m.SetData(f, 2, 40 + f);
    }
    m.NombrarSeries({QStringLiteral("Ocupados"), QStringLiteral("Disponibles")});
    m.TitleText = QStringLiteral("Cargos Disponibles y Ocupados");
    m.Visible = true;
    return m;
}

// Texto de un dibujo pasado a un PDF.
QString TextoDelDibujo(const QPicture& dibujo, const QString& carpeta) {
    const QString pdf = carpeta + QStringLiteral("/dibujo.pdf");
    {
        QPdfWriter escritor(pdf);
        QPainter p(&escritor);
        p.drawPicture(0, 0, dibujo);
    }
    return prueba::TextoDePdf(pdf);
}

TEST(DibujoGrafico, LaVistaAlTamanoDelMarcoConSusTextos) {
    QTemporaryDir dir;
    const QPicture dibujo = DibujarGrafico(Cargos(), QSizeF(180, 70));
    ASSERT_FALSE(dibujo.isNull());
    EXPECT_EQ(dibujo.boundingRect().size(), QSize(qRound(180 * 96 / 25.4), qRound(70 * 96 / 25.4)));
    const QString texto = TextoDelDibujo(dibujo, dir.path());
    for (const char* t :
         {"Cargos Disponibles y Ocupados", "Ocupados", "Disponibles", "2022", "2024"})
        EXPECT_TRUE(texto.contains(QLatin1String(t))) << t << " en:\n" << texto.toStdString();

    EXPECT_TRUE(DibujarGrafico(Cargos(), QSizeF(5, 5)).isNull()) << "un marco sin lugar";
}

TEST(DibujoGrafico, CadaEstadisticaDaSusGraficosPorNombre) {
    EvolucionRecursos dos;
    dos.Grafico(1).TitleText = QStringLiteral("Recursos Afectados");
    const auto graficos = GraficosDeEstadistica(dos);
    EXPECT_FALSE(graficos(QStringLiteral("grafico1"), QSizeF(180, 70)).isNull());
    const QPicture segundo = graficos(QStringLiteral(" GRAFICO2 "), QSizeF(180, 70));
    ASSERT_FALSE(segundo.isNull());
    QTemporaryDir dir;
    EXPECT_TRUE(TextoDelDibujo(segundo, dir.path()).contains(QLatin1String("Recursos Afectados")));
    EXPECT_TRUE(graficos(QStringLiteral("grafico3"), QSizeF(180, 70)).isNull());

    OcupacionCargos uno;
    EXPECT_FALSE(GraficosDeEstadistica(uno)(QStringLiteral("grafico1"), QSizeF(180, 70)).isNull());
    EXPECT_TRUE(GraficosDeEstadistica(uno)(QStringLiteral("grafico2"), QSizeF(180, 70)).isNull())
        << "una estadística de un gráfico no tiene Chart2";
}

// El reporte instalado de Ocupación de Cargos, corrido contra el servidor
// con los gráficos que da la estadística: el del reporte es el de la ventana.
TEST(DibujoGrafico, ElReporteLlevaElGraficoDeLaEstadistica) {
    ASSERT_TRUE(prueba::HayServidor()) << "falta el servidor privado: ver scripts/basedatos";
    QTemporaryDir dir;
    Glob() = EstadoSesion();
    Glob().RutaSistema = dir.path() + QLatin1Char('/');
    const QString archivo = dir.path() + QStringLiteral("/MRV_CargosDispoOcu.rpt");
    ASSERT_TRUE(prueba::EscribirArchivo(
        archivo, prueba::LeerArchivo(prueba::CarpetaPruebasReportes() +
                                     "/../../reports/Miravel/Reportes/Formato85/"
                                     "MRV_CargosDispoOcu.rpt")));
    ASSERT_TRUE(prueba::EscribirArchivo(dir.path() + QStringLiteral("/GDA_LOGOMUNI.RPT"),
                                        prueba::LeerArchivo(prueba::ArchivoInstalado(QStringLiteral(
                                            "Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT")))));
    OcupacionCargos logica;
    logica.Grafico(0) = Cargos();
    MotorReporte m;
    m.setReportFileName(archivo);
    m.setConnect(prueba::LogonDemo());
    m.setSubreportToChange(QStringLiteral("GDA_LOGOMUNI.RPT"));
    m.setSQLQuery(prueba::ConsultaEmblema());
    m.setSubreportToChange(QString());
    m.setProveedorImagenes(GraficosDeEstadistica(logica));
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    const QString pdf = dir.filePath(QStringLiteral("cargos.pdf"));
    ASSERT_TRUE(m.ExportarPdf(pdf));
    const QString texto = prueba::TextoDePdf(pdf);
    for (const char* t : {"Ocupación de Cargos", "Cargos Disponibles y Ocupados", "Disponibles"})
        EXPECT_TRUE(texto.contains(QString::fromUtf8(t))) << t << " en:\n" << texto.toStdString();
    Glob() = EstadoSesion();
}

} // namespace
