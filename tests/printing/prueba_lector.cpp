// Lector de archivos de reporte: un archivo bueno queda entero y cada clase de
// archivo malo da el archivo, la línea y lo que se esperaba.
#include "AyudaReportes.h"
#include "LectorDefinicion.h"
#include <gtest/gtest.h>

namespace {

const qreal Mm = PuntosPorMm;

std::shared_ptr<Definicion> Leer(const QByteArray& xml, ErrorDefinicion& error) {
    return LeerDefinicionDeTexto(xml, QStringLiteral("prueba.rpt"), error);
}

TEST(Lector, ElReporteDeEjemploQuedaEntero) {
    ErrorDefinicion error;
    const auto d =
        LeerDefinicion(prueba::ArchivoDePrueba(QStringLiteral("MRV_TiposCompraPrueba.rpt")), error);
    ASSERT_TRUE(d) << error.Texto().toStdString();
    EXPECT_EQ(d->papel, QPageSize::A4);
    EXPECT_EQ(d->orientacion, QPageLayout::Portrait);
    EXPECT_NEAR(d->margenes.left(), 15 * Mm, 1e-9);
    EXPECT_NEAR(d->AnchoUtil(), 180 * Mm, 1e-6);
    EXPECT_TRUE(d->consulta.startsWith(QStringLiteral("SELECT cod_tipo_compra")));
    EXPECT_TRUE(d->consulta.contains(QStringLiteral("monto_hasta >= {@MontoMinimo}")));
    ASSERT_EQ(d->formulas.size(), 4u);
    ASSERT_NE(d->BuscarFormula(QStringLiteral("EJERCICIO")), nullptr);
    EXPECT_EQ(d->BuscarFormula(QStringLiteral("Ejercicio"))->tipo,
              DeclaracionFormula::Tipo::Numero);
    ASSERT_TRUE(d->BuscarFormula(QStringLiteral("Ejercicio"))->defecto.has_value());
    EXPECT_EQ(d->BuscarFormula(QStringLiteral("Ejercicio"))->defecto->texto, QStringLiteral("0"));

    ASSERT_GE(d->encabezadoPagina, 0);
    ASSERT_GE(d->detalle, 0);
    ASSERT_GE(d->pieReporte, 0);
    ASSERT_GE(d->piePagina, 0);
    EXPECT_EQ(d->encabezadoReporte, -1);
    const Banda& detalle = d->bandas[size_t(d->detalle)];
    EXPECT_NEAR(detalle.alto, 6 * Mm, 1e-9);
    EXPECT_EQ(detalle.sombreado, QColor(QStringLiteral("#eef2f6")));
    ASSERT_EQ(detalle.elementos.size(), 5u);
    const Elemento& desde = detalle.elementos[2];
    EXPECT_EQ(desde.tipo, TipoElemento::Campo);
    EXPECT_EQ(desde.columna, QStringLiteral("monto_desde"));
    EXPECT_EQ(desde.estilo.alineacion, Qt::AlignRight);
    EXPECT_EQ(desde.formatoCompilado.Aplicar(1234.5), QStringLiteral("1.234,50"));
    // sin alto, el campo ocupa lo que queda de la banda
    EXPECT_NEAR(desde.caja.height(), 6 * Mm, 1e-9);
    EXPECT_EQ(detalle.elementos[4].tipo, TipoElemento::Porcentaje);
    EXPECT_EQ(detalle.elementos[4].formatoCompilado.Aplicar(38.0), QStringLiteral("38 %"));

    ASSERT_EQ(d->subreportes.size(), 1u);
    EXPECT_EQ(d->subreportes[0].nombre, QStringLiteral("GDA_LOGOMUNI.RPT"));
    EXPECT_EQ(d->subreportes[0].archivo, QStringLiteral("GDA_LOGOMUNI.RPT"));
    EXPECT_FALSE(d->subreportes[0].definicion); // de archivo aparte: lo carga el motor
    const Banda& encabezado = d->bandas[size_t(d->encabezadoPagina)];
    EXPECT_EQ(encabezado.elementos[0].tipo, TipoElemento::Subreporte);
    // el título no dice ancho: llega hasta el margen derecho
    const auto titulo =
        std::find_if(encabezado.elementos.begin(), encabezado.elementos.end(),
                     [](const Elemento& e) { return e.texto == "Tipos de compra"; });
    ASSERT_NE(titulo, encabezado.elementos.end());
    EXPECT_NEAR(titulo->caja.width(), 180 * Mm, 1e-6);
    EXPECT_TRUE(titulo->estilo.negrita);
    EXPECT_EQ(titulo->estilo.tamano, 14);
    EXPECT_EQ(titulo->estilo.alineacion, Qt::AlignHCenter);
}

TEST(Lector, GruposYSubreporteIncluido) {
    const QByteArray xml = R"(<reporte version="1">
  <pagina papel="Oficio" orientacion="horizontal" margen-izquierdo="20" margen="10"/>
  <formula nombre="Usuario" tipo="numero"/>
  <grupo columna="tipo" nueva-pagina="si" repetir-encabezado="si">
    <encabezado-grupo alto="8"><campo columna="tipo" ancho="50"/></encabezado-grupo>
    <pie-grupo alto="8"><total funcion="suma" columna="importe" ancho="50"/></pie-grupo>
  </grupo>
  <grupo columna="rubro"><pie-grupo alto="6"/></grupo>
  <detalle alto="5">
    <porcentaje columna="importe" de="grupo" x="100" ancho="20"/>
  </detalle>
  <pie-reporte alto="30">
    <subreporte nombre="Resumen" x="0" y="0" ancho="100" alto="20">
      <consulta>SELECT 1 AS n FROM dual WHERE {@Usuario} > 0</consulta>
      <detalle alto="5"><campo columna="n" formula="" ancho="10"/></detalle>
    </subreporte>
  </pie-reporte>
</reporte>)";
    ErrorDefinicion error;
    // una fuente vacía además de la columna: dos fuentes
    EXPECT_FALSE(Leer(xml, error));
    EXPECT_EQ(error.linea, 15);

