#include "Fuentes.h"
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

// Fuera de todo espacio de nombres, como pide Q_INIT_RESOURCE.
static void IniciarRecursoFuentes() {
    Q_INIT_RESOURCE(fuentes);
}

QString FamiliaPrograma() {
    return QStringLiteral("Liberation Sans");
}

bool CargarFuentes() {
    IniciarRecursoFuentes();
    bool todas = true;
    for (const char* archivo : {"LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf",
                                "LiberationSans-Italic.ttf", "LiberationSans-BoldItalic.ttf"})
        todas &= QFontDatabase::addApplicationFont(QStringLiteral(":/fuentes/") +
                                                   QLatin1String(archivo)) >= 0;
    // Los nombres que usan las ventanas y los reportes de la suite.
    for (const char* nombre : {"Arial", "MS Sans Serif", "Helvetica", "Sans Serif"})
        QFont::insertSubstitution(QLatin1String(nombre), FamiliaPrograma());
    QFont letra = QGuiApplication::font();
    letra.setFamily(FamiliaPrograma());
    QGuiApplication::setFont(letra);
    return todas;
}
