// Dialecto sin base: símbolos, cada forma adaptada y los números de error.
#include "Dialecto.h"
#include "TablaDialecto.h"
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

// Textos legibles en los mensajes de GoogleTest.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace {

std::unique_ptr<Dialecto> Pg() {
    return CrearDialecto(QStringLiteral("PostgreSQL"));
}

QString Adaptado(const QString& sql) {
    return Pg()->Adaptar(sql).texto;
}

QString Unir(const std::vector<SimboloSql>& s) {
    QString r;
    for (const auto& x : s)
        r += x.texto;
    return r;
}

} // namespace

TEST(Simbolos, DividenSinPerderNadaYRespetanComillasYComentarios) {
    const QString sql = QStringLiteral("SELECT 'it''s -- no' AS \"Col \"\"x\"\"\", a.b/*c'd*/-- "
                                       "fin 'x\n,1.5e3 FROM t;'sin cierre");
    const auto s = DividirEnSimbolos(sql);
    EXPECT_EQ(Unir(s), sql);
    QStringList literales, identificadores, comentarios;
    for (const auto& x : s) {
        if (x.clase == SimboloSql::Clase::Literal)
            literales << x.texto;
        else if (x.clase == SimboloSql::Clase::Identificador)
            identificadores << x.texto;
        else if (x.clase == SimboloSql::Clase::Comentario)
            comentarios << x.texto;
    }
    EXPECT_EQ(literales, QStringList({"'it''s -- no'", "'sin cierre"}));
    EXPECT_EQ(identificadores, QStringList({"\"Col \"\"x\"\"\""}));
    EXPECT_EQ(comentarios, QStringList({"/*c'd*/", "-- fin 'x"}));
    const auto numero = std::find_if(s.begin(), s.end(), [](const SimboloSql& x) {
        return x.clase == SimboloSql::Clase::Numero;
    });
    ASSERT_NE(numero, s.end());
    EXPECT_EQ(numero->texto, "1.5e3");

    // q'…' de Oracle: la comilla de adentro no cierra; sin cierre llega al final.
    const QString q = QStringLiteral("SELECT q'[it's]', NQ'<a>', '', q'!x!' , q'(sin");
    const auto sq = DividirEnSimbolos(q);
    EXPECT_EQ(Unir(sq), q);
    QStringList valores;
    for (const auto& x : sq)
        if (x.clase == SimboloSql::Clase::Literal)
            valores << ValorLiteral(x);
    EXPECT_EQ(valores, QStringList({"it's", "a", "", "x", "sin"}));
    EXPECT_EQ(ValorLiteral(DividirEnSimbolos("'a''b'")[0]), "a'b");
    EXPECT_EQ(ValorLiteral(DividirEnSimbolos("\"x\"\"y\"")[0]), "x\"y");
}

TEST(DialectoPostgreSQL, LoQueNoConoceQuedaIdentico) {
    for (const QString& sql :
         {QStringLiteral("SELECT 'COMMIT; sysdate OWNER.seq.nextval \"ABC\"' FROM dual"),
          QStringLiteral("SELECT x FROM t -- sysdate y \"OWNER_SARVO\"\nWHERE y = 1"),
          QStringLiteral("SELECT /* BEGIN x; COMMIT; END; */ 1 FROM dual"),
          QStringLiteral("UPDATE t SET nota = 'CONNECT BY PRIOR a=b START WITH' WHERE id = 1"),
          QStringLiteral("SELECT dual.sysdate, sysdate_bis, \"MixedCase\", t.nextval_x FROM t"),
          QStringLiteral("INSERT INTO t VALUES ('BEGIN', 'ROLLBACK')"), QStringLiteral("   ")}) {
        const SentenciaAdaptada a = Pg()->Adaptar(sql);
        EXPECT_EQ(a.texto, sql);
        EXPECT_FALSE(a.confirmarDespues || a.deshacer || a.sinEnvio || a.bloque)
            << sql.toStdString();
    }
    // Con Oracle detrás nada cambia, ni siquiera lo que PostgreSQL no acepta.
    const auto oracle = CrearDialecto(QStringLiteral("Oracle"));
    for (const QString& sql : {QStringLiteral("COMMIT"), QStringLiteral("SELECT sysdate FROM dual"),
                               QStringLiteral("BEGIN x; COMMIT; END;")}) {
        const SentenciaAdaptada a = oracle->Adaptar(sql);
        EXPECT_EQ(a.texto, sql);
        EXPECT_FALSE(a.sinEnvio || a.confirmarDespues);
    }
    EXPECT_EQ(oracle->AdaptarLlamada("OWNER.P(1)"), "OWNER.P(1)");
    // Al conectar, el programa no confirma nada con Oracle; solo el sustituto
    // necesita confirmar sus SET para que un ROLLBACK no los deshaga.
    EXPECT_FALSE(oracle->ParametrosSesionEnTransaccion());
    EXPECT_TRUE(Pg()->ParametrosSesionEnTransaccion());
}

