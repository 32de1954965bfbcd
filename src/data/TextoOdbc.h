#pragma once
// Texto entre QString y las funciones W de unixODBC (UTF-16). Solo para los
// archivos de la capa de datos que hablan con el driver.
#include <QString>
#include <sql.h>

inline const SQLWCHAR* W(const QString& s) {
    return reinterpret_cast<const SQLWCHAR*>(s.utf16());
}
inline QString DesdeW(const SQLWCHAR* p, qsizetype n) {
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(p), n);
}
