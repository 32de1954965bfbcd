// Diagramación y textos de las páginas con datos en memoria: cantidad de
// páginas, "Página N de M", grupos, totales, porcentajes y dónde cae cada banda.
#include "AyudaReportes.h"
#include "LectorDefinicion.h"
#include "PintorReporte.h"
#include <gtest/gtest.h>

namespace {

const qreal Mm = PuntosPorMm;

struct Reporte {
    Corrida c;
    ErrorDefinicion error;
    bool ok = false;
};

// Corre una definición sobre filas en memoria. Columnas: los nombres; filas:
// una lista de valores por fila.
std::unique_ptr<Reporte> Correr(const QByteArray& xml, const QStringList& columnas,
                                std::vector<std::vector<QVariant>> filas,
                                std::vector<std::unique_ptr<Corrida>> subreportes = {}) {
    auto r = std::make_unique<Reporte>();
    auto d = LeerDefinicionDeTexto(xml, QStringLiteral("prueba.rpt"), r->error);
    EXPECT_TRUE(d) << r->error.Texto().toStdString();
    if (!d)
        return r;
    r->c.definicion = d;
    r->c.datos = std::make_unique<DatosEnMemoria>(columnas, std::move(filas));
    r->c.subreportes = std::move(subreportes);
    r->ok = PrepararCorrida(r->c, false, r->error);
    return r;
}

std::vector<std::vector<QVariant>> Numeradas(int n) {
    std::vector<std::vector<QVariant>> filas;
    for (int i = 1; i <= n; ++i)
        filas.push_back({QVariant(qlonglong(i))});
    return filas;
}

// Textos de una página (desde 1), en orden de dibujo.
QStringList Textos(const Corrida& c, int pagina) {
    TablaFormulas formulas;
    const ContextoPagina contexto{&formulas, QDateTime(QDate(2024, 3, 15), QTime(9, 5)), pagina,
                                  c.Paginas()};
    QStringList r;
    for (const Trazo& t : ArmarPagina(c, pagina - 1, contexto))
        if (t.tipo == Trazo::Tipo::Texto)
            r << t.texto;
    return r;
}

// Hoja A4 con 10 mm de margen: 277 mm útiles; 20 de encabezado y 10 de pie
// dejan 247 mm, 49 filas de 5 mm por página.
const QByteArray Listado = R"(<reporte version="1">
  <pagina papel="A4" margen="10"/>
  <encabezado-pagina alto="20"><texto ancho="50" alto="5">Listado</texto></encabezado-pagina>
  <detalle alto="5"><campo columna="n" ancho="30" formato="#.##0"/></detalle>
  <pie-reporte alto="10">
    <total funcion="suma" columna="n" ancho="40" prefijo="Suma " formato="#.##0"/>
  </pie-reporte>
  <pie-pagina alto="10"><campo especial="pagina-n-de-m" ancho="60" alto="5"/>
    <campo especial="fecha-impresion" x="100" ancho="30" alto="5"/>
    <campo especial="hora-impresion" x="140" ancho="20" alto="5"/>
  </pie-pagina>
</reporte>)";

TEST(Diagramacion, PaginasYNumeroDePagina) {
    const auto r = Correr(Listado, {QStringLiteral("n")}, Numeradas(100));
    ASSERT_TRUE(r->ok) << r->error.Texto().toStdString();
    ASSERT_EQ(r->c.Paginas(), 3);
    const QStringList p1 = Textos(r->c, 1);
    ASSERT_EQ(p1.size(), 1 + 49 + 3);
    EXPECT_EQ(p1.front(), QStringLiteral("Listado"));
    EXPECT_EQ(p1[1], QStringLiteral("1"));
    EXPECT_EQ(p1[49], QStringLiteral("49"));
    EXPECT_EQ(p1.mid(50), QStringList({QStringLiteral("Página 1 de 3"),
                                       QStringLiteral("15/03/2024"), QStringLiteral("09:05")}));
    const QStringList p2 = Textos(r->c, 2);
    EXPECT_EQ(p2[1], QStringLiteral("50"));
    EXPECT_TRUE(p2.contains(QStringLiteral("Página 2 de 3")));
    const QStringList p3 = Textos(r->c, 3);
    EXPECT_EQ(p3.mid(1, 3), QStringList({QStringLiteral("99"), QStringLiteral("100"),
                                         QStringLiteral("Suma 5.050")}));
    EXPECT_TRUE(p3.contains(QStringLiteral("Página 3 de 3")));

    // el pie de página va al pie de cada hoja, aunque la última esté casi vacía
    const auto& ultima = r->c.diagramacion.paginas[2];
    EXPECT_NEAR(ultima.back().y, (277 - 10) * Mm, 1e-3);
    EXPECT_EQ(ultima.back().banda, r->c.definicion->piePagina);
    EXPECT_TRUE(ArmarPagina(r->c, 3, {}).empty()); // no hay página 4
}

