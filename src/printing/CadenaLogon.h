#pragma once
// Cadena de ingreso del motor (su propiedad Connect) como cadena de conexión
// del sistema para ConexionBase. Se aceptan las dos formas que arma el
// programa: ";;;UID=usuario;PWD=clave" (sin origen de datos: el origen
// "Oracle") y "Provider=MSDASQL;;DSN=Oracle;UID=...;PWD=...". Los valores
// entre llaves se toman literalmente; una clave sin llaves al final de la
// cadena llega hasta el final, con sus ";" si los tiene.
#include <QString>

// Origen de datos cuando la cadena no nombra ninguno.
inline const QString OrigenDatosReportes = QStringLiteral("Oracle");

// "DSN=...;UID=...;PWD=..." más los demás atributos, con cada valor citado
// cuando hace falta. Se descartan Provider y DSQ.
QString CadenaConexionDeLogon(const QString& logon);
