// Nombres calificados, plantillas "//...{TABLA}...", literales y ValorSQL.
#include "BaseDePrueba.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString AvisoAsigOwner = u"Error en la confección de la consulta ASIGOWNER no aplicable"_s;

class Plantillas : public ::testing::Test {
protected:
    void SetUp() override { Glob() = EstadoSesion(); }
    void TearDown() override { Glob() = EstadoSesion(); }
    DialogosGuion ui;
};

TEST_F(Plantillas, AgregarYQuitarOwner) {
    EXPECT_EQ(AgregarOwner(u"CONFIG"_s), u"OWNER_SARVO.CONFIG"_s);
    EXPECT_EQ(AgregarOwner(u"usuarios"_s, u"OTRO"_s), u"OTRO.usuarios"_s);
    Glob().OwnerSarvo = u"MUNI"_s;
    EXPECT_EQ(QuitarOwner(u"SELECT * FROM MUNI.A, muni.B, MUNI.C"_s),
              u"SELECT * FROM A, muni.B, C"_s);
    EXPECT_EQ(QuitarOwner(u"X.A X.B"_s, u"X"_s), u".A .B"_s);
    Glob().OwnerSarvo.clear();
    EXPECT_EQ(AgregarOwner(u"T"_s), u".T"_s);
}

TEST_F(Plantillas, AsigOwnerCalificaCadaAparicion) {
    Glob().OwnerSarvo = u"MUNI"_s;
    EXPECT_EQ(AsigOwner(QStringLiteral("//SELECT * FROM {CONFIG} c, {Usuarios} u WHERE "
                                       "c.x IN (SELECT x FROM {CONFIG}) AND u.y = "
                                       "(SELECT MAX(y) FROM {Usuarios})")),
              QStringLiteral("SELECT * FROM MUNI.CONFIG c, MUNI.Usuarios u WHERE c.x IN (SELECT x "
                             "FROM MUNI.CONFIG) AND u.y = (SELECT MAX(y) FROM MUNI.Usuarios)"));
    // Sin la marca no es plantilla: queda igual, llaves incluidas.
    const QString comun = u"SELECT '{CONFIG}' FROM dual"_s;
    EXPECT_EQ(AsigOwner(comun), comun);
    EXPECT_EQ(AsigOwner(u"//SELECT 1 FROM dual"_s), u"SELECT 1 FROM dual"_s);
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST_F(Plantillas, LlavesDesbalanceadasAvisanUnaVezYTerminan) {
    struct Caso {
        QString plantilla, esperado;
    };
    const Caso casos[] = {
        {u"//SELECT * FROM {A} JOIN {B ON 1=1"_s, u"SELECT * FROM OWNER_SARVO.A JOIN {B ON 1=1"_s},
        {u"//SELECT } FROM {T}"_s, u"SELECT } FROM {T}"_s},
        {u"//SELECT * FROM {T{U}"_s, u"SELECT * FROM OWNER_SARVO.T{U"_s},
    };
    for (const Caso& c : casos) {
        ui.mensajes.clear();
        EXPECT_EQ(AsigOwner(c.plantilla), c.esperado);
        ASSERT_EQ(ui.mensajes.size(), 1u) << c.plantilla.toStdString();
        EXPECT_EQ(ui.mensajes[0].Mensaje, AvisoAsigOwner);
        EXPECT_EQ(ui.mensajes[0].titulo, u"Error Interno"_s);
    }
    // Un dueño que trae las marcas no deja la vuelta sin fin.
    ui.mensajes.clear();
    Glob().OwnerSarvo = u"{X}"_s;
    AsigOwner(u"//SELECT * FROM {A}"_s);
    EXPECT_EQ(ui.mensajes.size(), 1u);
}

TEST_F(Plantillas, LiteralesYOrderBy) {
    EXPECT_EQ(EntreComillas(QString(), true), u"NULL"_s);
    EXPECT_EQ(EntreComillas(QString(), false), u"NULL"_s);
    EXPECT_EQ(EntreComillas(u"NULL"_s, true), u"NULL"_s);
    EXPECT_EQ(EntreComillas(u"NULL"_s, false), u"'NULL'"_s);
    EXPECT_EQ(EntreComillas(u"'ya'"_s, true), u"'ya'"_s);
    EXPECT_EQ(EntreComillas(u"'ya'"_s, false), u"'''ya'''"_s);
    EXPECT_EQ(EntreComillas(u"D'Elía"_s, true), u"'D''Elía'"_s);
    EXPECT_EQ(EntreComillas(u"Año  ñandú "_s, false), u"'Año  ñandú '"_s);
    EXPECT_EQ(LiteralSql(u"a'b''"_s), u"'a''b'''''"_s);

    EXPECT_TRUE(TieneOrderBy(u"select a from t order by a"_s));
    EXPECT_TRUE(TieneOrderBy(u"SELECT a FROM t Order By a"_s));
    EXPECT_FALSE(TieneOrderBy(u"SELECT border, bye FROM t"_s));
}

TEST_F(Plantillas, ValorSQLContraLaBase) {
    QTemporaryDir dir;
    prueba::PrepararSesion(dir.path());
    Glob().SeguimientoSql = true; // para ver la sentencia que se envió
    const QString sql = u"//SELECT COUNT(*) FROM {CONFIG} WHERE 1 = 0"_s;
    auto valor = ValorSQL(sql, 99);
    ASSERT_TRUE(valor.has_value());
    EXPECT_EQ(valor->toInt(), 0);

    valor = ValorSQL(u"//SELECT contenido FROM {CONFIG} WHERE 1 = 0"_s, u"defecto"_s);
    ASSERT_TRUE(valor.has_value());
    EXPECT_EQ(valor->toString(), u"defecto"_s);

    valor = ValorSQL(u"SELECT NULL FROM dual"_s, u"defecto"_s);
    ASSERT_TRUE(valor.has_value());
    EXPECT_TRUE(valor->isNull());

    EXPECT_TRUE(ui.mensajes.empty());
    QString mala = u"//SELECT x FROM {TABLA_PLANTILLAS_INEXISTENTE}"_s;
    EXPECT_FALSE(ValorSQL(mala, 0).has_value());
    EXPECT_EQ(ui.mensajes.size(), 1u); // lo mostró la capa de sentencias, una vez

    // Se envía la plantilla resuelta y el texto de quien llama queda como estaba.
    EXPECT_EQ(mala, u"//SELECT x FROM {TABLA_PLANTILLAS_INEXISTENTE}"_s);
    QFile seguimiento(dir.path() + u"/LogsFiles/Seguimiento/SEG"_s +
                      QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s);
    ASSERT_TRUE(seguimiento.open(QIODevice::ReadOnly));
    const QString traza = QString::fromUtf8(seguimiento.readAll());
    EXPECT_TRUE(traza.contains(u"\nSELECT COUNT(*) FROM OWNER_SARVO.CONFIG WHERE 1 = 0\n"_s));
    EXPECT_TRUE(
        traza.contains(u"\nSELECT x FROM OWNER_SARVO.TABLA_PLANTILLAS_INEXISTENTE ERROR:["_s));
}

} // namespace
