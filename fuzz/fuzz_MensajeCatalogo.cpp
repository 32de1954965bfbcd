// Fuzzing de la composición de los mensajes del catálogo: el texto de la fila
// y los parámetros salen de la entrada, separados por bytes 0x1F. Invariantes:
// sin parámetros, el texto queda igual o se rechaza si tiene marcas; con
// parámetros sin marcas propias, el resultado es el texto partido en sus "@"
// con cada parámetro en su lugar; y siempre el largo es el del texto más lo
// que agregó cada parámetro usado.
#include "ComponerMensaje.h"
#include "Exigir.h"

namespace {

const QChar Marca = QLatin1Char('@');

// La composición esperada cuando ningún parámetro trae marcas: las partes
// del texto entre sus "@", con un parámetro en cada hueco mientras haya.
QString PorPartes(const QString& texto, const QStringList& parametros) {
    const QStringList partes = texto.split(Marca);
    QString r = partes[0];
    for (qsizetype i = 1; i < partes.size(); ++i) {
        r += i - 1 < parametros.size() ? parametros[i - 1] : QString(Marca);
        r += partes[i];
    }
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo > 4096)
        return 0;
    const QString entrada =
        QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    QStringList partes = entrada.split(QChar(0x1F));
    const QString mensaje = partes.takeFirst();
    const QStringList& parametros = partes;

    const auto compuesto = ComponerMensaje(mensaje, parametros);
    if (parametros.isEmpty()) {
        EXIGIR(compuesto.has_value() == !mensaje.contains(Marca));
        EXIGIR(!compuesto || *compuesto == mensaje);
        return 0;
    }
    EXIGIR(compuesto.has_value());
    const QString base =
        mensaje.contains(Marca) ? mensaje : mensaje + QLatin1String("\r\n") + Marca;

    bool conMarcas = false;
    for (const QString& p : parametros)
        conMarcas = conMarcas || p.contains(Marca);
    if (!conMarcas)
        EXIGIR(*compuesto == PorPartes(base, parametros));

    // Cada parámetro usado cambia una marca por su texto; los usados son los
    // primeros mientras quedan marcas.
    qsizetype esperado = base.size();
    qsizetype marcas = base.count(Marca);
    for (const QString& p : parametros) {
        if (marcas == 0)
            break;
        esperado += p.size() - 1;
        marcas += p.count(Marca) - 1;
    }
    EXIGIR(compuesto->size() == esperado);
    EXIGIR(compuesto->count(Marca) == marcas);
    return 0;
}
