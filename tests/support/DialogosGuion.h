#pragma once
// Diálogos falsos para pruebas: anotan todo lo que se mostraría y responden
// según un guion de valores de botón.
#include "Dialogos.h"
#include <QStringList>
#include <deque>
#include <vector>

class DialogosGuion : public Dialogos {
public:
    DialogosGuion();           // se instala
    ~DialogosGuion() override; // vuelve a los de consola

    int VentanaMensaje(const PedidoMensaje& pedido) override;
    void MensajeSistema(const QString& texto, const QString& titulo) override;
    void AvisoSistema(const QString& texto) override { avisosSistema << texto; }
    std::optional<QString> PedirTexto(const QString& pregunta, const QString& titulo,
                                      const QString& valorInicial) override;
    Puntero PunteroActual() const override { return puntero; }
    void PonerPuntero(Puntero p) override;
    void CopiarTexto(const QString& texto) override { portapapeles = texto; }

    // Respuestas de la ventana de mensajes, en orden; sin respuesta, la del
    // botón de la derecha (cerrar con la caja de control).
    std::deque<int> respuestas;
    std::deque<std::optional<QString>> textos; // respuestas de PedirTexto

    std::vector<PedidoMensaje> mensajes; // ventanas de mensajes mostradas
    QStringList mensajesSistema;         // "titulo: texto"
    QStringList avisosSistema;           // cajas sin ícono ni título propio
    QStringList preguntas;
    std::vector<Puntero> punteros; // historia de punteros puestos
    Puntero puntero = Puntero::Defecto;
    QString portapapeles;

    // Textos de las ventanas de mensajes, en orden.
    QStringList Textos() const;
};
