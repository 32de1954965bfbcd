#pragma once
// Dónde está el archivo de un reporte. Las tres primeras letras del nombre
// dicen de qué sistema es (y en qué carpeta están sus reportes); se busca
// primero el formato 85 y después el 60. En cada formato se prueba la copia
// del servidor (o la copia local, si el puesto tiene la carpeta local de ese
// formato) y, si no está, la copia compartida de "Gda". Ningún paso que falla
// se informa: simplemente no tiene efecto.
#include <QString>
#include <QStringList>
#include <optional>

struct BusquedaReporte {
    QString ruta;                    // la última ruta asignada (ReportFileName)
    bool Formato85Encontrado = true; // falso si hubo que ir a la copia compartida del 85
    bool Formato60Encontrado = true; // ídem del 60
    std::optional<qint64> longitud;  // el último largo que se pudo leer
    QStringList buscadas;            // las rutas probadas, en orden

    // Se encontró si se pudo leer al menos un largo durante la búsqueda.
    bool Encontrado() const { return longitud.has_value(); }
};

// "MRV" (sin distinguir mayúsculas) es "Miravel"; cualquier otro prefijo, "GDA".
QString CarpetaSistema(const QString& archivo);

// La búsqueda completa bajo Glob().RutaSistema y la carpeta local.
BusquedaReporte UbicarReporte(const QString& archivo);

// raiz + sistema + "\Reportes\Formato" + formato + "\" + archivo, con el
// separador de la plataforma. Si la carpeta del sistema no está escrita
// igual se toma la que solo difiere en mayúsculas, como en Windows ("GDA" es
// la carpeta "Gda" de la instalación).
QString RutaReporte(const QString& raiz, const QString& sistema, const QString& formato,
                    const QString& archivo);

// Largo del archivo; nullopt si no existe o no es un archivo.
std::optional<qint64> LargoArchivo(const QString& ruta);

// Carpeta local del puesto: "C:\SarvoLocal" en Windows, /var/local/SarvoLocal
// en las demás plataformas. Las pruebas la cambian; vacía vuelve a la propia.
QString CarpetaLocal();
void FijarCarpetaLocal(const QString& carpeta);
