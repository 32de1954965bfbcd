// Volcado rápido de filas: cada celda sale igual que por la conversión
// general, también las que tienen formas raras, y el CSV de un Recordset.
#include "Recordset.h"
#include "VolcadoFilas.h"
#include <gtest/gtest.h>

namespace {

struct Columna {
    Recordset::Tipo tipo;
    std::vector<const char*> celdas; // nullptr: nulo
};

void Cargar(Recordset& rs, const std::vector<Columna>& columnas) {
    rs.Reiniciar();
    for (size_t c = 0; c < columnas.size(); ++c)
        rs.AgregarColumna(QStringLiteral("c%1").arg(c), columnas[c].tipo);
    for (size_t c = 0; c < columnas.size(); ++c)
        for (const char* celda : columnas[c].celdas) {
            if (celda)
                rs.AgregarCelda(int(c), celda, qsizetype(strlen(celda)));
            else
                rs.AgregarNulo(int(c));
        }
    rs.TerminarCarga();
}

TEST(VolcadoFilas, ConsolaIgualALaConversionGeneral) {
    using T = Recordset::Tipo;
    const std::vector<const char*> decimales = {"1234.5000",
                                                "0.0001",
                                                "0.00001",
                                                "-0.00",
                                                "0",
                                                "-12.75",
                                                "12345678901234567.5",
                                                "1.23456789012345678",
                                                "1e5",
                                                "007.50",
                                                ".5",
                                                "-.5",
                                                "1,5",
                                                "100",
                                                "0.000123",
                                                "999999999999999",
                                                "9999999999999999",
                                                nullptr};
    const std::vector<const char*> enteros = {"42",
                                              "-7",
                                              "0",
                                              "-0",
                                              "007",
                                              "+5",
                                              "123456789012345678",
                                              "12345678901234567890",
                                              "abc",
                                              "-",
                                              "1",
                                              "2",
                                              "3",
                                              "4",
                                              "5",
                                              "6",
                                              "7",
                                              nullptr};
    const std::vector<const char*> fechas = {
        "2024-02-29", "2023-02-29", "2024-13-01", "2024-1-1",   "2024-06-30 00:00:00", "x",
        "",           "1999-12-31", "2000-01-01", "2024-06-30", "2024-06-30",          "2024-06-30",
        "2024-06-30", "2024-06-30", "2024-06-30", "2024-06-30", "2024-06-30",          nullptr};
    const std::vector<const char*> horas = {"2024-06-30 13:45:59",
                                            "2024-06-30 13:45:59.123",
                                            "2024-06-30 24:00:00",
                                            "2024-06-30T13:45:59",
                                            "2024-06-30",
                                            "2024-02-30 10:00:00",
                                            "",
                                            "a",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            "2024-06-30 01:02:03",
                                            nullptr};
    const std::vector<const char*> textos = {"hola",
                                             "con\ttab",
                                             "dos\r\n\nsaltos",
                                             "\tal borde\n",
                                             "ñandú",
                                             "",
                                             "a;b",
                                             "\"c\"",
                                             " x ",
                                             "1",
                                             "2",
                                             "3",
                                             "4",
                                             "5",
                                             "6",
                                             "7",
                                             "8",
                                             nullptr};
    Recordset rs;
    Cargar(rs, {{T::Decimal, decimales},
                {T::Entero, enteros},
                {T::Fecha, fechas},
                {T::FechaHora, horas},
                {T::Texto, textos}});
    ASSERT_EQ(rs.RecordCount(), int(decimales.size()));
    VolcadoFilas volcado(rs, VolcadoFilas::Destino::Consola);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList general;
        for (int i = 0; i < rs.CantidadCampos(); ++i)
            general << VolcadoFilas::TextoConsola(rs.Valor(i));
        QByteArray rapido;
        volcado.Fila(rapido);
        EXPECT_EQ(QString::fromUtf8(rapido), general.join(QLatin1Char('\t')) + QLatin1Char('\n'))
            << "fila " << rs.PosicionActual();
    }
    QByteArray encabezado;
    volcado.Encabezado(encabezado);
    EXPECT_EQ(encabezado, "c0\tc1\tc2\tc3\tc4\n");
}

TEST(VolcadoFilas, CsvDeUnRecordset) {
    using T = Recordset::Tipo;
    Recordset rs;
    Cargar(rs, {{T::Texto, {"Licitación", "a;b", " x", "di \"jo\"", nullptr}},
                {T::Decimal, {"1234.50", "-0.25", "1e-7", "0", "3"}},
                {T::Fecha, {"2024-06-30", nullptr, "2024-01-02", "2024-01-03", "2024-01-04"}},
                {T::FechaHora,
                 {"2024-06-30 08:09:10", "2024-06-30 08:09:10.5", nullptr, nullptr, nullptr}}});
    const QByteArray csv = VolcadoFilas(rs, VolcadoFilas::Destino::Csv).Todo();
    EXPECT_EQ(csv, QByteArray("\xEF\xBB\xBF"
                              "c0;c1;c2;c3\r\n"
                              "Licitación;1234,5;30/06/2024;30/06/2024 08:09:10\r\n"
                              "\"a;b\";-0,25;;30/06/2024 08:09:10\r\n"
                              "\" x\";0,0000001;02/01/2024;\r\n"
                              "\"di \"\"jo\"\"\";0;03/01/2024;\r\n"
                              ";3;04/01/2024;\r\n"));
}

} // namespace
