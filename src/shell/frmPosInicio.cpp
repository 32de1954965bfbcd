#include "frmPosInicio.h"
#include "CodigosCatalogo.h"
#include "Func_SarvoErrores.h"
#include "Ventanas.h"
#include "VentanasEstadisticas.h"
#include <QDialog>
#include <QPointer>
#include <memory>

namespace {
bool cargado = false;
}

qint16& CodigoTarea() {
    static qint16 codigo = 0;
    return codigo;
}

Despacho DecidirDespacho(int codigo) {
    if (codigo == 255)
        return Despacho::Nada;
    return TareasDisponibles().contains(codigo) ? Despacho::Ventana : Despacho::Desconocida;
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
                MostrarError(Catalogo::TareaDesconocida, {QString::number(codigo)});
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
        // Los errores del despacho no llegan a quien despacha.
    }
    cargado = false;
    registro.Salir(id);
}