TEST(DialectoPostgreSQL, TablaDeCasos) {
    for (const auto& c : dialecto::Casos()) {
        if (!c.pasos.isEmpty()) {
            EXPECT_EQ(dialecto::Pasos(Pg()->Adaptar(c.sql)), c.pasos) << c.sql.toStdString();
        }
    }
}

TEST(DialectoPostgreSQL, CadaPasoDeUnBloqueEsUnBloque) {
    const auto a = Pg()->Adaptar("BEGIN ROLLBACK; UPDATE t SET a = 1; COMMIT; x(1); END;");
    ASSERT_EQ(a.siguientes.size(), 2u);
    EXPECT_TRUE(a.sinEnvio && a.deshacer && !a.confirmarDespues);
    EXPECT_TRUE(a.siguientes[0].bloque && a.siguientes[0].confirmarDespues);
    EXPECT_TRUE(a.siguientes[1].bloque && !a.siguientes[1].confirmarDespues &&
                !a.siguientes[1].deshacer);
    EXPECT_EQ(a.siguientes[1].texto, "DO $miravel$BEGIN PERFORM x(1); END$miravel$");
    // Lo que no parece un bloque entero pasa tal cual: el servidor dirá qué falta.
    for (const QString& sql : {QStringLiteral("BEGIN x; END; y"), QStringLiteral("BEGIN x;")})
        EXPECT_EQ(Adaptado(sql), sql);
    // Asignaciones, sentencias y palabras clave no son llamadas.
    EXPECT_EQ(Adaptado("DECLARE v NUMBER; BEGIN v := f(1); v(2) := 3; NULL; a.b := 1; END;"),
              "DO $miravel$DECLARE v numeric; BEGIN v := f(1); v(2) := 3; NULL; a.b := 1; "
              "END$miravel$");
    // Lo que PL/pgSQL no tiene se rechaza nombrándolo.
    EXPECT_EQ(Pg()->Adaptar("DECLARE TYPE t IS TABLE OF NUMBER; BEGIN NULL; END;").rechazo,
              Rechazar("TYPE en la sección DECLARE").rechazo);
    EXPECT_EQ(Pg()->Adaptar("DECLARE e EXCEPTION; BEGIN NULL; END;").rechazo,
              Rechazar("excepción declarada en la sección DECLARE").rechazo);
    EXPECT_EQ(Pg()->Adaptar("BEGIN SELECT a BULK COLLECT INTO v FROM t; END;").rechazo,
              Rechazar("BULK COLLECT INTO").rechazo);
}

TEST(DialectoPostgreSQL, CommitYRollbackSueltosNoSeEnvian) {
    for (const QString& sql : {QStringLiteral("COMMIT"), QStringLiteral("  commit ; "),
                               QStringLiteral("COMMIT WORK"), QStringLiteral("Commit;")}) {
        const auto a = Pg()->Adaptar(sql);
        EXPECT_TRUE(a.sinEnvio && a.confirmarDespues && !a.deshacer) << sql.toStdString();
    }
    const auto r = Pg()->Adaptar(" ROLLBACK;");
    EXPECT_TRUE(r.sinEnvio && r.deshacer && !r.confirmarDespues);
    EXPECT_FALSE(Pg()->Adaptar("ROLLBACK TO SAVEPOINT a").sinEnvio);
}

TEST(DialectoPostgreSQL, SecuenciasFechaDelServidorEIdentificadores) {
    EXPECT_EQ(Adaptado("SELECT OWNER_SARVO.cod_audit_seq.nextval FROM dual"),
              "SELECT nextval('OWNER_SARVO.cod_audit_seq') FROM dual");
    EXPECT_EQ(Adaptado("SELECT \"OWNER_SARVO\".cod_audit_seq.NEXTVAL, seq.currval FROM dual"),
              "SELECT nextval('\"owner_sarvo\".cod_audit_seq'), currval('seq') FROM dual");
    // sysdate en la lista conserva el nombre de la columna; en otro lugar no lleva alias.
    EXPECT_EQ(Adaptado("SELECT sysdate FROM dual"),
              "SELECT LOCALTIMESTAMP(0) AS sysdate FROM dual");
    EXPECT_EQ(Adaptado("SELECT 1, SYSDATE x FROM t WHERE f < sysdate-1"),
              "SELECT 1, LOCALTIMESTAMP(0) x FROM t WHERE f < LOCALTIMESTAMP(0)-1");
    EXPECT_EQ(Adaptado("INSERT INTO t VALUES (1, sysdate, 2)"),
              "INSERT INTO t VALUES (1, LOCALTIMESTAMP(0), 2)");
    EXPECT_EQ(Adaptado("SELECT \"CONTENIDO\" FROM \"OWNER_SARVO\".\"CONFIG\" WHERE \"Mixto\"=1"),
              "SELECT \"contenido\" FROM \"owner_sarvo\".\"config\" WHERE \"Mixto\"=1");
    EXPECT_EQ(Adaptado("SELECT \"ÑANDÚ_1\" FROM t"), "SELECT \"ñandú_1\" FROM t");
}

