#include "LecturaFilas.h"
#include "TextoOdbc.h"
#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>
#include <sqlext.h>

namespace {

// Cómo se trae y se guarda cada columna de una consulta.
struct ColumnaOdbc {
    SQLSMALLINT tipoC = SQL_C_WCHAR;
    SQLLEN ancho = 0;   // bytes de cada celda en el búfer
    bool larga = false; // sin largo conocido o de más de 4000 caracteres
    std::vector<char> datos;
    std::vector<SQLLEN> indicadores;
};

constexpr SQLULEN LargoMaximoEnBloque = 4000;
constexpr qsizetype BytesPorBloque = 8 << 20;
constexpr SQLULEN FilasPorBloque = 1024;
constexpr qsizetype MemoriaMaxima = 3'500'000'000;

const ResultadoLectura FallaDelDriver{false, true, {}, {}};

Recordset::Tipo Clasificar(SQLSMALLINT tipoSql, SQLULEN tamano, SQLSMALLINT decimales,
                           ColumnaOdbc& c) {
    auto texto = [&](SQLULEN caracteres) {
        c.tipoC = SQL_C_WCHAR;
        c.larga = caracteres == 0 || caracteres > LargoMaximoEnBloque;
        c.ancho = c.larga ? 0 : SQLLEN(caracteres + 1) * SQLLEN(sizeof(SQLWCHAR));
    };
    switch (tipoSql) {
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_BIT:
        c.tipoC = SQL_C_SBIGINT;
        c.ancho = sizeof(SQLBIGINT);
        return Recordset::Tipo::Entero;
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        // como texto: sin redondeos, y un valor con decimales nunca se trunca
        c.tipoC = SQL_C_CHAR;
        c.ancho = SQLLEN(std::max<SQLULEN>(tamano, 38) + 8);
        return decimales == 0 && tamano > 0 && tamano <= 18 ? Recordset::Tipo::Entero
                                                            : Recordset::Tipo::Decimal;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        c.tipoC = SQL_C_CHAR;
        c.ancho = 64;
        return Recordset::Tipo::Decimal;
    case SQL_TYPE_DATE:
    case SQL_DATE:
        c.tipoC = SQL_C_TYPE_DATE;
        c.ancho = sizeof(SQL_DATE_STRUCT);
        return Recordset::Tipo::Fecha;
    case SQL_TYPE_TIMESTAMP:
    case SQL_TIMESTAMP:
        c.tipoC = SQL_C_TYPE_TIMESTAMP;
        c.ancho = sizeof(SQL_TIMESTAMP_STRUCT);
        return Recordset::Tipo::FechaHora;
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
    case SQL_WCHAR:
    case SQL_WVARCHAR:
    case SQL_WLONGVARCHAR:
    case SQL_GUID:
        texto(tamano);
        return Recordset::Tipo::Texto;
    case SQL_BINARY:
    case SQL_VARBINARY:
    case SQL_LONGVARBINARY:
        texto(tamano > LargoMaximoEnBloque / 2 ? 0 : tamano * 2); // en hexadecimal
        return Recordset::Tipo::Otro;
    default:
        texto(tamano == 0 ? 0 : std::max<SQLULEN>(tamano, 64));
        return Recordset::Tipo::Otro;
    }
}

bool EsFijo(SQLSMALLINT tipoC) {
    return tipoC != SQL_C_CHAR && tipoC != SQL_C_WCHAR;
}

void Dos(char* p, int v) {
    p[0] = char('0' + (v / 10) % 10);
    p[1] = char('0' + v % 10);
}

// Fecha y hora como texto "yyyy-MM-dd[ HH:mm:ss[.zzz]]" (así lo lee el Recordset).
qsizetype FormatearFecha(char* p, int anio, int mes, int dia) {
    const int a = std::clamp(anio, 0, 9999);
    Dos(p, a / 100);
    Dos(p + 2, a % 100);
    p[4] = '-';
    Dos(p + 5, mes);
    p[7] = '-';
    Dos(p + 8, dia);
    return 10;
}
qsizetype FormatearFechaHora(char* p, const SQL_TIMESTAMP_STRUCT& t) {
    qsizetype n = FormatearFecha(p, t.year, t.month, t.day);
    p[n++] = ' ';
    Dos(p + n, t.hour);
    p[n + 2] = ':';
    Dos(p + n + 3, t.minute);
    p[n + 5] = ':';
    Dos(p + n + 6, t.second);
    n += 8;
    const unsigned ms = t.fraction / 1000000;
    if (ms) {
        p[n] = '.';
        p[n + 1] = char('0' + ms / 100);
        Dos(p + n + 2, int(ms % 100));
        n += 4;
    }
    return n;
}

// Guarda una celda de tipo fijo (entero, fecha, fecha y hora).
void AgregarFijo(Recordset& rs, int columna, SQLSMALLINT tipoC, const char* dato) {
    char texto[32];
    qsizetype n = 0;
    switch (tipoC) {
    case SQL_C_SBIGINT: {
        SQLBIGINT v;
        std::memcpy(&v, dato, sizeof v);
        n = std::to_chars(texto, texto + sizeof texto, v).ptr - texto;
        break;
    }
    case SQL_C_TYPE_DATE: {
        SQL_DATE_STRUCT f;
        std::memcpy(&f, dato, sizeof f);
        n = FormatearFecha(texto, f.year, f.month, f.day);
        break;
    }
    case SQL_C_TYPE_TIMESTAMP: {
        SQL_TIMESTAMP_STRUCT f;
        std::memcpy(&f, dato, sizeof f);
        n = FormatearFechaHora(texto, f);
        break;
    }
    }
    rs.AgregarCelda(columna, texto, n);
}

void AgregarTexto(Recordset& rs, int columna, SQLSMALLINT tipoC, const char* dato,
                  qsizetype bytes) {
    if (tipoC == SQL_C_WCHAR)
        rs.AgregarCeldaUtf16(columna, reinterpret_cast<const char16_t*>(dato), bytes / 2);
    else
        rs.AgregarCelda(columna, dato, bytes);
}

// Lee por trozos el valor completo de una columna de la fila actual.
// nullopt: falló SQLGetData (el diagnóstico queda en la sentencia).
std::optional<bool> LeerTrozos(SQLHSTMT h, SQLUSMALLINT columna, SQLSMALLINT tipoC,
                               QByteArray& bytes) {
    bytes.clear();
    alignas(8) char trozo[16384];
    const SQLLEN terminador = tipoC == SQL_C_WCHAR ? 2 : 1;
    const SQLLEN util = SQLLEN(sizeof trozo) - terminador;
    for (;;) {
        SQLLEN indicador = 0;
        const SQLRETURN r = SQLGetData(h, columna, tipoC, trozo, sizeof trozo, &indicador);
        if (r == SQL_NO_DATA)
            return true;
        if (!SQL_SUCCEEDED(r))
            return std::nullopt;
        if (indicador == SQL_NULL_DATA)
            return false;
        const bool completo = indicador != SQL_NO_TOTAL && indicador <= util;
        bytes.append(trozo, completo ? indicador : util);
        if (completo)
            return true;
    }
}

// Columnas del resultado: nombre y tipo al Recordset, forma de lectura a columnas.
bool Describir(SQLHSTMT h, Recordset& rs, std::vector<ColumnaOdbc>& columnas) {
    std::vector<SQLWCHAR> nombre(256);
    for (size_t i = 0; i < columnas.size(); ++i) {
        const SQLUSMALLINT numero = SQLUSMALLINT(i + 1);
        SQLSMALLINT largoNombre = 0, tipoSql = 0, decimales = 0, nulos = 0;
        SQLULEN tamano = 0;
        auto describir = [&] {
            return SQLDescribeColW(h, numero, nombre.data(), SQLSMALLINT(nombre.size()),
                                   &largoNombre, &tipoSql, &tamano, &decimales, &nulos);
        };
        SQLRETURN r = describir();
        if (SQL_SUCCEEDED(r) && largoNombre >= SQLSMALLINT(nombre.size())) {
            nombre.resize(size_t(largoNombre) + 1);
            r = describir();
        }
        if (!SQL_SUCCEEDED(r))
            return false;
        const Recordset::Tipo tipo = Clasificar(tipoSql, tamano, decimales, columnas[i]);
        rs.AgregarColumna(DesdeW(nombre.data(), std::clamp<qsizetype>(
                                                    largoNombre, 0, qsizetype(nombre.size()) - 1)),
                          tipo);
    }
    return true;
}

// Enlaza cada columna a su arreglo de celdas para leer de a bloques.
bool Enlazar(SQLHSTMT h, std::vector<ColumnaOdbc>& columnas, SQLULEN filas,
             std::vector<SQLUSMALLINT>& estados, SQLULEN& leidas) {
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE,
                                      reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0)) ||
        !SQL_SUCCEEDED(
            SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(filas), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, estados.data(), 0)) ||
        !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &leidas, 0)))
        return false;
    for (size_t i = 0; i < columnas.size(); ++i) {
        ColumnaOdbc& c = columnas[i];
        if (!SQL_SUCCEEDED(SQLBindCol(h, SQLUSMALLINT(i + 1), c.tipoC, c.datos.data(), c.ancho,
                                      c.indicadores.data())))
            return false;
    }
    return true;
}

