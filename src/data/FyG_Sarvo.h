#pragma once
// El único camino de las sentencias a la base (módulo FyG_Sarvo de la suite):
// ejecutan, miden, informan los fallos por el catálogo y alimentan los
// registros. Nunca lanzan excepciones y nunca cambian el texto que reciben.
//
// Nombres y orden de los argumentos son los de la suite, que los llama así.
// Lo que cambia de uno a otro:
//
//                      un fallo...            orden      registro de    marca " ERROR:[...]"
//                                             agregado   errores Sql    en el seguimiento
//   EjecutarSQL        se muestra o se calla  -          sí             sí (si se mostró)
//   EjecutarSQLSTP     se muestra o se calla  -          sí             sí (si se mostró)
//   CargarRecordset    se muestra siempre     sí         sí             sí
//   Cargar_Recordset   se muestra siempre     no         NO             NO
//   CargarRecordset-   se muestra o se calla  no         sí             sí (si se mostró)
//     SinCartel
//
// Los cuatro miden la sentencia y registran las lentas; con SeguimientoSql
// anotan cada una en el seguimiento.
#include "Recordset.h"
#include <QString>
#include <QVariant>
#include <optional>

class ConexionBase;

// ErrorEsperado que calla cualquier error.
inline constexpr long CualquierError = -1;

// Sentencia sin filas. conexion nula: la conexión principal Glob().Conexion.
// MostrarCartel falso con ErrorEsperado: se calla ese error (o cualquiera con
// CualquierError) y se muestra otro; falso sin ErrorEsperado: se calla todo.
// Un error callado deja su número en UltimoErrorNativo.
bool EjecutarSQL(const QString& sql, bool MostrarCartel = true,
                 std::optional<long> ErrorEsperado = std::nullopt,
                 ConexionBase* conexion = nullptr);
// Llamada a un procedimiento almacenado "nombre(args)"; lo demás, como EjecutarSQL.
bool EjecutarSQLSTP(const QString& sql, bool MostrarCartel = true,
                    std::optional<long> ErrorEsperado = std::nullopt,
                    ConexionBase* conexion = nullptr);
// Consulta con orden opcional (ver ArmarConsultaOrdenada): el recordset va
// primero. rs queda abierto con todas las filas, o cerrado si falló.
void CargarRecordset(Recordset& rs, const QString& sql, const QString& orden,
                     ConexionBase* conexion = nullptr, qint32 descendente = 0);
// Consulta tal cual: la sentencia va primero. Un fallo se muestra pero no va
// al registro de errores, y su línea de seguimiento no lleva la marca.
void Cargar_Recordset(const QString& sql, Recordset& rs, ConexionBase* conexion = nullptr);

// Consulta tal cual cuyo error esperado (número de Oracle) no se muestra:
// queda en UltimoErrorNativo (0 si salió bien) y en el registro de errores
// Sql, como en EjecutarSQL. Cualquier otro error se muestra.
void CargarRecordsetSinCartel(Recordset& rs, const QString& sql, long ErrorEsperado,
                              ConexionBase* conexion = nullptr);

// Sentencia que arma CargarRecordset a partir de la consulta y el orden.
QString ArmarConsultaOrdenada(const QString& sql, const QString& orden, qint32 descendente);

// Duración en segundos enteros medida con reloj monótono.
class Cronometro {
public:
    Cronometro();
    qint64 Segundos() const;

private:
    qint64 inicio_;
};
