#include "Glob_Sarvo.h"
#include "ConexionBase.h"

EstadoSesion::EstadoSesion() = default;
EstadoSesion::~EstadoSesion() = default;
EstadoSesion::EstadoSesion(EstadoSesion&&) noexcept = default;
EstadoSesion& EstadoSesion::operator=(EstadoSesion&&) noexcept = default;

EstadoSesion& Glob() {
    static EstadoSesion estado;
    return estado;
}
