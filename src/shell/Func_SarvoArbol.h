#pragma once
// Carga del árbol de tareas desde las tablas de menú de GDA.
#include "ArbolMenu.h"
#include <QString>

// Llena el árbol con el menú del usuario en el sistema, con control de
// acceso. Falso si la consulta no trajo filas (el árbol queda como estaba).
bool CargarMenu(ArbolMenu& arbol, const QString& sistema, const QString& usuario);
// Sentencia jerárquica del menú del usuario.
QString ConsultaMenu(const QString& sistema, const QString& usuario);
// Código de ventana (tres dígitos) seguido del nombre de la tarea de la
// entrada item del menú, o "" si no hay.
QString TareaDeMenu(const QString& sistema, const QString& menu, const QString& item);
