// Las cifras y su fecha en las ventanas con gráficos, contra el servidor
// privado y como las usa una persona: la fecha tecleada es la que se genera;
// la fecha de las cifras rotula cada gráfico, la impresión y lo copiado o
// exportado, con la pregunta si la caja pide otra; "Aceptar" sin datos
// muestra el gráfico vacío; los gráficos dicen lo mismo que sus reportes; una
// serie conserva su color; las ventanas se agrandan y se recorren con el teclado.
#include "../printing/AyudaImpresion.h"
#include "AccionesGrafico.h"
#include "ApoyoEstadisticas.h"
#include "DateTimeBox.h"
#include "Estadistica.h"
#include "JuegosBotones.h"
#include "Parametros.h"
#include "VentanasEstadisticas.h"
#include "VistaGrafico.h"
#include "frmEstadistica.h"
#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QDateEdit>
#include <QDialog>
#include <QGraphicsSimpleTextItem>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <map>

namespace {

const qint16 Usuario = 33301;
const QDate ConDatos(2024, 6, 30);
const QDate SinDatos(2019, 6, 15); // antes de los datos de demostración
const QString Carpeta = QStringLiteral("Miravel/Reportes/Formato85/");

// Una ventana de estadística como la abre el menú.
struct Abierta {
    explicit Abierta(int tarea) : dialogo(CrearVentanaTarea(tarea, nullptr)) {
        v = dynamic_cast<frmEstadistica*>(dialogo.get());
        EXPECT_NE(v, nullptr) << tarea;
    }
    frmEstadistica* operator->() const { return v; }
    std::unique_ptr<QDialog> dialogo;
    frmEstadistica* v = nullptr;
};

// Lo que se lee en un gráfico: su título y los textos sueltos (rótulos, avisos).
QString TextosDe(VistaGrafico* vista) {
    QStringList textos{vista->chart()->title()};
    for (QGraphicsItem* item : vista->chart()->childItems())
        if (auto* t = dynamic_cast<QGraphicsSimpleTextItem*>(item); t && t->isVisible())
            textos << t->text();
    return textos.join(QLatin1Char('\n'));
}

// La cifra de un renglón del reporte ("1.955.882.371,98" -> 1955882371.98).
double Cifra(QString texto) {
    return texto.remove(QLatin1Char('.')).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
}

class Cifras : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        Glob().CodUsuario = Usuario;
        Glob().EjercicioActual = 2024;
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Limpiar();
    }
    void TearDown() override {
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Limpiar();
        ConImpresion::TearDown();
    }
    void Limpiar() {
        const std::pair<const char*, const char*> tablas[] = {
            {"ges_tipo_compra", "cod_usuario"},      {"ges_gastos_x_objeto", "usuario"},
            {"ges_recursos_x_ori_proce", "usuario"}, {"ges_ingresos_dia", "usuario"},
            {"ges_ingresos_mes", "usuario"},         {"ges_recursos_detalle", "usuario"},
            {"ges_gastos_detalle", "usuario"},       {"ges_tmp_cargos_dispo_ocu", "usuario"}};
        for (const auto& [tabla, columna] : tablas)
            Cambiar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE %2 = %3")
                        .arg(QLatin1String(tabla), QLatin1String(columna))
                        .arg(Usuario));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }
    // Las siete tareas con gráficos.
    static QList<int> ConGraficos() {
        QList<int> tareas;
        for (int tarea : TareasDisponibles())
            if (Abierta(tarea)->Logica().Descripcion().graficos > 0)
                tareas << tarea;
        return tareas;
    }
    void Aceptar(Abierta& v, const QDate& fecha) {
        ASSERT_TRUE(v->Fecha()->PonerValue(fecha));
        v->CmdActualizar()->click();
        ASSERT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    }
    QStringList Reporte() {
        return prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf")))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
};

