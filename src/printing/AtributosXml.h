#pragma once
// Atributos de un elemento del archivo de reporte: cada uno se toma una vez,
// se valida con un mensaje en castellano y, al final, los que nadie tomó se
// informan como desconocidos.
#include <QColor>
#include <QString>
#include <QStringList>
#include <QXmlStreamAttributes>
#include <initializer_list>
#include <optional>

class Atributos {
public:
    explicit Atributos(const QXmlStreamAttributes& atributos) : atributos_(atributos) {}

    std::optional<QString> Tomar(const char* nombre);
    // Índice del valor en la lista; -1 si falta; nullopt si no es ninguno (ver Error()).
    std::optional<int> Opcion(const char* nombre, std::initializer_list<const char*> valores);
    // Milímetros a puntos; si falta, destino queda como estaba. Falso si no es una medida.
    bool Medida(const char* nombre, qreal& destino);
    bool Numero(const char* nombre, qreal& destino, qreal minimo, qreal maximo);
    bool SiNo(const char* nombre, bool& destino);
    bool Color(const char* nombre, QColor& destino); // "#rrggbb"

    QString PrimeroSobrante() const; // vacío si se tomaron todos
    QString Conocidos() const;       // los que se pidieron, para el mensaje
    void Anotar(const QString& error) { error_ = error; }
    const QString& Error() const { return error_; }

private:
    QXmlStreamAttributes atributos_;
    QStringList pedidos_;
    QStringList tomados_;
    QString error_;
};

// Mensaje en castellano para un error de QXmlStreamReader.
QString TraducirErrorXml(const QString& mensajeQt);
