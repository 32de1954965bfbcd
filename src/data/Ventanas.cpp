#include "Ventanas.h"
#include "Logs.h"
#include <algorithm>

RegistroVentanas& RegistroVentanas::instancia() {
    static RegistroVentanas registro;
    return registro;
}

int RegistroVentanas::Unirse(const QString& nombre, Descargar descargar, Repintar repintar) {
    const int id = proximoId_++;
    ventanas_.push_back(Entrada{id, nombre, std::move(descargar), std::move(repintar)});
    return id;
}

void RegistroVentanas::Salir(int id) {
    auto it = std::find_if(ventanas_.begin(), ventanas_.end(),
                           [id](const Entrada& e) { return e.id == id; });
    if (it != ventanas_.end())
        ventanas_.erase(it);
}

QStringList RegistroVentanas::Nombres() const {
    QStringList nombres;
    nombres.reserve(qsizetype(ventanas_.size()));
    for (const auto& e : ventanas_)
        nombres << e.nombre;
    return nombres;
}

QString RegistroVentanas::Ultima() const {
    return ventanas_.empty() ? QString() : ventanas_.back().nombre;
}

QString RegistroVentanas::Anteultima() const {
    return ventanas_.size() < 2 ? QString() : ventanas_[ventanas_.size() - 2].nombre;
}

void RegistroVentanas::DescargarTodasMenosPrimera() {
    // Al cerrarse, una ventana suele salir del registro por su cuenta: se
    // trabaja sobre una copia de los identificadores y se quita cada una
    // después de su descarga por si no lo hizo.
    std::vector<int> ids;
    for (std::size_t i = ventanas_.size(); i > 1; --i)
        ids.push_back(ventanas_[i - 1].id);
    for (int id : ids) {
        auto it = std::find_if(ventanas_.begin(), ventanas_.end(),
                               [id](const Entrada& e) { return e.id == id; });
        if (it == ventanas_.end())
            continue;
        Descargar descargar = it->descargar;
        const QString nombre = it->nombre;
        if (descargar) {
            try {
                descargar();
            } catch (...) {
                AnotarExcepcion(QStringLiteral("Descarga de la ventana ") + nombre);
            }
        }
        Salir(id);
    }
}

void RegistroVentanas::RepintarUltimas(int cantidad) {
    // Copia: repintar no debe cambiar el registro, pero no se confía en eso.
    std::vector<std::pair<QString, Repintar>> ultimas;
    for (std::size_t i = ventanas_.size(); i > 0 && int(ultimas.size()) < cantidad; --i)
        ultimas.emplace_back(ventanas_[i - 1].nombre, ventanas_[i - 1].repintar);
    for (const auto& [nombre, repintar] : ultimas) {
        if (!repintar)
            continue;
        try {
            repintar();
        } catch (...) {
            AnotarExcepcion(QStringLiteral("Repintado de la ventana ") + nombre);
        }
    }
}

void RegistroVentanas::Vaciar() {
    ventanas_.clear();
}
