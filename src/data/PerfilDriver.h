#pragma once
// Lo propio del driver que hay detrás del origen de datos: si es psqlODBC
// (el servidor sustituto) y qué atributos se le agregan al conectar.
#include "CadenaConexion.h"
#include <sql.h>

// El texto (nombre, descripción o biblioteca de un driver) nombra a psqlODBC.
bool PareceDriverPostgres(const QString& texto);
// El driver del origen de datos (o el DRIVER= de la cadena) es psqlODBC.
bool DriverEsPsqlOdbc(SQLHENV entorno, const std::vector<AtributoConexion>& atributos);
// Atributos que se agregan para psqlODBC, salvo los que la cadena ya trae:
// tamaños reales de las columnas sin largo declarado, deshacer solo la
// sentencia que falla (como Oracle) y la identidad del cliente.
QString AtributosPsqlOdbc(const std::vector<AtributoConexion>& atributos,
                          const QString& aplicacionCliente);