    QByteArray bueno = xml;
    bueno.replace(R"( formula="")", "");
    const auto d = Leer(bueno, error);
    ASSERT_TRUE(d) << error.Texto().toStdString();
    EXPECT_EQ(d->papel, QPageSize::Legal);
    EXPECT_EQ(d->orientacion, QPageLayout::Landscape);
    // margen="10" después de margen-izquierdo: los específicos ganan
    EXPECT_NEAR(d->margenes.left(), 20 * Mm, 1e-9);
    EXPECT_NEAR(d->margenes.right(), 10 * Mm, 1e-9);
    ASSERT_EQ(d->grupos.size(), 2u);
    EXPECT_TRUE(d->grupos[0].nuevaPagina);
    EXPECT_TRUE(d->grupos[0].repetirEncabezado);
    EXPECT_EQ(d->grupos[1].encabezado, -1);
    EXPECT_GE(d->grupos[1].pie, 0);
    EXPECT_EQ(d->bandas[size_t(d->grupos[0].pie)].grupo, 0);
    ASSERT_EQ(d->subreportes.size(), 1u);
    ASSERT_TRUE(d->subreportes[0].definicion);
    const Definicion& sub = *d->subreportes[0].definicion;
    EXPECT_TRUE(sub.esSubreporte);
    EXPECT_TRUE(sub.consulta.contains(QStringLiteral("{@Usuario}")));
    ASSERT_GE(sub.detalle, 0);
}

struct Malo {
    const char* xml;
    qint64 linea;
    const char* esperado; // parte del mensaje
};

