// La sesión con el servidor se pierde en medio del trabajo: el servidor
// termina la sesión (pg_terminate_backend desde una conexión de
// superusuario) o se detiene y vuelve a iniciarse. Corre sobre un servidor
// propio (scripts/basedatos) para poder detenerlo sin molestar a las demás
// pruebas.
#include "AyudaArranque.h"
#include "ConexionBase.h"
#include "ConexionPerdida.h"
#include "Conexiones.h"
#include "DialogosGuion.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Plantillas.h"
#include "SarvoMain.h"
#include "Usuarios.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// El servidor propio de este ejecutable; su entorno ODBC reemplaza al del
// servidor compartido antes de la primera conexión.
class ServidorPropio : public ::testing::Environment {
public:
    void SetUp() override { ASSERT_TRUE(Iniciar()); }
    void TearDown() override { Detener(); }

    static bool Iniciar() {
        QProcess p;
        p.start(QStringLiteral("bash"), {Script(), QStringLiteral("iniciar"), Carpeta()});
        if (!p.waitForFinished(180000) || p.exitCode() != 0) {
            ADD_FAILURE() << "no arrancó el servidor propio: " << p.readAllStandardError().data();
            return false;
        }
        // export A=valor B=valor ...
        static const QRegularExpression asignacion(QStringLiteral("(\\w+)=(\\S+)"));
        auto it = asignacion.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
        while (it.hasNext()) {
            const auto m = it.next();
            qputenv(m.captured(1).toUtf8().constData(), m.captured(2).toUtf8());
        }
        return true;
    }
    static bool Detener() {
        return QProcess::execute(QStringLiteral("bash"),
                                 {Script(), QStringLiteral("detener"), Carpeta()}) == 0;
    }

private:
    static QString Script() { return QStringLiteral(MIRAVEL_RAIZ "/scripts/basedatos"); }
    // La carpeta del cluster misma (basedatos la abre al usuario del servidor).
    static QString Carpeta() {
        static QTemporaryDir dir(QStringLiteral("/tmp/miravel-perdida-XXXXXX"));
        return dir.path();
    }
};
[[maybe_unused]] const auto* const servidor =
    ::testing::AddGlobalTestEnvironment(new ServidorPropio);

// Una conexión de superusuario para terminar sesiones ajenas.
std::unique_ptr<ConexionBase> Superusuario() {
    auto c = std::make_unique<ConexionBase>();
    EXPECT_TRUE(c->Abrir(ArmarCadenaODBC(QStringLiteral("postgres"), QStringLiteral("-"))));
    return c;
}

QString Valor(ConexionBase& c, const QString& sql) {
    Recordset rs;
    if (!c.Consultar(sql, rs) || rs.Eof())
        return QStringLiteral("<error>");
    return rs.Valor(0).toString();
}

QString ValorSql(const QString& sql, ConexionBase* conexion = nullptr) {
    Recordset rs;
    CargarRecordset(rs, sql, QString(), conexion);
    return rs.Abierto() && !rs.Eof() ? rs.Valor(0).toString() : QStringLiteral("<error>");
}

// La termina y espera a que el servidor la retire.
void TerminarSesion(ConexionBase& conexion) {
    const QString pid = Valor(conexion, QStringLiteral("SELECT pg_backend_pid()"));
    auto super = Superusuario();
    ASSERT_EQ(Valor(*super, QStringLiteral("SELECT pg_terminate_backend(%1, 5000)::int").arg(pid)),
              "1");
}

class ConexionPerdida : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
        FijarCarpetaInstancia(dir.path());
    }
    // El arranque de verdad: tres conexiones con sus sentencias de sesión. Un
    // usuario por prueba: la sesión de la anterior puede tardar en irse.
    void Arrancar(const QString& usuario) {
        ASSERT_TRUE(
            Main(QStringLiteral("%1 %2 %3/ 1.0.0").arg(usuario, usuario.toLower(), dir.path())))
            << ui.Textos().join(" / ").toStdString();
        ASSERT_TRUE(ui.mensajes.empty());
        TerminarAccion();
    }
    void TearDown() override {
        TerminarAccion();
        SoltarInstancia();
        FijarCarpetaInstancia(QString());
        Glob() = EstadoSesion();
    }

    // Estado de una fila de auditoría leído por una conexión aparte.
    static QString EstadoAuditoria(const QString& rowId) {
        auto c = prueba::Conectar(QStringLiteral("PRUEBA1"), QStringLiteral("prueba1"));
        return Valor(*c, "SELECT estado FROM OWNER_SARVO.auditoria WHERE rowid='" + rowId + "'");
    }
    void EsperarAvisoDePerdida(size_t cantidad) {
        ASSERT_EQ(ui.mensajes.size(), cantidad) << ui.Textos().join(" / ").toStdString();
        EXPECT_EQ(ui.mensajes.back().titulo, "Conexión Perdida");
        EXPECT_EQ(ui.mensajes.back().Mensaje, TextoConexionPerdida());
    }

    QTemporaryDir dir;
    DialogosGuion ui;
};

TEST_F(ConexionPerdida, LaCopiaDelMensajeEsLaFilaDelCatalogo) {
    ASSERT_NO_FATAL_FAILURE(Arrancar("PRUEBA1"));
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT mensaje||'|'||titulo||'|'||boton||'|'||tipo_ventana "
                                      "FROM OWNER_SARVO.errores_vb WHERE codigo_error=3113")),
              TextoConexionPerdida() + "|Conexión Perdida|0|48");
}

