#pragma once
// El pedido de impresión de una ventana de estadística, como datos: título,
// archivo del reporte y, en orden, las fórmulas y la sentencia que manda al
// módulo de impresión entre IniciarReporte y ImprimirReporte. El marco lo
// recorre; cada ventana declara solo el suyo.
#include <QString>
#include <vector>

struct PasoImpresion {
    enum class Tipo {
        Formula, // AgregarFormula(texto), el texto tal cual
        Consulta // AsignarConsultaReporte(texto); vacío borra la del reporte
    };
    Tipo tipo = Tipo::Formula;
    QString texto;

    bool operator==(const PasoImpresion&) const = default;
};

struct PedidoImpresion {
    QString titulo;  // "Tipos de Compra"
    QString archivo; // "MRV_TipoCompra.rpt"
    std::vector<PasoImpresion> pasos;
    // Las ventanas que solo imprimen generan y confirman antes, y no imprimen
    // si eso falla; las de gráficos imprimen lo que las tablas ya tienen.
    bool generarAntes = false;

    void Formula(const QString& texto) { pasos.push_back({PasoImpresion::Tipo::Formula, texto}); }
    void Consulta(const QString& texto) { pasos.push_back({PasoImpresion::Tipo::Consulta, texto}); }
};
