#pragma once
// Lectura de una fecha tecleada entera en la caja de fecha: día, mes y año
// con separadores ("30/06/2024", "1-2-2024", "31.12.25") o sin ellos
// ("30062024", "300624"). Un año de dos cifras es del 2000 en adelante. Lo
// que no es una fecha que existe se rechaza con el motivo en castellano; nunca
// se corrige a otra fecha.
#include <QDate>
#include <QString>

struct LecturaFecha {
    QDate fecha;    // válida si se aceptó
    QString motivo; // por qué no se aceptó; vacío si se aceptó
    bool Aceptada() const { return fecha.isValid(); }
};

// La fecha tiene que estar entre minimo y maximo, ambos incluidos.
LecturaFecha LeerFechaTecleada(const QString& texto, const QDate& minimo, const QDate& maximo);
