// Botones estándar y teclas, ventana del despachador y lista de versiones instaladas.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "Plantillas.h"
#include "ProcesarTeclas.h"
#include "TareasEstadistica.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include "frmMensajeLista.h"
#include "frmPosInicio.h"
#include "frmResources.h"
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

// Ventana con los botones nombrados; cuenta los clics de cada uno.
struct VentanaConBotones {
    QDialog ventana;
    QMap<QString, int> clics;
    explicit VentanaConBotones(const QStringList& nombres) {
        int x = 0;
        for (const QString& n : nombres) {
            auto* b = new QPushButton(n, &ventana);
            b->setObjectName(n);
            b->setGeometry(x, 0, 40, 40);
            x += 44;
            QObject::connect(b, &QPushButton::clicked, [this, n] { ++clics[n]; });
        }
        ventana.show();
    }
    QPushButton* Boton(const QString& n) { return ventana.findChild<QPushButton*>(n); }
    // Procesa la tecla; devuelve si quedó consumida.
    bool Tecla(int tecla, Qt::KeyboardModifiers mods = Qt::NoModifier, bool navegar = false) {
        ProcesarTeclas(tecla, mods, navegar, &ventana);
        return tecla == 0 && mods == Qt::NoModifier;
    }
};

class ConServidor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        prueba::PrepararSesion(carpeta.path());
    }
    void TearDown() override { Glob() = EstadoSesion(); }
    void Preparar(const QString& sql) {
        ASSERT_TRUE(Glob().Conexion->Ejecutar(sql)) << sql.toStdString();
    }
    QTemporaryDir carpeta;
    DialogosGuion guion;
};

} // namespace

TEST(Recursos, BotonesEstandarConImagenTooltipYSinTexto) {
    VentanaConBotones v({"CmdActualizar", "CmdImprimir", "CmdCerrar", "CmdHerramientas", "Otro"});
    frmResources::Descargar();
    RegistroVentanas::instancia().Vaciar();
    GetInfoResources(&v.ventana);
    const QMap<QString, QString> tooltips = {
        {"CmdActualizar", "Actualizar"}, {"CmdImprimir", "Imprimir"}, {"CmdCerrar", "Salir"}};
    for (auto it = tooltips.begin(); it != tooltips.end(); ++it) {
        QPushButton* b = v.Boton(it.key());
        EXPECT_EQ(b->text(), "") << it.key().toStdString();
        EXPECT_EQ(b->toolTip(), it.value());
        EXPECT_FALSE(b->icon().isNull()) << it.key().toStdString();
        EXPECT_TRUE(b->isVisible());
    }
    EXPECT_FALSE(v.Boton("CmdHerramientas")->isVisible());
    EXPECT_EQ(v.Boton("Otro")->text(), "Otro");
    // Toda la tabla tiene su imagen, y la ventana de recursos quedó cargada.
    for (const auto& [nombre, tooltip] : frmResources::BotonesEstandar())
        EXPECT_TRUE(frmResources::Instancia().TieneBoton(nombre)) << nombre.toStdString();
    EXPECT_FALSE(frmResources::Instancia().EmblemaAlternativo().isNull());
    EXPECT_EQ(RegistroVentanas::instancia().Nombres(), QStringList{"frmResources"});
    frmResources::Descargar();
    EXPECT_EQ(RegistroVentanas::instancia().Cantidad(), 0);

    // Variante de renglones de detalle.
    VentanaConBotones item({"CmdGrabar", "CmdCancel"});
    GetInfoResourcesItem(&item.ventana);
    EXPECT_EQ(item.Boton("CmdGrabar")->toolTip(), "Actualizar Item");
    EXPECT_EQ(item.Boton("CmdCancel")->toolTip(), "Salir");
    EXPECT_FALSE(item.Boton("CmdGrabar")->icon().isNull());
    frmResources::Descargar();
}

