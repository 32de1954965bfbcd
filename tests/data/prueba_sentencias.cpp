// Camino de las sentencias contra el servidor privado: modos visible y
// silencioso, marcas de seguimiento, sentencias lentas, puntero y parámetros.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "DialogosGuion.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Sentencias : public prueba::ConSesion {
protected:
    QString LeerTodo(const QString& carpeta) const {
        QString todo;
        QDir d(dir.path() + QLatin1String("/LogsFiles/") + carpeta);
        for (const QString& f : d.entryList(QDir::Files)) {
            QFile archivo(d.filePath(f));
            if (archivo.open(QIODevice::ReadOnly))
                todo += QString::fromUtf8(archivo.readAll());
        }
        return todo;
    }
};

TEST(ConsultaOrdenada, ArmaElOrdenComoElSistema) {
    const QString s = QStringLiteral("SELECT * FROM t");
    EXPECT_EQ(ArmarConsultaOrdenada(s, QStringLiteral("nombre"), 1),
              s + QStringLiteral(" ORDER BY nombre  DESC"));
    EXPECT_EQ(ArmarConsultaOrdenada(s, QStringLiteral("id"), 0),
              s + QStringLiteral(" ORDER BY id  ASC"));
    EXPECT_EQ(ArmarConsultaOrdenada(s, QStringLiteral("fecha desc"), 0),
              s + QStringLiteral(" ORDER BY fecha desc"));
    EXPECT_EQ(ArmarConsultaOrdenada(s, QStringLiteral("fecha ASC  "), 1),
              s + QStringLiteral(" ORDER BY fecha ASC  "));
    EXPECT_EQ(ArmarConsultaOrdenada(s, QStringLiteral("codigo"), 1),
              s + QStringLiteral(" ORDER BY codigo  DESC"));
    EXPECT_EQ(ArmarConsultaOrdenada(s, QString(), 1), s);
    const QString ordenada = QStringLiteral("select a from t Order By a");
    EXPECT_EQ(ArmarConsultaOrdenada(ordenada, QStringLiteral("b"), 0), ordenada);
}

TEST(Claves, DerivacionYCadenas) {
    EXPECT_EQ(InvertirCadena(QStringLiteral("abc")), QStringLiteral("cba"));
    EXPECT_EQ(DerivarClave(QStringLiteral("demo")), QStringLiteral("Mdemoomed"));
    EXPECT_EQ(DerivarClave(QString()).size(), 1);
    EXPECT_EQ(DerivarClave(QStringLiteral("año1")).size(), 9);
    EXPECT_EQ(ArmarCadenaODBC(QStringLiteral("DEMO"), QStringLiteral("Mx")),
              QStringLiteral("Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=Mx"));
    // Un ";" en la clave no agrega atributos a la cadena.
    EXPECT_EQ(ArmarCadenaODBC(QStringLiteral("DEMO"), QStringLiteral("a;UID=X")),
              QStringLiteral("Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD={a;UID=X}"));
}

TEST_F(Sentencias, ErrorVisibleYSilencioso) {
    const QString mala = QStringLiteral("UPDATE OWNER_SARVO.tabla_que_no_existe SET x = 1");
    EXPECT_FALSE(EjecutarSQL(mala));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(Glob().UltimoErrorNativo, 942);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral(" Number: ")));
    EXPECT_TRUE(Glob().Conexion->Errores().empty());
    EXPECT_TRUE(LeerTodo(QStringLiteral("Errores Sql")).contains(mala));

    // Silencioso con -1: nada en pantalla, el número queda guardado.
    EXPECT_FALSE(EjecutarSQL(mala, false, -1));
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(Glob().UltimoErrorNativo, 942);
    EXPECT_TRUE(LeerTodo(QStringLiteral("Errores Sql"))
                    .contains(QStringLiteral("942 .Error que no Muestra Cartel.")));

    // El error esperado calla ese número; otro número se muestra igual.
    EXPECT_FALSE(EjecutarSQL(mala, false, 942));
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EXPECT_FALSE(EjecutarSQL(mala, false, 1));
    EXPECT_EQ(ui.mensajes.size(), 2u);
    // Sin error esperado y sin cartel, todo fallo es silencioso.
    EXPECT_FALSE(EjecutarSQL(mala, false));
    EXPECT_EQ(ui.mensajes.size(), 2u);

    EXPECT_TRUE(EjecutarSQL(
        QStringLiteral("UPDATE OWNER_SARVO.config SET descripcion = descripcion WHERE 1 = 0")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 0);
}

