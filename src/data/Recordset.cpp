#include "Recordset.h"
#include "ClaveNombre.h"
#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>

namespace {

QMetaType TipoQt(Recordset::Tipo tipo) {
    switch (tipo) {
    case Recordset::Tipo::Entero:
        return QMetaType::fromType<qlonglong>();
    case Recordset::Tipo::Decimal:
        return QMetaType::fromType<double>();
    case Recordset::Tipo::Fecha:
        return QMetaType::fromType<QDate>();
    case Recordset::Tipo::FechaHora:
        return QMetaType::fromType<QDateTime>();
    default:
        return QMetaType::fromType<QString>();
    }
}

// Entero de cifras fijas; -1 si hay algo que no es cifra.
int Cifras(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i) {
        if (p[i] < '0' || p[i] > '9')
            return -1;
        v = v * 10 + (p[i] - '0');
    }
    return v;
}

// "yyyy-MM-dd"
QDate LeerFecha(const char* p, qsizetype n) {
    if (n < 10 || p[4] != '-' || p[7] != '-')
        return {};
    return QDate(Cifras(p, 4), Cifras(p + 5, 2), Cifras(p + 8, 2));
}

// "yyyy-MM-dd HH:mm:ss[.zzz...]"
QDateTime LeerFechaHora(const char* p, qsizetype n) {
    const QDate fecha = LeerFecha(p, n);
    if (!fecha.isValid())
        return {};
    if (n < 19)
        return QDateTime(fecha, QTime(0, 0));
    int ms = 0;
    if (n > 20 && p[19] == '.') {
        int cifras = 0;
        for (qsizetype i = 20; i < n && cifras < 3 && p[i] >= '0' && p[i] <= '9'; ++i, ++cifras)
            ms = ms * 10 + (p[i] - '0');
        for (; cifras < 3; ++cifras)
            ms *= 10;
    }
    return QDateTime(fecha, QTime(Cifras(p + 11, 2), Cifras(p + 14, 2), Cifras(p + 17, 2), ms));
}

} // namespace

QString Recordset::NombreCampo(int campo) const {
    if (campo < 0 || campo >= CantidadCampos())
        return {};
    return columnas_[size_t(campo)].nombre;
}

int Recordset::IndiceCampo(const QString& nombre) const {
    for (size_t i = 0; i < columnas_.size(); ++i)
        if (MismoNombre(columnas_[i].nombre, nombre))
            return int(i);
    return -1;
}

QStringList Recordset::NombresCampos() const {
    QStringList r;
    for (const auto& c : columnas_)
        r << c.nombre;
    return r;
}

QVariant Recordset::Valor(int campo) const {
    if (!abierto_ || actual_ < 0 || actual_ >= filas_ || campo < 0 || campo >= CantidadCampos())
        return {};
    return Convertir(columnas_[size_t(campo)], actual_);
}

QVariant Recordset::Valor(const QString& nombre) const {
    return Valor(IndiceCampo(nombre));
}

bool Recordset::EsNulo(int campo) const {
    if (!abierto_ || actual_ < 0 || actual_ >= filas_ || campo < 0 || campo >= CantidadCampos())
        return true;
    return Nulo(columnas_[size_t(campo)], actual_);
}

QVariant Recordset::Convertir(const Columna& c, int fila) const {
    if (Nulo(c, fila))
        return QVariant(TipoQt(c.tipo));
    const quint32 inicio = fila ? c.finales[size_t(fila) - 1] : 0;
    const char* p = c.datos.constData() + inicio;
    const qsizetype n = qsizetype(c.finales[size_t(fila)] - inicio);
    const QByteArrayView texto(p, n);
    bool ok = false;
    switch (c.tipo) {
    case Tipo::Entero: {
        const qlonglong v = texto.toLongLong(&ok);
        if (ok)
            return v;
        const double d = texto.toDouble(&ok); // fuera del rango de 64 bits
        if (ok)
            return d;
        break;
    }
    case Tipo::Decimal: {
        const double d = texto.toDouble(&ok);
        if (ok)
            return d;
        // algunos drivers usan la coma decimal de la sesión
        const double d2 = QByteArray(p, n).replace(',', '.').toDouble(&ok);
        if (ok)
            return d2;
        break;
    }
    case Tipo::Fecha: {
        const QDate f = LeerFecha(p, n);
        if (f.isValid())
            return f;
        break;
    }
    case Tipo::FechaHora: {
        const QDateTime f = LeerFechaHora(p, n);
        if (f.isValid())
            return f;
        break;
    }
    default:
        break;
    }
    return QString::fromUtf8(p, n);
}

