#pragma once
// Cadenas de conexión del sistema ("Provider=MSDASQL;;DSN=Oracle;UID=...;PWD=...")
// y su paso a cadena ODBC. Solo texto: no conoce al driver.
#include <QString>
#include <optional>
#include <vector>

// Un "clave=valor" de la cadena. Un valor entre llaves se toma literal ("}}"
// es una llave de cierre); conIgual es falso para un nombre suelto sin "=".
struct AtributoConexion {
    QString clave;
    QString valor;
    bool conIgual = true;
};

std::vector<AtributoConexion> SepararAtributos(const QString& cadena);
// Valor del atributo de esa clave (sin distinguir mayúsculas); nullopt si no está.
std::optional<QString> ValorAtributo(const std::vector<AtributoConexion>& atributos,
                                     QLatin1StringView clave);
// Proveedor pedido que no es el ODBC (MSDASQL): por ejemplo el nativo MSDAORA.1,
// que no existe fuera de Windows. nullopt si no hay Provider o es MSDASQL.
std::optional<QString> ProveedorNoOdbc(const std::vector<AtributoConexion>& atributos);

// Cita un valor de atributo ODBC cuando hace falta (";", llaves, "=" o espacios
// en los extremos): {valor} con cada "}" duplicada. Sin esos caracteres, igual.
QString CitarValorOdbc(const QString& valor);
// Pasa la cadena del sistema a cadena ODBC (quita Provider, cita valores).
QString CadenaOdbcDesdeSistema(const QString& cadenaConexion);