TEST_F(Cifras, LaFechaTecleadaEsLaQueSeGenera) {
    Glob().SeguimientoSql = true;
    Abierta v(107);
    v->show();
    v->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.v));
    // Clic en la caja, Ctrl+A, la fecha sin separadores y clic en «Actualizar».
    const auto teclear = [&](const QString& texto) {
        QLineEdit* caja = v->Fecha()->DateTime()->Editor()->findChild<QLineEdit*>();
        QTest::mouseClick(caja, Qt::LeftButton, {}, QPoint(6, 6));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        for (QChar letra : texto)
            QTest::keyClick(QApplication::focusWidget(), letra.toLatin1());
        QTest::mouseClick(v->CmdActualizar(), Qt::LeftButton);
    };
    teclear(QStringLiteral("15032024"));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    const QStringList sentencias = prueba::SentenciasTrazadas(dir.path());
    EXPECT_TRUE(sentencias.contains(
        QStringLiteral("EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_TIPO_COMPRA(%1,2024,'15/03/2024')")
            .arg(Usuario)))
        << sentencias.join('\n').toStdString();
    EXPECT_EQ(v->Fecha()->Value().toDate(), QDate(2024, 3, 15));

    // Una fecha que no existe: el mensaje, y nada se genera.
    teclear(QStringLiteral("31/02/2025"));
    ASSERT_GE(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral("31/02/2025")));
    EXPECT_EQ(prueba::SentenciasTrazadas(dir.path()), sentencias);
    EXPECT_EQ(v->Fecha()->Value().toDate(), QDate(2024, 3, 15));
    // Al volver del mensaje la ventana se activa: el foco sigue en la fecha
    // rechazada, y Escape la descarta sin cerrar la ventana.
    QEvent activacion(QEvent::ActivationChange);
    QApplication::sendEvent(v.v, &activacion);
    ASSERT_TRUE(v->Fecha()->isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(v->isVisible());
    EXPECT_EQ(v->Fecha()->Value().toDate(), QDate(2024, 3, 15));
}

TEST_F(Cifras, ImprimirTodoRotulaConLaFechaDeLasCifrasYPreguntaSiLaCajaPideOtra) {
    InstalarDelArbol(Carpeta + QStringLiteral("MRV_TipoCompra.rpt"));
    Abierta v(107);
    Aceptar(v, ConDatos);
    const QDate otra(2024, 3, 16);
    ASSERT_TRUE(v->Fecha()->PonerValue(otra)); // sin «Actualizar»

    // Cancelar: ni se actualiza ni se imprime.
    ui.respuestas = {Boton::Cancelar};
    v->CmdImprimir()->click();
    ASSERT_EQ(ui.mensajes.size(), 1u) << "se pregunta antes de imprimir";
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral("30/06/2024")));
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(QStringLiteral("16/03/2024")));
    EXPECT_EQ(ui.mensajes[0].TipoBotones, 3) << "Sí, No y Cancelar";
    EXPECT_TRUE(ventanas.titulos.isEmpty());

    // No: las cifras que hay, con la fecha para la que se generaron.
    ui.respuestas = {Boton::No};
    v->CmdImprimir()->click();
    ASSERT_EQ(ventanas.titulos.size(), 1);
    QStringList texto = Reporte();
    EXPECT_TRUE(texto.join('\n').contains(QStringLiteral("hasta el 30/06/2024")))
        << texto.join('\n').toStdString();
    EXPECT_FALSE(texto.join('\n').contains(QStringLiteral("16/03/2024")));

    // Sí: «Actualizar» para la fecha de la caja y después se imprime.
    ui.respuestas = {Boton::Si};
    v->CmdImprimir()->click();
    ASSERT_EQ(ventanas.titulos.size(), 2);
    texto = Reporte();
    EXPECT_TRUE(texto.join('\n').contains(QStringLiteral("hasta el 16/03/2024")));
    EXPECT_TRUE(TextosDe(v->Chart()).contains(QStringLiteral("Cifras al 16/03/2024")));

    // La caja y las cifras con la misma fecha: no se pregunta.
    const size_t preguntas = ui.mensajes.size();
    v->CmdImprimir()->click();
    EXPECT_EQ(ui.mensajes.size(), preguntas);
    EXPECT_EQ(ventanas.titulos.size(), 3);
}

