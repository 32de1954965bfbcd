// Fuzzing de las reglas de MyTextBox y MyPasswordChar: máscaras, textos y
// teclas al azar sobre un cuadro de texto simulado (como QLineEdit), con
// invariantes que abortan si se rompen. Bajo ASan y UBSan; Q_ASSERT activo,
// así que un índice fuera de rango de QString también es una caída.
#include "Exigir.h"
#include "LogicaTexto.h"
#include <fuzzer/FuzzedDataProvider.h>

namespace {

// Caracteres con los que se arman máscaras, textos y teclas: los fijos de
// siempre, blancos, letras de uno y otro caso, saltos de línea y algo raro.
const char16_t Alfabeto[] = {u' ',  u' ', u' ',  u'/',   u'-', u':', u'a',  u'z',
                             u'A',  u'Ñ', u'ñ',  u'1',   u'9', u'0', u'\r', u'\n',
                             u'\'', u'"', u'\0', 0xD800, u'¦', u'ü', u'.',  u' '};

QString Cadena(FuzzedDataProvider& d, size_t maximo, bool permitirLargo = false) {
    const size_t n = d.ConsumeIntegralInRange<size_t>(0, maximo);
    QString s;
    for (size_t i = 0; i < n && d.remaining_bytes() > 0; ++i) {
        if (d.ConsumeBool())
            s += QChar(Alfabeto[d.ConsumeIntegralInRange<size_t>(0, std::size(Alfabeto) - 1)]);
        else
            s += QChar(d.ConsumeIntegral<char16_t>());
    }
    // De vez en cuando, más largo que lo que admite el control.
    if (permitirLargo && !s.isEmpty() && d.ConsumeBool())
        s = s.repeated(int(LargoMaximoTexto / s.size()) + d.ConsumeIntegralInRange<int>(0, 2));
    return s;
}

// Cuadro de texto simulado con el comportamiento de QLineEdit que importa.
struct Caja {
    LogicaTexto logica;
    QString texto;
    QString aceptado;
    qsizetype cursor = 0;
    qsizetype seleccion = 0;

    qsizetype Limite() const { return logica.MaxLength > 0 ? logica.MaxLength : LargoMaximoTexto; }

    // Escribir Texto: se corta al límite y corre el manejo del cambio.
    void Poner(const QString& nuevo) {
        const QString cortado = nuevo.left(Limite());
        if (cortado == texto)
            return;
        texto = cortado;
        cursor = 0;
        seleccion = 0;
        Cambio();
    }

    void Cambio() {
        const LogicaTexto::Cambio c = logica.CambioDeTexto(texto, aceptado);
        // Todo texto que se acepta de nuevo es válido y respeta MaxLength.
        if (c.aceptado != aceptado)
            EXIGIR(logica.TextoAceptable(c.aceptado));
        aceptado = c.aceptado;
        if (c.reescribir && c.aceptado != texto) {
            texto = c.aceptado.left(Limite());
            cursor = 0;
            seleccion = 0;
            if (logica.variante == VarianteCaja::MyPasswordChar)
                Cambio(); // la de clave vuelve a entrar
        }
    }

    void Procesar(int tecla) {
        QString t = texto;
        if (tecla == Tecla::Retroceso) {
            if (seleccion > 0)
                t.remove(cursor, seleccion);
            else if (cursor > 0)
                t.remove(--cursor, 1);
        } else {
            const QString ins =
                tecla == Tecla::Enter ? QStringLiteral("\n") : QString(QChar(tecla));
            t.remove(cursor, seleccion);
            if (t.size() + ins.size() > Limite())
                return;
            t.insert(cursor, ins);
            cursor += ins.size();
        }
        seleccion = 0;
        const qsizetype c = cursor;
        Poner(t);
        cursor = std::min(c, texto.size());
    }

    LogicaTexto::Edicion Edicion() const { return {texto, cursor, seleccion}; }

