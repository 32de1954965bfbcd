#pragma once
// Módulo de impresión: convierte el pedido de impresión de una ventana en un
// reporte mostrado en la vista previa. Una ventana imprime en cinco pasos:
//
//   IniciarReporte(true, true, false, true);   deshabilita la ventana, fórmulas automáticas
//   AgregarFormula(...); AsignarConsultaReporte(...);   las que haga falta
//   AsignarOpcionReporte(1);
//   AsignarImagenesReporte(...);   si el reporte lleva gráficos de la ventana
//   ImprimirReporte(ventana, título, "MRV_....rpt", QVariant(), 1, 0);
//
// ImprimirReporte busca el archivo, le da el ingreso, pasa las consultas al
// dueño de la suite si hace falta, registra la sentencia, corre el reporte en
// la vista previa, informa la falla (mensajes 71 y 2002) y vuelve a habilitar
// las ventanas, haya andado o no. Nada lanza excepciones.
//
// Las ventanas se alcanzan por VentanasImpresion (ventanasImpresion()).
#include "MotorReporte.h"
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

// reservado1 y reservado2 no se usan; conHora agrega la fórmula de la hora;
// opcionVista nulo vale verdadero.
void IniciarReporte(bool reservado1, bool conHora, bool reservado2, const QVariant& opcionVista);
// El texto va tal cual a la próxima casilla de fórmula.
void AgregarFormula(const QString& texto);
// La consulta del reporte; vacía, la borra.
void AsignarConsultaReporte(const QString& sql);
// 0 pantalla, 1 impresora; cualquier otro valor se ignora.
void AsignarDestino(qint32 destino);
void AsignarOpcionReporte(qint16 valor);
// Quien da las imágenes que el reporte pide por nombre (los gráficos de la
// ventana). Va después de IniciarReporte, que las borra; fuera de un pedido
// no hace nada.
void AsignarImagenesReporte(ProveedorImagenes proveedor);
// formulario: la ventana que imprime (para los registros); contenedor nulo:
// la vista previa del programa (no hay otro contenedor); zoom: código de
// zoom inicial; modoConexion: 0.
void ImprimirReporte(const QString& formulario, const QString& titulo, const QString& archivo,
                     const QVariant& contenedor, qint16 zoom, qint32 modoConexion);
// Corre el pedido preparado en el motor; ver ImprimirReporte.
bool EjecutarReporte();

// ---- Estado del módulo
MotorReporte* rpt(); // el pedido en curso; nulo fuera de un pedido
qint16 IndiceFormula();
bool ErrorReporte();
QString UltimoErrorReporte(); // número][origen]descripción de la última falla
QString UltimoReporte();      // archivo del último reporte pedido
QString ConexionReporte();    // el ingreso que quedó en el motor

// Los relojes del módulo: la fecha y hora del servidor (FechaServidor) y un
// reloj monótono en milisegundos. Vacíos, los del sistema; las pruebas los fijan.
struct RelojesImpresion {
    std::function<std::optional<QDateTime>(bool conHora)> fechaServidor;
    std::function<qint64()> milisegundos;
};
void FijarRelojesImpresion(RelojesImpresion relojes);
