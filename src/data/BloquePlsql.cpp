#include "BloquePlsql.h"
#include <initializer_list>

using namespace simbolos;

namespace {

using Clase = SimboloSql::Clase;

bool EsUna(const SimboloSql& t, std::initializer_list<const char*> palabras) {
    for (const char* p : palabras)
        if (EsPalabra(t, QLatin1String(p)))
            return true;
    return false;
}

// Palabras con que empieza una sentencia de PL/SQL que no es una llamada.
bool PalabraDeSentencia(const SimboloSql& t) {
    return EsUna(t, {"begin",     "declare", "end",    "if",      "elsif",  "else",
                     "then",      "loop",    "while",  "for",     "exit",   "continue",
                     "return",    "raise",   "null",   "goto",    "case",   "when",
                     "open",      "close",   "fetch",  "execute", "commit", "rollback",
                     "savepoint", "select",  "insert", "update",  "delete", "merge",
                     "lock",      "set",     "with",   "perform", "call",   "exception",
                     "pragma",    "get",     "assert", "move",    "forall", "values"});
}

enum class Despues { Nada, Confirmar, Deshacer };

// Un COMMIT o ROLLBACK del primer nivel: desde su palabra hasta su ';'.
struct Corte {
    size_t inicio = 0, fin = 0; // [inicio, fin]
    Despues despues = Despues::Nada;
};

class LectorBloque {
public:
    explicit LectorBloque(const Simbolos& s) : t_(s) {}

    std::optional<SentenciaAdaptada> Adaptar(const std::vector<size_t>& sig);

private:
    size_t Sig(size_t i) const { return Siguiente(t_, i); }
    bool Leer(size_t desde);          // el cuerpo; falso si no termina en END
    bool Declaraciones(size_t desde); // hasta el BEGIN principal; falso si no lo hay
    void Llamada(size_t i);           // nombre(...); → PERFORM nombre(...);
    void SelectInto(size_t i);        // SELECT ... INTO → INTO STRICT
    std::optional<Despues> Transaccion(size_t i, size_t& fin) const;
    QString TextoDo(const QString& marca, size_t desde, size_t hasta) const;

