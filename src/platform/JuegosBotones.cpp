#include "JuegosBotones.h"

std::vector<BotonDelJuego> BotonesDelJuego(int tipoBotones) {
    const QString aceptar = QStringLiteral("Aceptar");
    const QString cancelar = QStringLiteral("Cancelar");
    const QString si = QStringLiteral("Si");
    const QString no = QStringLiteral("No");
    switch (tipoBotones) {
    case 0:
        return {{2, aceptar, Boton::Aceptar}};
    case 1:
        return {{2, aceptar, Boton::Aceptar}, {3, cancelar, Boton::Cancelar}};
    case 2:
        return {{1, QStringLiteral("Abortar"), Boton::Abortar},
                {2, QStringLiteral("Reintentar"), Boton::Reintentar},
                {3, QStringLiteral("Ignorar"), Boton::Ignorar}};
    case 3:
        return {{1, si, Boton::Si}, {2, no, Boton::No}, {3, cancelar, Boton::Cancelar}};
    case 4:
        return {{2, si, Boton::Si}, {3, no, Boton::No}};
    default:
        return {};
    }
}

int ValorBotonDerecho(int tipoBotones) {
    const auto botones = BotonesDelJuego(tipoBotones);
    return botones.empty() ? Boton::Aceptar : botones.back().valor;
}
