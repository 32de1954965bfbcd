// Las ventanas de las tres estadísticas que solo imprimen, abiertas por su
// código de tarea: su lugar y sus controles, "Aceptar" oculto y sin efecto, e
// "Imprimir Todo" que con la generación fallida no imprime y deja la ventana
// abierta, y que con la generación buena muestra el reporte.
#include "../printing/AyudaImpresion.h"
#include "DateTimeBox.h"
#include "Parametros.h"
#include "Recordset.h"
#include "TareasEstadistica.h"
#include "VentanasEstadisticas.h"
#include "VistaGrafico.h"
#include "frmEstadistica.h"
#include <QApplication>
#include <QDirIterator>
#include <QFrame>
#include <QPushButton>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const qint16 Usuario = 32811;

class VentanasImprimibles : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Glob().CodUsuario = Usuario;
        Glob().SeguimientoSql = true;
        InstalarDelArbol(QStringLiteral("Miravel/Reportes/Formato85/MRV_RankingProveedores.rpt"));
        Limpiar();
    }
    void TearDown() override {
        Limpiar();
        ConImpresion::TearDown();
    }
    void Limpiar() {
        auto c = prueba::Conectar();
        for (const char* tabla :
             {"ges_compras_x_prov", "ges_compras_x_rubro", "ges_gastos_x_catprog"})
            c->Ejecutar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE usuario = %2")
                            .arg(QLatin1String(tabla))
                            .arg(Usuario));
        c->Confirmar();
    }
    // Sentencias del seguimiento de esta prueba, todas juntas.
    QString Traza() {
        QString texto;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString ruta = it.next();
            if (ruta.contains(QLatin1String("SEG")))
                texto += QString::fromUtf8(prueba::LeerArchivo(ruta));
        }
        return texto;
    }
    // Con MIRAVEL_CAPTURAS, una captura de la ventana para mirar.
    static void Capturar(QWidget& ventana, const QString& nombre) {
        const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
        if (!carpeta.isEmpty()) {
            EXPECT_TRUE(ventana.grab().save(carpeta + QLatin1Char('/') + nombre + ".png"));
        }
    }
    static std::unique_ptr<frmEstadistica> Abrir(int tarea) {
        auto dialogo = CrearVentanaTarea(tarea, nullptr);
        EXPECT_NE(dialogo, nullptr) << tarea;
        return std::unique_ptr<frmEstadistica>(dynamic_cast<frmEstadistica*>(dialogo.release()));
    }
};

TEST_F(VentanasImprimibles, LugarControlesYAceptarOcultoSinEfecto) {
    for (int tarea : {105, 106, 110}) {
        SCOPED_TRACE(tarea);
        auto v = Abrir(tarea);
        ASSERT_NE(v, nullptr);
        const auto t = BuscarTareaEstadistica(tarea);
        EXPECT_EQ(v->objectName(), t->ventana);
        EXPECT_EQ(v->windowTitle(), t->caption);
        // Twips a 15 por píxel: área 6705 × 1260; botones de 410 × 390.
        EXPECT_EQ(v->size(), QSize(447, 84));
        EXPECT_EQ(v->CmdCerrar()->geometry(), QRect(16, 16, 27, 26));
        EXPECT_EQ(v->Fecha()->geometry(), QRect(160, 16, 89, 21));
        EXPECT_EQ(v->CmdImprimir()->geometry(), QRect(280, 16, 27, 26));
        EXPECT_EQ(v->CmdActualizar()->geometry(), QRect(360, 16, 27, 26));
        EXPECT_EQ(v->CmdImprimir()->toolTip(), "Imprimir");
        EXPECT_EQ(v->CmdCerrar()->toolTip(), "Salir");
        auto* linea = v->findChild<QFrame*>(QStringLiteral("Line1"));
        ASSERT_NE(linea, nullptr);
        EXPECT_EQ(linea->width(), 440);
        EXPECT_EQ(v->findChild<VistaGrafico*>(), nullptr) << "sin gráficos";

        v->show();
        QApplication::processEvents();
        EXPECT_FALSE(v->CmdActualizar()->isVisible());
        EXPECT_TRUE(v->CmdImprimir()->isEnabled());
        EXPECT_NE(QApplication::focusWidget(), v->CmdActualizar());
        Capturar(*v, QStringLiteral("imprimible-%1").arg(tarea));

        // "Aceptar" no genera ni muestra nada, ni por su evento ni por el botón.
        v->CmdActualizar_Click();
        v->CmdActualizar()->click();
        EXPECT_FALSE(Traza().contains(QStringLiteral("GES_GENERA_"))) << Traza().toStdString();
        EXPECT_TRUE(ui.mensajes.empty());
        EXPECT_TRUE(ventanas.titulos.isEmpty());
        v->CmdCerrar()->click();
        EXPECT_FALSE(v->isVisible());
    }
}

TEST_F(VentanasImprimibles, ImprimirTodoFallidoDejaLaVentanaAbiertaYElBuenoMuestraElReporte) {
    auto v = Abrir(105);
    ASSERT_NE(v, nullptr);
    v->show();
    ASSERT_TRUE(v->Fecha()->PonerValue(QDate(2024, 2, 29)));
    {
        // Otra sesión tiene el bloqueo del usuario sobre la tabla del ranking.
        ASSERT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral("SET lock_timeout = '300ms'")));
        auto otra = prueba::Conectar();
        Recordset rs;
        ASSERT_TRUE(otra->Consultar(
            QStringLiteral("SELECT owner_sarvo.ges_bloquear_usuario('ges_compras_x_prov', %1)")
                .arg(Usuario),
            rs));
        v->CmdImprimir()->click();
    }
    EXPECT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(ventanas.titulos.isEmpty()) << "nada impreso";
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(v->isEnabled());
    EXPECT_TRUE(v->CmdImprimir()->isEnabled());

    ui.mensajes.clear();
    v->CmdImprimir()->click();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_EQ(ventanas.titulos, QStringList{QStringLiteral("Ranking de Proveedores")});
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(v->isVisible());
    EXPECT_TRUE(Traza().contains(
        QStringLiteral("OWNER_SARVO.GES_GENERA_COMPRAS_X_PROV(%1,2024,'29/02/2024')")
            .arg(Usuario)));
}

} // namespace
