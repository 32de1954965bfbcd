#include "AccionesGrafico.h"
#include "Dialogos.h"
#include "GrabarTablas.h"
#include "ModeloVerDatos.h"
#include "SalidaGraficos.h"
#include "TextoTablas.h"
#include "VistaGrafico.h"
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFont>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace {

QString ElegirConQt(const QString& titulo, const QString& filtros, const QString& sugerido,
                    QString* filtro) {
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), titulo, sugerido, filtros,
                                        filtro);
}

AccionesGrafico::ElegirArchivo& Eleccion() {
    static AccionesGrafico::ElegirArchivo elegir = ElegirConQt;
    return elegir;
}

// La carpeta del último archivo grabado, mientras dure el programa.
QString& UltimaCarpeta() {
    static QString carpeta = QDir::homePath();
    return carpeta;
}

// Las extensiones de un filtro ("Libro de Excel (*.xlsx);;CSV (*.csv)" -> xlsx, csv).
QStringList Extensiones(const QString& filtros) {
    static const QRegularExpression patron(QStringLiteral("\\*\\.(\\w+)"));
    QStringList extensiones;
    for (auto it = patron.globalMatch(filtros); it.hasNext();)
        extensiones << it.next().captured(1).toLower();
    return extensiones;
}

// La fila Total en negrita.
class ModeloVerDatosQt : public ModeloVerDatos {
public:
    using ModeloVerDatos::ModeloVerDatos;
    QVariant data(const QModelIndex& indice, int rol) const override {
        if (rol == Qt::FontRole && EsFilaTotal(indice.row())) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return ModeloVerDatos::data(indice, rol);
    }
};

// Nombre de archivo sugerido: el título sin lo que no va en un nombre.
QString Sugerido(const QString& titulo, const QString& extension) {
    QString nombre = titulo.simplified();
    nombre.replace(QRegularExpression(QStringLiteral("[\\\\/:*?\"<>|]")), QStringLiteral("_"));
    return (nombre.isEmpty() ? QStringLiteral("grafico") : nombre) + extension;
}

} // namespace

void AccionesGrafico::PonerElegirArchivo(ElegirArchivo elegir) {
    Eleccion() = elegir ? std::move(elegir) : ElegirConQt;
}

QString AccionesGrafico::Elegir(const QString& titulo, const QString& filtros,
                                const QString& extension) {
    const QString sugerido =
        QDir(UltimaCarpeta()).filePath(Sugerido(vista_->Tabla().titulo, extension));
    QString filtro;
    QString ruta = Eleccion()(titulo, filtros, sugerido, &filtro);
    if (ruta.isEmpty())
        return ruta;
    // Sin una extensión de las ofrecidas, la del tipo elegido (o la primera).
    if (!Extensiones(filtros).contains(QFileInfo(ruta).suffix().toLower())) {
        const QStringList elegida = Extensiones(filtro);
        ruta += QLatin1Char('.') +
                (elegida.isEmpty() ? Extensiones(filtros).value(0) : elegida.first());
    }
    UltimaCarpeta() = QFileInfo(ruta).absolutePath();
    return ruta;
}

AccionesGrafico::AccionesGrafico(VistaGrafico* vista, std::function<EncabezadoLibro()> encabezado,
                                 std::function<bool()> antes)
    : QObject(vista), vista_(vista), encabezado_(std::move(encabezado)), antes_(std::move(antes)) {
    QStyle* estilo = vista->style();
    const auto accion = [&](const QString& texto, const char* tema, QStyle::StandardPixmap propia,
                            const QKeySequence& tecla) {
        auto* a = new QAction(QIcon::fromTheme(QLatin1String(tema), estilo->standardIcon(propia)),
                              texto, vista);
        a->setShortcut(tecla);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        a->setToolTip(texto + QLatin1String(" (") + tecla.toString(QKeySequence::NativeText) +
                      QLatin1Char(')'));
        vista->addAction(a);
        return a;
    };
    copiarImagen_ = accion(QStringLiteral("Copiar imagen"), "edit-copy", QStyle::SP_FileIcon,
                           QKeySequence::Copy);
    guardarImagen_ = accion(QStringLiteral("Guardar imagen…"), "document-save-as",
                            QStyle::SP_DialogSaveButton, QKeySequence::Save);
    copiarDatos_ =
        accion(QStringLiteral("Copiar datos"), "edit-paste", QStyle::SP_FileDialogDetailedView,
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    exportarDatos_ = accion(QStringLiteral("Exportar datos…"), "document-export",
                            QStyle::SP_DriveHDIcon, QKeySequence(Qt::CTRL | Qt::Key_E));
    verDatos_ = accion(QStringLiteral("Ver datos"), "x-office-spreadsheet",
                       QStyle::SP_FileDialogContentsView, QKeySequence(Qt::CTRL | Qt::Key_D));

    menu_ = new QMenu(vista);
    menu_->addAction(copiarImagen_);
    menu_->addAction(guardarImagen_);
    menu_->addSeparator();
    menu_->addAction(copiarDatos_);
    menu_->addAction(exportarDatos_);
    menu_->addAction(verDatos_);
    vista->setContextMenuPolicy(Qt::CustomContextMenu);
    // Con el teclado se llega al gráfico y a su menú (tecla de menú o Mayús+F10).
    vista->setFocusPolicy(Qt::StrongFocus);
    connect(vista, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& punto) { menu_->popup(vista_->mapToGlobal(punto)); });

    // Lo que se copia o se exporta: antes, la ventana puede actualizar las cifras.
    const auto siguen = [this] { return !antes_ || antes_(); };
    connect(copiarImagen_, &QAction::triggered, this, [this, siguen] {
        if (siguen())
            QApplication::clipboard()->setImage(ImagenGraficos({vista_}));
    });
    connect(copiarDatos_, &QAction::triggered, this, [this, siguen] {
        if (!siguen())
            return;
        // Texto con tabuladores: la planilla lo pega como celdas.
        auto* datos = new QMimeData;
        datos->setText(TextoTablas::Tsv(vista_->Tabla()));
        QApplication::clipboard()->setMimeData(datos);
    });
    connect(guardarImagen_, &QAction::triggered, this, [this, siguen] {
        if (!siguen())
            return;
        const QString ruta =
            Elegir(QStringLiteral("Guardar imagen"),
                   QStringLiteral("Imagen PNG (*.png);;Imagen SVG (*.svg);;Documento PDF (*.pdf)"),
                   QStringLiteral(".png"));
        if (!ruta.isEmpty())
            GrabarImagen(ruta);
    });
    connect(exportarDatos_, &QAction::triggered, this, [this, siguen] {
        if (!siguen())
            return;
        const QString ruta =
            Elegir(QStringLiteral("Exportar datos"),
                   QStringLiteral("Libro de Excel (*.xlsx);;CSV (*.csv)"), QStringLiteral(".xlsx"));
        if (!ruta.isEmpty())
            GrabarDatos(ruta);
    });
    connect(verDatos_, &QAction::triggered, this, &AccionesGrafico::MostrarDatos);
}

