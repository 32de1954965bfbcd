#pragma once
// Servicios de tareas para el marco de mantenimiento: datos de una tarea y
// pedido de su clave. Sin ventanas: la ventana de clave llega por PedidoClave
// (la de verdad, frmClaveTarea, está en la biblioteca de ventanas).
#include <QString>

// Lo que DatosTarea lee de vis_tareas y de hayClaveTarea.
// tipoAuditoria: nulo o "N" -> 0, "D" -> 1, "S" -> 2; otro valor no lo cambia.
// Falso si la tarea no existe o si una consulta falló (el error ya se mostró).
bool DatosTarea(const QString& sistema, const QString& tarea, QString& descripcion,
                int& tipoAuditoria, bool& hayClave);

// Los intentos de clave de una ventana de clave: tres como mucho.
class IntentosClave {
public:
    enum class Resultado {
        Aceptada,   // la ventana se oculta aceptada
        Incorrecta, // mensaje 86; el foco vuelve a la clave
        Rechazada,  // mensaje 86 por tercera vez; la ventana se oculta rechazada
    };
    static constexpr int MaximoIntentos = 3;

    IntentosClave(const QString& sistema, const QString& tarea);

    // Prueba la clave tipeada contra claveTareaCorrecta.
    Resultado Probar(const QString& clave);
    bool Aceptada() const { return aceptada_; }
    // La ventana ya no pide más: aceptada, tres veces incorrecta o cerrada.
    bool Terminado() const { return terminado_; }
    void Cerrar() { terminado_ = true; } // caja de control: se oculta sin aceptar
    int Intentos() const { return intentos_; }

    // Sentencia que evalúa la clave: la clave va entre comillas con las
    // comillas internas duplicadas, así ningún carácter cambia la sentencia.
    static QString SentenciaClave(const QString& sistema, const QString& tarea,
                                  const QString& clave);

private:
    QString sistema_;
    QString tarea_;
    int intentos_ = 0;
    bool aceptada_ = false;
    bool terminado_ = false;
};

// La ventana de clave tal como la ve quien la pide. La de Qt es frmClaveTarea;
// las pruebas ponen otra que tipea claves de un guion.
class PedidoClave {
public:
    virtual ~PedidoClave() = default;
    // Muestra la ventana en forma modal con ese título; cada clave confirmada
    // con Enter va a intentos.Probar. Vuelve cuando la ventana se oculta.
    virtual void Mostrar(const QString& sistema, const QString& tarea, const QString& titulo,
                         IntentosClave& intentos) = 0;
};

// Verdadero si la tarea no pide clave o si se dio la clave correcta. Tras un
// rechazo (tres claves incorrectas o la ventana cerrada) la fila de auditoría
// rowIdAuditoria queda cerrada con estado "R", salvo en tareas de auditoría 2.
bool PedirClaveTarea(const QString& sistema, const QString& tarea, const QString& titulo,
                     const QString& rowIdAuditoria, PedidoClave& ventana);
