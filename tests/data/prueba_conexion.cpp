// Conexión ODBC contra el servidor privado: apertura, transacción, cada forma
// del dialecto ejecutada de verdad y los errores vistos como Oracle.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "Dialecto.h"
#include "ErroresOracle.h"
#include <QDateTime>
#include <QElapsedTimer>
#include <QSysInfo>
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

QString CadenaDemo() {
    return ArmarCadenaODBC(QStringLiteral("DEMO"), DerivarClave("demo"));
}

QString PrimerError(const ConexionBase& c) {
    return c.Errores().empty() ? QString() : c.Errores()[0].descripcion;
}

// Primer valor de la consulta como texto; "<error: ...>" o "<sin filas>" si no hay.
QString Valor(ConexionBase& c, const QString& sql) {
    Recordset rs;
    if (!c.Consultar(sql, rs))
        return QLatin1String("<error: ") + PrimerError(c) + QLatin1Char('>');
    return rs.Eof() ? QStringLiteral("<sin filas>") : rs.Valor(0).toString();
}

// Claves propias de este proceso en prueba_claves: las pruebas corren en paralelo.
int Clave(int n) {
    return 2000000 + int(getpid() % 100000) * 10 + n;
}
QString Sql(const char* plantilla, int n) {
    return QString::fromUtf8(plantilla).arg(Clave(n));
}

class Conexion : public ::testing::Test {
protected:
    void SetUp() override {
        c = prueba::Conectar();
        otra = prueba::Conectar();
        ASSERT_TRUE(c->Abierta() && otra->Abierta());
        Limpiar();
    }
    void TearDown() override {
        c.reset(); // deshace lo pendiente y suelta los bloqueos
        Limpiar();
    }
    void Limpiar() {
        if (!otra || !otra->Abierta())
            return;
        otra->Ejecutar(
            Sql("DELETE FROM owner_sarvo.prueba_claves WHERE id BETWEEN %1 AND %1 + 9", 0));
        otra->Confirmar();
    }
    bool OtraVe(int n) {
        return Valor(*otra, Sql("SELECT count(*) FROM owner_sarvo.prueba_claves WHERE id=%1", n)) ==
               "1";
    }
    std::unique_ptr<ConexionBase> c, otra;
};

} // namespace

TEST(CadenaOdbc, CitaSoloLoQueHaceFaltaYNoDejaInyectarAtributos) {
    EXPECT_EQ(CitarValorOdbc("Mdemoomed"), "Mdemoomed");
    EXPECT_EQ(CitarValorOdbc("a b"), "a b");
    EXPECT_EQ(CitarValorOdbc(""), "");
    EXPECT_EQ(CitarValorOdbc("x;UID=otro"), "{x;UID=otro}");
    EXPECT_EQ(CitarValorOdbc("a}b{"), "{a}}b{}");
    EXPECT_EQ(CitarValorOdbc("k=v"), "{k=v}");
    EXPECT_EQ(CitarValorOdbc(" borde"), "{ borde}");

    EXPECT_EQ(CadenaOdbcDesdeSistema("Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=Mdemoomed"),
              "DSN=Oracle;UID=DEMO;PWD=Mdemoomed");
    // Un valor entre llaves es uno solo aunque tenga ';' o '}}'.
    EXPECT_EQ(CadenaOdbcDesdeSistema("Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=" +
                                     CitarValorOdbc("p;DSN=Otra;UID=X") + ";"),
              "DSN=Oracle;UID=DEMO;PWD={p;DSN=Otra;UID=X}");
    EXPECT_EQ(CadenaOdbcDesdeSistema("DSN=Oracle;PWD={a}}b};UID=u"), "DSN=Oracle;PWD={a}}b};UID=u");
    EXPECT_EQ(CadenaOdbcDesdeSistema("provider=MSDASQL.1;DSN=Oracle;PWD={abc}"),
              "DSN=Oracle;PWD=abc");
}

