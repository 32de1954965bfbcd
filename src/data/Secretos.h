#pragma once
// Lo que llega a un registro de texto sin sus secretos: la clave de cada
// "IDENTIFIED BY" (también la de REPLACE), el valor de PWD o Password de cada
// cadena de conexión y el código de acceso de CodigoAccesoCorrecto(...),
// reconocidos por su forma y cambiados por "********".
#include <QString>

inline const QString SecretoOculto = QStringLiteral("********");

QString OcultarSecretos(const QString& texto);
