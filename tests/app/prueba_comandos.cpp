// Los tres comandos de soporte abren la sesión como el programa, como
// procesos aparte contra el servidor privado (y el programa, para los fallos
// de conexión): un usuario inhabilitado, una
// clave mala o un usuario sin la tarea no llegan a correr nada del comando; sin
// origen de datos, con uno vacío o con el servidor detenido dicen en
// castellano qué falló, con los archivos de configuración ODBC que se leyeron
// y el servidor, y lo anotan en el registro de errores.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include <QDeadlineTimer>
#include <QDirIterator>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

struct Corrida {
    int estado = -1;
    QStringList lineas; // salida estándar
};

// Un comando con su forma de pedir algo que, si corriera, dejaría rastro:
// una fila en la salida (miravel-sql) o un archivo (los otros dos).
struct Comando {
    const char* nombre;
    QString programa;
    // Argumentos después de USUARIO CLAVE para escribir `salida`.
    std::function<QStringList(const QString& salida)> argumentos;
    QString entrada; // la entrada estándar
};

const QString Rastro = QStringLiteral("rastro-del-comando");

std::vector<Comando> Comandos() {
    return {
        {"miravel-sql", QStringLiteral(MIRAVEL_SQL), [](const QString&) { return QStringList(); },
         QStringLiteral("SELECT '") + Rastro + QStringLiteral("' FROM dual\n")},
        {"miravel-reporte", QStringLiteral(MIRAVEL_REPORTE),
         [](const QString& salida) {
             return QStringList{QStringLiteral("MRV_TipoCompra.rpt"), QStringLiteral("--sql"),
                                QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA"),
                                QStringLiteral("--pdf"), salida};
         },
         QString()},
        {"miravel-exportar", QStringLiteral(MIRAVEL_EXPORTAR),
         [](const QString& salida) {
             return QStringList{QStringLiteral("107"), QStringLiteral("30/06/2024"),
                                QStringLiteral("--generar"), QStringLiteral("--salida"), salida};
         },
         QString()},
    };
}

Corrida Correr(const Comando& c, const QStringList& args, const QProcessEnvironment& entorno) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(c.programa, args);
    EXPECT_TRUE(p.waitForStarted());
    p.write(c.entrada.toUtf8());
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(120000));
    Corrida r;
    r.estado = p.exitCode();
    r.lineas =
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return r;
}

// Todo el texto de los registros de errores de sentencias de una instalación.
QString RegistroErrores(const QString& instalacion) {
    QString texto;
    for (QDirIterator it(instalacion + QStringLiteral("/LogsFiles/Errores Sql"), QDir::Files);
         it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            texto += QString::fromUtf8(f.readAll());
    }
    return texto;
}

class SesionDeComandos : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        for (const char* r : {"Miravel/Reportes/Formato85/MRV_TipoCompra.rpt",
                              "Miravel/Reportes/Formato85/MRV_Ingresos.rpt",
                              "Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT"})
            ASSERT_TRUE(prueba::EscribirArchivo(
                dir.filePath(QLatin1String(r)),
                prueba::LeerArchivo(prueba::ArchivoInstalado(QLatin1String(r)))));
        entorno = QProcessEnvironment::systemEnvironment();
        entorno.insert(QStringLiteral("MIRAVEL_RUTA_SISTEMA"), dir.path());
    }
    QTemporaryDir dir;
    QProcessEnvironment entorno;
};

