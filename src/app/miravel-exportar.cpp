// miravel-exportar USUARIO CLAVE TAREA FECHA [--generar] --salida ARCHIVO
//
// Corre la estadística de la tarea TAREA (101–110) como su ventana, sin
// pantalla: abre la ventana sin mostrarla (la carga) y, con --generar, pulsa
// "Aceptar" para la FECHA (dd/mm/yyyy). Escribe según la extensión: .png o
// .svg los gráficos como los dibuja la ventana, .csv o .xlsx sus grillas, .pdf
// su "Imprimir Todo" por el módulo de impresión, todo rotulado con la fecha de
// las cifras. Sin --generar, si la tabla de trabajo guarda cifras de otra
// fecha que FECHA, no escribe nada y lo dice. Las que solo imprimen
// aceptan solo .pdf y siempre generan (su pedido de impresión lo dice).
// Los mensajes salen como "MENSAJE <título>: <texto>". Sale con 0 si anduvo,
// 1 si la estadística falló o el usuario no tiene acceso a la tarea, y 2 si
// no pudo conectar o abrir la sesión o si los argumentos no sirven (el motivo
// y el uso por la salida de errores, como miravel-sql).
#include "DateTimeBox.h"
#include "DialogosConsola.h"
#include "DibujoGrafico.h"
#include "Equipo.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "Func_SarvoImpresion.h"
#include "Glob_Sarvo.h"
#include "GrabarTablas.h"
#include "ImprimirEstadistica.h"
#include "Permisos.h"
#include "SalidaGraficos.h"
#include "SesionComando.h"
#include "TareasEstadistica.h"
#include "TraduccionesQt.h"
#include "VentanasEstadisticas.h"
#include "VentanasPdf.h"
#include "VistaGrafico.h"
#include "frmEstadistica.h"
#include <QApplication>
#include <QFileInfo>
#include <QLocale>
#include <QTextStream>
#include <optional>

namespace {

constexpr int SalidaBien = 0;
constexpr int SalidaFallo = 1;
constexpr int SalidaSinConexion = 2;
constexpr int SalidaArgumentos = 2;
const QString Programa = QStringLiteral("miravel-exportar");
const QString Sistema = QStringLiteral("Miravel");
const char* const Uso =
    "Uso: miravel-exportar USUARIO CLAVE TAREA FECHA [--generar] --salida ARCHIVO\n";

int ArgumentosMalos(const QString& motivo) {
    QTextStream(stderr) << motivo << '\n' << Uso;
    return SalidaArgumentos;
}

struct Pedido {
    QString usuario;
    QString clave;
    int tarea = 0;
    QDate fecha;
    bool generar = false;
    QString salida;
};

// Cuenta los mensajes que se muestran: cualquiera significa que algo falló.
class DialogosContados : public DialogosConsola {
public:
    int VentanaMensaje(const PedidoMensaje& pedido) override {
        ++mensajes;
        return DialogosConsola::VentanaMensaje(pedido);
    }
    void MensajeSistema(const QString& texto, const QString& titulo) override {
        ++mensajes;
        DialogosConsola::MensajeSistema(texto, titulo);
    }
    int mensajes = 0;
};

// Los argumentos, o el motivo por el que no sirven.
std::optional<Pedido> LeerArgumentos(const QStringList& args, QString* motivo) {
    Pedido p;
    QStringList sueltos;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--generar")) {
            p.generar = true;
        } else if (args[i] == QLatin1String("--salida") && i + 1 < args.size() &&
                   p.salida.isEmpty()) {
            p.salida = args[++i];
        } else if (args[i].startsWith(QLatin1String("--"))) {
            *motivo = QStringLiteral("Opción desconocida: %1").arg(args[i]);
            return std::nullopt;
        } else {
            sueltos << args[i];
        }
    }
    if (sueltos.size() != 4 || p.salida.isEmpty()) {
        *motivo = QStringLiteral("Faltan o sobran argumentos");
        return std::nullopt;
    }
    p.usuario = sueltos[0].toUpper();
    p.clave = sueltos[1];
    bool ok = false;
    p.tarea = sueltos[2].toInt(&ok);
    if (!ok || !BuscarTareaEstadistica(p.tarea)) {
        *motivo = QStringLiteral("La tarea %1 no es una estadística (101 a 110)").arg(sueltos[2]);
        return std::nullopt;
    }
    p.fecha = QDate::fromString(sueltos[3], QStringLiteral("dd/MM/yyyy"));
    if (!p.fecha.isValid()) {
        *motivo = QStringLiteral("La fecha %1 no es válida (dd/mm/aaaa)").arg(sueltos[3]);
        return std::nullopt;
    }
    if (!EsArchivoDeImagen(p.salida) && !EsArchivoDeDatos(p.salida)) {
        *motivo =
            QStringLiteral("El archivo %1 no es .png, .svg, .pdf, .csv ni .xlsx").arg(p.salida);
        return std::nullopt;
    }
    return p;
}

bool EsPdf(const QString& ruta) {
    return QFileInfo(ruta).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0;
}

