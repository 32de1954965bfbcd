#include "SarvoMain.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "ControlVersion.h"
#include "Dialogos.h"
#include "Equipo.h"
#include "Glob_Sarvo.h"
#include "InstanciaUnica.h"
#include "ParametrosArranque.h"
#include "SesionesDuplicadas.h"
#include "Usuarios.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <memory>

namespace {

const QString PieAdministrador = QStringLiteral("Contactarse con el Administrador del Sistema.");

QString& CarpetaInstancia() {
    static QString carpeta;
    return carpeta;
}

// El bloqueo vive lo que vive el proceso.
std::unique_ptr<InstanciaUnica>& Instancia() {
    static std::unique_ptr<InstanciaUnica> instancia;
    return instancia;
}

// Programa que se informa a la base al conectar ("miravel", "Miravel.exe").
QString NombreProgramaCliente() {
    const QString ruta = QCoreApplication::applicationFilePath();
    const QString nombre = QFileInfo(ruta).fileName();
    return nombre.isEmpty() ? NombreEjecutable() : nombre;
}

} // namespace

QString LineaDeComandos(int argc, const char* const* argv) {
    return ArgumentosDelProceso(argc, argv).join(QLatin1Char(' '));
}

void ObtenerNombrePC() {
    Glob().ServidorBase = QStringLiteral("server_sarvo");
    Glob().NombrePC = NombreEquipo();
}

QString ObtenerUsuarioWindows() {
    return UsuarioSistemaOperativo();
}

void FijarCarpetaInstancia(const QString& carpeta) {
    SoltarInstancia();
    CarpetaInstancia() = carpeta;
}

void SoltarInstancia() {
    Instancia().reset();
}

bool Main(const QString& lineaComandos) {
    auto& g = Glob();

    // Una sola copia por usuario del sistema operativo.
    if (!Instancia())
        Instancia() = std::make_unique<InstanciaUnica>(NombreEjecutable(), CarpetaInstancia());
    if (!Instancia()->Tomar()) {
        Instancia().reset();
        dialogos().MensajeSistema(QStringLiteral("La aplicación está activa"),
                                  QStringLiteral("Aviso"));
        return false;
    }

    // Reloj mientras dura el arranque; argumentos y nombre del equipo.
    dialogos().PonerPuntero(Puntero::Reloj);
    const QStringList argumentos = ObtenerArgumentos(lineaComandos, 10);
    ObtenerNombrePC();

    // Usuario, clave, carpeta de instalación y versión; del quinto argumento en
    // adelante no cuentan.
    const QString usuario = argumentos.value(1).toUpper();
    const QString clave = argumentos.value(2);
    g.RutaSistema = argumentos.value(3);
    g.VersionSistema = argumentos.value(4);
    g.UsuarioWindows = ObtenerUsuarioWindows();
    if (argumentos.size() < 5) {
        dialogos().MensajeSistema(QLatin1String("Los argumentos de ") + NombreEjecutable() +
                                      QLatin1String(" son incorrectos") + QLatin1Char('\r') +
                                      PieAdministrador,
                                  QStringLiteral("ERROR"));
        return false;
    }

    // Las tres conexiones. Cada una se presenta con el programa, el equipo, el usuario
    // del sistema operativo y el proceso, tal como los ve vis_conecciones.
    g.ModoConexion = 0;
    ConexionBase::IdentidadCliente(NombreProgramaCliente(), g.NombrePC, g.UsuarioWindows);
    const bool conectado = ConectarBase(g.Conexion, usuario, clave, g.ServidorBase) &&
                           ConectarBase(g.ConexionAuditoria, usuario, clave, g.ServidorBase) &&
                           ConectarBase(g.ConexionAuxiliar, usuario, clave, g.ServidorBase);
    if (conectado) {
        // La de auditoría pasa largos ratos sin usarse y sus sentencias se
        // confirman solas: antes de cada una se mira que siga viva, así la
        // salida cierra su fila aunque el servidor se haya reiniciado.
        g.ConexionAuditoria->PonerComprobarAntesDeUsar(true);
    } else {
        dialogos().MensajeSistema(
            QStringLiteral("No se puede realizar la conexión con el usuario: ") + usuario +
                QLatin1Char('\r') + PieAdministrador,
            QStringLiteral("ERROR"));
        return false;
    }

    // Usuario y parámetros, sesiones abandonadas y duplicadas, versión.
    if (!ValidarAcceso(usuario))
        return false;
    CargarParametrosSesion();
    CerrarSesionesAnteriores(usuario, g.UsuarioWindows);
    if (SesionDuplicada(usuario))
        return false;
    if (!ControlarVersion())
        return false;

    // La ventana principal la muestra quien llamó.
    return true;
}