TEST(Diagramacion, SinFilasHayUnaPaginaConTotalesEnCero) {
    const auto r = Correr(Listado, {QStringLiteral("n")}, {});
    ASSERT_TRUE(r->ok);
    ASSERT_EQ(r->c.Paginas(), 1);
    EXPECT_EQ(Textos(r->c, 1),
              QStringList({QStringLiteral("Listado"), QStringLiteral("Suma 0"),
                           QStringLiteral("Página 1 de 1"), QStringLiteral("15/03/2024"),
                           QStringLiteral("09:05")}));
}

const QByteArray PorTipo = R"(<reporte version="1">
  <pagina papel="A4" margen="10"/>
  <encabezado-reporte alto="10"><texto ancho="80" alto="5">Compras por tipo</texto></encabezado-reporte>
  <grupo columna="tipo" repetir-encabezado="si">
    <encabezado-grupo alto="10"><campo columna="tipo" prefijo="Tipo " ancho="60" alto="5"/>
    </encabezado-grupo>
    <pie-grupo alto="10">
      <total funcion="cuenta" ancho="30" alto="5" prefijo="Órdenes "/>
      <total funcion="suma" columna="importe" x="40" ancho="40" alto="5" formato="#.##0,00"/>
      <porcentaje columna="importe" x="90" ancho="20" alto="5"/>
    </pie-grupo>
  </grupo>
  <detalle alto="5">
    <campo columna="importe" ancho="40" formato="#.##0,00"/>
    <porcentaje columna="importe" de="grupo" x="50" ancho="20"/>
    <porcentaje columna="importe" x="80" ancho="20" formato="0,0 %"/>
  </detalle>
  <pie-reporte alto="10">
    <total funcion="suma" columna="importe" ancho="40" alto="5" formato="#.##0,00" prefijo="Total "/>
    <total funcion="promedio" columna="importe" x="50" ancho="40" alto="5" formato="#.##0,00"/>
    <total funcion="maximo" columna="importe" x="100" ancho="40" alto="5" formato="#.##0,00"/>
  </pie-reporte>
</reporte>)";

TEST(Diagramacion, GruposConSusTotalesYPorcentajes) {
    const std::vector<std::vector<QVariant>> filas = {{QStringLiteral("LP"), 600.0},
                                                      {QStringLiteral("LP"), 200.0},
                                                      {QStringLiteral("CD"), 150.0},
                                                      {QStringLiteral("CD"), 50.0}};
    const auto r = Correr(PorTipo, {QStringLiteral("tipo"), QStringLiteral("importe")}, filas);
    ASSERT_TRUE(r->ok) << r->error.Texto().toStdString();
    ASSERT_EQ(r->c.Paginas(), 1);
    EXPECT_EQ(
        Textos(r->c, 1),
        QStringList(
            {"Compras por tipo", "Tipo LP",   "600,00", "75 %",  "60,0 %",    "200,00", "25 %",
             "20,0 %",           "Órdenes 2", "800,00", "80 %",  "Tipo CD",   "150,00", "75 %",
             "15,0 %",           "50,00",     "25 %",   "5,0 %", "Órdenes 2", "200,00", "20 %",
             "Total 1.000,00",   "250,00",    "600,00"}));
}

TEST(Diagramacion, EncabezadoDeGrupoNoQuedaSoloYSeRepite) {
    // 60 filas de un mismo tipo: la página 2 repite "Tipo LP"
    std::vector<std::vector<QVariant>> filas;
    for (int i = 0; i < 60; ++i)
        filas.push_back({QStringLiteral("LP"), 1.0});
    // y un tipo nuevo que empieza justo al pie: su encabezado pasa con su fila
    const auto r1 = Correr(PorTipo, {QStringLiteral("tipo"), QStringLiteral("importe")}, filas);
    ASSERT_TRUE(r1->ok);
    ASSERT_EQ(r1->c.Paginas(), 2);
    EXPECT_EQ(Textos(r1->c, 2).front(), QStringLiteral("Tipo LP"));

    // cuerpo: 277 mm; encabezado de reporte 10 + grupo 10 + 49 filas de 5 = 265:
    // quedan 12 mm, entra el pie del grupo (10) pero no encabezado + una fila (15)
    filas.resize(49);
    filas.push_back({QStringLiteral("CD"), 1.0});
    const auto r2 = Correr(PorTipo, {QStringLiteral("tipo"), QStringLiteral("importe")}, filas);
    ASSERT_TRUE(r2->ok);
    ASSERT_EQ(r2->c.Paginas(), 2);
    EXPECT_EQ(Textos(r2->c, 1).back(), QStringLiteral("98 %")); // pie del grupo LP
    EXPECT_EQ(Textos(r2->c, 2).front(), QStringLiteral("Tipo CD"));
}

