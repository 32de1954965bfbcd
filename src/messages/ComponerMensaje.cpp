#include "ComponerMensaje.h"

std::optional<QString> ComponerMensaje(const QString& mensaje, const QStringList& parametros) {
    const QChar marca = QLatin1Char('@');
    if (parametros.isEmpty()) {
        if (mensaje.contains(marca))
            return std::nullopt;
        return mensaje;
    }
    QString texto = mensaje;
    if (!texto.contains(marca))
        texto += QLatin1String("\r\n") + marca;
    // Antes de la marca reemplazada no quedan otras: se sigue buscando desde ahí.
    qsizetype desde = 0;
    for (const QString& p : parametros) {
        const qsizetype i = texto.indexOf(marca, desde);
        if (i < 0)
            break;
        texto.replace(i, 1, p);
        desde = i;
    }
    return texto;
}
