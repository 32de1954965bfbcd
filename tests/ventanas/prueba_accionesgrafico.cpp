// Lo que el marco pone en cada gráfico, sin servidor: menú con sus teclas y
// la tecla de menú, portapapeles (imagen y datos con tabuladores), imagen a
// PNG, SVG y PDF, datos a CSV y XLSX (con el nombre sin extensión y la última
// carpeta), la consulta antes de exportar, la grilla "Ver datos" con la fecha
// de las cifras, el tooltip de una barra y la leyenda que oculta y muestra series.
#include "AccionesGrafico.h"
#include "DestinosMalos.h"
#include "DialogosGuion.h"
#include "ModeloGrafico.h"
#include "TextoTablas.h"
#include "VistaGrafico.h"
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QClipboard>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <gtest/gtest.h>

namespace {

ModeloGrafico Modelo(int ubicacionLeyenda) {
    ModeloGrafico m;
    m.GrillaDeCeros(3, 2);
    m.TitleText = QStringLiteral("Compras por tipo");
    m.NombrarSeries({QStringLiteral("Monto; \"directas\""), QStringLiteral("Cantidad")});
    const char* rotulos[] = {"Licitación", "Concurso", "Directa"};
    for (int f = 1; f <= 3; ++f) {
        m.SetRowLabel(f, 1, QString::fromUtf8(rotulos[f - 1]));
        m.SetData(f, 1, 1000.25 * f);
        m.SetData(f, 2, 10 * f);
    }
    m.Leyenda.ubicacion = ubicacionLeyenda;
    m.Visible = true;
    m.RecetaEjeY(QStringLiteral("(en cantidad)"), 9);
    m.FechaCifras = QDate(2024, 6, 30);
    return m;
}

struct Grafico {
    explicit Grafico(int ubicacionLeyenda = CodigoGrafico::LeyendaAbajo) {
        ventana.resize(520, 380);
        vista = new VistaGrafico(&ventana);
        vista->setGeometry(10, 10, 500, 360);
        acciones = new AccionesGrafico(
            vista,
            [] {
                return EncabezadoLibro{QStringLiteral("Tipos de Compra"),
                                       QStringLiteral("Villa Serrana")};
            },
            [this] {
                ++consultas;
                return seguir;
            });
        vista->Dibujar(Modelo(ubicacionLeyenda));
        ventana.show();
        ventana.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&ventana));
        QApplication::processEvents();
    }
    QWidget ventana;
    VistaGrafico* vista;
    AccionesGrafico* acciones;
    int consultas = 0; // veces que se preguntó antes de copiar o exportar
    bool seguir = true;
};

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(AccionesGrafico, MenuConTeclasEIconos) {
    Grafico g;
    const QStringList esperados = {QStringLiteral("Copiar imagen"),
                                   QStringLiteral("Guardar imagen…"),
                                   QStringLiteral("Copiar datos"),
                                   QStringLiteral("Exportar datos…"), QStringLiteral("Ver datos")};
    QStringList textos;
    QList<QKeySequence> teclas;
    for (QAction* a : g.acciones->Menu()->actions()) {
        if (a->isSeparator())
            continue;
        textos << a->text();
        EXPECT_FALSE(a->icon().isNull()) << a->text().toStdString();
        EXPECT_FALSE(a->shortcut().isEmpty()) << a->text().toStdString();
        EXPECT_FALSE(teclas.contains(a->shortcut())) << "tecla repetida";
        teclas << a->shortcut();
    }
    EXPECT_EQ(textos, esperados);
    EXPECT_EQ(g.acciones->CopiarImagen()->shortcut(), QKeySequence(QKeySequence::Copy));
}

