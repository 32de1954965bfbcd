#pragma once
// Reglas de MyTextBox y MyPasswordChar sin ventanas: máscara de posiciones
// fijas, caracteres válidos, máscara de salida y qué hacer con cada tecla.
// Solo depende de QtCore; los controles la usan y las pruebas la ejercitan
// directamente. Las posiciones de los métodos públicos se cuentan desde 1.
#include <QString>
#include <functional>
#include <optional>
#include <vector>

// Las dos cajas de texto comparten casi todo; la de clave es la más vieja.
enum class VarianteCaja { MyTextBox, MyPasswordChar };

enum class MovimientoFoco { Adelante, Atras };

// Los contadores de 16 bits del control limitaban textos y máscaras a este
// largo; lo que lo supera se rechaza como un texto inválido.
inline constexpr qsizetype LargoMaximoTexto = 32767;

// Caracteres aceptados desde el teclado cuando nadie cambia KeysValidos.
QString KeysValidosPorDefecto();

// Códigos de tecla como los conoce el sistema.
namespace Tecla {
inline constexpr int Retroceso = 8;
inline constexpr int Enter = 13;
inline constexpr int SaltoLinea = 10;
inline constexpr int Izquierda = 37;
inline constexpr int Derecha = 39;
inline constexpr int Suprimir = 46;
} // namespace Tecla

// Código de tecla (KeyDown/KeyUp) de una tecla de Qt; 0 si no tiene.
int CodigoTeclaDesdeQt(int teclaQt, bool tecladoNumerico);
// Estado de mayúsculas, control y alternativa (1, 2, 4) de los modificadores de Qt.
int ShiftDesdeQt(int modificadoresQt);
// Carácter (KeyPress) que produce una tecla de Qt con su texto; 0 si no produce ninguno.
int CaracterDesdeQt(int teclaQt, int modificadoresQt, const QString& texto);

class LogicaTexto {
public:
    explicit LogicaTexto(VarianteCaja variante = VarianteCaja::MyTextBox);

    VarianteCaja variante;
    QString Mask;
    QString MaskSalida;
    QString Separador;
    QString KeysValidos;
    int TypeMyTextBox = 0; // 0 nada, 1 adelante, 2 adelante y atrás, 3 atrás
    bool AplicaMaskSiempre = false;
    int MaxLength = 0; // 0: sin límite
    bool MultiLine = false;

    // Métodos públicos del control.
    static bool Blancos(const QString& cadena);
    bool PosicionEnmascarada(qsizetype posicion) const;
    qsizetype AnteriorPosicionSinMascara(qsizetype posicion) const;
    qsizetype ProximaPosicionSinMascara(qsizetype posicion, qsizetype largo) const;
    static QString CambiarLetra(const QString& cadena, const QString& caracter, qsizetype posicion);
    bool CaracterValido(QChar caracter, bool admiteEnter, qsizetype posicion) const;
    bool HayCaracteresInvalidos(const QString& cadena, bool admiteEnter) const;
    // cadena y mascara se completan con blancos en el lugar, como las usa el control.
    static QString AplicoMascara(QString& cadena, QString& mascara, qsizetype maxlen);
    bool IsNumeric() const;

    // Reglas derivadas.
    bool TieneMascara() const { return !Blancos(Mask); }
    bool AdmiteEnter() const { return variante == VarianteCaja::MyTextBox && MultiLine; }
    // Un texto que el control acepta (Text escrito de afuera o cambio de Texto).
    bool TextoAceptable(const QString& texto) const;
    // Texto que queda al salir el foco (máscara de salida).
    QString TextoSalida(const QString& texto) const;
    // Texto que toma Texto al cambiar la máscara; nullopt si no cambia.
    // vaciarAntes: el resultado no es válido y Texto se vacía primero.
    struct TextoMascara {
        QString texto;
        bool vaciarAntes = false;
    };
    std::optional<TextoMascara> TextoAlPonerMascara(const QString& actual) const;

    // Cambio de Texto con el texto aceptado antes.
    struct Cambio {
        QString aceptado;        // el texto aceptado desde ahora
        bool reescribir = false; // Texto debe tomar "aceptado"
        bool alzarChange = true;
    };
    Cambio CambioDeTexto(const QString& nuevo, const QString& aceptadoAntes) const;

    // Estado de la edición: texto, posición del cursor (desde 0) y largo de la selección.
    struct Edicion {
        QString texto;
        qsizetype inicio = 0;
        qsizetype largoSeleccion = 0;
    };

    enum class Accion {
        Descartar, // la tecla no llega a Texto
        Procesar,  // Texto procesa "tecla" como siempre (insertar, borrar)
        Reemplazar // Texto toma "texto" y el cursor va a "cursor" (sobrescritura con máscara)
    };
    struct ResultadoTecla {
        Accion accion = Accion::Procesar;
        int tecla = 0;
        QString texto;
        qsizetype cursor = 0;
        std::vector<MovimientoFoco> focos; // movimientos de foco, después de la tecla
    };
    // Tecla de carácter (KeyPress). alzarKeyPress recibe la tecla por referencia.
    ResultadoTecla TeclaPresionada(const Edicion& edicion, int tecla,
                                   const std::function<void(int&)>& alzarKeyPress = {}) const;

    struct ResultadoTeclaAbajo {
        bool descartar = false;
        std::vector<MovimientoFoco> focos;
    };
    // Tecla bajada (KeyDown), con el código que dejó el manejador del evento.
    ResultadoTeclaAbajo TeclaAbajo(const Edicion& edicion, int codigo) const;

private:
    bool CaracterValido(QChar caracter, bool admiteEnter, qsizetype posicion,
                        bool conMascara) const;
    void TeclaConMascara(const Edicion& edicion, ResultadoTecla& r) const;
};
