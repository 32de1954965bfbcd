#pragma once
// Registro de las ventanas cargadas, en orden de carga. Las ventanas se
// anotan al cargarse y se borran al descargarse; lo leen los registros de
// seguimiento, la ventana de mensajes y la impresión.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

class RegistroVentanas {
public:
    using Descargar = std::function<void()>;
    using Repintar = std::function<void()>;
    static RegistroVentanas& instancia();

    // Devuelve un identificador para Salir. descargar cierra la ventana;
    // repintar la vuelve a dibujar en el momento.
    int Unirse(const QString& nombre, Descargar descargar = {}, Repintar repintar = {});
    void Salir(int id);

    QStringList Nombres() const; // en orden de carga
    int Cantidad() const { return int(ventanas_.size()); }
    QString Ultima() const;     // vacío si no hay ninguna
    QString Anteultima() const; // vacío si hay menos de dos
    // Descarga todas salvo la primera (de la última a la segunda). Una
    // excepción de una descarga va al registro de errores y se sigue.
    void DescargarTodasMenosPrimera();
    // Repinta las últimas cargadas, de la última hacia atrás; una excepción
    // va al registro de errores y se sigue con la anterior.
    void RepintarUltimas(int cantidad);
    void Vaciar(); // para pruebas

private:
    struct Entrada {
        int id;
        QString nombre;
        Descargar descargar;
        Repintar repintar;
    };
    std::vector<Entrada> ventanas_;
    int proximoId_ = 1;
};
