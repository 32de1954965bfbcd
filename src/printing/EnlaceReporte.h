#pragma once
// El reporte y la base: el ingreso que usa el motor y, cuando las tablas de
// la suite están bajo otro dueño, las consultas del reporte y de cada
// subreporte pasadas a ese dueño.
#include <QString>
#include <optional>

class MotorReporte;

// Connect = ";;;UID=" + usuario + ";PWD=" + clave y la verificación del
// motor; si la base lo rechaza, la cadena ODBC de la sesión y otra
// verificación, cuyo resultado no se mira. Devuelve Connect tal como quedó.
// Sólo se describe el modo 0; cualquier otro se trata igual.
QString AsignarLogon(MotorReporte& rpt, qint32 modoConexion);

// Sólo cuando OwnerSarvo no es "OWNER_SARVO": la consulta de cada subreporte
// (el emblema, de su propio archivo; los demás, de PROP_SUBREPORTES) y al
// final la del reporte, cada una en mayúsculas y con "OWNER_SARVO". cambiado
// por el dueño, asignada y aplicada; después, una aplicación más. Falso si
// falló la base o el motor; falla queda como número][origen]descripción.
bool ReescribirOwner(MotorReporte& rpt, MotorReporte& aux, const QString& archivo,
                     const QString& carpetaSistema, const QString& conexionReporte, QString& falla);

// La consulta de un subreporte en PROP_SUBREPORTES. Sin fila: la caja de
// "Error Interno..." y "". nullopt si la consulta misma falló (ya se mostró).
std::optional<QString> ConsultaSubreporte(const QString& nombreReporte,
                                          const QString& nombreSubreporte);

// La consulta guardada en el archivo del emblema de la municipalidad, leída
// con el motor auxiliar: primero en los reportes del formato 60 del sistema,
// después en los de "Gda". "" si no está o si su largo no entra en 16 bits.
QString ConsultaLogoMunicipio(MotorReporte& aux, const QString& carpetaSistema,
                              const QString& nombreSubreporte, const QString& cadenaLogon);
