#include "frmInicio.h"
#include "AyudasVentana.h"
#include "CodigosCatalogo.h"
#include "Dialogos.h"
#include "Func_SarvoArbol.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Logs.h"
#include "Parametros.h"
#include "ParametrosArranque.h"
#include "Plantillas.h"
#include "ProcesarTeclas.h"
#include "Usuarios.h"
#include "VentanaLanzador.h"
#include "Ventanas.h"
#include "frmMensajeLista.h"
#include "frmPosInicio.h"
#include "frmResources.h"
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

namespace {

const QString Sistema = QStringLiteral("Miravel");
const QColor VerdeOscuro(0, 128, 0); // 32768
const QString TextoPanel1 = QStringLiteral("Seleccione la tarea a realizar");
constexpr int RolClave = Qt::UserRole + 1;

// Fondos de ImgList: 1 el de diseño, 2..4 uno por ambiente.
const char* const ImgList[] = {
    ":/imagenes/fondos/fondo.png",
    ":/imagenes/fondos/fondo_produccion.png",
    ":/imagenes/fondos/fondo_prueba.png",
    ":/imagenes/fondos/fondo_capacitacion.png",
};

// Imagen de la barra de tareas frecuentes para cada tarea.
QString ImagenFrecuente(int codigo) {
    return QStringLiteral(":/imagenes/barra/frecuente_%1.png").arg(codigo);
}

// Teclado propio de la ventana, antes que las teclas de la suite: Intro
// sobre el árbol corre la tarea como el doble clic; F10, o Alt pulsada y
// soltada sola, abre la barra de menú.
class TeclasInicio : public QObject {
public:
    explicit TeclasInicio(frmInicio* ventana) : QObject(ventana), ventana_(ventana) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        const bool pulsada = evento->type() == QEvent::KeyPress;
        if ((!pulsada && evento->type() != QEvent::KeyRelease) || !objeto->isWidgetType() ||
            static_cast<QWidget*>(objeto)->window() != ventana_)
            return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool sola = (tecla->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
        if (!pulsada) {
            if (tecla->key() != Qt::Key_Alt || !altSola_)
                return false;
            altSola_ = false;
            return AbrirBarraMenu();
        }
        altSola_ = tecla->key() == Qt::Key_Alt;
        if (tecla->key() == Qt::Key_F10 && sola)
            return AbrirBarraMenu();
        if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) && sola &&
            objeto == ventana_->ArbolMenues) {
            ventana_->ArbolMenues_DblClick();
            return true;
        }
        return false;
    }

private:
    bool AbrirBarraMenu() {
        for (QAction* menu : ventana_->menuBar()->actions())
            if (menu->isVisible() && menu->isEnabled()) {
                ventana_->menuBar()->setActiveAction(menu);
                return true;
            }
        return false;
    }

    frmInicio* ventana_;
    bool altSola_ = false;
};

// Área cliente: el fondo estirado y, encima, el árbol de tareas.
class AreaCliente : public QWidget {
public:
    using QWidget::QWidget;
    QWidget* fondo = nullptr;
    QWidget* arbol = nullptr;
    QWidget* lista = nullptr;

protected:
    void resizeEvent(QResizeEvent* evento) override {
        QWidget::resizeEvent(evento);
        if (fondo)
            fondo->setGeometry(rect());
        const int margen = 14;
        const int ancho = qBound(220, width() / 3, 360);
        if (arbol)
            arbol->setGeometry(margen, margen, ancho, qMax(60, height() - 2 * margen));
        if (lista)
            lista->setGeometry(ancho + 2 * margen, margen, qMin(420, width() / 3),
                               qMax(60, height() / 2));
    }
};

