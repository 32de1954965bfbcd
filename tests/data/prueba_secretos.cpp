// Ninguna clave llega a los registros: IDENTIFIED BY y las cadenas de
// conexión se reconocen por su forma, en cada registro y por el camino real
// de las sentencias.
#include "BaseDePrueba.h"
#include "Conexiones.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "Secretos.h"
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QString TodosLosRegistros(const QString& raiz) {
    QString todo;
    QDirIterator it(raiz + u"/LogsFiles"_s, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            todo += QString::fromUtf8(f.readAll());
    }
    return todo;
}

} // namespace

TEST(OcultarSecretos, IdentifiedByEnCualquierFormaDeLaClave) {
    const struct {
        QString sql, esperado;
    } casos[] = {
        {u"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol"_s,
         u"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY ********"_s},
        {u"set role r identified\n  by /* c */ \"con espacio\";"_s,
         u"set role r identified\n  by /* c */ ********;"_s},
        {u"ALTER USER x IDENTIFIED BY nueva REPLACE vieja"_s,
         u"ALTER USER x IDENTIFIED BY ******** REPLACE ********"_s},
        {u"CREATE USER x IDENTIFIED BY VALUES 'S:ABC'"_s,
         u"CREATE USER x IDENTIFIED BY VALUES ********"_s},
        // Una clave sin comillas que no es un nombre no queda a medias.
        {u"SET ROLE r IDENTIFIED BY a;b=c} x"_s, u"SET ROLE r IDENTIFIED BY ******** x"_s},
        {u"SET ROLE a IDENTIFIED BY p1, b IDENTIFIED BY 'p2'"_s,
         u"SET ROLE a IDENTIFIED BY ********, b IDENTIFIED BY ********"_s},
    };
    for (const auto& c : casos)
        EXPECT_EQ(OcultarSecretos(c.sql), c.esperado) << c.sql.toStdString();

    // Dentro de un literal o un comentario no es la forma: queda igual.
    for (const QString& igual :
         {u"SELECT 'IDENTIFIED BY x' FROM dual"_s, u"SELECT 1 -- identified by x\nFROM dual"_s,
          u"SELECT identified_by FROM t"_s}) {
        EXPECT_EQ(OcultarSecretos(igual), igual) << igual.toStdString();
    }
    // Una lista de claves de GRANT.
    EXPECT_EQ(OcultarSecretos(u"GRANT CONNECT TO a, b IDENTIFIED BY pa, \"pb\""_s),
              u"GRANT CONNECT TO a, b IDENTIFIED BY ********, ********"_s);
}

TEST(OcultarSecretos, CodigoDeAcceso) {
    const struct {
        QString sql, esperado;
    } casos[] = {
        {u"SELECT OWNER_SARVO.CodigoAccesoCorrecto('MRV','12345678') AS correcto FROM DUAL"_s,
         u"SELECT OWNER_SARVO.CodigoAccesoCorrecto('MRV',********) AS correcto FROM DUAL"_s},
        {u"select codigoaccesocorrecto ( 'MRV' , 'a''b)' ) from dual"_s,
         u"select codigoaccesocorrecto ( 'MRV' , ******** ) from dual"_s},
        {u"SELECT CodigoAccesoCorrecto('MRV', upper('x') || 'y'), 'queda' FROM dual"_s,
         u"SELECT CodigoAccesoCorrecto('MRV', upper(********) || ********), 'queda' FROM dual"_s},
        // Solo la llamada: el nombre en un literal o sin paréntesis no es la forma.
        {u"SELECT 'CodigoAccesoCorrecto(''MRV'',''1'')' FROM dual"_s,
         u"SELECT 'CodigoAccesoCorrecto(''MRV'',''1'')' FROM dual"_s},
        {u"DROP FUNCTION CodigoAccesoCorrecto; SELECT '1' FROM dual"_s,
         u"DROP FUNCTION CodigoAccesoCorrecto; SELECT '1' FROM dual"_s},
    };
    for (const auto& c : casos)
        EXPECT_EQ(OcultarSecretos(c.sql), c.esperado) << c.sql.toStdString();
}