TEST_F(SesionDeComandos, ElUsuarioSeValidaComoEnElProgramaAntesQueNadaDelComando) {
    const QString seguridad = QStringLiteral(" | Comuníquese con el Administrador de Seguridad.");
    struct Caso {
        QString usuario, clave;
        int estado;
        QString mensaje; // la línea MENSAJE
    };
    const Caso comunes[] = {
        {prueba::UsuarioInhabilitado, prueba::ClaveInhabilitado, 2,
         "MENSAJE Usuario Inhabilitado: El usuario se encuentra inhabilitado." + seguridad},
        {prueba::UsuarioHabilitado, "mala", 2,
         "MENSAJE Error al Conectarse a la Base: El Nombre/Contraseña son Incorrectos"},
        {"MRV_SINREGISTRO", "sinregistro", 2,
         "MENSAJE Usuario Inexistente: El usuario no está registrado en el Sistema de "
         "Seguridad." +
             seguridad},
    };
    // Sin la tarea: la consola no tiene tarea, pide el menú de Miravel; el
    // reporte y la estadística de Ingresos, el derecho a esa tarea.
    const Caso sinTarea[] = {
        {"MRV_SINMENU", "sinmenu", 2,
         "MENSAJE Usuario sin Menú: El usuario no tiene menú asignado para este sistema." +
             seguridad},
        {"MRV_O'HIGGINS", "a;b}c=d", 1,
         "MENSAJE miravel-reporte: El usuario MRV_O'HIGGINS no tiene acceso a la tarea 108 "
         "(Ingresos)"},
        {"MRV_O'HIGGINS", "a;b}c=d", 1,
         "MENSAJE miravel-exportar: El usuario MRV_O'HIGGINS no tiene acceso a la tarea 108 "
         "(Ingresos)"},
    };
    const auto comandos = Comandos();
    for (size_t i = 0; i < comandos.size(); ++i) {
        const Comando& c = comandos[i];
        std::vector<Caso> casos(std::begin(comunes), std::end(comunes));
        casos.push_back(sinTarea[i]);
        for (const Caso& caso : casos) {
            SCOPED_TRACE(std::string(c.nombre) + " " + caso.usuario.toStdString());
            const QString salida = dir.filePath(QStringLiteral("salida.pdf"));
            QStringList args = c.argumentos(salida);
            if (caso.estado == 1) // la tarea que no tiene: Ingresos
                args.replaceInStrings(QStringLiteral("MRV_TipoCompra.rpt"),
                                      QStringLiteral("MRV_Ingresos.rpt"))
                    .replaceInStrings(QRegularExpression(QStringLiteral("^107$")),
                                      QStringLiteral("108"));
            const Corrida r = Correr(c, QStringList{caso.usuario, caso.clave} + args, entorno);
            EXPECT_EQ(r.estado, caso.estado);
            EXPECT_EQ(r.lineas, QStringList{caso.mensaje});
            EXPECT_FALSE(QFile::exists(salida));
        }
        // El mismo pedido con un usuario habilitado sí deja su rastro.
        const QString salida = dir.filePath(QStringLiteral("bien.pdf"));
        const Corrida bien = Correr(
            c,
            QStringList{prueba::UsuarioHabilitado, prueba::ClaveHabilitado} + c.argumentos(salida),
            entorno);
        EXPECT_EQ(bien.estado, 0) << c.nombre << ": " << bien.lineas.join('|').toStdString();
        EXPECT_TRUE(bien.lineas.contains(Rastro) || QFile::exists(salida)) << c.nombre;
    }
}

