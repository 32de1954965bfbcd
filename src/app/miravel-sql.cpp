// miravel-sql USUARIO CLAVE: abre la sesión como lo hace Miravel (conexión
// principal y usuario validado) y corre las sentencias de la entrada estándar
// (separadas por una línea "/"). Sale con 0 si todas anduvieron, 1 si alguna
// falló, 2 si no pudo conectar o el usuario no puede entrar.
#include "ConsolaSql.h"
#include "Func_SarvoErrores.h"
#include "SesionComando.h"
#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "Uso: miravel-sql USUARIO CLAVE < sentencias\n";
        return 2;
    }
    InicializarMensajes();
    if (!AbrirSesionComando(QStringLiteral("miravel-sql"), args.at(1), args.at(2)))
        return 2;

    QTextStream entrada(stdin);
    bool todoBien = true;
    for (const QString& sentencia : SepararSentencias(entrada.readAll()))
        todoBien = CorrerSentencia(sentencia, stdout) && todoBien;
    return todoBien ? 0 : 1;
}
