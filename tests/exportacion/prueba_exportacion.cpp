// Salida de las tablas de los gráficos: números en español, CSV byte a byte,
// texto para el portapapeles, libro XLSX leído de vuelta y la grilla de "Ver datos".
#include "LibroXlsx.h"
#include "ModeloGrafico.h"
#include "ModeloVerDatos.h"
#include "NumerosEs.h"
#include "TablaDatos.h"
#include "TextoTablas.h"
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Dos series (una con ";" y comillas en el nombre), tres categorías y un nulo.
TablaDatos Tabla() {
    ModeloGrafico m;
    m.TitleText = QStringLiteral("Compras por tipo");
    m.GrillaDeCeros(3, 2);
    m.NombrarSeries({QStringLiteral("Monto; \"directas\""), QStringLiteral("Cantidad")});
    m.SetRowLabel(1, 1, QStringLiteral("Licitación"));
    m.SetRowLabel(2, 1, QStringLiteral("Concurso"));
    m.SetRowLabel(3, 1, QStringLiteral("Directa"));
    m.SetData(1, 1, 1234567.5);
    m.SetData(2, 1, -0.25);
    m.SetData(3, 1, 0.1 + 0.2);
    m.SetData(1, 2, 3);
    m.SetData(2, 2, 0, 1); // nulo
    m.SetData(3, 2, 12);
    return TablaDeGrafico(m);
}

QByteArray Descomprimir(const QString& libro, const QString& parte) {
    QProcess p;
    p.start(QStringLiteral("unzip"), {QStringLiteral("-p"), libro, parte});
    EXPECT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0) << parte.toStdString();
    return p.readAllStandardOutput();
}

