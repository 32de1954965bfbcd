// Errores de la base y de conexión traducidos al catálogo, con fallos reales
// del servidor de pruebas.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "DialogosGuion.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString SinDetalle =
    QStringLiteral("Error Interno: la base de datos no informó el detalle del error.");

class ErroresBase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        prueba::PrepararSesion(carpeta.path());
        ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
    }
    void TearDown() override { Glob() = EstadoSesion(); }

    // Texto de la fila del catálogo, leído aparte.
    QString TextoCatalogo(int codigo) {
        Recordset rs;
        EXPECT_TRUE(Glob().Conexion->Consultar(
            QStringLiteral("SELECT mensaje FROM owner_sarvo.errores_vb WHERE codigo_error=%1")
                .arg(codigo),
            rs));
        return rs.Eof() ? QString() : rs.Valor(0).toString();
    }

    QTemporaryDir carpeta;
    DialogosGuion guion;
};

} // namespace

TEST(MensajeLiteral, UnBotonAceptarConAccesoEIconoCritico) {
    DialogosGuion guion;
    Glob().UltimoMensaje.clear();
    EXPECT_EQ(MostrarMensaje(QStringLiteral("Texto @ cualquiera"), QStringLiteral("Título")), 1);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    const PedidoMensaje& p = guion.mensajes[0];
    EXPECT_EQ(p.Mensaje, QStringLiteral("Texto @ cualquiera"));
    EXPECT_EQ(p.titulo, QStringLiteral("Título"));
    EXPECT_EQ(p.TipoBotones, 0);
    EXPECT_EQ(p.DefaultBotones, 0);
    EXPECT_EQ(p.TipoMensaje, 16);
    EXPECT_TRUE(p.aceptarConAcceso);
    EXPECT_EQ(Glob().UltimoMensaje, QStringLiteral("Texto @ cualquiera"));
}

TEST(MensajeLiteral, SinErroresQueInformarMuestraUnTextoInternoYDevuelveMenosUno) {
    DialogosGuion guion;
    Glob() = EstadoSesion();
    Glob().UltimoErrorNativo = 77;
    ConexionBase sinErrores;
    EXPECT_EQ(MostrarErrorBase(&sinErrores), -1);
    EXPECT_EQ(MostrarErrorBase(), -1); // sin conexión principal
    EXPECT_EQ(MostrarErrorConexion(sinErrores), -1);
    EXPECT_EQ(guion.Textos(), (QStringList{SinDetalle, SinDetalle, SinDetalle}));
    EXPECT_EQ(Glob().UltimoErrorNativo, 77);

    // Un número propio no necesita la lista: el no contemplado se informa igual.
    guion.mensajes.clear();
    MostrarErrorBase(&sinErrores, 4711);
    EXPECT_EQ(guion.Textos(),
              QStringList{QStringLiteral("Error Interno: El error 4711 no esta contemplado")});
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
    EXPECT_EQ(Glob().UltimoErrorNativo, 77);
}

TEST_F(ErroresBase, ClaveDuplicadaMuestraElMensajeUnoYLimpiaLaLista) {
    const QString alta =
        QStringLiteral("INSERT INTO owner_sarvo.prueba_claves (id, texto) VALUES (91931, 'msg')");
    ASSERT_TRUE(EjecutarSQL(alta));
    EXPECT_FALSE(EjecutarSQL(alta));
    ASSERT_EQ(guion.mensajes.size(), 1u) << guion.Textos().join(QLatin1String(" / ")).toStdString();
    EXPECT_EQ(guion.mensajes[0].Mensaje, TextoCatalogo(1));
    EXPECT_FALSE(guion.mensajes[0].aceptarConAcceso);
    EXPECT_TRUE(Glob().Conexion->Errores().empty());
    EXPECT_EQ(Glob().UltimoErrorNativo, 1);
    EXPECT_EQ(Glob().UltimoMensaje, TextoCatalogo(1));
}

TEST_F(ErroresBase, ErroresDeAplicacionConSuParametro) {
    EXPECT_FALSE(EjecutarSQLSTP(QStringLiteral("owner_sarvo.probar_error_aplicacion(20113)")));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(
        guion.mensajes[0].Mensaje,
        QString(TextoCatalogo(169)).replace(QLatin1Char('@'), QStringLiteral("Módulo Horario")));
    EXPECT_TRUE(guion.mensajes[0].Mensaje.contains(QStringLiteral("Módulo Horario")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 20113);

    guion.mensajes.clear();
    EXPECT_FALSE(EjecutarSQLSTP(QStringLiteral("owner_sarvo.probar_error_aplicacion(20121)")));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje,
              QString(TextoCatalogo(377)).replace(QLatin1Char('@'), QStringLiteral("21")));

    // 20102 no se traduce: va el texto del proveedor.
    guion.mensajes.clear();
    EXPECT_FALSE(EjecutarSQLSTP(QStringLiteral("owner_sarvo.probar_error_aplicacion(20102)")));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].Mensaje.contains(QStringLiteral("\r Number: ")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 20102);
}

