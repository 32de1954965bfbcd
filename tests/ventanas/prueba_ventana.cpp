// Ventana principal sin pantalla contra el servidor de pruebas: título,
// paneles, árbol y barra de menú desde las filas del menú, tareas frecuentes,
// confirmación de salida y auditoría.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "ParametrosArranque.h"
#include "Recordset.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include "frmInicio.h"
#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

namespace {

// Primer valor de una consulta hecha por una conexión aparte.
QString Valor(const QString& sql) {
    auto c = prueba::Conectar();
    Recordset rs;
    if (!c->Consultar(sql, rs) || rs.RecordCount() < 1)
        return QStringLiteral("<sin fila>");
    rs.MoveFirst();
    return rs.EsNulo(0) ? QStringLiteral("<nulo>") : rs.Valor(0).toString();
}

QStringList Hijos(QTreeWidgetItem* item) {
    QStringList t;
    for (int i = 0; i < item->childCount(); ++i)
        t << item->child(i)->text(0);
    return t;
}

// Identificadores de un menú de la barra, en orden (254 el separador).
QList<int> Ids(QMenu* menu) {
    QList<int> ids;
    for (QAction* a : menu->actions())
        ids << (a->isSeparator() ? 254 : a->data().toInt());
    return ids;
}

class VentanaPrincipal : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        prueba::PrepararSesion(carpeta.path());
        Glob().ConexionAuditoria = prueba::Conectar();
        ASSERT_TRUE(CargarParametrosGenerales(prueba::UsuarioHabilitado));
        RegistroVentanas::instancia().Vaciar();
    }
    void TearDown() override {
        RegistroVentanas::instancia().Vaciar();
        Glob() = EstadoSesion();
    }

    // Ventana con despacho y lanzador de prueba.
    std::unique_ptr<frmInicio> Nueva() {
        auto v = std::make_unique<frmInicio>();
        v->Despachador = [this](int codigo) { despachadas << codigo; };
        v->TraerLanzador = [this](const QString& titulo) {
            titulosBuscados << titulo;
            return lanzadorPresente;
        };
        return v;
    }
    // Cierra con "Si" para no dejar la fila de auditoría abierta.
    void Cerrar(frmInicio& v) {
        guion.respuestas = {6};
        v.close();
    }
    QString EstadoAuditoria() {
        return Valor(QStringLiteral("SELECT estado FROM owner_sarvo.auditoria WHERE rowid='") +
                     Glob().RowIdAuditoria + QStringLiteral("'"));
    }
    // Ejecuta en la conexión principal, sin confirmar: la prueba lo deshace al final.
    void Preparar(const QString& sql) {
        ASSERT_TRUE(Glob().Conexion->Ejecutar(sql)) << sql.toStdString();
    }

    QTemporaryDir carpeta;
    DialogosGuion guion;
    QList<int> despachadas;
    QStringList titulosBuscados;
    bool lanzadorPresente = true;
};

} // namespace

