#include "UbicacionReporte.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Rutas.h"
#include <QDir>
#include <QFileInfo>

namespace {

QString& CarpetaLocalFijada() {
    static QString carpeta;
    return carpeta;
}

QString ConSeparador(const QString& carpeta) {
    return carpeta.endsWith(QLatin1Char('\\')) || carpeta.endsWith(QLatin1Char('/'))
               ? carpeta
               : carpeta + QLatin1Char('\\');
}

// La carpeta del sistema tal como está escrita en el disco.
QString CarpetaEnDisco(const QString& raiz, const QString& sistema) {
    const QDir dir(RutaNativa(raiz));
    if (dir.exists(sistema) || !dir.exists())
        return sistema;
    const QStringList carpetas = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& c : carpetas)
        if (c.compare(sistema, Qt::CaseInsensitive) == 0)
            return c;
    return sistema;
}

// Candidata de un formato: la copia del servidor, o la local si el puesto
// tiene la carpeta local de ese formato (ActualizarCopiaLocal decide cuál).
QString Candidata(const QString& sistema, const QString& formato, const QString& archivo) {
    const QString servidor = RutaReporte(Glob().RutaSistema, sistema, formato, archivo);
    const QString local = RutaReporte(CarpetaLocal(), sistema, formato, archivo);
    if (!QFileInfo(QFileInfo(local).absolutePath()).isDir())
        return servidor;
    return ActualizarCopiaLocal(servidor, local);
}

// Lee el largo de la ruta; si se pudo, queda como el último leído.
bool LeerLargo(BusquedaReporte& b) {
    b.buscadas << b.ruta;
    const auto largo = LargoArchivo(b.ruta);
    if (largo)
        b.longitud = largo;
    return largo.has_value();
}

} // namespace

QString CarpetaSistema(const QString& archivo) {
    // Los demás sistemas de la suite no imprimen desde Miravel: caen en "GDA".
    if (archivo.left(3).compare(QLatin1String("MRV"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("Miravel");
    return QStringLiteral("GDA");
}

QString RutaReporte(const QString& raiz, const QString& sistema, const QString& formato,
                    const QString& archivo) {
    const QString base = ConSeparador(raiz);
    return RutaNativa(base + CarpetaEnDisco(base, sistema) + QLatin1String("\\Reportes\\Formato") +
                      formato + QLatin1Char('\\') + archivo);
}

std::optional<qint64> LargoArchivo(const QString& ruta) {
    const QFileInfo info(ruta);
    if (ruta.isEmpty() || !info.isFile())
        return std::nullopt;
    return info.size();
}

BusquedaReporte UbicarReporte(const QString& archivo) {
    BusquedaReporte b;
    const QString sistema = CarpetaSistema(archivo);
    const QString compartida = QStringLiteral("Gda");

    b.ruta = Candidata(sistema, QStringLiteral("85"), archivo);
    if (LeerLargo(b))
        return b;
    // La copia compartida del 85 no termina la búsqueda aunque exista.
    b.ruta = RutaReporte(Glob().RutaSistema, compartida, QStringLiteral("85"), archivo);
    LeerLargo(b);
    b.Formato85Encontrado = false;

    b.ruta = Candidata(sistema, QStringLiteral("60"), archivo);
    if (!LeerLargo(b)) {
        b.ruta = RutaReporte(Glob().RutaSistema, compartida, QStringLiteral("60"), archivo);
        LeerLargo(b);
        b.Formato60Encontrado = false;
    }
    return b;
}

QString CarpetaLocal() {
    if (!CarpetaLocalFijada().isEmpty())
        return CarpetaLocalFijada();
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\SarvoLocal");
#else
    return QStringLiteral("/var/local/SarvoLocal");
#endif
}

void FijarCarpetaLocal(const QString& carpeta) {
    CarpetaLocalFijada() = carpeta;
}
