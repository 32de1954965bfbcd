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

} // namespace

QString MotivoNoSeGraba(const QString& ruta, const QString& detalle, int numeroError) {
    const QFileInfo destino(ruta);
    const QFileInfo carpeta(destino.absolutePath());
    // La carpeta, o la primera de las de arriba que existe.
    QFileInfo base = carpeta;
    while (!base.exists() && !base.isRoot() && base.absolutePath() != base.absoluteFilePath())
        base = QFileInfo(base.absolutePath());
    if (base.exists() && !base.isDir())
        return QStringLiteral("%1 no es una carpeta").arg(Nativa(base.absoluteFilePath()));
    if (!carpeta.exists()) {
        if (base.exists() && !base.isWritable())
            return QStringLiteral("la carpeta %1 no existe y no tiene permiso para crearla en %2")
                .arg(Nativa(carpeta.absoluteFilePath()), Nativa(base.absoluteFilePath()));
        return QStringLiteral("la carpeta %1 no existe").arg(Nativa(carpeta.absoluteFilePath()));
    }
    if (destino.isDir())
        return QStringLiteral("ya hay una carpeta con ese nombre");
    const QStorageInfo disco(carpeta.absoluteFilePath());
    if (numeroError == EROFS || (disco.isValid() && disco.isReadOnly()))
        return QStringLiteral("el disco es de solo lectura");
    if (numeroError == EACCES || numeroError == EPERM || !carpeta.isWritable())
        return QStringLiteral("no tiene permiso para escribir en la carpeta %1")
            .arg(Nativa(carpeta.absoluteFilePath()));
    if (destino.exists() && !destino.isWritable())
        return QStringLiteral("el archivo es de solo lectura");
    if (numeroError == ENOSPC || numeroError == EDQUOT ||
        (disco.isValid() && disco.bytesAvailable() < EspacioMinimo))
        return QStringLiteral("el disco está lleno");
    if (numeroError == EFBIG)
        return QStringLiteral("el archivo pasa del tamaño que el sistema permite");
    return QStringLiteral("no se pudo escribir el archivo completo (%1)").arg(detalle);
}

QString TextoNoSeGraba(const QString& ruta, const QString& detalle, int numeroError) {
    return QStringLiteral("No se pudo grabar %1: %2.")
        .arg(Nativa(ruta), MotivoNoSeGraba(ruta, detalle, numeroError));
}

ArchivoSalida::ArchivoSalida(const QString& ruta) : ruta_(ruta), archivo_(ruta) {}

QIODevice* ArchivoSalida::Abrir() {
    errno = 0;
    if (QFileInfo(ruta_).isDir() || !archivo_.open(QIODevice::WriteOnly)) {
        error_ = TextoNoSeGraba(ruta_, archivo_.errorString(), errno);
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
