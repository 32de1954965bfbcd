// Modelo de gráfico: semántica de la grilla de datos, rótulos y recetas.
#include "ModeloGrafico.h"
#include <gtest/gtest.h>

namespace {

TEST(ModeloGrafico, CambiarElTamanoConservaLoQueQuedaDentro) {
    ModeloGrafico g;
    g.SetSize(1, 1, 2, 3);
    for (int f = 1; f <= 2; ++f)
        for (int c = 1; c <= 3; ++c)
            ASSERT_TRUE(g.SetData(f, c, f * 10 + c));
    g.SetRowLabel(2, 1, QStringLiteral("2024"));
    g.PonerNombreFila(2, QStringLiteral("Ejercicio 2024"));
    g.SetColumn(3);
    g.SetColumnLabel(QStringLiteral("Pagado"));

    g.SetSize(1, 1, 3, 4);
    EXPECT_EQ(g.RowCount(), 3);
    EXPECT_EQ(g.ColumnCount(), 4);
    EXPECT_EQ(g.Dato(2, 3), 23);
    EXPECT_EQ(g.Dato(1, 1), 11);
    EXPECT_EQ(g.Dato(3, 4), 0) << "lo nuevo en cero";
    EXPECT_EQ(g.Dato(2, 4), 0);
    EXPECT_EQ(g.RowLabel(2), QStringLiteral("2024"));
    EXPECT_EQ(g.NombreFila(2), QStringLiteral("Ejercicio 2024"));
    EXPECT_TRUE(g.NombreFila(3).isEmpty());
    EXPECT_EQ(g.ColumnLabel(3), QStringLiteral("Pagado"));
    EXPECT_TRUE(g.ColumnLabel(4).isEmpty());

    g.SetSize(1, 1, 1, 2);
    EXPECT_TRUE(g.NombreFila(2).isEmpty()) << "fuera de la grilla";
    EXPECT_FALSE(g.PonerNombreFila(2, QStringLiteral("x")));
    EXPECT_EQ(g.Dato(1, 2), 12);
    EXPECT_EQ(g.Dato(2, 3), 0) << "fuera de la grilla";
    EXPECT_EQ(g.Column(), 2) << "la columna actual vuelve dentro";
    EXPECT_EQ(g.NombresSeries(), (QStringList{QString(), QString()}));

    // Sin filas quedan las series con sus nombres y formatos; los valores de
    // antes no vuelven al crecer.
    g.SetSize(1, 2, 1, 2);
    g.NombrarSeries({QStringLiteral("Devengado"), QStringLiteral("Pagado")});
    g.RecetaMarcadores();
    g.RecetaPorcentajes();
    g.SetSize(0, 2, 0, 2);
    EXPECT_EQ(g.RowCount(), 0);
    ASSERT_EQ(g.ColumnCount(), 2);
    EXPECT_EQ(g.NombresSeries(), (QStringList{"Devengado", "Pagado"}));
    EXPECT_FALSE(g.Marcador(2).automatico);
    EXPECT_EQ(g.Rotulos(2).ubicacion, CodigoGrafico::RotuloAfuera);
    g.SetSize(3, 2, 3, 2);
    EXPECT_EQ(g.NombresSeries(), (QStringList{"Devengado", "Pagado"}));
    EXPECT_EQ(g.Dato(1, 2), 0);
    EXPECT_TRUE(g.RowLabel(1).isEmpty());
}

TEST(ModeloGrafico, NaceConLaGrillaDeDisenoYLaVuelveACeros) {
    ModeloGrafico g;
    EXPECT_EQ(g.RowCount(), ModeloGrafico::FilasDiseno);
    EXPECT_EQ(g.ColumnCount(), ModeloGrafico::SeriesDiseno);
    EXPECT_EQ(g.NombresSeries(), (QStringList{QString(), QString(), QString()}));
    EXPECT_FALSE(g.Visible);
    // Una receta antes de dimensionar alcanza a las series de diseño que quedan.
    g.RecetaMarcadores();
    g.SetSize(4, 2, 4, 2);
    EXPECT_FALSE(g.Marcador(1).automatico);
    EXPECT_EQ(g.Marcador(2).tamanio, 150);

    g.SetData(2, 2, 7.5);
    g.SetRowLabel(2, 1, QStringLiteral("2024"));
    g.PonerNombreFila(2, QStringLiteral("Ejercicio 2024"));
    g.NombrarSeries({QStringLiteral("Presupuesto"), QStringLiteral("Devengado")});
    g.GrillaDeCeros(5, 3);
    EXPECT_EQ(g.RowCount(), 5);
    EXPECT_EQ(g.ColumnCount(), 3);
    EXPECT_EQ(g.RowLabelCount(), 5);
    EXPECT_EQ(g.ColumnLabelCount(), 3);
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(g.Dato(f, c), 0) << f << "," << c;
    // Ceros sin categorías de antes (el gráfico vacío no dice "2024: 0"); las
    // series conservan su nombre.
    EXPECT_TRUE(g.RowLabel(2).isEmpty());
    EXPECT_TRUE(g.NombreFila(2).isEmpty());
    EXPECT_EQ(g.ColumnLabel(2), QStringLiteral("Devengado"));

    g.NombrarSeries({QStringLiteral("Tributarios"), QStringLiteral("No Tributarios"),
                     QStringLiteral("Otros Ingresos"), QStringLiteral("de más")});
    EXPECT_EQ(g.NombresSeries(), (QStringList{"Tributarios", "No Tributarios", "Otros Ingresos"}));
    EXPECT_EQ(g.Column(), 3);
}

TEST(ModeloGrafico, FueraDeLaGrillaNoCambiaNada) {
    ModeloGrafico g;
    g.SetSize(1, 1, 1, 2);
    EXPECT_FALSE(g.SetData(2, 1, 5));
    EXPECT_FALSE(g.SetData(1, 3, 5));
    EXPECT_FALSE(g.SetData(0, 1, 5));
    EXPECT_FALSE(g.SetRowLabel(2, 1, QStringLiteral("x")));
    EXPECT_FALSE(g.SetColumn(3));
    EXPECT_EQ(g.Column(), 1);
    ASSERT_TRUE(g.SetColumnLabel(QStringLiteral("Primera")));
    EXPECT_EQ(g.ColumnLabel(1), QStringLiteral("Primera")) << "el rótulo va a la columna actual";
    ASSERT_TRUE(g.SetData(1, 2, 7, 1));
    EXPECT_TRUE(g.EsNulo(1, 2));
    EXPECT_EQ(g.Dato(1, 2), 0);
    // Niveles de rótulo: solo los que se dimensionaron.
    EXPECT_FALSE(g.SetRowLabel(1, 2, QStringLiteral("x")));
    g.SetSize(2, 1, 1, 2);
    EXPECT_TRUE(g.SetRowLabel(1, 2, QStringLiteral("segundo nivel")));
    EXPECT_EQ(g.RowLabel(1, 2), QStringLiteral("segundo nivel"));
    EXPECT_TRUE(g.RowLabel(1).isEmpty());
}

TEST(ModeloGrafico, RotulosDePorcentajeSobreElTotalDeLaFila) {
    ModeloGrafico g;
    g.SetSize(1, 3, 2, 3);
    g.SetData(1, 1, 6);
    g.SetData(1, 2, 1);
    g.SetData(1, 3, 1);
    g.SetData(2, 1, 1);
    g.SetData(2, 2, 2);
    EXPECT_TRUE(g.TextoRotulo(1, 1).isEmpty()) << "sin receta no hay rótulos";

    g.RecetaPorcentajes();
    EXPECT_EQ(g.TextoRotulo(1, 1), QStringLiteral("75%"));
    EXPECT_EQ(g.TextoRotulo(1, 2), QStringLiteral("13%")) << "12,5 redondea para arriba";
    EXPECT_EQ(g.TextoRotulo(2, 1), QStringLiteral("33%"));
    EXPECT_EQ(g.TextoRotulo(2, 2), QStringLiteral("67%"));
    EXPECT_EQ(g.TextoRotulo(2, 3), QStringLiteral("0%"));
    for (int c = 1; c <= 3; ++c) {
        EXPECT_EQ(g.Rotulos(c).ubicacion, CodigoGrafico::RotuloAfuera);
        EXPECT_EQ(g.Rotulos(c).componentes, CodigoGrafico::ComponentePorcentaje);
        EXPECT_EQ(g.Rotulos(c).formatoPorcentaje, QStringLiteral("0%"));
        EXPECT_EQ(g.Rotulos(c).tamanioFuente, 10);
    }

    g.Rotulos(1).formatoPorcentaje = QStringLiteral("0.0%");
    EXPECT_EQ(g.TextoRotulo(2, 1), QStringLiteral("33,3%"));
    g.Rotulos(2).componentes = CodigoGrafico::ComponenteValor | CodigoGrafico::ComponentePorcentaje;
    EXPECT_EQ(g.TextoRotulo(2, 2), QStringLiteral("2 67%"));

    // La receta vale para las series que había: una serie nueva no tiene rótulos.
    g.SetSize(1, 4, 2, 4);
    g.SetData(2, 4, 3);
    EXPECT_TRUE(g.TextoRotulo(2, 4).isEmpty());
    EXPECT_EQ(g.TextoRotulo(2, 2), QStringLiteral("2 33%")) << "el total ahora incluye la nueva";

    // Sobre una serie base: la parte de lo ejecutado (y lo ejecutado, 100 %).
    ModeloGrafico base;
    base.SetSize(1, 2, 1, 2);
    base.SetData(1, 1, 373);
    base.SetData(1, 2, 1000);
    base.RecetaPorcentajes();
    EXPECT_EQ(base.TextoRotulo(1, 1), QStringLiteral("27%")) << "sobre el total de la fila";
    base.Rotulos(1).serieBase = base.Rotulos(2).serieBase = 2;
    EXPECT_EQ(base.TextoRotulo(1, 1), QStringLiteral("37%"));
    EXPECT_EQ(base.TextoRotulo(1, 2), QStringLiteral("100%"));
    base.SetData(1, 2, 0);
    EXPECT_TRUE(base.TextoRotulo(1, 1).isEmpty()) << "base en cero: no hay porcentaje";

    ModeloGrafico ceros;
    ceros.SetSize(1, 5, 1, 5);
    ceros.RecetaPorcentajes();
    EXPECT_TRUE(ceros.TextoRotulo(1, 1).isEmpty()) << "sin total no hay porcentaje";
}

TEST(ModeloGrafico, RecetasDeEjeLeyendaYMarcadores) {
    ModeloGrafico g;
    g.EjeY.divisionesMayores = 3;
    g.EjeY.escalaAutomatica = false;
    g.RecetaEjeY(QStringLiteral("(en cantidad)"), 9, true);
    EXPECT_EQ(g.EjeY.titulo, QStringLiteral("(en cantidad)"));
    EXPECT_EQ(g.EjeY.tamanioFuente, 9);
    EXPECT_TRUE(g.EjeY.escalaAutomatica);
    EXPECT_EQ(g.EjeY.divisionesMayores, 3) << "sin cantidad de divisiones no se toca";
    g.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 10, std::nullopt, 6);
    EXPECT_EQ(g.EjeY.divisionesMayores, 6);
    EXPECT_EQ(g.EjeY.tamanioFuente, 10);

    g.Leyenda.alineacion = CodigoGrafico::AlineacionCentro;
    g.RecetaLeyenda();
    EXPECT_EQ(g.Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
    EXPECT_EQ(g.Leyenda.alineacion, CodigoGrafico::AlineacionCentro);
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda, true);
    EXPECT_EQ(g.Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
    EXPECT_TRUE(g.Leyenda.ajusteLinea);

    g.SetSize(1, 1, 4, 2);
    g.RecetaMarcadores();
    g.SetSize(1, 1, 4, 3);
    EXPECT_FALSE(g.Marcador(1).automatico);
    EXPECT_EQ(g.Marcador(2).estilo, CodigoGrafico::MarcadorCirculoLleno);
    EXPECT_EQ(g.Marcador(2).tamanio, 150);
    EXPECT_TRUE(g.Marcador(3).automatico) << "la serie agregada después no tiene la receta";
}

} // namespace
