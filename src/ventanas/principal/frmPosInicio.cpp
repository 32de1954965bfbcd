#include "frmPosInicio.h"
#include "Func_SarvoErrores.h"
#include "Logs.h"
#include "TareasEstadistica.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include <QDialog>
#include <QPointer>
#include <memory>

namespace {
bool cargado = false;
}

bool frmPosInicio::Cargado() {
    return cargado;
}

void frmPosInicio::Despachar(QWidget* padre) {
    // Una sola tarea a la vez: la ventana de la tarea es modal.
    if (cargado)
        return;
    const int codigo = CodigoTarea();
    RegistroVentanas& registro = RegistroVentanas::instancia();
    const int id = registro.Unirse(QStringLiteral("frmPosInicio"));
    cargado = true;
    try {
        switch (DecidirDespacho(codigo)) {
        case Despacho::Nada:
            break;
        case Despacho::Desconocida:
            MostrarError(Catalogo::TareaDesconocida, {QString::number(codigo)});
            break;
        case Despacho::Ventana: {
            std::unique_ptr<QDialog> ventana = CrearVentanaTarea(codigo, padre);
            if (!ventana) {
                // Una estadística cuya ventana esta versión todavía no trae.
                const QString titulo = BuscarTareaEstadistica(codigo)->caption;
                MostrarMensaje(QStringLiteral("La estadística \"%1\" todavía no está disponible "
                                              "en esta versión de Miravel.")
                                   .arg(titulo),
                               titulo);
                break;
            }
            ventana->setWindowModality(Qt::ApplicationModal);
            QPointer<QDialog> viva(ventana.get());
            ventana->exec();
            if (!viva)
                (void)ventana.release(); // se borró sola al cerrarse
            break;
        }
        }
    } catch (...) {
        // Los errores del despacho no llegan a quien despacha: quedan en el
        // registro de errores.
        AnotarExcepcion(QStringLiteral("frmPosInicio.Despachar ") + QString::number(codigo));
    }
    cargado = false;
    registro.Salir(id);
}