TEST_F(Cifras, LoCopiadoYExportadoLlevaLaFechaDeLasCifrasYSuUnidad) {
    Abierta v(101);
    v->show();
    Aceptar(v, ConDatos);
    AccionesGrafico* acciones = v->Acciones();
    const QString referencia = QStringLiteral("Cifras al 30/06/2024, en millones de pesos");
    QApplication::clipboard()->clear();
    acciones->CopiarDatos()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().contains(referencia))
        << QApplication::clipboard()->text().toStdString();
    const QString csv = dir.filePath(QStringLiteral("gastos.csv"));
    ASSERT_TRUE(acciones->GrabarDatos(csv));
    EXPECT_TRUE(QString::fromUtf8(prueba::LeerArchivo(csv)).contains(referencia));
    acciones->VerDatos()->trigger();
    ASSERT_NE(acciones->VentanaDatos(), nullptr);
    QStringList etiquetas;
    for (QLabel* l : acciones->VentanaDatos()->findChildren<QLabel*>())
        etiquetas << l->text();
    EXPECT_TRUE(etiquetas.contains(referencia)) << etiquetas.join('|').toStdString();

    // Con otra fecha en la caja se pregunta; «No» copia las cifras que hay,
    // con su fecha.
    ASSERT_TRUE(v->Fecha()->PonerValue(QDate(2024, 9, 30)));
    ui.respuestas = {Boton::No};
    QApplication::clipboard()->clear();
    acciones->CopiarDatos()->trigger();
    EXPECT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(QApplication::clipboard()->text().contains(referencia));
    ui.respuestas = {Boton::Cancelar};
    QApplication::clipboard()->clear();
    acciones->CopiarDatos()->trigger();
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty()) << "cancelado, nada se copia";
}

TEST_F(Cifras, CadaGraficoDiceLaFechaDeSusCifras) {
    for (int tarea : ConGraficos()) {
        SCOPED_TRACE(tarea);
        Abierta v(tarea);
        Aceptar(v, ConDatos);
        for (int i = 0; i < v->Logica().Descripcion().graficos; ++i)
            EXPECT_TRUE(TextosDe(v->Chart(i)).contains(QStringLiteral("Cifras al 30/06/2024")))
                << TextosDe(v->Chart(i)).toStdString();
        // Al abrirla de nuevo, la FECHA de la tabla (Evolución de Gastos lee
        // el año de hoy y Ocupación de Cargos no guarda la fecha).
        if (tarea == 101 || tarea == 109)
            continue;
        Abierta otra(tarea);
        EXPECT_EQ(otra->Fecha()->Value().toDate(), ConDatos);
        for (int i = 0; i < otra->Logica().Descripcion().graficos; ++i)
            EXPECT_TRUE(TextosDe(otra->Chart(i)).contains(QStringLiteral("Cifras al 30/06/2024")));
    }
}

TEST_F(Cifras, AceptarSinDatosMuestraElGraficoVacioDeLaCarga) {
    for (int tarea : ConGraficos()) {
        SCOPED_TRACE(tarea);
        Abierta v(tarea);
        Aceptar(v, ConDatos);
        Aceptar(v, SinDatos);
        // La grilla de ceros que muestra la carga con las tablas vacías.
        Abierta vacia(tarea);
        for (int i = 0; i < v->Logica().Descripcion().graficos; ++i) {
            SCOPED_TRACE(i);
            const ModeloGrafico& g = v->Logica().Grafico(i);
            const ModeloGrafico& carga = vacia->Logica().Grafico(i);
            EXPECT_EQ(g.RowCount(), carga.RowCount());
            EXPECT_EQ(g.ColumnCount(), carga.ColumnCount());
            for (int f = 1; f <= g.RowCount(); ++f) {
                EXPECT_TRUE(g.RowLabel(f).isEmpty()) << "nada de la fecha anterior";
                for (int c = 1; c <= g.ColumnCount(); ++c)
                    EXPECT_EQ(g.Dato(f, c), 0);
            }
            EXPECT_EQ(g.NombresSeries(), carga.NombresSeries());
            EXPECT_TRUE(TextosDe(v->Chart(i)).contains(QStringLiteral("Sin datos al 15/06/2019")))
                << TextosDe(v->Chart(i)).toStdString();
        }
    }
}

