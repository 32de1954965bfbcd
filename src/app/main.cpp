// Miravel: lo arranca el lanzador de la suite con usuario, clave, carpeta de
// instalación y versión. Arranque, ventana principal y bucle de eventos.
#include "DialogosQt.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "SarvoMain.h"
#include "frmInicio.h"
#include "frmResources.h"
#include <QApplication>
#include <QLocale>
#include <QStringList>
#include <cstdio>
#include <exception>

namespace {

// Ninguna excepción llega al bucle de eventos: la que escape de un manejador
// se anota en la salida de errores y el evento se da por no atendido.
class Aplicacion : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receptor, QEvent* evento) override {
        try {
            return QApplication::notify(receptor, evento);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "miravel: excepción no atendida: %s\n", e.what());
        } catch (...) {
            std::fprintf(stderr, "miravel: excepción no atendida\n");
        }
        return false;
    }
};

// Diálogos de Qt mientras la aplicación vive.
struct DialogosInstalados {
    DialogosQt qt;
    DialogosInstalados() { InstalarDialogos(&qt); }
    ~DialogosInstalados() { InstalarDialogos(nullptr); }
};

// La línea de comandos como un solo texto, sin el nombre del programa.
QString LineaComandos(const QStringList& argumentos) {
    return argumentos.mid(1).join(QLatin1Char(' '));
}

} // namespace

int main(int argc, char** argv) {
    Aplicacion app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    CargarFuentes();
    try {
        InicializarImagenes();
        QApplication::setWindowIcon(QIcon(QStringLiteral(":/imagenes/miravel.png")));
        DialogosInstalados dialogos;
        InicializarMensajes();

        if (!Main(LineaComandos(QCoreApplication::arguments())))
            return 0;

        frmInicio ventana;
        if (!ventana.Cargar())
            return 0;
        return app.exec();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "miravel: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "miravel: error inesperado\n");
    }
    return 1;
}
