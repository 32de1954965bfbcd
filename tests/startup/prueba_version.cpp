// Control de versión en sus tres modos. CONFIG y VERSIONES se cambian dentro
// de la transacción de la prueba, sin confirmar. La clave de acceso del modo
// CONTRASEÑA se prueba en prueba_codigoacceso.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "ControlVersion.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const VersionPrograma V502{5, 2};

QString Diferencia(const QString& base, const QString& ejecutable) {
    return QStringLiteral("   La Base de Datos se encuenta en la Versión ") + base +
           QStringLiteral(", mientras que el Ejecutable está en la versión ") + ejecutable +
           QStringLiteral(".\n\r   La última versión instalada de este Sistema se ha realizado "
                          "en forma Incorrecta.");
}

class Version : public prueba::ConSesion {
protected:
    void Modo(const QString& modo) {
        Cambiar(QStringLiteral("UPDATE OWNER_SARVO.config SET contenido='%1' WHERE sistema='GDA' "
                               "AND nombre_parametro='CONTROL_VERSION'")
                    .arg(modo));
    }
    void Instalada(const QString& version) {
        Cambiar(QStringLiteral("INSERT INTO OWNER_SARVO.versiones (prefijosistema, version, "
                               "ejecutable) VALUES ('MRV', '%1', 'S')")
                    .arg(version));
    }
    void Limpiar() {
        ui.mensajes.clear();
        ui.preguntas.clear();
    }
};

TEST_F(Version, ExisteCampoSinDistinguirMayusculas) {
    Recordset rs;
    CargarRecordset(rs, QStringLiteral("SELECT 1 AS uno, 2 AS Dos FROM dual"), QString());
    EXPECT_TRUE(ExisteCampo(rs, QStringLiteral("UNO")));
    EXPECT_TRUE(ExisteCampo(rs, QStringLiteral("dos")));
    EXPECT_FALSE(ExisteCampo(rs, QStringLiteral("tres")));
    EXPECT_FALSE(ExisteCampo(Recordset(), QStringLiteral("uno")));
}

TEST_F(Version, DeshabilitadoYAviso) {
    // La base de demostración registra la versión de este ejecutable.
    Modo(QStringLiteral("AVISO"));
    EXPECT_TRUE(ControlarVersion());
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();

    // DESHABILITADO, o cualquier otro valor (también "aviso" en minúsculas): nada.
    for (const char* modo : {"DESHABILITADO", "aviso", "OTRO"}) {
        Modo(QLatin1String(modo));
        EXPECT_TRUE(ControlarVersion(V502));
        EXPECT_TRUE(ui.mensajes.empty()) << modo;
    }

    Modo(QStringLiteral("AVISO"));
    EXPECT_TRUE(ControlarVersion(V502));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].titulo, "Incompatibilidad de Versiones");
    EXPECT_EQ(ui.mensajes[0].Mensaje, Diferencia("001_000", "005_002"));

    Limpiar();
    Instalada(QStringLiteral("005_010"));
    EXPECT_TRUE(ControlarVersion(V502));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, Diferencia("005_010", "005_002"));

    // Un texto de versión no numérico es una versión distinta, sin falla.
    Limpiar();
    Instalada(QStringLiteral("9ab_x12"));
    EXPECT_TRUE(ControlarVersion(V502));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, Diferencia("9ab_x12", "005_002"));
}

TEST_F(Version, IgualesNoMuestranNadaEnNingunModo) {
    Instalada(QStringLiteral("005_002"));
    for (const QString& modo : {QStringLiteral("AVISO"), QStringLiteral("CONTRASEÑA")}) {
        Modo(modo);
        EXPECT_TRUE(ControlarVersion(V502));
    }
    // Mayor y menor de tres cifras: sin desborde.
    Instalada(QStringLiteral("999_999"));
    EXPECT_TRUE(ControlarVersion({999, 999}));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
    EXPECT_TRUE(ui.preguntas.isEmpty());
}

TEST_F(Version, SinVersionInstaladaSeDetiene) {
    Cambiar(QStringLiteral("UPDATE OWNER_SARVO.versiones SET ejecutable='N' WHERE "
                           "prefijosistema='MRV'"));
    for (const QString& modo : {QStringLiteral("AVISO"), QStringLiteral("CONTRASEÑA")}) {
        Limpiar();
        Modo(modo);
        EXPECT_FALSE(ControlarVersion(V502));
        ASSERT_EQ(ui.mensajes.size(), 1u);
        EXPECT_EQ(ui.mensajes[0].titulo, "Incompatibilidad de Versión");
        EXPECT_EQ(ui.mensajes[0].Mensaje,
                  "No se encuentra instalada ninguna Versión con Ejecutable de este Sistema en la "
                  "Base de Datos.");
        EXPECT_TRUE(ui.preguntas.isEmpty());
    }
}

TEST_F(Version, BaseSinColumnaEjecutable) {
    // Si se leyera CONFIG, el modo CONTRASEÑA llevaría a consultar Ejecutable
    // en una tabla que no lo tiene, y eso se vería como error.
    Modo(QStringLiteral("CONTRASEÑA"));
    Glob().OwnerSarvo = QStringLiteral("OWNER_ANTERIOR");
    EXPECT_TRUE(ControlarVersion(V502));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
    EXPECT_TRUE(ui.preguntas.isEmpty());
}

} // namespace
