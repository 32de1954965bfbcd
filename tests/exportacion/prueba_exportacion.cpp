// Salida de las tablas de los gráficos: números en español, CSV byte a byte,
// texto para el portapapeles, libro XLSX leído de vuelta, la grilla de "Ver
// datos" y los destinos que no se pueden escribir.
#include "DestinosMalos.h"
#include "GrabarTablas.h"
#include "LibroXlsx.h"
#include "ModeloGrafico.h"
#include "ModeloVerDatos.h"
#include "NumerosEs.h"
#include "TablaDatos.h"
#include "TextoTablas.h"
#include <QFile>
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
    m.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 9);
    m.FechaCifras = QDate(2024, 6, 30);
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
    // El título y la fecha de las cifras con su unidad arriba de la grilla.
    const QByteArray esperado = "\xEF\xBB\xBF"
                                "Compras por tipo\r\n"
                                "Cifras al 30/06/2024, en millones de pesos\r\n"
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
    EXPECT_EQ(TextoTablas::Tsv(t), QStringLiteral("Compras por tipo\n"
                                                  "Cifras al 30/06/2024, en millones de pesos\n"
                                                  "Categoría\tMonto; \"directas\"\tCantidad\n"
                                                  "Licitación\t1234567,5\t3\n"
                                                  "Concurso\t-0,25\t\n"
                                                  "Di recta\t0,3\t12\n"));
    // Con nombres de categoría, una columna más después del rótulo.
    t.nombres = QStringList{QStringLiteral("Pública"), QString(), QStringLiteral("Sin\tconcurso")};
    EXPECT_TRUE(TextoTablas::Tsv(t).contains(
        QStringLiteral("Categoría\tDescripción\tMonto; \"directas\"\tCantidad\n"
                       "Licitación\tPública\t1234567,5\t3\nConcurso\t\t-0,25\t\n"
                       "Di recta\tSin concurso\t0,3\t12\n")));
}

TEST(TablaDatos, LaFechaDeLasCifrasYSuUnidad) {
    struct Caso {
        const char* eje;
        QDate fecha;
        bool sinDatos;
        const char* unidad;
        const char* referencia;
    };
    const Caso casos[] = {
        {"(en millones de pesos)", QDate(2024, 6, 30), false, "en millones de pesos",
         "Cifras al 30/06/2024, en millones de pesos"},
        {"(en cantidad)", QDate(2025, 3, 5), false, "en cantidad",
         "Cifras al 05/03/2025, en cantidad"},
        {"Cargos", QDate(), false, "en cargos", "Cifras en cargos"},
        {"(en millones de pesos)", QDate(2019, 6, 15), true, "en millones de pesos",
         "Sin datos al 15/06/2019"},
        {"", QDate(), true, "", "Sin datos"},
        {"", QDate(), false, "", ""},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.referencia);
        ModeloGrafico m;
        m.RecetaEjeY(QString::fromUtf8(caso.eje), 9);
        m.FechaCifras = caso.fecha;
        m.SinDatos = caso.sinDatos;
        const TablaDatos t = TablaDeGrafico(m);
        EXPECT_EQ(t.unidad, QString::fromUtf8(caso.unidad));
        EXPECT_EQ(t.Referencia(), QString::fromUtf8(caso.referencia));
    }
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

// Cada destino malo, en CSV y en XLSX: falso, con la ruta y el motivo. Con
// el disco lleno el archivo anterior queda como estaba y no queda un temporal.
TEST(GrabarTablas, DestinosQueNoSePuedenEscribir) {
    for (const QString& extension : {QStringLiteral("csv"), QStringLiteral("xlsx")}) {
        QTemporaryDir dir;
        QString error;
        for (const auto& d : prueba::DestinosMalos(dir, extension)) {
            EXPECT_FALSE(GrabarTablas(d.ruta, {}, {Tabla()}, &error)) << d.caso;
            EXPECT_EQ(error, QStringLiteral("No se pudo grabar %1: %2.")
                                 .arg(QDir::toNativeSeparators(d.ruta), d.motivo))
                << d.caso;
        }
        const QString carpeta = dir.filePath(QStringLiteral("lleno"));
        const QString ruta = carpeta + QStringLiteral("/datos.") + extension;
        ASSERT_TRUE(QDir().mkpath(carpeta));
        QFile anterior(ruta);
        ASSERT_TRUE(anterior.open(QIODevice::WriteOnly));
        anterior.write("anterior");
        anterior.close();
        bool grabo = true;
        {
            prueba::DiscoLleno lleno(16);
            grabo = GrabarTablas(ruta, {}, {Tabla()}, &error);
        }
        EXPECT_FALSE(grabo) << extension.toStdString();
        EXPECT_TRUE(error.contains(QDir::toNativeSeparators(ruta))) << error.toStdString();
        ASSERT_TRUE(anterior.open(QIODevice::ReadOnly));
        EXPECT_EQ(anterior.readAll(), "anterior");
        anterior.close();
        EXPECT_EQ(prueba::Archivos(carpeta), QStringList{QStringLiteral("datos.") + extension});
        // Con lugar, se graba.
        EXPECT_TRUE(GrabarTablas(ruta, {}, {Tabla()}, &error)) << error.toStdString();
    }
}