TEST_F(ConexionPerdida, SesionTerminadaAvisaUnaVezYLaSiguienteReconecta) {
    ASSERT_NO_FATAL_FAILURE(Arrancar("PRUEBA2"));
    ConexionBase& principal = *Glob().Conexion;
    const QString antes = Valor(principal, QStringLiteral("SELECT pg_backend_pid()"));
    // Trabajo sin confirmar, que se pierde con la sesión.
    ASSERT_TRUE(EjecutarSQL("INSERT INTO owner_sarvo.prueba_claves (id) VALUES (1)"));
    ASSERT_NO_FATAL_FAILURE(TerminarSesion(principal));

    // La sentencia que la encuentra muerta falla con el aviso del catálogo.
    EXPECT_FALSE(EjecutarSQL("INSERT INTO owner_sarvo.prueba_claves (id) VALUES (2)"));
    EsperarAvisoDePerdida(1);
    EXPECT_TRUE(Glob().UltimoErrorNativo == 3113 || Glob().UltimoErrorNativo == 28)
        << Glob().UltimoErrorNativo;

    // Otra acción: reabre la conexión, con sus sentencias de sesión, y sigue.
    TerminarAccion();
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT current_setting('DateStyle')")), "ISO, DMY");
    EXPECT_NE(Valor(principal, QStringLiteral("SELECT pg_backend_pid()")), antes);
    // Nada se repitió a escondidas: ni lo pendiente ni la sentencia fallida.
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT count(*) FROM owner_sarvo.prueba_claves")), "0");
    EXPECT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join(" / ").toStdString();
}

TEST_F(ConexionPerdida, LaAuditoriaCierraSuFilaAunqueSeHayaTerminadoSuSesion) {
    ASSERT_NO_FATAL_FAILURE(Arrancar("PRUEBA3"));
    const QString rowId = RegistrarIngreso("Miravel", "ACCESO", "PRUEBA3");
    ASSERT_FALSE(rowId.isEmpty());
    ASSERT_NO_FATAL_FAILURE(TerminarSesion(*Glob().ConexionAuditoria));
    // Nada pendiente en la de auditoría: se reabre sin aviso y cierra la fila.
    EXPECT_TRUE(RegistrarSalida(rowId, 0, 0, 0, 0));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
    EXPECT_EQ(EstadoAuditoria(rowId), "N");
}

TEST_F(ConexionPerdida, LaConexionDeControlRecuperaSuRol) {
    ASSERT_NO_FATAL_FAILURE(Arrancar("PRUEBA4"));
    std::unique_ptr<ConexionBase> control;
    AbrirConexionControl(UsuarioControl, ClaveControl, control);
    ASSERT_TRUE(control && control->Abierta());
    ASSERT_TRUE(EjecutarSQL("SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol", true, std::nullopt,
                            control.get()));
    ASSERT_EQ(ValorSql(QStringLiteral("SELECT current_user"), control.get()), "ALTERAR_SISTEMA");
    ASSERT_NO_FATAL_FAILURE(TerminarSesion(*control));
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT current_user"), control.get()), "<error>");
    EsperarAvisoDePerdida(1);
    TerminarAccion();
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT current_user"), control.get()), "ALTERAR_SISTEMA");
    EXPECT_EQ(ui.mensajes.size(), 1u);
}

TEST_F(ConexionPerdida, ServidorDetenidoYVueltoAIniciar) {
    ASSERT_NO_FATAL_FAILURE(Arrancar("DEMO"));
    const QString rowId = RegistrarIngreso("Miravel", "ACCESO", "DEMO");
    ASSERT_FALSE(rowId.isEmpty());
    ASSERT_TRUE(ServidorPropio::Detener());

    // Una acción con dos generaciones y una consulta: un solo aviso.
    const QString generar = AgregarOwner("GES_GENERA_TIPO_COMPRA(32101,2025,'30/06/2025')");
    EXPECT_FALSE(EjecutarSQLSTP(generar));
    EXPECT_FALSE(EjecutarSQLSTP(generar));
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT 1 FROM dual")), "<error>");
    EsperarAvisoDePerdida(1);
    // Cada acción siguiente lo dice otra vez, una vez.
    TerminarAccion();
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT 1 FROM dual")), "<error>");
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT 2 FROM dual")), "<error>");
    EsperarAvisoDePerdida(2);

    // Con el servidor de vuelta el trabajo sigue, con las sentencias de sesión.
    ASSERT_TRUE(ServidorPropio::Iniciar());
    TerminarAccion();
    ui.PonerPuntero(Puntero::Defecto); // como lo deja la ventana principal
    ui.punteros.clear();
    EXPECT_EQ(ValorSql(QStringLiteral("SELECT current_setting('DateStyle')")), "ISO, DMY");
    // Mientras reabre, el reloj; después, el puntero de antes.
    EXPECT_NE(std::find(ui.punteros.begin(), ui.punteros.end(), Puntero::Reloj), ui.punteros.end());
    EXPECT_EQ(ui.puntero, Puntero::Defecto);
    EXPECT_TRUE(EjecutarSQLSTP(generar));
    EXPECT_TRUE(EjecutarSQL(QStringLiteral("ROLLBACK")));
    // La salida cierra la fila de auditoría por su propia conexión, reabierta.
    EXPECT_TRUE(RegistrarSalida(rowId, 0, 0, 0, 0));
    EXPECT_EQ(ui.mensajes.size(), 2u) << ui.Textos().join(" / ").toStdString();
    EXPECT_EQ(EstadoAuditoria(rowId), "N");
}

} // namespace
