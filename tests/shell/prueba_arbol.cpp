// Árbol de tareas y barra de menú armados desde filas, sin base ni pantalla.
#include "ArbolMenu.h"
#include "Func_SarvoMenues.h"
#include "LogicaInicio.h"
#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

namespace {

FilaMenu Menu(int nivel, const QString& item, const QString& menu, const QString& titulo,
              const QString& hijo) {
    return FilaMenu{titulo, nivel, menu, hijo, item};
}
FilaMenu Tarea(int nivel, const QString& item, const QString& menu, const QString& titulo) {
    return FilaMenu{titulo, nivel, menu, std::nullopt, item};
}

// Tareas por (menú, item): "código de ventana" + nombre; las de rechazadas no tienen acceso.
struct Catalogo {
    QMap<QString, QString> tareas;
    QSet<QString> rechazadas;
    int consultas = 0;
    ConsultasMenu Consultas() {
        ConsultasMenu c;
        c.tareaDeMenu = [this](const QString& menu, const QString& item) {
            ++consultas;
            return tareas.value(menu + QLatin1Char('/') + item);
        };
        c.acceso = [this](const QString& tarea) {
            return !tarea.isEmpty() && !rechazadas.contains(tarea);
        };
        return c;
    }
};

QStringList Textos(const std::vector<NodoMenu*>& nodos) {
    QStringList t;
    for (const NodoMenu* n : nodos)
        t << n->texto;
    return t;
}

} // namespace

TEST(ArbolMenu, OrdenPorItemClavesTagsYTareasRechazadas) {
    Catalogo cat;
    cat.tareas = {{"EST/03", "103RECGAS"},
                  {"EST/01", "104PERS"},
                  {"EST/02", "107TCOMP"},
                  {"IMP/01", "105RANKP"}};
    cat.rechazadas = {"PERS"};
    // Filas en orden jerárquico; los hermanos llegan 03, 01, 02.
    const std::vector<FilaMenu> filas = {
        Menu(1, "02", "PPAL", "Impresiones", "IMP"),
        Tarea(2, "01", "IMP", "Ranking de Proveedores"),
        Menu(1, "01", "PPAL", "Estadísticas", "EST"),
        Tarea(2, "03", "EST", "Recursos vs. Gastos"),
        Tarea(2, "01", "EST", "Gastos en Personal"),
        Tarea(2, "02", "EST", "Tipos de Compra"),
        Menu(1, "03", "PPAL", "-", "SEP"),
    };
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());

    EXPECT_EQ(cat.consultas, 4); // una consulta de tarea por entrada de tarea
    EXPECT_EQ(Textos(arbol.Raices()), (QStringList{"Estadísticas", "Impresiones", "-"}));
    NodoMenu* est = arbol.Raices()[0];
    // 01 rechazada: sin nodo; quedan 02 y 03 en orden.
    EXPECT_EQ(Textos(est->hijos), (QStringList{"Tipos de Compra", "Recursos vs. Gastos"}));
    EXPECT_EQ(est->hijos[0]->tag, "02107");
    EXPECT_EQ(est->hijos[1]->tag, "03103");
    EXPECT_EQ(est->tag, "01PPAL");
    // Las claves siguen las filas, con el hueco de la rechazada (n5).
    EXPECT_EQ(arbol.Cantidad(), 6);
    EXPECT_EQ(est->clave, "n3");
    EXPECT_EQ(est->hijos[0]->clave, "n6");
    EXPECT_EQ(arbol.Buscar("n5"), nullptr);
    // Botones frecuentes: 103 con acceso, 104 sin; 108 no apareció.
    EXPECT_EQ(arbol.Frecuentes().at(103), true);
    EXPECT_EQ(arbol.Frecuentes().at(104), false);
    EXPECT_EQ(arbol.Frecuentes().count(108), 0u);
    // La primera entrada seleccionada: el nivel 1 con item 01.
    EXPECT_EQ(arbol.Seleccionado(), est);
    EXPECT_TRUE(EsTarea(est->hijos[0]));
    EXPECT_FALSE(EsTarea(est));
    EXPECT_TRUE(EsSeparador(arbol.Raices()[2]));
    EXPECT_FALSE(EsSeparador(nullptr));
    EXPECT_FALSE(EsTarea(nullptr));
}

