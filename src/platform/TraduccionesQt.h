#pragma once
// Los textos propios de Qt (diálogos de archivos y de impresión, botones
// estándar, nombres de teclas) en castellano: las traducciones de Qt que
// instala el paquete de Debian qt6-translations-l10n.
#include <QString>

// Instala en la aplicación la traducción "qtbase_es" de la carpeta de
// traducciones de Qt (o de `carpeta`, si se da). Falso si no la encontró: los
// textos de Qt quedan en inglés.
bool CargarTraduccionesQt(const QString& carpeta = {});
