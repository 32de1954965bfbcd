#pragma once
// Derechos de un usuario sobre una tarea de un sistema, según los niveles de GDA.
#include <QString>

// Un derecho se concede cuando el nivel que el usuario tiene (por tarea en
// restricciones_usuario, si no el general de usuarios) es mayor o igual al
// que la tarea exige en vis_tareas. Una tarea inexistente muestra el mensaje
// 85 y niega todo.
void ObtenerPermisos(const QString& sistema, const QString& usuario, const QString& tarea,
                     bool& acceso, bool& alta, bool& baja, bool& modi);

// Acceso del usuario a la tarea del sistema cuyo código de ventana es
// `codigo` (la que el árbol ofrece para ese código). Sin tarea con ese código
// muestra el mensaje 85 con el código y niega.
bool AccesoTareaPorCodigo(const QString& sistema, const QString& usuario, int codigo);

// Para los comandos sin pantalla: como AccesoTareaPorCodigo y, si lo niega,
// lo dice nombrando al usuario y la tarea (código y título).
bool AccesoTareaInformado(const QString& sistema, const QString& usuario, int codigo,
                          const QString& titulo, const QString& programa);