TEST(ArbolMenu, CodigosDeTagYNumeros) {
    EXPECT_EQ(CodigoDeTag("01101"), 101);
    EXPECT_EQ(CodigoDeTag("  255"), 255);
    EXPECT_EQ(CodigoDeTag("01MRV_PRINCIPAL"), 0);
    EXPECT_EQ(CodigoDeTag(""), 0);
    EXPECT_EQ(ValorTexto("  255"), 255);
    EXPECT_EQ(ValorTexto("107abc"), 107);
    EXPECT_EQ(ValorTexto("abc"), 0);
    EXPECT_FALSE(NumeroDeTexto("1 2").has_value());
    EXPECT_TRUE(NumeroDeTexto(" 12 ").has_value());
    NodoMenu separador{"n1", "Texto", "Separador01", nullptr, {}};
    EXPECT_TRUE(EsSeparador(&separador));
    EXPECT_FALSE(EsTarea(&separador));
}

TEST(ArbolMenu, SinEntrada01NoHaySeleccionYMasDeCincoNivelesNoEntran) {
    Catalogo cat;
    cat.tareas = {{"M6/01", "101X"}};
    std::vector<FilaMenu> filas = {Menu(1, "02", "P", "Uno", "M2")};
    for (int n = 2; n <= 5; ++n)
        filas.push_back(Menu(n, "01", QStringLiteral("M%1").arg(n),
                             QStringLiteral("Nivel %1").arg(n), QStringLiteral("M%1").arg(n + 1)));
    filas.push_back(Tarea(6, "01", "M6", "Profunda"));
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());
    EXPECT_EQ(arbol.Seleccionado(), nullptr);
    EXPECT_EQ(arbol.Cantidad(), 5);
    EXPECT_EQ(arbol.Ultimo()->texto, "Nivel 5");
    EXPECT_EQ(arbol.Ultimo()->tag, "01M5"); // no se re-etiqueta
    // Sin filas el árbol queda vacío.
    arbol.Construir({}, cat.Consultas());
    EXPECT_EQ(arbol.Cantidad(), 0);
}

TEST(ArbolMenu, QuitarMenuesVaciosConSusRarezas) {
    Catalogo cat;
    cat.tareas = {
        {"A/01", "101X"}, {"B/01", "102Y"}, {"C/01", "103Z"}, {"E/01", "105W"}, {"P/06", "107T"}};
    cat.rechazadas = {"X", "Y", "Z"};
    const std::vector<FilaMenu> filas = {
        Menu(1, "01", "P", "A solo rechazadas", "A"),
        Tarea(2, "01", "A", "ta"),
        Menu(1, "02", "P", "B solo rechazadas", "B"),
        Tarea(2, "01", "B", "tb"),
        Menu(1, "03", "P", "D con C vacío", "D"),
        Menu(2, "01", "D", "C", "C"),
        Tarea(3, "01", "C", "tc"),
        Menu(1, "04", "P", "-", "S"),
        Menu(1, "05", "P", "E", "E"),
        Tarea(2, "01", "E", "te"),
        Tarea(1, "06", "P", "Tipos"),
    };
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());
    ASSERT_EQ(Textos(arbol.Raices()), (QStringList{"A solo rechazadas", "B solo rechazadas",
                                                   "D con C vacío", "-", "E", "Tipos"}));
    QuitarMenuesVacios(arbol);
    // A se quita; B, que quedó en su lugar, no se revisa. D pierde a C pero queda.
    EXPECT_EQ(Textos(arbol.Raices()),
              (QStringList{"B solo rechazadas", "D con C vacío", "-", "E", "Tipos"}));
    EXPECT_TRUE(arbol.Raices()[1]->hijos.empty());
    EXPECT_EQ(Textos(arbol.Raices()[3]->hijos), QStringList{"te"});
    // Los índices se corren al quitar.
    EXPECT_EQ(arbol.Nodo(1)->texto, "B solo rechazadas");
}