void Recordset::Reiniciar() {
    columnas_.clear();
    filas_ = 0;
    actual_ = 0;
    abierto_ = false;
}

int Recordset::AgregarColumna(const QString& nombre, Tipo tipo) {
    Columna c;
    c.nombre = nombre;
    c.tipo = tipo;
    columnas_.push_back(std::move(c));
    return int(columnas_.size()) - 1;
}

void Recordset::AgregarCelda(int columna, const char* datos, qsizetype largo) {
    Columna& c = columnas_[size_t(columna)];
    if (largo > 0)
        c.datos.append(datos, largo);
    c.finales.push_back(quint32(c.datos.size()));
}

void Recordset::AgregarCeldaUtf16(int columna, const char16_t* datos, qsizetype largo) {
    Columna& c = columnas_[size_t(columna)];
    QByteArray& b = c.datos;
    const qsizetype base = b.size();
    auto crecer = [&b](qsizetype largoNuevo) {
        if (b.capacity() < largoNuevo)
            b.reserve(std::max(largoNuevo, b.capacity() * 2));
        b.resize(largoNuevo);
    };
    // Camino rápido: texto ASCII, un byte por carácter.
    crecer(base + largo);
    char* d = b.data() + base;
    qsizetype i = 0;
    for (; i < largo && datos[i] < 0x80; ++i)
        d[i] = char(datos[i]);
    if (i < largo) {
        crecer(base + i + (largo - i) * 3);
        unsigned char* o = reinterpret_cast<unsigned char*>(b.data() + base + i);
        for (; i < largo; ++i) {
            char32_t u = datos[i];
            if (u < 0x80) {
                *o++ = u;
                continue;
            }
            if (u < 0x800) {
                *o++ = 0xC0 | (u >> 6);
                *o++ = 0x80 | (u & 0x3F);
                continue;
            }
            if (u >= 0xD800 && u < 0xDC00 && i + 1 < largo && datos[i + 1] >= 0xDC00 &&
                datos[i + 1] < 0xE000) {
                u = 0x10000 + ((u - 0xD800) << 10) + (datos[++i] - 0xDC00);
                *o++ = 0xF0 | (u >> 18);
                *o++ = 0x80 | ((u >> 12) & 0x3F);
                *o++ = 0x80 | ((u >> 6) & 0x3F);
                *o++ = 0x80 | (u & 0x3F);
                continue;
            }
            if (u >= 0xD800 && u < 0xE000)
                u = 0xFFFD; // sustituto suelto
            *o++ = 0xE0 | (u >> 12);
            *o++ = 0x80 | ((u >> 6) & 0x3F);
            *o++ = 0x80 | (u & 0x3F);
        }
        b.resize(reinterpret_cast<char*>(o) - b.constData());
    }
    c.finales.push_back(quint32(b.size()));
}

void Recordset::AgregarNulo(int columna) {
    Columna& c = columnas_[size_t(columna)];
    const size_t fila = c.finales.size();
    c.nulos.resize(fila + 1, 0);
    c.nulos[fila] = 1;
    c.finales.push_back(quint32(c.datos.size()));
}

void Recordset::TerminarCarga() {
    size_t filas = columnas_.empty() ? 0 : columnas_[0].finales.size();
    for (const auto& c : columnas_)
        filas = std::min(filas, c.finales.size());
    for (auto& c : columnas_) {
        c.finales.resize(filas);
        c.finales.shrink_to_fit();
        if (c.nulos.size() > filas)
            c.nulos.resize(filas);
        c.nulos.shrink_to_fit();
        c.datos.squeeze();
    }
    filas_ = int(filas);
    actual_ = 0;
    abierto_ = true;
}

qsizetype Recordset::MemoriaUsada() const {
    qsizetype total = 0;
    for (const auto& c : columnas_)
        total += c.datos.capacity() + qsizetype(c.finales.capacity() * sizeof(quint32)) +
                 qsizetype(c.nulos.capacity());
    return total;
}
