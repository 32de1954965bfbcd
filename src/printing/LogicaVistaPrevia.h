#pragma once
// Lo que decide la vista previa (frmRptContenedor), sin pantalla: el texto
// de la página, el zoom de lo que dice la lista, el nombre que se propone
// para el PDF y la búsqueda de un texto, una aparición por vez.
#include "MotorReporte.h"
#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

class LogicaVistaPrevia {
public:
    // "100 %", "75 %", "50 %", "25 %", "Ancho de página", "Toda la página".
    static const QStringList& ListaZoom();
    // texto sin ninguna aparición de caracter (un carácter); el resto en su orden.
    static QString EliminarCaracter(const QString& texto, const QString& caracter);
    // "Página:" + actual + " de " + total, sin blanco después de los dos puntos.
    static QString TextoPagina(int actual, int total);
    // "Ancho de página" 1, "Toda la página" 2; otro texto, sin "%", como
    // número entero ("75 %" da 75, un texto sin cifras 0). Lo que no entra
    // en 16 bits se lleva al extremo; el motor lo acota a su rango.
    static qint16 CodigoZoom(const QString& texto);
    // Lo que la lista muestra para un código de zoom.
    static QString TextoZoom(qint16 codigo);
    // Título y fecha, sin caracteres que un nombre de archivo no admite:
    // "Tipos de Compra 15-03-2024.pdf".
    static QString NombrePdf(const QString& titulo, const QDate& fecha);

    // Pide el texto (con el último ya escrito) y va a su próxima aparición:
    // el mismo texto sigue desde la anterior; otro empieza de nuevo. Si no hay
    // más lo dice, y la próxima búsqueda vuelve a empezar. nullopt si no
    // encontró o se canceló.
    std::optional<HallazgoTexto> BuscarSiguiente(const MotorReporte& motor);
    // La aparición que se muestra resaltada.
    const std::optional<HallazgoTexto>& Resaltado() const { return resaltado_; }
    QString TextoBuscado() const { return texto_; }

private:
    QString texto_;
    std::optional<HallazgoTexto> resaltado_;
};