// Agrega los ítemes a una barra o a un menú.
template <typename Destino>
void AgregarItems(Destino* destino, const std::vector<ItemBarra>& items, frmInicio* ventana) {
    for (const ItemBarra& item : items) {
        switch (item.tipo) {
        case ItemBarra::Tipo::Submenu: {
            QMenu* sub = destino->addMenu(item.texto);
            sub->setObjectName(QStringLiteral("mnu") + item.texto);
            AgregarItems(sub, item.hijos, ventana);
            break;
        }
        case ItemBarra::Tipo::Comando: {
            QAction* accion = destino->addAction(item.texto);
            accion->setObjectName(QStringLiteral("mnuItem") + QString::number(item.id));
            accion->setData(item.id);
            const int id = item.id;
            // Corre solo el ítem elegido, ya cerrado el menú.
            QObject::connect(
                accion, &QAction::triggered, ventana,
                [ventana, id] { ventana->EjecutarItemMenu(id); }, Qt::QueuedConnection);
            break;
        }
        case ItemBarra::Tipo::Separador:
            destino->addSeparator()->setData(item.id);
            break;
        }
    }
}

} // namespace

// ---- PanelEstado

PanelEstado::PanelEstado(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(4, 0, 4, 0);
    fila->setSpacing(4);
    imagen_ = new QLabel(this);
    imagen_->setVisible(false);
    texto_ = new QLabel(this);
    texto_->setTextFormat(Qt::PlainText);
    fila->addWidget(imagen_);
    fila->addWidget(texto_, 1);
}

void PanelEstado::PonerText(const QString& texto) {
    texto_->setText(texto);
}
QString PanelEstado::Text() const {
    return texto_->text();
}
void PanelEstado::PonerPicture(const QPixmap& imagen) {
    imagen_->setPixmap(imagen);
    imagen_->setVisible(!imagen.isNull());
}
QPixmap PanelEstado::Picture() const {
    return imagen_->pixmap();
}
void PanelEstado::PonerAlignment(Qt::Alignment a) {
    texto_->setAlignment(a | Qt::AlignVCenter);
}
Qt::Alignment PanelEstado::Alignment() const {
    return texto_->alignment() & Qt::AlignHorizontal_Mask;
}
void PanelEstado::mouseDoubleClickEvent(QMouseEvent* evento) {
    QFrame::mouseDoubleClickEvent(evento);
    emit DblClick();
}

// ---- frmInicio

