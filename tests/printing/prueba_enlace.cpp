// El enlace del reporte con la base, contra el servidor privado: el ingreso y
// su segunda cadena, y el cambio de dueño de verdad con el segundo dueño del
// sustituto (OWNER_LAGUNA): consultas asignadas y aplicadas, la del emblema
// desde su archivo, la de PROP_SUBREPORTES, la caja cuando falta su fila y
// el límite de 16 bits del archivo del emblema.
#include "AyudaImpresion.h"
#include "ConexionBase.h"
#include "EnlaceReporte.h"
#include <QDirIterator>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const QString DosSubreportes = QStringLiteral("MRV_DosSubreportes.rpt");
const QString Laguna = QStringLiteral("OWNER_LAGUNA");

class Enlace : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        ASSERT_TRUE(prueba::EscribirArchivo(
            dir.filePath(QStringLiteral("Miravel/Reportes/Formato85/") + DosSubreportes),
            prueba::LeerArchivo(prueba::ArchivoDePrueba(DosSubreportes))));
    }

    // Imprime y anota lo que el módulo le asignó y aplicó al motor durante ImprimirReporte.
    void Imprimir(const QString& archivo, const QStringList& formulas, const QString& sql = {}) {
        asignadas.clear();
        aplicadas = 0;
        IniciarReporte(true, true, false, true);
        for (const QString& f : formulas)
            AgregarFormula(f);
        if (!sql.isEmpty())
            AsignarConsultaReporte(sql);
        AsignarOpcionReporte(1);
        QObject::connect(rpt(), &MotorReporte::consultaAsignada,
                         [this](const QString& sub, const QString& consulta) {
                             asignadas.push_back({sub, consulta});
                         });
        QObject::connect(rpt(), &MotorReporte::consultaAplicada, [this] { ++aplicadas; });
        ImprimirReporte(Ventana, QStringLiteral("Prueba"), archivo, QVariant(), 1, 0);
    }
    QStringList TextoPdf() {
        return prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf")))
            .remove(u'\f')
            .split(u'\n', Qt::SkipEmptyParts);
    }
    QString Traza() {
        QString texto;
        QDirIterator it(dir.filePath(QStringLiteral("LogsFiles/Seguimiento")), QDir::Files);
        while (it.hasNext())
            texto += QString::fromUtf8(prueba::LeerArchivo(it.next()));
        return texto;
    }

    std::vector<std::pair<QString, QString>> asignadas;
    int aplicadas = 0;
};

TEST_F(Enlace, IngresoDelUsuarioYSiLaBaseLoRechazaLaCadenaOdbc) {
    MotorReporte m;
    EXPECT_EQ(AsignarLogon(m, 0), QStringLiteral(";;;UID=DEMO;PWD=Mdemoomed"));

    // Una clave de base que la base rechaza: se pasa a la cadena ODBC de la sesión.
    Glob().ClaveBase = QStringLiteral("otra");
    EXPECT_EQ(AsignarLogon(m, 0), Glob().CadenaConexionODBC);
    EXPECT_TRUE(m.VerificarConexion());

    // Si también la rechaza no se informa aquí: la falla será de la corrida.
    Glob().CadenaConexionODBC = ArmarCadenaODBC(QStringLiteral("DEMO"), QStringLiteral("mal"));
    EXPECT_EQ(AsignarLogon(m, 0), Glob().CadenaConexionODBC);
    EXPECT_FALSE(m.HayError());
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST_F(Enlace, ConOtroDuenoCadaSubreporteYElReporteVanAEseDueno) {
    Glob().OwnerSarvo = Laguna;
    Cambiar(QStringLiteral(
        "INSERT INTO owner_laguna.prop_subreportes (nom_rpt, nom_subrpt, query) VALUES "
        "('MRV_DOSSUBREPORTES.RPT', 'RESUMEN', 'SELECT count(*) AS tipos FROM "
        "\"OWNER_SARVO\".ges_tipo_compra WHERE cod_usuario = {@Usuario} AND ''si'' = ''si''')"));
    Imprimir(DosSubreportes, {QStringLiteral("Usuario=56")});

    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.avisosSistema.isEmpty()) << ui.avisosSistema.join('|').toStdString();
    // Tres asignaciones (subreporte 0, subreporte 1, reporte) y cuatro aplicaciones.
    ASSERT_EQ(asignadas.size(), 3u);
    EXPECT_EQ(aplicadas, 4);
    EXPECT_EQ(asignadas[0].first, QStringLiteral("GDA_LOGOMUNI.RPT"));
    EXPECT_EQ(asignadas[0].second, QStringLiteral("SELECT EMBLEMA, NOMBRE, PROVINCIA FROM "
                                                  "\"OWNER_LAGUNA\".EMBLEMA_MUNICIPIO"))
        << "la consulta del archivo del emblema";
    EXPECT_EQ(asignadas[1].first, QStringLiteral("Resumen"));
    EXPECT_EQ(asignadas[1].second,
              QStringLiteral("SELECT COUNT(*) AS TIPOS FROM \"OWNER_LAGUNA\".GES_TIPO_COMPRA "
                             "WHERE COD_USUARIO = {@USUARIO} AND 'SI' = 'SI'"))
        << "la de PROP_SUBREPORTES, con sus textos en mayúsculas";
    EXPECT_TRUE(asignadas[2].first.isEmpty());
    EXPECT_TRUE(asignadas[2].second.contains(QStringLiteral(
        "FROM \"OWNER_LAGUNA\".GES_TIPO_COMPRA\n     WHERE COD_USUARIO = {@USUARIO}")))
        << asignadas[2].second.toStdString();

    // Lo que se imprimió es de Laguna Escondida.
    const QStringList texto = TextoPdf();
    EXPECT_TRUE(texto.contains(QStringLiteral("Municipalidad de Laguna Escondida")))
        << texto.join('\n').toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("Tipos: 5")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Caja Chica 88")));
}

