#include "ClaveNombre.h"

namespace {

bool EsAscii(const QString& s) {
    for (QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

QString ClaveNombre(const QString& nombre) {
    if (EsAscii(nombre))
        return nombre.toLower();
    // Una vuelta no alcanza: "ẞ" se pliega a "ß", que recién en la segunda
    // pasa a mayúsculas como "SS".
    QString r = nombre;
    for (int vuelta = 0; vuelta < 2; ++vuelta)
        r = r.normalized(QString::NormalizationForm_KD).toUpper().toCaseFolded();
    return r.normalized(QString::NormalizationForm_KC);
}

bool MismoNombre(const QString& a, const QString& b) {
    if (EsAscii(a) && EsAscii(b))
        return a.compare(b, Qt::CaseInsensitive) == 0;
    return ClaveNombre(a) == ClaveNombre(b);
}