frmInicio::frmInicio(QWidget* parent) : QMainWindow(parent) {
    InicializarImagenes();
    InstalarRecursosSuite();
    setObjectName(QStringLiteral("frmInicio"));
    setWindowIcon(QIcon(QStringLiteral(":/imagenes/miravel.png")));
    idRegistro_ = RegistroVentanas::instancia().Unirse(
        objectName(), [this] { hide(); }, [this] { repaint(); });

    Despachador = [this](int) { frmPosInicio::Despachar(this); };
    TraerLanzador = TraerAlFrenteVentana;

    auto* area = new AreaCliente(this);
    area->setObjectName(QStringLiteral("AreaCliente"));
    setCentralWidget(area);

    fondo_ = QLatin1String(ImgList[0]);
    Img = new QLabel(area);
    Img->setObjectName(QStringLiteral("Img"));
    Img->setScaledContents(true);
    Img->setPixmap(QPixmap(fondo_));
    area->fondo = Img;

    ArbolMenues = new QTreeWidget(area);
    ArbolMenues->setObjectName(QStringLiteral("ArbolMenues"));
    ArbolMenues->setHeaderHidden(true);
    ArbolMenues->setColumnCount(1);
    ArbolMenues->setIndentation(18);
    ArbolMenues->setExpandsOnDoubleClick(false);
    QFont letra = ArbolMenues->font();
    letra.setPointSizeF(letra.pointSizeF() + 1);
    ArbolMenues->setFont(letra);
    ArbolMenues->setStyleSheet(QStringLiteral(
        "QTreeWidget#ArbolMenues { background: rgba(255, 255, 255, 218);"
        " border: 1px solid rgba(31, 78, 121, 110); border-radius: 6px; padding: 6px; }"
        " QTreeWidget#ArbolMenues::item { padding: 2px 0px; }"));
    connect(ArbolMenues, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { ArbolMenues_DblClick(); });
    area->arbol = ArbolMenues;

    // Nada la llena en este sistema.
    ListaPrincipal = new QTreeWidget(area);
    ListaPrincipal->setObjectName(QStringLiteral("ListaPrincipal"));
    ListaPrincipal->setColumnCount(3);
    ListaPrincipal->setRootIsDecorated(false);
    ListaPrincipal->setVisible(false);
    connect(ListaPrincipal, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem*, int) { ListaPrincipal_DblClick(); });
    area->lista = ListaPrincipal;

    FrameBotones = new QGroupBox(QStringLiteral("En Desarrollo"), area);
    FrameBotones->setObjectName(QStringLiteral("FrameBotones"));
    FrameBotones->setVisible(false);

    ToolbarFrecuentes = new QToolBar(QStringLiteral("Tareas frecuentes"), this);
    ToolbarFrecuentes->setObjectName(QStringLiteral("ToolbarFrecuentes"));
    ToolbarFrecuentes->setMovable(false);
    ToolbarFrecuentes->setIconSize(QSize(24, 24));
    ToolbarFrecuentes->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    addToolBar(Qt::TopToolBarArea, ToolbarFrecuentes);
    for (int par = 0; par < 3; ++par) {
        // El primero del par lleva la tarea; el segundo separa.
        const TareaFrecuente& f = TareasFrecuentes[size_t(par)];
        QAction* boton = ToolbarFrecuentes->addAction(QIcon(ImagenFrecuente(f.codigo)),
                                                      QString::fromUtf8(f.nombre));
        boton->setToolTip(QString::fromUtf8(f.nombre));
        boton->setData(QString::number(f.codigo));
        boton->setObjectName(QStringLiteral("Boton%1").arg(par * 2 + 1));
        const int indice = par * 2 + 1;
        connect(boton, &QAction::triggered, this,
                [this, indice] { ToolbarFrecuentes_ButtonClick(indice); });
        botones_[size_t(par * 2)] = boton;
        QAction* separador = ToolbarFrecuentes->addSeparator();
        separador->setObjectName(QStringLiteral("Boton%1").arg(par * 2 + 2));
        botones_[size_t(par * 2 + 1)] = separador;
    }

    BarradeEstado = new QStatusBar(this);
    BarradeEstado->setObjectName(QStringLiteral("BarradeEstado"));
    BarradeEstado->setSizeGripEnabled(false);
    BarradeEstado->setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    setStatusBar(BarradeEstado);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new PanelEstado(BarradeEstado);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        paneles_[size_t(i)] = panel;
        if (i == 0)
            BarradeEstado->addWidget(panel, 1);
        else
            BarradeEstado->addPermanentWidget(panel);
        const int indice = i + 1;
        connect(panel, &PanelEstado::DblClick, this,
                [this, indice] { BarradeEstado_PanelDblClick(indice); });
    }
    // Diseño: el emblema de la provincia en el panel 1.
    Panel(1)->PonerPicture(QPixmap(QStringLiteral(":/imagenes/emblema_provincia.png")));
    Panel(1)->PonerText(TextoPanel1);

    InstalarTeclas(this, false);
    qApp->installEventFilter(new TeclasInicio(this)); // después: se consulta antes
}

frmInicio::~frmInicio() {
    RegistroVentanas::instancia().Salir(idRegistro_);
}

PanelEstado* frmInicio::Panel(int indice) const {
    return indice >= 1 && indice <= 5 ? paneles_[size_t(indice - 1)] : nullptr;
}

QAction* frmInicio::BotonFrecuente(int indice) const {
    return indice >= 1 && indice <= 6 ? botones_[size_t(indice - 1)] : nullptr;
}

