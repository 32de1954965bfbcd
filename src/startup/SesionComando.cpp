#include "SesionComando.h"
#include "Conexiones.h"
#include "Equipo.h"
#include "Glob_Sarvo.h"
#include "ParametrosArranque.h"
#include "Usuarios.h"

bool AbrirSesionComando(const QString& programa, const QString& usuario, const QString& clave) {
    PrepararComandoSinPantalla(programa);
    auto& g = Glob();
    g.NombrePC = NombreEquipo();
    g.UsuarioWindows = UsuarioSistemaOperativo();
    const QString nombre = usuario.toUpper();
    if (!ConectarBase(g.Conexion, nombre, clave, g.ServidorBase))
        return false;
    if (!ValidarAcceso(nombre))
        return false;
    CargarParametrosSesion(); // tiempo de espera de los reportes y seguimiento
    return true;
}
