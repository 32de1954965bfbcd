// La vista dibuja lo que tiene el modelo: divisiones del eje Y, marcadores,
// leyenda con ajuste de línea o acortada, rótulos de porcentaje, la franja
// de la derecha que tapa el otro gráfico, la fecha de las cifras, el color de
// cada serie por su nombre y el tooltip que se queda sobre la barra.
#include "ModeloGrafico.h"
#include "VistaGrafico.h"
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QFontMetrics>
#include <QGraphicsSimpleTextItem>
#include <QHelpEvent>
#include <QSet>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

ModeloGrafico Modelo(int filas, int series, double escala) {
    ModeloGrafico m;
    m.SetSize(filas, series, filas, series);
    for (int f = 1; f <= filas; ++f) {
        m.SetRowLabel(f, 1, QString::number(2020 + f));
        for (int c = 1; c <= series; ++c)
            m.SetData(f, c, escala * (f + c));
    }
    m.TitleText = QStringLiteral("Prueba");
    m.Visible = true;
    return m;
}

struct Vista {
    Vista(int ancho, int alto) { vista.resize(ancho, alto); }
    void Dibujar(const ModeloGrafico& m) {
        vista.Dibujar(m);
        vista.show();
        QApplication::processEvents();
    }
    VistaGrafico vista;
};

TEST(VistaGrafico, EjeYConLasDivisionesPedidasDePasoRedondo) {
    ModeloGrafico m = Modelo(4, 3, 1234.5);
    Vista v(360, 330);
    for (int divisiones : {5, 6}) {
        m.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 9, true, divisiones);
        v.Dibujar(m);
        QValueAxis* eje = v.vista.EjeY();
        ASSERT_NE(eje, nullptr);
        EXPECT_EQ(eje->tickCount(), divisiones + 1);
        EXPECT_EQ(eje->titleText(), QStringLiteral("(en millones de pesos)"));
        EXPECT_LE(eje->min(), 0);
        EXPECT_GE(eje->max(), 1234.5 * 7) << "el mayor valor entra";
        const double paso = (eje->max() - eje->min()) / divisiones;
        const double mantisa = paso / std::pow(10.0, std::floor(std::log10(paso)));
        EXPECT_NEAR(mantisa, std::round(mantisa * 10) / 10, 1e-9) << "paso redondo " << paso;
        EXPECT_LT(eje->max(), 1234.5 * 7 * 2) << "sin más que el doble de lugar";
    }
}

TEST(VistaGrafico, MarcadoresSobreCadaBarraYRotulosDePorcentaje) {
    ModeloGrafico m = Modelo(2, 3, 1);
    Vista v(360, 330);
    v.Dibujar(m);
    EXPECT_EQ(v.vista.Marcadores(), 0);
    EXPECT_TRUE(v.vista.RotulosVisibles().isEmpty());

    m.RecetaMarcadores();
    m.RecetaPorcentajes();
    v.Dibujar(m);
    EXPECT_EQ(v.vista.Marcadores(), 6) << "un círculo por punto";
    // 150 twips son 10 píxeles; con barras angostas, el ancho de la barra.
    EXPECT_GT(v.vista.DiametroMarcador(), 2.9);
    EXPECT_LE(v.vista.DiametroMarcador(), 10.0);
    QStringList textos; // serie por serie
    for (int c = 1; c <= 3; ++c)
        for (int f = 1; f <= 2; ++f)
            textos << m.TextoRotulo(f, c);
    EXPECT_EQ(v.vista.RotulosVisibles(), textos);
    EXPECT_EQ(textos.first(), QStringLiteral("22%")) << "2 de 2 + 3 + 4";
}

TEST(VistaGrafico, LeyendaConAjusteDeLineaOAcortada) {
    const QString largo = QStringLiteral(
        "Recursos afectados de origen provincial percibidos en el mismo período del año anterior "
        "según el clasificador");
    ModeloGrafico m = Modelo(3, 2, 1);
    m.NombrarSeries({largo, QStringLiteral("Corto")});
    m.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda, true);
    Vista v(300, 330);
    v.Dibujar(m);
    QStringList textos = v.vista.TextosLeyenda();
    ASSERT_EQ(textos.size(), 2);
    const QStringList renglones = textos[0].split(QLatin1Char('\n'));
    EXPECT_GT(renglones.size(), 1) << "el nombre largo se parte en renglones";
    EXPECT_EQ(renglones.join(QLatin1Char(' ')), largo) << "sin perder palabras";
    QFont fuente;
    fuente.setPointSizeF(9);
    for (const QString& r : renglones)
        EXPECT_LT(QFontMetrics(fuente).horizontalAdvance(r), 300);
    EXPECT_EQ(textos[1], QStringLiteral("Corto"));

    m.Leyenda.ajusteLinea = false;
    v.Dibujar(m);
    textos = v.vista.TextosLeyenda();
    EXPECT_FALSE(textos[0].contains(QLatin1Char('\n')));
    EXPECT_TRUE(textos[0].endsWith(QChar(0x2026))) << "sin ajuste se acorta";
}

TEST(VistaGrafico, NadaEnLaFranjaQueTapaElOtroGrafico) {
    ModeloGrafico m = Modelo(4, 3, 1000);
    m.RecetaLeyenda(CodigoGrafico::AlineacionDerecha);
    Vista v(361, 337);
    v.vista.ReservarDerecha(25);
    v.Dibujar(m);
    EXPECT_LE(v.vista.chart()->plotArea().right(), 361 - 25);
    for (QGraphicsItem* item : v.vista.chart()->childItems())
        if (item->isVisible() && item->zValue() >= 0 &&
            dynamic_cast<QGraphicsSimpleTextItem*>(item)) {
            EXPECT_LE(item->mapToScene(item->boundingRect()).boundingRect().right(), 361 - 25 + 1)
                << static_cast<QGraphicsSimpleTextItem*>(item)->text().toStdString();
        }
}

