#pragma once
// "Imprimir Todo" de las ventanas de estadística: el pedido de impresión de
// la ventana llevado al módulo de impresión, en su orden.
#include "MotorReporte.h"
#include "PedidoImpresion.h"
#include <QDate>
#include <QString>

class Estadistica;

// IniciarReporte(true, true, false, true); los pasos del pedido en orden
// (AgregarFormula o AsignarConsultaReporte); AsignarOpcionReporte(1); las
// imágenes, si se dan; ImprimirReporte(formulario, título, archivo, nulo, 1, 0).
void ImprimirPedido(const PedidoImpresion& pedido, const QString& formulario,
                    ProveedorImagenes imagenes = {});

// El pedido de la ventana para la fecha de su caja. Las que solo imprimen
// generan y confirman antes y no imprimen si eso falló (la falla ya se
// mostró). imagenes: los gráficos que piden sus reportes. Verdadero si llegó
// a imprimir.
bool ImprimirEstadistica(Estadistica& estadistica, const QDate& fecha,
                         ProveedorImagenes imagenes = {});
