#pragma once
// El único camino de las sentencias a la base: ejecutan, miden, informan los
// fallos por el catálogo y alimentan los registros. Nunca lanzan excepciones.
#include "Recordset.h"
#include <QString>
#include <QVariant>
#include <optional>

class ConexionBase;

// conexion nula: la conexión principal Glob().Conexion.
bool EjecutarSQL(const QString& sql, bool MostrarCartel = true,
                 std::optional<long> ErrorEsperado = std::nullopt,
                 ConexionBase* conexion = nullptr);
bool EjecutarSQLSTP(const QString& sql, bool MostrarCartel = true,
                    std::optional<long> ErrorEsperado = std::nullopt,
                    ConexionBase* conexion = nullptr);
// rs queda abierto con todas las filas, o cerrado si la consulta falló.
void CargarRecordset(Recordset& rs, const QString& sql, const QString& orden,
                     ConexionBase* conexion = nullptr, qint32 descendente = 0);
void Cargar_Recordset(const QString& sql, Recordset& rs, ConexionBase* conexion = nullptr);

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
