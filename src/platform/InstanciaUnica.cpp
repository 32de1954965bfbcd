#include "InstanciaUnica.h"
#include "Equipo.h"
#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

namespace {
QString CarpetaPorDefecto() {
    const QString ejecucion = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!ejecucion.isEmpty() && QDir(ejecucion).exists())
        return ejecucion;
    // Sin carpeta de ejecución: la temporal, que es común a todos los usuarios.
    return QDir::tempPath();
}
} // namespace

InstanciaUnica::InstanciaUnica(const QString& nombre, const QString& carpeta) {
    const QString dir = carpeta.isEmpty() ? CarpetaPorDefecto() : carpeta;
    // El usuario va en el nombre: en una carpeta compartida cada uno tiene el suyo.
    archivo_ = QDir(dir).filePath(nombre + QLatin1Char('-') + UsuarioSistemaOperativo() +
                                  QLatin1String(".lock"));
}

InstanciaUnica::~InstanciaUnica() {
    Soltar();
}

bool InstanciaUnica::Tomar() {
    if (tomada_)
        return true;
    bloqueo_ = std::make_unique<QLockFile>(archivo_);
    // Un bloqueo de un proceso que ya no existe se considera vencido y se
    // retoma; uno vivo, nunca.
    bloqueo_->setStaleLockTime(0);
    tomada_ = bloqueo_->tryLock(0);
    if (!tomada_)
        bloqueo_.reset();
    return tomada_;
}

void InstanciaUnica::Soltar() {
    if (bloqueo_)
        bloqueo_->unlock();
    bloqueo_.reset();
    tomada_ = false;
}