TEST_F(Cifras, GastosEnPersonalConLosPorcentajesDeSuReporte) {
    InstalarDelArbol(Carpeta + QStringLiteral("MRV_PresupGastosPer.rpt"));
    Abierta v(104);
    Aceptar(v, ConDatos);
    v->CmdImprimir()->click();
    const QStringList texto = Reporte();
    // El renglón del ejercicio en el cuadro del gasto frente a lo ejecutado.
    const qsizetype cuadro = texto.indexOf(QStringLiteral("Ejercicio Gasto en personal "
                                                          "Ejecutado total Resto Parte"));
    ASSERT_GE(cuadro, 0) << texto.join('\n').toStdString();
    const QStringList renglon = texto.at(cuadro + 1).split(QLatin1Char(' '));
    ASSERT_EQ(renglon.size(), 6) << texto.at(cuadro + 1).toStdString();
    ASSERT_EQ(renglon[0], QStringLiteral("2024"));
    const double parte = Cifra(renglon[4]);
    EXPECT_EQ(v->Chart(1)->RotulosVisibles(),
              (QStringList{QString::number(qRound(parte)) + "%", QStringLiteral("100%")}))
        << "el gasto en personal como parte de lo ejecutado: " << parte;
}

TEST_F(Cifras, EvolucionDeGastosConLosRotulosYLasCifrasDeSuReporte) {
    InstalarDelArbol(Carpeta + QStringLiteral("MRV_Gastos_x_Objeto.rpt"));
    Abierta v(101);
    Aceptar(v, ConDatos);
    v->CmdImprimir()->click();
    const QStringList texto = Reporte();
    const qsizetype encabezado =
        texto.indexOf(QStringLiteral("Inc. Descripción Devengado Pagado Impago"));
    ASSERT_GE(encabezado, 0) << texto.join('\n').toStdString();
    const ModeloGrafico& g = v->Logica().Grafico();
    EXPECT_EQ(g.NombresSeries(), (QStringList{"Devengado", "Pagado", "Impago"}));
    ASSERT_GT(g.RowCount(), 0);
    for (int f = 1; f <= g.RowCount(); ++f) {
        SCOPED_TRACE(g.RowLabel(f).toStdString());
        const QStringList renglon = texto.at(encabezado + f).split(QLatin1Char(' '));
        ASSERT_GE(renglon.size(), 5);
        EXPECT_EQ(renglon.first(), g.RowLabel(f));
        const QString nombre = renglon.mid(1, renglon.size() - 4).join(QLatin1Char(' '));
        for (int c = 1; c <= 3; ++c)
            EXPECT_NEAR(g.Dato(f, c) * 1e6, Cifra(renglon.at(renglon.size() - 4 + c)), 0.01);
        // El eje dice el código; el tooltip, también el nombre del inciso.
        EXPECT_TRUE(v->Chart()->TextoPunto(f - 1, 1).contains(nombre))
            << v->Chart()->TextoPunto(f - 1, 1).toStdString();
    }
    // «Ver datos»: el nombre del inciso junto a su código.
    v->Acciones()->VerDatos()->trigger();
    auto* grilla = v->Acciones()->VentanaDatos()->findChild<QTableView*>();
    ASSERT_NE(grilla, nullptr);
    QStringList columnas;
    for (int c = 0; c < grilla->model()->columnCount(); ++c)
        columnas << grilla->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(columnas, (QStringList{"Inciso", "Descripción", "Devengado", "Pagado", "Impago"}));
}

