// Fuzzing de las casillas de fórmula, de su paso a una consulta y de los
// patrones de formato. La entrada se parte en tres: casilla, consulta y
// patrón. Invariantes: un texto leído vuelve igual desde su literal SQL, una
// consulta sin marcas no cambia, el reemplazo nunca toca lo que está fuera
// de las marcas (los valores no abren ni cierran nada), y ningún patrón ni
// valor rompe el formato.
#include "Exigir.h"
#include "FormatosEs.h"
#include "Formulas.h"
#include <QDate>
#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Deshace un literal SQL de texto: sin las comillas de los extremos y con las
// duplicadas simples. nullopt si no tiene esa forma.
std::optional<QString> TextoDeLiteral(const QString& literal) {
    if (literal.size() < 2 || !literal.startsWith(u'\'') || !literal.endsWith(u'\''))
        return std::nullopt;
    const QString adentro = literal.mid(1, literal.size() - 2);
    QString r;
    for (qsizetype i = 0; i < adentro.size(); ++i) {
        r += adentro[i];
        if (adentro[i] == u'\'') {
            if (i + 1 >= adentro.size() || adentro[i + 1] != u'\'')
                return std::nullopt; // una comilla suelta cerraría el literal
            ++i;
        }
    }
    return r;
}

void ProbarCasilla(const QString& casilla, TablaFormulas& tabla) {
    QString error;
    const auto a = LeerAsignacionFormula(casilla, &error);
    if (!a) {
        EXIGIR(!error.isEmpty());
        return;
    }
    EXIGIR(NombreFormulaValido(a->nombre));
    EXIGIR(!a->valor.texto.contains(QChar(0)));
    const QString literal = LiteralSql(a->valor);
    if (a->valor.esTexto) {
        const auto vuelta = TextoDeLiteral(literal);
        EXIGIR(vuelta.has_value());
        EXIGIR(*vuelta == a->valor.texto);
    } else {
        static const QRegularExpression numero(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?$"));
        EXIGIR(numero.match(literal).hasMatch());
        EXIGIR(!std::isnan(a->valor.numero));
    }
    tabla.Poner(a->nombre, a->valor);
    // Se encuentra con cualquier grafía del mismo nombre (una sola regla al
    // guardar y al buscar).
    const QString n = a->nombre;
    for (const QString& grafia :
         {n.toUpper(), n.toLower(), n.toCaseFolded(), n.normalized(QString::NormalizationForm_D),
          n.normalized(QString::NormalizationForm_KC)})
        EXIGIR(tabla.Buscar(grafia) != nullptr);
}

void ProbarConsulta(const QString& sql, const TablaFormulas& tabla) {
    QString r, error;
    if (!SustituirFormulas(sql, tabla, r, &error)) {
        EXIGIR(!error.isEmpty());
        return;
    }
    if (!sql.contains(QStringLiteral("{@")))
        EXIGIR(r == sql);
    // Los valores entran como literales cerrados: en el resultado no queda
    // ninguna marca fuera de un texto o comentario, así que otra pasada sin
    // fórmulas no encuentra nada que reemplazar.
    QString otra;
    EXIGIR(SustituirFormulas(r, TablaFormulas(), otra));
    EXIGIR(otra == r);
}

void ProbarFormato(const QString& patron, double numero) {
    QString error;
    const auto f = FormatoValor::Compilar(patron, &error);
    if (!f) {
        EXIGIR(!error.isEmpty());
        return;
    }
    const qlonglong entero = std::isfinite(numero) ? qlonglong(std::clamp(numero, -9e18, 9e18)) : 0;
    const QVariant valores[] = {QVariant(numero),
                                QVariant(entero),
                                QVariant(QDate(2024, 2, 29)),
                                QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59))),
                                QVariant(QStringLiteral("texto")),
                                QVariant(QMetaType::fromType<double>())};
    for (const QVariant& v : valores)
        EXIGIR(f->Aplicar(v).size() <=
               patron.size() * 12 + 600); // un double entero: 309 cifras y sus puntos
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    const QString entrada = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(tam));
    const QStringList partes = entrada.split(QChar(u'\x1f'));
    TablaFormulas tabla;
    const QStringList casillas = partes.value(0).split(u'\n');
    for (const QString& casilla : casillas)
        ProbarCasilla(casilla, tabla);
    ProbarConsulta(partes.value(1), tabla);
    double numero = 0;
    if (tam >= sizeof numero)
        std::memcpy(&numero, datos, sizeof numero);
    ProbarFormato(partes.value(2), numero);
    return 0;
}
