#include "LogicaInicio.h"
#include <QLocale>

#ifndef MIRAVEL_VERSION_MAYOR
#define MIRAVEL_VERSION_MAYOR 1
#define MIRAVEL_VERSION_MENOR 0
#define MIRAVEL_VERSION_REVISION 0
#endif

QString TextoFechaLarga(const QDate& fecha) {
    if (!fecha.isValid())
        return QString();
    QString mes = QLocale(QLocale::Spanish, QLocale::Argentina).monthName(fecha.month());
    if (!mes.isEmpty())
        mes[0] = mes[0].toUpper();
    return QStringLiteral("%1 de %2 de %3")
        .arg(fecha.day(), 2, 10, QLatin1Char('0'))
        .arg(mes)
        .arg(fecha.year(), 4, 10, QLatin1Char('0'));
}

QString TextoVersionPrograma() {
    return QStringLiteral("V.%1.%2.%3")
        .arg(MIRAVEL_VERSION_MAYOR)
        .arg(MIRAVEL_VERSION_MENOR)
        .arg(MIRAVEL_VERSION_REVISION);
}

int ImagenDeAmbiente(const QString& ambiente) {
    if (ambiente == QLatin1String("PRODUCCION"))
        return 2;
    if (ambiente == QLatin1String("PRUEBA"))
        return 3;
    if (ambiente == QLatin1String("CAPACITACION"))
        return 4;
    return 1;
}

NodoMenu* AgregarFinDeMenu(ArbolMenu& arbol, NodoMenu* nodoInicial) {
    if (nodoInicial && arbol.Indice(nodoInicial) == 0)
        nodoInicial = nullptr;
    if (!nodoInicial)
        nodoInicial = arbol.Nodo(1);
    // Sin ningún nodo (todos los menúes quedaron vacíos) "Salir" va a la raíz.
    if (!nodoInicial)
        return arbol.AgregarAlFinal(nullptr, QStringLiteral("Salir"), TagSalir);
    arbol.AgregarAlFinal(nodoInicial, QStringLiteral("-"), QString());
    arbol.AgregarAlFinal(arbol.Nodo(1), QStringLiteral("Salir"), TagSalir);
    return nodoInicial;
}
