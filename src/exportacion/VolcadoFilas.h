#pragma once
// Filas de un Recordset a texto, rápido: el formato de cada columna se decide
// una vez, cada celda se copia desde el texto que trajo la base sin pasar por
// QVariant ni QString, y todo va a un solo búfer. Lo que no tiene la forma
// esperada (un decimal con exponente, una fecha con fracción) pasa por la
// conversión general y sale igual que antes.
#include <QByteArray>
#include <QString>
#include <vector>

class Recordset;
class QVariant;

class VolcadoFilas {
public:
    enum class Destino {
        Consola, // tabulador entre campos, punto decimal, fin de línea LF
        Csv      // ";" entre campos, coma decimal, comillas si hace falta, CRLF
    };
    VolcadoFilas(Recordset& rs, Destino destino);

    // La fila de nombres de campo.
    void Encabezado(QByteArray& salida) const;
    // La fila actual del Recordset, con su fin de línea.
    void Fila(QByteArray& salida) const;
    // Encabezado y todas las filas desde la primera; en CSV con la marca UTF-8 al frente.
    QByteArray Todo();

    // El texto de un valor en la consola (la conversión general): null vacío,
    // fechas dd/MM/yyyy, decimales con 15 cifras, sin tabuladores ni saltos.
    static QString TextoConsola(const QVariant& valor);

private:
    enum class Forma { Texto, Entero, Decimal, Fecha, FechaHora };
    void Celda(int campo, QByteArray& salida) const;
    void General(int campo, QByteArray& salida) const;
    void Texto(QByteArrayView texto, QByteArray& salida) const;

    Recordset& rs_;
    Destino destino_;
    std::vector<Forma> formas_;
    char separador_;
    QByteArray finLinea_;
};
