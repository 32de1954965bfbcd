// La vista previa (frmRptContenedor) con un reporte de tres páginas corrido
// contra el servidor privado: barra, botones, número de página, zoom por la
// lista y escribiendo, teclas, búsqueda y PDF. Y "Imprimir Todo" de Tipos de
// Compra de punta a punta con las ventanas de verdad.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DateTimeBox.h"
#include "DestinosMalos.h"
#include "Func_SarvoImpresion.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "ProcesarTeclas.h"
#include "VentanasImpresionQt.h"
#include "VistaPagina.h"
#include "frmResources.h"
#include "frmRptContenedor.h"
#include "frmTipoCompra.h"
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

// Con MIRAVEL_CAPTURAS, una imagen de la ventana en esa carpeta.
void Capturar(QWidget& w, const char* nombre) {
    const QString capturas = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (capturas.isEmpty())
        return;
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(capturas + QLatin1Char('/') + QLatin1String(nombre)));
}

class VistaPrevia : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        const QString archivo = dir.filePath(QStringLiteral("MRV_Renglones.rpt"));
        prueba::EscribirArchivo(archivo, R"(<reporte version="1" titulo="Renglones">
          <consulta>SELECT n, 'Renglón ' || n AS texto, n * 1250.5 AS importe
                      FROM generate_series(1, 120) n</consulta>
          <encabezado-pagina alto="12">
            <texto alto="8" tamano="14" negrita="si" alineacion="centro">Renglones de prueba</texto>
          </encabezado-pagina>
          <detalle alto="6" sombreado="#eef2f6">
            <campo columna="texto" x="2" ancho="80"/>
            <campo columna="importe" x="100" ancho="60" formato="#.##0,00" alineacion="derecha"/>
          </detalle>
          <pie-pagina alto="8">
            <campo especial="pagina-n-de-m" y="2" ancho="180" alto="5" alineacion="derecha"/>
          </pie-pagina>
        </reporte>)");
        motor.setReportFileName(archivo);
        motor.setConnect(prueba::LogonDemo());
        ASSERT_TRUE(motor.setAction(1)) << motor.ErrorDescripcion().toStdString();
        ASSERT_EQ(motor.TotalPaginas(), 3);
    }
    void TearDown() override { frmResources::Descargar(); }

    static void Mostrar(frmRptContenedor& v) {
        v.show();
        v.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&v));
    }

    QTemporaryDir dir;
    MotorReporte motor;
    DialogosGuion ui;
};

TEST_F(VistaPrevia, BarraConSusControlesEnSusLugares) {
    frmRptContenedor v(motor);
    EXPECT_EQ(v.objectName(), QStringLiteral("frmRptContenedor"));
    EXPECT_EQ(v.windowTitle(), QStringLiteral("Impresión"));
    const QRect pantalla = v.screen()->geometry();
    EXPECT_EQ(v.size(), QSize(qRound(pantalla.width() * 0.99), qRound(pantalla.height() * 0.92)));
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página 0 de 0")) << "hasta que se activa";
    EXPECT_TRUE(v.lbPagina()->font().bold());
    EXPECT_EQ(v.lbPagina()->font().pointSizeF(), 7.5);

    const std::tuple<const char*, const char*, int> botones[] = {
        {"CmdCerrar", "Cerrar", 4},      {"CmdPrimero", "Primero", 35},
        {"CmdAnterior", "Anterior", 62}, {"CmdSiguiente", "Siguiente", 88},
        {"CmdUltimo", "Ultimo", 115},    {"CmdBuscar", "Buscar", 415},
        {"CmdGrabar", "Grabar", 479},    {"CmdImprimir", "Imprimir Todo", 522}};
    for (const auto& [nombre, tooltip, x] : botones) {
        QPushButton* b = v.Boton(QLatin1String(nombre));
        ASSERT_NE(b, nullptr) << nombre;
        EXPECT_EQ(b->toolTip(), QString::fromUtf8(tooltip));
        EXPECT_EQ(b->geometry(), QRect(x, 2, 27, 26)) << nombre;
        EXPECT_TRUE(b->text().isEmpty());
        EXPECT_FALSE(b->icon().isNull()) << nombre;
    }
    EXPECT_TRUE(v.Boton(QStringLiteral("CmdHerramientas"))->isHidden());
    auto* barra = v.findChild<QWidget*>(QStringLiteral("Picture1"));
    EXPECT_EQ(barra->height(), 30);
    EXPECT_EQ(barra->palette().color(QPalette::Window), QColor(0xc0, 0xc0, 0xc0));
    EXPECT_EQ(v.Combo1()->geometry().x(), 302);
    EXPECT_EQ(v.Combo1()->width(), 105);
    QStringList lista;
    for (int i = 0; i < v.Combo1()->count(); ++i)
        lista << v.Combo1()->itemText(i);
    EXPECT_EQ(lista,
              (QStringList{"100 %", "75 %", "50 %", "25 %", "Ancho de página", "Toda la página"}));
    EXPECT_EQ(v.findChild<QLabel*>(QStringLiteral("lblLabels"))->text(), QStringLiteral("Zoom:"));
}