TEST_F(SesionDeComandos, SinOrigenDeDatosOServidorLoDicenEnCastellano) {
    // Una configuración ODBC propia: los drivers de la del servidor privado, el
    // archivo del usuario vacío y el del sistema con cada caso.
    const QString odbc = dir.filePath(QStringLiteral("odbc"));
    QDir().mkpath(odbc);
    const QString drivers = qEnvironmentVariable("ODBCSYSINI") + QStringLiteral("/odbcinst.ini");
    ASSERT_TRUE(prueba::EscribirArchivo(odbc + QStringLiteral("/odbcinst.ini"),
                                        prueba::LeerArchivo(drivers)));
    const QString delUsuario = odbc + QStringLiteral("/usuario.ini");
    const QString delSistema = odbc + QStringLiteral("/odbc.ini");
    QString real = QString::fromUtf8(prueba::LeerArchivo(qEnvironmentVariable("ODBCINI")));
    const QString sinServidor = dir.filePath(QStringLiteral("sin-servidor"));
    const QRegularExpression servidor(QStringLiteral("(?im)^\\s*servername\\s*=.*$"));
    ASSERT_TRUE(real.contains(servidor));
    const QString puerto =
        QRegularExpression(QStringLiteral("(?im)^\\s*port\\s*=\\s*(\\d+)")).match(real).captured(1);
    ASSERT_FALSE(puerto.isEmpty());
    const QString parado = QString(real).replace(servidor, "Servername = " + sinServidor);

    QProcessEnvironment propio = entorno;
    propio.insert(QStringLiteral("ODBCSYSINI"), odbc);
    propio.insert(QStringLiteral("ODBCINI"), delUsuario);
    // Los archivos que lee el administrador de drivers, según su propia herramienta.
    QProcess odbcinst;
    odbcinst.setProcessEnvironment(propio);
    odbcinst.start(QStringLiteral("odbcinst"), {QStringLiteral("-j")});
    ASSERT_TRUE(odbcinst.waitForFinished());
    const QString j = QString::fromUtf8(odbcinst.readAllStandardOutput());
    auto archivo = [&j](const char* rotulo) {
        return QRegularExpression(QLatin1String(rotulo) + QStringLiteral("\\.*:\\s*(\\S+)"))
            .match(j)
            .captured(1);
    };
    ASSERT_EQ(archivo("SYSTEM DATA SOURCES"), delSistema) << j.toStdString();
    ASSERT_EQ(archivo("USER DATA SOURCES"), delUsuario) << j.toStdString();

    struct Caso {
        const char* nombre;
        QString odbcIni;
        QString motivo;   // comienzo del mensaje
        QString servidor; // cómo se nombra el servidor
    };
    const Caso casos[] = {
        {"sin origen de datos", "[Otra]\nDriver = PostgreSQL Unicode\n",
         "No está definido el origen de datos ODBC \"Oracle\".",
         "Servidor: no lo indica el origen de datos."},
        {"origen de datos vacío", "[Oracle]\n",
         "En " + delSistema + ", el origen de datos ODBC \"Oracle\" no dice qué driver usar",
         "Servidor: no lo indica el origen de datos."},
        {"servidor detenido", parado,
         "No contesta el servidor de la base de datos que indica el origen de datos ODBC "
         "\"Oracle\"",
         "Servidor: " + sinServidor + ", puerto " + puerto + "."},
    };
    const QString archivos =
        "Archivos de configuración ODBC leídos: " + delUsuario + ", " + delSistema;
    for (const Comando& c : Comandos()) {
        for (const Caso& caso : casos) {
            SCOPED_TRACE(std::string(c.nombre) + ": " + caso.nombre);
            ASSERT_TRUE(prueba::EscribirArchivo(delSistema, caso.odbcIni.toUtf8()));
            QTemporaryDir instalacion;
            propio.insert(QStringLiteral("MIRAVEL_RUTA_SISTEMA"), instalacion.path());
            const QString salida = dir.filePath(QStringLiteral("no.pdf"));
            const Corrida r =
                Correr(c,
                       QStringList{prueba::UsuarioHabilitado, prueba::ClaveHabilitado} +
                           c.argumentos(salida),
                       propio);
            EXPECT_EQ(r.estado, 2);
            ASSERT_EQ(r.lineas.size(), 1) << r.lineas.join('\n').toStdString();
            const QString& m = r.lineas[0];
            EXPECT_TRUE(m.startsWith("MENSAJE Error al Conectarse a la Base: " + caso.motivo))
                << m.toStdString();
            EXPECT_TRUE(m.contains(archivos)) << m.toStdString();
            EXPECT_TRUE(m.contains(caso.servidor)) << m.toStdString();
            EXPECT_FALSE(m.contains(QStringLiteral("unixODBC"))) << m.toStdString();
            // El registro de errores lo anota, sin la clave.
            const QString registro = RegistroErrores(instalacion.path());
            EXPECT_TRUE(registro.contains(caso.motivo)) << registro.toStdString();
            EXPECT_TRUE(registro.contains(QStringLiteral("Conexión : Provider=MSDASQL;;DSN=Oracle;"
                                                         "UID=DEMO;PWD=********")))
                << registro.toStdString();
            EXPECT_FALSE(QFile::exists(salida));
        }
    }

    // El programa muestra lo mismo en su ventana de mensajes (y se queda
    // esperando a la persona): el registro de errores lo dice.
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        ASSERT_TRUE(prueba::EscribirArchivo(delSistema, caso.odbcIni.toUtf8()));
        QTemporaryDir instalacion;
        QProcess miravel;
        // Su propia carpeta de ejecución: otra copia del programa abierta por
        // el mismo usuario no lo detiene en "La aplicación está activa".
        QTemporaryDir ejecucion;
        QProcessEnvironment delPrograma = propio;
        delPrograma.insert(QStringLiteral("XDG_RUNTIME_DIR"), ejecucion.path());
        miravel.setProcessEnvironment(delPrograma);
        miravel.start(QStringLiteral(MIRAVEL), {QStringLiteral("DEMO"), QStringLiteral("demo"),
                                                instalacion.path() + "/", QStringLiteral("1.0.0")});
        ASSERT_TRUE(miravel.waitForStarted());
        QDeadlineTimer plazo(60000);
        QString registro;
        while (!(registro = RegistroErrores(instalacion.path())).contains("Servidor: ") &&
               !plazo.hasExpired())
            QThread::msleep(100);
        miravel.kill();
        miravel.waitForFinished();
        EXPECT_TRUE(registro.contains("Mensaje  : " + caso.motivo)) << registro.toStdString();
        EXPECT_TRUE(registro.contains(archivos)) << registro.toStdString();
        EXPECT_TRUE(registro.contains(caso.servidor)) << registro.toStdString();
    }
}

} // namespace