    void Verificar() const {
        EXIGIR(cursor >= 0 && cursor <= texto.size());
        EXIGIR(seleccion >= 0 && cursor + seleccion <= texto.size());
        EXIGIR(texto.size() <= Limite());
    }
};

void PosicionesAlAzar(FuzzedDataProvider& d, const LogicaTexto& l) {
    const qsizetype p = d.ConsumeIntegralInRange<qsizetype>(-5, 70000);
    const qsizetype largo = d.ConsumeIntegralInRange<qsizetype>(-5, 70000);
    const qsizetype a = l.AnteriorPosicionSinMascara(p);
    EXIGIR(a == p || (a >= 1 && a < p && !l.PosicionEnmascarada(a)));
    const qsizetype s = l.ProximaPosicionSinMascara(p, largo);
    EXIGIR(s == p || (s > p && s <= largo && !l.PosicionEnmascarada(s)));
    const QString base = Cadena(d, 12);
    const QString r = LogicaTexto::CambiarLetra(base, QStringLiteral("x"), p);
    EXIGIR(p < 1 ? r == base : r.size() == std::max(base.size(), std::min(p, base.size() + 1)));
    (void)l.CaracterValido(QChar(d.ConsumeIntegral<char16_t>()), d.ConsumeBool(), p);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    FuzzedDataProvider d(datos, tam);
    // Una entrada de cada tanto prueba textos y máscaras demasiado largos,
    // con pocos pasos: son caros bajo los sanitizers.
    const bool largos = d.ConsumeIntegralInRange<int>(0, 31) == 31;
    Caja caja;
    LogicaTexto& l = caja.logica;
    l.variante = d.ConsumeBool() ? VarianteCaja::MyTextBox : VarianteCaja::MyPasswordChar;
    l.TypeMyTextBox = d.ConsumeIntegralInRange<int>(-1, 4);
    l.MaxLength =
        d.ConsumeIntegralInRange<int>(0, 3) == 0 ? 0 : d.ConsumeIntegralInRange<int>(0, 24);
    l.AplicaMaskSiempre = d.ConsumeBool();
    l.MultiLine = d.ConsumeBool();
    if (d.ConsumeBool())
        l.KeysValidos = Cadena(d, 16);
    l.Mask = Cadena(d, 20, largos);
    l.MaskSalida = Cadena(d, 20);
    l.Separador = Cadena(d, 2);

    // AplicoMascara por sí sola: largo, posiciones fijas e idempotencia.
    {
        QString t = Cadena(d, 24, largos);
        QString m = l.Mask;
        const qsizetype largoOriginal = t.size();
        const qsizetype maxlen = d.ConsumeIntegralInRange<qsizetype>(-2, 30);
        const QString r = LogicaTexto::AplicoMascara(t, m, maxlen);
        if (!LogicaTexto::Blancos(l.Mask)) {
            const qsizetype esperado = std::max(largoOriginal, l.Mask.size());
            EXIGIR(r.size() == (maxlen >= 1 ? std::min(esperado, maxlen) : esperado));
            EXIGIR(m.size() >= l.Mask.size());
            for (qsizetype i = 0; i < r.size() && i < l.Mask.size(); ++i)
                EXIGIR(l.Mask.at(i) == QLatin1Char(' ') || r.at(i) == l.Mask.at(i));
            QString t2 = r;
            QString m2 = l.Mask;
            EXIGIR(LogicaTexto::AplicoMascara(t2, m2, maxlen) == r);
        }
        (void)l.HayCaracteresInvalidos(r, d.ConsumeBool());
    }
    PosicionesAlAzar(d, l);
    if (l.Mask.size() > LargoMaximoTexto)
        l.Mask.clear(); // el control no acepta una máscara así

    // La máscara se escribe como lo hace el control (las demasiado largas no).
    if (const auto r = l.TextoAlPonerMascara(caja.texto)) {
        if (r->vaciarAntes)
            caja.Poner(QString());
        caja.Poner(r->texto);
    }

    for (int paso = 0; paso < (largos ? 6 : 64) && d.remaining_bytes() > 0; ++paso) {
        switch (d.ConsumeIntegralInRange<int>(0, 6)) {
        case 0:
        case 1: { // tecla de carácter
            int tecla;
            switch (d.ConsumeIntegralInRange<int>(0, 3)) {
            case 0:
                tecla = Tecla::Retroceso;
                break;
            case 1:
                tecla = Tecla::Enter;
                break;
            case 2:
                tecla = Alfabeto[d.ConsumeIntegralInRange<size_t>(0, std::size(Alfabeto) - 1)];
                break;
            default:
                tecla = d.ConsumeIntegralInRange<int>(-3, 0x10005);
                break;
            }
            const int cambio = d.ConsumeIntegralInRange<int>(-2, 0x10002);
            const bool anular = d.ConsumeIntegralInRange<int>(0, 7) == 0;
            const auto r = l.TeclaPresionada(caja.Edicion(), tecla, [&](int& k) {
                if (anular)
                    k = cambio;
            });
            if (r.accion == LogicaTexto::Accion::Procesar) {
                EXIGIR(r.tecla > 0 && r.tecla <= 0xFFFF);
                caja.Procesar(r.tecla);
            } else if (r.accion == LogicaTexto::Accion::Reemplazar) {
                EXIGIR(r.cursor >= 0 && r.cursor <= r.texto.size());
                caja.Poner(r.texto);
                caja.cursor = std::min(r.cursor, caja.texto.size()); // sin selección
                caja.seleccion = 0;
            }
            break;
        }
        case 2: { // tecla bajada
            const auto r = l.TeclaAbajo(caja.Edicion(), d.ConsumeIntegralInRange<int>(0, 130));
            EXIGIR(r.focos.size() <= 2);
            break;
        }
        case 3: { // el usuario mueve el cursor o selecciona
            caja.cursor = d.ConsumeIntegralInRange<qsizetype>(0, caja.texto.size());
            caja.seleccion =
                d.ConsumeIntegralInRange<qsizetype>(0, caja.texto.size() - caja.cursor);
            break;
        }
        case 4: { // pegar
            QString t = caja.texto;
            t.remove(caja.cursor, caja.seleccion);
            t.insert(caja.cursor, Cadena(d, 10, largos));
            caja.Poner(t);
            break;
        }
        case 5: // sale el foco
            caja.Poner(l.TextoSalida(caja.texto));
            break;
        case 6: { // Text escrito de afuera
            const QString t = Cadena(d, 16, largos);
            if (l.TextoAceptable(t)) {
                EXIGIR(t.size() <= LargoMaximoTexto);
                caja.aceptado = t;
                caja.Poner(t);
            }
            break;
        }
        }
        caja.Verificar();
    }
    return 0;
}
