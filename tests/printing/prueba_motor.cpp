// El motor contra el servidor privado: el reporte de ejemplo con su
// subreporte de archivo aparte y el emblema en una columna binaria, el PDF
// leído con pdftotext contra un texto esperado, las fórmulas en la consulta,
// el ingreso, los errores que lee EjecutarReporte, páginas, zoom y búsqueda.
#include "AyudaReportes.h"
#include "BaseDePrueba.h"
#include "CadenaLogon.h"
#include "ConexionBase.h"
#include "Glob_Sarvo.h"
#include "MotorReporte.h"
#include <QPdfWriter>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const QString Emblema = QStringLiteral("GDA_LOGOMUNI.RPT");

class Motor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor()) << "falta el servidor privado: ver scripts/basedatos";
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
        Glob().RutaSistema = dir.path() + QLatin1Char('/');
        archivo = prueba::InstalarReportes(dir.path());
    }
    void TearDown() override { Glob() = EstadoSesion(); }

    // El pedido como lo arma el módulo de impresión: fórmulas automáticas y de
    // la ventana, el ingreso y la consulta del emblema en su subreporte.
    void Preparar(MotorReporte& m) {
        m.Reset();
        m.setReportFileName(archivo);
        m.setConnect(prueba::LogonDemo());
        m.setFormulas(0, QStringLiteral("municipalidad='Municipalidad de Villa Serrana'"));
        m.setFormulas(1, QStringLiteral("fecha='01/01/2024'"));
        m.setFormulas(2, QStringLiteral("hora='08:00'"));
        m.setFormulas(3, QStringLiteral("Fecha='15/03/2024'"));
        m.setFormulas(4, QStringLiteral("Ejercicio=2024"));
        m.setFormulas(5, QStringLiteral("Municipalidad='Villa O'Higgins'"));
        m.setSubreportToChange(Emblema);
        m.setSQLQuery(prueba::ConsultaEmblema());
        m.setSubreportToChange(QString());
        m.FijarMomentoImpresion(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
    }

    QStringList TextosPagina(const MotorReporte& m, int pagina) {
        const QString pdf = dir.filePath(QStringLiteral("pagina.pdf"));
        QPdfWriter escritor(pdf);
        EXPECT_TRUE(const_cast<MotorReporte&>(m).Imprimir(escritor, pagina, pagina));
        return prueba::TextoDePdf(pdf).remove(u'\f').split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir dir;
    QString archivo;
};

TEST_F(Motor, ElPdfDelReporteDeEjemploDiceLoQueDicenLosDatos) {
    MotorReporte m;
    Preparar(m);
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    EXPECT_FALSE(m.HayError());
    EXPECT_EQ(m.TotalPaginas(), 1);
    EXPECT_EQ(m.PaginaActual(), 1);
    const QString pdf = dir.filePath(QStringLiteral("tipos.pdf"));
    ASSERT_TRUE(m.ExportarPdf(pdf)) << m.ErrorDescripcion().toStdString();
    const QString esperado = QString::fromUtf8(
        prueba::LeerArchivo(prueba::CarpetaPruebasReportes() + "/esperado_tipos_compra.txt"));
    ASSERT_FALSE(esperado.isEmpty());
    EXPECT_EQ(prueba::TextoDePdf(pdf).remove(u'\f').trimmed(), esperado.trimmed());

    // el emblema de la columna binaria está pintado: el sol en el centro del escudo
    const QImage hoja = m.ImagenPagina(1, 72);
    const QColor sol =
        hoja.pixelColor(qRound((15 + 9) * PuntosPorMm), qRound((15 + 1 + 9) * PuntosPorMm));
    EXPECT_GT(sol.red(), 200);
    EXPECT_LT(sol.blue(), 100);
}

TEST_F(Motor, LaConsultaDeLaVentanaReemplazaLaGuardada) {
    MotorReporte m;
    Preparar(m);
    // como la arma la ventana: dueño real, dos retornos de carro antes del ORDER BY
    m.setSQLQuery(QStringLiteral("SELECT * FROM OWNER_SARVO.TIPOS_COMPRA WHERE MONTO_HASTA > "
                                 "100000\r\r ORDER BY MONTO_HASTA DESC"));
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    const QStringList lineas = TextosPagina(m, 1);
    EXPECT_TRUE(lineas.contains(QStringLiteral("Tipos de compra: 5 $ 81.300.000,00")))
        << lineas.join('\n').toStdString();
    EXPECT_FALSE(lineas.join('\n').contains(QStringLiteral("Caja Chica")));

    // la guardada puesta en mayúsculas, como la deja el cambio de dueño, corre igual
    m.setSQLQuery(QString());
    m.RetrieveSQLQuery();
    m.setSQLQuery(m.SQLQuery().toUpper());
    m.setFormulas(6, QStringLiteral("MontoMinimo = 1000000"));
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    EXPECT_TRUE(TextosPagina(m, 1).contains(QStringLiteral("Tipos de compra: 4 $ 80.500.000,00")));
}

TEST_F(Motor, LasFormulasEntranALaConsultaSinPegarseCrudas) {
    MotorReporte m;
    Preparar(m);
    m.setFormulas(6, QStringLiteral("MontoMinimo = 1000000"));
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    EXPECT_TRUE(TextosPagina(m, 1).contains(QStringLiteral("Tipos de compra: 4 $ 80.500.000,00")));

    // un número que no es un número no llega a la base
    m.setFormulas(6, QStringLiteral("MontoMinimo = 0 OR 1=1"));
    EXPECT_FALSE(m.setAction(1));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaFormula);
    EXPECT_EQ(m.ErrorOrigen(), QStringLiteral("MotorReporte"));
    EXPECT_TRUE(m.ErrorDescripcion().startsWith(QStringLiteral("Casilla de fórmula 6")))
        << m.ErrorDescripcion().toStdString();
    EXPECT_EQ(m.TotalPaginas(), 0);

    // un texto con comillas entra como literal
    const QString consulta = dir.filePath(QStringLiteral("MRV_Consulta.rpt"));
    prueba::EscribirArchivo(consulta, R"(<reporte version="1">
      <consulta>SELECT {@Municipalidad} AS m, count(*) AS n FROM "OWNER_SARVO".tipos_compra
                WHERE descripcion = {@Municipalidad}</consulta>
      <formula nombre="Municipalidad" tipo="texto"/>
      <detalle alto="6"><campo columna="m" ancho="80"/><campo columna="n" x="90" ancho="20"/>
      </detalle></reporte>)");
    MotorReporte t;
    t.setReportFileName(consulta);
    t.setConnect(prueba::LogonDemo());
    t.setFormulas(0, QStringLiteral("Municipalidad='Villa O'Higgins' OR 'a'='a'"));
    ASSERT_TRUE(t.setAction(1)) << t.ErrorDescripcion().toStdString();
    EXPECT_EQ(TextosPagina(t, 1), QStringList{QStringLiteral("Villa O'Higgins' OR 'a'='a 0")});
}

