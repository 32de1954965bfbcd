// Miravel: lo arranca el lanzador de la suite con usuario, clave, carpeta de
// instalación y versión. Arranque, ventana principal y bucle de eventos.
#include "DialogosQt.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "Logs.h"
#include "SarvoMain.h"
#include "TraduccionesQt.h"
#include "VentanasImpresionQt.h"
#include "frmInicio.h"
#include "frmResources.h"
#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <exception>

namespace {

// Ninguna excepción llega al bucle de eventos: la que escape de un manejador
// se anota en el registro de errores y en la salida de errores, y el evento
// se da por no atendido.
class Aplicacion : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receptor, QEvent* evento) override {
        try {
            return QApplication::notify(receptor, evento);
        } catch (const std::exception& e) {
            AnotarExcepcion(QStringLiteral("Evento de Qt"));
            std::fprintf(stderr, "miravel: excepción no atendida: %s\n", e.what());
        } catch (...) {
            AnotarExcepcion(QStringLiteral("Evento de Qt"));
            std::fprintf(stderr, "miravel: excepción no atendida\n");
        }
        return false;
    }
};

// Diálogos de Qt y ventanas de la impresión mientras la aplicación vive.
struct DialogosInstalados {
    DialogosQt qt;
    VentanasImpresionQt impresion;
    DialogosInstalados() {
        InstalarDialogos(&qt);
        InstalarVentanasImpresion(&impresion);
    }
    ~DialogosInstalados() {
        InstalarVentanasImpresion(nullptr);
        InstalarDialogos(nullptr);
    }
};

} // namespace

int main(int argc, char** argv) {
    // Los argumentos son del lanzador: se leen tal como llegaron y Qt recibe
    // solo el nombre del programa, así ninguno se toma por opción de Qt.
    const QString lineaComandos = LineaDeComandos(argc, argv);
    int argcQt = 1;
    char* argvQt[] = {argv[0], nullptr};
    Aplicacion app(argcQt, argvQt);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    CargarFuentes();
    CargarTraduccionesQt(); // diálogos de archivos e impresión, botones, teclas
    try {
        InicializarImagenes();
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/imagenes/miravel.png")));
        DialogosInstalados dialogos;
        InicializarMensajes();

        if (!Main(lineaComandos))
            return 0;

        frmInicio ventana;
        if (!ventana.Cargar())
            return 0;
        return app.exec();
    } catch (const std::exception& e) {
        AnotarExcepcion(QStringLiteral("main"));
        std::fprintf(stderr, "miravel: %s\n", e.what());
    } catch (...) {
        AnotarExcepcion(QStringLiteral("main"));
        std::fprintf(stderr, "miravel: error inesperado\n");
    }
    return 1;
}