bool frmInicio::Cargar() {
    // Emblema: fuera de la provincia de diseño, el alternativo.
    const QString provincia =
        ObtenerParametro(QStringLiteral("GDA"), QStringLiteral("COD_PROVINCIA"),
                         QStringLiteral("False"), QString(), QStringLiteral("S"));
    if (provincia != QLatin1String("BSAS"))
        Panel(1)->PonerPicture(frmResources::Instancia().EmblemaAlternativo());
    // Centrada, a pantalla completa, con su barra de estado, título y fondo.
    CentrarForm(this);
    ConfigurarVentanaPrincipal();
    // Visible ya, antes de las consultas que siguen.
    show();
    FrameBotones->hide();
    repaint();
    // Ejercicio: año de la fecha del servidor (la del puesto si no se pudo leer).
    const std::optional<QDateTime> hoy = FechaServidor(false);
    Glob().EjercicioActual = qint16(hoy ? hoy->date().year() : QDate::currentDate().year());
    // Ingreso del usuario en la auditoría.
    primeraActivacion_ = true;
    Glob().RowIdAuditoria =
        RegistrarIngreso(Sistema, QStringLiteral("ACCESO"), Glob().UsuarioActual);
    // Árbol de tareas; sin filas de menú el programa termina aquí.
    if (!CargarMenu(arbol_, Sistema, Glob().UsuarioActual)) {
        MostrarError(Catalogo::MenuSinFilas);
        descargada_ = true; // termina sin confirmación ni cierre de auditoría
        return false;
    }
    // Nodo inicial, menúes vacíos fuera, separador y "Salir" al final.
    nodoInicial_ = arbol_.Seleccionado();
    QuitarMenuesVacios(arbol_);
    nodoInicial_ = AgregarFinDeMenu(arbol_, nodoInicial_);
    // Árbol a la vista, botones frecuentes y barra de menú.
    FrameBotones->hide();
    MostrarArbol();
    AplicarFrecuentes();
    ArmarBarraMenu();
    // Puntero normal: la ventana espera al usuario.
    dialogos().PonerPuntero(Puntero::Defecto);
    return true;
}

void frmInicio::ConfigurarVentanaPrincipal() {
    QScreen* pantalla = screen() ? screen() : QGuiApplication::primaryScreen();
    if (pantalla) {
        const QRect p = pantalla->geometry();
        // Alto: la pantalla menos 400 twips.
        const int menos = qRound(400.0 * pantalla->logicalDotsPerInchY() / 1440.0);
        setGeometry(p.left(), p.top(), p.width(), qMax(200, p.height() - menos));
    }

    BarradeEstado->setFixedHeight(25);
    struct Medida {
        Qt::Alignment alineacion;
        int minimo;
        bool fijo;
    };
    const Medida medidas[5] = {
        {Qt::AlignLeft, 0, false},     {Qt::AlignHCenter, 100, true},
        {Qt::AlignHCenter, 133, true}, {Qt::AlignHCenter, 170, false},
        {Qt::AlignLeft, 37, true},
    };
    for (int i = 0; i < 5; ++i) {
        PanelEstado* p = Panel(i + 1);
        p->PonerAlignment(medidas[i].alineacion);
        if (medidas[i].fijo)
            p->setFixedWidth(medidas[i].minimo);
        else if (medidas[i].minimo > 0)
            p->setMinimumWidth(medidas[i].minimo);
    }
    Panel(1)->PonerText(TextoPanel1);

    Glob().VersionSistema = TextoVersionPrograma();
    Panel(2)->PonerText(Glob().VersionSistema);
    const QFileInfo carpeta(QCoreApplication::applicationDirPath());
    Panel(2)->setToolTip(QStringLiteral("MRV - ") +
                         carpeta.lastModified().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));

    Panel(3)->PonerText(Glob().UsuarioActual);
    Panel(3)->setToolTip(QStringLiteral("Usuario actual del sistema"));

    const std::optional<QDateTime> fecha = FechaServidor(false);
    Panel(4)->PonerText(TextoFechaLarga(fecha ? fecha->date() : QDate::currentDate()));
    Panel(4)->setToolTip(QStringLiteral("Fecha actual"));

    if (MarcaCP())
        Panel(5)->PonerText(QStringLiteral("C/P"));
    Panel(5)->setToolTip(QString());

    const QString sql =
        QStringLiteral("//SELECT DESCRIPCION FROM {SISTEMAS} WHERE SISTEMA=") + LiteralSql(Sistema);
    const std::optional<QVariant> descripcion = ValorSQL(sql, QString());
    setWindowTitle(Glob().Municipalidad + QStringLiteral(" - ") +
                   (descripcion ? descripcion->toString() : QString()));

    const QString ambiente = QStringLiteral(
        "//SELECT CONTENIDO FROM {CONFIG} WHERE SISTEMA='GDA' AND NOMBRE_PARAMETRO='AMBIENTE'");
    const std::optional<QVariant> valor = ValorSQL(ambiente, QString());
    const int imagen = ImagenDeAmbiente(valor ? valor->toString() : QString());
    if (imagen != 1) {
        fondo_ = QLatin1String(ImgList[imagen - 1]);
        Img->setPixmap(QPixmap(fondo_));
    }

    // La carga del árbol muestra los de las tareas que el usuario puede correr.
    for (QAction* b : botones_)
        b->setVisible(false);
    ToolbarFrecuentes->setVisible(false);
}

