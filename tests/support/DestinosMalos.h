#pragma once
// Destinos de un archivo de salida que no se pueden escribir, para probar
// que cada forma de grabar lo dice con la ruta y el motivo, y no deja nada.
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>
#include <vector>

namespace prueba {

struct DestinoMalo {
    const char* caso;
    QString ruta;
    QString motivo; // lo que el mensaje tiene que decir, además de la ruta
};

// Carpeta que no existe, destino que es una carpeta y carpeta que es un
// archivo (ni root puede escribir ahí), con la extensión dada.
inline std::vector<DestinoMalo> DestinosMalos(const QTemporaryDir& dir, const QString& extension) {
    const QString archivo = dir.filePath(QStringLiteral("un-archivo"));
    QFile f(archivo);
    if (f.open(QIODevice::WriteOnly))
        f.close();
    const QString carpeta = dir.filePath(QStringLiteral("es-carpeta.") + extension);
    QDir().mkpath(carpeta);
    return {
        {"carpeta que no existe", dir.filePath(QStringLiteral("no/hay/salida.") + extension),
         QStringLiteral("la carpeta %1 no existe")
             .arg(QDir::toNativeSeparators(dir.filePath(QStringLiteral("no/hay"))))},
        {"destino que es una carpeta", carpeta,
         QStringLiteral("ya hay una carpeta con ese nombre")},
        {"carpeta que es un archivo", archivo + QStringLiteral("/salida.") + extension,
         QStringLiteral("%1 no es una carpeta").arg(QDir::toNativeSeparators(archivo))},
    };
}

// Disco lleno de mentira: mientras vive, ningún archivo del proceso puede
// pasar de `bytes` (RLIMIT_FSIZE) y la escritura que lo pasa falla, como
// fallaría con el disco lleno. Vale también para la salida de la prueba si
// va a un archivo: nada de EXPECT mientras vive.
class DiscoLleno {
public:
    explicit DiscoLleno(rlim_t bytes) : senial_(std::signal(SIGXFSZ, SIG_IGN)) {
        getrlimit(RLIMIT_FSIZE, &antes_);
        rlimit limite = antes_;
        limite.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~DiscoLleno() {
        setrlimit(RLIMIT_FSIZE, &antes_);
        std::signal(SIGXFSZ, senial_);
    }
    DiscoLleno(const DiscoLleno&) = delete;
    DiscoLleno& operator=(const DiscoLleno&) = delete;

private:
    void (*senial_)(int);
    rlimit antes_{};
};

// Nombres de los archivos de una carpeta (para ver que no quedó un temporal).
inline QStringList Archivos(const QString& carpeta) {
    return QDir(carpeta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace prueba
