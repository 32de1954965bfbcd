#include "Rutas.h"
#include <QDir>

QString RutaNativa(const QString& ruta) {
    QString r = ruta;
    r.replace(QLatin1Char('\\'), QDir::separator());
    return r;
}
