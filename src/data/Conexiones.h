#pragma once
// Apertura y cierre de las conexiones de la sesión.
#include <QString>
#include <memory>

class ConexionBase;

// Usuario y clave de la cuenta de control (fin de sesiones duplicadas).
inline const QString UsuarioControl = QStringLiteral("CONTROL_SARVO");
inline const QString ClaveControl = QStringLiteral("tramonel");

QString InvertirCadena(const QString& texto);
QString DerivarClave(const QString& clave);
QString ArmarCadenaODBC(const QString& usuario, const QString& clave);
bool ConectarBase(std::unique_ptr<ConexionBase>& conexion, const QString& usuario,
                  const QString& clave, const QString& servidor);
void AbrirConexionControl(const QString& usuario, const QString& clave,
                          std::unique_ptr<ConexionBase>& conexion);
void CerrarConexion(std::unique_ptr<ConexionBase>& conexion);

// Sesión de un comando sin pantalla (miravel-sql, miravel-reporte,
// miravel-exportar): carpeta del sistema de MIRAVEL_RUTA_SISTEMA (o una
// temporal), el programa como versión y conexión directa.
void PrepararComandoSinPantalla(const QString& programa);
