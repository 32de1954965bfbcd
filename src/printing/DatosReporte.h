#pragma once
// Filas de las que lee un reporte: las de un Recordset de la base o, para las
// pruebas y el fuzzing, unas en memoria. Se leen en orden casi siempre (al
// diagramar y al pintar página tras página), así que el acceso secuencial
// debe ser barato; el salto atrás puede costar.
#include "Recordset.h"
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class FuenteDatos {
public:
    virtual ~FuenteDatos() = default;
    virtual int Filas() const = 0;
    virtual int Columna(const QString& nombre) const = 0; // sin distinguir mayúsculas; -1
    virtual QString NombreColumna(int columna) const = 0;
    // Null: QVariant nulo. Fuera de rango: QVariant inválido.
    virtual QVariant Valor(int fila, int columna) const = 0;
};

class DatosRecordset : public FuenteDatos {
public:
    explicit DatosRecordset(Recordset rs) : rs_(std::move(rs)) {}
    int Filas() const override { return rs_.RecordCount(); }
    int Columna(const QString& nombre) const override { return rs_.IndiceCampo(nombre); }
    QString NombreColumna(int columna) const override { return rs_.NombreCampo(columna); }
    QVariant Valor(int fila, int columna) const override;

private:
    mutable Recordset rs_; // el cursor se mueve al leer
};

class DatosEnMemoria : public FuenteDatos {
public:
    DatosEnMemoria(QStringList columnas, std::vector<std::vector<QVariant>> filas)
        : columnas_(std::move(columnas)), filas_(std::move(filas)) {}
    int Filas() const override { return int(filas_.size()); }
    int Columna(const QString& nombre) const override;
    QString NombreColumna(int columna) const override { return columnas_.value(columna); }
    QVariant Valor(int fila, int columna) const override;

private:
    QStringList columnas_;
    std::vector<std::vector<QVariant>> filas_;
};

// Número de un valor de la base para sumar: nullopt si es nulo; "ok" falso si
// no es un número (un texto que no lo parece, una fecha).
std::optional<double> NumeroDe(const QVariant& valor, bool& ok);
