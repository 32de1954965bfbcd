#include "CodigoAcceso.h"
#include <QFile>
#include <QMessageAuthenticationCode>
#include <QRegularExpression>
#include <QStringList>

QString CodigoAccesoDelDia(const QDate& fecha) {
    if (!fecha.isValid())
        return QString();
    // Generador de Lehmer (48271, 2^31 - 1) aplicado a aaaammdd; los seis
    // dígitos finales, con ceros a la izquierda.
    const qint64 aaaammdd = qint64(fecha.year()) * 10000 + fecha.month() * 100 + fecha.day();
    const qint64 mezcla = (aaaammdd * 48271) % 2147483647;
    return QStringLiteral("%1").arg(mezcla % 1000000, 6, 10, QLatin1Char('0'));
}

QString CodigoHmac(const QByteArray& clave, const QByteArray& mensaje, int cifras) {
    const QByteArray h =
        QMessageAuthenticationCode::hash(mensaje, clave, QCryptographicHash::Sha256);
    const auto byte = [&h](int i) { return quint32(quint8(h.at(i))); };
    const int desde = int(byte(int(h.size()) - 1) & 0x0f);
    const quint32 numero =
        (byte(desde) & 0x7f) << 24 | byte(desde + 1) << 16 | byte(desde + 2) << 8 | byte(desde + 3);
    quint32 modulo = 1;
    for (int i = 0; i < cifras; ++i)
        modulo *= 10;
    return QStringLiteral("%1").arg(numero % modulo, cifras, 10, QLatin1Char('0'));
}

QString CodigoAccesoConClave(const QByteArray& clave, const QString& prefijo, const QDate& fecha) {
    if (!fecha.isValid())
        return QString();
    const QByteArray mensaje = prefijo.toUtf8() + fecha.toString(u"yyyyMMdd").toLatin1();
    return CodigoHmac(clave, mensaje, 8);
}

std::optional<QByteArray> LeerClaveSitio(const QString& ruta, QString* error) {
    const auto fallar = [error](const QString& motivo) -> std::optional<QByteArray> {
        if (error)
            *error = motivo;
        return std::nullopt;
    };
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::ReadOnly | QIODevice::Text))
        return fallar(QStringLiteral("No se puede leer %1: %2").arg(ruta, archivo.errorString()));
    // Una clave de sitio es una línea: un archivo grande no es una clave.
    const QByteArray contenido = archivo.read(64 * 1024);
    static const QRegularExpression hexa(QStringLiteral("^[0-9A-Fa-f]{64}$"));
    QString texto = QString::fromUtf8(contenido);
    if (texto.startsWith(QChar(0xFEFF))) // marca de orden de los editores de Windows
        texto.remove(0, 1);
    QStringList claves;
    for (const QString& linea : texto.split(QLatin1Char('\n'))) {
        const QString t = linea.trimmed();
        if (!t.isEmpty() && !t.startsWith(QLatin1Char('#')))
            claves << t;
    }
    if (claves.size() != 1 || !hexa.match(claves.first()).hasMatch())
        return fallar(QStringLiteral("%1 no es un archivo de clave de sitio: debe tener una sola "
                                     "línea con 64 cifras hexadecimales")
                          .arg(ruta));
    return QByteArray::fromHex(claves.first().toLatin1());
}

QString SentenciaInstalarClave(const QByteArray& clave) {
    return QStringLiteral("CALL SEGURIDAD.PonerClaveSitio('") + QString::fromLatin1(clave.toHex()) +
           QStringLiteral("');");
}

QString TextoArchivoClave(const QByteArray& clave, const QDate& creada) {
    return QStringLiteral("# Clave de sitio de Miravel para el código de acceso del día.\n"
                          "# Creada el %1. Quien tiene esta clave calcula el código de\n"
                          "# cualquier día: guárdela como una contraseña, fuera de los puestos.\n"
                          "# Para instalarla en la base, como dueño del esquema SEGURIDAD:\n"
                          "#   %2\n"
                          "%3\n")
        .arg(creada.toString(u"dd/MM/yyyy"), SentenciaInstalarClave(clave),
             QString::fromLatin1(clave.toHex()));
}

QDate FechaDesdeTexto(const QString& texto) {
    const QStringList partes = texto.trimmed().split(QLatin1Char('/'));
    if (partes.size() != 3 || partes[2].size() != 4)
        return QDate();
    int numeros[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        const QString& p = partes[i];
        if (p.isEmpty() || p.size() > 4)
            return QDate();
        for (const QChar c : p)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QDate();
        numeros[i] = p.toInt();
    }
    if (partes[0].size() > 2 || partes[1].size() > 2)
        return QDate();
    return QDate(numeros[2], numeros[1], numeros[0]); // inválida si no existe
}
