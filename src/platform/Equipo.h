#pragma once
// Lo que el programa le pregunta al sistema operativo sobre el puesto de
// trabajo: nombre del equipo, usuario, proceso y nombre del ejecutable.
#include <QString>

// Nombre del equipo, hasta el primer carácter nulo y a lo sumo 255 caracteres.
QString NombreEquipo();
// Usuario del sistema operativo dueño del proceso.
QString UsuarioSistemaOperativo();
// Número del proceso, como texto.
QString NumeroProceso();
// Nombre del archivo del programa sin extensión ("miravel").
QString NombreEjecutable();
