#pragma once
// Una sesión perdida con el servidor (detenido, reiniciado, sesión
// terminada): cómo se retoma y cómo se avisa.
//
// La sentencia que encuentra la conexión muerta falla con el aviso: lo no
// confirmado se perdió con la sesión y no se repite nada a escondidas. La
// sentencia siguiente reabre la conexión (la misma cadena, las sentencias de
// sesión y el rol) y el trabajo sigue. Mientras el servidor no conteste, cada
// acción del usuario lo avisa una sola vez: una acción dura hasta que el
// programa vuelve al bucle de eventos.
#include <optional>

class ConexionBase;

// Deja la conexión lista para una sentencia: la perdida se reabre y la que se
// comprueba antes de usar se reabre si ya no contesta, con el reloj mientras
// espera. Falso: no se puede usar y el aviso ya se dio en esta acción.
bool ConexionLista(ConexionBase& conexion);

// Avisa por el catálogo que se perdió la conexión, salvo que ya se haya
// avisado en esta acción: entonces solo limpia los errores de la conexión y
// deja su número en UltimoErrorNativo. Verdadero si mostró el aviso.
bool AvisarConexionPerdida(ConexionBase& conexion, std::optional<long> numero = std::nullopt);

// Da por terminada la acción en curso (lo que hace el bucle de eventos al
// retomar el control). Para las pruebas y los programas sin bucle de eventos.
void TerminarAccion();
