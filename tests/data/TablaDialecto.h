#pragma once
// Tabla de casos del dialecto del sustituto: lo que manda el programa, cómo
// se adapta y qué da en el servidor. La prueba sin base mira la adaptación;
// la prueba con el servidor corre cada caso sobre las tablas de Preparacion.
#include "Dialecto.h"
#include <QStringList>
#include <vector>

namespace dialecto {

// Tablas temporales de la sesión de prueba. Los hermanos se cargan en un
// orden físico distinto del de su contenido.
inline const QStringList Preparacion = {
    QStringLiteral("CREATE TEMP TABLE t (id integer, padre integer, x varchar(20), "
                   "f timestamp(0))"),
    QStringLiteral("INSERT INTO t (id, padre, x) VALUES (1, NULL, 'raiz'), (4, 1, 'd'), "
                   "(2, 1, 'b'), (3, 2, 'c'), (5, NULL, 'otra')"),
    QStringLiteral("CREATE TEMP VIEW vt AS SELECT id, padre, x FROM t"),
    QStringLiteral("CREATE TEMP TABLE ciclo (id integer, padre integer)"),
    QStringLiteral("INSERT INTO ciclo VALUES (1, 3), (2, 1), (3, 2)"),
    QStringLiteral("CREATE TEMP TABLE bitacora (n integer, f timestamp(0))"),
    QStringLiteral("CREATE TEMP SEQUENCE seq"),
};

struct Caso {
    QString sql;
    // Pasos de la adaptación: el texto enviado, "COMMIT" o "ROLLBACK" de la
    // conexión, o el rechazo. Vacío: el texto exacto no se mira aquí.
    QStringList pasos = {};
    long error = 0;         // número de Oracle que da en el servidor; 0: anda
    QStringList filas = {}; // de una consulta, campos unidos por "|"; vacío: no se miran
};

inline QString Rechazo(const QString& forma) {
    return QStringLiteral("RECHAZO: ") + Rechazar(forma).rechazo;
}

// Los pasos de una adaptación, como en Caso::pasos.
inline QStringList Pasos(const SentenciaAdaptada& a) {
    if (!a.rechazo.isEmpty())
        return {QStringLiteral("RECHAZO: ") + a.rechazo};
    QStringList r;
    auto agregar = [&r](const SentenciaAdaptada& p) {
        if (!p.sinEnvio)
            r << p.texto;
        if (p.confirmarDespues)
            r << QStringLiteral("COMMIT");
        if (p.deshacer)
            r << QStringLiteral("ROLLBACK");
    };
    agregar(a);
    for (const SentenciaAdaptada& p : a.siguientes)
        agregar(p);
    return r;
}

inline const std::vector<Caso>& Casos() {
    const QString do_ = QStringLiteral("DO $miravel$");
    const QString fin = QStringLiteral("$miravel$");
    static const std::vector<Caso> casos = {
        // Lo que no es una forma de Oracle conocida queda idéntico.
        {"SELECT 'COMMIT; sysdate OWNER.seq.nextval \"ABC\"' FROM dual",
         {"SELECT 'COMMIT; sysdate OWNER.seq.nextval \"ABC\"' FROM dual"},
         0,
         {"COMMIT; sysdate OWNER.seq.nextval \"ABC\""}},
        {"SELECT x FROM t -- sysdate y \"OWNER_SARVO\"\nWHERE id = 1",
         {"SELECT x FROM t -- sysdate y \"OWNER_SARVO\"\nWHERE id = 1"},
         0,
         {"raiz"}},
        {"SELECT /* BEGIN x; COMMIT; END; */ 1 FROM dual",
         {"SELECT /* BEGIN x; COMMIT; END; */ 1 FROM dual"},
         0,
         {"1"}},
        {"UPDATE t SET x = x WHERE x = 'CONNECT BY PRIOR a=b START WITH'",
         {"UPDATE t SET x = x WHERE x = 'CONNECT BY PRIOR a=b START WITH'"}},

        // Secuencias, fecha del servidor y su aritmética en días.
        {"SELECT seq.nextval, seq.currval FROM dual",
         {"SELECT nextval('seq'), currval('seq') FROM dual"}},
        {"SELECT \"OWNER_SARVO\".cod_audit_seq.NEXTVAL FROM dual",
         {"SELECT nextval('\"owner_sarvo\".cod_audit_seq') FROM dual"}},
        {"SELECT sysdate FROM dual", {"SELECT LOCALTIMESTAMP(0) AS sysdate FROM dual"}},
        {"SELECT COUNT(*) FROM dual WHERE sysdate - 1 < sysdate AND sysdate-0.5 < sysdate",
         {"SELECT COUNT(*) FROM dual WHERE LOCALTIMESTAMP(0) - 1 < LOCALTIMESTAMP(0) AND "
          "LOCALTIMESTAMP(0)-0.5 < LOCALTIMESTAMP(0)"},
         0,
         {"1"}},
        {"SELECT TO_CHAR(TRUNC(sysdate), 'HH24:MI:SS'), CASE WHEN TRUNC(sysdate + 1) - 1 = "
         "TRUNC(sysdate) THEN 'si' END FROM dual",
         {},
         0,
         {"00:00:00|si"}},
        {"INSERT INTO bitacora (n, f) VALUES (0, sysdate + 0.5)",
         {"INSERT INTO bitacora (n, f) VALUES (0, LOCALTIMESTAMP(0) + 0.5)"}},

        // Identificadores entre comillas en mayúsculas, literales q'...',
        // comentarios con "/*" adentro y tipos de Oracle.
        {"SELECT \"CONTENIDO\" FROM \"OWNER_SARVO\".\"CONFIG\" WHERE \"NOMBRE_PARAMETRO\" = "
         "'OWNER_DB'",
         {"SELECT \"contenido\" FROM \"owner_sarvo\".\"config\" WHERE \"nombre_parametro\" = "
          "'OWNER_DB'"},
         0,
         {"OWNER_SARVO"}},
        {"SELECT q'[it's sysdate]', Nq'{ya}' FROM dual",
         {"SELECT 'it''s sysdate', N'ya' FROM dual"},
         0,
         {"it's sysdate|ya"}},
        {"SELECT /* a /* b */ 1 FROM dual", {"SELECT /* a / * b */ 1 FROM dual"}, 0, {"1"}},
        {"SELECT CAST(2.25 AS NUMBER(4,2)), CAST('ab' AS VARCHAR2(5 CHAR)) FROM dual",
         {"SELECT CAST(2.25 AS numeric(4,2)), CAST('ab' AS varchar(5 )) FROM dual"},
         0,
         {"2.25|ab"}},

        // COMMIT y ROLLBACK: de la conexión, también los de un bloque.
        {"COMMIT", {"COMMIT"}},
        {"rollback work;", {"ROLLBACK"}},
        {"BEGIN UPDATE t SET x = x WHERE id = 1; COMMIT; END;",
         {do_ + "BEGIN UPDATE t SET x = x WHERE id = 1; END" + fin, "COMMIT"}},
        {"BEGIN INSERT INTO bitacora (n) VALUES (1); COMMIT; INSERT INTO bitacora (n) "
         "VALUES (2); ROLLBACK; END;",
         {do_ + "BEGIN INSERT INTO bitacora (n) VALUES (1); END" + fin, "COMMIT",
          do_ + "BEGIN INSERT INTO bitacora (n) VALUES (2); END" + fin, "ROLLBACK"}},
        {"BEGIN ROLLBACK; INSERT INTO bitacora (n) VALUES (3); COMMIT; END;",
         {"ROLLBACK", do_ + "BEGIN INSERT INTO bitacora (n) VALUES (3); END" + fin, "COMMIT"}},
        {"BEGIN IF 1 = 1 THEN COMMIT; END IF; END;",
         {Rechazo("COMMIT o ROLLBACK dentro de IF, LOOP, CASE, un bloque interno o la sección "
                  "EXCEPTION")}},
        {"BEGIN UPDATE t SET x = x; COMMIT; EXCEPTION WHEN OTHERS THEN NULL; END;",
         {Rechazo("COMMIT o ROLLBACK en un bloque con EXCEPTION")}},
        {"DECLARE n NUMBER; BEGIN n := 1; COMMIT; n := 2; END;",
         {Rechazo("COMMIT o ROLLBACK en medio de un bloque con DECLARE")}},

        // Llamadas a procedimientos dentro de un bloque.
        {"BEGIN OWNER_SARVO.ges_bloquear_usuario('x', 1); pg_catalog.pg_stat_clear_snapshot; "
         "END;",
         {do_ +
          "BEGIN PERFORM OWNER_SARVO.ges_bloquear_usuario('x', 1); PERFORM "
          "pg_catalog.pg_stat_clear_snapshot(); END" +
          fin}},
        {"begin for i in 1..2 loop OWNER_SARVO.ges_bloquear_usuario('y', i); end loop; end;",
         {do_ +
          "begin for i in 1..2 loop PERFORM OWNER_SARVO.ges_bloquear_usuario('y', i); end "
          "loop; end" +
          fin}},
        {"BEGIN OWNER_SARVO.probar_error_aplicacion(20101); END;",
         {do_ + "BEGIN PERFORM OWNER_SARVO.probar_error_aplicacion(20101); END" + fin},
         20101},
        {"BEGIN RAISE_APPLICATION_ERROR(-20113, 'fuera de horario'); END;", {}, 20113},

        // DECLARE: tipos de Oracle, cursores y SELECT INTO con una fila exacta.
        {"DECLARE cuenta NUMBER(5); v VARCHAR2(10) := 'a'; BEGIN SELECT COUNT(*) INTO cuenta "
         "FROM t; INSERT INTO bitacora (n) VALUES (cuenta); END;",
         {do_ +
          "DECLARE cuenta numeric(5); v varchar(10) := 'a'; BEGIN SELECT COUNT(*) INTO STRICT "
          "cuenta FROM t; INSERT INTO bitacora (n) VALUES (cuenta); END" +
          fin}},
        {"DECLARE v VARCHAR2(20); BEGIN SELECT x INTO v FROM t WHERE id = -1; END;", {}, 1403},
        {"DECLARE v VARCHAR2(20); BEGIN SELECT x INTO v FROM t; END;", {}, 1422},
        {"DECLARE CURSOR c IS SELECT id FROM t; BEGIN FOR r IN c LOOP NULL; END LOOP; END;",
         {do_ +
          "DECLARE  c CURSOR FOR SELECT id FROM t; BEGIN FOR r IN c LOOP NULL; END "
          "LOOP; END" +
          fin}},
        {"BEGIN UPDATE t SET x = x WHERE id = 0; EXCEPTION WHEN OTHERS THEN NULL; END;",
         {do_ + "BEGIN UPDATE t SET x = x WHERE id = 0; EXCEPTION WHEN OTHERS THEN NULL; END" +
          fin}},
        {"BEGIN UPDATE t SET x = '$miravel$' WHERE id = 0; END;",
         {"DO $miravel1$BEGIN UPDATE t SET x = '$miravel$' WHERE id = 0; END$miravel1$"}},

        // Rol protegido y fin de sesión: las funciones del sustituto.
        {"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol",
         {"SELECT public.establecer_rol('ALTERAR_SISTEMA','pernol')"},
         1031},
        {"ALTER SYSTEM kill SESSION '1,2'", {"SELECT public.terminar_sesion('1,2')"}, -1},

        // Consultas jerárquicas: hermanos por su contenido (no por el orden
        // físico), vistas, SELECT * sin columnas de más, ciclos y NOCYCLE.
        {"SELECT x, level FROM vt START WITH padre IS NULL CONNECT BY PRIOR id = padre",
         {},
         0,
         {"raiz|1", "b|2", "c|3", "d|2", "otra|1"}},
        {"SELECT * FROM t WHERE id < 5 START WITH id = 1 CONNECT BY PRIOR id = padre",
         {},
         0,
         {"1|<nulo>|raiz|<nulo>", "2|1|b|<nulo>", "3|2|c|<nulo>", "4|1|d|<nulo>"}},
        {"SELECT x FROM t START WITH padre IS NULL CONNECT BY PRIOR id = padre ORDER SIBLINGS "
         "BY x DESC",
         {},
         0,
         {"raiz", "d", "b", "c", "otra"}},
        {"SELECT m.x FROM t m WHERE level > 1 START WITH m.padre IS NULL CONNECT BY m.padre = "
         "PRIOR m.id",
         {},
         0,
         {"b", "c", "d"}},
        {"SELECT COUNT(*) FROM t START WITH padre IS NULL CONNECT BY PRIOR id = padre",
         {},
         0,
         {"5"}},
        {"SELECT id FROM ciclo START WITH id = 1 CONNECT BY PRIOR id = padre", {}, 1436},
        {"SELECT id, level FROM ciclo START WITH id = 1 CONNECT BY NOCYCLE PRIOR id = padre",
         {},
         0,
         {"1|1", "2|2", "3|3"}},
        {"SELECT t.x FROM t, vt START WITH t.id = 1 CONNECT BY PRIOR t.id = t.padre",
         {Rechazo("CONNECT BY sobre más de una tabla, una subconsulta o una junta")}},
        {"SELECT COUNT(*) FROM dual WHERE 1 IN (SELECT id FROM t START WITH id = 1 CONNECT BY "
         "PRIOR id = padre)",
         {Rechazo("CONNECT BY dentro de una subconsulta")}},
        {"SELECT x, CONNECT_BY_ISLEAF FROM t START WITH id = 1 CONNECT BY PRIOR id = padre",
         {Rechazo("CONNECT_BY_ISLEAF en una consulta jerárquica")}},
    };
    return casos;
}

} // namespace dialecto