TEST(AccionesGrafico, PortapapelesConDatosEImagen) {
    Grafico g;
    QApplication::clipboard()->clear();
    // Con el foco en el gráfico, Ctrl+Mayús+C copia los datos como celdas.
    g.vista->setFocus();
    QTest::keyClick(g.vista, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QApplication::clipboard()->text(),
              QStringLiteral("Compras por tipo\n"
                             "Cifras al 30/06/2024, en cantidad\n"
                             "Categoría\tMonto; \"directas\"\tCantidad\n"
                             "Licitación\t1000,25\t10\n"
                             "Concurso\t2000,5\t20\n"
                             "Directa\t3000,75\t30\n"));

    QTest::keyClick(g.vista, Qt::Key_C, Qt::ControlModifier);
    const QImage imagen = QApplication::clipboard()->image();
    ASSERT_FALSE(imagen.isNull());
    EXPECT_EQ(imagen.size(), g.vista->size());
    // Es el gráfico dibujado, no un lienzo vacío: hay barras de colores.
    QSet<QRgb> colores;
    for (int y = 0; y < imagen.height(); y += 4)
        for (int x = 0; x < imagen.width(); x += 4)
            colores.insert(imagen.pixel(x, y));
    EXPECT_GT(colores.size(), 4);
}

TEST(AccionesGrafico, ImagenYDatosAArchivo) {
    Grafico g;
    DialogosGuion dialogos;
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("g.png"));
    ASSERT_TRUE(g.acciones->GrabarImagen(png));
    EXPECT_EQ(QImage(png).size(), g.vista->size());
    const QString svg = dir.filePath(QStringLiteral("g.svg"));
    ASSERT_TRUE(g.acciones->GrabarImagen(svg));
    EXPECT_TRUE(Leer(svg).contains("<svg"));
    const QString pdf = dir.filePath(QStringLiteral("g.pdf"));
    ASSERT_TRUE(g.acciones->GrabarImagen(pdf));
    EXPECT_TRUE(Leer(pdf).startsWith("%PDF"));
    EXPECT_TRUE(dialogos.mensajesSistema.isEmpty());

    // "Guardar imagen…" con el archivo elegido por el guion.
    const QString elegido = dir.filePath(QStringLiteral("elegido.png"));
    AccionesGrafico::PonerElegirArchivo(
        [&](const QString&, const QString& filtros, const QString& sugerido, QString*) {
            EXPECT_TRUE(filtros.contains(QStringLiteral("*.svg")));
            EXPECT_EQ(QFileInfo(sugerido).fileName(), QStringLiteral("Compras por tipo.png"));
            return elegido;
        });
    g.acciones->GuardarImagen()->trigger();
    EXPECT_TRUE(QFile::exists(elegido));

    const QString csv = dir.filePath(QStringLiteral("d.csv"));
    ASSERT_TRUE(g.acciones->GrabarDatos(csv));
    EXPECT_EQ(Leer(csv), TextoTablas::Csv({g.vista->Tabla()}));
    EXPECT_TRUE(Leer(csv).startsWith("\xEF\xBB\xBF"));
    const QString xlsx = dir.filePath(QStringLiteral("d.xlsx"));
    ASSERT_TRUE(g.acciones->GrabarDatos(xlsx));
    EXPECT_TRUE(Leer(xlsx).startsWith("PK"));

    // Lo que no se puede grabar se dice, y no queda nada.
    EXPECT_FALSE(g.acciones->GrabarDatos(dir.filePath(QStringLiteral("d.txt"))));
    EXPECT_FALSE(g.acciones->GrabarImagen(dir.filePath(QStringLiteral("no/hay/g.png"))));
    EXPECT_EQ(dialogos.mensajesSistema.size(), 2);
    AccionesGrafico::PonerElegirArchivo(nullptr);
}