TEST(Teclas, BotonesQuePulsaCadaTeclaYQueConsume) {
    VentanaConBotones v({"CmdCerrar", "CmdCancelar", "CmdCancel", "CmdAceptar", "CmdGrabar",
                         "CmdRefresh", "CmdSiguiente", "CmdAgregar", "CmdDesbloquear"});
    v.Boton("CmdAceptar")->setEnabled(false);
    v.Boton("CmdCancel")->hide();

    EXPECT_TRUE(v.Tecla(Qt::Key_Escape));
    EXPECT_EQ(v.clics.value("CmdCerrar"), 1);
    EXPECT_EQ(v.clics.value("CmdCancelar"), 1);
    EXPECT_EQ(v.clics.value("CmdCancel"), 0); // oculto
    // F5 con Aceptar deshabilitado sigue con Grabar, que toma el foco.
    EXPECT_TRUE(v.Tecla(Qt::Key_F5));
    EXPECT_EQ(v.clics.value("CmdAceptar"), 0);
    EXPECT_EQ(v.clics.value("CmdGrabar"), 1);
    EXPECT_TRUE(v.Tecla(Qt::Key_F7));
    EXPECT_EQ(v.clics.value("CmdRefresh"), 1);
    // Flechas: solo con navegación, y nunca se consumen.
    EXPECT_FALSE(v.Tecla(Qt::Key_Down));
    EXPECT_EQ(v.clics.value("CmdSiguiente"), 0);
    EXPECT_FALSE(v.Tecla(Qt::Key_Right, Qt::NoModifier, true));
    EXPECT_EQ(v.clics.value("CmdSiguiente"), 1);
    // Letras: solo con su modificador.
    EXPECT_FALSE(v.Tecla(Qt::Key_A));
    EXPECT_FALSE(v.Tecla(Qt::Key_A, Qt::ControlModifier));
    EXPECT_EQ(v.clics.value("CmdAgregar"), 0);
    EXPECT_TRUE(v.Tecla(Qt::Key_A, Qt::AltModifier));
    EXPECT_EQ(v.clics.value("CmdAgregar"), 1);
    EXPECT_FALSE(v.Tecla(Qt::Key_D, Qt::AltModifier));
    EXPECT_TRUE(v.Tecla(Qt::Key_D, Qt::ControlModifier | Qt::AltModifier));
    EXPECT_EQ(v.clics.value("CmdDesbloquear"), 1);

    // Una ventana sin botones (la principal): Esc y F3..F10 se consumen igual.
    VentanaConBotones vacia({});
    for (int t : {int(Qt::Key_Escape), int(Qt::Key_F3), int(Qt::Key_F4), int(Qt::Key_F6),
                  int(Qt::Key_F8), int(Qt::Key_F9), int(Qt::Key_F10)})
        EXPECT_TRUE(vacia.Tecla(t)) << t;
    EXPECT_FALSE(vacia.Tecla(Qt::Key_F2));
}

