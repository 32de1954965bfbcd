#pragma once
// La sesión de un comando sin pantalla (miravel-sql, miravel-reporte,
// miravel-exportar), abierta como la abre el programa.
#include <QString>

// Carpeta del sistema y equipo, conexión principal (clave derivada,
// sentencias de sesión) y el usuario validado como al arrancar: parámetros
// generales, estado "N" y un menú de Miravel. Después, los parámetros de
// sesión. Nada del comando corre antes. Falso: el motivo ya se mostró y el
// comando sale con 2.
bool AbrirSesionComando(const QString& programa, const QString& usuario, const QString& clave);
