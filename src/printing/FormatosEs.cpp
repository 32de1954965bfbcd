#include "FormatosEs.h"
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

const char* const Meses[] = {"enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
                             "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
const char* const Dias[] = {"lunes",   "martes", "miércoles", "jueves",
                            "viernes", "sábado", "domingo"};

// Cifras de |v| redondeado a "decimales" lugares (mitades lejos del cero),
// sin punto: 1234,565 con 2 decimales da "123457". Vacío si no es finito.
QString Cifras(double v, int decimales) {
    if (!std::isfinite(v))
        return {};
    const double escala = std::pow(10.0, decimales);
    double x = std::fabs(v) * escala;
    if (x < 9e15) {
        // un empujón de pocos ulp: 2,675 guardado como 2,67499999... redondea a 2,68
        x += x * 8 * DBL_EPSILON;
        QString s = QString::number(static_cast<qulonglong>(std::floor(x + 0.5)));
        if (s.size() <= decimales)
            s = QString(decimales + 1 - s.size(), u'0') + s;
        return s;
    }
    QString s = QString::number(std::fabs(v), 'f', decimales);
    s.remove(u'.');
    return s;
}

QString ConMiles(const QString& enteros) {
    QString r;
    r.reserve(enteros.size() + enteros.size() / 3);
    const qsizetype n = enteros.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            r += u'.';
        r += enteros[i];
    }
    return r;
}

QString DosCifras(int v) {
    return v < 10 ? QLatin1Char('0') + QString::number(v) : QString::number(v);
}

bool HayCifra(const QString& s) {
    return s.contains(u'0') || s.contains(u'#');
}

} // namespace

QString FormatearNumeroEs(double valor, int decimales, bool miles) {
    QString patron = miles ? QStringLiteral("#.##0") : QStringLiteral("0");
    if (decimales > 0)
        patron += u',' + QString(std::min(decimales, 10), u'0');
    return FormatoValor::Compilar(patron)->Aplicar(valor);
}

std::optional<FormatoValor> FormatoValor::Compilar(const QString& patron, QString* error) {
    FormatoValor f;
    if (patron.isEmpty())
        return f;
    auto falla = [&](const QString& motivo) -> std::optional<FormatoValor> {
        if (error)
            *error = QStringLiteral("formato \"%1\": %2").arg(patron, motivo);
        return std::nullopt;
    };
    if (HayCifra(patron)) {
        qsizetype primera = 0;
        while (patron[primera] != u'0' && patron[primera] != u'#')
            ++primera;
        // número: prefijo, [#0.]+ y quizás ",[#0]+", sufijo
        f.tipo_ = Tipo::Numero;
        qsizetype inicio = primera;
        while (inicio > 0 && patron[inicio - 1] == u'.')
            --inicio;
        f.prefijo_ = patron.left(inicio);
        qsizetype i = inicio;
        int ceros = 0;
        for (; i < patron.size() && QStringLiteral("#0.").contains(patron[i]); ++i) {
            if (patron[i] == u'.')
                f.miles_ = true;
            else if (patron[i] == u'0')
                ++ceros;
            else if (ceros > 0)
                return falla(QStringLiteral("un \"#\" después de un \"0\" en la parte entera"));
        }
        f.enterosMinimos_ = std::max(ceros, 1);
        if (i < patron.size() && patron[i] == u',') {
            ++i;
            bool optativas = false;
            for (; i < patron.size() && (patron[i] == u'0' || patron[i] == u'#'); ++i) {
                if (patron[i] == u'#')
                    optativas = true;
                else if (optativas)
                    return falla(QStringLiteral("un \"0\" después de un \"#\" en los decimales"));
                else
                    ++f.decimalesMinimos_;
                ++f.decimalesMaximos_;
            }
            if (f.decimalesMaximos_ == 0)
                return falla(QStringLiteral("se esperaban cifras después de la coma"));
            if (f.decimalesMaximos_ > 10)
                return falla(QStringLiteral("a lo sumo 10 decimales"));
        }
        f.sufijo_ = patron.mid(i);
        if (HayCifra(f.sufijo_))
            return falla(QStringLiteral("las cifras deben ir juntas"));
        return f;
    }
    // fecha y hora
    f.tipo_ = Tipo::Fecha;
    bool tras_hora = false;
    bool algunToken = false;
    for (qsizetype i = 0; i < patron.size();) {
        const QChar c = patron[i];
        if (c == u'\'') {
            const qsizetype fin = patron.indexOf(u'\'', i + 1);
            if (fin < 0)
                return falla(QStringLiteral("falta la comilla que cierra un texto"));
            f.piezas_.push_back({0, 0, patron.mid(i + 1, fin - i - 1)});
            i = fin + 1;
            continue;
        }
        const char16_t minuscula = c.toLower().unicode();
        const char letra = minuscula < 128 ? char(minuscula) : 0;
        if (letra == 0 || !std::strchr("dmyhns", letra)) {
            if (!f.piezas_.empty() && f.piezas_.back().token == 0)
                f.piezas_.back().literal += c;
            else
                f.piezas_.push_back({0, 0, QString(c)});
            ++i;
            continue;
        }
        qsizetype j = i;
        while (j < patron.size() && patron[j].toLower() == c.toLower())
            ++j;
        int largo = int(j - i);
        char token = letra;
        if (token == 'm' && tras_hora && largo <= 2)
            token = 'n';
        const int maximo = (token == 'd' || token == 'm' || token == 'y') ? 4 : 2;
        if (largo > maximo || (token == 'y' && largo != 2 && largo != 4))
            return falla(
                QStringLiteral("\"%1\" no es una parte de fecha u hora").arg(patron.mid(i, largo)));
        f.piezas_.push_back({token, largo, {}});
        tras_hora = token == 'h';
        algunToken = true;
        i = j;
    }
    if (!algunToken)
        return falla(QStringLiteral("se esperaban cifras (0, #) o partes de fecha (dd, mm, "
                                    "yyyy, hh, nn)"));
    return f;
}