void frmInicio::MostrarArbol() {
    ArbolMenues->clear();
    std::function<void(const NodoMenu*, QTreeWidgetItem*)> agregar = [&](const NodoMenu* nodo,
                                                                         QTreeWidgetItem* padre) {
        auto* item = padre ? new QTreeWidgetItem(padre) : new QTreeWidgetItem(ArbolMenues);
        item->setText(0, nodo->texto);
        item->setData(0, RolClave, nodo->clave);
        item->setForeground(0, VerdeOscuro);
        for (const NodoMenu* hijo : nodo->hijos)
            agregar(hijo, item);
    };
    for (const NodoMenu* raiz : arbol_.Raices())
        agregar(raiz, nullptr);
    ArbolMenues->expandAll();
    if (QTreeWidgetItem* item = ItemArbol(arbol_.Seleccionado()))
        ArbolMenues->setCurrentItem(item);
}

QTreeWidgetItem* frmInicio::ItemArbol(const NodoMenu* nodo) const {
    if (!nodo)
        return nullptr;
    for (QTreeWidgetItemIterator it(ArbolMenues); *it; ++it)
        if ((*it)->data(0, RolClave).toString() == nodo->clave)
            return *it;
    return nullptr;
}

void frmInicio::AplicarFrecuentes() {
    bool alguno = false;
    for (int par = 0; par < 3; ++par) {
        const auto it = arbol_.Frecuentes().find(TareasFrecuentes[size_t(par)].codigo);
        const bool ver = it != arbol_.Frecuentes().end() && it->second;
        botones_[size_t(par * 2)]->setVisible(ver);
        botones_[size_t(par * 2 + 1)]->setVisible(ver);
        alguno = alguno || ver;
    }
    // Sin ninguna tarea frecuente la barra vacía no se muestra.
    ToolbarFrecuentes->setVisible(alguno);
}

void frmInicio::ArmarBarraMenu() {
    barra_.CargarMenuVentana(arbol_, nodoInicial_);
    QMenuBar* barra = menuBar();
    barra->clear();
    AgregarItems(barra, barra_.Items(), this);
}

QAction* frmInicio::ItemMenu(int id) const {
    for (QAction* a : menuBar()->findChildren<QAction*>())
        if (a->data().toInt() == id && !a->isSeparator() && !a->menu())
            return a;
    return nullptr;
}

