#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "Glob_Sarvo.h"
#include <gtest/gtest.h>

namespace prueba {

bool HayServidor() {
    return !qEnvironmentVariableIsEmpty("ODBCINI");
}

std::unique_ptr<ConexionBase> Conectar(const QString& usuario, const QString& clave) {
    EXPECT_TRUE(HayServidor()) << "falta el servidor privado: ver scripts/basedatos";
    auto c = std::make_unique<ConexionBase>();
    if (!c->Abrir(ArmarCadenaODBC(usuario, DerivarClave(clave)))) {
        ADD_FAILURE() << "no se pudo conectar como " << usuario.toStdString() << ": "
                      << (c->Errores().empty() ? std::string("?")
                                               : c->Errores()[0].descripcion.toStdString());
        return c;
    }
    c->IniciarTransaccion();
    return c;
}

void PrepararSesion(const QString& rutaSistema) {
    Glob() = EstadoSesion();
    Glob().UsuarioActual = UsuarioHabilitado;
    Glob().RutaSistema =
        rutaSistema.endsWith(QLatin1Char('/')) ? rutaSistema : rutaSistema + QLatin1Char('/');
    Glob().VersionSistema = QStringLiteral("1.0.0");
    Glob().NombrePC = QStringLiteral("PC-PRUEBA");
    Glob().UsuarioWindows = QStringLiteral("operador");
    Glob().Conexion = Conectar();
}

} // namespace prueba

namespace prueba {

void ConSesion::SetUp() {
    ASSERT_TRUE(dir.isValid());
    PrepararSesion(dir.path());
    ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
}

void ConSesion::TearDown() {
    Glob() = EstadoSesion();
}

void ConSesion::Cambiar(const QString& sql) {
    ASSERT_TRUE(Glob().Conexion->Ejecutar(sql)) << sql.toStdString();
}

} // namespace prueba
