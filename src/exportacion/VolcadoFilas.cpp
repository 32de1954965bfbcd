#include "VolcadoFilas.h"
#include "NumerosEs.h"
#include "Recordset.h"
#include "TextoTablas.h"
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <cstring>

namespace {

bool Cifra(char c) {
    return c >= '0' && c <= '9';
}

int Numero(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (!Cifra(p[i]))
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// "yyyy-MM-dd" válida -> "dd/MM/yyyy".
bool PonerFecha(const char* p, QByteArray& salida) {
    if (p[4] != '-' || p[7] != '-' ||
        !QDate::isValid(Numero(p, 4), Numero(p + 5, 2), Numero(p + 8, 2)))
        return false;
    const char f[10] = {p[8], p[9], '/', p[5], p[6], '/', p[0], p[1], p[2], p[3]};
    salida.append(f, 10);
    return true;
}

// Entero canónico (sin ceros a la izquierda ni signo +) de 18 cifras o menos.
bool EnteroCanonico(QByteArrayView t) {
    qsizetype i = t.startsWith('-') ? 1 : 0;
    const qsizetype cifras = t.size() - i;
    if (cifras < 1 || cifras > 18 || (t[i] == '0' && cifras > 1) || (i && t[i] == '0'))
        return false;
    for (; i < t.size(); ++i)
        if (!Cifra(t[i]))
            return false;
    return true;
}

// Un decimal en notación fija ("-12.3400") con las cifras justas, como lo
// escribiría la conversión general con 15 cifras: falso si no tiene esa forma
// o si la conversión general elegiría exponente o redondearía.
bool DecimalJusto(QByteArrayView t, char coma, QByteArray& salida) {
    qsizetype i = 0;
    const bool negativo = t.startsWith('-');
    if (negativo)
        ++i;
    qsizetype iniEntero = i;
    while (i < t.size() && Cifra(t[i]))
        ++i;
    qsizetype finEntero = i;
    qsizetype iniFraccion = i, finFraccion = i;
    if (i < t.size() && t[i] == '.') {
        iniFraccion = ++i;
        while (i < t.size() && Cifra(t[i]))
            ++i;
        finFraccion = i;
    }
    if (i != t.size() || (finEntero == iniEntero && finFraccion == iniFraccion))
        return false;
    while (iniEntero < finEntero && t[iniEntero] == '0')
        ++iniEntero;
    while (finFraccion > iniFraccion && t[finFraccion - 1] == '0')
        --finFraccion;
    const qsizetype entero = finEntero - iniEntero;
    if (entero == 0 && finFraccion == iniFraccion)
        return !negativo && (salida.append('0'), true); // "-0" lo decide la general
    qsizetype significativas = entero + (finFraccion - iniFraccion);
    if (entero == 0) {
        qsizetype ceros = 0;
        while (t[iniFraccion + ceros] == '0')
            ++ceros;
        if (ceros > 3) // menos de 1e-4: la general usa exponente
            return false;
        significativas -= ceros;
    }
    if (entero > 15 || significativas > 15)
        return false;
    if (negativo)
        salida.append('-');
    if (entero)
        salida.append(t.data() + iniEntero, entero);
    else
        salida.append('0');
    if (finFraccion > iniFraccion) {
        salida.append(coma);
        salida.append(t.data() + iniFraccion, finFraccion - iniFraccion);
    }
    return true;
}

} // namespace

VolcadoFilas::VolcadoFilas(Recordset& rs, Destino destino)
    : rs_(rs), destino_(destino), separador_(destino == Destino::Csv ? ';' : '\t'),
      finLinea_(destino == Destino::Csv ? "\r\n" : "\n") {
    for (int i = 0; i < rs.CantidadCampos(); ++i) {
        switch (rs.TipoCampo(i)) {
        case Recordset::Tipo::Entero:
            formas_.push_back(Forma::Entero);
            break;
        case Recordset::Tipo::Decimal:
            formas_.push_back(Forma::Decimal);
            break;
        case Recordset::Tipo::Fecha:
            formas_.push_back(Forma::Fecha);
            break;
        case Recordset::Tipo::FechaHora:
            formas_.push_back(Forma::FechaHora);
            break;
        default:
            formas_.push_back(Forma::Texto);
        }
    }
}

QString VolcadoFilas::TextoConsola(const QVariant& v) {
    if (v.isNull() || !v.isValid())
        return QString();
    QString t;
    switch (v.typeId()) {
    case QMetaType::QDate:
        t = v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        break;
    case QMetaType::QDateTime:
        t = v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        break;
    case QMetaType::Double:
        t = QString::number(v.toDouble(), 'g', 15);
        break;
    default:
        t = v.toString();
    }
    // Un valor no puede partir la línea ni el campo.
    static const QRegularExpression corte(QStringLiteral("[\t\r\n]+"));
    return t.replace(corte, QStringLiteral(" "));
}

void VolcadoFilas::Texto(QByteArrayView t, QByteArray& salida) const {
    if (destino_ == Destino::Csv) {
        const bool comillas =
            !t.isEmpty() && (std::memchr(t.data(), ';', size_t(t.size())) ||
                             std::memchr(t.data(), '"', size_t(t.size())) ||
                             std::memchr(t.data(), '\n', size_t(t.size())) ||
                             std::memchr(t.data(), '\r', size_t(t.size())) || t.front() == ' ' ||
                             t.back() == ' ' || t.front() == '\t' || t.back() == '\t');
        if (!comillas) {
            salida.append(t);
            return;
        }
        salida.append('"');
        for (char c : t) {
            if (c == '"')
                salida.append('"');
            salida.append(c);
        }
        salida.append('"');
        return;
    }
    // Consola: cada tramo de tabuladores y saltos pasa a un blanco.
    bool enCorte = false;
    qsizetype desde = 0;
    for (qsizetype i = 0; i < t.size(); ++i) {
        const char c = t[i];
        const bool corte = c == '\t' || c == '\r' || c == '\n';
        if (corte && !enCorte) {
            salida.append(t.data() + desde, i - desde);
            salida.append(' ');
        } else if (!corte && enCorte) {
            desde = i;
        }
        enCorte = corte;
    }
    if (!enCorte)
        salida.append(t.data() + desde, t.size() - desde);
}

void VolcadoFilas::General(int campo, QByteArray& salida) const {
    const QVariant v = rs_.Valor(campo);
    if (destino_ == Destino::Csv) {
        switch (v.typeId()) {
        case QMetaType::Double:
            salida.append(NumerosEs::Plano(v.toDouble()).toUtf8());
            return;
        case QMetaType::QDate:
        case QMetaType::QDateTime:
            salida.append(TextoConsola(v).toUtf8());
            return;
        default:
            Texto(v.toString().toUtf8(), salida);
            return;
        }
    }
    salida.append(TextoConsola(v).toUtf8());
}

void VolcadoFilas::Celda(int campo, QByteArray& salida) const {
    if (rs_.EsNulo(campo))
        return;
    const QByteArrayView t = rs_.Bruto(campo);
    const qsizetype antes = salida.size();
    bool hecho = false;
    switch (formas_[size_t(campo)]) {
    case Forma::Texto:
        Texto(t, salida);
        return;
    case Forma::Entero:
        hecho = EnteroCanonico(t) && (salida.append(t), true);
        break;
    case Forma::Decimal:
        hecho = DecimalJusto(t, destino_ == Destino::Csv ? ',' : '.', salida);
        break;
    case Forma::Fecha:
        hecho = t.size() == 10 && PonerFecha(t.data(), salida);
        break;
    case Forma::FechaHora:
        // "yyyy-MM-dd HH:mm:ss" exacta; con fracción, la general.
        hecho = t.size() == 19 && t[10] == ' ' && t[13] == ':' && t[16] == ':' &&
                Numero(t.data() + 11, 2) >= 0 && Numero(t.data() + 11, 2) < 24 &&
                Numero(t.data() + 14, 2) >= 0 && Numero(t.data() + 14, 2) < 60 &&
                Numero(t.data() + 17, 2) >= 0 && Numero(t.data() + 17, 2) < 60 &&
                PonerFecha(t.data(), salida) && (salida.append(t.data() + 10, 9), true);
        break;
    }
    if (!hecho) {
        salida.truncate(antes);
        General(campo, salida);
    }
}

void VolcadoFilas::Encabezado(QByteArray& salida) const {
    for (int i = 0; i < rs_.CantidadCampos(); ++i) {
        if (i)
            salida.append(separador_);
        const QByteArray nombre = rs_.NombreCampo(i).toUtf8();
        if (destino_ == Destino::Csv)
            Texto(nombre, salida);
        else
            salida.append(nombre);
    }
    salida.append(finLinea_);
}

void VolcadoFilas::Fila(QByteArray& salida) const {
    for (int i = 0; i < int(formas_.size()); ++i) {
        if (i)
            salida.append(separador_);
        Celda(i, salida);
    }
    salida.append(finLinea_);
}

QByteArray VolcadoFilas::Todo() {
    QByteArray salida;
    // Reserva aproximada: lo que ocupan los datos más separadores.
    salida.reserve(qsizetype(rs_.MemoriaUsada()) +
                   qsizetype(rs_.RecordCount()) * (rs_.CantidadCampos() + 2) + 64);
    if (destino_ == Destino::Csv)
        salida.append("\xEF\xBB\xBF");
    Encabezado(salida);
    for (rs_.MoveFirst(); !rs_.Eof(); rs_.MoveNext())
        Fila(salida);
    return salida;
}
