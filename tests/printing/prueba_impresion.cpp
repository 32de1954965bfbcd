// El módulo de impresión contra el servidor privado, con ventanas falsas: las
// casillas de IniciarReporte, la vista previa con su lugar, los registros de
// reportes, los mensajes 71 y 2002, el estado de las ventanas y botones
// después de una impresión que anduvo y de una que falló, y el seguimiento de
// los reportes lentos.
#include "AyudaImpresion.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const QString Prueba = QStringLiteral("MRV_TiposCompraPrueba.rpt");
const QString ConsultaVentana =
    QStringLiteral("SELECT * FROM OWNER_SARVO.TIPOS_COMPRA WHERE MONTO_HASTA > 100000\r\r"
                   " ORDER BY MONTO_HASTA DESC");

class Impresion : public prueba::ConImpresion {
protected:
    bool Habilitado(const QString& control) {
        return ventanas.ventanas[Ventana].controles[control];
    }
    void Imprimir(const QString& archivo, const QString& sql = QString()) {
        IniciarReporte(true, true, false, true);
        if (!sql.isEmpty())
            AsignarConsultaReporte(sql);
        AgregarFormula(QStringLiteral("Fecha='15/03/2024'"));
        AsignarOpcionReporte(1);
        ImprimirReporte(Ventana, QStringLiteral("Tipos de compra"), archivo, QVariant(), 1, 0);
    }
};

TEST_F(Impresion, IniciarReportePoneLasFormulasAutomaticasYDeshabilitaLaVentana) {
    ventanas.CargarRecursos(); // la ventana la cargó por sus imágenes
    IniciarReporte(true, true, false, true);
    MotorReporte* r = rpt();
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(
        r->Formulas(0),
        QStringLiteral("municipalidad='Municipalidad de Villa Serrana Secretaría de Hacienda'"));
    EXPECT_EQ(r->Formulas(1), QStringLiteral("fecha='15/03/2024'"));
    EXPECT_EQ(r->Formulas(2), QStringLiteral("hora='10:30'"));
    EXPECT_EQ(IndiceFormula(), 3);
    AgregarFormula(QStringLiteral("Ejercicio=2024"));
    EXPECT_EQ(r->Formulas(3), QStringLiteral("Ejercicio=2024"));
    EXPECT_EQ(IndiceFormula(), 4);
    EXPECT_EQ(r->Destination(), 0);
    EXPECT_EQ(r->OpcionReporte(), 1);
    EXPECT_EQ(r->opcionVista(MotorReporte::OpcionVista::ProgresoAlCorrer), 1);
    // La ventana que imprime es la última cargada después de descargar frmResources.
    const auto& v = ventanas.ventanas;
    EXPECT_FALSE(v.at(Ventana).habilitada);
    EXPECT_FALSE(v.at(QStringLiteral("frmPosInicio")).habilitada);
    EXPECT_TRUE(v.at(QStringLiteral("frmInicio")).habilitada);
    EXPECT_FALSE(Habilitado(QStringLiteral("CmdImprimir")));
    EXPECT_FALSE(Habilitado(QStringLiteral("CmdCerrar")));
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdActualizar")));
    EXPECT_NE(ventanas.idRecursos, 0) << "el motor vuelve a cargar frmResources";

    // Sin hora la primera fórmula de la ventana va a la casilla 2; opción nula es verdadera.
    IniciarReporte(true, false, false, QVariant());
    r = rpt();
    EXPECT_EQ(IndiceFormula(), 2);
    AgregarFormula(QStringLiteral("Fecha='01/02/2024'"));
    EXPECT_EQ(r->Formulas(2), QStringLiteral("Fecha='01/02/2024'"));
    EXPECT_EQ(r->opcionVista(MotorReporte::OpcionVista::ProgresoAlCorrer), 1);
    IniciarReporte(true, false, false, false);
    EXPECT_EQ(rpt()->opcionVista(MotorReporte::OpcionVista::ProgresoAlCorrer), 0);
    ImprimirReporte(Ventana, QStringLiteral("x"), QStringLiteral("MRV_NoEsta.rpt"), QVariant(), 1,
                    0);
}