TEST(Teclas, UnBotonQueLanzaQuedaEnElRegistroDeErroresYSigueElResto) {
    QTemporaryDir dir;
    Glob() = EstadoSesion();
    Glob().RutaSistema = dir.path() + u'/';
    VentanaConBotones v({"CmdCerrar", "CmdCancelar"});
    QObject::connect(v.Boton("CmdCerrar"), &QPushButton::clicked,
                     [] { throw std::runtime_error("al cerrar"); });
    EXPECT_TRUE(v.Tecla(Qt::Key_Escape));
    EXPECT_EQ(v.clics.value("CmdCancelar"), 1);
    // Sin servidor el registro usa la fecha del puesto.
    QFile registro(dir.filePath(
        QStringLiteral("LogsFiles/Errores/%1MRVErr.log").arg(LetrasDia(QDate::currentDate()))));
    ASSERT_TRUE(registro.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(registro.readAll());
    EXPECT_TRUE(texto.contains("Lugar    : ProcesarTeclas CmdCerrar\n"
                               "Mensaje  : Excepción atrapada: al cerrar\n"))
        << texto.toStdString();
    Glob() = EstadoSesion();
}

TEST(Teclas, ElFiltroDeLaVentanaActuaUnaSolaVezPorTecla) {
    VentanaConBotones v({"CmdImprimir", "CmdSiguiente"});
    auto* texto = new QLineEdit(&v.ventana);
    texto->setGeometry(0, 50, 100, 24);
    texto->show();
    InstalarTeclas(&v.ventana, true);
    texto->setFocus();
    // F9 llega al cuadro de texto: se pulsa Imprimir y no sigue.
    QKeyEvent f9(QEvent::KeyPress, Qt::Key_F9, Qt::NoModifier);
    QApplication::sendEvent(texto, &f9);
    EXPECT_EQ(v.clics.value("CmdImprimir"), 1);
    EXPECT_TRUE(f9.isAccepted());
    // La flecha no se consume: sube al diálogo sin volver a pulsar.
    QKeyEvent abajo(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(texto, &abajo);
    EXPECT_EQ(v.clics.value("CmdSiguiente"), 1);
}

TEST_F(ConServidor, DespachoPorCodigo) {
    CodigoTarea() = 255;
    frmPosInicio::Despachar(nullptr);
    EXPECT_TRUE(guion.mensajes.empty());

    // Un código fuera de las tareas: el mensaje 139 del catálogo con el código.
    const auto fila =
        ValorSQL("SELECT mensaje FROM owner_sarvo.errores_vb WHERE codigo_error=139", QString());
    ASSERT_TRUE(fila && fila->toString().contains('@'));
    CodigoTarea() = 200;
    frmPosInicio::Despachar(nullptr);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, fila->toString().replace('@', "200"));
    EXPECT_FALSE(frmPosInicio::Cargado());

    // Una estadística cuya ventana todavía no existe lo dice con su nombre.
    for (int codigo = 101; codigo <= 110; ++codigo) {
        if (TareasDisponibles().contains(codigo))
            continue;
        guion.mensajes.clear();
        CodigoTarea() = qint16(codigo);
        frmPosInicio::Despachar(nullptr);
        ASSERT_EQ(guion.mensajes.size(), 1u) << codigo;
        const QString titulo = BuscarTareaEstadistica(codigo)->caption;
        EXPECT_EQ(guion.mensajes[0].titulo, titulo);
        EXPECT_TRUE(guion.mensajes[0].Mensaje.contains(titulo));
    }
    guion.mensajes.clear();

    // 107 abre su ventana en forma modal, con el aspecto de la suite, y vuelve
    // cuando se cierra (Esc).
    InstalarRecursosSuite();
    QString abierta;
    bool cargadoMientras = false, imagenSuite = false, seguiaAbierta = false;
    QTimer mirar, cortar;
    mirar.setSingleShot(true);
    QObject::connect(&mirar, &QTimer::timeout, [&] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w)
            return;
        abierta = w->objectName();
        cargadoMientras = frmPosInicio::Cargado();
        auto* cerrar = w->findChild<QPushButton*>("CmdCerrar");
        imagenSuite = cerrar && cerrar->text().isEmpty() &&
                      cerrar->icon().pixmap(32).toImage() ==
                          frmResources::Instancia().Imagen("CmdCerrar").pixmap(32).toImage();
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(w, &esc);
    });
    cortar.setSingleShot(true);
    QObject::connect(&cortar, &QTimer::timeout, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            seguiaAbierta = true;
            w->close();
        }
    });
    mirar.start(0);
    cortar.start(5000);
    CodigoTarea() = 107;
    frmPosInicio::Despachar(nullptr);
    EXPECT_EQ(abierta, "frmTipoCompra");
    EXPECT_TRUE(cargadoMientras);
    EXPECT_TRUE(imagenSuite);
    EXPECT_FALSE(seguiaAbierta);
    EXPECT_FALSE(frmPosInicio::Cargado());

    // Las otras nueve estadísticas abren cada una su ventana, con su título.
    EXPECT_EQ(TareasDisponibles(), (QList<int>{101, 102, 103, 104, 105, 106, 107, 108, 109, 110}));
    for (int codigo : {101, 102, 103, 104, 105, 106, 108, 109, 110}) {
        QString titulo;
        abierta.clear();
        QTimer::singleShot(0, [&] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                abierta = w->objectName();
                titulo = w->windowTitle();
                w->close();
            }
        });
        CodigoTarea() = qint16(codigo);
        frmPosInicio::Despachar(nullptr);
        const auto tarea = BuscarTareaEstadistica(codigo);
        EXPECT_EQ(abierta, tarea->ventana) << codigo;
        EXPECT_EQ(titulo, tarea->caption) << codigo;
    }
    EXPECT_TRUE(guion.mensajes.empty()) << guion.Textos().join('|').toStdString();
    EXPECT_FALSE(frmPosInicio::Cargado());
}

