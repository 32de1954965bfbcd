#pragma once
// Estado de la sesión: valores de todo el proceso que fija el arranque y
// leen los demás módulos.
#include <QString>
#include <memory>

class ConexionBase;

struct EstadoSesion {
    EstadoSesion();
    ~EstadoSesion();
    EstadoSesion(EstadoSesion&&) noexcept;
    EstadoSesion& operator=(EstadoSesion&&) noexcept;

    QString UsuarioActual;
    QString ClaveBase;
    qint16 CodUsuario = 0;
    QString TipoUsuario;
    QString UsuarioWindows;
    QString NombrePC;
    QString RutaSistema; // termina con el separador
    QString VersionSistema;
    QString ServidorBase;
    qint32 ModoConexion = 0;
    QString CadenaConexion;
    QString CadenaConexionODBC;

    std::unique_ptr<ConexionBase> Conexion;
    std::unique_ptr<ConexionBase> ConexionAuditoria;
    std::unique_ptr<ConexionBase> ConexionAuxiliar;

    QString OwnerSarvo = QStringLiteral("OWNER_SARVO");
    QString Municipalidad;
    QString RptOrganismo;
    QString RptNombreOrg;
    qint32 ColorLabel = 0;
    qint16 TimerABM = 0;
    qint32 TimeoutRpt = 0;
    qint32 TimeoutSql = 1;
    bool SeguimientoSql = false;
    QString RowIdAuditoria;
    qint16 EjercicioActual = 0;
    QString TareaActual;

    // Mensajes y errores
    QString UltimoMensaje;
    qint32 UltimoErrorNativo = 0;
    QString MarcaErrorSeguimiento;
    qint64 ContadorSeguimiento = 0;
    bool AvisoRegistrosSinEscribir = false; // ya se avisó: los registros no se escriben
    bool AvisoCodigoSinClave = false;       // ya se anotó: la base no comprueba con clave
};

// El estado del proceso. Las pruebas lo reemplazan con Glob() = EstadoSesion().
EstadoSesion& Glob();
