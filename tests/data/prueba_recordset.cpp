// Recordset: carga y conversiones a mano, y consultas reales por bloques,
// fila por fila y con datos más largos que lo declarado.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

void Celda(Recordset& rs, int columna, const char* texto) {
    rs.AgregarCelda(columna, texto, qsizetype(strlen(texto)));
}
void CeldaUtf16(Recordset& rs, int columna, const QString& texto) {
    rs.AgregarCeldaUtf16(columna, reinterpret_cast<const char16_t*>(texto.utf16()), texto.size());
}

QString PrimerError(const ConexionBase& c) {
    return c.Errores().empty() ? QString() : c.Errores()[0].descripcion;
}

} // namespace

TEST(Recordset, ConvierteCadaTipoYDaNulosTipados) {
    Recordset rs;
    EXPECT_TRUE(rs.Eof());
    EXPECT_FALSE(rs.Valor(0).isValid());
    rs.AgregarColumna("Entero", Recordset::Tipo::Entero);
    rs.AgregarColumna("importe", Recordset::Tipo::Decimal);
    rs.AgregarColumna("FECHA", Recordset::Tipo::Fecha);
    rs.AgregarColumna("Momento", Recordset::Tipo::FechaHora);
    rs.AgregarColumna("texto", Recordset::Tipo::Texto);
    Celda(rs, 0, "-42");
    Celda(rs, 1, "1234.5");
    Celda(rs, 2, "2024-03-15");
    Celda(rs, 3, "2024-03-15 10:20:30.456");
    Celda(rs, 4, "");
    for (int c = 0; c < 5; ++c)
        rs.AgregarNulo(c);
    Celda(rs, 0, "123456789012345678901"); // no entra en 64 bits
    Celda(rs, 1, "1,5");                   // coma decimal de la sesión
    Celda(rs, 2, "no es fecha");
    Celda(rs, 3, "2024-12-31 23:59:59");
    Celda(rs, 4, "ñandú");
    rs.TerminarCarga();

    ASSERT_TRUE(rs.Abierto());
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.IndiceCampo("MOMENTO"), 3);
    EXPECT_EQ(rs.IndiceCampo("fecha"), 2);
    EXPECT_EQ(rs.IndiceCampo("otro"), -1);
    EXPECT_EQ(rs.NombresCampos(), QStringList({"Entero", "importe", "FECHA", "Momento", "texto"}));

    EXPECT_EQ(rs.Valor("ENTERO"), QVariant(qlonglong(-42)));
    EXPECT_EQ(rs.Valor(1), QVariant(1234.5));
    EXPECT_EQ(rs.Valor(2), QVariant(QDate(2024, 3, 15)));
    EXPECT_EQ(rs.Valor(3), QVariant(QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30, 456))));
    EXPECT_EQ(rs.Valor(4), QVariant(QString("")));
    EXPECT_FALSE(rs.EsNulo(4));
    EXPECT_FALSE(rs.Valor("inexistente").isValid());

    rs.MoveNext();
    const QMetaType tipos[] = {QMetaType::fromType<qlonglong>(), QMetaType::fromType<double>(),
                               QMetaType::fromType<QDate>(), QMetaType::fromType<QDateTime>(),
                               QMetaType::fromType<QString>()};
    for (int c = 0; c < 5; ++c) {
        EXPECT_TRUE(rs.EsNulo(c));
        EXPECT_TRUE(rs.Valor(c).isNull());
        EXPECT_EQ(rs.Valor(c).metaType(), tipos[c]) << c;
    }

    rs.MoveNext();
    EXPECT_EQ(rs.Valor(0).toDouble(), 123456789012345678901.0);
    EXPECT_EQ(rs.Valor(1).toDouble(), 1.5);
    EXPECT_EQ(rs.Valor(2), QVariant(QString("no es fecha")));
    EXPECT_EQ(rs.Valor(3).toDateTime(), QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59)));
    EXPECT_EQ(rs.Valor(4).toString(), QString("ñandú"));

    rs.MoveNext();
    EXPECT_TRUE(rs.Eof());
    EXPECT_FALSE(rs.Valor(0).isValid());
    rs.MoveNext(); // no pasa del final
    EXPECT_EQ(rs.PosicionActual(), 3);
    rs.MoveFirst();
    EXPECT_EQ(rs.Valor(0).toLongLong(), -42);

    rs.Reiniciar();
    EXPECT_FALSE(rs.Abierto());
    EXPECT_EQ(rs.CantidadCampos(), 0);
}