TEST_F(Motor, IngresoConLasCadenasDelPrograma) {
    MotorReporte m;
    m.setConnect(prueba::LogonDemo());
    EXPECT_TRUE(m.VerificarConexion()) << m.ErrorDescripcion().toStdString();
    m.setConnect(ArmarCadenaODBC(QStringLiteral("DEMO"), DerivarClave(QStringLiteral("demo"))));
    EXPECT_TRUE(m.VerificarConexion()) << m.ErrorDescripcion().toStdString();

    m.setConnect(QStringLiteral(";;;UID=DEMO;PWD=otra"));
    EXPECT_FALSE(m.VerificarConexion());
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaConexion);
    EXPECT_TRUE(m.ErrorDescripcion().contains(QStringLiteral("ORA-01017")))
        << m.ErrorDescripcion().toStdString();
    // el ingreso rechazado también hace fallar la corrida
    Preparar(m);
    m.setConnect(QStringLiteral(";;;UID=DEMO;PWD=otra"));
    EXPECT_FALSE(m.setAction(1));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaConexion);
}

TEST(CadenaLogon, LasDosFormasDelProgramaYClavesConSignos) {
    struct Caso {
        const char* logon;
        const char* conexion;
    };
    const Caso casos[] = {
        // sin origen de datos: "Oracle"
        {";;;UID=DEMO;PWD=MdemoomeD", "DSN=Oracle;UID=DEMO;PWD=MdemoomeD"},
        {"Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=MdemoomeD",
         "DSN=Oracle;UID=DEMO;PWD=MdemoomeD"},
        // clave armada sin citar: llega hasta el final, con ";", "}" y "="
        {";;;UID=O'NEIL;PWD=a;b}c=d", "DSN=Oracle;UID=O'NEIL;PWD={a;b}}c=d}"},
        // citada con llaves, como la arma el programa
        {"Provider=MSDASQL;;DSN=Oracle;UID={U;1};PWD={p}}w;x}",
         "DSN=Oracle;UID={U;1};PWD={p}}w;x}"},
        // otro origen y atributos de otros motores de reportes
        {"DSN=Pruebas;UID=U;PWD=x;DSQ=base", "DSN=Pruebas;UID=U;PWD=x"},
        {"", "DSN=Oracle;UID=;PWD="},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(CadenaConexionDeLogon(QString::fromUtf8(c.logon)), QString::fromUtf8(c.conexion))
            << c.logon;
}

TEST_F(Motor, FallasConNumeroOrigenYDescripcion) {
    struct Caso {
        QString archivo;
        QByteArray contenido; // vacío: no se escribe
        long numero;
        QString esperado;
    };
    const QString roto = dir.filePath(QStringLiteral("MRV_Roto.rpt"));
    const QString tabla = dir.filePath(QStringLiteral("MRV_Tabla.rpt"));
    const QString columna = dir.filePath(QStringLiteral("MRV_Columna.rpt"));
    const QString sinSub = dir.filePath(QStringLiteral("otra/MRV_SinSub.rpt"));
    const Caso casos[] = {
        {dir.filePath(QStringLiteral("MRV_NoEsta.rpt")),
         {},
         MotorReporte::FallaArchivo,
         QStringLiteral("No se encuentra el archivo del reporte %1")
             .arg(dir.filePath(QStringLiteral("MRV_NoEsta.rpt")))},
        {roto, "<reporte>\n<detalle>\n</detalle></reporte>", MotorReporte::FallaDefinicion,
         QStringLiteral("Reporte mal definido: %1, línea 2: <detalle> necesita alto").arg(roto)},
        {tabla, "<reporte><consulta>SELECT * FROM \"OWNER_SARVO\".no_existe</consulta></reporte>",
         MotorReporte::FallaConsulta, QStringLiteral("Falló la consulta del reporte (ORA-00942")},
        {columna,
         "<reporte><consulta>SELECT 1 AS n FROM dual</consulta>\n<detalle alto=\"5\">\n"
         "<campo columna=\"importe\" ancho=\"10\"/></detalle></reporte>",
         MotorReporte::FallaDatos,
         QStringLiteral("El reporte no se puede armar: %1, línea 3: la columna importe")
             .arg(columna)},
        {sinSub,
         "<reporte><pie-reporte alto=\"20\">\n<subreporte nombre=\"X\" archivo=\"X.RPT\"/>"
         "</pie-reporte></reporte>",
         MotorReporte::FallaSubreporte,
         QStringLiteral("%1, línea 2: no se encuentra el archivo X.RPT del subreporte X")
             .arg(sinSub)},
    };
    for (const Caso& c : casos) {
        if (!c.contenido.isEmpty())
            prueba::EscribirArchivo(c.archivo, c.contenido);
        MotorReporte m;
        m.setReportFileName(c.archivo);
        m.setConnect(prueba::LogonDemo());
        EXPECT_FALSE(m.setAction(1)) << c.archivo.toStdString();
        EXPECT_EQ(m.ErrorNumero(), c.numero) << m.ErrorDescripcion().toStdString();
        EXPECT_EQ(m.ErrorOrigen(), QStringLiteral("MotorReporte"));
        EXPECT_TRUE(m.ErrorDescripcion().startsWith(c.esperado))
            << m.ErrorDescripcion().toStdString()
            << "\n  se esperaba: " << c.esperado.toStdString();
        EXPECT_EQ(m.TotalPaginas(), 0);
    }
    MotorReporte m;
    EXPECT_FALSE(m.setAction(2));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaAccion);
    // la próxima corrida buena limpia el error
    Preparar(m);
    EXPECT_TRUE(m.setAction(1));
    EXPECT_FALSE(m.HayError());
    EXPECT_TRUE(m.ErrorDescripcion().isEmpty());
}