bool AccionesGrafico::GrabarImagen(const QString& ruta) {
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = GrabarImagenGraficos({vista_}, ruta, &error);
    QApplication::restoreOverrideCursor();
    if (!ok)
        dialogos().MensajeSistema(error, QStringLiteral("Guardar imagen"));
    return ok;
}

bool AccionesGrafico::GrabarDatos(const QString& ruta) {
    QString error;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = GrabarTablas(ruta, encabezado_(), {vista_->Tabla()}, &error);
    QApplication::restoreOverrideCursor();
    if (!ok)
        dialogos().MensajeSistema(error, QStringLiteral("Exportar datos"));
    return ok;
}

void AccionesGrafico::MostrarDatos() {
    delete ventanaDatos_;
    QWidget* ventana = vista_->window();
    auto* d = new QDialog(ventana);
    d->setAttribute(Qt::WA_DeleteOnClose);
    d->setObjectName(QStringLiteral("frmVerDatos"));
    const QString titulo = vista_->Tabla().titulo;
    d->setWindowTitle(QStringLiteral("Datos: ") +
                      (titulo.isEmpty() ? ventana->windowTitle() : titulo));
    auto* tabla = new QTableView(d);
    tabla->setObjectName(QStringLiteral("Grilla"));
    tabla->setModel(new ModeloVerDatosQt(vista_->Tabla(), tabla));
    // Se abre en el orden del gráfico; un clic en un encabezado ordena.
    tabla->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    tabla->setSortingEnabled(true);
    tabla->verticalHeader()->hide();
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setAlternatingRowColors(true);
    tabla->resizeColumnsToContents();
    tabla->horizontalHeader()->setStretchLastSection(true);
    // Botón con texto propio: los de Qt salen en inglés.
    auto* botones = new QDialogButtonBox(d);
    auto* cerrar = botones->addButton(QStringLiteral("&Cerrar"), QDialogButtonBox::RejectRole);
    cerrar->setObjectName(QStringLiteral("CmdCerrar"));
    connect(botones, &QDialogButtonBox::rejected, d, &QDialog::reject);
    auto* capas = new QVBoxLayout(d);
    // La fecha de las cifras y su unidad, arriba de la grilla.
    auto* referencia = new QLabel(vista_->Tabla().Referencia(), d);
    referencia->setObjectName(QStringLiteral("Referencia"));
    capas->addWidget(referencia);
    capas->addWidget(tabla);
    capas->addWidget(botones);
    // Al costado de la ventana de la estadística, con su alto y dentro de la
    // pantalla (encima de la ventana si al costado no entra).
    d->resize(std::max(360, tabla->horizontalHeader()->length() + 40), ventana->height());
    ventanaDatos_ = d;
    d->show();
    QPoint lugar = ventana->frameGeometry().topRight() + QPoint(8, 0);
    if (const QScreen* pantalla = ventana->screen()) {
        const QRect libre = pantalla->availableGeometry();
        const int ancho = d->frameGeometry().width();
        lugar.setX(std::max(libre.left(), std::min(lugar.x(), libre.right() + 1 - ancho)));
    }
    d->move(lugar);
}