TEST(MenuVentana, IdentificadoresRenumeracionYSeparadores) {
    Catalogo cat;
    cat.tareas = {{"EST/01", "101EVG"},
                  {"EST/02", "105RKP"},
                  {"ING/01", "108ING1"},
                  {"ING/02", "108ING2"},
                  {"ING/05", "109OCU"}};
    const std::vector<FilaMenu> filas = {
        Menu(1, "01", "P", "Estadísticas", "EST"),
        Tarea(2, "01", "EST", "Evolución de Gastos"),
        Tarea(2, "02", "EST", "Ranking de Proveedores"),
        Menu(1, "02", "P", "Ingresos", "ING"),
        Tarea(2, "01", "ING", "Ingresos diarios"),
        Tarea(2, "02", "ING", "Ingresos mensuales"),
        Menu(2, "03", "ING", "-", "S1"),
        Menu(2, "04", "ING", "-", "S2"),
        Tarea(2, "05", "ING", "Ocupación"),
        Menu(1, "03", "P", "Vacío", "VAC"),
    };
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());
    NodoMenu* primero = arbol.Nodo(1);
    arbol.AgregarAlFinal(primero, "-", QString());
    NodoMenu* salir = arbol.AgregarAlFinal(primero, "Salir", "  255");
    EXPECT_EQ(salir->clave, "n12"); // la del último agregado más uno

    MenuVentana barra;
    barra.CargarMenuVentana(arbol, arbol.Seleccionado());
    const auto& items = barra.Items();
    // El menú sin tareas no agrega nada.
    ASSERT_EQ(items.size(), 2u);
    const ItemBarra& est = items[0];
    EXPECT_EQ(est.tipo, ItemBarra::Tipo::Submenu);
    EXPECT_EQ(est.texto, "Estadísticas");
    ASSERT_EQ(est.hijos.size(), 4u);
    EXPECT_EQ(est.hijos[0].id, 101);
    EXPECT_EQ(est.hijos[1].id, 105);
    EXPECT_EQ(est.hijos[2].tipo, ItemBarra::Tipo::Separador);
    EXPECT_EQ(est.hijos[2].id, 254);
    EXPECT_EQ(est.hijos[3].texto, "Salir");
    EXPECT_EQ(est.hijos[3].id, 255);

    // Dos hermanos de la ventana 108: 200 y 201; dos "-" seguidos, un separador.
    const ItemBarra& ing = items[1];
    ASSERT_EQ(ing.hijos.size(), 4u);
    EXPECT_EQ(ing.hijos[0].id, 200);
    EXPECT_EQ(ing.hijos[1].id, 201);
    EXPECT_EQ(ing.hijos[2].tipo, ItemBarra::Tipo::Separador);
    EXPECT_EQ(ing.hijos[3].id, 109);
    EXPECT_EQ(barra.TareaRenumerada(200), 108);
    EXPECT_EQ(barra.TareaRenumerada(201), 108);
    EXPECT_EQ(barra.TareaRenumerada(202), 0);
    // Los tags del árbol quedan reescritos.
    const NodoMenu* ingNodo = arbol.Raices()[1];
    EXPECT_EQ(ingNodo->hijos[0]->tag, "01200");
    EXPECT_EQ(ingNodo->hijos[1]->tag, "02201");

    // Lo que hace cada identificador elegido.
    EXPECT_EQ(barra.EjecutarItemMenu(105).tipo, AccionMenu::Tipo::Tarea);
    EXPECT_EQ(barra.EjecutarItemMenu(105).codigoTarea, 105);
    EXPECT_EQ(barra.EjecutarItemMenu(201).codigoTarea, 108);
    EXPECT_EQ(barra.EjecutarItemMenu(255).tipo, AccionMenu::Tipo::Salir);
    EXPECT_EQ(barra.EjecutarItemMenu(3).tipo, AccionMenu::Tipo::DescargarDespachador);
    for (int id : {0, 100, 202, 250, 254})
        EXPECT_EQ(barra.EjecutarItemMenu(id).tipo, AccionMenu::Tipo::Nada) << id;

    // Otra armada vuelve a numerar desde 200.
    MenuVentana otra;
    otra.CargarMenuVentana(arbol, arbol.Seleccionado());
    EXPECT_EQ(otra.CantidadRenumerados(), 0); // los tags ya no repiten código
}