TEST(Recordset, Utf16AUtf8YMemoriaCompacta) {
    Recordset rs;
    rs.AgregarColumna("t", Recordset::Tipo::Texto);
    const QString textos[] = {"ASCII puro", "ñandú – €", QString::fromUtf8("clave 𝄞 fin"), "",
                              QString("a") + QChar(0xD800) + "b"};
    for (const QString& t : textos)
        CeldaUtf16(rs, 0, t);
    rs.TerminarCarga();
    for (int i = 0; i < 4; ++i, rs.MoveNext())
        EXPECT_EQ(rs.Valor(0).toString(), textos[i]);
    EXPECT_EQ(rs.Valor(0).toString(), QString("a") + QChar(0xFFFD) + "b"); // sustituto suelto

    // Cien mil celdas sin nulos: los datos más el fin de cada celda.
    Recordset grande;
    grande.AgregarColumna("n", Recordset::Tipo::Entero);
    qsizetype bytes = 0;
    for (int i = 0; i < 100000; ++i) {
        const QByteArray t = QByteArray::number(i);
        grande.AgregarCelda(0, t.constData(), t.size());
        bytes += t.size();
    }
    grande.TerminarCarga();
    EXPECT_LE(grande.MemoriaUsada(), bytes + 100000 * 4 + 64);
}

TEST(RecordsetDeLaBase, TiposDeColumnasYNulos) {
    auto c = prueba::Conectar();
    Recordset rs;
    ASSERT_TRUE(c->Consultar(
        "SELECT 7::integer AS i, 9000000000::bigint AS b, 12.34::numeric(10,2) AS d, "
        "5::numeric(5,0) AS e, 1.25::float8 AS f, date '2024-03-15' AS fe, "
        "timestamp '2024-03-15 10:20:30.456' AS fh, 'texto'::varchar(10) AS v, 'ñandú'::text AS t, "
        "NULL::integer AS ni, NULL::numeric(10,2) AS nd, NULL::date AS nf, NULL::timestamp AS nfh, "
        "NULL::varchar(5) AS nv FROM dual",
        rs))
        << PrimerError(*c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Valor("I"), QVariant(qlonglong(7)));
    EXPECT_EQ(rs.Valor("b"), QVariant(qlonglong(9000000000)));
    EXPECT_EQ(rs.Valor("d"), QVariant(12.34));
    EXPECT_EQ(rs.Valor("e"), QVariant(qlonglong(5)));
    EXPECT_EQ(rs.Valor("f"), QVariant(1.25));
    EXPECT_EQ(rs.Valor("fe"), QVariant(QDate(2024, 3, 15)));
    EXPECT_EQ(rs.Valor("FH"), QVariant(QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30, 456))));
    EXPECT_EQ(rs.Valor("v"), QVariant(QString("texto")));
    EXPECT_EQ(rs.Valor("t"), QVariant(QString("ñandú")));
    const QMetaType nulos[] = {QMetaType::fromType<qlonglong>(), QMetaType::fromType<double>(),
                               QMetaType::fromType<QDate>(), QMetaType::fromType<QDateTime>(),
                               QMetaType::fromType<QString>()};
    for (int i = 0; i < 5; ++i) {
        const QVariant v = rs.Valor(rs.IndiceCampo("ni") + i);
        EXPECT_TRUE(v.isNull()) << i;
        EXPECT_EQ(v.metaType(), nulos[i]) << i;
    }

    // Sin filas: abierto, con sus columnas.
    ASSERT_TRUE(c->Consultar("SELECT 1 AS n FROM dual WHERE 1=0", rs));
    EXPECT_TRUE(rs.Abierto());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.NombreCampo(0), "n");

    // Consulta fallida: el Recordset queda cerrado.
    EXPECT_FALSE(c->Consultar("SELECT * FROM tabla_que_no_existe", rs));
    EXPECT_FALSE(rs.Abierto());
    EXPECT_EQ(rs.RecordCount(), 0);
}