TEST(DialectoPostgreSQL, RolYFinDeSesion) {
    EXPECT_EQ(Adaptado("SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol"),
              "SELECT public.establecer_rol('ALTERAR_SISTEMA','pernol')");
    EXPECT_EQ(Adaptado("set role \"R\" identified by \"a'b\";"),
              "SELECT public.establecer_rol('R','a''b')");
    EXPECT_EQ(Adaptado("ALTER SYSTEM kill SESSION '123,456'"),
              "SELECT public.terminar_sesion('123,456')");
    EXPECT_EQ(Adaptado("alter system kill session '1,2' immediate;"),
              "SELECT public.terminar_sesion('1,2')");
    // Otras formas de SET ROLE van tal cual.
    EXPECT_EQ(Adaptado("SET ROLE NONE"), "SET ROLE NONE");
}

TEST(DialectoPostgreSQL, ConsultaJerarquicaPasaARecursiva) {
    const QString menu = QStringLiteral(
        "SELECT titulo,level AS nro_nivel,menu,menu_hijo,LTRIM(TO_CHAR(item,'00')) AS item  FROM "
        "OWNER_SARVO.menues WHERE sistema='Miravel'  START WITH menu = (SELECT menu FROM "
        "OWNER_SARVO.usuario_menu WHERE sistema='Miravel' AND usuario='DEMO')  CONNECT BY PRIOR "
        "menu_hijo=menu ");
    const QString t = Adaptado(menu);
    EXPECT_TRUE(t.startsWith("WITH RECURSIVE ")) << t.toStdString();
    // La fila entera con el tipo de la tabla: sirve igual para una vista.
    const QString fila = QStringLiteral("ROW(menues.*)::OWNER_SARVO.menues");
    EXPECT_FALSE(t.contains("ctid"));
    // Raíces por START WITH sobre la tabla entera; el WHERE va afuera, al final.
    EXPECT_TRUE(t.contains("FROM OWNER_SARVO.menues menues WHERE menu = (SELECT menu FROM "
                           "OWNER_SARVO.usuario_menu WHERE sistema='Miravel' AND usuario='DEMO')"));
    EXPECT_TRUE(t.contains("ON ((miravel_p.miravel_fila).menu_hijo=menu)"));
    // Hermanos por el contenido de la fila; un antepasado repetido es un ciclo.
    EXPECT_TRUE(t.contains("ORDER BY " + fila + ")"));
    EXPECT_TRUE(t.contains("public.connect_by_control(" + fila + ", miravel_p.miravel_filas)"));
    EXPECT_TRUE(t.contains("SELECT titulo,miravel_j.miravel_nivel AS nro_nivel,menu"));
    EXPECT_TRUE(t.endsWith("CROSS JOIN LATERAL (SELECT (miravel_j.miravel_fila).*) menues WHERE "
                           "sistema='Miravel' ORDER BY miravel_j.miravel_orden"));

    // Con alias, SELECT *, PRIOR a la derecha, NOCYCLE y ORDER SIBLINGS BY.
    const QString a = Adaptado("SELECT * FROM t m START WITH m.p IS NULL CONNECT BY NOCYCLE "
                               "m.p = PRIOR m.id ORDER SIBLINGS BY m.x DESC, level;");
    EXPECT_TRUE(a.contains("ON (m.p = (miravel_p.miravel_fila).id) AND NOT ROW(m.*)::t = ANY "
                           "(miravel_p.miravel_filas)"))
        << a.toStdString();
    EXPECT_FALSE(a.contains("connect_by_control"));
    EXPECT_TRUE(a.contains("PARTITION BY miravel_p.miravel_orden ORDER BY m.x DESC, 1)"));
    EXPECT_TRUE(a.contains(") SELECT m.* FROM miravel_jerarquia miravel_j"));
    EXPECT_TRUE(a.endsWith("ORDER BY miravel_j.miravel_orden"));

    // Lo que no se adapta se rechaza nombrando la forma.
    for (const auto& [sql, forma] : std::vector<std::pair<QString, QString>>{
             {"SELECT a FROM t START WITH a=1 CONNECT BY PRIOR a=b UNION SELECT 1 FROM dual",
              "CONNECT BY combinado con UNION"},
             {"SELECT a FROM t START WITH a=1 CONNECT BY PRIOR a=(SELECT 1 FROM dual)",
              "subconsulta en CONNECT BY"},
             {"SELECT a FROM t START WITH a=1 CONNECT BY PRIOR (a+1)=b",
              "PRIOR sobre una expresión que no es una columna"},
             {"SELECT a FROM t CONNECT BY PRIOR a=b ORDER SIBLINGS BY 1",
              "ORDER SIBLINGS BY con número de columna"},
             {"SELECT SYS_CONNECT_BY_PATH(a, '/') FROM t CONNECT BY PRIOR a=b",
              "SYS_CONNECT_BY_PATH en una consulta jerárquica"}}) {
        EXPECT_EQ(Pg()->Adaptar(sql).rechazo, Rechazar(forma).rechazo) << sql.toStdString();
    }
}

