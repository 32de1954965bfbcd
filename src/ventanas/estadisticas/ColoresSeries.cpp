#include "ColoresSeries.h"
#include <algorithm>
#include <numeric>
#include <vector>

namespace {

// Colores bien distintos entre sí, en pantalla y en papel.
const QList<QColor>& Paleta() {
    static const QList<QColor> paleta = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xff, 0x7f, 0x0e), QColor(0x2c, 0xa0, 0x2c),
        QColor(0xd6, 0x27, 0x28), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
        QColor(0x17, 0xbe, 0xcf), QColor(0x39, 0x3b, 0x79), QColor(0x63, 0x79, 0x39)};
    return paleta;
}

// FNV-1a sobre el texto: el mismo número en toda máquina y en toda corrida.
quint32 Dispersion(const QString& texto) {
    quint32 h = 2166136261u;
    for (QChar c : texto) {
        h ^= c.unicode();
        h *= 16777619u;
    }
    return h;
}

} // namespace

QList<QColor> ColoresDeSeries(const QStringList& nombres) {
    const int n = int(Paleta().size());
    std::vector<int> lugar(size_t(nombres.size()), -1);
    std::vector<bool> ocupado(size_t(n), false);
    // Cada nombre pide el lugar de su dispersión; si otro nombre del gráfico lo
    // tomó, el siguiente libre. El orden de reparto no depende del puesto de
    // las series, solo de los nombres.
    std::vector<int> orden(size_t(nombres.size()));
    std::iota(orden.begin(), orden.end(), 0);
    const auto preferido = [&](int i) { return int(Dispersion(nombres[i]) % quint32(n)); };
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        return std::pair(preferido(a), nombres[a]) < std::pair(preferido(b), nombres[b]);
    });
    const auto tomar = [&](int desde) {
        for (int k = 0; k < n; ++k) {
            const int l = (desde + k) % n;
            if (!ocupado[size_t(l)]) {
                ocupado[size_t(l)] = true;
                return l;
            }
        }
        return desde; // más series que colores
    };
    for (int i : orden)
        if (!nombres[i].isEmpty())
            lugar[size_t(i)] = tomar(preferido(i));
    for (int i = 0; i < int(nombres.size()); ++i)
        if (nombres[i].isEmpty())
            lugar[size_t(i)] = tomar(i % n);
    QList<QColor> colores;
    for (int l : lugar)
        colores << Paleta().at(l);
    return colores;
}
