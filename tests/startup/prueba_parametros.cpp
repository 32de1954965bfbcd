// Parámetros generales (con el dueño por usuario) y de sesión. Los cambios
// a CONFIG se hacen dentro de la transacción de la prueba y nunca se confirman.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "ParametrosArranque.h"
#include "Usuarios.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Texto37 = QStringLiteral("No se pudieron cargar los parámetros generales del "
                                       "sistema.\r\nComuníquese con el Administrador del Sistema.");

class Parametros : public prueba::ConSesion {
protected:
    void Config(const QString& sistema, const QString& nombre, const QString& contenido) {
        Cambiar(QStringLiteral("UPDATE OWNER_SARVO.config SET contenido=%3 WHERE sistema='%1' AND "
                               "nombre_parametro='%2'")
                    .arg(sistema, nombre,
                         contenido.isNull() ? QStringLiteral("NULL") : "'" + contenido + "'"));
    }
    void Deshacer() {
        Glob().Conexion->Deshacer();
        ui.mensajes.clear();
    }
};

TEST_F(Parametros, GeneralesCompletosYDuenoDelUsuario) {
    ASSERT_TRUE(CargarParametrosGenerales(QStringLiteral("DEMO")));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
    const auto& g = Glob();
    EXPECT_EQ(g.OwnerSarvo, "OWNER_SARVO");
    EXPECT_FALSE(MarcaCP());
    EXPECT_EQ(g.ColorLabel, 8388608);
    EXPECT_EQ(g.RptOrganismo, "Municipalidad de Villa Serrana");
    EXPECT_EQ(g.RptNombreOrg, "Secretaría de Hacienda y Finanzas");
    EXPECT_EQ(g.TimerABM, 30);
    EXPECT_EQ(ParametrosLeidos().TablespaceTemporal, "temporary_data");
    EXPECT_EQ(ParametrosLeidos().Localidad, "Villa Serrana");
    EXPECT_EQ(ParametrosLeidos().CodNacionalidad, 1);
    EXPECT_EQ(ParametrosLeidos().CodPos, "B7163");

    // Un usuario que OwnerDeUsuario manda a otro dueño: marca "C/P" y el resto
    // de los parámetros se lee de ese dueño.
    Cambiar(QStringLiteral("UPDATE OWNER_SARVO.config SET contenido='Municipio Anterior' WHERE "
                           "sistema='GDA' AND nombre_parametro='MUNICIPALIDAD'"));
    ASSERT_TRUE(CargarParametrosGenerales(QStringLiteral("MRV_ANTERIOR")));
    EXPECT_EQ(g.OwnerSarvo, "OWNER_ANTERIOR");
    EXPECT_TRUE(MarcaCP());
    EXPECT_EQ(g.Municipalidad, "Municipio Anterior");
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST_F(Parametros, CadaParametroFaltanteCortaLaLectura) {
    // En el orden de lectura; cada mensaje nombra su parámetro.
    const char* nombres[] = {"OWNER_DB",
                             "COLOR_LABEL",
                             "RPTORGANISMO",
                             "RPTNOMBREORG",
                             "MUNICIPALIDAD",
                             "TIMER_ABM",
                             "COD_LOCALIDAD",
                             "COD_PROVINCIA",
                             "COD_NACIONALIDAD",
                             "LIMITE_AVISO_FILTROS",
                             "CALLE_POSTAL",
                             "NRO_POSTAL",
                             "CODPOS"};
    for (const char* nombre : nombres) {
        SCOPED_TRACE(nombre);
        Deshacer();
        // Falta también el último: como la lectura se corta en el primero que
        // falta, aparece un solo mensaje de parámetro y después el 37.
        Cambiar(QStringLiteral("DELETE FROM OWNER_SARVO.config WHERE sistema='GDA' AND "
                               "nombre_parametro IN ('%1','CODPOS')")
                    .arg(QLatin1String(nombre)));
        EXPECT_FALSE(ValidarAcceso(QStringLiteral("DEMO")));
        ASSERT_EQ(ui.mensajes.size(), 2u) << ui.Textos().join(" / ").toStdString();
        EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(
            QStringLiteral("el parámetro %1 ").arg(QLatin1String(nombre))))
            << ui.mensajes[0].Mensaje.toStdString();
        EXPECT_EQ(ui.mensajes[0].titulo, "Parámetro Faltante");
        EXPECT_EQ(ui.mensajes[1].Mensaje, Texto37);
    }
}

TEST_F(Parametros, DeSesion) {
    CargarParametrosSesion();
    EXPECT_EQ(Glob().TimeoutRpt, 5);
    EXPECT_EQ(Glob().TimeoutSql, 1);
    EXPECT_FALSE(Glob().SeguimientoSql);

    Config("GDA", "TIMEOUT_SQL", "7");
    Config("GDA", "TIMEOUT_RPT", "12");
    Config("Miravel", "SEGUIMIENTO_SQL", "FULL");
    CargarParametrosSesion();
    EXPECT_EQ(Glob().TimeoutSql, 7);
    EXPECT_EQ(Glob().TimeoutRpt, 12);
    EXPECT_TRUE(Glob().SeguimientoSql);

    // No numéricos o nulos: el valor por defecto. "full" en minúsculas no traza.
    Config("GDA", "TIMEOUT_SQL", "abc");
    Config("GDA", "TIMEOUT_RPT", QString());
    Config("Miravel", "SEGUIMIENTO_SQL", "full");
    CargarParametrosSesion();
    EXPECT_EQ(Glob().TimeoutSql, 1);
    EXPECT_EQ(Glob().TimeoutRpt, 5);
    EXPECT_FALSE(Glob().SeguimientoSql);

    Cambiar(QStringLiteral("DELETE FROM OWNER_SARVO.config WHERE nombre_parametro IN "
                           "('TIMEOUT_SQL','TIMEOUT_RPT')"));
    Config("Miravel", "SEGUIMIENTO_SQL", "USUARIO");
    Glob().UsuarioActual = QStringLiteral("MRV_ANTERIOR");
    Cambiar(QStringLiteral(
        "UPDATE OWNER_SARVO.usuarios SET seguimiento_sql='S' WHERE usuario='MRV_ANTERIOR'"));
    CargarParametrosSesion();
    EXPECT_EQ(Glob().TimeoutSql, 1);
    EXPECT_EQ(Glob().TimeoutRpt, 5);
    EXPECT_TRUE(Glob().SeguimientoSql);

    Glob().UsuarioActual = QStringLiteral("DEMO"); // su seguimiento_sql es 'N'
    CargarParametrosSesion();
    EXPECT_FALSE(Glob().SeguimientoSql);

    // Dueño cuya tabla de usuarios no tiene SEGUIMIENTO_SQL: sin seguimiento ni error.
    Glob().UsuarioActual = QStringLiteral("MRV_ANTERIOR");
    Glob().OwnerSarvo = QStringLiteral("OWNER_ANTERIOR");
    CargarParametrosSesion();
    EXPECT_FALSE(Glob().SeguimientoSql);
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
}

} // namespace
