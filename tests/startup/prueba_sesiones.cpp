// Sesiones duplicadas con segundas conexiones reales del mismo usuario. Las
// "otras" conexiones se presentan como otro programa, terminal o proceso
// cambiando su application_name, que es lo que lee vis_conecciones.
#include "AyudaArranque.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Equipo.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "SarvoMain.h"
#include "SesionesDuplicadas.h"
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString Usuario = QStringLiteral("MRV_DUPLICADO");
const QString Clave = QStringLiteral("duplicado");
const QString Terminal = QStringLiteral("PC-PRUEBA");

QString Texto208(const QString& usuarioSo, const QString& terminal, const QString& programa) {
    return Usuario + QStringLiteral(" se encuentra conectado:\r     Usuario Windows [") +
           usuarioSo + QStringLiteral("].\r     Terminal [") + terminal +
           QStringLiteral("].\r     Programa [") + programa +
           QStringLiteral("].\r\n\r\nNo puede ingresar mientras tenga otra sesión abierta.");
}

class Sesiones : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
        ConexionBase::IdentidadCliente(QStringLiteral("miravel"), Terminal,
                                       QStringLiteral("operador"));
        Glob().NombrePC = Terminal;
        Glob().UsuarioActual = Usuario;
        Glob().RutaSistema = dir.path() + QLatin1Char('/');
        Glob().Conexion = prueba::Conectar(Usuario, Clave);
        ASSERT_TRUE(Glob().Conexion->Abierta());
    }
    void TearDown() override {
        otras.clear();
        Glob() = EstadoSesion();
        ConexionBase::IdentidadCliente(QString());
    }

    // Otra sesión del usuario, como la vería el servidor.
    ConexionBase* Otra(const QString& programa, const QString& terminal, const QString& usuarioSo,
                       const QString& proceso) {
        otras.push_back(prueba::Conectar(Usuario, Clave));
        ConexionBase* c = otras.back().get();
        EXPECT_TRUE(c->Ejecutar(QStringLiteral("SET application_name = '%1;%2;%3;%4'")
                                    .arg(programa, terminal, usuarioSo, proceso)));
        EXPECT_TRUE(c->Confirmar());
        return c;
    }
    static bool Viva(ConexionBase* c) {
        Recordset rs;
        return c->Consultar(QStringLiteral("SELECT 1 FROM dual"), rs);
    }

    QTemporaryDir dir;
    DialogosGuion ui;
    std::vector<std::unique_ptr<ConexionBase>> otras;
};

TEST_F(Sesiones, ConexionesDelMismoProcesoNoSonDuplicadas) {
    otras.push_back(prueba::Conectar(Usuario, Clave)); // misma identidad y proceso
    EXPECT_FALSE(SesionDuplicada(Usuario));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
}

TEST_F(Sesiones, SinFilaPropiaEnLaVistaSeUsaElProcesoInformado) {
    otras.push_back(prueba::Conectar(Usuario, Clave));
    // La vista de esta sesión no la muestra a ella misma.
    ASSERT_TRUE(Glob().Conexion->Ejecutar(
        QStringLiteral("CREATE TEMP VIEW vis_conecciones AS SELECT * FROM public.vis_conecciones "
                       "WHERE nro_session <> pg_backend_pid()")));
    Recordset propia;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QStringLiteral("SELECT COUNT(*) FROM vis_conecciones WHERE nro_session = pg_backend_pid()"),
        propia));
    ASSERT_EQ(propia.Valor(0).toInt(), 0);
    EXPECT_FALSE(SesionDuplicada(Usuario));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
}

TEST_F(Sesiones, OtraTerminalSeInformaYNoSeTermina) {
    ConexionBase* otra = Otra("Tesoreria.exe", "OTRA-PC", "jperez", "4711");
    EXPECT_TRUE(SesionDuplicada(Usuario));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].titulo, "Usuario Conectado");
    EXPECT_EQ(ui.mensajes[0].Mensaje, Texto208("jperez", "OTRA-PC", "Tesoreria.exe"));
    EXPECT_TRUE(Viva(otra));
}

TEST_F(Sesiones, MismaTerminalSinConfirmarNoTerminaNada) {
    ConexionBase* otra = Otra("Presupuesto.exe", Terminal, "operador", "5001");
    ui.respuestas = {7};
    EXPECT_TRUE(SesionDuplicada(Usuario));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].titulo, "Conexiones Abiertas");
    EXPECT_EQ(ui.mensajes[0].Mensaje,
              "El usuario MRV_DUPLICADO tiene otras conexiones abiertas en esta terminal:"
              "\r     Programa [Presupuesto.exe]\r\n\r\n¿Desea cerrarlas para continuar?");
    EXPECT_TRUE(Viva(otra));
}