TEST_F(Sentencias, ConsultaQueCallaSuErrorEsperado) {
    Glob().SeguimientoSql = true;
    const QString sinFuncion =
        QStringLiteral("SELECT OWNER_SARVO.funcion_que_no_existe(1) AS x FROM DUAL");
    Recordset rs;
    // La función que falta (904) se calla y queda anotada; el recordset, cerrado.
    CargarRecordsetSinCartel(rs, sinFuncion, 904);
    EXPECT_FALSE(rs.Abierto());
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u'|').toStdString();
    EXPECT_EQ(Glob().UltimoErrorNativo, 904);
    EXPECT_TRUE(Glob().Conexion->Errores().empty());
    EXPECT_TRUE(LeerTodo(QStringLiteral("Errores Sql"))
                    .contains(QStringLiteral("904 .Error que no Muestra Cartel.")));
    // Otro error se muestra, con su marca en el seguimiento.
    const QString sinTabla = QStringLiteral("SELECT * FROM OWNER_SARVO.tabla_que_no_existe");
    CargarRecordsetSinCartel(rs, sinTabla, 904);
    EXPECT_FALSE(rs.Abierto());
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(Glob().UltimoErrorNativo, 942);
    EXPECT_TRUE(
        LeerTodo(QStringLiteral("Seguimiento")).contains(sinTabla + QStringLiteral(" ERROR:[")));
    // Bien: filas y el número en 0.
    CargarRecordsetSinCartel(rs, QStringLiteral("SELECT 7 AS x FROM DUAL"), 904);
    ASSERT_TRUE(rs.Abierto());
    EXPECT_EQ(rs.Valor(0).toInt(), 7);
    EXPECT_EQ(Glob().UltimoErrorNativo, 0);
    EXPECT_EQ(ui.mensajes.size(), 1u);
}

