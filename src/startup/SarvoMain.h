#pragma once
// Arranque de Miravel: instancia única, línea de comandos, conexiones y
// controles del usuario, la sesión y la versión.
#include "Argumentos.h"
#include <QString>
#include <QStringList>

// Fija ServidorBase ("server_sarvo") y NombrePC (nombre del equipo).
void ObtenerNombrePC();
QString ObtenerUsuarioWindows();

// La línea de comandos del proceso como un solo texto: los argumentos que
// recibió main después del nombre del programa, separados por un espacio.
// Se lee antes de crear la aplicación Qt (ver ArgumentosDelProceso).
QString LineaDeComandos(int argc, const char* const* argv);

// Ejecuta el arranque completo. Verdadero: hay que mostrar la ventana
// principal. Falso: el programa termina (el motivo ya se mostró).
bool Main(const QString& lineaComandos);

// Carpeta del archivo de bloqueo de la instancia única. Vacía: la carpeta de
// ejecución del usuario. Soltar libera el bloqueo tomado por Main.
void FijarCarpetaInstancia(const QString& carpeta);
void SoltarInstancia();
