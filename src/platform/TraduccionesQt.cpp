#include "TraduccionesQt.h"
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool CargarTraduccionesQt(const QString& carpeta) {
    auto* traduccion = new QTranslator(QCoreApplication::instance());
    const QString donde =
        carpeta.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : carpeta;
    // El programa es solo en castellano, sea cual sea el idioma del puesto.
    if (!traduccion->load(QLocale(QLocale::Spanish, QLocale::Argentina), QStringLiteral("qtbase"),
                          QStringLiteral("_"), donde)) {
        delete traduccion;
        return false;
    }
    return QCoreApplication::installTranslator(traduccion);
}
