#include "Despacho.h"
#include "TareasEstadistica.h"

qint16& CodigoTarea() {
    static qint16 codigo = 0;
    return codigo;
}

Despacho DecidirDespacho(int codigo) {
    if (codigo == TareaSalir)
        return Despacho::Nada;
    return BuscarTareaEstadistica(codigo) ? Despacho::Ventana : Despacho::Desconocida;
}
