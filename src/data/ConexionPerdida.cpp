#include "ConexionPerdida.h"
#include "Avisos.h"
#include "ConexionBase.h"
#include "Dialogos.h"
#include "ErroresOracle.h"
#include "Glob_Sarvo.h"
#include <QCoreApplication>

namespace {

// Lo que ya pasó en la acción en curso.
struct Accion {
    bool avisada = false;           // ya se mostró que se perdió la conexión
    bool reaperturaFallida = false; // el servidor no contestó: no se insiste
    bool finPedido = false;         // el fin de la acción ya está en la cola de eventos
};
Accion accion;

// El fin de la acción llega cuando el bucle de eventos retoma el control. Se
// pide después de mostrar el aviso: la ventana modal del aviso tiene su propio
// bucle y no debe terminarla.
void TerminarAlVolverAlBucle() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app) {
        TerminarAccion();
        return;
    }
    if (accion.finPedido)
        return;
    accion.finPedido = true;
    QMetaObject::invokeMethod(
        app, [] { TerminarAccion(); }, Qt::QueuedConnection);
}

} // namespace

void TerminarAccion() {
    accion = Accion();
}

bool AvisarConexionPerdida(ConexionBase& conexion, std::optional<long> numero) {
    if (accion.avisada) {
        if (!conexion.Errores().empty())
            Glob().UltimoErrorNativo = qint32(conexion.Errores().front().nativo);
        conexion.LimpiarErrores();
        return false;
    }
    // Antes de mostrar: leer el catálogo puede volver a encontrar la base caída.
    accion.avisada = true;
    const long perdida = numero                       ? *numero
                         : conexion.Errores().empty() ? 3113
                                                      : conexion.Errores().front().nativo;
    avisos().MostrarErrorBase(&conexion, numero);
    // Al leer el catálogo se pudo reabrir la conexión principal, con sus
    // sentencias de sesión: el último error sigue siendo el de la pérdida.
    Glob().UltimoErrorNativo = qint32(perdida);
    TerminarAlVolverAlBucle();
    return true;
}

bool ConexionLista(ConexionBase& conexion) {
    if (!conexion.Perdida() && !conexion.ComprobarAntesDeUsar())
        return true;
    PunteroTemporal reloj(Puntero::Reloj);
    if (!conexion.Perdida() && conexion.Responde())
        return true;
    if (accion.reaperturaFallida) {
        conexion.LimpiarErrores();
        return false;
    }
    if (conexion.Reabrir())
        return true;
    accion.reaperturaFallida = true;
    // Otra clave o usuario inhabilitado: su propio mensaje. Si no, el servidor
    // no está disponible.
    const long motivo = conexion.Errores().empty() ? -1 : conexion.Errores().front().nativo;
    if (motivo == 1017 && !accion.avisada) {
        accion.avisada = true;
        avisos().MostrarErrorConexion(conexion);
        TerminarAlVolverAlBucle();
    } else {
        AvisarConexionPerdida(conexion, EsConexionPerdida(motivo) ? motivo : 3114);
    }
    return false;
}
