#pragma once
// Única puerta de la lógica hacia la pantalla: ventana de mensajes, caja de
// mensajes del sistema, caja de entrada, puntero del mouse y portapapeles.
// La interfaz Qt la implementa; las pruebas la reemplazan por un guion.
#include <QString>
#include <optional>

// Valores del puntero del mouse, como los conoce el sistema.
enum class Puntero { Defecto = 0, Flecha = 1, Reloj = 11 };

// Lo que recibe la ventana de mensajes (frmMsgBox) antes de mostrarse.
struct PedidoMensaje {
    QString Mensaje;
    QString titulo;
    int TipoBotones = 0;           // juego de botones 0..4
    int DefaultBotones = 0;        // 0, 256 o 512
    int TipoMensaje = 16;          // 16, 32, 48 o 64
    QString TextoBotones;          // "" o leyendas separadas por coma
    QString Textohelp;             // se guarda, nunca se muestra
    bool aceptarConAcceso = false; // MostrarMensaje: el único botón dice "&Aceptar"
};

class Dialogos {
public:
    virtual ~Dialogos() = default;
    // Muestra frmMsgBox en forma modal y devuelve su Resultado.
    virtual int VentanaMensaje(const PedidoMensaje& pedido) = 0;
    // Caja de mensajes del sistema: ícono crítico y un botón Aceptar.
    virtual void MensajeSistema(const QString& texto, const QString& titulo) = 0;
    // Caja de mensajes del sistema solo con el botón Aceptar: sin ícono y con
    // el título del programa.
    virtual void AvisoSistema(const QString& texto) { MensajeSistema(texto, QString()); }
    // Caja de entrada; nullopt si el usuario cancela.
    virtual std::optional<QString> PedirTexto(const QString& pregunta, const QString& titulo,
                                              const QString& valorInicial) = 0;
    virtual Puntero PunteroActual() const = 0;
    virtual void PonerPuntero(Puntero puntero) = 0;
    virtual void CopiarTexto(const QString& texto) = 0;
};

// Los diálogos en vigor. Sin instalar, se usan los de consola, que escriben
// cada mensaje como una línea "MENSAJE <titulo>: <texto>" en la salida.
Dialogos& dialogos();
void InstalarDialogos(Dialogos* nuevos); // nullptr vuelve a los de consola

// Recuerda el puntero al construirse, pone otro y lo restituye al destruirse.
class PunteroTemporal {
public:
    explicit PunteroTemporal(Puntero mientras);
    ~PunteroTemporal();
    PunteroTemporal(const PunteroTemporal&) = delete;
    PunteroTemporal& operator=(const PunteroTemporal&) = delete;

private:
    Puntero anterior_;
};
