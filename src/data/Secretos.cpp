#include "Secretos.h"
#include "SimbolosSql.h"

using namespace simbolos;

namespace {

using Clase = SimboloSql::Clase;

// Fin de una clave que empieza en el símbolo i: hasta el primer espacio o
// coma (una clave rara como a;b no queda a medias). Un ';' final que cierra
// la sentencia no es parte de ella.
size_t FinClaveSuelta(const Simbolos& s, size_t i) {
    size_t f = i;
    while (f < s.size() && s[f].clase != Clase::Espacio && s[f].clase != Clase::Comentario &&
           !EsSigno(s[f], u','))
        ++f;
    if (f > i + 1 && EsSigno(s[f - 1], u';'))
        --f;
    return f;
}

// Oculta la clave que empieza en el símbolo significativo desde i, con lo
// que la sigue pegado (una clave entre comillas con algo detrás también);
// devuelve dónde sigue el texto.
size_t OcultarClave(Simbolos& s, size_t i) {
    i = Siguiente(s, i);
    if (i >= s.size())
        return i;
    const size_t f = FinClaveSuelta(s, i);
    if (f == i)
        return i; // una coma: no hay clave
    s[i].texto = SecretoOculto;
    for (size_t k = i + 1; k < f; ++k)
        s[k].texto.clear();
    return f;
}

// "IDENTIFIED BY [VALUES] clave [REPLACE clave]".
QString OcultarIdentifiedBy(const QString& texto) {
    if (!texto.contains(QLatin1String("identified"), Qt::CaseInsensitive))
        return texto;
    Simbolos s = DividirEnSimbolos(texto);
    for (size_t i = 0; i < s.size(); ++i) {
        if (!EsPalabra(s[i], QLatin1String("identified")))
            continue;
        size_t j = Siguiente(s, i + 1);
        if (j >= s.size() || !EsPalabra(s[j], QLatin1String("by")))
            continue;
        j = Siguiente(s, j + 1);
        if (j < s.size() && EsPalabra(s[j], QLatin1String("values")))
            ++j;
        j = OcultarClave(s, j);
        // GRANT ... IDENTIFIED BY p1, p2: una lista de claves; un nombre
        // seguido de IDENTIFIED ya es el de otro rol.
        for (size_t k = Siguiente(s, j); k < s.size() && EsSigno(s[k], u','); k = Siguiente(s, j)) {
            const size_t m = Siguiente(s, k + 1);
            const size_t trasM = Siguiente(s, m + 1);
            if (m >= s.size() ||
                (trasM < s.size() && EsPalabra(s[trasM], QLatin1String("identified"))))
                break;
            j = OcultarClave(s, m);
        }
        const size_t k = Siguiente(s, j);
        if (k < s.size() && EsPalabra(s[k], QLatin1String("replace")))
            j = OcultarClave(s, k + 1);
        i = j - 1;
    }
    return Unir(s, 0, s.size());
}

bool EsClaveDeSecreto(const QString& texto, qsizetype i, qsizetype& largo) {
    for (QLatin1StringView clave : {QLatin1StringView("password"), QLatin1StringView("pwd")}) {
        if (QStringView(texto).mid(i, clave.size()).compare(clave, Qt::CaseInsensitive) == 0) {
            largo = clave.size();
            return true;
        }
    }
    return false;
}

// Fin del valor de un atributo que empieza en i: entre llaves ("}}" es una
// llave; lo que sigue a la de cierre hasta el ';' también es del atributo) o
// hasta el próximo ';', el fin de la línea o la comilla que abrió la cadena
// (si la clave venía justo después de una). Los blancos finales no son parte.
qsizetype FinValor(const QString& texto, qsizetype i, QChar comilla) {
    const qsizetype n = texto.size();
    const qsizetype inicio = i;
    if (i < n && texto[i] == u'{') {
        for (++i; i < n; ++i) {
            if (texto[i] != u'}')
                continue;
            if (i + 1 < n && texto[i + 1] == u'}') {
                ++i;
                continue;
            }
            ++i;
            break;
        }
    }
    while (i < n && texto[i] != u';' && texto[i] != u'\r' && texto[i] != u'\n' &&
           (comilla.isNull() || texto[i] != comilla))
        ++i;
    while (i > inicio && texto[i - 1] == u' ')
        --i;
    return i;
}

// "...;PWD=valor;..." y "Password=..." de las cadenas de conexión. La clave
// cuenta después de un ';', o al comienzo de una línea o de una palabra si el
// '=' la sigue sin espacio y el valor no es un literal de SQL (así
// "SET password = 'x'" no es una cadena de conexión).
QString OcultarCadenasConexion(const QString& texto) {
    if (!texto.contains(QLatin1String("pwd"), Qt::CaseInsensitive) &&
        !texto.contains(QLatin1String("password"), Qt::CaseInsensitive))
        return texto;
    QString r;
    const qsizetype n = texto.size();
    qsizetype copiado = 0;
    bool oculto = false;
    for (qsizetype i = 0; i < n; ++i) {
        qsizetype largo = 0;
        if (!EsClaveDeSecreto(texto, i, largo))
            continue;
        const qsizetype fin = i + largo;
        if (fin < n && (texto[fin].isLetterOrNumber() || texto[fin] == u'_'))
            continue;
        qsizetype antes = i - 1;
        while (antes >= 0 && texto[antes] == u' ')
            --antes;
        const bool trasPuntoYComa = antes >= 0 && texto[antes] == u';';
        const bool alComienzo =
            i == 0 || (!texto[i - 1].isLetterOrNumber() && texto[i - 1] != u'_');
        qsizetype igual = fin;
        while (igual < n && texto[igual] == u' ')
            ++igual;
        if (igual >= n || texto[igual] != u'=')
            continue;
        const bool pegado = igual == fin && !(fin + 1 < n && texto[fin + 1] == u'\'');
        if (!trasPuntoYComa && !(alComienzo && pegado))
            continue;
        qsizetype valor = igual + 1;
        while (valor < n && texto[valor] == u' ')
            ++valor;
        const QChar antesClave = i > 0 ? texto[i - 1] : QChar();
        const QChar comilla = antesClave == u'\'' || antesClave == u'"' ? antesClave : QChar();
        const qsizetype finValor = FinValor(texto, valor, comilla);
        r += QStringView(texto).mid(copiado, valor - copiado);
        r += SecretoOculto;
        copiado = finValor;
        oculto = true;
        i = finValor - 1;
    }
    if (!oculto)
        return texto;
    r += QStringView(texto).mid(copiado);
    return r;
}

// CodigoAccesoCorrecto(prefijo, codigo): el código tipeado es el del día en
// todos los puestos y no llega a un registro.
QString OcultarCodigoAcceso(const QString& texto) {
    if (!texto.contains(QLatin1String("CodigoAccesoCorrecto"), Qt::CaseInsensitive))
        return texto;
    Simbolos s = DividirEnSimbolos(texto);
    for (size_t i = 0; i < s.size(); ++i) {
        if (!EsPalabra(s[i], QLatin1String("CodigoAccesoCorrecto")))
            continue;
        const size_t abre = Siguiente(s, i + 1);
        if (abre >= s.size() || !EsSigno(s[abre], u'('))
            continue;
        // Todo literal después del primer argumento (el prefijo).
        int nivel = 0;
        bool trasPrefijo = false;
        size_t k = abre;
        for (; k < s.size(); ++k) {
            if (EsSigno(s[k], u'('))
                ++nivel;
            else if (EsSigno(s[k], u')') && --nivel == 0)
                break;
            else if (nivel == 1 && EsSigno(s[k], u','))
                trasPrefijo = true;
            else if (trasPrefijo && s[k].clase == Clase::Literal)
                s[k].texto = SecretoOculto;
        }
        i = k;
    }
    return Unir(s, 0, s.size());
}

} // namespace

QString OcultarSecretos(const QString& texto) {
    // Ocultar una clave con comillas cambia cómo se lee lo que sigue (su
    // comilla ya no abre un literal): se repite hasta que nada cambie.
    QString r = texto;
    for (int vuelta = 0; vuelta < 8; ++vuelta) {
        QString otra = OcultarCodigoAcceso(OcultarCadenasConexion(OcultarIdentifiedBy(r)));
        if (otra == r)
            break;
        r = std::move(otra);
    }
    return r;
}