TEST(AbrirConexion, RechazosConElNumeroDeOracle) {
    ASSERT_TRUE(prueba::HayServidor()) << "falta el servidor privado: ver scripts/basedatos";
    ConexionBase c;
    EXPECT_FALSE(c.Abrir("Provider=MSDAORA.1;User ID=DEMO;Password=x;Data Source=ORCL"));
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_TRUE(PrimerError(c).contains("MSDAORA.1"));
    EXPECT_TRUE(PrimerError(c).contains("no está disponible"));
    EXPECT_FALSE(c.Abierta());

    EXPECT_FALSE(c.Abrir(ArmarCadenaODBC("DEMO", "ClaveMala")));
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_EQ(c.Errores()[0].nativo, 1017) << PrimerError(c).toStdString();
    EXPECT_FALSE(c.Abierta());

    // Una clave con ';' no agrega atributos: es la clave (incorrecta) de DEMO.
    EXPECT_FALSE(c.Abrir("Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=" +
                         CitarValorOdbc("x;UID=CONTROL_SARVO;PWD=tramonel")));
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_EQ(c.Errores()[0].nativo, 1017);
    EXPECT_TRUE(PrimerError(c).contains("\"DEMO\""));

    // Servidor inalcanzable: no disponible.
    EXPECT_FALSE(c.Abrir("Provider=MSDASQL;;DRIVER={PostgreSQL Unicode};Servername=/tmp/"
                         "miravel-no-existe;Port=1;Database=x;UID=DEMO;PWD=x"));
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_EQ(c.Errores()[0].nativo, 1034) << PrimerError(c).toStdString();

    // Sin abrir, nada se ejecuta y el motivo queda en Errores().
    Recordset rs;
    EXPECT_FALSE(c.Ejecutar("SELECT 1 FROM dual"));
    EXPECT_FALSE(c.Consultar("SELECT 1 FROM dual", rs));
    EXPECT_FALSE(rs.Abierto());
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_EQ(c.Errores()[0].nativo, 3114);
    c.Cerrar(); // sin efecto

    ASSERT_TRUE(c.Abrir(CadenaDemo())) << PrimerError(c).toStdString();
    EXPECT_EQ(c.NombreGestor(), "PostgreSQL");
    EXPECT_EQ(Valor(c, "SELECT session_user FROM dual"), "DEMO");
}

TEST(AbrirConexion, UnServidorQueNoContestaNoCuelgaAlPrograma) {
    // Acepta la conexión y nunca responde.
    const int mudo = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(mudo, 0);
    sockaddr_in direccion{};
    direccion.sin_family = AF_INET;
    direccion.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t largo = sizeof direccion;
    ASSERT_EQ(bind(mudo, reinterpret_cast<sockaddr*>(&direccion), largo), 0);
    ASSERT_EQ(listen(mudo, 4), 0);
    ASSERT_EQ(getsockname(mudo, reinterpret_cast<sockaddr*>(&direccion), &largo), 0);

    ConexionBase c;
    QElapsedTimer reloj;
    reloj.start();
    EXPECT_FALSE(c.Abrir(QStringLiteral("Provider=MSDASQL;;DRIVER={PostgreSQL Unicode};"
                                        "Servername=127.0.0.1;Port=%1;Database=x;UID=DEMO;PWD=x")
                             .arg(ntohs(direccion.sin_port))));
    // Se rinde a los pocos segundos (sin plazo esperaría para siempre).
    EXPECT_LT(reloj.elapsed(), 60000);
    ASSERT_FALSE(c.Errores().empty());
    EXPECT_EQ(c.Errores()[0].nativo, 1034) << PrimerError(c).toStdString();
    close(mudo);
}

// Los errores de una sesión que se perdió, con el número de Oracle de una
// conexión perdida, vengan por SQLSTATE o solo en el mensaje del driver.
TEST(ErroresOracle, SesionPerdida) {
    EXPECT_EQ(NumeroOracleDePostgres("57P01", "terminating connection due to administrator command",
                                     false),
              28);
    EXPECT_EQ(NumeroOracleDePostgres("HY000",
                                     "server closed the connection unexpectedly\n\tThis probably "
                                     "means the server terminated abnormally",
                                     true),
              3113);
    EXPECT_EQ(
        NumeroOracleDePostgres("08S01", "SQLExecDirect unable due to the connection lost", false),
        3114);
    EXPECT_EQ(NumeroOracleDePostgres("HY000", "no connection to the server\n", false), 3114);
    EXPECT_EQ(NumeroOracleDePostgres("HY000", "division by zero", false), -1);
    for (const long n : {28L, 1012L, 3113L, 3114L, 3135L})
        EXPECT_TRUE(EsConexionPerdida(n)) << n;
    for (const long n : {-1L, 1L, 1017L, 1033L, 1034L})
        EXPECT_FALSE(EsConexionPerdida(n)) << n;
}

