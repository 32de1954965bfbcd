// Auditoría de la sesión: alta, cierre (con el orden de los contadores),
// filas rechazadas y marcado de sesiones abandonadas. Usa un usuario propio
// porque estas sentencias confirman.
#include "AyudaArranque.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "Usuarios.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Usuario = QStringLiteral("MRV_AUDITORIA");

class Auditoria : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
        Glob().UsuarioActual = Usuario;
        Glob().UsuarioWindows = QStringLiteral("operador");
        Glob().RutaSistema = dir.path() + QLatin1Char('/');
        Glob().Conexion = prueba::Conectar(Usuario, arranque::ClaveDe(Usuario));
        Glob().ConexionAuditoria = prueba::Conectar(Usuario, arranque::ClaveDe(Usuario));
    }
    void TearDown() override { Glob() = EstadoSesion(); }

    // estado|altas|bajas|modis|impres|usr_win|salida registrada
    static QString Fila(const QString& rowId) {
        const QStringList f =
            arranque::Filas("SELECT estado,altas,bajas,modis,impres,usr_win,"
                            "CASE WHEN salida IS NULL THEN 'abierta' ELSE 'cerrada' END "
                            "FROM OWNER_SARVO.auditoria WHERE rowid='" +
                            rowId + "'");
        return f.value(0);
    }

    QTemporaryDir dir;
    DialogosGuion ui;
};

TEST_F(Auditoria, IngresoYSalida) {
    const QString rowId = RegistrarIngreso("Miravel", "ACCESO", Usuario);
    ASSERT_FALSE(rowId.isEmpty());
    EXPECT_EQ(arranque::Filas("SELECT sistema,tipo_acceso,usuario FROM OWNER_SARVO.auditoria "
                              "WHERE rowid='" +
                              rowId + "'"),
              QStringList{"Miravel|ACCESO|MRV_AUDITORIA"});
    EXPECT_EQ(Fila(rowId), "I|<nulo>|<nulo>|<nulo>|<nulo>|operador|abierta");

    // Se reciben altas, bajas, modis, impres.
    EXPECT_TRUE(RegistrarSalida(rowId, 1, 2, 3, 4));
    EXPECT_EQ(Fila(rowId), "N|1|2|3|4|operador|cerrada");

    // Una fila rechazada ("R") no se vuelve a tocar.
    const QString rechazada = RegistrarIngreso("Miravel", "ACCESO", Usuario);
    EXPECT_TRUE(RegistrarSalida(rechazada, 0, 0, 0, 0, QStringLiteral("R")));
    EXPECT_TRUE(RegistrarSalida(rechazada, 9, 9, 9, 9));
    EXPECT_EQ(Fila(rechazada), "R|0|0|0|0|operador|cerrada");

    // Sin ROWID (el alta falló) no cambia ninguna fila ni da error.
    const QStringList antes =
        arranque::Filas("SELECT rowid,estado FROM OWNER_SARVO.auditoria WHERE usuario='" + Usuario +
                        "' ORDER BY rowid");
    EXPECT_TRUE(RegistrarSalida(QString(), 5, 5, 5, 5));
    EXPECT_EQ(arranque::Filas("SELECT rowid,estado FROM OWNER_SARVO.auditoria WHERE usuario='" +
                              Usuario + "' ORDER BY rowid"),
              antes);
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
}

TEST_F(Auditoria, SesionesAbandonadasDelMismoUsuarioWindows) {
    const QString abierta1 = RegistrarIngreso("Miravel", "ACCESO", Usuario);
    const QString abierta2 = RegistrarIngreso("Miravel", "ACCESO", Usuario);
    const QString cerrada = RegistrarIngreso("Miravel", "ACCESO", Usuario);
    RegistrarSalida(cerrada, 0, 0, 0, 0);
    Glob().UsuarioWindows = QStringLiteral("otro");
    const QString deOtro = RegistrarIngreso("Miravel", "ACCESO", Usuario);

    // La misma cuenta de Windows con otro usuario de base.
    Glob().Conexion = prueba::Conectar("MRV_ANTERIOR", "anterior");
    Glob().ConexionAuditoria = prueba::Conectar("MRV_ANTERIOR", "anterior");
    Glob().UsuarioWindows = QStringLiteral("operador");
    const QString otroUsuario = RegistrarIngreso("Miravel", "ACCESO", "MRV_ANTERIOR");

    CerrarSesionesAnteriores(Usuario, QStringLiteral("operador"));
    EXPECT_EQ(Fila(abierta1), "A|<nulo>|<nulo>|<nulo>|<nulo>|operador|abierta");
    EXPECT_EQ(Fila(abierta2), "A|<nulo>|<nulo>|<nulo>|<nulo>|operador|abierta");
    EXPECT_EQ(Fila(cerrada).left(2), "N|");
    EXPECT_EQ(Fila(deOtro).left(2), "I|");
    EXPECT_EQ(Fila(otroUsuario).left(2), "I|");
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();

    // Las que quedaron abiertas se cierran para no acumularlas.
    RegistrarSalida(deOtro, 0, 0, 0, 0);
    RegistrarSalida(otroUsuario, 0, 0, 0, 0);
}

} // namespace