TEST(VistaGrafico, RotulosDeCategoriaQueNoCabenSeAchican) {
    ModeloGrafico m = Modelo(23, 3, 1);
    for (int f = 1; f <= 23; ++f)
        m.SetRowLabel(f, 1, QString::number(f + 8));
    Vista v(361, 417);
    v.Dibujar(m);
    QBarCategoryAxis* eje = v.vista.EjeCategorias();
    ASSERT_NE(eje, nullptr);
    EXPECT_FALSE(eje->truncateLabels()) << "nunca \"...\"";
    const double lugar = v.vista.chart()->plotArea().width() / 23;
    if (eje->labelsAngle() == 0) {
        EXPECT_LE(QFontMetrics(eje->labelsFont()).horizontalAdvance(QStringLiteral("31")), lugar);
    }
    EXPECT_LT(eje->labelsFont().pointSizeF(), 9.0) << "no entran con la letra de siempre";
}

TEST(VistaGrafico, CadaSerieConElColorDeSuNombreCualquieraSeaSuPuesto) {
    // Los tipos de compra vienen ordenados por cantidad: con otra fecha, otro orden.
    const QStringList tipos = {"Licitación Pública",  "Licitación Privada",
                               "Concurso de Precios", "Compra Directa",
                               "Caja Chica",          "Contratación de Emergencia"};
    const auto colores = [](const QStringList& orden) {
        ModeloGrafico m;
        m.SetSize(1, int(orden.size()), 1, int(orden.size()));
        m.NombrarSeries(orden);
        for (int c = 1; c <= int(orden.size()); ++c)
            m.SetData(1, c, 100 - c);
        Vista v(520, 330);
        v.Dibujar(m);
        std::map<QString, QRgb> porNombre;
        auto* barras = qobject_cast<QBarSeries*>(v.vista.chart()->series().first());
        for (QBarSet* conjunto : barras->barSets())
            porNombre[conjunto->label()] = conjunto->color().rgb();
        return porNombre;
    };
    const auto antes = colores(tipos);
    QStringList otroOrden = tipos;
    std::reverse(otroOrden.begin(), otroOrden.end());
    otroOrden.swapItemsAt(0, 2);
    EXPECT_EQ(colores(otroOrden), antes);
    QSet<QRgb> distintos;
    for (const auto& [nombre, color] : antes)
        distintos.insert(color);
    EXPECT_EQ(distintos.size(), tipos.size()) << "dos series del gráfico no comparten color";
}

TEST(VistaGrafico, DiceLaFechaDeSusCifrasOQueNoHayDatos) {
    ModeloGrafico m = Modelo(3, 2, 10);
    m.FechaCifras = QDate(2024, 6, 30);
    Vista v(360, 330);
    v.Dibujar(m);
    EXPECT_TRUE(v.vista.chart()->title().contains(QStringLiteral("Prueba")));
    EXPECT_TRUE(v.vista.chart()->title().contains(QStringLiteral("Cifras al 30/06/2024")));
    EXPECT_TRUE(v.vista.Aviso().isEmpty());

    // "Aceptar" sin filas: la grilla de ceros y el aviso sobre el gráfico.
    m.GrillaDeCeros(4, 2);
    m.SinDatos = true;
    m.FechaCifras = QDate(2019, 6, 15);
    v.Dibujar(m);
    EXPECT_EQ(v.vista.Aviso(), QStringLiteral("Sin datos al 15/06/2019"));
    EXPECT_FALSE(v.vista.chart()->title().contains(QStringLiteral("Cifras al")));
    QGraphicsSimpleTextItem* aviso = nullptr;
    for (QGraphicsItem* item : v.vista.chart()->childItems())
        if (auto* t = dynamic_cast<QGraphicsSimpleTextItem*>(item))
            if (t->text() == v.vista.Aviso())
                aviso = t;
    ASSERT_NE(aviso, nullptr);
    EXPECT_TRUE(aviso->isVisible());
    const QRectF lugar = aviso->mapToScene(aviso->boundingRect()).boundingRect();
    EXPECT_TRUE(v.vista.chart()->plotArea().contains(lugar.center())) << "sobre el gráfico";
}

TEST(VistaGrafico, ElTooltipDeUnaBarraSeQuedaMientrasElPunteroDescansa) {
    ModeloGrafico m = Modelo(2, 2, 10);
    m.NombrarSeries({QStringLiteral("Pagado"), QStringLiteral("Impago")});
    Vista v(360, 330);
    v.Dibujar(m);
    auto* barras = qobject_cast<QBarSeries*>(v.vista.chart()->series().first());
    ASSERT_NE(barras, nullptr);
    emit barras->hovered(true, 1, barras->barSets().at(0));
    ASSERT_TRUE(QToolTip::isVisible());
    const QString texto = QToolTip::text();
    EXPECT_EQ(texto, v.vista.TextoPunto(1, 0));
    // El puntero se queda quieto: Qt pide el tooltip del lugar al control.
    const QPoint punto(180, 160);
    QHelpEvent quieto(QEvent::ToolTip, punto, v.vista.viewport()->mapToGlobal(punto));
    QApplication::sendEvent(v.vista.viewport(), &quieto);
    QTest::qWait(800);
    EXPECT_TRUE(QToolTip::isVisible()) << "no se borra mientras el puntero sigue en la barra";
    EXPECT_EQ(QToolTip::text(), texto);
    emit barras->hovered(false, 1, barras->barSets().at(0));
    EXPECT_TRUE(QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000))
        << "al salir de la barra se va";
}

} // namespace