TEST_F(Impresion, ReporteQueNoEstaMuestra2002YDejaLaVentanaComoEstaba) {
    ventanas.ventanas[Ventana].controles[QStringLiteral("CmdCerrar")] = false;
    Imprimir(QStringLiteral("MRV_NoEsta.rpt"));

    EXPECT_TRUE(ventanas.titulos.isEmpty()) << "sin archivo no hay vista previa";
    EXPECT_TRUE(ErrorReporte());
    EXPECT_EQ(UltimoReporte(), QStringLiteral("MRV_NoEsta.rpt"));
    EXPECT_TRUE(UltimoErrorReporte().startsWith(
        QStringLiteral("20500][Func_SarvoImpresion]No se encuentra MRV_NoEsta.rpt en ninguna "
                       "carpeta de reportes (se buscó en ")))
        << UltimoErrorReporte().toStdString();
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje,
              QStringLiteral("Se produjo un error al imprimir el reporte:\r\nMRV_NoEsta.rpt\r\n") +
                  UltimoErrorReporte());

    const QString errores =
        Registro(QStringLiteral("Errores Rpt"), QStringLiteral("ViMRVErrRpt.log"));
    EXPECT_TRUE(errores.contains(QStringLiteral("Title: Tipos de compra\nForm : frmTipoCompra\n")))
        << errores.toStdString();
    EXPECT_TRUE(errores.contains(QStringLiteral("Path : ") + dir.path() +
                                 QStringLiteral("/Gda/Reportes/Formato60/MRV_NoEsta.rpt\n")));
    EXPECT_TRUE(errores.contains(QStringLiteral("Error: [") + UltimoErrorReporte() + '\n'));
    EXPECT_TRUE(Registro(QStringLiteral("Sql Rpt"), QStringLiteral("ViMRVSqlRpt.log")).isEmpty());

    // La ventana y su botón de imprimir vuelven; el de cerrar queda como estaba;
    // el despachador no se vuelve a habilitar.
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdImprimir")));
    EXPECT_FALSE(Habilitado(QStringLiteral("CmdCerrar")));
    EXPECT_FALSE(ventanas.ventanas[QStringLiteral("frmPosInicio")].habilitada);
    EXPECT_EQ(ventanas.idRecursos, 0) << "frmResources se descarga al final";
    EXPECT_EQ(rpt(), nullptr);
    ASSERT_FALSE(ui.punteros.empty());
    EXPECT_EQ(ui.punteros.front(), Puntero::Reloj);
    EXPECT_EQ(ui.puntero, Puntero::Defecto);
}

