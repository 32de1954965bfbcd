#pragma once
// Parámetros de CONFIG y sentencias de sesión de ParametrosBase.
#include <QString>
#include <optional>

class ConexionBase;

// Destino del valor leído: texto o entero de 16 o 32 bits.
bool LeerParametroConfig(QString& destino, const QString& nombre, int codigoError,
                         const QString& sistema = QString(),
                         const std::optional<QString>& parametroMensaje = std::nullopt);
bool LeerParametroConfig(qint16& destino, const QString& nombre, int codigoError,
                         const QString& sistema = QString(),
                         const std::optional<QString>& parametroMensaje = std::nullopt);
bool LeerParametroConfig(qint32& destino, const QString& nombre, int codigoError,
                         const QString& sistema = QString(),
                         const std::optional<QString>& parametroMensaje = std::nullopt);

QString ObtenerParametro(const QString& sistema, const QString& nombre,
                         const QString& valorPorDefecto, const QString& descripcion,
                         const QString& modificable);

bool EstablecerParametrosBase(const QString& usuario, const QString& sistema,
                              ConexionBase& conexion);
