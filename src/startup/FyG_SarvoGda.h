#pragma once
// Controles de seguridad del arranque: usuario, parámetros, auditoría de la
// sesión, sesiones duplicadas y versión instalada.
#include <QString>
#include <optional>

class Recordset;

// ---- Usuario y auditoría

bool ValidarAcceso(const QString& usuario);
bool ValidarUsuario(const QString& usuario, const QString& sistema);
QString ObtenerTipoUsuario(const QString& usuario);
// Marca abandonadas ("A") las filas abiertas del usuario en ese usuario del SO.
void CerrarSesionesAnteriores(const QString& usuario, const QString& usuarioWindows);
// Fila de auditoría nueva; devuelve su ROWID ("" si no se encontró). Usa
// ConexionAuditoria (sin ella, la principal).
QString RegistrarIngreso(const QString& sistema, const QString& tipoAcceso, const QString& usuario);
// Cierra la fila (estado "N" si no se indica). Las filas "R" no se tocan.
bool RegistrarSalida(const QString& rowId, qint16 altas, qint16 bajas, qint16 modis, qint16 impres,
                     const std::optional<QString>& estado = std::nullopt);

// ---- Parámetros

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

// ---- Sesiones duplicadas

// Verdadero si el arranque debe detenerse.
bool SesionDuplicada(const QString& usuario);
// Termina las sesiones del recordset (campos sid y serial) con la cuenta de
// control. Devuelve siempre falso.
bool TerminarSesiones(Recordset& rs, const QString& usuario);
// Condición que excluye al proceso propio en vis_conecciones.
QString CondicionProcesoPropio(const QString& procesoPropio);

// ---- Versión

struct VersionPrograma {
    int mayor = 0;
    int menor = 0;
    int Numero() const { return mayor * 100 + menor; }
    QString Texto() const; // "005_002"
};
VersionPrograma VersionDelEjecutable();
// mayor*100+menor del texto "MMM_mmm"; nullopt si no son dígitos.
std::optional<int> NumeroVersionBase(const QString& texto);
bool ExisteCampo(const Recordset& rs, const QString& nombreCampo);
bool ControlarVersion();
bool ControlarVersion(const VersionPrograma& ejecutable);
