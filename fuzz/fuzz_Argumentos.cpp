// Fuzzing de la línea de comandos partida en argumentos. El primer byte da el
// tope de argumentos; el resto es la línea. Invariantes: el elemento 0 está
// vacío, no hay más argumentos que el tope, ninguno está vacío ni tiene un
// espacio o un tabulador, y unidos dan la línea sin separadores (entera si
// no se llegó al tope, su comienzo si se llegó).
#include "Argumentos.h"
#include "Exigir.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo < 1 || largo > 4096)
        return 0;
    const int tope = int(datos[0] % 14) - 1; // de -1 a 12
    const QString linea =
        QString::fromUtf8(reinterpret_cast<const char*>(datos + 1), qsizetype(largo - 1));
    const QStringList argumentos = ObtenerArgumentos(linea, tope);

    EXIGIR(!argumentos.isEmpty() && argumentos[0].isEmpty());
    const qsizetype cantidad = argumentos.size() - 1;
    EXIGIR(cantidad <= qMax(tope, 0));
    QString unidos;
    for (qsizetype i = 1; i < argumentos.size(); ++i) {
        const QString& a = argumentos[i];
        EXIGIR(!a.isEmpty());
        EXIGIR(!a.contains(QLatin1Char(' ')) && !a.contains(QLatin1Char('\t')));
        unidos += a;
    }
    QString sinSeparadores = linea;
    sinSeparadores.remove(QLatin1Char(' ')).remove(QLatin1Char('\t'));
    if (cantidad < tope)
        EXIGIR(unidos == sinSeparadores);
    else
        EXIGIR(sinSeparadores.startsWith(unidos));
    return 0;
}