TEST(DialectoPostgreSQL, LlamadasAProcedimientos) {
    const auto pg = Pg();
    EXPECT_EQ(pg->AdaptarLlamada("OWNER_SARVO.GES_GENERA_TIPO_COMPRA(5,2024,'01/02/2024')"),
              "OWNER_SARVO.GES_GENERA_TIPO_COMPRA(5,2024,'01/02/2024')");
    EXPECT_EQ(pg->AdaptarLlamada(" \"OWNER_SARVO\".P(sysdate);"),
              "\"owner_sarvo\".P(LOCALTIMESTAMP(0))");
    EXPECT_EQ(pg->AdaptarLlamada("OWNER_SARVO.SIN_ARGUMENTOS"), "OWNER_SARVO.SIN_ARGUMENTOS()");
}

TEST(DialectoPostgreSQL, NumerosDeOracle) {
    const auto pg = Pg();
    const struct {
        const char* estado;
        long numero;
    } casos[] = {{"23505", 1},     {"55P03", 54},    {"42703", 904},  {"23502", 1400},
                 {"22003", 1438},  {"23503", 2292},  {"42P01", 942},  {"U0101", 20101},
                 {"U0113", 20113}, {"u0123", 20123}, {"57P01", 28},   {"08S01", 3113},
                 {"XX000", -1},    {"P0001", -1},    {"P0002", 1403}, {"P0003", 1422},
                 {"U1436", 1436}};
    for (const auto& c : casos)
        EXPECT_EQ(pg->NumeroOracle(c.estado, 1, "ERROR: x"), c.numero) << c.estado;
    // En un bloque o una llamada, los errores de análisis son de compilación.
    EXPECT_EQ(pg->NumeroOracle("42601", 1, "syntax error", true), 6550);
    EXPECT_EQ(pg->NumeroOracle("42883", 1, "function x does not exist", true), 6550);
    EXPECT_EQ(pg->NumeroOracle("42P01", 1, "relation x does not exist", true), 6550);
    EXPECT_EQ(pg->NumeroOracle("23505", 1, "duplicate key", true), 1);
    EXPECT_NE(pg->NumeroOracle("42601", 1, "syntax error"), 6550);

    // Al conectar el motivo sale del mensaje del servidor.
    EXPECT_EQ(NumeroOracleConexion("08001", 101,
                                   "connection to server on socket \"/s\" failed: FATAL:  password "
                                   "authentication failed for user \"DEMO\""),
              1017);
    EXPECT_EQ(NumeroOracleConexion("08001", 101, "FATAL:  role \"NADIE\" does not exist"), 1017);
    EXPECT_EQ(NumeroOracleConexion("08001", 101, "FATAL:  the database system is starting up"),
              1033);
    EXPECT_EQ(NumeroOracleConexion("08001", 101, "FATAL:  the database system is shutting down"),
              1033);
    EXPECT_EQ(NumeroOracleConexion("08001", 101,
                                   "connection to server on socket \"/x\" failed: No such file or "
                                   "directory"),
              1034);
    EXPECT_EQ(NumeroOracleConexion("57P03", 0, "otro texto"), 1033);
    EXPECT_EQ(NumeroOracleConexion("28000", 1017,
                                   "[Oracle][ODBC][Ora]ORA-01017: invalid "
                                   "username/password; logon denied"),
              1017);
    EXPECT_EQ(NumeroOracleConexion("HY000", 0, "[Oracle][ODBC][Ora]ORA-12541: TNS:no listener"),
              12541);
    EXPECT_EQ(NumeroOracleConexion("IM002", 0, "Data source name not found"), -1);
}
