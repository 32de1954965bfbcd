#include "LogicaTexto.h"
#include <QtCore/qnamespace.h>
#include <algorithm>

QString KeysValidosPorDefecto() {
    return QStringLiteral("ABCDEFGHIJKLMNÑOPQRSTUVWXYZabcdefghijklmnñopqrstuvwxyzÁÉÍÓÚÜáéíóúü"
                          "0123456789.,;:+-*/=!¡#$()¿?´\\%&@[]<>_°º|^{}¦ ");
}

int CodigoTeclaDesdeQt(int teclaQt, bool tecladoNumerico) {
    if (teclaQt >= Qt::Key_A && teclaQt <= Qt::Key_Z)
        return teclaQt; // 65..90
    if (teclaQt >= Qt::Key_0 && teclaQt <= Qt::Key_9)
        return tecladoNumerico ? 96 + (teclaQt - Qt::Key_0) : teclaQt;
    if (teclaQt >= Qt::Key_F1 && teclaQt <= Qt::Key_F16)
        return 112 + (teclaQt - Qt::Key_F1);
    switch (teclaQt) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return tecladoNumerico ? 106 : 0;
    case Qt::Key_Plus:
        return tecladoNumerico ? 107 : 187;
    case Qt::Key_Comma:
        return 188;
    case Qt::Key_Minus:
        return tecladoNumerico ? 109 : 189;
    case Qt::Key_Period:
        return tecladoNumerico ? 110 : 190;
    case Qt::Key_Slash:
        return tecladoNumerico ? 111 : 191;
    default:
        return 0;
    }
}

int ShiftDesdeQt(int modificadoresQt) {
    int shift = 0;
    if (modificadoresQt & Qt::ShiftModifier)
        shift |= 1;
    if (modificadoresQt & Qt::ControlModifier)
        shift |= 2;
    if (modificadoresQt & Qt::AltModifier)
        shift |= 4;
    return shift;
}

int CaracterDesdeQt(int teclaQt, int modificadoresQt, const QString& texto) {
    switch (teclaQt) {
    case Qt::Key_Backspace:
        return Tecla::Retroceso;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Tecla::Enter;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0; // el foco lo maneja la ventana
    default:
        break;
    }
    const bool control =
        (modificadoresQt & Qt::ControlModifier) && !(modificadoresQt & Qt::AltModifier);
    if ((modificadoresQt & Qt::AltModifier) && !(modificadoresQt & Qt::ControlModifier))
        return 0; // Alt+tecla es de los menúes, no escribe
    if (control)  // Control+letra da los caracteres de control 1..26
        return (teclaQt >= Qt::Key_A && teclaQt <= Qt::Key_Z) ? teclaQt - Qt::Key_A + 1 : 0;
    if (texto.isEmpty())
        return 0;
    const char16_t c = texto.at(0).unicode();
    return (c >= 32 && c != 127) ? int(c) : 0;
}

LogicaTexto::LogicaTexto(VarianteCaja v) : variante(v), KeysValidos(KeysValidosPorDefecto()) {}

bool LogicaTexto::Blancos(const QString& cadena) {
    return std::all_of(cadena.cbegin(), cadena.cend(),
                       [](QChar c) { return c == QLatin1Char(' '); });
}

bool LogicaTexto::PosicionEnmascarada(qsizetype posicion) const {
    if (posicion < 1)
        return true;
    if (posicion > Mask.size())
        return false;
    return Mask.at(posicion - 1) != QLatin1Char(' ');
}

qsizetype LogicaTexto::AnteriorPosicionSinMascara(qsizetype posicion) const {
    // Más allá de la máscara toda posición es libre: la vuelta es corta.
    for (qsizetype i = posicion - 1; i >= 1; --i)
        if (!PosicionEnmascarada(i))
            return i;
    return posicion;
}

qsizetype LogicaTexto::ProximaPosicionSinMascara(qsizetype posicion, qsizetype largo) const {
    if (posicion >= largo)
        return posicion;
    for (qsizetype i = std::max<qsizetype>(posicion + 1, 1); i <= largo; ++i)
        if (!PosicionEnmascarada(i))
            return i;
    return posicion;
}

QString LogicaTexto::CambiarLetra(const QString& cadena, const QString& caracter,
                                  qsizetype posicion) {
    if (posicion < 1)
        return cadena; // no hay posición que cambiar
    QString r = cadena.left(posicion - 1);
    r += caracter;
    if (posicion < cadena.size())
        r += QStringView(cadena).mid(posicion);
    return r;
}

bool LogicaTexto::CaracterValido(QChar caracter, bool admiteEnter, qsizetype posicion) const {
    return CaracterValido(caracter, admiteEnter, posicion, TieneMascara());
}

