#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Logs.h"
#include "Recordset.h"
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <limits>

namespace {

// Formatos cortos de la configuración regional es_AR.
const QString FormatoFecha = QStringLiteral("dd/MM/yyyy");
const QString FormatoHora = QStringLiteral("HH:mm:ss");

std::optional<QDateTime> ComoFechaHora(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return std::nullopt;
    switch (valor.typeId()) {
    case QMetaType::QDateTime:
        return valor.toDateTime();
    case QMetaType::QDate:
        return QDateTime(valor.toDate(), QTime(0, 0));
    default:
        break;
    }
    const QString texto = valor.toString().trimmed();
    const std::pair<const char*, int> formatos[] = {{"yyyy-MM-dd HH:mm:ss", 19},
                                                    {"yyyy-MM-dd'T'HH:mm:ss", 19},
                                                    {"dd/MM/yyyy HH:mm:ss", 19},
                                                    {"yyyy-MM-dd", 10},
                                                    {"dd/MM/yyyy", 10}};
    for (const auto& [formato, largo] : formatos) {
        const QDateTime f = QDateTime::fromString(texto.left(largo), QLatin1String(formato));
        if (f.isValid())
            return f;
    }
    return std::nullopt;
}

bool EsNumero(const QString& texto) {
    static const QRegularExpression numeroC(
        QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([eE][+-]?\\d+)?$"));
    if (numeroC.match(texto).hasMatch())
        return true;
    // También lo que la configuración regional reconoce como número ("1.234,5").
    bool ok = false;
    const double v = QLocale(QLocale::Spanish, QLocale::Argentina).toDouble(texto, &ok);
    return ok && qIsFinite(v);
}

// La copia lleva la fecha del origen, para no repetirla la próxima vez. Si
// vino de sólo lectura se habilita la escritura un momento.
void PonerFechaModificacion(const QString& ruta, const QDateTime& fecha) {
    const QFileDevice::Permissions permisos = QFile::permissions(ruta);
    const QFileDevice::Permissions escribir = QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if ((permisos & escribir) != escribir)
        QFile::setPermissions(ruta, permisos | escribir);
    QFile archivo(ruta);
    if (archivo.open(QIODevice::ReadWrite)) {
        archivo.setFileTime(fecha, QFileDevice::FileModificationTime);
        archivo.close();
    }
    if ((permisos & escribir) != escribir)
        QFile::setPermissions(ruta, permisos);
}

} // namespace

std::optional<QDateTime> FechaServidor(bool conHora) {
    Recordset rs;
    CargarRecordset(rs, QStringLiteral("SELECT sysdate FROM dual"), QString(), nullptr, 0);
    if (!rs.Abierto() || rs.RecordCount() < 1)
        return std::nullopt; // el fallo ya se mostró
    rs.MoveFirst();
    std::optional<QDateTime> fecha = ComoFechaHora(rs.Valor(0));
    if (!fecha || !fecha->isValid())
        return std::nullopt;
    if (!conHora)
        return QDateTime(fecha->date(), QTime(0, 0));
    return fecha;
}

QString SiNulo(const QVariant& valor, const QString& valorPorDefecto) {
    if (!valor.isValid() || valor.isNull())
        return valorPorDefecto;
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate().toString(FormatoFecha);
    case QMetaType::QTime:
        return valor.toTime().toString(FormatoHora);
    case QMetaType::QDateTime: {
        // Como la conversión a texto de una fecha: sin hora si es medianoche.
        const QDateTime f = valor.toDateTime();
        if (f.time() == QTime(0, 0))
            return f.date().toString(FormatoFecha);
        return f.toString(FormatoFecha + QLatin1Char(' ') + FormatoHora);
    }
    default:
        break;
    }
    if (!valor.canConvert<QString>())
        return valorPorDefecto;
    return valor.toString();
}

QString TextoNumerico(QVariant& valor, const QString& valorPorDefecto) {
    const QString texto = SiNulo(valor, QString());
    valor = texto;
    const QString limpio = texto.trimmed();
    if (limpio.isEmpty() || !EsNumero(limpio))
        return valorPorDefecto;
    return limpio;
}

qint16 ContarElementos(QString& texto, const QString& separador) {
    if (texto.isEmpty())
        return 0;
    if (separador.isEmpty())
        return 1;
    if (!texto.startsWith(separador))
        texto.prepend(separador);
    if (!texto.endsWith(separador))
        texto.append(separador);
    const qsizetype cantidad = texto.count(separador) - 1;
    return qint16(std::min<qsizetype>(cantidad, std::numeric_limits<qint16>::max()));
}

QString ElementoN(const QString& texto, const QString& separador, int n) {
    if (n < 1)
        return QString();
    if (separador.isEmpty())
        return n == 1 ? texto : QString();
    const QString t = texto.startsWith(separador) ? texto : separador + texto;
    // t empieza con el separador: antes del primero no hay elemento.
    qsizetype desde = 0;
    for (int i = 0; i < n; ++i) {
        desde = t.indexOf(separador, desde);
        if (desde < 0)
            return QString();
        desde += separador.size();
    }
    const qsizetype hasta = t.indexOf(separador, desde);
    return hasta < 0 ? t.mid(desde) : t.mid(desde, hasta - desde);
}

QString ActualizarCopiaLocal(const QString& origen, const QString& destino) {
    try {
        QFileInfo fo(origen);
        QFileInfo fd(destino);
        // Las fechas se comparan al segundo; un archivo que falta no tiene fecha.
        const auto segundos = [](const QFileInfo& f) -> qint64 {
            return f.exists() ? f.lastModified().toSecsSinceEpoch() : -1;
        };
        const qint64 largoOrigen = fo.exists() ? fo.size() : 0;
        qint64 largoDestino = fd.exists() ? fd.size() : 0;

        const bool desactualizada =
            segundos(fo) != segundos(fd) || (largoDestino != 0 && largoDestino != largoOrigen);
        // Sin origen alcanzable no se toca la copia local: borrarla dejaría sin
        // ninguna copia usable.
        if (desactualizada && fo.exists() && fo.isFile()) {
            if (fd.exists()) {
                QFile::setPermissions(destino, QFile::permissions(destino) |
                                                   QFileDevice::WriteOwner |
                                                   QFileDevice::WriteUser);
                QFile::remove(destino);
            }
            if (QFile::copy(origen, destino))
                PonerFechaModificacion(destino, fo.lastModified());
            fd.refresh();
            largoDestino = fd.exists() ? fd.size() : 0;
        }
        return largoDestino != 0 ? destino : origen;
    } catch (...) {
        AnotarExcepcion(QStringLiteral("ActualizarCopiaLocal ") + destino);
        return origen;
    }
}