// Guarda la celda f de la columna. La que no entró en su búfer, la de una
// columna larga y, de a una fila, todo texto se leen enteras por trozos.
std::optional<ResultadoLectura> AgregarDeFila(SQLHSTMT h, Recordset& rs, int i,
                                              const ColumnaOdbc& c, size_t f, bool deAUna,
                                              QByteArray& trozos) {
    if (!c.larga && (EsFijo(c.tipoC) || !deAUna)) {
        const char* dato = c.datos.data() + f * size_t(c.ancho);
        const SQLLEN indicador = c.indicadores[f];
        const SQLLEN capacidad = c.ancho - (c.tipoC == SQL_C_WCHAR ? 2 : 1);
        if (indicador == SQL_NULL_DATA) {
            rs.AgregarNulo(i);
            return std::nullopt;
        }
        if (EsFijo(c.tipoC)) {
            AgregarFijo(rs, i, c.tipoC, dato);
            return std::nullopt;
        }
        if (indicador != SQL_NO_TOTAL && indicador <= capacidad) {
            AgregarTexto(rs, i, c.tipoC, dato, indicador);
            return std::nullopt;
        }
    }
    std::optional<bool> hayValor;
    if (deAUna ||
        SQL_SUCCEEDED(SQLSetPos(h, SQLSETPOSIROW(f + 1), SQL_POSITION, SQL_LOCK_NO_CHANGE)))
        hayValor = LeerTrozos(h, SQLUSMALLINT(i + 1), c.tipoC, trozos);
    if (!hayValor)
        return ResultadoLectura{false, true, QStringLiteral("01004"),
                                QStringLiteral("No se pudo leer completo el valor de la "
                                               "columna %1.")
                                    .arg(rs.NombreCampo(i))};
    if (*hayValor)
        AgregarTexto(rs, i, c.tipoC, trozos.constData(), trozos.size());
    else
        rs.AgregarNulo(i);
    return std::nullopt;
}

} // namespace

