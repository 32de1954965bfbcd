#pragma once
// Lectura de las filas de una consulta ya ejecutada hacia un Recordset: una
// sola vuelta de SQLFetch, por bloques con las columnas enlazadas o, si hay
// columnas largas, de a una fila con SQLGetData.
#include "Recordset.h"
#include <sql.h>

struct ResultadoLectura {
    bool ok = true;
    bool diagnosticosDelDriver = false; // el driver dejó sus diagnósticos en la sentencia
    QString sqlstate;                   // falla propia de la lectura; vacío si no hay
    QString descripcion;
};

// Lee todas las filas de la sentencia al Recordset y lo abre. Si falla, el
// Recordset queda a medio cargar: quien llama lo reinicia.
ResultadoLectura LeerFilas(SQLHSTMT sentencia, Recordset& rs);
