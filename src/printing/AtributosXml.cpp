#include "AtributosXml.h"
#include "DefinicionReporte.h"
#include <QRegularExpression>
#include <cmath>

std::optional<QString> Atributos::Tomar(const char* nombre) {
    const QString n = QString::fromLatin1(nombre);
    pedidos_ << n;
    if (!atributos_.hasAttribute(n))
        return std::nullopt;
    tomados_ << n;
    return atributos_.value(n).toString();
}

std::optional<int> Atributos::Opcion(const char* nombre,
                                     std::initializer_list<const char*> valores) {
    const auto v = Tomar(nombre);
    if (!v)
        return -1;
    QStringList lista;
    int i = 0;
    for (const char* valor : valores) {
        if (v->compare(QLatin1String(valor), Qt::CaseInsensitive) == 0)
            return i;
        lista << QLatin1String(valor);
        ++i;
    }
    error_ = QStringLiteral("%1=\"%2\" no vale: se esperaba %3")
                 .arg(QLatin1String(nombre), *v, lista.join(QStringLiteral(", ")));
    return std::nullopt;
}

bool Atributos::Numero(const char* nombre, qreal& destino, qreal minimo, qreal maximo) {
    const auto v = Tomar(nombre);
    if (!v)
        return true;
    QString t = v->trimmed();
    t.replace(u',', u'.');
    bool ok = false;
    const double d = t.toDouble(&ok);
    if (!ok || !std::isfinite(d) || d < minimo || d > maximo) {
        error_ = QStringLiteral("%1=\"%2\" no vale: se esperaba un número entre %3 y %4")
                     .arg(QLatin1String(nombre), *v)
                     .arg(minimo)
                     .arg(maximo);
        return false;
    }
    destino = d;
    return true;
}

bool Atributos::Medida(const char* nombre, qreal& destino) {
    qreal mm = -1;
    if (!Numero(nombre, mm, 0, 2000)) {
        error_ += QStringLiteral(" (milímetros)");
        return false;
    }
    if (mm >= 0)
        destino = mm * PuntosPorMm;
    return true;
}

bool Atributos::SiNo(const char* nombre, bool& destino) {
    const auto v = Tomar(nombre);
    if (!v)
        return true;
    const QString t = v->trimmed().toLower();
    if (t == QLatin1String("si") || t == QStringLiteral("sí")) {
        destino = true;
        return true;
    }
    if (t == QLatin1String("no")) {
        destino = false;
        return true;
    }
    error_ =
        QStringLiteral("%1=\"%2\" no vale: se esperaba si o no").arg(QLatin1String(nombre), *v);
    return false;
}

bool Atributos::Color(const char* nombre, QColor& destino) {
    const auto v = Tomar(nombre);
    if (!v)
        return true;
    const QString t = v->trimmed();
    bool ok = t.size() == 7 && t.startsWith(u'#');
    for (qsizetype i = 1; ok && i < t.size(); ++i)
        ok = std::isxdigit(t[i].unicode() < 128 ? int(t[i].unicode()) : 0) != 0;
    if (!ok) {
        error_ = QStringLiteral("%1=\"%2\" no vale: se esperaba un color #rrggbb")
                     .arg(QLatin1String(nombre), *v);
        return false;
    }
    destino = QColor(t);
    return true;
}

QString Atributos::PrimeroSobrante() const {
    for (const auto& a : atributos_) {
        const QString n = a.qualifiedName().toString();
        if (!tomados_.contains(n))
            return n;
    }
    return {};
}

QString Atributos::Conocidos() const {
    QStringList r = pedidos_;
    r.removeDuplicates();
    return r.isEmpty() ? QStringLiteral("ninguno") : r.join(QStringLiteral(", "));
}

QString TraducirErrorXml(const QString& mensajeQt) {
    // "Expected 'x', but got 'y'." y "Unexpected 'x'.": se conserva lo esperado
    static const QRegularExpression esperado(QStringLiteral("^Expected (.*), but got '(.*)'"));
    const auto m = esperado.match(mensajeQt);
    if (m.hasMatch())
        return QStringLiteral("XML mal formado: se esperaba %1 y vino '%2'")
            .arg(m.captured(1).replace(QLatin1String(" or "), QLatin1String(" o ")), m.captured(2));
    static const QRegularExpression inesperado(QStringLiteral("^Unexpected '(.*)'"));
    const auto i = inesperado.match(mensajeQt);
    if (i.hasMatch())
        return QStringLiteral("XML mal formado: no se esperaba '%1'").arg(i.captured(1));
    struct Traduccion {
        const char* qt;
        const char* castellano;
    };
    static const Traduccion traducciones[] = {
        {"Opening and ending tag mismatch", "la etiqueta que cierra no es la que abrió"},
        {"Premature end of document", "el archivo termina antes de tiempo"},
        {"Extra content at end of document", "sobra contenido al final del archivo"},
        {"Attribute '", "un atributo está repetido"},
        {"Invalid XML name", "nombre de elemento o atributo inválido"},
        {"Invalid character reference", "referencia a carácter inválida"},
        {"Entity '", "entidad no declarada"},
        {"Invalid entity value", "entidad inválida"},
        {"Start tag expected", "se esperaba una etiqueta de apertura"},
        {"Encountered incorrectly encoded content", "el archivo no está en UTF-8 válido"},
        {"Invalid document", "el documento no es XML válido"},
        {"Invalid XML character", "carácter no permitido en XML"},
        {"Sequence ']]>' not allowed in content", "la secuencia ]]> no puede ir en el texto"},
        {"XML declaration not at start of document",
         "la declaración <?xml ...?> debe ir al comienzo"},
        {"is an invalid encoding name", "codificación inválida"},
        {"Encoding ", "codificación no admitida"},
    };
    for (const auto& t : traducciones)
        if (mensajeQt.contains(QLatin1String(t.qt)))
            return QStringLiteral("XML mal formado: %1").arg(QString::fromUtf8(t.castellano));
    return QStringLiteral("XML mal formado (%1)").arg(mensajeQt);
}