TEST_F(Impresion, ImpresionQueAndaMuestraLaVistaPreviaYRegistraLaSentencia) {
    RegistroVentanas::instancia().Vaciar();
    ventanas.ventanas.clear();
    ventanas.Cargar(QStringLiteral("frmInicio"));
    ventanas.Cargar(Ventana, {QStringLiteral("CmdImprimir"), QStringLiteral("CmdCerrar")});
    bool deshabilitadaDurante = true;
    QString tituloVentanaDurante = QStringLiteral("?");
    ventanas.alMostrar = [&](MotorReporte& m) {
        deshabilitadaDurante = !ventanas.ventanas[Ventana].habilitada &&
                               !ventanas.ventanas[QStringLiteral("frmInicio")].habilitada;
        tituloVentanaDurante = m.WindowTitle();
    };
    Imprimir(Prueba, ConsultaVentana);

    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_EQ(ventanas.titulos, QStringList{QStringLiteral("Tipos de compra")});
    EXPECT_EQ(ventanas.paginas, 1);
    EXPECT_EQ(ventanas.zoom, 1);
    // Arriba a la izquierda; 0,082 del ancho y 0,076 del alto más 10 (twips).
    EXPECT_EQ(ventanas.lugar, (std::array<qint16, 4>{0, 0, 1559, 849}));
    EXPECT_EQ(ventanas.manija, quintptr(4711));
    EXPECT_TRUE(ventanas.recursosAlMostrar);
    EXPECT_TRUE(deshabilitadaDurante);
    EXPECT_TRUE(tituloVentanaDurante.isEmpty()) << "el título lo lleva la ventana";
    EXPECT_EQ(ConexionReporte(), QStringLiteral(";;;UID=DEMO;PWD=Mdemoomed"));
    EXPECT_EQ(UltimoReporte(), Prueba);

    const QString sql = Registro(QStringLiteral("Sql Rpt"), QStringLiteral("ViMRVSqlRpt.log"));
    const QStringList lineas = sql.split(QLatin1Char('\n'));
    ASSERT_GE(lineas.size(), 10) << sql.toStdString();
    EXPECT_EQ(lineas[1], QStringLiteral("Title: Tipos de compra"));
    EXPECT_EQ(lineas[2], QStringLiteral("Form : frmTipoCompra"));
    EXPECT_EQ(lineas[3], QStringLiteral("Path : ") + dir.path() +
                             QStringLiteral("/Miravel/Reportes/Formato85/") + Prueba);
    EXPECT_EQ(lineas[4], QStringLiteral("Owner: OWNER_SARVO"));
    EXPECT_TRUE(lineas[8].startsWith(QStringLiteral("Time : 15/03/2024 ")));
    EXPECT_TRUE(sql.contains(QStringLiteral("SQL  : ") + ConsultaVentana + '\n'));
    EXPECT_TRUE(
        Registro(QStringLiteral("Errores Rpt"), QStringLiteral("ViMRVErrRpt.log")).isEmpty());

    // Todo vuelve: la ventana anterior también, porque no es el despachador.
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
    EXPECT_TRUE(ventanas.ventanas[QStringLiteral("frmInicio")].habilitada);
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdImprimir")));
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdCerrar")));
    EXPECT_EQ(ventanas.idRecursos, 0);
    EXPECT_EQ(ui.puntero, Puntero::Defecto);

    // Sin consulta de la ventana no se registra ninguna sentencia.
    QFile::remove(dir.filePath(QStringLiteral("LogsFiles/Sql Rpt/ViMRVSqlRpt.log")));
    Imprimir(Prueba);
    EXPECT_FALSE(ErrorReporte());
    EXPECT_TRUE(Registro(QStringLiteral("Sql Rpt"), QStringLiteral("ViMRVSqlRpt.log")).isEmpty());
}

