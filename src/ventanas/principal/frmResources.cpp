#include "frmResources.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "ProcesarTeclas.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <memory>

// Fuera de todo espacio de nombres, como pide Q_INIT_RESOURCE.
void InicializarImagenes() {
    static bool hecho = false;
    if (!hecho) {
        Q_INIT_RESOURCE(imagenes);
        hecho = true;
    }
}

namespace {

std::unique_ptr<frmResources>& Unica() {
    // El registro de ventanas debe sobrevivir a esta ventana: se crea antes.
    RegistroVentanas::instancia();
    static std::unique_ptr<frmResources> unica;
    return unica;
}

QString RutaBoton(const QString& boton) {
    return QStringLiteral(":/imagenes/botones/") + boton + QStringLiteral(".png");
}

// Pone imagen y tooltip a un control del nombre dado, si la ventana lo tiene.
QWidget* DarAspecto(QWidget* ventana, const QString& nombre, const QString& imagen,
                    const QString& tooltip) {
    QWidget* control = ventana->findChild<QWidget*>(nombre);
    if (!control)
        return nullptr;
    if (auto* boton = qobject_cast<QAbstractButton*>(control)) {
        boton->setText(QString());
        boton->setIcon(frmResources::Instancia().Imagen(imagen));
        const int lado = qBound(16, qMin(boton->width(), boton->height()) - 8, 32);
        boton->setIconSize(QSize(lado, lado));
    }
    control->setToolTip(tooltip);
    return control;
}

} // namespace

frmResources::frmResources() {
    InicializarImagenes();
    idRegistro_ = RegistroVentanas::instancia().Unirse(QStringLiteral("frmResources"),
                                                       [] { frmResources::Descargar(); });
}

frmResources::~frmResources() {
    RegistroVentanas::instancia().Salir(idRegistro_);
}

frmResources& frmResources::Instancia() {
    auto& unica = Unica();
    if (!unica) {
        unica.reset(new frmResources());
        // Una ventana no puede vivir más que la aplicación.
        qAddPostRoutine(&frmResources::Descargar);
    }
    return *unica;
}

bool frmResources::Cargada() {
    return Unica() != nullptr;
}

void frmResources::Descargar() {
    Unica().reset();
}

const std::vector<std::pair<QString, QString>>& frmResources::BotonesEstandar() {
    static const std::vector<std::pair<QString, QString>> botones = {
        {QStringLiteral("CmdCerrar"), QStringLiteral("Salir")},
        {QStringLiteral("CmdPrimero"), QStringLiteral("Primero")},
        {QStringLiteral("CmdAnterior"), QStringLiteral("Anterior")},
        {QStringLiteral("CmdSiguiente"), QStringLiteral("Siguiente")},
        {QStringLiteral("CmdUltimo"), QStringLiteral("Ultimo")},
        {QStringLiteral("CmdCopiar"), QStringLiteral("Copiar")},
        {QStringLiteral("CmdOrden"), QStringLiteral("Orden")},
        {QStringLiteral("CmdBuscar"), QStringLiteral("Buscar")},
        {QStringLiteral("CmdConsultar"), QStringLiteral("Consultar")},
        {QStringLiteral("CmdGrabar"), QStringLiteral("Grabar")},
        {QStringLiteral("CmdCancel"), QStringLiteral("Cancelar")},
        {QStringLiteral("CmdAceptar"), QStringLiteral("Aceptar")},
        {QStringLiteral("CmdCancelar"), QStringLiteral("Cancelar")},
        {QStringLiteral("CmdAgregar"), QStringLiteral("Agregar")},
        {QStringLiteral("CmdModificar"), QStringLiteral("Modificar")},
        {QStringLiteral("CmdBorrar"), QStringLiteral("Borrar")},
        {QStringLiteral("CmdConfirmar"), QStringLiteral("Confirmar")},
        {QStringLiteral("CmdImprimir"), QStringLiteral("Imprimir")},
        {QStringLiteral("CmdArbol"), QStringLiteral("Arbol")},
        {QStringLiteral("CmdHerramientas"), QStringLiteral("Herramientas")},
        {QStringLiteral("CmdClose"), QStringLiteral("Cerrar")},
        {QStringLiteral("CmdOpen"), QStringLiteral("Abrir")},
        {QStringLiteral("CmdDeshacer"), QStringLiteral("Restaurar")},
        {QStringLiteral("cmdDetalle_profundo"), QStringLiteral("Detalle")},
        {QStringLiteral("CmdActualizar"), QStringLiteral("Actualizar")},
    };
    return botones;
}