TEST_F(Sentencias, ClaveDuplicadaMuestraElCatalogo) {
    ASSERT_TRUE(
        EjecutarSQL(QStringLiteral("INSERT INTO OWNER_SARVO.prueba_claves VALUES (7001, 'uno')")));
    EXPECT_FALSE(
        EjecutarSQL(QStringLiteral("INSERT INTO OWNER_SARVO.prueba_claves VALUES (7001, 'dos')")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 1);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(Glob().UltimoMensaje, ui.mensajes[0].Mensaje);
    EXPECT_TRUE(Glob().Conexion->Errores().empty());
    // La transacción sigue viva: la fila anterior se ve y la conexión sirve.
    QString cuenta = QStringLiteral("//SELECT COUNT(*) FROM {prueba_claves} WHERE id = 7001");
    EXPECT_EQ(ValorSQL(cuenta, 0).value_or(-1).toInt(), 1);
}

TEST_F(Sentencias, SeguimientoConMarcaSoloEnLaFallida) {
    Glob().SeguimientoSql = true;
    EXPECT_FALSE(EjecutarSQL(QStringLiteral("DELETE FROM OWNER_SARVO.no_existe_tampoco")));
    EXPECT_TRUE(EjecutarSQL(
        QStringLiteral("UPDATE OWNER_SARVO.config SET contenido = contenido WHERE 1 = 0")));
    Recordset rs;
    CargarRecordset(rs, QStringLiteral("SELECT 1 FROM dual"), QString());
    EXPECT_TRUE(rs.Abierto());
    const QString traza = LeerTodo(QStringLiteral("Seguimiento"));
    // Los registros rotativos consultan la fecha del servidor: esa consulta
    // también se traza y aquí no interesa.
    QStringList bloques;
    for (const QString& b : traza.split(QStringLiteral("\n\n"), Qt::SkipEmptyParts))
        if (!b.contains(QStringLiteral("SELECT sysdate FROM dual")))
            bloques << b;
    ASSERT_EQ(bloques.size(), 3);
    EXPECT_TRUE(bloques[0].contains(QStringLiteral("no_existe_tampoco ERROR:[")));
    EXPECT_TRUE(bloques[0].contains(QStringLiteral(".EjecutarSQL")));
    EXPECT_FALSE(bloques[1].contains(QStringLiteral("ERROR:[")));
    EXPECT_TRUE(bloques[2].contains(QStringLiteral(".CargarRecordset")));
}

TEST_F(Sentencias, SentenciaLentaSegunElUmbral) {
    // Un segundo entero (1,2 s cuenta como 1) no pasa el umbral de 1: no es lenta.
    Glob().TimeoutSql = 1;
    EXPECT_TRUE(EjecutarSQL(QStringLiteral("SELECT pg_sleep(1.2)")));
    EXPECT_TRUE(LeerTodo(QStringLiteral("Sql")).isEmpty());
    // Con umbral 0 la misma duración sí lo pasa.
    Glob().TimeoutSql = 0;
    Recordset rs;
    CargarRecordset(rs, QStringLiteral("SELECT pg_sleep(1.2) FROM dual"), QString());
    const QString lentas = LeerTodo(QStringLiteral("Sql"));
    EXPECT_TRUE(lentas.contains(QStringLiteral("SQL  :SELECT pg_sleep(1.2) FROM dual")));
    EXPECT_TRUE(lentas.contains(QStringLiteral("Tardó:1s")));
}

TEST_F(Sentencias, PunteroDeRelojMientrasCorre) {
    ui.puntero = Puntero::Flecha;
    ui.punteros.clear();
    EXPECT_TRUE(EjecutarSQL(
        QStringLiteral("UPDATE OWNER_SARVO.config SET contenido = contenido WHERE 1 = 0")));
    ASSERT_GE(ui.punteros.size(), 2u);
    EXPECT_EQ(ui.punteros.front(), Puntero::Reloj);
    EXPECT_EQ(ui.puntero, Puntero::Flecha);
}

TEST_F(Sentencias, BloqueConCommitConfirmaDeVerdad) {
    auto otra = prueba::Conectar();
    ASSERT_TRUE(EjecutarSQL(
        QStringLiteral("BEGIN DELETE FROM OWNER_SARVO.prueba_claves WHERE id = 7101; INSERT INTO "
                       "OWNER_SARVO.prueba_claves VALUES (7101, 'confirmada'); COMMIT; END;")));
    Recordset rs;
    CargarRecordset(rs,
                    QStringLiteral("SELECT texto FROM OWNER_SARVO.prueba_claves WHERE id = 7101"),
                    QString(), otra.get());
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Valor(0).toString(), QStringLiteral("confirmada"));
    EXPECT_TRUE(
        EjecutarSQL(QStringLiteral("DELETE FROM OWNER_SARVO.prueba_claves WHERE id = 7101")));
    EXPECT_TRUE(EjecutarSQL(QStringLiteral("COMMIT")));
}

TEST_F(Sentencias, ProcedimientoConErrorDeAplicacion) {
    EXPECT_FALSE(EjecutarSQLSTP(AgregarOwner(QStringLiteral("probar_error_aplicacion(20113)"))));
    EXPECT_EQ(Glob().UltimoErrorNativo, 20113);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral("Módulo Horario")));
}

