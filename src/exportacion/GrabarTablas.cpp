#include "GrabarTablas.h"
#include "ArchivoSalida.h"
#include "TextoTablas.h"
#include <QFileInfo>

namespace {
QString Extension(const QString& ruta) {
    return QFileInfo(ruta).suffix().toLower();
}
} // namespace

bool EsArchivoDeDatos(const QString& ruta) {
    const QString e = Extension(ruta);
    return e == QLatin1String("csv") || e == QLatin1String("xlsx");
}

bool GrabarTablas(const QString& ruta, const EncabezadoLibro& encabezado,
                  const std::vector<TablaDatos>& tablas, QString* error) {
    const QString e = Extension(ruta);
    if (e == QLatin1String("xlsx"))
        return LibroXlsx::Escribir(ruta, encabezado, tablas, error);
    if (e != QLatin1String("csv")) {
        if (error)
            *error = QStringLiteral("El archivo %1 no es .csv ni .xlsx").arg(ruta);
        return false;
    }
    // Todo o nada: un archivo a medio grabar no reemplaza al anterior.
    return ArchivoSalida::Grabar(ruta, TextoTablas::Csv(tablas), error);
}
