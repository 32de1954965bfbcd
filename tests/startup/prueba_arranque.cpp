// Main contra el servidor privado: cada rechazo del arranque con su texto
// exacto y sin tocar la auditoría, y el arranque completo.
#include "AyudaArranque.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Equipo.h"
#include "Glob_Sarvo.h"
#include "InstanciaUnica.h"
#include "ParametrosArranque.h"
#include "SarvoMain.h"
#include <QCoreApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Pie = QStringLiteral("\rContactarse con el Administrador del Sistema.");
const QString Seguridad = QStringLiteral("\r\nComuníquese con el Administrador de Seguridad.");

class Arranque : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        FijarCarpetaInstancia(dir.path());
        Glob() = EstadoSesion();
    }
    void TearDown() override {
        SoltarInstancia();
        FijarCarpetaInstancia(QString());
        Glob() = EstadoSesion();
    }
    QString Linea(const QString& usuario, const QString& clave) const {
        return usuario + QLatin1Char(' ') + clave + QLatin1Char(' ') + dir.path() +
               QLatin1String("/ 1.0.0");
    }

    QTemporaryDir dir;
    DialogosGuion ui;
};

TEST_F(Arranque, OtraInstanciaSeRechazaAntesQueNada) {
    InstanciaUnica otra(QStringLiteral("startup_prueba_arranque"), dir.path());
    ASSERT_TRUE(otra.Tomar());
    EXPECT_FALSE(Main(Linea(QStringLiteral("MRV_ARRANQUE"), QStringLiteral("arranque"))));
    EXPECT_EQ(ui.mensajesSistema, QStringList{"Aviso: La aplicación está activa"});
    EXPECT_TRUE(ui.punteros.empty()); // ni reloj de arena
    EXPECT_FALSE(Glob().Conexion);
}

TEST_F(Arranque, ArgumentosIncompletos) {
    const QString texto =
        QStringLiteral("ERROR: Los argumentos de startup_prueba_arranque son incorrectos") + Pie;
    for (const QString& linea :
         {QString(), QStringLiteral("   "), QStringLiteral("mrv_arranque arranque /tmp/")}) {
        ui.mensajesSistema.clear();
        EXPECT_FALSE(Main(linea));
        EXPECT_EQ(ui.mensajesSistema, QStringList{texto}) << linea.toStdString();
        EXPECT_FALSE(Glob().Conexion); // ninguna conexión intentada
        EXPECT_TRUE(ui.mensajes.empty());
    }
}

TEST_F(Arranque, ClaveIncorrectaNoIntentaLasOtrasConexiones) {
    const qint64 antes = arranque::FilasAuditoria(QStringLiteral("MRV_ARRANQUE"));
    EXPECT_FALSE(Main(Linea(QStringLiteral("mrv_arranque"), QStringLiteral("ARRANQUE"))));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, "El Nombre/Contraseña son Incorrectos");
    EXPECT_EQ(ui.mensajesSistema,
              QStringList{QStringLiteral("ERROR: No se puede realizar la conexión con el usuario: "
                                         "MRV_ARRANQUE") +
                          Pie});
    EXPECT_FALSE(Glob().ConexionAuditoria);
    EXPECT_FALSE(Glob().ConexionAuxiliar);
    EXPECT_EQ(arranque::FilasAuditoria(QStringLiteral("MRV_ARRANQUE")), antes);
}