TEST(AccionesGrafico, ExportarConUnNombreSinExtensionYEnLaUltimaCarpeta) {
    Grafico g;
    DialogosGuion dialogos;
    QTemporaryDir dir;
    // La persona escribe "cifras" y elige el tipo CSV: se graba cifras.csv.
    QString sugerido, filtroElegido = QStringLiteral("CSV (*.csv)"), nombre;
    AccionesGrafico::PonerElegirArchivo(
        [&](const QString&, const QString&, const QString& s, QString* filtro) {
            sugerido = s;
            *filtro = filtroElegido;
            return dir.filePath(nombre);
        });
    nombre = QStringLiteral("cifras");
    g.acciones->ExportarDatos()->trigger();
    EXPECT_TRUE(dialogos.mensajesSistema.isEmpty())
        << dialogos.mensajesSistema.join('|').toStdString();
    EXPECT_EQ(Leer(dir.filePath(QStringLiteral("cifras.csv"))),
              TextoTablas::Csv({g.vista->Tabla()}));
    // La próxima vez se sugiere la misma carpeta; un nombre con otra
    // extensión (".2024") también recibe la del tipo elegido.
    filtroElegido = QStringLiteral("Libro de Excel (*.xlsx)");
    nombre = QStringLiteral("cifras.2024");
    g.acciones->ExportarDatos()->trigger();
    EXPECT_EQ(QFileInfo(sugerido).absolutePath(), QFileInfo(dir.path()).absoluteFilePath());
    EXPECT_TRUE(Leer(dir.filePath(QStringLiteral("cifras.2024.xlsx"))).startsWith("PK"));
    // Con la extensión de uno de los tipos, queda como está.
    nombre = QStringLiteral("otra.CSV");
    g.acciones->ExportarDatos()->trigger();
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("otra.CSV"))));
    // La imagen, igual: "grafico" con el tipo SVG.
    filtroElegido = QStringLiteral("Imagen SVG (*.svg)");
    nombre = QStringLiteral("grafico");
    g.acciones->GuardarImagen()->trigger();
    EXPECT_TRUE(Leer(dir.filePath(QStringLiteral("grafico.svg"))).contains("<svg"));
    EXPECT_TRUE(dialogos.mensajesSistema.isEmpty());

    // Si la ventana no deja seguir (la persona canceló la actualización), no
    // se pregunta el archivo ni se copia nada.
    const int antes = g.consultas;
    g.seguir = false;
    sugerido.clear();
    QApplication::clipboard()->clear();
    for (QAction* a : {g.acciones->CopiarImagen(), g.acciones->CopiarDatos(),
                       g.acciones->GuardarImagen(), g.acciones->ExportarDatos()})
        a->trigger();
    EXPECT_EQ(g.consultas, antes + 4);
    EXPECT_TRUE(sugerido.isEmpty());
    EXPECT_TRUE(QApplication::clipboard()->text().isEmpty());
    AccionesGrafico::PonerElegirArchivo(nullptr);
}

TEST(AccionesGrafico, LaTeclaDeMenuAbreElMenuDelGrafico) {
    Grafico g;
    g.vista->setFocus();
    ASSERT_TRUE(g.vista->hasFocus());
    // Como llega del teclado: a la ventana, que la da al control con el foco.
    QTest::keyClick(g.ventana.windowHandle(), Qt::Key_Menu);
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.acciones->Menu()->isVisible(); }, 1000));
    g.acciones->Menu()->hide();
}

