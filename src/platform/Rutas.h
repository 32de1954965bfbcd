#pragma once
#include <QString>

// Las rutas del sistema se escriben con barras invertidas; en esta plataforma
// cada una es el separador propio.
QString RutaNativa(const QString& ruta);
