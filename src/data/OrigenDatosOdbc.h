#pragma once
// El origen de datos ODBC tal como lo ve el administrador de drivers: en qué
// archivos de configuración lo busca, si está definido, qué driver y qué
// servidor dice. Sirve para explicar en castellano por qué no se pudo abrir
// una conexión (el origen que falta o está vacío, el driver que no carga, el
// servidor que no contesta).
#include <QString>
#include <QStringList>
#include <optional>

struct ErrorBase;

struct OrigenDatosOdbc {
    QString nombre;              // "Oracle"
    QStringList archivos;        // archivos leídos, en el orden en que se buscan
    QString archivoDefinicion;   // el que tiene la sección; vacío si ninguno
    QString driver;              // valor de Driver, vacío si no lo dice
    QString archivoDrivers;      // donde se buscan los drivers por nombre
    bool driverInstalado = true; // Driver es una ruta o figura en archivoDrivers
    QString servidor;            // "equipo, puerto N"; vacío si no lo dice
};

// Lee la definición del origen de datos `nombre` en los archivos del usuario y
// del sistema (la del usuario primero, como el administrador de drivers).
// cadenaConexion: sus atributos de servidor pesan más que los del archivo.
OrigenDatosOdbc LeerOrigenDatos(const QString& nombre, const QString& cadenaConexion = {});

// El motivo en castellano de un error al abrir una conexión por el origen de
// datos, con los archivos leídos y el servidor. nullopt si el error no es de
// configuración ni de un servidor inalcanzable (la clave, el servidor que
// arranca o se detiene, otro error del proveedor).
std::optional<QString> ExplicarFallaConexion(const ErrorBase& error, const OrigenDatosOdbc& origen);
