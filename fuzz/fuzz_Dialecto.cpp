// Fuzzing del dialecto: la división en símbolos, la adaptación al sustituto
// PostgreSQL y el ocultamiento de claves en los registros. Invariantes: los
// símbolos unidos dan el texto exacto, cada literal vuelve igual desde su
// forma con LiteralSql, Oracle recibe todo sin cambios, adaptar es
// determinista y no cae ni se cuelga (libFuzzer corta con -timeout), y
// ocultar dos veces da lo mismo que una.
#include "Dialecto.h"
#include "Exigir.h"
#include "LiteralSql.h"
#include "Secretos.h"
#include "SimbolosSql.h"

namespace {

bool Iguales(const SentenciaAdaptada& a, const SentenciaAdaptada& b) {
    if (a.texto != b.texto || a.confirmarDespues != b.confirmarDespues ||
        a.deshacer != b.deshacer || a.sinEnvio != b.sinEnvio || a.bloque != b.bloque ||
        a.rechazo != b.rechazo || a.siguientes.size() != b.siguientes.size())
        return false;
    for (size_t i = 0; i < a.siguientes.size(); ++i)
        if (!Iguales(a.siguientes[i], b.siguientes[i]))
            return false;
    return true;
}

void ProbarSimbolos(const QString& sql) {
    const auto s = DividirEnSimbolos(sql);
    QString unido;
    for (const SimboloSql& x : s) {
        EXIGIR(!x.texto.isEmpty());
        unido += x.texto;
        if (x.clase != SimboloSql::Clase::Literal)
            continue;
        // El valor de un literal, escrito otra vez como literal, es un solo
        // símbolo con el mismo valor: ningún valor abre ni cierra nada.
        const QString literal = LiteralSql(ValorLiteral(x));
        const auto otra = DividirEnSimbolos(literal);
        EXIGIR(otra.size() == 1);
        EXIGIR(otra[0].clase == SimboloSql::Clase::Literal);
        EXIGIR(ValorLiteral(otra[0]) == ValorLiteral(x));
    }
    EXIGIR(unido == sql);
}

void ProbarDialectos(const QString& sql) {
    static const auto oracle = CrearDialecto(QStringLiteral("Oracle"));
    static const auto postgres = CrearDialecto(QStringLiteral("PostgreSQL"));
    const SentenciaAdaptada o = oracle->Adaptar(sql);
    EXIGIR(o.texto == sql && o.siguientes.empty() && o.rechazo.isEmpty() && !o.sinEnvio);
    EXIGIR(oracle->AdaptarLlamada(sql) == sql);

    const SentenciaAdaptada a = postgres->Adaptar(sql);
    EXIGIR(Iguales(a, postgres->Adaptar(sql)));
    if (!a.rechazo.isEmpty())
        EXIGIR(a.texto.isEmpty() && a.siguientes.empty());
    for (const SentenciaAdaptada& p : a.siguientes) {
        EXIGIR(p.rechazo.isEmpty() && p.siguientes.empty());
        EXIGIR(p.sinEnvio || !p.texto.isEmpty());
    }
    postgres->AdaptarLlamada(sql);
}

void ProbarSecretos(const QString& texto) {
    const QString oculto = OcultarSecretos(texto);
    EXIGIR(OcultarSecretos(oculto) == oculto);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo) {
    if (largo > 8192)
        return 0;
    const QString sql = QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
    ProbarSimbolos(sql);
    ProbarDialectos(sql);
    ProbarSecretos(sql);
    return 0;
}
