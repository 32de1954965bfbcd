#pragma once
// Menú contextual y teclas de cada gráfico: copiar y guardar la imagen,
// copiar, exportar y ver los datos. Lo pone el marco en todas sus vistas.
#include "LibroXlsx.h"
#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QDialog;
class QMenu;
class VistaGrafico;

class AccionesGrafico : public QObject {
    Q_OBJECT

public:
    // encabezado: título de la estadística y municipalidad para el XLSX.
    // antes: se consulta antes de copiar o exportar; falso cancela (la ventana
    // pregunta ahí si actualizar las cifras a la fecha de la caja).
    AccionesGrafico(VistaGrafico* vista, std::function<EncabezadoLibro()> encabezado,
                    std::function<bool()> antes = {});

    QAction* CopiarImagen() const { return copiarImagen_; }
    QAction* GuardarImagen() const { return guardarImagen_; }
    QAction* CopiarDatos() const { return copiarDatos_; }
    QAction* ExportarDatos() const { return exportarDatos_; }
    QAction* VerDatos() const { return verDatos_; }
    // El menú como se muestra con el botón derecho (o la tecla de menú).
    QMenu* Menu() const { return menu_; }

    // Lo que hacen las acciones una vez elegido el archivo; falso si no se
    // pudo (el motivo ya se mostró).
    bool GrabarImagen(const QString& ruta);
    bool GrabarDatos(const QString& ruta);
    // La ventana de "Ver datos" abierta, si la hay.
    QDialog* VentanaDatos() const { return ventanaDatos_; }

    // Quién elige el archivo (las pruebas lo reemplazan): recibe la ruta
    // sugerida (la última carpeta usada y un nombre) y devuelve la elegida,
    // vacía si se cancela, con el filtro elegido en *filtro. Un nombre sin la
    // extensión de un tipo ofrecido recibe la del tipo elegido. Nulo: el de Qt.
    using ElegirArchivo = std::function<QString(const QString& titulo, const QString& filtros,
                                                const QString& sugerido, QString* filtro)>;
    static void PonerElegirArchivo(ElegirArchivo elegir);

private:
    void MostrarDatos();
    // El archivo elegido con su extensión; vacío si se canceló.
    QString Elegir(const QString& titulo, const QString& filtros, const QString& extension);

    VistaGrafico* vista_;
    std::function<EncabezadoLibro()> encabezado_;
    std::function<bool()> antes_;
    QAction* copiarImagen_;
    QAction* guardarImagen_;
    QAction* copiarDatos_;
    QAction* exportarDatos_;
    QAction* verDatos_;
    QMenu* menu_;
    QPointer<QDialog> ventanaDatos_;
};
