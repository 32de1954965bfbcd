#pragma once
// Parámetros generales y de sesión que se leen una vez al arrancar.
#include <QString>

// Valores de CONFIG que se leen al arrancar y este sistema no usa.
struct ParametrosGenerales {
    QString TablespaceTemporal;
    QString CodLocalidad;
    QString Localidad;
    QString CodProvincia;
    qint16 CodNacionalidad = 0;
    QString LimiteAvisoFiltros;
    QString CallePostal;
    QString NroPostal;
    QString CodPos;
};
bool CargarParametrosGenerales(const QString& usuario);
const ParametrosGenerales& ParametrosLeidos();
// Verdadero cuando el dueño resuelto para el usuario no es "OWNER_SARVO":
// la barra de estado muestra "C/P".
bool MarcaCP();
void CargarParametrosSesion();
