// Lo que decide la vista previa sin pantalla: el texto de la página, el zoom
// de lo que dice la lista (también mientras se escribe), EliminarCaracter,
// el nombre del PDF y la búsqueda de a una aparición por vez (contra el
// servidor, con un reporte de varias páginas).
#include "AyudaReportes.h"
#include "BaseDePrueba.h"
#include "LogicaVistaPrevia.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

TEST(LogicaVistaPrevia, TextoDeLaPaginaSinBlancoTrasLosDosPuntos) {
    EXPECT_EQ(LogicaVistaPrevia::TextoPagina(1, 4), QStringLiteral("Página:1 de 4"));
    EXPECT_EQ(LogicaVistaPrevia::TextoPagina(0, 0), QStringLiteral("Página:0 de 0"));
    EXPECT_EQ(LogicaVistaPrevia::TextoPagina(40000, 40001), QStringLiteral("Página:40000 de 40001"))
        << "sin separador de miles";
}

TEST(LogicaVistaPrevia, CodigoDeZoomPorElTextoDeLaLista) {
    const std::pair<const char*, qint16> casos[] = {
        {"Ancho de página", 1},
        {"Toda la página", 2},
        {"100 %", 100},
        {"75 %", 75},
        {"50 %", 50},
        {"25 %", 25},
        // mientras se escribe 150: una llamada por tecla
        {"1", 1},
        {"15", 15},
        {"150", 150},
        // letras, vacío o un nombre de la lista mal escrito: 0
        {"a", 0},
        {"abc", 0},
        {"", 0},
        {"ancho de página", 0},
        {"%", 0},
        {" 80%", 80},
        {"12,5 %", 12},
        {"13,5", 14},
        {"-5", -5},
        // lo que no entra en 16 bits va al extremo (el motor lo acota después)
        {"99999", 32767},
        {"-99999", -32768}};
    for (const auto& [texto, codigo] : casos)
        EXPECT_EQ(LogicaVistaPrevia::CodigoZoom(QString::fromUtf8(texto)), codigo) << texto;
    for (const QString& elemento : LogicaVistaPrevia::ListaZoom())
        EXPECT_EQ(LogicaVistaPrevia::TextoZoom(LogicaVistaPrevia::CodigoZoom(elemento)), elemento);
}

TEST(LogicaVistaPrevia, EliminarCaracterDejaLoDemasEnSuOrden) {
    EXPECT_EQ(LogicaVistaPrevia::EliminarCaracter(QStringLiteral("100 %"), QStringLiteral("%")),
              QStringLiteral("100 "))
        << "el blanco antes del signo queda";
    EXPECT_EQ(LogicaVistaPrevia::EliminarCaracter(QStringLiteral("%a%%b c%"), QStringLiteral("%")),
              QStringLiteral("ab c"));
    EXPECT_EQ(LogicaVistaPrevia::EliminarCaracter(QStringLiteral("sin"), QStringLiteral("%")),
              QStringLiteral("sin"));
    EXPECT_EQ(LogicaVistaPrevia::EliminarCaracter(QStringLiteral("a%b"), QString()),
              QStringLiteral("a%b"));
}

TEST(LogicaVistaPrevia, NombreDelPdfConTituloYFecha) {
    const QDate dia(2024, 3, 15);
    EXPECT_EQ(LogicaVistaPrevia::NombrePdf(QStringLiteral("Tipos de Compra"), dia),
              QStringLiteral("Tipos de Compra 15-03-2024.pdf"));
    EXPECT_EQ(LogicaVistaPrevia::NombrePdf(QStringLiteral("Recursos vs. Gastos: 1/2"), dia),
              QStringLiteral("Recursos vs. Gastos 1 2 15-03-2024.pdf"));
    EXPECT_EQ(LogicaVistaPrevia::NombrePdf(QStringLiteral(" ? "), dia),
              QStringLiteral("Reporte 15-03-2024.pdf"));
}

class Busqueda : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        const QString archivo = dir.filePath(QStringLiteral("MRV_Renglones.rpt"));
        prueba::EscribirArchivo(archivo, R"(<reporte version="1">
          <consulta>SELECT n, 'Renglón ' || n AS texto FROM generate_series(1, 120) n</consulta>
          <detalle alto="6"><campo columna="texto" ancho="80"/></detalle>
          <pie-pagina alto="6"><campo especial="pagina-n-de-m" ancho="60"/></pie-pagina>
        </reporte>)");
        motor.setReportFileName(archivo);
        motor.setConnect(prueba::LogonDemo());
        ASSERT_TRUE(motor.setAction(1)) << motor.ErrorDescripcion().toStdString();
        ASSERT_EQ(motor.TotalPaginas(), 3);
    }

    QTemporaryDir dir;
    MotorReporte motor;
    DialogosGuion ui;
    LogicaVistaPrevia logica;
};

TEST_F(Busqueda, CadaBusquedaDelMismoTextoVaALaProximaAparicion) {
    // "renglón 11" está en 11 y en 110 a 119; el mismo texto sigue, sin distinguir mayúsculas.
    ui.textos = {QStringLiteral("renglón 11"), QStringLiteral("RENGLÓN 11"),
                 QStringLiteral("Renglón 11")};
    const auto primera = logica.BuscarSiguiente(motor);
    ASSERT_TRUE(primera);
    EXPECT_EQ(primera->pagina, 1);
    EXPECT_EQ(ui.preguntas, QStringList{QStringLiteral("Texto a buscar:")});
    const auto segunda = logica.BuscarSiguiente(motor);
    ASSERT_TRUE(segunda);
    EXPECT_GT(segunda->pagina, 1);
    const auto tercera = logica.BuscarSiguiente(motor);
    ASSERT_TRUE(tercera);
    EXPECT_GE(tercera->pagina, segunda->pagina);
    EXPECT_TRUE(tercera->pagina > segunda->pagina || tercera->trazo > segunda->trazo);
    EXPECT_EQ(logica.Resaltado()->pagina, tercera->pagina);
    EXPECT_FALSE(logica.Resaltado()->rectangulo.isEmpty());
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST_F(Busqueda, AlFinalLoDiceYLaProximaVuelveAEmpezar) {
    ui.textos = {QStringLiteral("Renglón 120"), QStringLiteral("Renglón 120"),
                 QStringLiteral("Renglón 120"), std::nullopt, QStringLiteral("no está")};
    ASSERT_TRUE(logica.BuscarSiguiente(motor));
    EXPECT_EQ(logica.Resaltado()->pagina, 3);
    EXPECT_FALSE(logica.BuscarSiguiente(motor));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.startsWith(
        QStringLiteral("No hay más apariciones de \"Renglón 120\"")));
    EXPECT_EQ(ui.mensajes[0].TipoMensaje, 64);
    EXPECT_FALSE(logica.Resaltado());
    const auto otraVez = logica.BuscarSiguiente(motor);
    ASSERT_TRUE(otraVez);
    EXPECT_EQ(otraVez->pagina, 3);

    // Cancelar no cambia nada ni muestra nada.
    EXPECT_FALSE(logica.BuscarSiguiente(motor));
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(logica.Resaltado()->pagina, 3);
    // Un texto que no está.
    EXPECT_FALSE(logica.BuscarSiguiente(motor));
    ASSERT_EQ(ui.mensajes.size(), 2u);
    EXPECT_EQ(ui.mensajes[1].Mensaje, QStringLiteral("No se encontró \"no está\" en el reporte."));
    EXPECT_EQ(logica.TextoBuscado(), QStringLiteral("no está"));
}

} // namespace
