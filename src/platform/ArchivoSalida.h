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
    int numeroError_ = 0;    // su errno
    QString error_;
};

// Por qué no se puede escribir en la ruta, en castellano: sale del número de
// error del sistema (errno, 0 si no se sabe) y de lo que se ve de la carpeta
// y del disco; detalle (el texto del sistema) solo si nada de eso lo explica.
QString MotivoNoSeGraba(const QString& ruta, const QString& detalle, int numeroError = 0);
// "No se pudo grabar <ruta>: <motivo>."
QString TextoNoSeGraba(const QString& ruta, const QString& detalle, int numeroError = 0);
