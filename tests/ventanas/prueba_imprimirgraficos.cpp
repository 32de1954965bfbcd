// "Imprimir Todo" de las ventanas con gráficos contra el servidor privado,
// con sus reportes instalados y la vista previa falsa que escribe el PDF: el
// gráfico del reporte es el que la ventana dibuja en ese momento, y cada una
// de las siete abre su reporte sin falla.
#include "../printing/AyudaImpresion.h"
#include "DateTimeBox.h"
#include "Estadistica.h"
#include "Parametros.h"
#include "VentanasEstadisticas.h"
#include "VentanasImpresionQt.h"
#include "frmEstadistica.h"
#include "frmOcupacionCargos.h"
#include "frmRptContenedor.h"
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const qint16 Usuario = 33101;
const QDate FechaDemo(2024, 2, 29);
const QString Carpeta = QStringLiteral("Miravel/Reportes/Formato85/");

class ImprimirGraficos : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        Glob().CodUsuario = Usuario;
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Limpiar();
    }
    void TearDown() override {
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Limpiar();
        ConImpresion::TearDown();
    }
    void Limpiar() {
        Cambiar(
            QStringLiteral("DELETE FROM owner_sarvo.ges_tmp_cargos_dispo_ocu WHERE usuario = %1")
                .arg(Usuario));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }
    QString TextoVista() { return prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf"))); }
};

TEST_F(ImprimirGraficos, ElReporteLlevaElGraficoQueMuestraLaVentana) {
    const QString archivo = QStringLiteral("MRV_CargosDispoOcu.rpt");
    InstalarDelArbol(Carpeta + archivo);
    const QString titulo = QStringLiteral("Cargos Disponibles y Ocupados");
    ASSERT_FALSE(
        QString::fromUtf8(prueba::LeerArchivo(dir.filePath(Carpeta + archivo))).contains(titulo))
        << "el título solo puede venir del gráfico";

    frmOcupacionCargos ventana;
    ASSERT_TRUE(ventana.Fecha()->PonerValue(FechaDemo));
    ventana.CmdActualizar()->click();
    ASSERT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    ASSERT_EQ(ventana.Logica().Grafico().TitleText, titulo);
    ASSERT_GT(ventana.Logica().Grafico().RowCount(), 0);

    ventana.CmdImprimir()->click();
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_EQ(ventanas.titulos, QStringList{QStringLiteral("Ocupación de Cargos")});
    ASSERT_TRUE(ventanas.PdfEscrito());
    const QString texto = TextoVista();
    EXPECT_TRUE(texto.contains(titulo)) << texto.toStdString();
    // Los rótulos de los años del gráfico y la leyenda de sus series.
    const ModeloGrafico& g = ventana.Logica().Grafico();
    EXPECT_TRUE(texto.contains(g.RowLabel(g.RowCount()))) << texto.toStdString();
    for (const QString& serie : g.NombresSeries())
        EXPECT_TRUE(texto.contains(serie)) << serie.toStdString();

    // Lo que cambia en la ventana cambia en el próximo reporte.
    ventana.Logica().Grafico().TitleText = QStringLiteral("Planta al cierre");
    ventana.CmdImprimir()->click();
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    const QString otro = TextoVista();
    EXPECT_TRUE(otro.contains(QStringLiteral("Planta al cierre"))) << otro.toStdString();
    EXPECT_FALSE(otro.contains(titulo));
}

// La vista previa de verdad con el reporte y su gráfico; con
// MIRAVEL_CAPTURAS, su captura para mirar.
TEST_F(ImprimirGraficos, LaVistaPreviaMuestraElReporteConSuGrafico) {
    InstalarDelArbol(Carpeta + QStringLiteral("MRV_CargosDispoOcu.rpt"));
    VentanasImpresionQt impresion;
    InstalarVentanasImpresion(&impresion);
    frmOcupacionCargos ventana;
    ventana.show();
    ASSERT_TRUE(ventana.Fecha()->PonerValue(FechaDemo));
    ventana.CmdActualizar()->click();
    ASSERT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();

    bool visto = false;
    QTimer mirar;
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        frmRptContenedor* vista = impresion.VistaPrevia();
        if (!vista || !vista->isVisible() || visto)
            return;
        visto = true;
        QApplication::processEvents();
        EXPECT_EQ(vista->windowTitle(), QStringLiteral("Ocupación de Cargos"));
        EXPECT_EQ(vista->lbPagina()->text(), QStringLiteral("Página:1 de 1"));
        const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
        if (!carpeta.isEmpty()) {
            EXPECT_TRUE(
                vista->grab().save(carpeta + QStringLiteral("/reporte-ocupacioncargos-vista.png")));
        }
        vista->Boton(QStringLiteral("CmdCerrar"))->click();
    });
    mirar.start(20);
    ventana.CmdImprimir()->click();
    mirar.stop();
    InstalarVentanasImpresion(&ventanas);

    EXPECT_TRUE(visto);
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(ventana.isEnabled());
    EXPECT_TRUE(ventana.CmdImprimir()->isEnabled());
}

// Cada una de las siete ventanas con gráficos, tal como la abre el menú:
// "Imprimir Todo" abre su reporte instalado sin mensajes, con el gráfico de
// la ventana en los seis reportes que los llevan.
TEST_F(ImprimirGraficos, CadaVentanaAbreSuReporteSinFalla) {
    int conGraficos = 0, reportesConGraficos = 0;
    for (const int codigo : TareasDisponibles()) {
        SCOPED_TRACE(codigo);
        std::unique_ptr<QDialog> dialogo = CrearVentanaTarea(codigo, nullptr);
        auto* ventana = dynamic_cast<frmEstadistica*>(dialogo.get());
        ASSERT_NE(ventana, nullptr);
        Estadistica& logica = ventana->Logica();
        if (logica.Descripcion().graficos == 0)
            continue;
        ++conGraficos;
        const PedidoImpresion pedido = logica.Impresion(ventana->Fecha()->Value().toDate());
        const QString rpt = Carpeta + pedido.archivo;
        InstalarDelArbol(rpt);
        const bool pideGraficos = prueba::LeerArchivo(dir.filePath(rpt)).contains("<imagen");
        QStringList titulos;
        for (int i = 0; i < logica.Descripcion().graficos; ++i) {
            logica.Grafico(i).TitleText =
                QStringLiteral("Gráfico %1 de la tarea %2").arg(i + 1).arg(codigo);
            titulos << logica.Grafico(i).TitleText;
        }
        ventanas.titulos.clear();
        ui.mensajes.clear();
        QFile::remove(dir.filePath(QStringLiteral("vista.pdf")));

        ventana->CmdImprimir()->click();
        EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
        EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
        EXPECT_EQ(ventanas.titulos, QStringList{pedido.titulo});
        ASSERT_TRUE(ventanas.PdfEscrito());
        EXPECT_GE(ventanas.paginas, 1);
        if (!pideGraficos)
            continue;
        ++reportesConGraficos;
        // Sin filas (este usuario no generó), el gráfico que va al pie de la
        // tabla no sale; el último, al pie del reporte, sale siempre.
        const QString texto = TextoVista();
        EXPECT_TRUE(texto.contains(titulos.last())) << titulos.last().toStdString() << " en:\n"
                                                    << texto.toStdString();
    }
    EXPECT_EQ(conGraficos, 7);
    EXPECT_EQ(reportesConGraficos, 6);
}

} // namespace