TEST_F(VistaPrevia, PaginasConLosBotonesYConLasTeclas) {
    frmRptContenedor v(motor);
    v.setWindowTitle(QStringLiteral("Renglones"));
    Mostrar(v);
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:1 de 3"));
    Capturar(v, "vistaprevia.png");

    v.Boton(QStringLiteral("CmdSiguiente"))->click();
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:2 de 3"));
    v.Boton(QStringLiteral("CmdUltimo"))->click();
    EXPECT_EQ(motor.PaginaActual(), 3) << "y el Siguiente de después no se pasa";
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:3 de 3"));
    v.Boton(QStringLiteral("CmdAnterior"))->click();
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:2 de 3"));
    v.Boton(QStringLiteral("CmdPrimero"))->click();
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:1 de 3"));

    QWidget* foco = v.Vista();
    QTest::keyClick(foco, Qt::Key_PageDown);
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:2 de 3"));
    QTest::keyClick(foco, Qt::Key_End);
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:3 de 3"));
    Capturar(v, "vistaprevia-ultima.png");
    QTest::keyClick(foco, Qt::Key_PageUp);
    EXPECT_EQ(motor.PaginaActual(), 2);
    QTest::keyClick(foco, Qt::Key_Home);
    EXPECT_EQ(motor.PaginaActual(), 1);

    QTest::keyClick(foco, Qt::Key_Escape);
    EXPECT_FALSE(v.isVisible());
    EXPECT_EQ(v.result(), QDialog::Rejected);
}

TEST_F(VistaPrevia, ZoomPorLaListaYMientrasSeEscribe) {
    frmRptContenedor v(motor);
    Mostrar(v);
    EXPECT_EQ(v.Combo1()->currentText(), QStringLiteral("Ancho de página"))
        << "muestra el zoom con que se abrió";
    std::vector<qint16> zooms;
    QObject::connect(&motor, &MotorReporte::zoomCambiado, [&](qint16 z) { zooms.push_back(z); });

    emit v.Combo1()->textActivated(QStringLiteral("Toda la página"));
    EXPECT_EQ(motor.ZoomActual(), 2);
    const QRectF hoja = v.Vista()->LugarHoja();
    EXPECT_LE(hoja.height(), v.Vista()->viewport()->height()) << "la hoja entera a la vista";
    EXPECT_NEAR(hoja.center().x(), v.Vista()->viewport()->width() / 2.0, 1.0) << "centrada";
    emit v.Combo1()->textActivated(QStringLiteral("25 %"));
    EXPECT_EQ(motor.ZoomActual(), 25);

    // Escribir 150: una llamada por tecla (1, 15, 150).
    zooms.clear();
    v.Combo1()->setEditText(QString());
    QTest::keyClicks(v.Combo1()->lineEdit(), QStringLiteral("150"));
    EXPECT_EQ(zooms, (std::vector<qint16>{1, 15, 150}));
    EXPECT_NEAR(v.Vista()->Escala(), v.logicalDpiX() / 72.0 * 1.5, 1e-9);
    Capturar(v, "vistaprevia-150.png");
    // Letras: zoom 0, que el motor lleva a su mínimo.
    v.Combo1()->setEditText(QString());
    QTest::keyClicks(v.Combo1()->lineEdit(), QStringLiteral("ab"));
    EXPECT_EQ(motor.ZoomActual(), MotorReporte::ZoomMinimo);
    emit v.Combo1()->textActivated(QStringLiteral("Ancho de página"));
    EXPECT_NEAR(v.Vista()->LugarHoja().width(),
                v.Vista()->viewport()->width() - 2 * VistaPagina::Margen, 1.0);
}