TEST(MenuVentana, MasDeCincuentaRepetidasNoLleganAlCodigoDeSalir) {
    Catalogo cat;
    std::vector<FilaMenu> filas = {Menu(1, "01", "P", "Muchas", "M")};
    for (int i = 1; i <= 60; ++i) {
        const QString item = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        cat.tareas[QStringLiteral("M/") + item] = QStringLiteral("108ING%1").arg(i);
        filas.push_back(Tarea(2, item, "M", QStringLiteral("Ingresos %1").arg(i)));
    }
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());
    MenuVentana barra;
    barra.CargarMenuVentana(arbol, arbol.Seleccionado());
    const auto& hijos = barra.Items().at(0).hijos;
    ASSERT_EQ(hijos.size(), 60u);
    EXPECT_EQ(hijos[49].id, 249);
    for (size_t i = 50; i < hijos.size(); ++i) {
        EXPECT_EQ(hijos[i].id, 108);
        EXPECT_EQ(barra.EjecutarItemMenu(hijos[i].id).codigoTarea, 108);
    }
}

TEST(VentanaPrincipal, FechaLargaVersionYFondoPorAmbiente) {
    EXPECT_EQ(TextoFechaLarga(QDate(2026, 12, 9)), "09 de Diciembre de 2026");
    EXPECT_EQ(TextoFechaLarga(QDate(2025, 3, 1)), "01 de Marzo de 2025");
    EXPECT_EQ(TextoVersionPrograma(), "V.1.0.0");
    EXPECT_EQ(ImagenDeAmbiente("PRODUCCION"), 2);
    EXPECT_EQ(ImagenDeAmbiente("PRUEBA"), 3);
    EXPECT_EQ(ImagenDeAmbiente("CAPACITACION"), 4);
    for (const char* otro : {"", "prueba", "DESARROLLO"})
        EXPECT_EQ(ImagenDeAmbiente(otro), 1) << otro;
}

TEST(VentanaPrincipal, SeparadorBajoElNodoInicialYSalirBajoElPrimeroSeanLoQueSean) {
    Catalogo cat;
    cat.tareas = {{"P/02", "107TC"}, {"E/01", "101EG"}};
    // El primer nodo cargado es una tarea; la entrada 01 del menú de arriba,
    // el nodo inicial, es un separador.
    const std::vector<FilaMenu> filas = {
        Tarea(1, "02", "P", "Tipos de Compra"),
        Menu(1, "01", "P", "-", "S"),
        Menu(1, "03", "P", "Evolución", "E"),
        Tarea(2, "01", "E", "Evolución de Gastos"),
    };
    ArbolMenu arbol;
    arbol.Construir(filas, cat.Consultas());
    NodoMenu* inicial = arbol.Seleccionado();
    ASSERT_NE(inicial, nullptr);
    ASSERT_TRUE(EsSeparador(inicial));
    NodoMenu* primero = arbol.Nodo(1);
    ASSERT_TRUE(EsTarea(primero));
    const int ultima = arbol.Ultimo()->clave.mid(1).toInt();

    EXPECT_EQ(AgregarFinDeMenu(arbol, inicial), inicial);
    ASSERT_EQ(Textos(inicial->hijos), QStringList{"-"});
    ASSERT_EQ(Textos(primero->hijos), QStringList{"Salir"});
    const NodoMenu* separador = inicial->hijos[0];
    const NodoMenu* salir = primero->hijos[0];
    EXPECT_EQ(salir->tag, "  255");
    EXPECT_EQ(separador->tag, "");
    // Claves correlativas a la del último nodo agregado.
    EXPECT_EQ(separador->clave, QStringLiteral("n%1").arg(ultima + 1));
    EXPECT_EQ(salir->clave, QStringLiteral("n%1").arg(ultima + 2));
    EXPECT_EQ(Textos(arbol.Raices()), (QStringList{"-", "Tipos de Compra", "Evolución"}));

    // Sin nodo inicial (se quitó por vacío, o no había entrada 01) hace sus
    // veces el primero.
    ArbolMenu sinInicial;
    sinInicial.Construir(filas, cat.Consultas());
    EXPECT_EQ(AgregarFinDeMenu(sinInicial, nullptr), sinInicial.Nodo(1));
    EXPECT_EQ(Textos(sinInicial.Nodo(1)->hijos), (QStringList{"-", "Salir"}));
}
