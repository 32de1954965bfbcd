// Lo que el marco hace por todas las ventanas al pasar una tabla a un
// gráfico, con recordsets armados aquí: filas y rótulos, ceros, marcadores,
// el tope de filas, la fecha que vuelve y la que queda anotada en el gráfico,
// y los importes leídos como texto.
#include "Estadistica.h"
#include "Recordset.h"
#include <gtest/gtest.h>

namespace {

// Los ayudantes del marco, a la vista de la prueba.
struct Marco : Estadistica {
    Marco() : Estadistica(DescripcionEstadistica{}) {}
    PedidoImpresion Impresion(const QDate&) const override { return {}; }
    using Estadistica::LecturaGrafico;
    using Estadistica::LlenarGrafico;
    using Estadistica::Millones;
    using Estadistica::MillonesDeTexto;
    using Estadistica::NumeroDeTexto;
};

class Caja : public CajaFecha {
public:
    QDate Fecha() const override { return fecha; }
    void PonerFecha(const QDate& f) override { fecha = f; }
    QDate fecha{2026, 1, 2};
};

void Celda(Recordset& rs, int columna, const char* texto) {
    rs.AgregarCelda(columna, texto, qsizetype(qstrlen(texto)));
}

// Filas (ejercicio, IMPORTE como texto, FECHA); nullptr es nulo.
Recordset Tabla(const std::vector<std::array<const char*, 3>>& filas) {
    Recordset rs;
    rs.AgregarColumna("ejercicio", Recordset::Tipo::Entero);
    rs.AgregarColumna("IMPORTE", Recordset::Tipo::Texto);
    rs.AgregarColumna("FECHA", Recordset::Tipo::Fecha);
    for (const auto& fila : filas)
        for (int c = 0; c < 3; ++c)
            fila[size_t(c)] ? Celda(rs, c, fila[size_t(c)]) : rs.AgregarNulo(c);
    rs.TerminarCarga();
    return rs;
}

Marco::LecturaGrafico Lectura(int ceros, bool marcadores) {
    Marco::LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    l.valores = {Marco::MillonesDeTexto(QStringLiteral("IMPORTE")),
                 [](const Recordset&) { return 1.0; }};
    l.ceros = ceros;
    l.marcadores = marcadores;
    return l;
}

TEST(MarcoEstadistica, UnaCategoriaPorFilaConSuRotuloYSusValores) {
    Recordset rs = Tabla({{"2024", "25000000", "2024-06-30"}, {"2023", " 1500000.5 ", nullptr}});
    rs.MoveNext(); // la lectura empieza siempre por el primer registro
    ModeloGrafico g;
    Caja caja;
    Marco().LlenarGrafico(g, rs, Lectura(5, true), &caja);
    ASSERT_EQ(g.RowCount(), 2);
    ASSERT_EQ(g.ColumnCount(), 2);
    EXPECT_EQ(g.RowLabel(1), QStringLiteral("2024"));
    EXPECT_EQ(g.RowLabel(2), QStringLiteral("2023"));
    EXPECT_DOUBLE_EQ(g.Dato(1, 1), 25) << "25 000 000 pesos son 25 millones";
    EXPECT_DOUBLE_EQ(g.Dato(2, 1), 1.5000005);
    EXPECT_EQ(g.Dato(2, 2), 1);
    EXPECT_FALSE(g.Marcador(2).automatico);
    EXPECT_EQ(caja.fecha, QDate(2024, 6, 30)) << "la fecha del primer registro";
    EXPECT_EQ(g.FechaCifras, QDate(2024, 6, 30)) << "el gráfico sabe de qué fecha son sus cifras";
    EXPECT_FALSE(g.SinDatos);
}

TEST(MarcoEstadistica, SinFilasCerosOLaGrillaComoEstaba) {
    ModeloGrafico g;
    g.SetSize(1, 1, 2, 2);
    g.SetData(2, 2, 9);
    Caja caja;
    Recordset vacio = Tabla({});
    Marco().LlenarGrafico(g, vacio, Lectura(0, true), &caja);
    EXPECT_EQ(g.RowCount(), 2);
    EXPECT_EQ(g.Dato(2, 2), 9);
    EXPECT_TRUE(g.Marcador(1).automatico) << "sin dimensionar no hay receta";
    EXPECT_EQ(caja.fecha, QDate(2026, 1, 2));
    EXPECT_TRUE(g.SinDatos);
    EXPECT_FALSE(g.FechaCifras.isValid()) << "al cargar no se generó para ninguna fecha";

    Marco().LlenarGrafico(g, vacio, Lectura(4, true), &caja);
    ASSERT_EQ(g.RowCount(), 4);
    ASSERT_EQ(g.ColumnCount(), 2);
    EXPECT_EQ(g.Dato(2, 2), 0);
    EXPECT_FALSE(g.Marcador(2).automatico);
}

TEST(MarcoEstadistica, TopeDeFilasDelGraficoYDeLaLectura) {
    std::vector<std::array<const char*, 3>> filas(Estadistica::MaximoFilas + 10,
                                                  {"2024", "1", nullptr});
    Recordset rs = Tabla(filas);
    ModeloGrafico g;
    Marco().LlenarGrafico(g, rs, Lectura(0, false));
    EXPECT_EQ(g.RowCount(), 32767);
    EXPECT_EQ(g.RowLabel(32767), QStringLiteral("2024"));

    Marco::LecturaGrafico primera = Lectura(0, false);
    primera.maximo = 1;
    Marco().LlenarGrafico(g, rs, primera);
    EXPECT_EQ(g.RowCount(), 1);
}

TEST(MarcoEstadistica, ImporteVacioNuloONoNumericoCuentaCero) {
    Recordset rs = Tabla({{"1", "", nullptr},
                          {"2", nullptr, nullptr},
                          {"3", "abc", nullptr},
                          {"4", "1.234,5", nullptr},
                          {"5", "-2e6", nullptr}});
    const double esperados[] = {0, 0, 0, 1234.5, -2e6};
    int i = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++i) {
        EXPECT_DOUBLE_EQ(Marco::NumeroDeTexto(rs, QStringLiteral("IMPORTE")), esperados[i]) << i;
        EXPECT_DOUBLE_EQ(Marco::Millones(QStringLiteral("ejercicio"))(rs), (i + 1) / 1e6);
    }
    rs.MoveFirst();
    EXPECT_EQ(Marco::NumeroDeTexto(rs, QStringLiteral("NO_EXISTE")), 0);
}

} // namespace
