#include "ImprimirEstadistica.h"
#include "Estadistica.h"
#include "Func_SarvoImpresion.h"
#include <QVariant>

void ImprimirPedido(const PedidoImpresion& pedido, const QString& formulario,
                    ProveedorImagenes imagenes) {
    IniciarReporte(true, true, false, true);
    for (const PasoImpresion& paso : pedido.pasos) {
        if (paso.tipo == PasoImpresion::Tipo::Formula)
            AgregarFormula(paso.texto);
        else
            AsignarConsultaReporte(paso.texto);
    }
    AsignarOpcionReporte(1);
    if (imagenes)
        AsignarImagenesReporte(std::move(imagenes));
    ImprimirReporte(formulario, pedido.titulo, pedido.archivo, QVariant(), 1, 0);
}

bool ImprimirEstadistica(Estadistica& estadistica, const QDate& fecha, ProveedorImagenes imagenes) {
    const PedidoImpresion pedido = estadistica.Impresion(fecha);
    if (pedido.generarAntes && !estadistica.GenerarYConfirmar(fecha))
        return false;
    ImprimirPedido(pedido, estadistica.Descripcion().nombre, std::move(imagenes));
    return true;
}