// "Imprimir Todo" de la ventana con la vista previa cambiada por el PDF, como
// miravel-reporte, con los gráficos que piden sus reportes. Si el módulo
// falla ya mostró su mensaje y no queda archivo.
bool EscribirPdf(Estadistica& logica, const QDate& fecha, const QString& salida, QString* error) {
    VentanasPdf pdf(QFileInfo(salida).absoluteFilePath());
    InstalarVentanasImpresion(&pdf);
    const bool impreso = ImprimirEstadistica(logica, fecha, GraficosDeEstadistica(logica));
    InstalarVentanasImpresion(nullptr);
    if (!impreso || ErrorReporte())
        return false;
    if (!pdf.Escrito()) {
        *error = QStringLiteral("No se pudo escribir el PDF %1: %2").arg(salida, pdf.Falla());
        return false;
    }
    return true;
}

// Escribe lo que pide la extensión desde la ventana ya cargada.
bool Escribir(frmEstadistica& ventana, const Pedido& p, QString* error) {
    const Estadistica& logica = ventana.Logica();
    const int graficos = logica.Descripcion().graficos;
    if (EsArchivoDeDatos(p.salida)) {
        std::vector<TablaDatos> tablas;
        for (int i = 0; i < graficos; ++i)
            tablas.push_back(TablaDeGrafico(logica.Grafico(i)));
        const EncabezadoLibro encabezado{logica.Descripcion().caption, Glob().Municipalidad};
        return GrabarTablas(p.salida, encabezado, tablas, error);
    }
    if (EsPdf(p.salida))
        return EscribirPdf(ventana.Logica(), p.fecha, p.salida, error);
    QList<VistaGrafico*> vistas;
    for (int i = 0; i < graficos; ++i)
        if (ventana.Chart(i)->isVisible())
            vistas << ventana.Chart(i);
    return GrabarImagenGraficos(vistas, p.salida, error);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Los argumentos tal como llegaron; Qt solo recibe el nombre del programa.
    const QStringList argumentos = ArgumentosDelProceso(argc, argv);
    int argcQt = 1;
    QApplication app(argcQt, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    CargarTraduccionesQt(); // los textos de Qt en las imágenes de las ventanas
    DialogosContados dialogosContados;
    InstalarDialogos(&dialogosContados);
    InicializarMensajes();

    QString motivo;
    const auto pedido = LeerArgumentos(argumentos, &motivo);
    if (!pedido)
        return ArgumentosMalos(motivo);
    CargarFuentes();

    // La sesión y el usuario como en el programa, y el derecho a la tarea como
    // en su árbol, antes de correr la estadística.
    if (!AbrirSesionComando(Programa, pedido->usuario, pedido->clave))
        return SalidaSinConexion;
    const auto tarea = BuscarTareaEstadistica(pedido->tarea);
    if (!AccesoTareaInformado(Sistema, Glob().UsuarioActual, pedido->tarea, tarea->caption,
                              Programa))
        return SalidaFallo;
    // Ejercicio: año de la fecha del servidor (la del puesto si no se pudo leer).
    const std::optional<QDateTime> hoy = FechaServidor(false);
    Glob().EjercicioActual = qint16(hoy ? hoy->date().year() : QDate::currentDate().year());

    std::unique_ptr<QDialog> dialogo = CrearVentanaTarea(pedido->tarea, nullptr);
    auto* ventana = dynamic_cast<frmEstadistica*>(dialogo.get());
    if (!ventana) {
        MostrarMensaje(QStringLiteral("La tarea %1 (%2) no está disponible en esta versión")
                           .arg(pedido->tarea)
                           .arg(tarea->caption),
                       Programa);
        return SalidaFallo;
    }
    const bool conGraficos = ventana->Logica().Descripcion().graficos > 0;
    if (!conGraficos && !EsPdf(pedido->salida))
        return ArgumentosMalos(
            QStringLiteral("%1 solo se imprime: la salida debe ser .pdf").arg(tarea->caption));
    // La ventana, sin pantalla, toma su tamaño y dibuja; la carga ya corrió.
    ventana->Fecha()->PonerValue(pedido->fecha);
    ventana->show();
    if (pedido->generar)
        ventana->CmdActualizar_Click();
    QApplication::processEvents();
    if (dialogosContados.mensajes > 0)
        return SalidaFallo;
    // Como la ventana, que pregunta antes de imprimir o exportar cifras de otra
    // fecha que la pedida: sin poder preguntar, no se escribe nada.
    const QDate cifras = conGraficos ? ventana->Logica().FechaCifras() : QDate();
    if (cifras.isValid() && cifras != pedido->fecha) {
        MostrarMensaje(QStringLiteral("Las cifras guardadas de %1 son al %2, no al %3: agregue "
                                      "--generar para generarlas a esa fecha")
                           .arg(tarea->caption, DateTimeBox::TextoCorto(cifras),
                                DateTimeBox::TextoCorto(pedido->fecha)),
                       Programa);
        return SalidaFallo;
    }

    QString error;
    const bool escrito = Escribir(*ventana, *pedido, &error);
    if (!error.isEmpty())
        MostrarMensaje(error, Programa);
    return escrito && dialogosContados.mensajes == 0 ? SalidaBien : SalidaFallo;
}
