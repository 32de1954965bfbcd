#pragma once
// Lógica de frmMsgBox sin widgets: botones del juego, leyendas, botón por
// defecto, ícono, errores de definición de la fila y medidas en twips.
#include "Dialogos.h"
#include <QString>
#include <QStringList>
#include <array>

// 1440 twips por pulgada: a 96 ppp, 15 twips son un píxel.
inline int TwipsAPixeles(int twips, double ppp = 96.0) {
    return qRound(twips * ppp / 1440.0);
}

struct BotonMsgBox {
    bool visible = false;
    QString caption;
    int valor = 0; // el tag: lo que devuelve el botón
    int left = 0;  // twips
    int top = 0;
    int width = 0;
    int height = 0;
};

class ModeloMsgBox {
public:
    // Medidas de diseño, en twips.
    static constexpr int AnchoCliente = 3990;
    // Height de la ventana incluye título y bordes; el área cliente es lo demás.
    static constexpr int AltoMarco = 390;
    static constexpr int RotuloLeft = 700;
    static constexpr int RotuloTop = 264;
    static constexpr int RotuloAnchoMaximo = 2800;
    static constexpr int AltoLineaRotulo = 180; // un renglón de Arial 7,5
    static constexpr int IconoLeft = 120;
    static constexpr int IconoTop = 216;
    static constexpr int IconoLado = 384;

    static inline const QString ErrorJuegoBotones =
        QStringLiteral("Error en la definición del Error en la Tabla ERROR_DB");
    static inline const QString ErrorBotonDefecto =
        QStringLiteral("Error en el default de Boton para este Error de tabla ERROR_VB");

    // Carga: botones, leyendas, ícono y botón por defecto.
    explicit ModeloMsgBox(const PedidoMensaje& pedido);

    const PedidoMensaje& Pedido() const { return pedido_; }
    const BotonMsgBox& Boton(int indice) const { return botones_.at(size_t(indice - 1)); } // 1..3
    int Ranura(int orden) const {
        return ranuras_.at(size_t(orden - 1));
    }                                                // botón en la ranura; 0 vacía
    int BotonPorDefecto() const { return default_; } // 1..3
    // Textos para la caja de mensajes del sistema, en el orden en que se detectan.
    const QStringList& ErroresDefinicion() const { return errores_; }
    int Imagen() const { return imagen_; } // 1..4 de la lista de imágenes; 0 sin ícono

    // Activación: con el alto del rótulo ya medido fija el alto de la ventana
    // y el top de los botones.
    void Activar(int altoRotulo);
    int Alto() const { return alto_; } // con título y bordes
    int AltoCliente() const { return alto_ - AltoMarco; }
    // Valor del botón visible más a la derecha (cerrar sin botón); 1 si no hay.
    int ResultadoPreseleccionado() const;

    static int CantidadDeLineas(const QString& texto);
    static QString Tooltip(const QString& texto);

private:
    void PonerBoton(int indice, const QString& caption, int valor);

    PedidoMensaje pedido_;
    std::array<BotonMsgBox, 3> botones_;
    std::array<int, 3> ranuras_{0, 0, 0};
    int default_ = 1;
    int imagen_ = 0;
    int alto_ = 0;
    QStringList errores_;
};
