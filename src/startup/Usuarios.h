#pragma once
// Validación del usuario y auditoría de la sesión (tabla auditoria).
#include <QString>
#include <optional>

bool ValidarAcceso(const QString& usuario);
bool ValidarUsuario(const QString& usuario, const QString& sistema);
QString ObtenerTipoUsuario(const QString& usuario);
// Marca abandonadas ("A") las filas abiertas del usuario en ese usuario del SO.
void CerrarSesionesAnteriores(const QString& usuario, const QString& usuarioWindows);
// Fila de auditoría nueva; devuelve su ROWID ("" si no se encontró). Usa
// ConexionAuditoria (sin ella, la principal).
QString RegistrarIngreso(const QString& sistema, const QString& tipoAcceso, const QString& usuario);
// Cierra la fila (estado "N" si no se indica). Las filas "R" no se tocan.
bool RegistrarSalida(const QString& rowId, qint16 altas, qint16 bajas, qint16 modis, qint16 impres,
                     const std::optional<QString>& estado = std::nullopt);
