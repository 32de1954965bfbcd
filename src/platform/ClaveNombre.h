#pragma once
// Una sola regla para los nombres que se buscan sin distinguir mayúsculas
// (fórmulas, campos, columnas, subreportes, imágenes): se guarda y se busca
// por la misma clave.
#include <QString>

// Clave de un nombre: dos vueltas de descomposición de compatibilidad (NFKD),
// mayúsculas y plegado de mayúsculas, y al final composición (NFKC). Así "ı",
// "I" e "i" dan "i"; "ß", "ẞ" y "SS" dan "ss"; "ﬁ" y "FI" dan "fi"; "İ" y su
// minúscula "i̇" dan lo mismo. Un nombre ASCII da sus minúsculas.
QString ClaveNombre(const QString& nombre);

// Los dos nombres tienen la misma clave.
bool MismoNombre(const QString& a, const QString& b);