bool LogicaTexto::CaracterValido(QChar caracter, bool admiteEnter, qsizetype posicion,
                                 bool conMascara) const {
    if (KeysValidos.contains(caracter))
        return true;
    if (admiteEnter && (caracter == QLatin1Char('\r') || caracter == QLatin1Char('\n')))
        return true;
    if (!conMascara || posicion < 1)
        return false;
    if (posicion > Mask.size())
        return true; // la máscara no dice nada de esa posición
    const QChar m = Mask.at(posicion - 1);
    return m == QLatin1Char(' ') || m == caracter;
}

bool LogicaTexto::HayCaracteresInvalidos(const QString& cadena, bool admiteEnter) const {
    if (cadena.size() > LargoMaximoTexto)
        return true;
    const bool conMascara = TieneMascara(); // una sola vez: la máscara puede ser larga
    for (qsizetype i = 0; i < cadena.size(); ++i)
        if (!CaracterValido(cadena.at(i), admiteEnter, i + 1, conMascara))
            return true;
    return false;
}

QString LogicaTexto::AplicoMascara(QString& cadena, QString& mascara, qsizetype maxlen) {
    if (Blancos(mascara))
        return cadena;
    if (cadena.size() < mascara.size())
        cadena = cadena.leftJustified(mascara.size(), QLatin1Char(' '));
    else if (mascara.size() < cadena.size())
        mascara = mascara.leftJustified(cadena.size(), QLatin1Char(' '));
    for (qsizetype i = 0; i < cadena.size(); ++i) {
        const QChar m = mascara.at(i);
        if (m != QLatin1Char(' ') && m != cadena.at(i))
            cadena[i] = m;
    }
    if (maxlen >= 1 && cadena.size() > maxlen)
        cadena.truncate(maxlen);
    return cadena;
}

bool LogicaTexto::IsNumeric() const {
    if (KeysValidos.size() != 10)
        return false;
    for (char d = '0'; d <= '9'; ++d)
        if (!KeysValidos.contains(QLatin1Char(d)))
            return false;
    return true;
}

bool LogicaTexto::TextoAceptable(const QString& texto) const {
    if (HayCaracteresInvalidos(texto, AdmiteEnter()))
        return false;
    return MaxLength <= 0 || texto.size() <= MaxLength;
}

QString LogicaTexto::TextoSalida(const QString& texto) const {
    if (TieneMascara()) {
        QString r = texto;
        const qsizetype n = std::min(r.size(), MaskSalida.size());
        for (qsizetype i = 0; i < n; ++i)
            if (r.at(i) == QLatin1Char(' '))
                r[i] = MaskSalida.at(i);
        return r;
    }
    const bool completar =
        !texto.isEmpty() || (variante == VarianteCaja::MyTextBox && AplicaMaskSiempre);
    if (completar && MaskSalida.size() > texto.size())
        return texto + MaskSalida.mid(texto.size());
    return texto;
}

std::optional<LogicaTexto::TextoMascara>
LogicaTexto::TextoAlPonerMascara(const QString& actual) const {
    if (Mask.size() > LargoMaximoTexto)
        return std::nullopt;
    QString t = actual;
    QString m = Mask;
    const QString resultado = AplicoMascara(t, m, MaxLength);
    if (resultado == actual)
        return std::nullopt;
    if (HayCaracteresInvalidos(resultado, AdmiteEnter())) {
        QString vacio;
        QString m2 = Mask;
        return TextoMascara{AplicoMascara(vacio, m2, MaxLength), true};
    }
    return TextoMascara{resultado, false};
}

LogicaTexto::Cambio LogicaTexto::CambioDeTexto(const QString& nuevo,
                                               const QString& aceptadoAntes) const {
    Cambio c;
    if (!TextoAceptable(nuevo)) {
        c.aceptado = aceptadoAntes;
        c.reescribir = true;
    } else {
        // Se trabaja sobre una copia de la máscara: la propiedad no crece.
        QString t = nuevo;
        QString m = Mask;
        c.aceptado = AplicoMascara(t, m, MaxLength);
        c.reescribir = c.aceptado != nuevo;
    }
    if (variante == VarianteCaja::MyTextBox) {
        // La plantilla de blancos que llena un control vacío no es un cambio.
        c.alzarChange = !(!Mask.isEmpty() && c.aceptado == Mask && aceptadoAntes.isEmpty());
    }
    return c;
}

