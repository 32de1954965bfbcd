#include "ArchivoSalida.h"
#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>

namespace {

// Por debajo de esto el disco se da por lleno.
constexpr qint64 EspacioMinimo = 1024 * 1024;

QString Nativa(const QString& ruta) {
    return QDir::toNativeSeparators(ruta);
}

QString Motivo(const QString& ruta, const QString& detalle) {
    const QFileInfo destino(ruta);
    const QFileInfo carpeta(destino.absolutePath());
    if (!carpeta.exists())
        return QStringLiteral("la carpeta %1 no existe").arg(Nativa(carpeta.absoluteFilePath()));
    if (!carpeta.isDir())
        return QStringLiteral("%1 no es una carpeta").arg(Nativa(carpeta.absoluteFilePath()));
    if (destino.isDir())
        return QStringLiteral("ya hay una carpeta con ese nombre");
    const QStorageInfo disco(carpeta.absoluteFilePath());
    if (disco.isValid() && disco.isReadOnly())
        return QStringLiteral("el disco es de solo lectura");
    if (!carpeta.isWritable())
        return QStringLiteral("no tiene permiso para escribir en la carpeta %1")
            .arg(Nativa(carpeta.absoluteFilePath()));
    if (destino.exists() && !destino.isWritable())
        return QStringLiteral("el archivo es de solo lectura");
    if (disco.isValid() && disco.bytesAvailable() < EspacioMinimo)
        return QStringLiteral("el disco está lleno");
    return QStringLiteral("no se pudo escribir el archivo completo (%1)").arg(detalle);
}

} // namespace

QString TextoNoSeGraba(const QString& ruta, const QString& detalle) {
    return QStringLiteral("No se pudo grabar %1: %2.").arg(Nativa(ruta), Motivo(ruta, detalle));
}

ArchivoSalida::ArchivoSalida(const QString& ruta) : ruta_(ruta), archivo_(ruta) {}

QIODevice* ArchivoSalida::Abrir() {
    if (QFileInfo(ruta_).isDir() || !archivo_.open(QIODevice::WriteOnly)) {
        error_ = TextoNoSeGraba(ruta_, archivo_.errorString());
        return nullptr;
    }
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    return this;
}

qint64 ArchivoSalida::writeData(const char* datos, qint64 largo) {
    if (!fallaEscritura_.isEmpty())
        return -1;
    errno = 0;
    const qint64 escritos = archivo_.write(datos, largo);
    if (escritos == largo)
        return escritos;
    fallaEscritura_ =
        errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : archivo_.errorString();
    return -1;
}

bool ArchivoSalida::Confirmar() {
    if (!archivo_.isOpen())
        return false; // ya falló al abrir
    close();
    // QSaveFile tampoco mira si el último vaciado de su búfer entró entero: se
    // lo vacía antes. Sin confirmar, el temporal se borra y el destino queda.
    if (fallaEscritura_.isEmpty() && archivo_.flush() && archivo_.commit())
        return true;
    error_ =
        TextoNoSeGraba(ruta_, fallaEscritura_.isEmpty() ? archivo_.errorString() : fallaEscritura_);
    return false;
}

bool ArchivoSalida::Grabar(const QString& ruta, const QByteArray& datos, QString* error) {
    ArchivoSalida salida(ruta);
    QIODevice* d = salida.Abrir();
    if (d)
        d->write(datos); // una escritura corta queda anotada para Confirmar
    if (d && salida.Confirmar())
        return true;
    if (error)
        *error = salida.Error();
    return false;
}