TEST(NumerosEs, PlanoYParaMostrar) {
    EXPECT_EQ(NumerosEs::Plano(1234567.5), QStringLiteral("1234567,5"));
    EXPECT_EQ(NumerosEs::Plano(-0.25), QStringLiteral("-0,25"));
    EXPECT_EQ(NumerosEs::Plano(0.1 + 0.2), QStringLiteral("0,3"));
    EXPECT_EQ(NumerosEs::Plano(2e-7), QStringLiteral("0,0000002"));
    EXPECT_EQ(NumerosEs::Plano(1e20), QStringLiteral("100000000000000000000"));
    EXPECT_EQ(NumerosEs::Plano(-0.0), QStringLiteral("0"));
    EXPECT_EQ(NumerosEs::Mostrar(1234567.5, 2), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(NumerosEs::Mostrar(-0.001, 2), QStringLiteral("0,00"));
    EXPECT_EQ(NumerosEs::Mostrar(-1500, 0), QStringLiteral("-1.500"));
    EXPECT_EQ(NumerosEs::Exacto(1234.5678), QStringLiteral("1.234,5678"));
    EXPECT_EQ(NumerosEs::Exacto(-12), QStringLiteral("-12"));
    EXPECT_EQ(NumerosEs::Fecha(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
}

TEST(TextoTablas, CsvByteAByte) {
    const QByteArray esperado = "\xEF\xBB\xBF"
                                "Categoría;\"Monto; \"\"directas\"\"\";Cantidad\r\n"
                                "Licitación;1234567,5;3\r\n"
                                "Concurso;-0,25;\r\n"
                                "Directa;0,3;12\r\n";
    EXPECT_EQ(TextoTablas::Csv({Tabla()}), esperado);

    // Dos gráficos: una línea vacía entre tablas, una sola marca al frente.
    const QByteArray dos = TextoTablas::Csv({Tabla(), Tabla()});
    EXPECT_EQ(dos, esperado + "\r\n" + esperado.mid(3));
    EXPECT_EQ(TextoTablas::CampoCsv(QStringLiteral(" con blancos ")),
              QStringLiteral("\" con blancos \""));
    EXPECT_EQ(TextoTablas::CampoCsv(QStringLiteral("dos\nrenglones")),
              QStringLiteral("\"dos\nrenglones\""));
}

TEST(TextoTablas, TsvParaElPortapapeles) {
    TablaDatos t = Tabla();
    t.categorias[2] = QStringLiteral("Di\trecta");
    EXPECT_EQ(TextoTablas::Tsv(t), QStringLiteral("Categoría\tMonto; \"directas\"\tCantidad\n"
                                                  "Licitación\t1234567,5\t3\n"
                                                  "Concurso\t-0,25\t\n"
                                                  "Di recta\t0,3\t12\n"));
}

TEST(LibroXlsx, NombresDeHoja) {
    const QStringList nombres = LibroXlsx::NombresHojas(
        {QStringLiteral("Gastos [2024]: personal/planta*?"), QString(),
         QStringLiteral("Evolución de los gastos por objeto del gasto 2024"),
         QStringLiteral("EVOLUCIÓN DE LOS GASTOS POR OBJETO DEL GASTO 2023"),
         QStringLiteral("'citado'")});
    ASSERT_EQ(nombres.size(), 5);
    EXPECT_EQ(nombres[0], QStringLiteral("Gastos 2024 personal planta"));
    EXPECT_EQ(nombres[1], QStringLiteral("Gráfico 2"));
    EXPECT_EQ(nombres[2], QStringLiteral("Evolución de los gastos por obj"));
    EXPECT_EQ(nombres[3], QStringLiteral("EVOLUCIÓN DE LOS GASTOS POR (2)"));
    EXPECT_EQ(nombres[4], QStringLiteral("citado"));
    for (const QString& n : nombres)
        EXPECT_LE(n.size(), 31);
}

TEST(LibroXlsx, SeLeeDeVuelta) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("datos.xlsx"));
    TablaDatos segunda = Tabla();
    segunda.titulo = QStringLiteral("Compras por tipo"); // mismo título: la hoja no se repite
    QString error;
    ASSERT_TRUE(LibroXlsx::Escribir(
        ruta,
        {QStringLiteral("Tipos de Compra"), QDate(2024, 6, 30), QStringLiteral("Villa Serrana")},
        {Tabla(), segunda}, &error))
        << error.toStdString();

    const QString libro = QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/workbook.xml")));
    EXPECT_EQ(libro.count(QStringLiteral("<sheet ")), 2);
    EXPECT_TRUE(libro.contains(QStringLiteral("name=\"Compras por tipo\"")));
    EXPECT_TRUE(libro.contains(QStringLiteral("name=\"Compras por tipo (2)\"")));

    const QString hoja =
        QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/worksheets/sheet1.xml")));
    // Las cifras son números (sin t="s"), en sus celdas: encabezado en la fila 5.
    const auto numero = [&hoja](const QString& celda, const QString& valor) {
        const QRegularExpression re(QStringLiteral("<c r=\"%1\"( s=\"\\d+\")?><v>%2</v></c>")
                                        .arg(celda, QRegularExpression::escape(valor)));
        EXPECT_TRUE(re.match(hoja).hasMatch()) << celda.toStdString();
    };
    numero(QStringLiteral("B6"), QStringLiteral("1234567.5"));
    numero(QStringLiteral("B7"), QStringLiteral("-0.25"));
    numero(QStringLiteral("C6"), QStringLiteral("3"));
    numero(QStringLiteral("C8"), QStringLiteral("12"));
    EXPECT_FALSE(hoja.contains(QStringLiteral("r=\"C7\""))); // el nulo queda vacío
    // Fecha como número de serie (30/06/2024 = 45473) y totales como fórmula.
    numero(QStringLiteral("B2"), QStringLiteral("45473"));
    EXPECT_TRUE(hoja.contains(QStringLiteral("<f>SUM(C6:C8)</f><v>15</v>")));
    EXPECT_TRUE(hoja.contains(QStringLiteral("<col ")));

    const QString textos =
        QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/sharedStrings.xml")));
    for (const char* t : {"Tipos de Compra", "Villa Serrana", "Licitación", "Cantidad", "Total",
                          "Monto; \"directas\""})
        EXPECT_TRUE(textos.contains(QString::fromUtf8(t))) << t;
    // Encabezado en negrita: su estilo tiene una fuente con <b/>.
    const QString estilos = QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/styles.xml")));
    EXPECT_TRUE(estilos.contains(QStringLiteral("<b/>")));
    EXPECT_TRUE(estilos.contains(QStringLiteral("formatCode=\"#,##0.00\"")));

    EXPECT_FALSE(LibroXlsx::Escribir(dir.filePath(QStringLiteral("no/hay/carpeta.xlsx")), {},
                                     {Tabla()}, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ModeloVerDatos, OrdenaConElTotalAlPie) {
    ModeloVerDatos m(Tabla());
    ASSERT_EQ(m.rowCount(), 4);
    ASSERT_EQ(m.columnCount(), 3);
    EXPECT_EQ(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Monto; \"directas\""));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(m.data(m.index(1, 2)).toString(), QString()); // nulo
    EXPECT_EQ(m.data(m.index(3, 0)).toString(), QStringLiteral("Total"));
    EXPECT_EQ(m.data(m.index(3, 1)).toString(), QStringLiteral("1.234.567,55"));
    EXPECT_EQ(m.data(m.index(3, 2)).toString(), QStringLiteral("15"));

    m.sort(2, Qt::DescendingOrder); // el nulo al final, el total después
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), QStringLiteral("Directa"));
    EXPECT_EQ(m.data(m.index(1, 0)).toString(), QStringLiteral("Licitación"));
    EXPECT_EQ(m.data(m.index(2, 0)).toString(), QStringLiteral("Concurso"));
    EXPECT_EQ(m.data(m.index(3, 0)).toString(), QStringLiteral("Total"));
    m.sort(0, Qt::AscendingOrder);
    EXPECT_EQ(m.data(m.index(0, 0)).toString(), QStringLiteral("Concurso"));
    EXPECT_EQ(m.data(m.index(0, 1)).toString(), QStringLiteral("-0,25"));
    EXPECT_EQ(m.data(m.index(3, 0)).toString(), QStringLiteral("Total"));
}

} // namespace