TEST_F(ErroresBase, SinTraduccionVaLaDescripcionDelProveedorYSuNumero) {
    ConexionBase& c = *Glob().Conexion;
    Recordset rs;
    ASSERT_FALSE(c.Consultar(QStringLiteral("SELECT * FROM owner_sarvo.tabla_que_no_esta"), rs));
    ASSERT_FALSE(c.Errores().empty());
    const ErrorBase e = c.Errores().front();
    EXPECT_EQ(e.nativo, 942);

    MostrarErrorBase();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje,
              e.descripcion + QStringLiteral("\r Number: ") + QString::number(e.numero));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
    EXPECT_EQ(Glob().UltimoErrorNativo, 942);
    EXPECT_TRUE(c.Errores().empty());
}

TEST_F(ErroresBase, ElNumeroNativoQuedaYUnNumeroPropioNoLoCambia) {
    ASSERT_TRUE(EjecutarSQL(QStringLiteral(
        "INSERT INTO owner_sarvo.prueba_padres (id, nombre) VALUES (91931, 'padre')")));
    ASSERT_TRUE(EjecutarSQL(QStringLiteral(
        "INSERT INTO owner_sarvo.prueba_hijos (id, padre, dato) VALUES (91931, 91931, 'hijo')")));
    EXPECT_FALSE(
        EjecutarSQL(QStringLiteral("DELETE FROM owner_sarvo.prueba_padres WHERE id=91931")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 2292);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, TextoCatalogo(3));

    guion.mensajes.clear();
    MostrarErrorBase(nullptr, 1);
    EXPECT_EQ(guion.Textos(), QStringList{TextoCatalogo(1)});
    EXPECT_EQ(Glob().UltimoErrorNativo, 2292);
}

TEST_F(ErroresBase, ErroresAlConectarse) {
    ConexionBase mala;
    ASSERT_FALSE(mala.Abrir(ArmarCadenaODBC(prueba::UsuarioHabilitado, QStringLiteral("mala"))));
    ASSERT_FALSE(mala.Errores().empty());
    EXPECT_EQ(mala.Errores().front().nativo, 1017);
    EXPECT_EQ(MostrarErrorConexion(mala), 1);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, QStringLiteral("El Nombre/Contraseña son Incorrectos"));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("Error al Conectarse a la Base"));
    EXPECT_TRUE(mala.Errores().empty());

    // Servidor que no atiende (otro puerto): lo dice en castellano, con el
    // origen de datos y el servidor.
    guion.mensajes.clear();
    ConexionBase sinServidor;
    ASSERT_FALSE(sinServidor.Abrir(
        ArmarCadenaODBC(prueba::UsuarioHabilitado, DerivarClave(prueba::ClaveHabilitado)) +
        QStringLiteral(";Port=1")));
    ASSERT_FALSE(sinServidor.Errores().empty());
    EXPECT_EQ(sinServidor.Errores().front().nativo, 1034);
    EXPECT_EQ(MostrarErrorConexion(sinServidor), 1);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].Mensaje.startsWith(
        "No contesta el servidor de la base de datos que indica el origen de datos ODBC "
        "\"Oracle\""))
        << guion.mensajes[0].Mensaje.toStdString();
    EXPECT_TRUE(guion.mensajes[0].Mensaje.contains(", puerto 1."));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("Error al Conectarse a la Base"));
    EXPECT_TRUE(sinServidor.Errores().empty());

    // Un origen de datos que no está definido: su nombre, no el inglés del driver.
    guion.mensajes.clear();
    ConexionBase sinOrigen;
    ASSERT_FALSE(
        sinOrigen.Abrir(QStringLiteral("Provider=MSDASQL;DSN=NoExisteMiravel;UID=x;PWD=y")));
    MostrarErrorConexion(sinOrigen);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].Mensaje.startsWith(
        "No está definido el origen de datos ODBC \"NoExisteMiravel\".\rArchivos de "
        "configuración ODBC leídos: "))
        << guion.mensajes[0].Mensaje.toStdString();

    // Otro motivo: descripción, número y el pedido de contactar al administrador.
    guion.mensajes.clear();
    ConexionBase nativo;
    ASSERT_FALSE(
        nativo.Abrir(QStringLiteral("Provider=MSDAORA.1;User ID=x;Password=y;Data Source=ORCL")));
    ASSERT_FALSE(nativo.Errores().empty());
    const ErrorBase e = nativo.Errores().front();
    MostrarErrorConexion(nativo);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje,
              e.descripcion + QStringLiteral("\r Number: ") + QString::number(e.numero) +
                  QStringLiteral("\r\rContactarse con el Administrador del Sistema."));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
}