TEST(AbrirConexion, InformaLaIdentidadDelCliente) {
    const QString pid = QString::number(getpid());
    EXPECT_EQ(ConexionBase::AplicacionCliente(),
              "Miravel;" + QSysInfo::machineHostName() + ";" +
                  QString::fromLocal8Bit(getpwuid(geteuid())->pw_name) + ";" + pid);
    struct Restaurar {
        ~Restaurar() { ConexionBase::IdentidadCliente("Miravel"); }
    } restaurar;
    ConexionBase::IdentidadCliente("Miravel", "PC-PRUEBA", "operador");
    auto c = prueba::Conectar();
    const QString propia = "(SELECT USERENV('SESSIONID') FROM DUAL)::integer";
    Recordset rs;
    ASSERT_TRUE(c->Consultar("SELECT programa, terminal, usuario_so, nro_proceso FROM "
                             "vis_conecciones WHERE nro_session = " +
                                 propia,
                             rs))
        << PrimerError(*c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Valor("programa").toString(), "Miravel");
    EXPECT_EQ(rs.Valor("terminal").toString(), "PC-PRUEBA");
    EXPECT_EQ(rs.Valor("usuario_so").toString(), "operador");
    EXPECT_EQ(rs.Valor("nro_proceso").toString(), pid);

    ConexionBase::IdentidadCliente("Miravel", QString(80, 'T'), "operador");
    EXPECT_EQ(ConexionBase::AplicacionCliente().toUtf8().size(), 63);
}

TEST_F(Conexion, ConfirmaYDeshaceComoOracle) {
    ASSERT_TRUE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 1)));
    EXPECT_FALSE(OtraVe(1)); // transacción abierta
    ASSERT_TRUE(c->Ejecutar("COMMIT"));
    EXPECT_TRUE(OtraVe(1));

    // El bloque anónimo confirma de verdad al terminar.
    ASSERT_TRUE(c->Ejecutar(
        Sql("BEGIN INSERT INTO owner_sarvo.prueba_claves(id, texto) VALUES (%1, 'bloque'); "
            "UPDATE owner_sarvo.prueba_claves SET texto='x' WHERE id=%1; COMMIT; END;",
            2)))
        << PrimerError(*c).toStdString();
    EXPECT_TRUE(OtraVe(2));

    ASSERT_TRUE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 3)));
    ASSERT_TRUE(c->Ejecutar(" rollback ;"));
    EXPECT_FALSE(OtraVe(3));

    // Una sentencia fallida deshace solo esa sentencia: lo anterior sigue en la
    // transacción y la siguiente funciona.
    ASSERT_TRUE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 4)));
    EXPECT_FALSE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 4)));
    EXPECT_FALSE(c->Ejecutar("BEGIN UPDATE noexiste SET x=1; COMMIT; END;"));
    ASSERT_TRUE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 5)))
        << PrimerError(*c).toStdString();
    ASSERT_TRUE(c->Confirmar());
    EXPECT_TRUE(OtraVe(4));
    EXPECT_TRUE(OtraVe(5));

    // Cerrar deshace lo pendiente.
    ASSERT_TRUE(c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 6)));
    c->Cerrar();
    EXPECT_FALSE(c->Abierta());
    EXPECT_FALSE(OtraVe(6));
}

