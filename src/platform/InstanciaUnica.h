#pragma once
// Una sola copia del programa por usuario del sistema operativo: un archivo
// de bloqueo en la carpeta de ejecución del usuario, retenido mientras el
// proceso vive. Si el proceso muere, el bloqueo se libera solo.
#include <QString>
#include <memory>

class QLockFile;

class InstanciaUnica {
public:
    // nombre: el del programa ("miravel"). carpeta vacía: la carpeta de
    // ejecución del usuario (o la temporal con el usuario en el nombre).
    explicit InstanciaUnica(const QString& nombre, const QString& carpeta = QString());
    ~InstanciaUnica();
    InstanciaUnica(const InstanciaUnica&) = delete;
    InstanciaUnica& operator=(const InstanciaUnica&) = delete;

    // Verdadero si esta es la única copia (el bloqueo queda tomado).
    bool Tomar();
    bool Tomada() const { return tomada_; }
    void Soltar();
    QString Archivo() const { return archivo_; }

private:
    QString archivo_;
    std::unique_ptr<QLockFile> bloqueo_;
    bool tomada_ = false;
};