QIcon frmResources::Imagen(const QString& boton) const {
    if (!TieneBoton(boton))
        return QIcon();
    return QIcon(RutaBoton(boton));
}

bool frmResources::TieneBoton(const QString& boton) const {
    return !boton.isEmpty() && QFile::exists(RutaBoton(boton));
}

QPixmap frmResources::EmblemaAlternativo() const {
    return QPixmap(QStringLiteral(":/imagenes/emblema_alternativo.png"));
}

void GetInfoResources(QWidget* ventana) {
    if (!ventana)
        return;
    for (const auto& [nombre, tooltip] : frmResources::BotonesEstandar()) {
        try {
            QWidget* control = DarAspecto(ventana, nombre, nombre, tooltip);
            if (control && nombre == QLatin1String("CmdHerramientas"))
                control->setVisible(false);
        } catch (...) {
            // Un botón sin aspecto no impide el resto.
            AnotarExcepcion(QStringLiteral("GetInfoResources ") + nombre);
        }
    }
}

void GetInfoResourcesItem(QWidget* ventana) {
    if (!ventana)
        return;
    struct Paso {
        const char* control;
        const char* imagen;
        const char* tooltip;
    };
    static const Paso pasos[] = {
        {"CmdCancel", "CmdCancelItem", "Salir"},
        {"CmdGrabar", "CmdGrabarItem", "Actualizar Item"},
        {"CmdCerrar", "CmdCerrar", "Salir"},
        {"CmdConsultar", "CmdConsultar", "Consultar"},
        {"CmdHerramientas", "CmdHerramientas", "Herramientas"},
        {"CmdCopiar", "CmdCopiar", "Copiar"},
        {"CmdClose", "CmdClose", "Cerrar"},
        {"CmdOpen", "CmdOpen", "Abrir"},
    };
    for (const Paso& p : pasos) {
        try {
            QWidget* control = DarAspecto(ventana, QLatin1String(p.control),
                                          QLatin1String(p.imagen), QString::fromUtf8(p.tooltip));
            if (control && qstrcmp(p.control, "CmdHerramientas") == 0)
                control->setVisible(false);
        } catch (...) {
            AnotarExcepcion(QStringLiteral("GetInfoResourcesItem ") + QLatin1String(p.control));
        }
    }
}

void SetInfoFontControles(QWidget* claseForm, const QString& tipoLetra, int tamano, bool negrita) {
    if (!claseForm)
        return;
    // ColorLabel viene como en la suite: 0x00BBGGRR.
    const quint32 bgr = quint32(Glob().ColorLabel);
    const QColor color(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    for (QWidget* w : claseForm->findChildren<QWidget*>()) {
        const bool esEtiqueta = qobject_cast<QLabel*>(w) &&
                                w->objectName().toUpper().startsWith(QLatin1String("LBLLABELS"));
        if (!qobject_cast<QRadioButton*>(w) && !qobject_cast<QGroupBox*>(w) && !esEtiqueta)
            continue;
        QFont letra = w->font();
        letra.setPointSize(qMax(1, tamano));
        letra.setBold(negrita);
        letra.setFamily(tipoLetra);
        w->setFont(letra);
        QPalette paleta = w->palette();
        paleta.setColor(QPalette::WindowText, color);
        w->setPalette(paleta);
    }
}

void InstalarRecursosSuite() {
    InstalarRecursosVentanas([](QWidget& ventana) {
        GetInfoResources(&ventana);
        InstalarTeclas(&ventana, false);
    });
}