TEST_F(VentanaPrincipal, DemoTituloPanelesArbolBarraYSalida) {
    auto v = Nueva();
    ASSERT_TRUE(v->Cargar());
    QCoreApplication::processEvents();
    EXPECT_TRUE(guion.mensajes.empty()) << guion.Textos().join('|').toStdString();
    // Con MIRAVEL_CAPTURAS, una captura para mirar.
    if (const QString dir = qEnvironmentVariable("MIRAVEL_CAPTURAS"); !dir.isEmpty()) {
        EXPECT_TRUE(v->grab().save(dir + "/inicio_demo.png"));
    }

    // Título: municipalidad y descripción del sistema.
    const QString municipalidad = Valor(QStringLiteral(
        "SELECT contenido FROM owner_sarvo.config WHERE nombre_parametro='MUNICIPALIDAD'"));
    const QString descripcion = Valor(
        QStringLiteral("SELECT descripcion FROM owner_sarvo.sistemas WHERE sistema='Miravel'"));
    EXPECT_EQ(v->windowTitle(), municipalidad + " - " + descripcion);

    // Paneles.
    EXPECT_EQ(v->Panel(1)->Text(), "Seleccione la tarea a realizar");
    EXPECT_FALSE(v->Panel(1)->Picture().isNull());
    EXPECT_EQ(v->Panel(2)->Text(), "V.1.0.0");
    EXPECT_EQ(Glob().VersionSistema, "V.1.0.0");
    EXPECT_TRUE(v->Panel(2)->toolTip().startsWith("MRV - "));
    EXPECT_EQ(v->Panel(2)->width(), 100);
    EXPECT_EQ(v->Panel(3)->Text(), "DEMO");
    EXPECT_EQ(v->Panel(3)->toolTip(), "Usuario actual del sistema");
    EXPECT_EQ(v->Panel(3)->width(), 133);
    const QDate hoy =
        QDate::fromString(Valor("SELECT to_char(current_date,'YYYY-MM-DD')"), Qt::ISODate);
    EXPECT_EQ(v->Panel(4)->Text(), TextoFechaLarga(hoy));
    EXPECT_TRUE(QRegularExpression("^\\d\\d de [A-Z][a-zé]+ de \\d{4}$")
                    .match(v->Panel(4)->Text())
                    .hasMatch());
    EXPECT_EQ(v->Panel(4)->toolTip(), "Fecha actual");
    EXPECT_EQ(v->Panel(5)->Text(), ""); // dueño OWNER_SARVO: sin "C/P"
    EXPECT_EQ(v->BarradeEstado->height(), 25);
    EXPECT_EQ(Glob().EjercicioActual, hoy.year());

    // Fondo del ambiente que dice CONFIG.
    const QString ambiente = Valor(QStringLiteral(
        "SELECT contenido FROM owner_sarvo.config WHERE nombre_parametro='AMBIENTE'"));
    ASSERT_EQ(ambiente, "PRUEBA");
    EXPECT_EQ(v->FondoActual(), ":/imagenes/fondos/fondo_prueba.png");

    // Árbol: el menú de DEMO, con el separador y "Salir" al final del primer menú.
    ASSERT_EQ(v->ArbolMenues->topLevelItemCount(), 1);
    QTreeWidgetItem* est = v->ArbolMenues->topLevelItem(0);
    EXPECT_EQ(est->text(0), "Estadísticas");
    EXPECT_EQ(Hijos(est),
              (QStringList{"Tipos de Compra", "Evolución de Gastos", "Evolución de Recursos",
                           "Recursos vs. Gastos", "Gastos en Personal", "Ingresos",
                           "Ocupación de Cargos", "Ranking de Proveedores", "Ranking de Bienes",
                           "Gastos por Categoría Programática", "-", "Salir"}));
    EXPECT_EQ(est->foreground(0).color(), QColor(0, 128, 0));
    EXPECT_TRUE(est->isExpanded());
    EXPECT_EQ(v->ArbolMenues->currentItem(), est);
    const NodoMenu* salir = v->Arbol().Ultimo();
    EXPECT_EQ(salir->texto, "Salir");
    EXPECT_EQ(salir->tag, "  255");
    EXPECT_EQ(salir->clave, "n13");
    // El menú de demostración ofrece exactamente las tareas que tienen ventana.
    QList<int> tareas;
    for (int i = 1; i <= v->Arbol().Cantidad(); ++i)
        if (EsTarea(v->Arbol().Nodo(i)) && CodigoVentana(v->Arbol().Nodo(i)) != 255)
            tareas << CodigoVentana(v->Arbol().Nodo(i));
    std::sort(tareas.begin(), tareas.end());
    QList<int> disponibles = TareasDisponibles();
    std::sort(disponibles.begin(), disponibles.end());
    EXPECT_EQ(tareas, disponibles);

    // Barra de menú con sus identificadores.
    ASSERT_EQ(v->menuBar()->actions().size(), 1);
    QMenu* menu = v->menuBar()->actions()[0]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title(), "Estadísticas");
    EXPECT_EQ(Ids(menu), (QList<int>{107, 101, 102, 103, 104, 108, 109, 105, 106, 110, 254, 255}));
    // Las tres tareas frecuentes están en el menú: la barra se ve con sus tres pares.
    EXPECT_TRUE(v->ToolbarFrecuentes->isVisibleTo(v.get()));
    for (int i = 1; i <= 6; ++i)
        EXPECT_TRUE(v->BotonFrecuente(i)->isVisible()) << i;

    // Ingreso registrado y abierto.
    ASSERT_FALSE(Glob().RowIdAuditoria.isEmpty());
    EXPECT_EQ(EstadoAuditoria(), "I");

    // Doble clic: el nodo de menú no corre nada, la tarea sí, "Salir" manda 255.
    v->ArbolMenues->setCurrentItem(est);
    v->ArbolMenues_DblClick();
    v->ArbolMenues->setCurrentItem(est->child(0));
    v->ArbolMenues_DblClick();
    v->ArbolMenues->setCurrentItem(est->child(est->childCount() - 1));
    v->ArbolMenues_DblClick();
    v->ListaPrincipal_DblClick(); // lista vacía, nada seleccionado
    EXPECT_EQ(despachadas, (QList<int>{107, 255}));

    // Cada estadística se elige también desde la barra de menú, y las tres
    // frecuentes desde su botón.
    despachadas.clear();
    for (int codigo : {101, 102, 103, 104, 105, 106, 107, 108, 109, 110})
        v->ItemMenu(codigo)->trigger();
    QCoreApplication::processEvents();
    for (int boton : {1, 3, 5})
        v->ToolbarFrecuentes_ButtonClick(boton);
    EXPECT_EQ(despachadas,
              (QList<int>{101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 103, 104, 108}));
    despachadas.clear();

    // "Salir" de la barra pide confirmación; "No" deja todo como estaba.
    guion.respuestas = {7};
    v->ItemMenu(255)->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, Valor("SELECT mensaje FROM owner_sarvo.errores_vb "
                                               "WHERE codigo_error=5001"));
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(EstadoAuditoria(), "I");
    EXPECT_TRUE(titulosBuscados.isEmpty());

    // Doble clic en el panel de la versión: la lista de versiones instaladas.
    QString listaAbierta;
    QTimer mirar;
    mirar.setSingleShot(true);
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            listaAbierta = w->windowTitle();
            w->close();
        }
    });
    mirar.start(0);
    QMouseEvent doble(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(v->Panel(2), &doble);
    EXPECT_EQ(listaAbierta, "Versiones del sistema de Miravel");

    // Ventanas que siguen cargadas al salir: se trazan (de la segunda a la
    // anteúltima) y se descargan.
    QStringList descargadas;
    auto& registro = RegistroVentanas::instancia();
    registro.Unirse("frmOtraUno", [&] { descargadas << "frmOtraUno"; });
    registro.Unirse("frmOtraDos", [&] { descargadas << "frmOtraDos"; });

    // "Si": cierra la fila y trae al frente el lanzador por el nombre de la municipalidad.
    Cerrar(*v);
    EXPECT_EQ(descargadas, (QStringList{"frmOtraDos", "frmOtraUno"}));
    EXPECT_EQ(registro.Nombres(), QStringList{"frmInicio"});
    QString traza;
    for (QDirIterator it(carpeta.path(), QDir::Files, QDirIterator::Subdirectories);
         it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            traza += QString::fromUtf8(f.readAll());
    }
    QStringList renglones;
    for (const QString& r : traza.split('\n'))
        renglones << r.trimmed();
    EXPECT_TRUE(renglones.contains("frmOtraUno")) << traza.toStdString();
    EXPECT_FALSE(renglones.contains("frmOtraDos")) << traza.toStdString();
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(EstadoAuditoria(), "N");
    EXPECT_NE(Valor(QStringLiteral("SELECT salida FROM owner_sarvo.auditoria WHERE rowid='") +
                    Glob().RowIdAuditoria + "'"),
              "<nulo>");
    EXPECT_EQ(titulosBuscados, QStringList{municipalidad});
    EXPECT_TRUE(guion.mensajesSistema.isEmpty());
    // Un segundo pedido de cierre ya no pregunta.
    v->close();
    EXPECT_EQ(guion.mensajes.size(), 2u);
}