ResultadoLectura LeerFilas(SQLHSTMT h, Recordset& rs) {
    SQLSMALLINT cantidad = 0;
    if (!SQL_SUCCEEDED(SQLNumResultCols(h, &cantidad)))
        return FallaDelDriver;
    if (cantidad <= 0) { // la sentencia no devuelve filas
        SQLMoreResults(h);
        rs.TerminarCarga();
        return {};
    }
    std::vector<ColumnaOdbc> columnas(static_cast<size_t>(cantidad));
    if (!Describir(h, rs, columnas))
        return FallaDelDriver;

    // Con columnas largas se va de a una fila y cada celda se pide con
    // SQLGetData en el orden de las columnas; si no, por bloques enlazados.
    const bool deAUna =
        std::any_of(columnas.begin(), columnas.end(), [](const auto& c) { return c.larga; });
    qsizetype bytesFila = 0;
    for (const ColumnaOdbc& c : columnas)
        bytesFila += c.ancho + qsizetype(sizeof(SQLLEN));
    const SQLULEN filas =
        deAUna ? 1
               : std::clamp<SQLULEN>(SQLULEN(BytesPorBloque / std::max<qsizetype>(bytesFila, 1)), 1,
                                     FilasPorBloque);
    for (ColumnaOdbc& c : columnas) {
        c.datos.resize(size_t(c.ancho) * filas);
        c.indicadores.resize(filas);
    }
    std::vector<SQLUSMALLINT> estados(filas);
    SQLULEN leidas = 0;
    if (!deAUna && !Enlazar(h, columnas, filas, estados, leidas))
        return FallaDelDriver;

    QByteArray trozos;
    for (;;) {
        const SQLRETURN r = SQLFetch(h);
        if (r == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(r))
            return FallaDelDriver;
        const size_t n = deAUna ? 1 : std::min<size_t>(leidas, filas);
        if (std::any_of(estados.begin(), estados.begin() + qsizetype(deAUna ? 0 : n),
                        [](SQLUSMALLINT e) { return e == SQL_ROW_ERROR; }))
            return FallaDelDriver;
        for (size_t i = 0; i < columnas.size(); ++i) {
            ColumnaOdbc& c = columnas[i];
            if (deAUna && !c.larga && EsFijo(c.tipoC) &&
                !SQL_SUCCEEDED(SQLGetData(h, SQLUSMALLINT(i + 1), c.tipoC, c.datos.data(), c.ancho,
                                          c.indicadores.data())))
                return FallaDelDriver;
            for (size_t f = 0; f < n; ++f)
                if (auto falla = AgregarDeFila(h, rs, int(i), c, f, deAUna, trozos))
                    return *falla;
        }
        if (rs.MemoriaUsada() >= MemoriaMaxima)
            return {false, false, QStringLiteral("HY001"),
                    QStringLiteral("El resultado de la consulta es demasiado grande.")};
    }
    SQLCloseCursor(h);
    rs.TerminarCarga();
    return {};
}
