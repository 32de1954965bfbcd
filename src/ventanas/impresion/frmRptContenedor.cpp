#include "frmRptContenedor.h"
#include "ArchivoSalida.h"
#include "AyudasVentana.h"
#include "Dialogos.h"
#include "Func_SarvoErrores.h"
#include "MotorReporte.h"
#include "Ventanas.h"
#include "VistaPagina.h"
#include "frmResources.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QVBoxLayout>

namespace {

// 15 twips por píxel.
int Px(int twips) {
    return qRound(twips / 15.0);
}

const int AltoBarra = 444; // twips

QFont LetraEtiqueta() {
    QFont letra(QStringLiteral("Arial"));
    letra.setPointSizeF(7.5);
    letra.setBold(true);
    return letra;
}

} // namespace

frmRptContenedor::frmRptContenedor(MotorReporte& rpt, QWidget* padre) : QDialog(padre), rpt_(rpt) {
    setObjectName(QStringLiteral("frmRptContenedor"));
    setWindowTitle(QStringLiteral("Impresión"));
    setWindowIcon(QApplication::windowIcon());
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    auto* picture1 = new QWidget(this);
    picture1->setObjectName(QStringLiteral("Picture1"));
    picture1->setAutoFillBackground(true);
    QPalette gris = picture1->palette();
    gris.setColor(QPalette::Window, QColor(0xc0, 0xc0, 0xc0));
    picture1->setPalette(gris);
    picture1->setFixedHeight(Px(AltoBarra));

    QPushButton* cerrar = CrearBoton(QStringLiteral("CmdCerrar"), QStringLiteral("Cerrar"), 60);
    QPushButton* primero = CrearBoton(QStringLiteral("CmdPrimero"), QStringLiteral("Primero"), 528);
    QPushButton* anterior =
        CrearBoton(QStringLiteral("CmdAnterior"), QStringLiteral("Anterior"), 924);
    QPushButton* siguiente =
        CrearBoton(QStringLiteral("CmdSiguiente"), QStringLiteral("Siguiente"), 1320);
    QPushButton* ultimo = CrearBoton(QStringLiteral("CmdUltimo"), QStringLiteral("Ultimo"), 1728);

    lbPagina_ = new QLabel(QStringLiteral("Página 0 de 0"), picture1);
    lbPagina_->setObjectName(QStringLiteral("lbPagina"));
    lbPagina_->setFont(LetraEtiqueta());
    lbPagina_->setGeometry(Px(2268), 0, Px(4068 - 2268), Px(AltoBarra));
    auto* zoom = new QLabel(QStringLiteral("Zoom:"), picture1);
    zoom->setObjectName(QStringLiteral("lblLabels"));
    zoom->setFont(LetraEtiqueta());
    zoom->setGeometry(Px(4068), 0, Px(4536 - 4068), Px(AltoBarra));

    combo1_ = new QComboBox(picture1);
    combo1_->setObjectName(QStringLiteral("Combo1"));
    combo1_->setEditable(true);
    QFont letraCombo(QStringLiteral("Arial"));
    letraCombo.setPointSizeF(7.5);
    combo1_->setFont(letraCombo);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    combo1_->addItems(LogicaVistaPrevia::ListaZoom());
    combo1_->setGeometry(Px(4536), Px(48), Px(1572), Px(AltoBarra) - 2 * Px(48));
    combo1_->setToolTip(QStringLiteral("Zoom: elija de la lista o escriba un porcentaje"));
    // Cada tecla y cada elección de la lista cambian el zoom.
    connect(combo1_->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& texto) { Combo1_Change(texto); });
    connect(combo1_, &QComboBox::textActivated, this,
            [this](const QString& texto) { Combo1_Change(texto); });

    QPushButton* buscar = CrearBoton(QStringLiteral("CmdBuscar"), QStringLiteral("Buscar"), 6228);
    QPushButton* grabar = CrearBoton(QStringLiteral("CmdGrabar"), QStringLiteral("Grabar"), 7188);
    QPushButton* imprimir =
        CrearBoton(QStringLiteral("CmdImprimir"), QStringLiteral("Imprimir Todo"), 7824);
    // La herramienta no tiene nada que ofrecer aquí: queda oculta, como la
    // deja la ventana de recursos en toda la suite.
    CrearBoton(QStringLiteral("CmdHerramientas"), QString(), 8580)->hide();

    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(primero, &QPushButton::clicked, this, [this] { CmdPrimero_Click(); });
    connect(anterior, &QPushButton::clicked, this, [this] { CmdAnterior_Click(); });
    connect(siguiente, &QPushButton::clicked, this, [this] { CmdSiguiente_Click(); });
    connect(ultimo, &QPushButton::clicked, this, [this] { CmdUltimo_Click(); });
    connect(buscar, &QPushButton::clicked, this, [this] { CmdBuscar_Click(); });
    connect(grabar, &QPushButton::clicked, this, [this] { CmdGrabar_Click(); });
    connect(imprimir, &QPushButton::clicked, this, [this] { CmdImprimir_Click(); });

    vista_ = new VistaPagina(rpt_, this);
    vista_->setObjectName(QStringLiteral("Vista"));
    connect(&rpt_, &MotorReporte::paginaCambiada, this, [this] { ActualizarPagina(); });
    CrearAtajos();

    idRegistro_ = RegistroVentanas::instancia().Unirse(
        objectName(), [this] { reject(); }, [this] { repaint(); });

    const QRect pantalla = screen() ? screen()->geometry() : QRect(0, 0, 1280, 800);
    auto* columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    columna->addWidget(picture1);
    columna->addWidget(vista_, 1);
    resize(qRound(pantalla.width() * 0.99), qRound(pantalla.height() * 0.92));
    CentrarForm(this);
}