TEST_F(Enlace, SinSuFilaEnPropSubreportesLaCajaYUnaConsultaVacia) {
    Glob().OwnerSarvo = Laguna;
    Imprimir(DosSubreportes, {QStringLiteral("Usuario=56")});
    EXPECT_EQ(ui.avisosSistema,
              QStringList{QStringLiteral("Error Interno. Falta definir en PROP_SUBREPORTES una "
                                         "entrada para MRV_DOSSUBREPORTES.RPT-RESUMEN")});
    ASSERT_EQ(asignadas.size(), 3u);
    EXPECT_EQ(asignadas[1], (std::pair<QString, QString>{QStringLiteral("Resumen"), QString()}));
    // La impresión sigue: el resumen usa la consulta de su archivo.
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_EQ(ventanas.titulos.size(), 1);
    EXPECT_TRUE(TextoPdf().contains(QStringLiteral("Municipalidad de Laguna Escondida")));
}

TEST_F(Enlace, ConElDuenoDeSiempreNadaSeTocaNiSeLeePropSubreportes) {
    Glob().SeguimientoSql = true;
    const QString sql =
        QStringLiteral("SELECT descripcion, cantidad FROM owner_laguna.ges_tipo_compra"
                       " WHERE cod_usuario = 56\r\r ORDER BY cantidad DESC");
    Imprimir(DosSubreportes, {QStringLiteral("Usuario=56")}, sql);
    EXPECT_TRUE(asignadas.empty());
    EXPECT_EQ(aplicadas, 0);
    EXPECT_EQ(rpt(), nullptr);
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_FALSE(Traza().contains(QStringLiteral("PROP_SUBREPORTES")));
    const QStringList texto = TextoPdf();
    EXPECT_TRUE(texto.contains(QStringLiteral("Municipalidad de Villa Serrana")))
        << "el emblema de siempre";
    EXPECT_TRUE(texto.contains(QStringLiteral("Caja Chica 88"))) << "la consulta de la ventana";
}

TEST_F(Enlace, LaConsultaDeLaVentanaConElDuenoRealSoloPasaAMayusculas) {
    Glob().OwnerSarvo = Laguna;
    Cambiar(QStringLiteral("INSERT INTO owner_laguna.prop_subreportes VALUES "
                           "('MRV_DOSSUBREPORTES.RPT', 'RESUMEN', 'SELECT 1 AS tipos FROM dual')"));
    const QString sql = QStringLiteral("SELECT * FROM OWNER_LAGUNA.GES_TIPO_COMPRA WHERE "
                                       "cod_usuario = 56\r\r ORDER BY cantidad DESC");
    Imprimir(DosSubreportes, {}, sql);
    ASSERT_EQ(asignadas.size(), 3u);
    EXPECT_EQ(asignadas[2].second, sql.toUpper());
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(TextoPdf().contains(QStringLiteral("Licitación Pública 4")));
}

TEST_F(Enlace, ElArchivoDelEmblemaSeBuscaEnElSistemaYDespuesEnGda) {
    MotorReporte aux;
    const QString logon = prueba::LogonDemo();
    const QString emblema = QStringLiteral("GDA_LOGOMUNI.RPT");
    const QString guardada =
        QStringLiteral("SELECT emblema, nombre, provincia FROM \"OWNER_SARVO\".emblema_municipio");
    // El de la instalación está en Gda/Reportes/Formato60.
    EXPECT_EQ(ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), emblema, logon), guardada);
    EXPECT_EQ(aux.Connect(), logon);

    // Uno propio del sistema gana.
    const QString propio = dir.filePath(QStringLiteral("Miravel/Reportes/Formato60/") + emblema);
    prueba::EscribirArchivo(propio, "<reporte><consulta>SELECT 1 AS x FROM dual</consulta>"
                                    "<detalle alto=\"5\"/></reporte>");
    EXPECT_EQ(ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), emblema, logon),
              QStringLiteral("SELECT 1 AS x FROM dual"));

    // De 32 768 bytes o más su largo no entra en 16 bits: se pasa a la copia
    // de Gda, y si esa tampoco entra la consulta queda vacía.
    QByteArray grande = "<reporte><consulta>SELECT 2 AS x FROM dual</consulta><!--";
    grande += QByteArray(32768, ' ');
    grande += "--><detalle alto=\"5\"/></reporte>";
    prueba::EscribirArchivo(propio, grande);
    EXPECT_EQ(ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), emblema, logon), guardada);
    const QString deGda = dir.filePath(QStringLiteral("Gda/Reportes/Formato60/") + emblema);
    const QByteArray original = prueba::LeerArchivo(deGda);
    prueba::EscribirArchivo(deGda, grande);
    EXPECT_EQ(ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), emblema, logon), QString());
    prueba::EscribirArchivo(deGda, original);
    // 32 767 bytes todavía entran.
    grande.truncate(32767 - 32);
    grande += "--><detalle alto=\"5\"/></reporte>";
    ASSERT_EQ(grande.size(), 32767);
    prueba::EscribirArchivo(propio, grande);
    EXPECT_EQ(ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), emblema, logon),
              QStringLiteral("SELECT 2 AS x FROM dual"));

    // En ninguna de las dos carpetas: vacía.
    EXPECT_EQ(
        ConsultaLogoMunicipio(aux, QStringLiteral("Miravel"), QStringLiteral("NO_ESTA.RPT"), logon),
        QString());
}

} // namespace