// Imagen a un destino que no se puede escribir: el mensaje nombra la ruta y
// el motivo, la imagen anterior queda y la ventana sigue grabando.
TEST(AccionesGrafico, ImagenesQueNoSePuedenGrabar) {
    Grafico g;
    DialogosGuion dialogos;
    QTemporaryDir dir;
    for (const QString& extension :
         {QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")}) {
        for (const auto& d : prueba::DestinosMalos(dir, extension)) {
            dialogos.mensajesSistema.clear();
            EXPECT_FALSE(g.acciones->GrabarImagen(d.ruta)) << d.caso;
            EXPECT_EQ(dialogos.mensajesSistema,
                      QStringList{QStringLiteral("Guardar imagen: No se pudo grabar %1: %2.")
                                      .arg(QDir::toNativeSeparators(d.ruta), d.motivo)})
                << d.caso;
        }
        const QString carpeta = dir.filePath(QStringLiteral("lleno-") + extension);
        const QString ruta = carpeta + QStringLiteral("/g.") + extension;
        ASSERT_TRUE(QDir().mkpath(carpeta));
        QFile anterior(ruta);
        ASSERT_TRUE(anterior.open(QIODevice::WriteOnly));
        anterior.write("anterior");
        anterior.close();
        dialogos.mensajesSistema.clear();
        bool grabo = true;
        {
            prueba::DiscoLleno lleno(16);
            grabo = g.acciones->GrabarImagen(ruta);
        }
        EXPECT_FALSE(grabo) << extension.toStdString();
        ASSERT_EQ(dialogos.mensajesSistema.size(), 1);
        EXPECT_TRUE(dialogos.mensajesSistema[0].startsWith(
            QStringLiteral("Guardar imagen: No se pudo grabar ") + QDir::toNativeSeparators(ruta)));
        EXPECT_EQ(Leer(ruta), "anterior");
        EXPECT_EQ(prueba::Archivos(carpeta), QStringList{QStringLiteral("g.") + extension});
        EXPECT_TRUE(g.acciones->GrabarImagen(ruta));
        EXPECT_NE(Leer(ruta), "anterior");
    }
    // Los datos pasan por el mismo mensaje.
    dialogos.mensajesSistema.clear();
    const auto datos = prueba::DestinosMalos(dir, QStringLiteral("csv"));
    EXPECT_FALSE(g.acciones->GrabarDatos(datos[0].ruta));
    EXPECT_EQ(dialogos.mensajesSistema,
              QStringList{QStringLiteral("Exportar datos: No se pudo grabar %1: %2.")
                              .arg(QDir::toNativeSeparators(datos[0].ruta), datos[0].motivo)});
    EXPECT_TRUE(g.vista->isEnabled() && g.ventana.isVisible());
}

TEST(AccionesGrafico, VerDatosOrdenaConTotales) {
    Grafico g;
    g.ventana.move(250, 20); // a su derecha no entra la grilla
    QApplication::processEvents();
    g.acciones->VerDatos()->trigger();
    QDialog* d = g.acciones->VentanaDatos();
    ASSERT_NE(d, nullptr);
    EXPECT_TRUE(d->isVisible());
    // Al costado del gráfico pero dentro de la pantalla, aunque al costado no entre.
    ASSERT_NE(d->screen(), nullptr);
    EXPECT_TRUE(d->screen()->availableGeometry().contains(d->frameGeometry()))
        << d->frameGeometry().x() << "+" << d->frameGeometry().width();
    auto* grilla = d->findChild<QTableView*>(QStringLiteral("Grilla"));
    ASSERT_NE(grilla, nullptr);
    QAbstractItemModel* m = grilla->model();
    // Arriba de la grilla, la fecha de las cifras y su unidad.
    auto* referencia = d->findChild<QLabel*>(QStringLiteral("Referencia"));
    ASSERT_NE(referencia, nullptr);
    EXPECT_EQ(referencia->text(), QStringLiteral("Cifras al 30/06/2024, en cantidad"));
    ASSERT_EQ(m->rowCount(), 4);
    EXPECT_EQ(m->index(3, 0).data().toString(), QStringLiteral("Total"));
    EXPECT_EQ(m->index(3, 1).data().toString(), QStringLiteral("6.001,50"));
    // Un clic en el encabezado de "Cantidad" ordena; el total queda al pie.
    grilla->horizontalHeader()->setSortIndicator(2, Qt::DescendingOrder);
    EXPECT_EQ(m->index(0, 0).data().toString(), QStringLiteral("Directa"));
    EXPECT_EQ(m->index(0, 2).data().toString(), QStringLiteral("30"));
    EXPECT_EQ(m->index(3, 0).data().toString(), QStringLiteral("Total"));
    EXPECT_TRUE(m->index(3, 0).data(Qt::FontRole).value<QFont>().bold());

    const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (!carpeta.isEmpty()) {
        g.ventana.grab().save(carpeta + QStringLiteral("/grafico.png"));
        d->grab().save(carpeta + QStringLiteral("/verdatos.png"));
    }

    // Un solo botón, en castellano, que cierra la grilla.
    const QList<QPushButton*> botones = d->findChildren<QPushButton*>();
    ASSERT_EQ(botones.size(), 1);
    EXPECT_EQ(botones[0]->text(), QStringLiteral("&Cerrar"));
    QPointer<QDialog> viva(d);
    botones[0]->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viva.isNull());
}

