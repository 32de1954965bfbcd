#pragma once
// Ventana oculta de recursos: las imágenes de los botones estándar de toda la
// suite y el emblema alternativo de la provincia. Nunca se muestra; se carga
// la primera vez que alguien pide una imagen y la descarga la ventana
// principal al cerrarse.
#include <QIcon>
#include <QPixmap>
#include <QString>
#include <utility>
#include <vector>

class QWidget;

class frmResources {
public:
    static frmResources& Instancia(); // la carga si hace falta
    static bool Cargada();
    static void Descargar();

    // Imagen del botón de ese nombre (CmdCerrar, CmdGrabarItem, ...); vacía si no hay.
    QIcon Imagen(const QString& boton) const;
    bool TieneBoton(const QString& boton) const;
    QPixmap EmblemaAlternativo() const;

    // Botones estándar con su tooltip, en el orden en que se tratan.
    static const std::vector<std::pair<QString, QString>>& BotonesEstandar();

    ~frmResources();

private:
    frmResources();
    int idRegistro_ = 0;
};

// Aspecto estándar: cada botón de la ventana con un nombre de la tabla queda
// sin texto, con la imagen y el tooltip de la suite; CmdHerramientas además
// se oculta. Los nombres que la ventana no tiene se saltean.
void GetInfoResources(QWidget* ventana);
// Variante de las ventanas que editan renglones de detalle.
void GetInfoResourcesItem(QWidget* ventana);
// Letra de opciones, marcos y etiquetas "LBLLABELS" de una ventana de mantenimiento.
void SetInfoFontControles(QWidget* claseForm, const QString& tipoLetra, int tamano, bool negrita);

// Imágenes propias del programa (fondos, emblemas, barra): ":/imagenes/...".
void InicializarImagenes();
// Cada ventana de tarea toma al cargarse el aspecto estándar y los atajos de teclado.
void InstalarRecursosSuite();