TEST(RecordsetDeLaBase, MilesDeFilasPorBloques) {
    auto c = prueba::Conectar();
    Recordset rs;
    ASSERT_TRUE(c->Consultar("SELECT g AS n, g * 2.5 AS importe, 'fila ' || g || ' ñ' AS texto, "
                             "date '2024-01-01' + g AS fecha, "
                             "CASE WHEN g % 7 = 0 THEN NULL ELSE g END AS a_veces "
                             "FROM generate_series(1, 20000) g ORDER BY g",
                             rs))
        << PrimerError(*c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 20000);
    int fila = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const int g = ++fila;
        ASSERT_EQ(rs.Valor(0).toLongLong(), g);
        ASSERT_EQ(rs.Valor("IMPORTE").toDouble(), g * 2.5);
        ASSERT_EQ(rs.Valor("texto").toString(), QString("fila %1 ñ").arg(g));
        ASSERT_EQ(rs.Valor("fecha").toDate(), QDate(2024, 1, 1).addDays(g));
        ASSERT_EQ(rs.EsNulo(4), g % 7 == 0) << g;
    }
    EXPECT_EQ(fila, 20000);
}

TEST(RecordsetDeLaBase, TextoLargoYAcentosIdaYVuelta) {
    auto c = prueba::Conectar();
    const QString largo = QString("ñá€").repeated(2000) + "fin"; // 6003 caracteres
    Recordset rs;
    ASSERT_TRUE(c->Consultar("SELECT g AS n, CASE WHEN g = 2 THEN NULL ELSE repeat('ñá€', 2000) "
                             "|| 'fin' END AS largo, 'x' || g AS corto "
                             "FROM generate_series(1, 3) g ORDER BY g",
                             rs))
        << PrimerError(*c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.Valor("largo").toString(), largo);
    EXPECT_EQ(rs.Valor("corto").toString(), "x1");
    rs.MoveNext();
    EXPECT_TRUE(rs.EsNulo(1));
    EXPECT_EQ(rs.Valor("corto").toString(), "x2");
    rs.MoveNext();
    EXPECT_EQ(rs.Valor(1).toString(), largo);
    EXPECT_EQ(rs.Valor(0).toLongLong(), 3);

    // Lo escrito vuelve igual, con comillas, acentos y fuera del plano básico.
    const int id = 3000000 + int(getpid() % 100000);
    const QString texto = QString::fromUtf8("Pañol d''Añá 𝄞 €");
    ASSERT_TRUE(c->Ejecutar(QString("INSERT INTO owner_sarvo.prueba_claves(id, texto) VALUES "
                                    "(%1, '%2')")
                                .arg(id)
                                .arg(texto)))
        << PrimerError(*c).toStdString();
    ASSERT_TRUE(c->Consultar(
        QString("SELECT texto, length(texto) FROM owner_sarvo.prueba_claves WHERE id=%1").arg(id),
        rs));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Valor(0).toString(), QString::fromUtf8("Pañol d'Añá 𝄞 €"));
    EXPECT_EQ(rs.Valor(1).toLongLong(), 15);
    c->Deshacer();
}

TEST(RecordsetDeLaBase, DatoMasLargoQueElDeclaradoSeLeeEntero) {
    ASSERT_TRUE(prueba::HayServidor());
    // El driver declara 10 caracteres para los textos sin largo; los valores son más largos.
    ConexionBase c;
    ASSERT_TRUE(c.Abrir(ArmarCadenaODBC("DEMO", DerivarClave("demo")) +
                        ";UnknownSizes=0;MaxVarcharSize=10"))
        << PrimerError(c).toStdString();
    Recordset rs;
    ASSERT_TRUE(c.Consultar("SELECT g AS n, repeat('ñ', 10 * g)::varchar AS v, "
                            "'ab'::varchar AS w FROM generate_series(1, 3) g ORDER BY g",
                            rs))
        << PrimerError(c).toStdString();
    ASSERT_EQ(rs.RecordCount(), 3);
    for (int g = 1; !rs.Eof(); rs.MoveNext(), ++g) {
        EXPECT_EQ(rs.Valor("v").toString(), QString(10 * g, QChar(0xF1)));
        EXPECT_EQ(rs.Valor("w").toString(), "ab");
    }
}