TEST_F(Arranque, RechazosDelUsuario) {
    struct Caso {
        QString usuario, clave, titulo, texto;
    };
    const Caso casos[] = {
        {"MRV_SINREGISTRO", "sinregistro", "Usuario Inexistente",
         "El usuario no está registrado en el Sistema de Seguridad." + Seguridad},
        {"BAJA", "baja", "Usuario Inhabilitado",
         "El usuario se encuentra inhabilitado." + Seguridad},
        {"MRV_MINUSCULA", "minuscula", "Usuario Inhabilitado",
         "El usuario se encuentra inhabilitado." + Seguridad},
        {"MRV_SINMENU", "sinmenu", "Usuario sin Menú",
         "El usuario no tiene menú asignado para este sistema." + Seguridad},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.usuario.toStdString());
        Glob() = EstadoSesion();
        ui.mensajes.clear();
        const qint64 antes = arranque::FilasAuditoria(c.usuario);
        EXPECT_FALSE(Main(Linea(c.usuario.toLower(), c.clave)));
        ASSERT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join(" / ").toStdString();
        EXPECT_EQ(ui.mensajes[0].titulo, c.titulo);
        EXPECT_EQ(ui.mensajes[0].Mensaje, c.texto);
        EXPECT_TRUE(ui.mensajesSistema.isEmpty());
        EXPECT_EQ(arranque::FilasAuditoria(c.usuario), antes);
    }
}

TEST_F(Arranque, ArranqueCompletoConOtraConfiguracionRegional) {
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const qint64 antes = arranque::FilasAuditoria(QStringLiteral("MRV_ARRANQUE"));
    const QString ruta = dir.path() + QLatin1Char('/');
    // Doce argumentos con separadores repetidos: del quinto en adelante no cuentan.
    ASSERT_TRUE(Main(QStringLiteral(" mrv_arranque \t arranque  ") + ruta +
                     QStringLiteral("   1.0.0 e5 e6 e7 e8 e9 e10 e11 e12 ")))
        << ui.Textos().join(" / ").toStdString() << ui.mensajesSistema.join(" / ").toStdString();
    QLocale::setDefault(QLocale::c());

    const auto& g = Glob();
    EXPECT_TRUE(ui.mensajes.empty());
    EXPECT_TRUE(ui.mensajesSistema.isEmpty());
    EXPECT_EQ(g.UsuarioActual, "MRV_ARRANQUE");
    EXPECT_EQ(g.ClaveBase, "Marranqueeuqnarra");
    EXPECT_EQ(g.CadenaConexion, g.CadenaConexionODBC);
    EXPECT_TRUE(g.CadenaConexion.contains(QLatin1String("UID=MRV_ARRANQUE;")));
    EXPECT_EQ(g.RutaSistema, ruta);
    EXPECT_EQ(g.VersionSistema, "1.0.0");
    EXPECT_EQ(g.CodUsuario, 50);
    EXPECT_EQ(g.TipoUsuario, "U");
    EXPECT_EQ(g.OwnerSarvo, "OWNER_SARVO");
    EXPECT_FALSE(MarcaCP());
    EXPECT_EQ(g.Municipalidad, "Municipalidad de Villa Serrana");
    EXPECT_EQ(g.TimeoutSql, 1);
    EXPECT_EQ(g.TimeoutRpt, 5);
    EXPECT_FALSE(g.SeguimientoSql);
    EXPECT_EQ(ui.punteros.front(), Puntero::Reloj);

    // Las tres conexiones, con la identidad que el programa informó y las
    // fechas de la sesión en día/mes/año.
    for (ConexionBase* c :
         {g.Conexion.get(), g.ConexionAuditoria.get(), g.ConexionAuxiliar.get()}) {
        ASSERT_TRUE(c && c->Abierta());
        Recordset rs;
        ASSERT_TRUE(
            c->Consultar(QStringLiteral("SELECT CAST('03/04/2024' AS DATE) FROM dual"), rs));
        EXPECT_EQ(rs.Valor(0).toDate(), QDate(2024, 4, 3));
    }
    const QString fila = QStringList{QStringLiteral("startup_prueba_arranque"), NombreEquipo(),
                                     UsuarioSistemaOperativo(), NumeroProceso()}
                             .join(QLatin1Char('|'));
    EXPECT_EQ(
        arranque::Filas(QStringLiteral("SELECT programa,terminal,usuario_so,nro_proceso FROM "
                                       "vis_conecciones WHERE nombre_usuario='MRV_ARRANQUE'")),
        (QStringList{fila, fila, fila}));
    // El arranque no escribe en la auditoría: eso lo hace la ventana principal.
    EXPECT_EQ(arranque::FilasAuditoria(QStringLiteral("MRV_ARRANQUE")), antes);
}

} // namespace
