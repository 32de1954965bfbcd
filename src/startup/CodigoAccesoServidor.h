#pragma once
// Comprobación del código de acceso del día en el servidor, con la clave de
// sitio que los puestos nunca ven (función CodigoAccesoCorrecto del dueño).
#include <QString>

enum class RespuestaCodigo {
    Correcta,
    Incorrecta,      // también si la base falló al comprobarlo (ya se mostró)
    SinComprobacion, // la base no tiene la función: vale el código anterior
};

// Pregunta a la base si `codigo` es el código del día para el sistema
// `prefijo`. La base cuenta los intentos fallidos de cada puesto y anota
// cada intento en su auditoría; la respuesta se confirma enseguida. Corre por
// la conexión de auditoría (la principal si no está).
RespuestaCodigo ComprobarCodigoEnServidor(const QString& prefijo, const QString& codigo);