TEST(Lector, CadaArchivoMaloDiceDondeYQueSeEsperaba) {
    const Malo casos[] = {
        {"", 0, "el archivo está vacío: se esperaba <reporte>"},
        {"hola", 1, "se esperaba <reporte>"},
        {"<?xml version=\"1.0\"?>\n<informe/>", 2, "es <informe>: se esperaba <reporte>"},
        {"<reporte version=\"2\"/>", 1, "se esperaba version=\"1\""},
        {"<reporte>\n<detalle alto=\"5\">\n</reporte>", 3,
         "XML mal formado: la etiqueta que cierra no es la que abrió"},
        {"<reporte>\n<detalle alto=\"5\">\n", 3, "termina antes de tiempo"},
        {"<reporte>\n  <tabla/>\n</reporte>", 2,
         "elemento <tabla> inesperado en <reporte>: se esperaba pagina, consulta"},
        {"<reporte>\n<detalle alto=\"5\">\n<celda/>\n</detalle></reporte>", 3,
         "elemento <celda> inesperado en <detalle>: se esperaba texto, campo"},
        {"<reporte>\n<detalle alto=\"5\">\n<campo columna=\"x\" anchi=\"3\"/>\n</detalle>"
         "</reporte>",
         3, "atributo \"anchi\" desconocido en <campo>: se esperaba uno de"},
        {"<reporte>\n<detalle>\n</detalle></reporte>", 2, "<detalle> necesita alto=\"...\""},
        {"<reporte><detalle alto=\"5\">\n<campo columna=\"x\" ancho=\"diez\"/></detalle>"
         "</reporte>",
         2, "ancho=\"diez\" no vale: se esperaba un número"},
        {"<reporte><detalle alto=\"5\">\n<texto alineacion=\"medio\">a</texto></detalle>"
         "</reporte>",
         2, "se esperaba izquierda, centro, derecha"},
        {"<reporte><detalle alto=\"5\">\n\n<campo columna=\"a\" formula=\"b\"/></detalle>"
         "</reporte>",
         3, "uno solo"},
        {"<reporte>\n<detalle alto=\"5\">\n<campo formula=\"Ejercicio\"/>\n</detalle>"
         "</reporte>",
         3, "la fórmula Ejercicio no está declarada"},
        {"<reporte><pagina margen=\"15\"/>\n<detalle alto=\"5\">\n"
         "<campo columna=\"x\" x=\"170\" ancho=\"20\"/></detalle></reporte>",
         3, "<campo> se sale de la banda"},
        {"<reporte>\n<detalle alto=\"5\">\n<total funcion=\"suma\" columna=\"x\"/></detalle>"
         "</reporte>",
         3, "un total va en un encabezado o pie"},
        {"<reporte>\n<detalle alto=\"5\"/>\n<detalle alto=\"5\"/>\n</reporte>", 3,
         "<detalle> repetido"},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE reporte [<!ENTITY a \"b\">]>\n<reporte/>", 2,
         "no se admiten declaraciones DTD"},
        {"<reporte>\n<pie-reporte alto=\"5\">\n<total funcion=\"suma\" columna=\"x\" "
         "formato=\"#,##0.00\"/></pie-reporte></reporte>",
         3, "formato \"#,##0.00\""},
        {"<reporte><pagina papel=\"A4\" margen=\"10\"/>\n<detalle alto=\"290\"/></reporte>", 2,
         "la banda mide 290,0 mm"},
        {"<reporte>\n<grupo>\n</grupo></reporte>", 2, "<grupo> necesita columna"},
        {"<reporte>\n<grupo columna=\"a\">\n<pie-grupo alto=\"5\"/>\n<pie-grupo alto=\"5\"/>"
         "\n</grupo></reporte>",
         4, "<pie-grupo> repetido: va una sola vez por grupo"},
        {"<reporte>\n<detalle alto=\"5\">\n<porcentaje columna=\"x\" de=\"grupo\"/></detalle>"
         "</reporte>",
         3, "de=\"grupo\" necesita un grupo"},
        {"<reporte><pie-reporte alto=\"40\">\n<subreporte nombre=\"A\" archivo=\"a.rpt\" "
         "alto=\"5\"/>\n<subreporte nombre=\"a\" archivo=\"b.rpt\" y=\"10\" alto=\"5\"/>"
         "</pie-reporte></reporte>",
         3, "hay dos subreportes llamados \"a\""},
        {"<reporte><pie-reporte alto=\"40\">\n<subreporte nombre=\"A\" alto=\"20\">\n"
         "<detalle alto=\"5\">\n<subreporte nombre=\"B\" archivo=\"b.rpt\"/></detalle>"
         "</subreporte></pie-reporte></reporte>",
         4, "un subreporte no puede tener otro subreporte"},
        {"<reporte>\n<detalle alto=\"5\">hola</detalle></reporte>", 2,
         "texto suelto \"hola\": se esperaba un elemento"},
        {"<reporte>\n<detalle alto=\"5\"><texto>a<b/></texto></detalle></reporte>", 2,
         "<texto> lleva solo texto"},
        {"<reporte>\n<formula nombre=\"Ejercicio\" valor=\"dos mil\"/></reporte>", 2,
         "no es un número ni un texto entre comillas"},
        {"<reporte>\n<formula nombre=\"Ejercicio\" tipo=\"numero\" valor=\"'2024'\"/>"
         "</reporte>",
         2, "no es del tipo declarado"},
        {"<reporte><detalle alto=\"5\" sombreado=\"gris\">\n</detalle></reporte>", 1,
         "se esperaba un color #rrggbb"},
        {"<reporte><detalle alto=\"5\">\n<imagen x=\"1\"/></detalle></reporte>", 2,
         "<imagen> lleva archivo=\"...\", columna=\"...\" u origen=\"...\""},
        {"<reporte><pagina margen=\"100\"/></reporte>", 1, "los márgenes dejan muy poco lugar"},
        {"<reporte/>\n<otro/>", 2, "sobra contenido"},
        {"<reporte>\n<detalle alto=\"5\"\n<texto/></detalle></reporte>", 3,
         "XML mal formado: se esperaba"},
    };
    for (const Malo& c : casos) {
        ErrorDefinicion error;
        const auto d = Leer(QByteArray(c.xml), error);
        EXPECT_FALSE(d) << c.xml;
        EXPECT_EQ(error.archivo, QStringLiteral("prueba.rpt")) << c.xml;
        EXPECT_EQ(error.linea, c.linea) << c.xml << "\n -> " << error.Texto().toStdString();
        EXPECT_TRUE(error.mensaje.contains(QString::fromUtf8(c.esperado)))
            << c.xml << "\n -> " << error.mensaje.toStdString();
        if (c.linea > 0) {
            EXPECT_TRUE(
                error.Texto().startsWith(QStringLiteral("prueba.rpt, línea %1: ").arg(c.linea)))
                << error.Texto().toStdString();
        }
    }
}

TEST(Lector, ArchivoQueNoSePuedeAbrir) {
    ErrorDefinicion error;
    EXPECT_FALSE(LeerDefinicion(QStringLiteral("/no/existe/MRV_Nada.rpt"), error));
    EXPECT_EQ(error.linea, 0);
    EXPECT_TRUE(error.Texto().startsWith(QStringLiteral("/no/existe/MRV_Nada.rpt: no se puede "
                                                        "abrir")))
        << error.Texto().toStdString();
}

} // namespace