TEST(LibroXlsx, SeLeeDeVuelta) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("datos.xlsx"));
    TablaDatos segunda = Tabla();
    segunda.titulo = QStringLiteral("Compras por tipo"); // mismo título: la hoja no se repite
    QString error;
    segunda.fecha = QDate(2024, 7, 31); // cada hoja con la fecha de sus cifras
    ASSERT_TRUE(LibroXlsx::Escribir(
        ruta, {QStringLiteral("Tipos de Compra"), QStringLiteral("Villa Serrana")},
        {Tabla(), segunda}, &error))
        << error.toStdString();

    const QString libro = QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/workbook.xml")));
    EXPECT_EQ(libro.count(QStringLiteral("<sheet ")), 2);
    EXPECT_TRUE(libro.contains(QStringLiteral("name=\"Compras por tipo\"")));
    EXPECT_TRUE(libro.contains(QStringLiteral("name=\"Compras por tipo (2)\"")));

    const QString hoja =
        QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/worksheets/sheet1.xml")));
    // Las cifras son números (sin t="s"), en sus celdas: encabezado en la fila 6.
    const auto numero = [&hoja](const QString& celda, const QString& valor) {
        const QRegularExpression re(QStringLiteral("<c r=\"%1\"( s=\"\\d+\")?><v>%2</v></c>")
                                        .arg(celda, QRegularExpression::escape(valor)));
        EXPECT_TRUE(re.match(hoja).hasMatch()) << celda.toStdString();
    };
    numero(QStringLiteral("B7"), QStringLiteral("1234567.5"));
    numero(QStringLiteral("B8"), QStringLiteral("-0.25"));
    numero(QStringLiteral("C7"), QStringLiteral("3"));
    numero(QStringLiteral("C9"), QStringLiteral("12"));
    EXPECT_FALSE(hoja.contains(QStringLiteral("r=\"C8\""))); // el nulo queda vacío
    // La fecha de las cifras como número de serie (30/06/2024 = 45473) y
    // totales como fórmula.
    numero(QStringLiteral("B2"), QStringLiteral("45473"));
    EXPECT_TRUE(hoja.contains(QStringLiteral("<f>SUM(C7:C9)</f><v>15</v>")));
    const QString hoja2 =
        QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/worksheets/sheet2.xml")));
    EXPECT_TRUE(hoja2.contains(QStringLiteral("<v>45504</v>"))) << "31/07/2024, la de la segunda";
    EXPECT_TRUE(hoja.contains(QStringLiteral("<col ")));

    const QString textos =
        QString::fromUtf8(Descomprimir(ruta, QStringLiteral("xl/sharedStrings.xml")));
    for (const char* t : {"Tipos de Compra", "Villa Serrana", "Licitación", "Cantidad", "Total",
                          "Monto; \"directas\"", "Cifras al", "en millones de pesos"})
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

    // Con nombres de categoría (el del inciso junto a su código), su columna
    // va después del rótulo y también ordena.
    TablaDatos t = Tabla();
    t.nombres = QStringList{QStringLiteral("Pública"), QStringLiteral("De precios"),
                            QStringLiteral("Compra directa")};
    ModeloVerDatos n(t);
    ASSERT_EQ(n.columnCount(), 4);
    EXPECT_EQ(n.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descripción"));
    EXPECT_EQ(n.headerData(2, Qt::Horizontal).toString(), QStringLiteral("Monto; \"directas\""));
    EXPECT_EQ(n.data(n.index(0, 1)).toString(), QStringLiteral("Pública"));
    EXPECT_EQ(n.data(n.index(0, 2)).toString(), QStringLiteral("1.234.567,50"));
    EXPECT_EQ(n.data(n.index(3, 3)).toString(), QStringLiteral("15"));
    n.sort(1, Qt::AscendingOrder);
    EXPECT_EQ(n.data(n.index(0, 0)).toString(), QStringLiteral("Directa"));
    EXPECT_EQ(n.data(n.index(3, 1)).toString(), QString()) << "el total no tiene nombre";
}

} // namespace
