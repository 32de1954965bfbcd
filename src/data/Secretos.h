#pragma once
// Lo que llega a un registro de texto sin sus secretos: la clave de cada
// "IDENTIFIED BY" (también la de REPLACE) y el valor de PWD o Password de cada
// cadena de conexión, reconocidos por su forma y cambiados por "********".
#include <QString>

inline const QString SecretoOculto = QStringLiteral("********");

QString OcultarSecretos(const QString& texto);