TEST(AccionesGrafico, TooltipDeUnaBarra) {
    Grafico g;
    EXPECT_EQ(g.vista->TextoPunto(1, 0), QStringLiteral("Monto; \"directas\"\nConcurso: 2.000,5"));
    EXPECT_EQ(g.vista->TextoPunto(2, 1), QStringLiteral("Cantidad\nDirecta: 30"));
    EXPECT_EQ(g.vista->TextoPunto(3, 0), QString());
    // Al señalar la barra, el tooltip dice lo mismo.
    auto* barras = qobject_cast<QBarSeries*>(g.vista->chart()->series().first());
    ASSERT_NE(barras, nullptr);
    emit barras->hovered(true, 1, barras->barSets().at(0));
    EXPECT_EQ(QToolTip::text(), g.vista->TextoPunto(1, 0));

    const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (!carpeta.isEmpty()) {
        // El gráfico con el tooltip encima, donde está el puntero.
        QImage imagen = g.ventana.grab().toImage();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) {
                QPainter p(&imagen);
                p.drawPixmap(QPoint(260, 120), w->grab());
            }
        imagen.save(carpeta + QStringLiteral("/tooltip.png"));
        g.acciones->Menu()->popup(g.vista->mapToGlobal(QPoint(200, 150)));
        QApplication::processEvents();
        imagen = g.ventana.grab().toImage();
        QPainter p(&imagen);
        p.drawPixmap(QPoint(210, 160), g.acciones->Menu()->grab());
        p.end();
        imagen.save(carpeta + QStringLiteral("/menugrafico.png"));
        g.acciones->Menu()->hide();
    }
    emit barras->hovered(false, 1, barras->barSets().at(0));
}

TEST(AccionesGrafico, LaLeyendaOcultaYMuestraSeries) {
    // Leyenda propia (abajo): un clic en la entrada de la segunda serie.
    Grafico g;
    QPoint entrada(-1, -1);
    for (int y = 0; y < g.vista->height() && entrada.x() < 0; y += 2)
        for (int x = 0; x < g.vista->width(); x += 2)
            if (g.vista->SerieEnLeyenda(QPoint(x, y)) == 1) {
                entrada = QPoint(x, y);
                break;
            }
    ASSERT_GE(entrada.x(), 0) << "no se encontró la entrada de la leyenda";
    auto* barras = qobject_cast<QBarSeries*>(g.vista->chart()->series().first());
    const QColor color = barras->barSets().at(1)->color();
    QTest::mouseClick(g.vista->viewport(), Qt::LeftButton, {}, entrada);
    EXPECT_FALSE(g.vista->SerieVisible(1));
    EXPECT_TRUE(g.vista->SerieVisible(0));
    EXPECT_EQ(barras->barSets().at(1)->color().alpha(), 0);
    // Una serie oculta no muestra tooltip.
    emit barras->hovered(true, 0, barras->barSets().at(1));
    EXPECT_NE(QToolTip::text(), g.vista->TextoPunto(0, 1));
    QTest::mouseClick(g.vista->viewport(), Qt::LeftButton, {}, entrada);
    EXPECT_TRUE(g.vista->SerieVisible(1));
    EXPECT_EQ(barras->barSets().at(1)->color(), color);

    // Leyenda del costado: la marca del componente.
    Grafico costado(CodigoGrafico::LeyendaDerecha);
    auto* barras2 = qobject_cast<QBarSeries*>(costado.vista->chart()->series().first());
    const QList<QLegendMarker*> marcas = costado.vista->chart()->legend()->markers(barras2);
    ASSERT_EQ(marcas.size(), 2);
    emit marcas[0]->clicked();
    EXPECT_FALSE(costado.vista->SerieVisible(0));
    emit marcas[0]->clicked();
    EXPECT_TRUE(costado.vista->SerieVisible(0));
}

} // namespace
