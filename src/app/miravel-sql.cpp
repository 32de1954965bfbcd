// miravel-sql USUARIO CLAVE: abre la conexión principal como lo hace Miravel y
// corre las sentencias de la entrada estándar (separadas por una línea "/").
// Sale con 0 si todas anduvieron, 1 si alguna falló, 2 si no pudo conectar.
#include "Conexiones.h"
#include "ConsolaSql.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
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

    PrepararComandoSinPantalla(QStringLiteral("miravel-sql"));
    auto& g = Glob();
    const QString usuario = args.at(1).toUpper();
    if (!ConectarBase(g.Conexion, usuario, args.at(2), g.ServidorBase))
        return 2;

    QTextStream entrada(stdin);
    bool todoBien = true;
    for (const QString& sentencia : SepararSentencias(entrada.readAll()))
        todoBien = CorrerSentencia(sentencia, stdout) && todoBien;
    return todoBien ? 0 : 1;
}