TEST_F(Impresion, FallaDelMotorSeMuestraConElCodigoDeLaBusqueda) {
    // Mal escrito: la vista previa abre vacía y al cerrarla se muestra el 71.
    prueba::EscribirArchivo(dir.filePath(QStringLiteral("Miravel/Reportes/Formato85/MRV_Roto.rpt")),
                            "<reporte>\n<detalle>\n</detalle></reporte>");
    Imprimir(QStringLiteral("MRV_Roto.rpt"));
    EXPECT_EQ(ventanas.titulos.size(), 1);
    EXPECT_EQ(ventanas.paginas, 0);
    EXPECT_TRUE(ErrorReporte());
    EXPECT_TRUE(UltimoErrorReporte().startsWith(
        QStringLiteral("20501][MotorReporte]Reporte mal definido: ")))
        << UltimoErrorReporte().toStdString();
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, QStringLiteral("No se pudo generar el reporte:\r\n") +
                                          QStringLiteral("MRV_Roto.rpt\r\n") +
                                          UltimoErrorReporte());
    const QString errores =
        Registro(QStringLiteral("Errores Rpt"), QStringLiteral("ViMRVErrRpt.log"));
    EXPECT_TRUE(errores.contains(QStringLiteral("Title: \n"))) << "el título ya pasó a la ventana";
    EXPECT_TRUE(
        errores.contains(QStringLiteral("Error: [20501][MotorReporte]Reporte mal definido")));
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdImprimir")));
    EXPECT_TRUE(Habilitado(QStringLiteral("CmdCerrar")));

    // Solo en la compartida del 85: se abre la vista previa vacía y después el 2002.
    prueba::EscribirArchivo(
        dir.filePath(QStringLiteral("Gda/Reportes/Formato85/MRV_Compartido.rpt")),
        prueba::LeerArchivo(prueba::ArchivoDePrueba(Prueba)));
    Imprimir(QStringLiteral("MRV_Compartido.rpt"));
    EXPECT_EQ(ventanas.titulos.size(), 2);
    EXPECT_EQ(ventanas.paginas, 0);
    ASSERT_EQ(ui.mensajes.size(), 2u);
    EXPECT_TRUE(UltimoErrorReporte().startsWith(QStringLiteral("20500][MotorReporte]")));
    EXPECT_EQ(
        ui.mensajes[1].Mensaje,
        QStringLiteral("Se produjo un error al imprimir el reporte:\r\nMRV_Compartido.rpt\r\n") +
            UltimoErrorReporte());

    // Una fórmula que no vale también es una falla del motor.
    IniciarReporte(true, true, false, true);
    AgregarFormula(QStringLiteral("MontoMinimo = 0 OR 1=1"));
    ImprimirReporte(Ventana, QStringLiteral("Tipos"), Prueba, QVariant(), 1, 0);
    ASSERT_EQ(ui.mensajes.size(), 3u);
    EXPECT_TRUE(UltimoErrorReporte().startsWith(QStringLiteral("20502][MotorReporte]Casilla de "
                                                               "fórmula 3")));
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
}

TEST_F(Impresion, ElReporteLentoDejaSuHuellaContandoLasHoras) {
    const QString traza = dir.filePath(QStringLiteral("LogsFiles/Seguimiento/RPT") +
                                       QDate::currentDate().toString(QStringLiteral("yyyyMMdd")) +
                                       QStringLiteral(".log"));
    const QString ruta = dir.filePath(QStringLiteral("Miravel/Reportes/Formato85/") + Prueba);

    reloj = {1000, 6999}; // 5,999 s: 5 segundos enteros, no pasa de TimeoutRpt = 5
    Imprimir(Prueba, ConsultaVentana);
    EXPECT_FALSE(ErrorReporte());
    EXPECT_FALSE(QFile::exists(traza));

    reloj = {1000, 7000}; // 6 segundos
    Imprimir(Prueba, ConsultaVentana);
    const QString texto = QString::fromUtf8(prueba::LeerArchivo(traza));
    EXPECT_TRUE(texto.contains(QLatin1Char('.') + ruta + QLatin1Char('\n')));
    EXPECT_TRUE(texto.contains(QStringLiteral("\n6 segs. SQL: ") + ConsultaVentana + '\n'))
        << texto.toStdString();

    // Una hora y dos segundos son 3602 segundos, no 2.
    reloj = {0, 3602000};
    Imprimir(Prueba, ConsultaVentana);
    EXPECT_TRUE(QString::fromUtf8(prueba::LeerArchivo(traza))
                    .contains(QStringLiteral("\n3602 segs. SQL: ")));

    // Un reporte que falla no es lento: solo se informa la falla.
    QFile::remove(traza);
    reloj = {0, 60000};
    IniciarReporte(true, true, false, true);
    AgregarFormula(QStringLiteral("MontoMinimo = x"));
    ImprimirReporte(Ventana, QStringLiteral("Tipos"), Prueba, QVariant(), 1, 0);
    EXPECT_TRUE(ErrorReporte());
    EXPECT_FALSE(QFile::exists(traza));
}

} // namespace