TEST(OcultarSecretos, CadenasDeConexion) {
    const struct {
        QString texto, esperado;
    } casos[] = {
        {ArmarCadenaODBC(u"DEMO"_s, u"Mdemoomed"_s),
         u"Provider=MSDASQL;;DSN=Oracle;UID=DEMO;PWD=********"_s},
        // Entre llaves: ";", "}}" y "=" son parte de la clave.
        {ArmarCadenaODBC(u"O'H"_s, DerivarClave(u"a;b}c=d"_s)),
         u"Provider=MSDASQL;;DSN=Oracle;UID=O'H;PWD=********"_s},
        {u"Provider=MSDAORA.1;User ID=X;Password=s3cr3t;Data Source=srv"_s,
         u"Provider=MSDAORA.1;User ID=X;Password=********;Data Source=srv"_s},
        {u"Mensaje: no conecta con dsn=Oracle; pwd = {x;y} ;uid=Z"_s,
         u"Mensaje: no conecta con dsn=Oracle; pwd = ******** ;uid=Z"_s},
        {u"PWD=abc\nSELECT 1"_s, u"PWD=********\nSELECT 1"_s},
        // La comilla de una clave oculta no esconde la clave que sigue.
        {u"falló con PWD=a'b; luego SET ROLE r IDENTIFIED BY clave"_s,
         u"falló con PWD=********; luego SET ROLE r IDENTIFIED BY ********"_s},
        // Lo que sigue a la llave de cierre hasta el ';' también es del atributo.
        {u"DSN=x;PWD={a}}b}resto;UID=y"_s, u"DSN=x;PWD=********;UID=y"_s},
        // Entre comillas, el valor termina en la comilla que abrió la cadena.
        {u"UPDATE t SET a = 1 WHERE b = 'PWD=x' AND c = 2"_s,
         u"UPDATE t SET a = 1 WHERE b = 'PWD=********' AND c = 2"_s},
    };
    // Ocultar otra vez lo ya oculto no cambia nada.
    for (const auto& c : casos) {
        EXPECT_EQ(OcultarSecretos(c.texto), c.esperado) << c.texto.toStdString();
        EXPECT_EQ(OcultarSecretos(c.esperado), c.esperado) << c.esperado.toStdString();
    }

    // Una columna de SQL que se llama así no es una cadena de conexión.
    for (const QString& igual : {u"UPDATE t SET password = 'x' WHERE id = 1"_s,
                                 u"UPDATE t SET pwd='x'"_s, u"SELECT pwdx=1 FROM t"_s}) {
        EXPECT_EQ(OcultarSecretos(igual), igual) << igual.toStdString();
    }
}

TEST(OcultarSecretos, CadaRegistroLasOculta) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    Glob() = EstadoSesion();
    Glob().RutaSistema = dir.path() + u'/';
    FijarFuenteFechaLogs([] { return QDate(2024, 3, 4); });

    const QString rol = u"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY pernol"_s;
    const QString cadena = ArmarCadenaODBC(u"DEMO"_s, u"Mclave;}=ave"_s);
    GrabarSeguimiento(u"SEG"_s, u"EjecutarSQL"_s, rol);
    GrabarSqlLento(u"MRV"_s, rol, 5);
    GrabarErrorSql(u"MRV"_s, rol, u"falló con "_s + cadena);
    DatosReporteLog rpt;
    rpt.consultaSql = u"ALTER USER x IDENTIFIED BY \"otra clave\""_s;
    rpt.errorNumero = 1;
    rpt.errorDescripcion = u"no abre "_s + cadena;
    GrabarSqlReporte(u"MRV"_s, u"frmTipoCompra"_s, rpt);
    GrabarErrorReporte(u"MRV"_s, u"frmTipoCompra"_s, rpt, cadena);
    FijarFuenteFechaLogs(nullptr);

    const QString todo = TodosLosRegistros(dir.path());
    EXPECT_EQ(todo.count(u"IDENTIFIED BY ********"_s), 4) << todo.toStdString();
    EXPECT_EQ(todo.count(u"PWD=********"_s), 2);
    for (const QString& secreto : {u"pernol"_s, u"clave"_s, u"Mclave"_s})
        EXPECT_FALSE(todo.contains(secreto)) << secreto.toStdString();
    Glob() = EstadoSesion();
}

// El caso de las sesiones duplicadas: el rol se pide con su clave; si falla,
// ni el registro de errores ni el seguimiento la muestran.
class SecretosEnSesion : public prueba::ConSesion {};

TEST_F(SecretosEnSesion, RolConClaveFallidoNoDejaLaClave) {
    Glob().SeguimientoSql = true;
    EXPECT_FALSE(EjecutarSQL(u"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY equivocada"_s));
    EXPECT_FALSE(ui.mensajes.empty());
    const QString todo = TodosLosRegistros(dir.path());
    EXPECT_TRUE(todo.contains(u"SQL      : SET ROLE ALTERAR_SISTEMA IDENTIFIED BY ********"_s))
        << todo.toStdString();
    EXPECT_TRUE(todo.contains(u"SET ROLE ALTERAR_SISTEMA IDENTIFIED BY ******** ERROR:["_s));
    EXPECT_FALSE(todo.contains(u"equivocada"_s));
}
