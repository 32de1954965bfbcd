#pragma once
// Juegos de botones de la ventana de mensajes y el valor que devuelve cada
// botón, como los conoce la suite.
#include <QString>
#include <vector>

namespace Boton {
inline constexpr int Aceptar = 1;
inline constexpr int Cancelar = 2;
inline constexpr int Abortar = 3;
inline constexpr int Reintentar = 4;
inline constexpr int Ignorar = 5;
inline constexpr int Si = 6;
inline constexpr int No = 7;
} // namespace Boton

// "Si" o "Aceptar": lo único que los llamadores toman como consentimiento.
inline bool Consiente(int respuesta) {
    return respuesta == Boton::Si || respuesta == Boton::Aceptar;
}

struct BotonDelJuego {
    int posicion; // 1..3: el lugar en la ventana, de izquierda a derecha
    QString caption;
    int valor;
};

// Botones del juego (TipoBotones 0..4) de izquierda a derecha; vacío si el
// juego no existe.
std::vector<BotonDelJuego> BotonesDelJuego(int tipoBotones);

// Valor del botón más a la derecha del juego: lo que devuelve la ventana
// cerrada sin elegir botón. Aceptar para un juego que no existe.
int ValorBotonDerecho(int tipoBotones);
