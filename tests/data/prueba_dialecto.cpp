// Dialecto sin base: símbolos, cada forma adaptada y los números de error.
#include "Dialecto.h"
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>

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

TEST(DialectoPostgreSQL, BloqueConCommitPasaADoYConfirmaDespues) {
    const auto a = Pg()->Adaptar(
        "BEGIN UPDATE OWNER_SARVO.auditoria SET estado='A' WHERE salida IS NULL AND x='COMMIT;'; "
        "COMMIT; END;");
    EXPECT_EQ(a.texto, "DO $miravel$BEGIN UPDATE OWNER_SARVO.auditoria SET estado='A' WHERE salida "
                       "IS NULL AND x='COMMIT;';  END$miravel$");
    EXPECT_TRUE(a.confirmarDespues);
    EXPECT_TRUE(a.bloque);
    EXPECT_FALSE(a.sinEnvio || a.deshacer);

    // Las sentencias del bloque también se adaptan; una marca ocupada se cambia.
    const auto b = Pg()->Adaptar("begin insert into t values (s.seq.nextval, sysdate, '$miravel$');"
                                 " commit work ; end ;");
    EXPECT_EQ(b.texto, "DO $miravel1$begin insert into t values (nextval('s.seq'), "
                       "LOCALTIMESTAMP(0), '$miravel$');  end$miravel1$");
    EXPECT_TRUE(b.confirmarDespues);

    const auto c = Pg()->Adaptar("BEGIN DELETE FROM t; END;");
    EXPECT_EQ(c.texto, "DO $miravel$BEGIN DELETE FROM t; END$miravel$");
    EXPECT_FALSE(c.confirmarDespues);
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
    // raíces por START WITH sobre la tabla entera; el WHERE va afuera, al final
    EXPECT_TRUE(t.contains("FROM OWNER_SARVO.menues menues WHERE menu = (SELECT menu FROM "
                           "OWNER_SARVO.usuario_menu WHERE sistema='Miravel' AND usuario='DEMO')"));
    EXPECT_TRUE(t.contains("ON (miravel_padre.menu_hijo=miravel_hijo.menu)"));
    EXPECT_TRUE(t.contains("SELECT titulo,menues.miravel_nivel AS nro_nivel,menu"));
    EXPECT_TRUE(t.endsWith("WHERE sistema='Miravel' ORDER BY menues.miravel_camino"));

    // La condición con PRIOR a la derecha y un alias.
    const QString a = Adaptado("SELECT m.x, level FROM t m START WITH m.p IS NULL "
                               "CONNECT BY m.p = PRIOR m.id ORDER BY m.x");
    EXPECT_TRUE(a.contains("ON (miravel_hijo.p = miravel_padre.id)")) << a.toStdString();
    EXPECT_TRUE(a.endsWith("FROM miravel_jerarquia m ORDER BY m.x"));

    // Varias tablas u ORDER SIBLINGS: no se adapta.
    const QString varias = QStringLiteral("SELECT * FROM a, b START WITH x=1 CONNECT BY PRIOR y=z");
    EXPECT_EQ(Adaptado(varias), varias);
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
    } casos[] = {{"23505", 1},     {"55P03", 54},    {"42703", 904}, {"23502", 1400},
                 {"22003", 1438},  {"23503", 2292},  {"42P01", 942}, {"U0101", 20101},
                 {"U0113", 20113}, {"u0123", 20123}, {"57P01", 28},  {"08S01", 3113},
                 {"XX000", -1},    {"P0001", -1}};
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