TEST_F(Motor, SubreportesYConsultasGuardadas) {
    MotorReporte m;
    m.setReportFileName(archivo);
    int asignadas = 0, aplicadas = 0;
    QObject::connect(&m, &MotorReporte::consultaAsignada, [&] { ++asignadas; });
    QObject::connect(&m, &MotorReporte::consultaAplicada, [&] { ++aplicadas; });
    ASSERT_EQ(m.GetNSubreports(), 1);
    EXPECT_EQ(m.GetNthSubreportName(0), Emblema);
    EXPECT_TRUE(m.GetNthSubreportName(1).isEmpty());
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaSubreporte);

    m.setSubreportToChange(QStringLiteral("gda_logomuni.rpt"));
    EXPECT_TRUE(m.SQLQuery().isEmpty());
    m.RetrieveSQLQuery();
    EXPECT_EQ(m.SQLQuery(), QStringLiteral("SELECT emblema, nombre, provincia FROM "
                                           "\"OWNER_SARVO\".emblema_municipio"));
    m.AplicarConsulta();
    m.setSubreportToChange(QString());
    EXPECT_TRUE(m.SQLQuery().isEmpty()); // la del principal es otra
    m.RetrieveSQLQuery();
    EXPECT_TRUE(m.SQLQuery().startsWith(QStringLiteral("SELECT cod_tipo_compra")));
    m.setSQLQuery(m.SQLQuery().toUpper());
    m.AplicarConsulta();
    EXPECT_EQ(asignadas, 1); // leer la guardada no es asignar
    EXPECT_EQ(aplicadas, 2);

    m.setSubreportToChange(QStringLiteral("NO_EXISTE.RPT"));
    m.setSQLQuery(QStringLiteral("SELECT 1 FROM dual"));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaSubreporte);
    EXPECT_EQ(asignadas, 1);

    // el subreporte del emblema leído por sí mismo, como lo hace el módulo de impresión
    MotorReporte aux;
    aux.Reset();
    aux.setConnect(prueba::LogonDemo());
    aux.setReportFileName(dir.filePath(QStringLiteral("Gda/Reportes/Formato60/") + Emblema));
    aux.RetrieveSQLQuery();
    EXPECT_FALSE(aux.HayError()) << aux.ErrorDescripcion().toStdString();
    EXPECT_EQ(aux.SQLQuery(), QStringLiteral("SELECT emblema, nombre, provincia FROM "
                                             "\"OWNER_SARVO\".emblema_municipio"));
}