TEST_F(Conexion, ErroresConNumeroDeOracleYDescripcionDelDriver) {
    auto falla = [&](const QString& sql, bool procedimiento = false) -> ErrorBase {
        const bool ok = procedimiento ? c->EjecutarProcedimiento(sql) : c->Ejecutar(sql);
        EXPECT_FALSE(ok) << sql.toStdString();
        EXPECT_FALSE(c->Errores().empty()) << sql.toStdString();
        return c->Errores().empty() ? ErrorBase() : c->Errores()[0];
    };
    ASSERT_TRUE(
        c->Ejecutar(Sql("INSERT INTO owner_sarvo.prueba_claves(id, importe) VALUES (%1, 1.5)", 1)));
    const ErrorBase dup = falla(Sql("INSERT INTO owner_sarvo.prueba_claves(id) VALUES (%1)", 1));
    EXPECT_EQ(dup.nativo, 1);
    EXPECT_EQ(dup.sqlstate, "23505");
    EXPECT_TRUE(dup.descripcion.contains("prueba_claves_pkey"));

    const ErrorBase tabla = falla("SELECT * FROM owner_sarvo.noexiste");
    EXPECT_EQ(tabla.nativo, 942);
    EXPECT_TRUE(tabla.descripcion.contains("noexiste")) << tabla.descripcion.toStdString();
    EXPECT_NE(tabla.numero, tabla.nativo); // el número del driver queda aparte

    EXPECT_EQ(falla("SELECT owner_sarvo.probar_error_aplicacion(20113) FROM dual").nativo, 20113);
    EXPECT_EQ(falla("OWNER_SARVO.probar_error_aplicacion(20121)", true).nativo, 20121);
    EXPECT_EQ(falla("OWNER_SARVO.procedimiento_inexistente(1)", true).nativo, 6550);
    EXPECT_EQ(
        falla("BEGIN INSERT INTO owner_sarvo.prueba_claves VALUES (1 'x'); COMMIT; END;").nativo,
        6550);
    EXPECT_EQ(falla("SELECT columna_inexistente FROM dual").nativo, 904);
    EXPECT_EQ(
        falla(Sql("UPDATE owner_sarvo.prueba_claves SET importe=123456 WHERE id=%1", 1)).nativo,
        1438);
    EXPECT_EQ(falla("INSERT INTO owner_sarvo.prueba_hijos(id, padre) VALUES (-1, -1)").nativo,
              1400);
    EXPECT_EQ(
        falla("INSERT INTO owner_sarvo.prueba_hijos(id, padre, dato) VALUES (-1, -12345, 'x')")
            .nativo,
        2292);

    // Fila bloqueada por otra sesión.
    ASSERT_TRUE(c->Ejecutar("COMMIT"));
    ASSERT_TRUE(c->Ejecutar(Sql("UPDATE owner_sarvo.prueba_claves SET texto='b' WHERE id=%1", 1)));
    EXPECT_FALSE(otra->Ejecutar(
        Sql("SELECT * FROM owner_sarvo.prueba_claves WHERE id=%1 FOR UPDATE NOWAIT", 1)));
    ASSERT_FALSE(otra->Errores().empty());
    EXPECT_EQ(otra->Errores()[0].nativo, 54);

    // Los errores se limpian con la siguiente operación que funciona.
    EXPECT_TRUE(c->Ejecutar("UPDATE owner_sarvo.prueba_claves SET texto=texto WHERE id=-1"));
    EXPECT_TRUE(c->Errores().empty());
}

TEST_F(Conexion, ProcedimientoConEscapeOdbcDescartaElResultado) {
    ASSERT_TRUE(c->Ejecutar("CREATE TEMP TABLE llamadas_prueba (n integer)"));
    ASSERT_TRUE(c->Ejecutar("CREATE FUNCTION pg_temp.proc_prueba(n integer) RETURNS void LANGUAGE "
                            "sql AS 'INSERT INTO llamadas_prueba VALUES (n)'"));
    ASSERT_TRUE(c->Ejecutar("CREATE FUNCTION pg_temp.filas_prueba() RETURNS SETOF integer "
                            "LANGUAGE sql AS 'SELECT generate_series(1, 5000)'"));
    EXPECT_TRUE(c->EjecutarProcedimiento("pg_temp.proc_prueba(7)"))
        << PrimerError(*c).toStdString();
    EXPECT_TRUE(c->EjecutarProcedimiento("pg_temp.filas_prueba"));
    EXPECT_TRUE(c->EjecutarProcedimiento("pg_temp.proc_prueba(8)"));
    EXPECT_EQ(Valor(*c, "SELECT string_agg(n::text, ',' ORDER BY n) FROM llamadas_prueba"), "7,8");
}

TEST_F(Conexion, FormasDelDialectoEnElServidor) {
    const qlonglong a =
        Valor(*c, "SELECT OWNER_SARVO.cod_audit_seq.nextval FROM dual").toLongLong();
    const qlonglong b =
        Valor(*c, "SELECT owner_sarvo.cod_audit_seq.NEXTVAL FROM dual").toLongLong();
    EXPECT_GT(a, 0);
    EXPECT_GT(b, a);

    Recordset rs;
    ASSERT_TRUE(c->Consultar("SELECT sysdate FROM dual", rs)) << PrimerError(*c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.NombreCampo(0).toUpper(), "SYSDATE");
    const QDateTime ahora = rs.Valor("SYSDATE").toDateTime();
    EXPECT_LT(qAbs(ahora.secsTo(QDateTime::currentDateTime())), 120);
    EXPECT_EQ(ahora.time().msec(), 0);

    ASSERT_TRUE(c->Ejecutar(Sql(
        "INSERT INTO \"OWNER_SARVO\".\"PRUEBA_CLAVES\" (\"ID\", \"TEXTO\") VALUES (%1, 'comillas')",
        1)))
        << PrimerError(*c).toStdString();
    EXPECT_EQ(Valor(*c, Sql("SELECT \"TEXTO\" FROM \"OWNER_SARVO\".prueba_claves WHERE id=%1", 1)),
              "comillas");
}

