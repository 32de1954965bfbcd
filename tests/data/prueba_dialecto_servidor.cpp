// Cada caso de la tabla del dialecto, adaptado y corrido en el servidor
// privado: lo que Oracle acepta anda con su resultado, lo que Oracle rechaza
// da su número, y lo que el sustituto no adapta no llega al servidor.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Recordset.h"
#include "TablaDialecto.h"
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace {

QStringList Filas(Recordset& rs) {
    QStringList filas;
    if (!rs.Abierto())
        return filas;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (int i = 0; i < rs.CantidadCampos(); ++i)
            campos << (rs.EsNulo(i) ? QStringLiteral("<nulo>") : rs.Valor(i).toString());
        filas << campos.join(QLatin1Char('|'));
    }
    return filas;
}

bool EsConsulta(const QString& sql) {
    const QString t = sql.trimmed();
    return t.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive) ||
           t.startsWith(QLatin1String("WITH"), Qt::CaseInsensitive);
}

std::string Error(const ConexionBase& c) {
    return c.Errores().empty() ? std::string("(sin error)")
                               : c.Errores().front().descripcion.toStdString();
}

std::unique_ptr<ConexionBase> Preparada() {
    auto c = prueba::Conectar();
    if (!c->Abierta())
        return c;
    EXPECT_TRUE(c->NombreGestor().contains(QLatin1String("PostgreSQL")));
    for (const QString& sql : dialecto::Preparacion)
        EXPECT_TRUE(c->Ejecutar(sql)) << sql.toStdString() << ": " << Error(*c);
    EXPECT_TRUE(c->Confirmar());
    return c;
}

} // namespace

TEST(DialectoEnElServidor, CadaCasoDeLaTabla) {
    auto c = Preparada();
    ASSERT_TRUE(c->Abierta());
    for (const auto& caso : dialecto::Casos()) {
        SCOPED_TRACE(caso.sql.toStdString());
        const qint64 enviadas = ConexionBase::SentenciasEnviadas();
        Recordset rs;
        const bool ok = EsConsulta(caso.sql) ? c->Consultar(caso.sql, rs) : c->Ejecutar(caso.sql);
        if (!caso.pasos.isEmpty() && caso.pasos.front().startsWith(QLatin1String("RECHAZO"))) {
            EXPECT_FALSE(ok);
            EXPECT_EQ(ConexionBase::SentenciasEnviadas(), enviadas) << "no debió enviarse";
            ASSERT_FALSE(c->Errores().empty());
            EXPECT_EQ(c->Errores().front().sqlstate, QStringLiteral("0A000"));
            continue;
        }
        if (caso.error == 0) {
            EXPECT_TRUE(ok) << Error(*c);
        } else {
            EXPECT_FALSE(ok);
            ASSERT_FALSE(c->Errores().empty());
            EXPECT_EQ(c->Errores().front().nativo, caso.error) << Error(*c);
        }
        if (!caso.filas.isEmpty()) {
            EXPECT_EQ(Filas(rs), caso.filas);
        }
    }
}

// Los COMMIT y ROLLBACK de un bloque ocurren donde Oracle los hace: en el
// medio y al principio, no al final.
TEST(DialectoEnElServidor, CommitYRollbackEnSuLugar) {
    auto c = Preparada();
    ASSERT_TRUE(c->Abierta());
    auto ejecutar = [&](const QString& sql) { return c->Ejecutar(sql); };
    ASSERT_TRUE(ejecutar(QStringLiteral("INSERT INTO bitacora (n) VALUES (10)")));
    ASSERT_TRUE(ejecutar(
        QStringLiteral("BEGIN ROLLBACK; INSERT INTO bitacora (n) VALUES (3); COMMIT; END;")));
    ASSERT_TRUE(ejecutar(QStringLiteral("BEGIN INSERT INTO bitacora (n) VALUES (1); COMMIT; "
                                        "INSERT INTO bitacora (n) VALUES (2); ROLLBACK; END;")));
    // Lo confirmado antes de un fallo queda; lo que sigue al COMMIT no.
    EXPECT_FALSE(ejecutar(QStringLiteral("BEGIN INSERT INTO bitacora (n) VALUES (4); COMMIT; "
                                         "INSERT INTO bitacora (n) VALUES (5); INSERT INTO "
                                         "no_existe VALUES (1); END;")));
    ASSERT_FALSE(c->Errores().empty());
    EXPECT_EQ(c->Errores().front().nativo, 6550);
    ASSERT_TRUE(c->Deshacer());
    Recordset rs;
    ASSERT_TRUE(c->Consultar(QStringLiteral("SELECT n FROM bitacora ORDER BY n"), rs));
    EXPECT_EQ(Filas(rs), QStringList({"1", "3", "4"}));
}
