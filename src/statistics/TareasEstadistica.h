#pragma once
// Las diez tareas de estadística por código: la ventana que las hace y su
// título. Lo que entiende el despachador; cuáles ventanas ya existen lo sabe
// la biblioteca de ventanas.
#include <QString>
#include <optional>
#include <vector>

struct TareaEstadistica {
    int codigo;      // 101..110
    QString ventana; // "frmTipoCompra"
    QString caption; // "Tipos de Compra"
    QString reporte; // "MRV_TipoCompra.rpt", el de su "Imprimir Todo"
};

const std::vector<TareaEstadistica>& TareasEstadistica();
std::optional<TareaEstadistica> BuscarTareaEstadistica(int codigo);
// La tarea que imprime ese archivo de reporte (sin distinguir mayúsculas).
std::optional<TareaEstadistica> TareaDelReporte(const QString& archivo);