frmRptContenedor::~frmRptContenedor() {
    RegistroVentanas::instancia().Salir(idRegistro_);
}

QPushButton* frmRptContenedor::CrearBoton(const QString& nombre, const QString& tooltip, int left) {
    auto* padre = findChild<QWidget*>(QStringLiteral("Picture1"));
    auto* boton = new QPushButton(padre);
    boton->setObjectName(nombre);
    boton->setGeometry(Px(left), Px(27), Px(410), Px(390));
    boton->setIcon(frmResources::Instancia().Imagen(nombre));
    boton->setIconSize(QSize(18, 18));
    boton->setToolTip(tooltip);
    boton->setAutoDefault(false);
    boton->setFocusPolicy(Qt::TabFocus);
    return boton;
}

QPushButton* frmRptContenedor::Boton(const QString& nombre) const {
    return findChild<QPushButton*>(nombre);
}

void frmRptContenedor::CrearAtajos() {
    const std::pair<QKeySequence, std::function<void()>> atajos[] = {
        {QKeySequence(Qt::Key_PageUp), [this] { CmdAnterior_Click(); }},
        {QKeySequence(Qt::Key_PageDown), [this] { CmdSiguiente_Click(); }},
        {QKeySequence(Qt::Key_Home), [this] { CmdPrimero_Click(); }},
        {QKeySequence(Qt::Key_End), [this] { CmdUltimo_Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_P), [this] { CmdImprimir_Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_S), [this] { CmdGrabar_Click(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_F), [this] { CmdBuscar_Click(); }},
    };
    for (const auto& [tecla, accion] : atajos)
        connect(new QShortcut(tecla, this), &QShortcut::activated, this, accion);
    // Esc cierra: es la tecla de rechazo de todo diálogo.
}

void frmRptContenedor::ActualizarPagina() {
    lbPagina_->setText(LogicaVistaPrevia::TextoPagina(rpt_.PaginaActual(), rpt_.TotalPaginas()));
}

void frmRptContenedor::CmdPrimero_Click() {
    rpt_.PageFirst();
    ActualizarPagina();
}

void frmRptContenedor::CmdAnterior_Click() {
    rpt_.PagePrevious();
    ActualizarPagina();
}

void frmRptContenedor::CmdSiguiente_Click() {
    rpt_.PageNext();
    ActualizarPagina();
}

void frmRptContenedor::CmdUltimo_Click() {
    rpt_.PageLast();
    ActualizarPagina();
    CmdSiguiente_Click();
}

void frmRptContenedor::Combo1_Change(const QString& texto) {
    // El motor acota el zoom a lo que puede mostrar.
    rpt_.PageZoom(LogicaVistaPrevia::CodigoZoom(texto));
}

void frmRptContenedor::CmdBuscar_Click() {
    const auto hallazgo = logica_.BuscarSiguiente(rpt_);
    if (hallazgo) {
        while (rpt_.PaginaActual() < hallazgo->pagina)
            rpt_.PageNext();
        while (rpt_.PaginaActual() > hallazgo->pagina)
            rpt_.PagePrevious();
        ActualizarPagina();
    }
    vista_->Resaltar(hallazgo);
}

bool frmRptContenedor::GrabarPdf(const QString& ruta) {
    PunteroTemporal reloj(Puntero::Reloj);
    const auto fallar = [](const QString& texto) {
        MostrarMensaje(texto, QStringLiteral("Grabar"));
        return false;
    };
    const QString nombrado =
        QStringLiteral("No se pudo grabar %1: ").arg(QDir::toNativeSeparators(ruta));
    // El destino se prueba antes de armar el PDF, que puede llevar un rato.
    ArchivoSalida salida(ruta);
    QIODevice* destino = salida.Abrir();
    if (!destino)
        return fallar(salida.Error());
    // El motor escribe en un temporal; solo un PDF completo (el que termina
    // con su marca de fin) pasa al destino.
    QTemporaryDir trabajo;
    const QString temporal = trabajo.filePath(QStringLiteral("reporte.pdf"));
    if (!trabajo.isValid() || !rpt_.ExportarPdf(temporal))
        return fallar(nombrado + rpt_.ErrorDescripcion());
    QFile armado(temporal);
    const QByteArray pdf = armado.open(QIODevice::ReadOnly) ? armado.readAll() : QByteArray();
    if (!pdf.trimmed().endsWith("%%EOF"))
        return fallar(nombrado +
                      QStringLiteral("el PDF quedó incompleto en la carpeta temporal %1 (revise "
                                     "su espacio libre).")
                          .arg(QDir::toNativeSeparators(trabajo.path())));
    destino->write(pdf);
    return salida.Confirmar() || fallar(salida.Error());
}

void frmRptContenedor::CmdGrabar_Click() {
    if (rpt_.TotalPaginas() == 0)
        return;
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (carpeta.isEmpty() || !QFileInfo(carpeta).isDir())
        carpeta = QDir::homePath();
    const QString propuesto =
        QDir(carpeta).filePath(LogicaVistaPrevia::NombrePdf(windowTitle(), QDate::currentDate()));
    QString ruta =
        QFileDialog::getSaveFileName(this, QStringLiteral("Grabar el reporte"), propuesto,
                                     QStringLiteral("Documentos PDF (*.pdf)"));
    if (ruta.isEmpty())
        return;
    if (QFileInfo(ruta).suffix().isEmpty())
        ruta += QLatin1String(".pdf");
    GrabarPdf(ruta);
}

void frmRptContenedor::CmdImprimir_Click() {
    const int total = rpt_.TotalPaginas();
    if (total == 0)
        return;
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(windowTitle());
    QPrintDialog dialogo(&impresora, this);
    dialogo.setWindowTitle(QStringLiteral("Imprimir"));
    dialogo.setMinMax(1, total);
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    const bool rango = impresora.printRange() == QPrinter::PageRange;
    PunteroTemporal reloj(Puntero::Reloj);
    if (!rpt_.Imprimir(impresora, rango ? impresora.fromPage() : 1, rango ? impresora.toPage() : 0))
        MostrarMensaje(
            QStringLiteral("No se pudo imprimir el reporte.\r\n%1").arg(rpt_.ErrorDescripcion()),
            QStringLiteral("Imprimir"));
}

void frmRptContenedor::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    // La lista muestra el zoom con que se abrió, sin volver a aplicarlo.
    const QSignalBlocker bloqueo(combo1_);
    combo1_->setEditText(LogicaVistaPrevia::TextoZoom(rpt_.ZoomActual()));
    combo1_->lineEdit()->setCursorPosition(0);
    const bool hayPaginas = rpt_.TotalPaginas() > 0;
    for (const char* nombre : {"CmdBuscar", "CmdGrabar", "CmdImprimir"})
        Boton(QLatin1String(nombre))->setEnabled(hayPaginas);
    ActualizarPagina();
    vista_->setFocus(Qt::OtherFocusReason);
}

void frmRptContenedor::changeEvent(QEvent* evento) {
    QDialog::changeEvent(evento);
    if (evento->type() == QEvent::ActivationChange && isActiveWindow())
        ActualizarPagina();
}
