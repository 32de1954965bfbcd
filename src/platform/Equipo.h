#pragma once
// Lo que el programa le pregunta al sistema operativo sobre el puesto de
// trabajo: nombre del equipo, usuario, proceso y nombre del ejecutable.
#include <QString>
#include <QStringList>

// Nombre del equipo, hasta el primer carácter nulo y a lo sumo 255 caracteres.
QString NombreEquipo();
// Usuario del sistema operativo dueño del proceso.
QString UsuarioSistemaOperativo();
// Número del proceso, como texto.
QString NumeroProceso();
// Nombre del archivo del programa sin extensión ("miravel").
QString NombreEjecutable();

// Los argumentos que recibió main después del nombre del programa, tal como
// llegaron. Se leen antes de crear la aplicación Qt, que se queda con sus
// opciones ("-style", "-platform", "-reverse"...) aunque sean un usuario o
// una clave; la aplicación se crea después solo con el nombre del programa.
QStringList ArgumentosDelProceso(int argc, const char* const* argv);
