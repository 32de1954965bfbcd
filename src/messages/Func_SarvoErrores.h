#pragma once
// Catálogo de mensajes (errores_vb), mensajes literales y errores de la base.
#include "CodigosCatalogo.h"
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

class ConexionBase;

// Valor del botón pulsado (Boton::Aceptar ... Boton::No) o SinCatalogo si no
// se pudo usar el catálogo.
int MostrarError(int codigo, const QStringList& parametros = {});
template <typename... T> int MostrarErrorCon(int codigo, const T&... parametros) {
    return MostrarError(codigo, QStringList{QVariant::fromValue(parametros).toString()...});
}
int MostrarMensaje(const QString& texto, const QString& titulo);
// Texto de Catalogo::ConexionPerdida, igual al de su fila de errores_vb.
QString TextoConexionPerdida();
// Ambas devuelven el valor del botón del mensaje mostrado, 0 si no mostraron
// nada y -1 si la conexión no tenía ningún error que informar.
int MostrarErrorBase(ConexionBase* conexion = nullptr, std::optional<long> numero = std::nullopt);
int MostrarErrorConexion(ConexionBase& conexion);
// Código del catálogo para un número de Oracle, y su parámetro si lleva.
std::optional<int> CodigoCatalogo(long numeroOracle, QString* parametro = nullptr);

// Instala el catálogo como destino de los avisos de la capa de datos.
void InicializarMensajes();