TEST_F(Motor, PaginasDeDatosRealesZoomYBusqueda) {
    // órdenes de compra de un año: tantas páginas como filas de a 49 por hoja
    Recordset rs;
    auto conexion = prueba::Conectar();
    ASSERT_TRUE(conexion->Consultar(QStringLiteral("SELECT count(*), sum(importe) FROM "
                                                   "owner_sarvo.ordenes_compra WHERE ejercicio "
                                                   "= 2023"),
                                    rs));
    const int filas = rs.Valor(0).toInt();
    const double suma = rs.Valor(1).toDouble();
    ASSERT_GT(filas, 100);
    const QString listado = dir.filePath(QStringLiteral("MRV_Ordenes.rpt"));
    prueba::EscribirArchivo(listado, R"(<reporte version="1"><pagina papel="A4" margen="10"/>
      <consulta>SELECT nro_orden, importe FROM "OWNER_SARVO".ordenes_compra
                WHERE ejercicio = {@Ejercicio} ORDER BY nro_orden</consulta>
      <formula nombre="Ejercicio" tipo="numero"/>
      <encabezado-pagina alto="20"><texto ancho="50" alto="5">Órdenes</texto></encabezado-pagina>
      <detalle alto="5"><campo columna="nro_orden" ancho="30" formato="0"/>
        <campo columna="importe" x="40" ancho="40" formato="#.##0,00" alineacion="derecha"/>
      </detalle>
      <pie-reporte alto="10"><total funcion="suma" columna="importe" x="40" ancho="40"
        formato="#.##0,00" alineacion="derecha"/></pie-reporte>
      <pie-pagina alto="10"><campo especial="pagina-n-de-m" ancho="60"/></pie-pagina>
    </reporte>)");
    MotorReporte m;
    m.setReportFileName(listado);
    m.setConnect(prueba::LogonDemo());
    m.setFormulas(3, QStringLiteral("Ejercicio = 2023"));
    int avisos = 0;
    QObject::connect(&m, &MotorReporte::paginaCambiada, [&] { ++avisos; });
    ASSERT_TRUE(m.setAction(1)) << m.ErrorDescripcion().toStdString();
    const int paginas = (filas + 48) / 49 + ((filas % 49) == 0 ? 1 : 0);
    ASSERT_EQ(m.TotalPaginas(), paginas);
    EXPECT_EQ(m.PaginaActual(), 1);

    m.PagePrevious();
    EXPECT_EQ(m.PaginaActual(), 1);
    m.PageNext();
    EXPECT_EQ(m.PaginaActual(), 2);
    m.PageLast();
    m.PageNext(); // como el botón "Ultimo": queda en la última
    EXPECT_EQ(m.PaginaActual(), paginas);
    m.PageFirst();
    EXPECT_EQ(m.PaginaActual(), 1);
    EXPECT_EQ(avisos, 1 + 3);

    const QStringList segunda = TextosPagina(m, 2);
    EXPECT_EQ(segunda.front(), QStringLiteral("Órdenes"));
    EXPECT_TRUE(segunda.at(1).startsWith(QStringLiteral("50 "))) << segunda.at(1).toStdString();
    EXPECT_EQ(segunda.back(), QStringLiteral("Página 2 de %1").arg(paginas));
    const QStringList ultima = TextosPagina(m, paginas);
    EXPECT_TRUE(ultima.contains(FormatearNumeroEs(suma, 2)));

    // zoom: los códigos 1 y 2 y un porcentaje, llevado a los límites
    m.PageZoom(150);
    EXPECT_EQ(m.ZoomActual(), 150);
    EXPECT_NEAR(m.EscalaZoom(QSizeF(800, 600), 96), 96.0 / 72 * 1.5, 1e-9);
    m.PageZoom(0);
    EXPECT_EQ(m.ZoomActual(), MotorReporte::ZoomMinimo);
    m.PageZoom(32000);
    EXPECT_EQ(m.ZoomActual(), MotorReporte::ZoomMaximo);
    m.PageZoom(1);
    EXPECT_NEAR(m.EscalaZoom(QSizeF(800, 600), 96), 800 / m.TamanoPagina().width(), 1e-9);
    m.PageZoom(2);
    EXPECT_NEAR(m.EscalaZoom(QSizeF(800, 600), 96), 600 / m.TamanoPagina().height(), 1e-9);

    // búsqueda: página y lugar de cada aparición, una tras otra
    const auto primera = m.BuscarTexto(QStringLiteral("página 2 de"));
    ASSERT_TRUE(primera.has_value());
    EXPECT_EQ(primera->pagina, 2);
    EXPECT_NEAR(primera->rectangulo.left(), 10 * PuntosPorMm, 0.01);
    EXPECT_GT(primera->rectangulo.top(), (10 + 267) * PuntosPorMm);
    EXPECT_FALSE(m.BuscarTexto(QStringLiteral("página 2 de"), *primera).has_value());
    const auto a = m.BuscarTexto(QStringLiteral("Órdenes"));
    ASSERT_TRUE(a.has_value());
    const auto b = m.BuscarTexto(QStringLiteral("Órdenes"), *a);
    ASSERT_TRUE(b.has_value());
    EXPECT_EQ(a->pagina, 1);
    EXPECT_EQ(b->pagina, 2);

    // Reset vuelve todo al principio
    m.Reset();
    EXPECT_EQ(m.TotalPaginas(), 0);
    EXPECT_EQ(m.PaginaActual(), 0);
    EXPECT_TRUE(m.Formulas(3).isEmpty());
    EXPECT_TRUE(m.ReportFileName().isEmpty());
    EXPECT_EQ(m.ZoomActual(), MotorReporte::ZoomAnchoPagina);
}

} // namespace