    Simbolos t_;
    size_t declare_ = size_t(-1), begin_ = 0, excepcion_ = 0, end_ = 0;
    bool conExcepcion_ = false;
    std::vector<Corte> cortes_;
    QString rechazo_;
};

// "COMMIT [WORK] ;" o "ROLLBACK [WORK] ;" desde i.
std::optional<Despues> LectorBloque::Transaccion(size_t i, size_t& fin) const {
    const bool commit = EsPalabra(t_[i], QLatin1String("commit"));
    if (!commit && !EsPalabra(t_[i], QLatin1String("rollback")))
        return std::nullopt;
    size_t j = Sig(i + 1);
    if (j < t_.size() && EsPalabra(t_[j], QLatin1String("work")))
        j = Sig(j + 1);
    if (j >= t_.size() || !EsSigno(t_[j], u';'))
        return std::nullopt;
    fin = j;
    return commit ? Despues::Confirmar : Despues::Deshacer;
}

// Una sentencia que es solo un nombre (con dueño) y, quizás, sus argumentos.
void LectorBloque::Llamada(size_t i) {
    if (!EsNombre(t_[i]) || PalabraDeSentencia(t_[i]))
        return;
    size_t ultimo = i;
    size_t j = Sig(i + 1);
    while (j + 1 < t_.size() && EsSigno(t_[j], u'.')) {
        const size_t k = Sig(j + 1);
        if (k >= t_.size() || !EsNombre(t_[k]))
            return;
        ultimo = k;
        j = Sig(k + 1);
    }
    if (j >= t_.size())
        return;
    bool sinArgumentos = EsSigno(t_[j], u';');
    if (!sinArgumentos) {
        if (!EsSigno(t_[j], u'('))
            return;
        int nivel = 0;
        for (; j < t_.size(); ++j) {
            if (EsSigno(t_[j], u'('))
                ++nivel;
            else if (EsSigno(t_[j], u')') && --nivel == 0)
                break;
        }
        j = Sig(j + 1);
        if (j >= t_.size() || !EsSigno(t_[j], u';'))
            return;
    }
    t_[i].texto.prepend(QLatin1String("PERFORM "));
    if (sinArgumentos)
        t_[ultimo].texto += QLatin1String("()");
}

// PL/SQL exige una fila exacta en SELECT ... INTO; PL/pgSQL, solo con STRICT.
void LectorBloque::SelectInto(size_t i) {
    int nivel = 0;
    size_t anterior = i;
    for (size_t j = Sig(i + 1); j < t_.size() && !EsSigno(t_[j], u';'); j = Sig(j + 1)) {
        if (EsSigno(t_[j], u'('))
            ++nivel;
        else if (EsSigno(t_[j], u')'))
            --nivel;
        if (nivel != 0 || !EsPalabra(t_[j], QLatin1String("into"))) {
            anterior = j;
            continue;
        }
        if (EsPalabra(t_[anterior], QLatin1String("collect"))) {
            rechazo_ = QStringLiteral("BULK COLLECT INTO");
            return;
        }
        const size_t k = Sig(j + 1);
        if (k < t_.size() && !EsPalabra(t_[k], QLatin1String("strict")))
            t_[j].texto += QLatin1String(" STRICT");
        return;
    }
}

// Declaraciones de DECLARE hasta el BEGIN del bloque. Los cursores cambian de
// forma; lo que PL/pgSQL no tiene se rechaza.
bool LectorBloque::Declaraciones(size_t desde) {
    bool inicio = true;
    for (size_t i = Sig(desde); i < t_.size(); i = Sig(i + 1)) {
        SimboloSql& x = t_[i];
        if (EsPalabra(x, QLatin1String("begin"))) {
            begin_ = i;
            return true;
        }
        if (EsSigno(x, u';')) {
            inicio = true;
            continue;
        }
        if (inicio && EsUna(x, {"type", "subtype", "procedure", "function", "pragma"})) {
            rechazo_ = x.texto.toUpper() + QStringLiteral(" en la sección DECLARE");
            return false;
        }
        if (inicio && EsPalabra(x, QLatin1String("cursor"))) {
            // CURSOR c [(parámetros)] IS consulta → c CURSOR [(parámetros)] FOR consulta
            const size_t nombre = Sig(i + 1);
            if (nombre >= t_.size() || !EsNombre(t_[nombre]))
                return false;
            int nivel = 0;
            size_t j = Sig(nombre + 1);
            for (; j < t_.size(); j = Sig(j + 1)) {
                if (EsSigno(t_[j], u'('))
                    ++nivel;
                else if (EsSigno(t_[j], u')'))
                    --nivel;
                else if (nivel == 0 && EsPalabra(t_[j], QLatin1String("is")))
                    break;
            }
            if (j >= t_.size())
                return false;
            t_[nombre].texto += QLatin1Char(' ') + x.texto;
            x.texto.clear();
            t_[j].texto = QStringLiteral("FOR");
            i = j;
        } else if (!inicio && EsPalabra(x, QLatin1String("exception"))) {
            rechazo_ = QStringLiteral("excepción declarada en la sección DECLARE");
            return false;
        }
        inicio = false;
    }
    return false;
}

// Recorre el cuerpo desde el BEGIN principal hasta su END, con la
// profundidad de BEGIN, IF, LOOP y CASE.
bool LectorBloque::Leer(size_t desde) {
    int profundidad = 1;
    bool inicio = true;
    size_t anterior = desde;
    for (size_t i = Sig(desde + 1); i < t_.size(); anterior = i, i = Sig(i + 1)) {
        const SimboloSql& x = t_[i];
        const bool alComienzo = inicio;
        inicio = false;
        if (EsSigno(x, u';') || EsUna(x, {"then", "else"}) ||
            (EsSigno(x, u'>') && EsSigno(t_[anterior], u'>'))) {
            inicio = true;
        } else if (EsPalabra(x, QLatin1String("begin"))) {
            ++profundidad;
            inicio = true;
        } else if (EsPalabra(x, QLatin1String("loop")) &&
                   !EsPalabra(t_[anterior], QLatin1String("end"))) {
            ++profundidad;
            inicio = true;
        } else if (EsPalabra(x, QLatin1String("case")) ||
                   (alComienzo && EsPalabra(x, QLatin1String("if")))) {
            ++profundidad;
        } else if (EsPalabra(x, QLatin1String("end"))) {
            const size_t este = i;
            const size_t j = Sig(i + 1);
            if (j < t_.size() && EsUna(t_[j], {"if", "loop", "case"}))
                i = j; // END IF, END LOOP, END CASE
            if (--profundidad == 0) {
                end_ = este;
                return true;
            }
        } else if (alComienzo && profundidad == 1 && !conExcepcion_ &&
                   EsPalabra(x, QLatin1String("exception"))) {
            conExcepcion_ = true;
            excepcion_ = i;
        } else if (alComienzo) {
            size_t fin = 0;
            if (const auto d = Transaccion(i, fin)) {
                if (profundidad > 1 || conExcepcion_) {
                    rechazo_ = QStringLiteral("COMMIT o ROLLBACK dentro de IF, LOOP, CASE, un "
                                              "bloque interno o la sección EXCEPTION");
                    return false;
                }
                cortes_.push_back({i, fin, *d});
                i = fin;
                inicio = true;
            } else if (EsPalabra(x, QLatin1String("select"))) {
                SelectInto(i);
            } else {
                Llamada(i);
            }
        }
        if (!rechazo_.isEmpty())
            return false;
    }
    return false;
}

QString LectorBloque::TextoDo(const QString& marca, size_t desde, size_t hasta) const {
    QString r = QLatin1String("DO ") + marca;
    if (declare_ != size_t(-1))
        r += Unir(t_, declare_, begin_);
    r += t_[begin_].texto + Unir(t_, desde, hasta);
    if (conExcepcion_)
        r += Unir(t_, excepcion_, end_);
    return r + t_[end_].texto + marca;
}

std::optional<SentenciaAdaptada> LectorBloque::Adaptar(const std::vector<size_t>& sig) {
    const size_t primero = sig[0];
    if (EsPalabra(t_[primero], QLatin1String("declare"))) {
        declare_ = primero;
        if (!Declaraciones(primero + 1))
            return rechazo_.isEmpty() ? std::nullopt : std::optional(Rechazar(rechazo_));
    } else if (EsPalabra(t_[primero], QLatin1String("begin"))) {
        begin_ = primero;
    } else {
        return std::nullopt;
    }
    if (!Leer(begin_))
        return rechazo_.isEmpty() ? std::nullopt : std::optional(Rechazar(rechazo_));
    // Tras el END: una etiqueta y el ';', nada más.
    size_t j = Sig(end_ + 1);
    if (j < t_.size() && t_[j].clase == Clase::Palabra && !PalabraDeSentencia(t_[j]))
        j = Sig(j + 1);
    if (j < t_.size() && EsSigno(t_[j], u';'))
        j = Sig(j + 1);
    if (j < t_.size())
        return std::nullopt;

    // Tramos del cuerpo entre cortes.
    struct Tramo {
        size_t desde, hasta;
        Despues despues;
    };
    std::vector<Tramo> tramos;
    size_t desde = begin_ + 1;
    const size_t finCuerpo = conExcepcion_ ? excepcion_ : end_;
    for (const Corte& c : cortes_) {
        tramos.push_back({desde, c.inicio, c.despues});
        desde = c.fin + 1;
    }
    tramos.push_back({desde, finCuerpo, Despues::Nada});
    auto conSentencias = [&](const Tramo& t) { return Sig(t.desde) < t.hasta; };

    if (conExcepcion_ && !cortes_.empty())
        return Rechazar(QStringLiteral("COMMIT o ROLLBACK en un bloque con EXCEPTION"));
    if (declare_ != size_t(-1))
        for (size_t k = 1; k < tramos.size(); ++k)
            if (conSentencias(tramos[k]))
                return Rechazar(QStringLiteral("COMMIT o ROLLBACK en medio de un bloque con "
                                               "DECLARE"));

    const QString todo = Unir(t_, 0, t_.size());
    QString marca = QStringLiteral("$miravel$");
    for (int n = 1; todo.contains(marca); ++n)
        marca = QStringLiteral("$miravel%1$").arg(n);

    std::vector<SentenciaAdaptada> pasos;
    for (size_t k = 0; k < tramos.size(); ++k) {
        const Tramo& t = tramos[k];
        bool propio = false;
        if (conSentencias(t) || tramos.size() == 1) {
            SentenciaAdaptada p;
            p.bloque = true;
            p.texto = TextoDo(marca, t.desde, t.hasta);
            pasos.push_back(std::move(p));
            propio = true;
        }
        if (t.despues == Despues::Nada)
            continue;
        if (!propio) {
            SentenciaAdaptada p;
            p.bloque = true;
            p.sinEnvio = true;
            pasos.push_back(std::move(p));
        }
        pasos.back().confirmarDespues = t.despues == Despues::Confirmar;
        pasos.back().deshacer = t.despues == Despues::Deshacer;
    }
    SentenciaAdaptada r = std::move(pasos.front());
    r.siguientes.assign(std::make_move_iterator(pasos.begin() + 1),
                        std::make_move_iterator(pasos.end()));
    return r;
}

} // namespace

std::optional<SentenciaAdaptada> AdaptarBloque(const Simbolos& s, const std::vector<size_t>& sig) {
    if (sig.empty())
        return std::nullopt;
    return LectorBloque(s).Adaptar(sig);
}