QString FormatoValor::Numero(double v) const {
    QString c = Cifras(v, decimalesMaximos_);
    if (c.isEmpty())
        return {};
    QString fraccion = c.right(decimalesMaximos_);
    QString enteros = c.left(c.size() - decimalesMaximos_);
    while (fraccion.size() > decimalesMinimos_ && fraccion.endsWith(u'0'))
        fraccion.chop(1);
    while (enteros.size() > 1 && enteros.startsWith(u'0'))
        enteros.remove(0, 1);
    if (enteros.size() < enterosMinimos_)
        enteros = QString(enterosMinimos_ - enteros.size(), u'0') + enteros;
    const bool cero = std::all_of(c.cbegin(), c.cend(), [](QChar d) { return d == u'0'; });
    QString r = prefijo_;
    if (v < 0 && !cero)
        r += u'-';
    r += miles_ ? ConMiles(enteros) : enteros;
    if (!fraccion.isEmpty())
        r += u',' + fraccion;
    return r + sufijo_;
}

QString FormatoValor::Fecha(const QDate& fecha, const QTime& hora) const {
    QString r;
    for (const Pieza& p : piezas_) {
        switch (p.token) {
        case 0:
            r += p.literal;
            break;
        case 'd':
            if (p.largo <= 2)
                r += p.largo == 2 ? DosCifras(fecha.day()) : QString::number(fecha.day());
            else {
                const QString dia = QString::fromUtf8(Dias[fecha.dayOfWeek() - 1]);
                r += p.largo == 3 ? dia.left(3) : dia;
            }
            break;
        case 'm':
            if (p.largo <= 2)
                r += p.largo == 2 ? DosCifras(fecha.month()) : QString::number(fecha.month());
            else {
                const QString mes = QString::fromLatin1(Meses[fecha.month() - 1]);
                r += p.largo == 3 ? mes.left(3) : mes;
            }
            break;
        case 'y':
            r += p.largo == 2 ? DosCifras(fecha.year() % 100)
                              : QStringLiteral("%1").arg(fecha.year(), 4, 10, QLatin1Char('0'));
            break;
        case 'h':
            r += p.largo == 2 ? DosCifras(hora.hour()) : QString::number(hora.hour());
            break;
        case 'n':
            r += p.largo == 2 ? DosCifras(hora.minute()) : QString::number(hora.minute());
            break;
        case 's':
            r += p.largo == 2 ? DosCifras(hora.second()) : QString::number(hora.second());
            break;
        }
    }
    return r;
}

QString FormatoValor::Aplicar(const QVariant& valor) const {
    if (!valor.isValid() || valor.isNull())
        return {};
    switch (valor.typeId()) {
    case QMetaType::LongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        if (tipo_ == Tipo::Numero)
            return Numero(valor.toDouble());
        return valor.toString();
    case QMetaType::Double:
    case QMetaType::Float:
        if (tipo_ == Tipo::Numero)
            return Numero(valor.toDouble());
        return FormatearNumeroEs(valor.toDouble(), 2);
    case QMetaType::QDate: {
        const QDate d = valor.toDate();
        if (!d.isValid())
            return {};
        if (tipo_ == Tipo::Fecha)
            return Fecha(d, QTime(0, 0));
        return DosCifras(d.day()) + u'/' + DosCifras(d.month()) + u'/' +
               QStringLiteral("%1").arg(d.year(), 4, 10, QLatin1Char('0'));
    }
    case QMetaType::QDateTime: {
        const QDateTime t = valor.toDateTime();
        if (!t.isValid())
            return {};
        if (tipo_ == Tipo::Fecha)
            return Fecha(t.date(), t.time());
        static const FormatoValor porDefecto = *Compilar(QStringLiteral("dd/mm/yyyy hh:nn"));
        return porDefecto.Fecha(t.date(), t.time());
    }
    default:
        return valor.toString();
    }
}