void frmInicio::DespacharTarea(int codigo) {
    CodigoTarea() = qint16(codigo);
    if (codigo == 0)
        return;
    try {
        if (Despachador)
            Despachador(codigo);
    } catch (...) {
        // El despacho no llega a quien lo pidió: queda en el registro de errores.
        AnotarExcepcion(QStringLiteral("frmInicio.DespacharTarea ") + QString::number(codigo));
    }
}

void frmInicio::ArbolMenues_DblClick() {
    QTreeWidgetItem* item = ArbolMenues->currentItem();
    if (!item)
        return;
    const NodoMenu* nodo = arbol_.Buscar(item->data(0, RolClave).toString());
    if (!nodo)
        return;
    int codigo = CodigoDeTag(nodo->tag);
    // Un nodo renumerado por la barra de menú corre la tarea que representa.
    if (const int original = barra_.TareaRenumerada(codigo))
        codigo = original;
    DespacharTarea(codigo);
}

void frmInicio::ListaPrincipal_DblClick() {
    QTreeWidgetItem* item = ListaPrincipal->currentItem();
    if (!item)
        return;
    const auto numero = NumeroDeTexto(item->text(2));
    DespacharTarea(numero ? int(*numero) : 0);
}

void frmInicio::ToolbarFrecuentes_ButtonClick(int indice) {
    CodigoTarea() = 0;
    QAction* boton = BotonFrecuente(indice);
    if (!boton || !boton->isVisible())
        return;
    const auto numero = NumeroDeTexto(boton->data().toString());
    DespacharTarea(numero ? int(*numero) : 0);
    repaint();
}

void frmInicio::EjecutarItemMenu(int id) {
    try {
        const AccionMenu accion = barra_.EjecutarItemMenu(id);
        switch (accion.tipo) {
        case AccionMenu::Tipo::Tarea:
            DespacharTarea(accion.codigoTarea);
            break;
        case AccionMenu::Tipo::Salir:
            close();
            break;
        case AccionMenu::Tipo::DescargarDespachador:
        case AccionMenu::Tipo::Nada:
            break;
        }
    } catch (...) {
        AnotarExcepcion(QStringLiteral("frmInicio.EjecutarItemMenu ") + QString::number(id));
    }
}

void frmInicio::BarradeEstado_PanelDblClick(int indice) {
    if (indice == 2)
        MostrarVersiones(QStringLiteral("MRV"), Sistema, this);
}

bool frmInicio::event(QEvent* evento) {
    if (evento->type() == QEvent::WindowActivate && primeraActivacion_) {
        primeraActivacion_ = false;
        BarradeEstado->update();
    }
    return QMainWindow::event(evento);
}

void frmInicio::closeEvent(QCloseEvent* evento) {
    if (descargada_) {
        evento->accept();
        return;
    }
    if (!Consiente(MostrarError(Catalogo::ConfirmarSalida))) {
        evento->ignore();
        return;
    }
    Descargar();
    evento->accept();
}

void frmInicio::Descargar() {
    descargada_ = true;
    try {
        RegistrarSalida(Glob().RowIdAuditoria, 0, 0, 0, 0);
    } catch (...) {
        AnotarExcepcion(QStringLiteral("frmInicio.Descargar RegistrarSalida"));
    }
    frmResources::Descargar();
    bool encontrada = false;
    try {
        encontrada = TraerLanzador && TraerLanzador(Glob().Municipalidad);
    } catch (...) {
        // Sin lanzador: el mensaje de abajo lo dice al usuario.
        AnotarExcepcion(QStringLiteral("frmInicio.Descargar TraerLanzador"));
    }
    if (!encontrada)
        dialogos().MensajeSistema(QStringLiteral("El sistema principal se cancelo"),
                                  QStringLiteral("Error"));
    ListaFormsSinDescargar();
}