TEST(Diagramacion, GrupoEnPaginaNueva) {
    QByteArray xml = PorTipo;
    xml.replace(R"(repetir-encabezado="si")", R"(nueva-pagina="si")");
    const std::vector<std::vector<QVariant>> filas = {
        {QStringLiteral("A"), 1.0}, {QStringLiteral("B"), 1.0}, {QStringLiteral("C"), 1.0}};
    const auto r = Correr(xml, {QStringLiteral("tipo"), QStringLiteral("importe")}, filas);
    ASSERT_TRUE(r->ok);
    ASSERT_EQ(r->c.Paginas(), 3);
    EXPECT_EQ(Textos(r->c, 1)[1], QStringLiteral("Tipo A"));
    EXPECT_EQ(Textos(r->c, 2)[0], QStringLiteral("Tipo B"));
    EXPECT_EQ(Textos(r->c, 3)[0], QStringLiteral("Tipo C"));
    EXPECT_EQ(Textos(r->c, 3).back(), QStringLiteral("1,00")); // máximo, en el pie del reporte
}

TEST(Diagramacion, BandasQueNoEntranTerminanIgual) {
    // encabezado de página y de grupo repetido llenan casi la hoja: una fila por
    // página, y la primera lleva solo el encabezado del grupo
    const QByteArray xml = R"(<reporte version="1"><pagina margen="10"/>
      <encabezado-pagina alto="150"/>
      <grupo columna="g" repetir-encabezado="si"><encabezado-grupo alto="100"/></grupo>
      <detalle alto="100"><campo columna="g" ancho="10"/></detalle>
    </reporte>)";
    std::vector<std::vector<QVariant>> filas(5, {QVariant(qlonglong(1))});
    const auto r = Correr(xml, {QStringLiteral("g")}, filas);
    ASSERT_TRUE(r->ok);
    EXPECT_EQ(r->c.Paginas(), 6);
}

TEST(Diagramacion, SubreporteHaceCrecerSuBanda) {
    const QByteArray xml = R"(<reporte version="1"><pagina margen="10"/>
      <encabezado-reporte alto="30">
        <texto ancho="50" alto="5">Arriba</texto>
        <subreporte nombre="Lista" y="5" ancho="100" alto="10">
          <detalle alto="5"><campo columna="n" ancho="20"/></detalle>
        </subreporte>
        <texto y="20" ancho="50" alto="5">Abajo</texto>
      </encabezado-reporte>
      <detalle alto="5"><campo columna="n" ancho="20" prefijo="fila "/></detalle>
    </reporte>)";
    auto sub = std::make_unique<Corrida>();
    ErrorDefinicion error;
    auto principal = LeerDefinicionDeTexto(xml, QStringLiteral("prueba.rpt"), error);
    ASSERT_TRUE(principal) << error.Texto().toStdString();
    sub->definicion = principal->subreportes[0].definicion;
    sub->datos = std::make_unique<DatosEnMemoria>(QStringList{QStringLiteral("n")}, Numeradas(5));
    std::vector<std::unique_ptr<Corrida>> subs;
    subs.push_back(std::move(sub));
    const auto r = Correr(xml, {QStringLiteral("n")}, Numeradas(1), std::move(subs));
    ASSERT_TRUE(r->ok) << r->error.Texto().toStdString();
    // 5 filas de 5 mm en un marco de 10: la banda crece 15 mm y "Abajo" baja otro tanto
    EXPECT_NEAR(r->c.altos[size_t(r->c.definicion->encabezadoReporte)], 45 * Mm, 1e-6);
    EXPECT_EQ(Textos(r->c, 1), QStringList({"Arriba", "1", "2", "3", "4", "5", "Abajo", "fila 1"}));
    TablaFormulas f;
    const auto trazos = ArmarPagina(r->c, 0, {&f, {}, 1, 1});
    const auto abajo = std::find_if(trazos.begin(), trazos.end(),
                                    [](const Trazo& t) { return t.texto == "Abajo"; });
    ASSERT_NE(abajo, trazos.end());
    EXPECT_NEAR(abajo->caja.top(), (10 + 20 + 15) * Mm, 1e-6);
}

