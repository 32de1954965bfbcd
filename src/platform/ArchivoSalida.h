#pragma once
// Archivos que el programa graba para el usuario (PDF, imágenes, planillas):
// se escriben en un temporal de la misma carpeta que reemplaza al destino
// solo si todo se escribió, y una falla se explica en castellano con la ruta.
#include <QByteArray>
#include <QIODevice>
#include <QSaveFile>
#include <QString>

class ArchivoSalida : public QIODevice {
public:
    explicit ArchivoSalida(const QString& ruta);
    // Donde escribir (este mismo objeto); nullptr si no se pudo abrir (ver Error()).
    QIODevice* Abrir();
    // Reemplaza el destino con lo escrito. Falso si algo no se escribió
    // entero (disco lleno, por ejemplo): el destino queda como estaba.
    bool Confirmar();
    // "No se pudo grabar <ruta>: <motivo>." de la última falla.
    QString Error() const { return error_; }

    // Todo junto: abre, escribe los datos y confirma.
    static bool Grabar(const QString& ruta, const QByteArray& datos, QString* error);

protected:
    // Una escritura que no entra entera es una falla: QSaveFile solo mira
    // los errores del sistema, y una escritura corta no lo es.
    qint64 writeData(const char* datos, qint64 largo) override;
    qint64 readData(char*, qint64) override { return -1; }

private:
    QString ruta_;
    QSaveFile archivo_;
    QString fallaEscritura_; // texto del sistema de la primera escritura corta
    QString error_;
};

// "No se pudo grabar <ruta>: <motivo>." El motivo sale de lo que se ve de la
// carpeta y del disco; detalle (el texto del sistema) solo si no se reconoce.
QString TextoNoSeGraba(const QString& ruta, const QString& detalle);