TEST_F(VentanaPrincipal, SoloConElTeclado) {
    auto v = Nueva();
    ASSERT_TRUE(v->Cargar());
    v->show();
    QApplication::setActiveWindow(v.get());
    QTreeWidgetItem* est = v->ArbolMenues->topLevelItem(0);
    ASSERT_NE(est, nullptr);
    QAction* menu = v->menuBar()->actions().value(0);
    ASSERT_NE(menu, nullptr);
    const auto cerrarMenu = [&] {
        if (QWidget* abierto = QApplication::activePopupWidget())
            abierto->close();
        v->menuBar()->setActiveAction(nullptr);
        QCoreApplication::processEvents();
    };

    // Intro sobre una tarea la abre; sobre un menú, nada; las teclas de la
    // suite siguen consumiéndose sin correr nada.
    v->ArbolMenues->setFocus();
    for (QTreeWidgetItem* item : {est, est->child(0), est->child(1)}) {
        v->ArbolMenues->setCurrentItem(item);
        QTest::keyClick(v->ArbolMenues, Qt::Key_Return);
    }
    QTest::keyClick(v->ArbolMenues, Qt::Key_Enter, Qt::KeypadModifier);
    for (Qt::Key k : {Qt::Key_Escape, Qt::Key_F3, Qt::Key_F5, Qt::Key_F9})
        QTest::keyClick(v->ArbolMenues, k);
    EXPECT_EQ(despachadas, (QList<int>{107, 101, 101}));
    EXPECT_TRUE(v->isVisible());

    // F10, o Alt sola, lleva a la barra de menú: su primer menú se abre y se
    // elige con las flechas e Intro.
    QTest::keyClick(v->ArbolMenues, Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), menu->menu());
    cerrarMenu();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    QTest::keyPress(v->ArbolMenues, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(v->ArbolMenues, Qt::Key_Alt);
    ASSERT_EQ(QApplication::activePopupWidget(), menu->menu());
    despachadas.clear();
    QTest::keyClick(menu->menu(), Qt::Key_Down);
    QTest::keyClick(menu->menu(), Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(despachadas.size(), 1);
    cerrarMenu();
    // Alt con otra tecla no es Alt sola.
    QTest::keyPress(v->ArbolMenues, Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClick(v->ArbolMenues, Qt::Key_X, Qt::AltModifier);
    QTest::keyRelease(v->ArbolMenues, Qt::Key_Alt);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    Cerrar(*v);
}

TEST_F(VentanaPrincipal, ArbolDesdeFilasRechazosFrecuentesYBarra) {
    // Un usuario de nivel 3 con su propio menú; todo sin confirmar.
    Preparar("INSERT INTO owner_sarvo.usuarios (usuario, nombre, estado_usuario, cod_usuario,"
             " permiso_acceso, permiso_alta, permiso_baja, permiso_modi)"
             " VALUES ('SHELL_PRUEBA', 'Prueba del árbol', 'N', 31001, 3, 3, 3, 3)");
    Preparar("INSERT INTO owner_sarvo.usuario_menu VALUES ('Miravel', 'SHELL_PRUEBA', 'SHP_PPAL')");
    Preparar("INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario,"
             " permiso_acceso) VALUES ('Miravel', 'SHP103', 'r', 103, 3),"
             " ('Miravel', 'SHP104', 'p', 104, 4), ('Miravel', 'SHP108A', 'a', 108, 1),"
             " ('Miravel', 'SHP108B', 'b', 108, 1), ('Miravel', 'SHP110', 'c', 110, 4)");
    // Los hermanos entran desordenados.
    Preparar("INSERT INTO owner_sarvo.menues VALUES"
             " ('Miravel', 'SHP_PPAL', 2, 'Vacío', 'SHP_VACIO'),"
             " ('Miravel', 'SHP_PPAL', 1, 'Consultas', 'SHP_CONS'),"
             " ('Miravel', 'SHP_PPAL', 3, 'Personal', 'SHP_PERS'),"
             " ('Miravel', 'SHP_PPAL', 4, '-', NULL),"
             " ('Miravel', 'SHP_VACIO', 1, 'Solo rechazada', NULL),"
             " ('Miravel', 'SHP_CONS', 3, 'Ingresos B', NULL),"
             " ('Miravel', 'SHP_CONS', 1, 'Recursos vs. Gastos', NULL),"
             " ('Miravel', 'SHP_CONS', 2, 'Ingresos A', NULL),"
             " ('Miravel', 'SHP_PERS', 1, 'Gastos en Personal', NULL)");
    Preparar("INSERT INTO owner_sarvo.tareas_menues VALUES"
             " ('Miravel', 'SHP_VACIO', 1, 'SHP110'), ('Miravel', 'SHP_CONS', 3, 'SHP108B'),"
             " ('Miravel', 'SHP_CONS', 1, 'SHP103'), ('Miravel', 'SHP_CONS', 2, 'SHP108A'),"
             " ('Miravel', 'SHP_PERS', 1, 'SHP104')");
    Glob().UsuarioActual = QStringLiteral("SHELL_PRUEBA");

    auto v = Nueva();
    ASSERT_TRUE(v->Cargar());
    QCoreApplication::processEvents();
    EXPECT_TRUE(guion.mensajes.empty()) << guion.Textos().join('|').toStdString();
    EXPECT_EQ(v->Panel(3)->Text(), "SHELL_PRUEBA");
    if (const QString dir = qEnvironmentVariable("MIRAVEL_CAPTURAS"); !dir.isEmpty()) {
        EXPECT_TRUE(v->grab().save(dir + "/inicio_frecuentes.png"));
    }

    // "Vacío" se quita; "Personal", que quedó en su lugar, no se revisa y queda.
    QStringList raices;
    for (int i = 0; i < v->ArbolMenues->topLevelItemCount(); ++i)
        raices << v->ArbolMenues->topLevelItem(i)->text(0);
    EXPECT_EQ(raices, (QStringList{"Consultas", "Personal", "-"}));
    QTreeWidgetItem* cons = v->ArbolMenues->topLevelItem(0);
    EXPECT_EQ(Hijos(cons),
              (QStringList{"Recursos vs. Gastos", "Ingresos A", "Ingresos B", "-", "Salir"}));
    EXPECT_EQ(v->ArbolMenues->topLevelItem(1)->childCount(), 0); // 104 rechazada: sin nodo
    EXPECT_EQ(v->NodoInicial()->texto, "Consultas");

    // Pares de la barra frecuente: 103 (nivel 3) sí, 104 (nivel 4) no, 108 sí.
    const bool esperados[] = {true, true, false, false, true, true};
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(v->BotonFrecuente(i)->isVisible(), esperados[i - 1]) << i;
    EXPECT_TRUE(v->ToolbarFrecuentes->isVisibleTo(v.get()));
    EXPECT_EQ(v->BotonFrecuente(1)->toolTip(), "Recursos vs. Gastos");

    // Barra de menú: Ingresos B repite la ventana 108 y pasa a 200; "Personal"
    // sin hijos no agrega nada; el "-" de arriba es un separador.
    const auto acciones = v->menuBar()->actions();
    ASSERT_EQ(acciones.size(), 2);
    QMenu* menu = acciones[0]->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Ids(menu), (QList<int>{103, 108, 200, 254, 255}));
    EXPECT_TRUE(acciones[1]->isSeparator());
    const NodoMenu* ingresosB = v->NodoInicial()->hijos[2];
    EXPECT_EQ(ingresosB->tag, "03200");

    // Elegir en la barra, la barra frecuente y el árbol.
    v->ItemMenu(200)->trigger();
    v->ItemMenu(103)->trigger();
    QCoreApplication::processEvents();
    v->ToolbarFrecuentes_ButtonClick(5);
    v->ToolbarFrecuentes_ButtonClick(3); // oculto: nada
    v->ArbolMenues->setCurrentItem(cons->child(2));
    v->ArbolMenues_DblClick(); // el renumerado corre su tarea
    EXPECT_EQ(despachadas, (QList<int>{108, 103, 108, 108}));

    // Descartar el menú después de pasar por una tarea no corre nada.
    despachadas.clear();
    menu->popup(QPoint(10, 10));
    QCoreApplication::processEvents();
    menu->setActiveAction(v->ItemMenu(103));
    QCoreApplication::processEvents();
    menu->hide();
    QCoreApplication::processEvents();
    EXPECT_TRUE(despachadas.isEmpty());

    // Sin lanzador a la vista: el aviso del sistema, y la salida sigue.
    lanzadorPresente = false;
    Cerrar(*v);
    EXPECT_EQ(guion.mensajesSistema, QStringList{"Error: El sistema principal se cancelo"});
    EXPECT_EQ(EstadoAuditoria(), "N");
}

// Lo que lanzan el despacho y el lanzador no detiene la ventana: queda en
// el registro de errores con el lugar y el texto de la excepción.
TEST_F(VentanaPrincipal, ExcepcionesDelDespachoYDelLanzadorAlRegistroDeErrores) {
    auto v = Nueva();
    ASSERT_TRUE(v->Cargar());
    v->Despachador = [](int codigo) {
        throw std::runtime_error("despacho " + std::to_string(codigo));
    };
    v->TraerLanzador = [](const QString&) -> bool { throw 1; };
    v->ItemMenu(107)->trigger();
    QCoreApplication::processEvents();
    v->ToolbarFrecuentes_ButtonClick(1);
    Cerrar(*v);
    EXPECT_FALSE(v->isVisible());
    EXPECT_EQ(EstadoAuditoria(), "N");
    EXPECT_EQ(guion.mensajesSistema, QStringList{"Error: El sistema principal se cancelo"});

    QString registro;
    for (QDirIterator it(carpeta.path() + "/LogsFiles/Errores", QDir::Files); it.hasNext();) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            registro += QString::fromUtf8(f.readAll());
    }
    QStringList lugares;
    for (const QString& r : registro.split('\n'))
        if (r.startsWith("Lugar    : ") || r.startsWith("Mensaje  : "))
            lugares << r;
    EXPECT_EQ(lugares, (QStringList{"Lugar    : frmInicio.DespacharTarea 107",
                                    "Mensaje  : Excepción atrapada: despacho 107",
                                    "Lugar    : frmInicio.DespacharTarea 103",
                                    "Mensaje  : Excepción atrapada: despacho 103",
                                    "Lugar    : frmInicio.Descargar TraerLanzador",
                                    "Mensaje  : Excepción atrapada de tipo desconocido"}));
}

TEST_F(VentanaPrincipal, AmbienteDesconocidoYUsuarioSinMenu) {
    Preparar("UPDATE owner_sarvo.config SET contenido='OTRO' WHERE nombre_parametro='AMBIENTE'");
    auto v = Nueva();
    ASSERT_TRUE(v->Cargar());
    EXPECT_EQ(v->FondoActual(), ":/imagenes/fondos/fondo.png");
    Cerrar(*v);

    // Sin filas de menú: 125, sin confirmación ni cierre de la fila.
    Glob().UsuarioActual = QStringLiteral("NADIE_SHELL");
    guion.mensajes.clear();
    auto otra = Nueva();
    EXPECT_FALSE(otra->Cargar());
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, Valor("SELECT mensaje FROM owner_sarvo.errores_vb "
                                               "WHERE codigo_error=125"));
    const QString fila = Glob().RowIdAuditoria;
    otra->close();
    EXPECT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(EstadoAuditoria(), "I");
    // La fila abierta queda como la dejaría una salida abrupta: se la cierra aquí.
    auto c = prueba::Conectar();
    c->Ejecutar("UPDATE owner_sarvo.auditoria SET estado='A' WHERE rowid='" + fila + "'");
    c->Confirmar();
}
