#pragma once
// Conexión ODBC al origen de datos "Oracle". Guarda la lista de errores del
// último fallo (como la colección Errors de ADO) y adapta, por medio de su
// dialecto, el texto enviado y los errores recibidos.
#include "CadenaConexion.h"
#include "Recordset.h"
#include <QString>
#include <functional>
#include <memory>
#include <vector>

class Dialecto;
struct SentenciaAdaptada;

struct ErrorBase {
    long numero = 0;  // número del proveedor (error nativo que informa el driver)
    long nativo = 0;  // número Oracle equivalente (1, 942, 1017, 20113, ...); -1 sin equivalente
    QString sqlstate; // "23505", "U0113", ...
    QString descripcion;
};

class ConexionBase {
public:
    ConexionBase();
    ~ConexionBase(); // deshace la transacción abierta y cierra
    ConexionBase(const ConexionBase&) = delete;
    ConexionBase& operator=(const ConexionBase&) = delete;

    // Abre con una cadena de conexión del sistema ("Provider=MSDASQL;;DSN=...;UID=...;PWD=...").
    // Los valores entre llaves se toman literalmente (ver CitarValorOdbc).
    // Falso si no abrió: Errores() tiene el motivo.
    bool Abrir(const QString& cadenaConexion);
    bool Abierta() const;
    // La cadena de la última apertura (la que falló, si falló).
    const QString& CadenaConexion() const { return cadena_; }
    void Cerrar(); // rollback y desconexión; sin efecto si no está abierta

    // Se perdió la sesión con el servidor (se detuvo, terminó la sesión o se
    // cortó la comunicación): lo dice un fallo. Lo no confirmado se perdió con ella.
    bool Perdida() const { return perdida_; }
    // Vuelve a abrir con la misma cadena, inicia la transacción, corre la
    // preparación y repite el último SET ROLE que se ejecutó. Falso: sigue
    // perdida y Errores() dice por qué.
    bool Reabrir();
    // Lo que Reabrir corre después de abrir (las sentencias de sesión).
    void PonerPreparacion(std::function<bool(ConexionBase&)> preparar);
    // Pregunta al servidor si la sesión sigue viva (una consulta mínima que
    // no pasa por los registros). Si no, queda perdida.
    bool Responde();
    // Para una conexión cuyas sentencias se confirman cada una (la de
    // auditoría): antes de usarla se comprueba que siga viva.
    void PonerComprobarAntesDeUsar(bool comprobar) { comprobarAntesDeUsar_ = comprobar; }
    bool ComprobarAntesDeUsar() const { return comprobarAntesDeUsar_; }

    // Transacción manual: desde aquí cada cambio espera un COMMIT explícito.
    bool IniciarTransaccion();
    bool Confirmar(); // commit
    bool Deshacer();  // rollback
    // Después de las sentencias de sesión de ParametrosBase. Con Oracle no hace
    // nada; con un gestor que las deshace junto con la transacción (el
    // sustituto) las confirma, así un ROLLBACK posterior no las pierde.
    bool AsentarParametrosSesion();

    // Sentencia sin filas (Connection.Execute). Falso: ver Errores().
    bool Ejecutar(const QString& sql);
    // Llamada a un procedimiento almacenado "nombre(args)"; el resultado se descarta.
    bool EjecutarProcedimiento(const QString& llamada);
    // Consulta: todas las filas se leen al abrir. Falso: ver Errores().
    bool Consultar(const QString& sql, Recordset& rs);

    const std::vector<ErrorBase>& Errores() const { return errores_; }
    void LimpiarErrores() { errores_.clear(); }

    // Nombre del gestor que informa el driver ("PostgreSQL", "Oracle").
    QString NombreGestor() const;
    const Dialecto& dialecto() const;

    // Identidad que la conexión informa al servidor al abrir (programa, nombre
    // del equipo y usuario del sistema operativo; vacío: el valor del proceso).
    static void IdentidadCliente(const QString& programa, const QString& terminal = {},
                                 const QString& usuarioSo = {});
    // "programa;terminal;usuario_so;pid", recortado a 63 bytes.
    static QString AplicacionCliente();

    // Sentencias que Ejecutar, EjecutarProcedimiento y Consultar enviaron al
    // servidor en todo el proceso, por cualquier conexión.
    static qint64 SentenciasEnviadas();

private:
    struct Odbc;
    bool Conectar(const QString& cadenaConexion);
    bool EjecutarAdaptada(const SentenciaAdaptada& sentencia, Recordset* rs);
    bool EjecutarPaso(const SentenciaAdaptada& paso, Recordset* rs); // uno de sus pasos
    // Corre el paso; una excepción queda anotada como error y da falso.
    bool Protegido(const QString& queHacia, const std::function<bool()>& paso);
    void AnotarDiagnosticos(short tipoHandle, void* handle, bool enBloque, bool alAbrir = false);
    void AnotarError(const QString& sqlstate, const QString& descripcion, long nativo = -1,
                     long numero = 0);
    bool Conectada();                     // si no, anota el error
    bool TerminarTransaccion(short tipo); // SQL_COMMIT o SQL_ROLLBACK, ya conectada
    bool Resultado(bool ok);              // tras un fallo, mira si se perdió la sesión
    std::unique_ptr<Odbc> odbc_;
    std::unique_ptr<Dialecto> dialecto_;
    std::vector<ErrorBase> errores_;
    QString cadena_; // la de la última apertura, para Reabrir
    std::function<bool(ConexionBase&)> preparar_;
    QString rol_; // último SET ROLE ejecutado con éxito
    bool perdida_ = false;
    bool comprobarAntesDeUsar_ = false;
};