TEST_F(Cifras, UnaSerieConservaSuColorCualquieraSeaLaFecha) {
    Abierta v(107);
    const auto colores = [&] {
        std::map<QString, QRgb> porNombre;
        QStringList orden;
        auto* barras = qobject_cast<QBarSeries*>(v->Chart()->chart()->series().first());
        for (QBarSet* conjunto : barras->barSets()) {
            porNombre[conjunto->label()] = conjunto->color().rgb();
            orden << conjunto->label();
        }
        return std::pair(porNombre, orden);
    };
    Aceptar(v, ConDatos);
    const auto junio = colores();
    Aceptar(v, QDate(2024, 12, 31));
    const auto diciembre = colores();
    ASSERT_NE(junio.second, diciembre.second) << "Caja Chica y Compra Directa cambian de puesto";
    EXPECT_EQ(junio.first, diciembre.first);
}

TEST_F(Cifras, LasVentanasSeAgrandanYSusGraficosCrecen) {
    for (int tarea : ConGraficos()) {
        SCOPED_TRACE(tarea);
        Abierta v(tarea);
        v->show();
        QApplication::processEvents();
        const QSize diseno = v->size();
        const QSize area = v->Logica().Descripcion().areaCliente;
        EXPECT_EQ(diseno, QSize(qRound(area.width() / 15.0), qRound(area.height() / 15.0)))
            << "se abre del tamaño de diseño";
        EXPECT_TRUE(v->windowFlags() & Qt::WindowMaximizeButtonHint);
        const int graficos = v->Logica().Descripcion().graficos;
        std::vector<QRect> antes;
        for (int i = 0; i < graficos; ++i) {
            antes.push_back(v->Chart(i)->geometry());
            EXPECT_TRUE(v->rect().contains(antes.back())) << "entra en la ventana de diseño";
        }
        v->resize(diseno.width() * 3 / 2, diseno.height() + 200);
        QApplication::processEvents();
        ASSERT_EQ(v->size(), QSize(diseno.width() * 3 / 2, diseno.height() + 200));
        for (int i = 0; i < graficos; ++i) {
            const QRect ahora = v->Chart(i)->geometry();
            EXPECT_TRUE(v->rect().contains(ahora));
            EXPECT_NEAR(ahora.width(), antes[size_t(i)].width() * 1.5, 2);
            EXPECT_EQ(ahora.height(), antes[size_t(i)].height() + 200);
            EXPECT_EQ(v->Chart(i)->chart()->size().toSize(), ahora.size()) << "el dibujo crece";
        }
        v->showMaximized();
        QApplication::processEvents();
        EXPECT_GE(v->width(), diseno.width());
        for (int i = 0; i < graficos; ++i)
            EXPECT_TRUE(v->rect().contains(v->Chart(i)->geometry()));
    }
}

TEST_F(Cifras, TabLlegaACadaGraficoYLaTeclaDeMenuAbreSuMenu) {
    Abierta v(104);
    v->show();
    v->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(v.v));
    v->CmdActualizar()->setFocus();
    QList<QWidget*> recorrido;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        recorrido << QApplication::focusWidget();
    }
    EXPECT_TRUE(recorrido.contains(v->Chart(0)));
    EXPECT_TRUE(recorrido.contains(v->Chart(1)));
    EXPECT_TRUE(recorrido.contains(v->CmdActualizar())) << "y vuelve a empezar";

    // Con el foco en un gráfico, la tecla de menú (como llega del teclado, a
    // la ventana) abre su menú.
    v->Chart(1)->setFocus();
    QTest::keyClick(v->windowHandle(), Qt::Key_Menu);
    EXPECT_TRUE(QTest::qWaitFor([&] { return v->Acciones(1)->Menu()->isVisible(); }, 1000));
    v->Acciones(1)->Menu()->hide();
}

} // namespace
