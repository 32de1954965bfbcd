#pragma once
// Códigos de errores_vb que muestra el programa. Los textos, botones e íconos
// son filas de la base; aquí solo el número y la situación.
#include "JuegosBotones.h"

// Lo que devuelve MostrarError cuando el catálogo no se pudo usar.
inline constexpr int SinCatalogo = -1;

namespace Catalogo {
// Arranque: parámetros de CONFIG
inline constexpr int ParametrosNoCargados = 37;
inline constexpr int FaltaOwnerDb = 47;
inline constexpr int FaltaMunicipalidad = 48;
inline constexpr int FaltaTimerAbm = 114;
inline constexpr int FaltaCodLocalidad = 126;
inline constexpr int FaltaCodProvincia = 128;
inline constexpr int FaltaCodNacionalidad = 211;
inline constexpr int FaltaLimiteAvisoFiltros = 215;
inline constexpr int FaltaCallePostal = 224;
inline constexpr int FaltaNroPostal = 225;
inline constexpr int FaltaCodPos = 226;
inline constexpr int FaltaColorLabel = 360;       // con "COLOR_LABEL"
inline constexpr int FaltaParametroReporte = 380; // con "RPTORGANISMO" o "RPTNOMBREORG"
// Arranque: usuario y sesiones
inline constexpr int UsuarioInhabilitado = 122;
inline constexpr int UsuarioInexistente = 123;
inline constexpr int UsuarioSinMenu = 124;
inline constexpr int ConectadoEnOtraTerminal = 208; // con la descripción de la otra conexión
inline constexpr int SesionesEnEstaTerminal = 585;  // con el usuario y la lista de programas
// Base de datos: la sesión con el servidor se perdió (ORA-00028, 01012,
// 03113, 03114, 03135). Su fila tiene una copia en el programa: sin conexión
// no hay catálogo que leer.
inline constexpr int ConexionPerdida = 3113;
// Ventana principal y tareas
inline constexpr int MenuSinFilas = 125;
inline constexpr int TareaNoDefinida = 85; // con la tarea
inline constexpr int ClaveTareaIncorrecta = 86;
inline constexpr int TareaDesconocida = 139; // con el código de tarea
inline constexpr int ConfirmarSalida = 5001;
// Impresión
// Con el archivo y el detalle; 71 si el reporte se encontró, 2002 si no.
inline constexpr int ReporteFallido = 71;
inline constexpr int ReporteNoEncontrado = 2002;
} // namespace Catalogo
