#pragma once
// Lógica del lanzador sustituto de la suite: lee el nombre de la
// municipalidad para titular su ventana y arranca Miravel con usuario, clave,
// carpeta de instalación y versión.
#include <QString>
#include <QStringList>

// Cuenta de sólo lectura del lanzador (CONFIG).
inline const QString UsuarioLanzador = QStringLiteral("LANZADOR_SARVO");
inline const QString ClaveLanzador = QStringLiteral("lanzador");

// CONFIG MUNICIPALIDAD de GDA por una conexión propia que se cierra al
// terminar. Vacío si no se pudo leer; error explica por qué.
QString LeerMunicipalidad(QString* error = nullptr);

// "" si se puede arrancar con estos datos; si no, el motivo para el usuario.
// La línea de comandos de Miravel no admite espacios dentro de un argumento.
QString ValidarIngreso(const QString& usuario, const QString& clave, const QString& carpeta);

// Carpeta de instalación con el separador al final.
QString CarpetaConSeparador(const QString& carpeta);
QStringList ArgumentosMiravel(const QString& usuario, const QString& clave, const QString& carpeta,
                              const QString& version);
// El ejecutable "miravel" junto al lanzador.
QString ProgramaMiravel();
// Arranca el programa sin esperarlo. Falso y error si no arrancó.
bool IniciarMiravel(const QString& programa, const QStringList& argumentos,
                    QString* error = nullptr);