TEST(Diagramacion, ImagenesDeArchivoYDeColumna) {
    QTemporaryDir dir;
    ASSERT_TRUE(prueba::EscribirArchivo(dir.filePath(QStringLiteral("img/escudo.png")),
                                        prueba::EmblemaPng()));
    const QByteArray xml = R"(<reporte version="1"><pagina margen="10"/>
      <encabezado-reporte alto="30">
        <imagen archivo="img/escudo.png" ancho="40" alto="20"/>
        <imagen archivo="img/escudo.png" x="50" ancho="40" alto="20" ajuste="estirar"/>
      </encabezado-reporte>
      <detalle alto="10"><imagen columna="emblema" ancho="10" alto="10"/></detalle>
    </reporte>)";
    ErrorDefinicion error;
    auto d = LeerDefinicionDeTexto(xml, dir.filePath(QStringLiteral("MRV_Img.rpt")), error);
    ASSERT_TRUE(d) << error.Texto().toStdString();
    Corrida c;
    c.definicion = d;
    // la columna como llega por ODBC: el binario en hexadecimal, con o sin "\x"
    const QString hex = QString::fromLatin1(prueba::EmblemaPng().toHex());
    c.datos = std::make_unique<DatosEnMemoria>(
        QStringList{QStringLiteral("emblema")},
        std::vector<std::vector<QVariant>>{{hex}, {QStringLiteral("\\x") + hex}, {QVariant()}});
    ASSERT_TRUE(PrepararCorrida(c, false, error)) << error.Texto().toStdString();
    std::vector<QRectF> cajas;
    for (const Trazo& t : ArmarPagina(c, 0, {}))
        if (t.tipo == Trazo::Tipo::Imagen) {
            EXPECT_EQ(t.imagen.size(), QSize(64, 64));
            cajas.push_back(t.caja);
        }
    ASSERT_EQ(cajas.size(), 4u); // dos de archivo y dos de la columna (la nula no)
    // proporcional: cuadrada y centrada en su caja de 40 × 20 mm
    EXPECT_NEAR(cajas[0].width(), 20 * Mm, 1e-6);
    EXPECT_NEAR(cajas[0].left(), (10 + 10) * Mm, 1e-6);
    EXPECT_NEAR(cajas[1].width(), 40 * Mm, 1e-6); // estirada
    EXPECT_NEAR(cajas[2].top(), (10 + 30) * Mm, 1e-3);
    EXPECT_NEAR(cajas[3].top(), (10 + 40) * Mm, 1e-3);

    // una imagen que no está es un error de la corrida, con su línea
    QFile::remove(dir.filePath(QStringLiteral("img/escudo.png")));
    Corrida otra;
    otra.definicion = d;
    otra.datos = std::make_unique<DatosEnMemoria>(QStringList{QStringLiteral("emblema")},
                                                  std::vector<std::vector<QVariant>>());
    EXPECT_FALSE(PrepararCorrida(otra, false, error));
    EXPECT_EQ(error.linea, 3);
    EXPECT_TRUE(error.mensaje.startsWith(QStringLiteral("no se encuentra la imagen")))
        << error.mensaje.toStdString();
}

TEST(Diagramacion, DatosQueNoSirvenAlReporte) {
    struct Caso {
        QByteArray xml;
        int linea;
        const char* esperado;
    };
    const Caso casos[] = {
        {R"(<reporte>
            <detalle alto="5"><campo columna="importe" ancho="20"/></detalle></reporte>)",
         2, "la columna importe no está en los datos"},
        {R"(<reporte>
            <grupo columna="rubro"/><detalle alto="5"/></reporte>)",
         2, "la columna rubro del grupo no está en los datos"},
        {R"(<reporte><pie-reporte alto="5">
            <total funcion="suma" columna="n"/></pie-reporte></reporte>)",
         0, "la columna n se suma y no es numérica (fila 2: \"dos\")"},
    };
    for (const Caso& c : casos) {
        const auto r =
            Correr(c.xml, {QStringLiteral("n")}, {{QStringLiteral("1")}, {QStringLiteral("dos")}});
        EXPECT_FALSE(r->ok) << c.xml.constData();
        EXPECT_EQ(r->error.linea, c.linea) << r->error.Texto().toStdString();
        EXPECT_TRUE(r->error.mensaje.contains(QString::fromUtf8(c.esperado)))
            << r->error.Texto().toStdString();
    }
}

} // namespace