TEST_F(Sesiones, MismaTerminalConfirmadaSeTerminanTodas) {
    ConexionBase* a = Otra("Presupuesto.exe", Terminal, "operador", "5001");
    ConexionBase* b = Otra("Tesoreria.exe", Terminal, "operador", "5002:77");
    ui.respuestas = {6};
    EXPECT_FALSE(SesionDuplicada(Usuario)) << ui.Textos().join(" / ").toStdString();
    ASSERT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join(" / ").toStdString();
    // Cada fila antepone un retorno a toda la lista.
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains("\r\r     Programa ["));
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains("Programa [Presupuesto.exe]"));
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains("Programa [Tesoreria.exe]"));
    EXPECT_FALSE(Viva(a));
    EXPECT_FALSE(Viva(b));
    EXPECT_TRUE(Viva(Glob().Conexion.get()));
    EXPECT_EQ(arranque::Filas("SELECT COUNT(*) FROM vis_conecciones WHERE nombre_usuario='" +
                              Usuario + "'"),
              QStringList{"1"});
}

// Una sesión que no se deja terminar: después del fin de sesiones se mira
// una sola vez, sin esperas en el hilo de la ventana, y se informa 208.
TEST_F(Sesiones, SeMiraUnaSolaVezDespuesDeTerminarLasSesiones) {
    // Para esta conexión la vista muestra además una sesión que no existe.
    ASSERT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral(
        "CREATE TEMP VIEW vis_conecciones AS SELECT 999999 AS nro_session, '7777'::varchar AS "
        "nro_proceso, 'MRV_DUPLICADO'::varchar AS nombre_usuario, 'operador'::varchar AS "
        "usuario_so, 'PC-PRUEBA'::varchar AS terminal, 'Fantasma.exe'::varchar AS programa, "
        "999999 AS sid, 0::bigint AS serial UNION ALL SELECT * FROM public.vis_conecciones")));
    Glob().SeguimientoSql = true;
    ui.respuestas = {6};
    EXPECT_TRUE(SesionDuplicada(Usuario));
    ASSERT_EQ(ui.mensajes.size(), 3u) << ui.Textos().join(" / ").toStdString();
    EXPECT_EQ(ui.mensajes[0].titulo, "Conexiones Abiertas");
    EXPECT_EQ(ui.mensajes[2].Mensaje, Texto208("operador", Terminal, "Fantasma.exe"));
    // La consulta de las otras sesiones: antes de preguntar y una vez después.
    QString traza;
    QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            traza += QString::fromUtf8(f.readAll());
    }
    EXPECT_EQ(traza.count("SELECT usuario_so,terminal,programa FROM vis_conecciones"), 2)
        << traza.toStdString();
}

TEST_F(Sesiones, ExclusionDelProcesoPropio) {
    for (const char* proceso : {"4711", "4711:1", "4711:2", "47110:3"})
        Otra("Otro.exe", "OTRA-PC", "jperez", QLatin1String(proceso));
    const auto procesos = [&](const QString& propio) {
        QStringList f =
            arranque::Filas("SELECT nro_proceso FROM vis_conecciones WHERE nombre_usuario='" +
                            Usuario + "' AND " + CondicionProcesoPropio(propio));
        f.removeAll(NumeroProceso()); // la conexión principal de la prueba
        f.sort();
        return f;
    };
    EXPECT_EQ(procesos("4711"), (QStringList{"47110:3", "4711:1", "4711:2"}));
    EXPECT_EQ(procesos("4711:9"), (QStringList{"4711", "47110:3"}));
}

// El arranque completo: con otra sesión en la misma terminal y "Si", la
// termina y sigue; desde otra terminal se detiene sin escribir auditoría.
class ArranqueConSesiones : public Sesiones {
protected:
    void SetUp() override {
        Sesiones::SetUp();
        FijarCarpetaInstancia(dir.path());
    }
    void TearDown() override {
        SoltarInstancia();
        FijarCarpetaInstancia(QString());
        Sesiones::TearDown();
    }
    QString Linea() const { return Usuario + " " + Clave + " " + dir.path() + "/ 1.0.0"; }
};

TEST_F(ArranqueConSesiones, MismaTerminalConfirmadaSigue) {
    ConexionBase* otra = Otra("Presupuesto.exe", NombreEquipo(), "operador", "5001");
    Glob().Conexion.reset();
    ui.respuestas = {6};
    EXPECT_TRUE(Main(Linea())) << ui.Textos().join(" / ").toStdString();
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EXPECT_FALSE(Viva(otra));
}

TEST_F(ArranqueConSesiones, OtraTerminalDetieneElArranque) {
    Otra("Tesoreria.exe", "OTRA-PC", "jperez", "4711");
    Glob().Conexion.reset();
    const qint64 antes = arranque::FilasAuditoria(Usuario);
    EXPECT_FALSE(Main(Linea()));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, Texto208("jperez", "OTRA-PC", "Tesoreria.exe"));
    EXPECT_EQ(arranque::FilasAuditoria(Usuario), antes);
}

} // namespace
