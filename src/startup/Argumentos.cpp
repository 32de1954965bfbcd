#include "Argumentos.h"

namespace {

bool EsSeparador(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

} // namespace

QStringList ObtenerArgumentos(const QString& lineaComandos, int MaxArgumentos) {
    QStringList argumentos{QString()};
    bool abierto = false;
    for (const QChar c : lineaComandos) {
        if (EsSeparador(c)) {
            abierto = false;
            continue;
        }
        if (!abierto) {
            // Empieza un argumento más de los permitidos: el resto se ignora.
            if (argumentos.size() - 1 >= MaxArgumentos)
                break;
            argumentos.append(QString());
            abierto = true;
        }
        argumentos.last().append(c);
    }
    return argumentos;
}
