#pragma once
// La página actual del motor, pintada con trazos vectoriales a la escala del
// zoom (nítida a cualquier tamaño), centrada sobre un fondo gris con margen y
// sombra, y con barras de desplazamiento cuando no entra. Se vuelve a pintar
// cuando el motor cambia de página o de zoom.
#include <QAbstractScrollArea>
#include <QRectF>
#include <optional>

class MotorReporte;
struct HallazgoTexto;

class VistaPagina : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit VistaPagina(MotorReporte& motor, QWidget* padre = nullptr);

    // Resalta un texto encontrado (rectángulo en puntos de su página) y lo
    // deja a la vista; nullopt lo quita.
    void Resaltar(const std::optional<HallazgoTexto>& hallazgo);
    // Escala actual: píxeles por punto de la hoja.
    qreal Escala() const;
    // Dónde queda la hoja en el área visible, en píxeles.
    QRectF LugarHoja() const;

    static constexpr int Margen = 16;

protected:
    void paintEvent(QPaintEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void Actualizar();

    MotorReporte& motor_;
    int paginaResaltada_ = 0;
    QRectF resaltado_; // puntos
};