LogicaTexto::ResultadoTecla
LogicaTexto::TeclaPresionada(const Edicion& e, int tecla,
                             const std::function<void(int&)>& alzarKeyPress) const {
    const bool comun = variante == VarianteCaja::MyTextBox;
    ResultadoTecla r;
    int& k = r.tecla;
    k = tecla;
    if (k <= 0 || k > 0xFFFF) {
        r.accion = Accion::Descartar;
        return r;
    }
    if (comun && k >= 'a' && k <= 'z' && !KeysValidos.contains(QChar(k)))
        k -= 'a' - 'A';
    if (!Separador.isEmpty() && Separador == QString(QChar(k)))
        r.focos.push_back(MovimientoFoco::Adelante);

    const bool enLista =
        KeysValidos.contains(QChar(k)) || k == Tecla::Retroceso || k == Tecla::Enter;
    if (!enLista) {
        r.accion = Accion::Descartar;
        return r;
    }
    if (alzarKeyPress)
        alzarKeyPress(k);
    if (k <= 0 || k > 0xFFFF) { // el manejador del evento la anuló
        r.accion = Accion::Descartar;
        return r;
    }
    const bool adelante = TypeMyTextBox == 1 || TypeMyTextBox == 2;
    const bool atras = TypeMyTextBox == 2 || TypeMyTextBox == 3;
    if (k == Tecla::Retroceso) {
        if (atras && e.largoSeleccion == 0 && e.inicio == 0)
            r.focos.push_back(MovimientoFoco::Atras);
    } else if (k == Tecla::Enter && comun) {
        if (adelante)
            r.focos.push_back(MovimientoFoco::Adelante);
    } else if (adelante && e.largoSeleccion == 0 && MaxLength != 0 && MaxLength == e.inicio + 1) {
        // el campo se llena con esta tecla: el foco sigue al próximo control
        r.focos.push_back(MovimientoFoco::Adelante);
    }

    if (TieneMascara()) {
        if (e.largoSeleccion > 1)
            r.accion = Accion::Descartar;
        else
            TeclaConMascara(e, r);
        return r;
    }
    const bool lleno = MaxLength > 0 && e.texto.size() >= MaxLength;
    if (lleno && (!comun || e.largoSeleccion == 0) && k != Tecla::Retroceso) {
        r.accion = Accion::Descartar;
        return r;
    }
    if (k == Tecla::Enter && !AdmiteEnter()) {
        r.accion = Accion::Descartar;
        return r;
    }
    r.accion = Accion::Procesar;
    return r;
}

// Con máscara la tecla se aplica sobrescribiendo y después se descarta.
void LogicaTexto::TeclaConMascara(const Edicion& e, ResultadoTecla& r) const {
    const int k = r.tecla;
    QString t = e.texto;
    r.accion = Accion::Descartar;
    if (variante == VarianteCaja::MyTextBox) {
        qsizetype p = e.inicio + 1;
        if (k == Tecla::Retroceso) {
            if (p < 2)
                return;
            p = AnteriorPosicionSinMascara(p);
            r.texto = CambiarLetra(t, QStringLiteral(" "), p);
            r.cursor = p - 1;
        } else if (k != Tecla::Enter && k != Tecla::SaltoLinea) {
            if (PosicionEnmascarada(p))
                p = ProximaPosicionSinMascara(p, t.size());
            r.texto = CambiarLetra(t, QString(QChar(k)), p);
            r.cursor = p;
        } else {
            return;
        }
    } else {
        // MyPasswordChar salta una sola posición fija.
        if (k == Tecla::Retroceso) {
            qsizetype c = e.inicio;
            if (c >= 1 && PosicionEnmascarada(c))
                --c;
            if (c < 2)
                return;
            r.texto = CambiarLetra(t, QStringLiteral(" "), c);
            r.cursor = c - 1;
        } else if (k != Tecla::Enter && k != Tecla::SaltoLinea) {
            qsizetype p = e.inicio + 1;
            if (PosicionEnmascarada(p))
                ++p;
            r.texto = CambiarLetra(t, QString(QChar(k)), p);
            r.cursor = p;
        } else {
            return;
        }
    }
    r.cursor = std::clamp<qsizetype>(r.cursor, 0, r.texto.size());
    r.accion = Accion::Reemplazar;
}

LogicaTexto::ResultadoTeclaAbajo LogicaTexto::TeclaAbajo(const Edicion& e, int codigo) const {
    ResultadoTeclaAbajo r;
    if (e.largoSeleccion == 0 && MaxLength > 0) {
        if ((TypeMyTextBox == 1 || TypeMyTextBox == 2) && codigo == Tecla::Derecha &&
            e.inicio == MaxLength)
            r.focos.push_back(MovimientoFoco::Adelante);
        if ((TypeMyTextBox == 2 || TypeMyTextBox == 3) && codigo == Tecla::Izquierda &&
            e.inicio == 0)
            r.focos.push_back(MovimientoFoco::Atras);
    }
    if (codigo == Tecla::Suprimir && TieneMascara())
        r.descartar = true;
    return r;
}