TEST_F(ConServidor, ListaDeVersionesInstaladas) {
    Preparar(
        "INSERT INTO owner_sarvo.versiones VALUES ('MRV', '002_000', 'S', '2025-01-05 12:00')");
    frmMensajeLista lista;
    const QDateTime ahora(QDate(2026, 12, 9), QTime(8, 5));
    PrepararVersiones(lista, "MRV", "Miravel", ahora);
    EXPECT_EQ(lista.windowTitle(), "Versiones del sistema de Miravel");
    EXPECT_EQ(lista.lblLabels->text(),
              "Listado de versiones instaladas del sistema de Miravel al 09/12/2026 08:05");
    QTreeWidget* l = lista.ListaPrincipal;
    ASSERT_EQ(l->columnCount(), 2);
    EXPECT_EQ(l->headerItem()->text(0), "Versión");
    EXPECT_EQ(l->headerItem()->text(1), "Fecha de Instalación");
    EXPECT_EQ(l->headerItem()->textAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    EXPECT_EQ(l->headerItem()->textAlignment(1) & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_EQ(l->columnWidth(0), qRound(l->width() * 0.45));
    // Ordenada por la primera columna aunque la consulta pida descendente.
    ASSERT_EQ(l->topLevelItemCount(), 3);
    EXPECT_EQ(l->topLevelItem(0)->text(0), "000_009");
    EXPECT_EQ(l->topLevelItem(0)->text(1), "06/11/2023 10:15:00");
    EXPECT_EQ(l->topLevelItem(2)->text(0), "002_000");
    if (const QString dir = qEnvironmentVariable("MIRAVEL_CAPTURAS"); !dir.isEmpty()) {
        lista.show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(lista.grab().save(dir + "/versiones.png"));
    }

    // Clic en la misma columna invierte; otra columna ordena ascendente; de
    // nuevo, descendente. Las fechas se comparan como texto.
    lista.ClickColumna(0);
    EXPECT_EQ(lista.SentidoOrden(), Qt::DescendingOrder);
    EXPECT_EQ(l->topLevelItem(0)->text(0), "002_000");
    lista.ClickColumna(1);
    EXPECT_EQ(lista.SentidoOrden(), Qt::AscendingOrder);
    EXPECT_EQ(l->topLevelItem(0)->text(1), "05/01/2025 12:00:00"); // el día manda
    lista.ClickColumna(1);
    EXPECT_EQ(l->topLevelItem(0)->text(1), "18/03/2024 09:30:00");

    // Una fecha nula deja vacía su columna; sin filas, solo los títulos.
    CargarListaSQL("//SELECT VERSION, NULL AS FECHA FROM {VERSIONES} WHERE VERSION='001_000'", l,
                   "<,45%,Versión|>,45%,Fecha de Instalación");
    ASSERT_EQ(l->topLevelItemCount(), 1);
    EXPECT_EQ(l->topLevelItem(0)->text(1), "");
    CargarListaSQL("//SELECT VERSION, FECHA FROM {VERSIONES} WHERE 1=0", l,
                   "=,1500,Uno|<,50%,Dos|>,10%,Tres");
    EXPECT_EQ(l->topLevelItemCount(), 0);
    EXPECT_EQ(l->columnCount(), 3);
    EXPECT_EQ(l->columnWidth(0), 100); // 1500 twips
    EXPECT_EQ(l->headerItem()->textAlignment(0) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_TRUE(guion.mensajes.empty());

    // Un prefijo con comilla entra a la consulta como valor.
    Preparar("INSERT INTO owner_sarvo.versiones VALUES ('O''R', '003_000', 'S', '2025-02-01')");
    frmMensajeLista otra;
    PrepararVersiones(otra, "O'R", "Otro", ahora);
    ASSERT_EQ(otra.ListaPrincipal->topLevelItemCount(), 1);
    EXPECT_EQ(otra.ListaPrincipal->topLevelItem(0)->text(0), "003_000");
    EXPECT_TRUE(guion.mensajes.empty());
}