TEST_F(Sentencias, ParametrosDeConfiguracion) {
    QString owner;
    EXPECT_TRUE(LeerParametroConfig(owner, QStringLiteral("OWNER_DB"), 47));
    EXPECT_EQ(owner, QStringLiteral("OWNER_SARVO"));
    Cambiar(QStringLiteral("UPDATE owner_sarvo.config SET contenido = ' 17 ' "
                           "WHERE sistema = 'GDA' AND nombre_parametro = 'TIMEOUT_SQL'"));
    qint32 timeout = -5;
    EXPECT_TRUE(LeerParametroConfig(timeout, QStringLiteral("TIMEOUT_SQL"), 37));
    EXPECT_EQ(timeout, 17);
    EXPECT_TRUE(ui.mensajes.empty());
    // Un contenido que no es un entero de 16 bits cuenta como faltante.
    Cambiar(QStringLiteral("UPDATE owner_sarvo.config SET contenido = '70000' "
                           "WHERE sistema = 'GDA' AND nombre_parametro = 'TIMEOUT_SQL'"));
    qint16 corto = -5;
    EXPECT_FALSE(LeerParametroConfig(corto, QStringLiteral("TIMEOUT_SQL"), 37));
    EXPECT_EQ(corto, -5);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    ui.mensajes.clear();

    QString nada = QStringLiteral("sin cambio");
    EXPECT_FALSE(LeerParametroConfig(nada, QStringLiteral("NO_EXISTE_JAMAS"), 380, QString(),
                                     QStringLiteral("RPTORGANISMO")));
    EXPECT_EQ(nada, QStringLiteral("sin cambio"));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral("RPTORGANISMO")));

    // Con descripción crea la fila una sola vez; la comilla no rompe nada.
    const QString nombre = QStringLiteral("PRUEBA_O'HIGGINS");
    EXPECT_EQ(ObtenerParametro(QStringLiteral("Miravel"), nombre, QStringLiteral("a'b"),
                               QStringLiteral("Parámetro de prueba"), QStringLiteral("S")),
              QStringLiteral("a'b"));
    EXPECT_EQ(ObtenerParametro(QStringLiteral("miravel"), nombre.toLower(), QStringLiteral("otro"),
                               QStringLiteral("Parámetro de prueba"), QStringLiteral("S")),
              QStringLiteral("a'b"));
    QString cuenta = QStringLiteral(
        "//SELECT COUNT(*) FROM {CONFIG} WHERE nombre_parametro = 'PRUEBA_O''HIGGINS'");
    EXPECT_EQ(ValorSQL(cuenta, 0).value_or(-1).toInt(), 1);
    EXPECT_EQ(ObtenerParametro(QStringLiteral("GDA"), QStringLiteral("NO_ESTA"),
                               QStringLiteral("def"), QString(), QStringLiteral("N")),
              QStringLiteral("def"));
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EjecutarSQL(QStringLiteral("ROLLBACK"));
}

TEST_F(Sentencias, ConexionConClaveIncorrectaYParametrosDeSesion) {
    std::unique_ptr<ConexionBase> c;
    EXPECT_FALSE(
        ConectarBase(c, prueba::UsuarioHabilitado, QStringLiteral("incorrecta"), QString()));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, QStringLiteral("El Nombre/Contraseña son Incorrectos"));
    EXPECT_EQ(ui.mensajes[0].titulo, QStringLiteral("Error al Conectarse a la Base"));

    // Conexión buena: las sentencias de sesión corren (estilo de fecha día/mes/año).
    ASSERT_TRUE(ConectarBase(c, prueba::UsuarioHabilitado, prueba::ClaveHabilitado, QString()));
    EXPECT_EQ(Glob().CadenaConexion, Glob().CadenaConexionODBC);
    EXPECT_EQ(Glob().ClaveBase, DerivarClave(prueba::ClaveHabilitado));
    QString fecha =
        QStringLiteral("SELECT to_char(CAST('09/12/2026' AS date), 'YYYY-MM-DD') FROM dual");
    EXPECT_EQ(ValorSQL(fecha, QString(), c.get()).value_or(QString()).toString(),
              QStringLiteral("2026-12-09"));
    // Un ROLLBACK posterior no deshace las sentencias de sesión.
    ASSERT_TRUE(EjecutarSQL(QStringLiteral("ROLLBACK"), true, std::nullopt, c.get()));
    EXPECT_EQ(ValorSQL(fecha, QString(), c.get()).value_or(QString()).toString(),
              QStringLiteral("2026-12-09"));
    CerrarConexion(c);
    EXPECT_EQ(c, nullptr);
}

} // namespace
