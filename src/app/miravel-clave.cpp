// Código de acceso del día para el control de versión (uso de la UDT).
//
//   miravel-clave [dd/mm/aaaa]      sin fecha: la de hoy
#include "CodigoAcceso.h"
#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList argumentos = QCoreApplication::arguments();
    if (argumentos.size() > 2) {
        std::fputs("uso: miravel-clave [dd/mm/aaaa]\n", stderr);
        return 2;
    }
    const QDate fecha =
        argumentos.size() == 2 ? FechaDesdeTexto(argumentos.at(1)) : QDate::currentDate();
    if (!fecha.isValid()) {
        std::fprintf(stderr, "Fecha inválida: %s (use dd/mm/aaaa)\n",
                     argumentos.at(1).toLocal8Bit().constData());
        return 2;
    }
    const QByteArray linea =
        (QStringLiteral("Código de acceso del ") + fecha.toString(QStringLiteral("dd/MM/yyyy")) +
         QStringLiteral(": ") + CodigoAccesoDelDia(fecha) + QLatin1Char('\n'))
            .toUtf8();
    std::fwrite(linea.constData(), 1, size_t(linea.size()), stdout);
    return 0;
}
