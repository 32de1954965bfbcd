#pragma once
// Otra sesión abierta del mismo usuario de base al arrancar.
#include <QString>

class Recordset;

// Verdadero si el arranque debe detenerse.
bool SesionDuplicada(const QString& usuario);
// Termina las sesiones del recordset (campos sid y serial) con la cuenta de
// control. Devuelve siempre falso.
bool TerminarSesiones(Recordset& rs, const QString& usuario);
// Condición que excluye al proceso propio en vis_conecciones.
QString CondicionProcesoPropio(const QString& procesoPropio);