TEST_F(VistaPrevia, BuscarResaltaYGrabarEscribeElPdf) {
    frmRptContenedor v(motor);
    Mostrar(v);
    ui.textos = {QStringLiteral("renglón 120")};
    QTest::keyClick(v.Vista(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(ui.preguntas.size(), 1);
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:3 de 3"));
    Capturar(v, "vistaprevia-buscar.png");

    const QString pdf = dir.filePath(QStringLiteral("salida.pdf"));
    EXPECT_TRUE(v.GrabarPdf(pdf));
    EXPECT_TRUE(prueba::TextoDePdf(pdf).contains(QStringLiteral("Renglón 120")));

    // Un destino que no se puede escribir lo dice con la ruta y el motivo; la
    // ventana sigue en su página y puede grabar en otro lado.
    for (const auto& d : prueba::DestinosMalos(dir, QStringLiteral("pdf"))) {
        ui.mensajes.clear();
        EXPECT_FALSE(v.GrabarPdf(d.ruta)) << d.caso;
        ASSERT_EQ(ui.mensajes.size(), 1u);
        EXPECT_EQ(ui.mensajes[0].titulo, QStringLiteral("Grabar"));
        EXPECT_EQ(ui.mensajes[0].Mensaje, QStringLiteral("No se pudo grabar %1: %2.")
                                              .arg(QDir::toNativeSeparators(d.ruta), d.motivo));
    }
    // Con el disco lleno el PDF queda incompleto: no reemplaza al anterior.
    const QString anterior = prueba::TextoDePdf(pdf);
    ui.mensajes.clear();
    bool grabo = true;
    {
        prueba::DiscoLleno lleno(2048);
        grabo = v.GrabarPdf(pdf);
    }
    EXPECT_FALSE(grabo);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.startsWith(QStringLiteral("No se pudo grabar ") +
                                                  QDir::toNativeSeparators(pdf) +
                                                  QStringLiteral(": el PDF quedó incompleto")))
        << ui.mensajes[0].Mensaje.toStdString();
    EXPECT_EQ(prueba::TextoDePdf(pdf), anterior);
    EXPECT_EQ(v.lbPagina()->text(), QStringLiteral("Página:3 de 3"));
    EXPECT_TRUE(v.GrabarPdf(dir.filePath(QStringLiteral("otra.pdf"))));
}

// "Imprimir Todo" de Tipos de Compra con las ventanas de verdad.
class ImprimirVentana : public prueba::ConSesion {
protected:
    void SetUp() override {
        ConSesion::SetUp();
        EstadoSesion& g = Glob();
        g.ClaveBase = DerivarClave(QStringLiteral("demo"));
        g.CadenaConexionODBC = ArmarCadenaODBC(g.UsuarioActual, g.ClaveBase);
        g.Municipalidad = QStringLiteral("Municipalidad de Villa Serrana");
        g.CodUsuario = 33001;
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *g.Conexion));
        const QString rpt = QStringLiteral("Miravel/Reportes/Formato85/MRV_TipoCompra.rpt");
        const QString emblema = QStringLiteral("Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT");
        for (const QString& r : {rpt, emblema})
            ASSERT_TRUE(prueba::EscribirArchivo(dir.filePath(r),
                                                prueba::LeerArchivo(prueba::ArchivoInstalado(r))));
        InstalarVentanasImpresion(&impresion);
        Limpiar();
    }
    void TearDown() override {
        InstalarVentanasImpresion(nullptr);
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Limpiar();
        ConSesion::TearDown();
    }
    void Limpiar() {
        Cambiar(
            QStringLiteral("DELETE FROM owner_sarvo.ges_tipo_compra WHERE cod_usuario = 33001"));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }

    VentanasImpresionQt impresion;
};

TEST_F(ImprimirVentana, ImprimirTodoMuestraElReporteYDevuelveLaVentana) {
    frmTipoCompra ventana;
    ventana.show();
    ASSERT_TRUE(ventana.CmdImprimir()->isEnabled());
    ASSERT_TRUE(ventana.Fecha()->PonerValue(QDate(2024, 2, 29)));
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
        EXPECT_EQ(vista->windowTitle(), QStringLiteral("Tipos de Compra"));
        EXPECT_TRUE(vista->isModal());
        EXPECT_EQ(vista->lbPagina()->text(), QStringLiteral("Página:1 de 1"));
        EXPECT_FALSE(ventana.isEnabled()) << "la ventana que imprime espera";
        EXPECT_TRUE(ventana.CmdImprimir()->testAttribute(Qt::WA_ForceDisabled));
        EXPECT_TRUE(ventana.CmdCerrar()->testAttribute(Qt::WA_ForceDisabled));
        Capturar(*vista, "tipocompra-reporte.png");
        vista->Boton(QStringLiteral("CmdCerrar"))->click();
    });
    mirar.start(20);
    ventana.CmdImprimir()->click();
    mirar.stop();

    EXPECT_TRUE(visto);
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(ventana.isEnabled());
    EXPECT_TRUE(ventana.CmdImprimir()->isEnabled());
    EXPECT_TRUE(ventana.CmdCerrar()->isEnabled());
    EXPECT_FALSE(frmResources::Cargada());
    EXPECT_EQ(impresion.VistaPrevia(), nullptr);

    // Alt+Z dice cuál fue el último reporte.
    int tecla = Qt::Key_Z;
    Qt::KeyboardModifiers mayusculas = Qt::AltModifier;
    ProcesarTeclas(tecla, mayusculas, false, &ventana);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(
        ui.mensajes.back().Mensaje.endsWith(QStringLiteral("  Ultimo RPT : MRV_TipoCompra.rpt")));
}

} // namespace