TEST_F(Conexion, ConsultaJerarquicaConLaSemanticaDeOracle) {
    ASSERT_TRUE(c->Ejecutar("CREATE TEMP TABLE menu_prueba (menu varchar(10), item integer, "
                            "titulo varchar(20), menu_hijo varchar(10), sistema varchar(5))"));
    // Orden físico = orden de inserción; las raíces y los submenús se cargan desordenados.
    ASSERT_TRUE(c->Ejecutar("INSERT INTO menu_prueba VALUES "
                            "('C', 1, 'C uno', NULL, 'S'), ('Z', 1, 'Suelto', NULL, 'S'), "
                            "('A', 1, 'Uno', NULL, 'S'), ('A', 2, 'Sub B', 'B', 'S'), "
                            "('B', 1, 'B uno', NULL, 'S'), ('B', 2, 'Sub C', 'C', 'X'), "
                            "('A', 3, 'Tres', NULL, 'S')"));
    const QString sql = "SELECT titulo,level AS nro_nivel,menu,menu_hijo FROM menu_prueba WHERE "
                        "sistema='S'  START WITH menu = (SELECT 'A' FROM dual)  CONNECT BY PRIOR "
                        "menu_hijo=menu ";
    Recordset rs;
    ASSERT_TRUE(c->Consultar(sql, rs)) << PrimerError(*c).toStdString();
    QStringList filas;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        filas << rs.Valor("titulo").toString() + "/" + rs.Valor("NRO_NIVEL").toString();
    // "Sub C" no pasa el WHERE, pero su submenú sigue en el árbol.
    EXPECT_EQ(filas, QStringList({"Uno/1", "Sub B/1", "B uno/2", "C uno/3", "Tres/1"}));

    // Un ciclo es el error de Oracle (ORA-01436): ni filas repetidas ni una consulta colgada.
    ASSERT_TRUE(c->Ejecutar("INSERT INTO menu_prueba VALUES ('C', 2, 'Vuelta', 'A', 'S')"));
    EXPECT_FALSE(c->Consultar(sql, rs));
    ASSERT_FALSE(c->Errores().empty());
    EXPECT_EQ(c->Errores()[0].nativo, 1436) << PrimerError(*c).toStdString();
}

TEST_F(Conexion, RolProtegidoYFinDeOtraSesion) {
    ConexionBase control;
    ASSERT_TRUE(control.Abrir(ArmarCadenaODBC(UsuarioControl, ClaveControl)))
        << PrimerError(control).toStdString();
    ASSERT_TRUE(control.IniciarTransaccion());

    const QString sid = Valor(*otra, "SELECT USERENV('SESSIONID') FROM DUAL");
    const QString serial = Valor(*c, "SELECT serial FROM vis_conecciones WHERE sid = " + sid);
    ASSERT_NE(serial.toLongLong(), 0) << serial.toStdString();
    const QString kill = "ALTER SYSTEM kill SESSION '" + sid + "," + serial + "'";

    EXPECT_FALSE(control.Ejecutar(kill)); // sin el rol no hay privilegio
    EXPECT_FALSE(control.Ejecutar("SET ROLE ALTERAR_SISTEMA IDENTIFIED BY otra"));
    ASSERT_FALSE(control.Errores().empty());
    EXPECT_EQ(control.Errores()[0].sqlstate, "28P01");
    ASSERT_TRUE(control.Ejecutar("SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol"))
        << PrimerError(control).toStdString();
    ASSERT_TRUE(control.Ejecutar(kill)) << PrimerError(control).toStdString();

    // las sesiones del servidor se leen una vez por transacción
    ASSERT_TRUE(c->Deshacer());
    EXPECT_EQ(Valor(*c, "SELECT count(*) FROM vis_conecciones WHERE sid = " + sid), "0");
    EXPECT_FALSE(otra->Ejecutar("SELECT 1 FROM dual"));
    ASSERT_FALSE(otra->Errores().empty());
    const long n = otra->Errores()[0].nativo;
    EXPECT_EQ(n, 28) << PrimerError(*otra).toStdString(); // ORA-00028: sesión terminada
    otra.reset();
}
