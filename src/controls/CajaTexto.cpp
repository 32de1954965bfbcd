#include "CajaTexto.h"
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <algorithm>

namespace {

// Texto de una línea: al recibir el foco con Tab no selecciona todo, el
// cursor queda donde estaba (los movimientos de foco lo ubican después).
class TextoLinea : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void focusInEvent(QFocusEvent* e) override {
        const int cursor = cursorPosition();
        const bool habiaSeleccion = hasSelectedText();
        QLineEdit::focusInEvent(e);
        if (!habiaSeleccion && hasSelectedText())
            setCursorPosition(cursor);
    }
};

const QColor GrisInhabilitado(0xE0, 0xE0, 0xE0);

void PintarTodosLosGrupos(QPalette& p, QPalette::ColorRole rol, const QColor& color) {
    for (auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(grupo, rol, color);
}

} // namespace

CajaTexto::CajaTexto(VarianteCaja variante, QWidget* parent) : QWidget(parent), logica_(variante) {
    setFocusPolicy(Qt::StrongFocus);
    CrearTexto(false);
}

// Al descargarse, Texto ya no avisa nada al control que se destruye.
CajaTexto::~CajaTexto() {
    texto_->removeEventFilter(this);
    if (area_)
        area_->viewport()->removeEventFilter(this);
    texto_->disconnect(this);
}

void CajaTexto::CrearTexto(bool multiLinea) {
    const QString actual = texto_ ? TextoActual() : QString();
    const bool teniaFoco = texto_ && texto_->hasFocus();
    if (texto_) {
        texto_->removeEventFilter(this);
        if (area_)
            area_->viewport()->removeEventFilter(this);
        delete texto_;
    }
    linea_ = nullptr;
    area_ = nullptr;
    if (multiLinea) {
        area_ = new QPlainTextEdit(this);
        area_->setTabChangesFocus(true);
        area_->viewport()->installEventFilter(this);
        connect(area_, &QPlainTextEdit::textChanged, this, [this] { AlCambiarTexto(); });
        texto_ = area_;
    } else {
        linea_ = new TextoLinea(this);
        connect(linea_, &QLineEdit::textChanged, this, [this] { AlCambiarTexto(); });
        texto_ = linea_;
    }
    texto_->installEventFilter(this);
    texto_->setGeometry(rect());
    setFocusProxy(texto_);
    PonerMaxLength(logica_.MaxLength);
    PonerBorderStyle(borderStyle_);
    AplicarAlineacion();
    PonerLocked(locked_);
    texto_->setToolTip(toolTip());
    AplicarAspecto();
    reescribiendo_ = true;
    PonerTextoActual(actual);
    reescribiendo_ = false;
    texto_->show();
    if (teniaFoco)
        texto_->setFocus();
}

QString CajaTexto::TextoActual() const {
    return linea_ ? linea_->text() : area_->toPlainText();
}

void CajaTexto::PonerTextoActual(const QString& texto) {
    if (TextoActual() == texto)
        return;
    if (linea_) {
        linea_->setText(texto);
        linea_->setCursorPosition(0);
    } else {
        area_->setPlainText(texto);
    }
}

LogicaTexto::Edicion CajaTexto::EdicionActual() const {
    LogicaTexto::Edicion e;
    e.texto = TextoActual();
    if (linea_) {
        if (linea_->hasSelectedText()) {
            e.inicio = linea_->selectionStart();
            e.largoSeleccion = linea_->selectionLength();
        } else {
            e.inicio = linea_->cursorPosition();
        }
    } else {
        const QTextCursor c = area_->textCursor();
        e.inicio = c.selectionStart();
        e.largoSeleccion = c.selectionEnd() - c.selectionStart();
    }
    return e;
}

void CajaTexto::PonerCursor(qsizetype posicion) {
    const int p = int(std::clamp<qsizetype>(posicion, 0, TextoActual().size()));
    if (linea_) {
        linea_->setCursorPosition(p);
    } else {
        QTextCursor c = area_->textCursor();
        c.setPosition(p);
        area_->setTextCursor(c);
    }
}

// Cambio de Texto: se valida, se aplica la máscara y se avisa con Change.
// MyTextBox no vuelve a entrar mientras reescribe Texto; MyPasswordChar sí.
void CajaTexto::AlCambiarTexto() {
    const bool comun = logica_.variante == VarianteCaja::MyTextBox;
    if (comun && reescribiendo_)
        return;
    const LogicaTexto::Cambio c = logica_.CambioDeTexto(TextoActual(), text_);
    text_ = c.aceptado;
    if (c.reescribir) {
        const bool antes = reescribiendo_;
        reescribiendo_ = true;
        PonerTextoActual(c.aceptado);
        reescribiendo_ = antes;
    }
    if (c.alzarChange)
        emit Change();
}

void CajaTexto::PonerText(const QString& texto) {
    if (!logica_.TextoAceptable(texto))
        return;
    text_ = texto;
    PonerTextoActual(texto);
}

void CajaTexto::PonerMask(const QString& mascara) {
    if (mascara.size() > LargoMaximoTexto)
        return;
    logica_.Mask = mascara;
    const auto r = logica_.TextoAlPonerMascara(TextoActual());
    if (!r)
        return;
    if (r->vaciarAntes)
        PonerTextoActual(QString());
    PonerTextoActual(r->texto);
}

void CajaTexto::PonerMaxLength(int largo) {
    logica_.MaxLength = std::max(largo, 0);
    if (linea_)
        linea_->setMaxLength(logica_.MaxLength > 0 ? logica_.MaxLength : int(LargoMaximoTexto));
}

void CajaTexto::PonerBackColor(const QColor& c) {
    backColor_ = c;
    AplicarAspecto();
}

void CajaTexto::PonerForeColor(const QColor& c) {
    foreColor_ = c;
    AplicarAspecto();
}

void CajaTexto::PonerBorderStyle(int estilo) {
    borderStyle_ = estilo;
    if (linea_)
        linea_->setFrame(estilo != 0);
    else
        area_->setFrameShape(estilo != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
}

void CajaTexto::PonerAlignment(int alineacion) {
    alignment_ = alineacion;
    AplicarAlineacion();
}

void CajaTexto::AplicarAlineacion() {
    Qt::Alignment a = Qt::AlignLeft;
    if (alignment_ == 1)
        a = Qt::AlignRight;
    else if (alignment_ == 2)
        a = Qt::AlignHCenter;
    if (linea_) {
        linea_->setAlignment(a | Qt::AlignVCenter);
    } else {
        QTextOption opcion = area_->document()->defaultTextOption();
        opcion.setAlignment(a);
        area_->document()->setDefaultTextOption(opcion);
    }
}

int CajaTexto::SelStart() const {
    return int(EdicionActual().inicio);
}

void CajaTexto::PonerSelStart(int inicio) {
    PonerCursor(inicio);
}

int CajaTexto::SelLength() const {
    return int(EdicionActual().largoSeleccion);
}

void CajaTexto::PonerSelLength(int largo) {
    const int inicio = SelStart();
    const int fin = int(std::clamp<qsizetype>(inicio + qsizetype(std::max(largo, 0)), inicio,
                                              TextoActual().size()));
    if (linea_) {
        linea_->setSelection(inicio, fin - inicio);
    } else {
        QTextCursor c = area_->textCursor();
        c.setPosition(inicio);
        c.setPosition(fin, QTextCursor::KeepAnchor);
        area_->setTextCursor(c);
    }
}

QString CajaTexto::SelText() const {
    return linea_ ? linea_->selectedText() : area_->textCursor().selectedText();
}

void CajaTexto::PonerSelText(const QString& texto) {
    if (linea_)
        linea_->insert(texto);
    else
        area_->insertPlainText(texto);
}

void CajaTexto::PonerLocked(bool bloqueado) {
    locked_ = bloqueado;
    if (linea_)
        linea_->setReadOnly(bloqueado);
    else
        area_->setReadOnly(bloqueado);
}

void CajaTexto::PonerToolTipText(const QString& texto) {
    setToolTip(texto);
    texto_->setToolTip(texto);
}

QSize CajaTexto::sizeHint() const {
    return texto_->sizeHint();
}

QSize CajaTexto::minimumSizeHint() const {
    return texto_->minimumSizeHint();
}

void CajaTexto::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    texto_->setGeometry(0, 0, width(), height());
}

void CajaTexto::changeEvent(QEvent* evento) {
    if (evento->type() == QEvent::EnabledChange)
        AplicarAspecto();
    QWidget::changeEvent(evento);
}

// Habilitado: Texto con BackColor y ForeColor sobre fondo blanco.
// Inhabilitado: todo gris claro y el texto del color del sistema para
// texto inhabilitado.
void CajaTexto::AplicarAspecto() {
    const bool habilitado = isEnabled();
    QPalette propia = palette();
    PintarTodosLosGrupos(propia, QPalette::Window,
                         habilitado ? QColor(0xFF, 0xFF, 0xFF) : GrisInhabilitado);
    setAutoFillBackground(true);
    setPalette(propia);

    QPalette p = texto_->palette();
    const QColor textoInhabilitado =
        QApplication::palette().color(QPalette::Disabled, QPalette::Text);
    PintarTodosLosGrupos(p, QPalette::Base, habilitado ? backColor_ : GrisInhabilitado);
    PintarTodosLosGrupos(p, QPalette::Text, habilitado ? foreColor_ : textoInhabilitado);
    texto_->setPalette(p);
}

void CajaTexto::AplicarSalida() {
    const QString actual = TextoActual();
    const QString salida = logica_.TextoSalida(actual);
    if (salida != actual)
        PonerTextoActual(salida);
}

bool CajaTexto::eventFilter(QObject* objeto, QEvent* evento) {
    const bool esTexto = objeto == texto_ || (area_ && objeto == area_->viewport());
    if (!esTexto)
        return QWidget::eventFilter(objeto, evento);
    switch (evento->type()) {
    case QEvent::KeyPress:
        if (entregando_ || objeto != texto_)
            return false;
        return ManejarTecla(static_cast<QKeyEvent*>(evento));
    case QEvent::KeyRelease: {
        auto* e = static_cast<QKeyEvent*>(evento);
        if (objeto == texto_ && !e->isAutoRepeat()) {
            int codigo = CodigoTeclaDesdeQt(e->key(), e->modifiers() & Qt::KeypadModifier);
            emit KeyUp(codigo, ShiftDesdeQt(int(e->modifiers())));
        }
        return false;
    }
    case QEvent::InputMethod:
        if (objeto != texto_ || entregando_)
            return false;
        return ManejarMetodoEntrada(static_cast<QInputMethodEvent*>(evento));
    case QEvent::FocusOut: {
        // Un menú emergente o el cambio de aplicación no son salidas del campo.
        const auto razon = static_cast<QFocusEvent*>(evento)->reason();
        if (objeto == texto_ && razon != Qt::PopupFocusReason &&
            razon != Qt::ActiveWindowFocusReason)
            AplicarSalida();
        return false;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton)
            emit Click();
        return false;
    default:
        return false;
    }
}

// Una tecla en Texto: KeyDown, después KeyPress si produce un carácter, y
// los movimientos de foco pedidos, ya procesada la tecla.
bool CajaTexto::ManejarTecla(QKeyEvent* evento) {
    const int teclaQt = evento->key();
    if (teclaQt == Qt::Key_Tab || teclaQt == Qt::Key_Backtab)
        return false;
    const int modificadores = int(evento->modifiers());
    const int codigoOriginal = CodigoTeclaDesdeQt(teclaQt, modificadores & Qt::KeypadModifier);
    int codigo = codigoOriginal;
    emit KeyDown(codigo, ShiftDesdeQt(modificadores));

    const LogicaTexto::ResultadoTeclaAbajo abajo = logica_.TeclaAbajo(EdicionActual(), codigo);
    std::vector<MovimientoFoco> focos = abajo.focos;
    const bool descartarAbajo = abajo.descartar || (codigoOriginal != 0 && codigo == 0);

    const int caracter = CaracterDesdeQt(teclaQt, modificadores, evento->text());
    bool descartada = false;
    if (caracter != 0) {
        const LogicaTexto::ResultadoTecla r = logica_.TeclaPresionada(
            EdicionActual(), caracter, [this](int& k) { emit KeyPress(k); });
        focos.insert(focos.end(), r.focos.begin(), r.focos.end());
        switch (r.accion) {
        case LogicaTexto::Accion::Procesar:
            Entregar(evento, r.tecla);
            break;
        case LogicaTexto::Accion::Reemplazar:
            PonerTextoActual(r.texto);
            PonerCursor(r.cursor);
            break;
        case LogicaTexto::Accion::Descartar:
            descartada = true;
            break;
        }
    } else if (!descartarAbajo) {
        Entregar(evento, 0);
    } else {
        descartada = true;
    }
    MoverFoco(focos);
    // Escape descartado queda para la ventana (botón Cancelar, cerrar diálogo).
    if (descartada && teclaQt == Qt::Key_Escape && focos.empty()) {
        evento->ignore();
        return false;
    }
    return true;
}

// Un texto compuesto (acentos con tecla muerta, método de entrada) entra
// carácter por carácter como si se tipeara, con KeyPress y máscara.
bool CajaTexto::ManejarMetodoEntrada(QInputMethodEvent* evento) {
    const QString compuesto = evento->commitString();
    if (compuesto.isEmpty() || !evento->preeditString().isEmpty() ||
        evento->replacementLength() != 0)
        return false;
    std::vector<MovimientoFoco> focos;
    for (const QChar c : compuesto) {
        const LogicaTexto::ResultadoTecla r = logica_.TeclaPresionada(
            EdicionActual(), c.unicode(), [this](int& k) { emit KeyPress(k); });
        focos.insert(focos.end(), r.focos.begin(), r.focos.end());
        if (r.accion == LogicaTexto::Accion::Procesar) {
            QInputMethodEvent uno;
            uno.setCommitString(QString(QChar(r.tecla)));
            entregando_ = true;
            QCoreApplication::sendEvent(texto_, &uno);
            entregando_ = false;
        } else if (r.accion == LogicaTexto::Accion::Reemplazar) {
            PonerTextoActual(r.texto);
            PonerCursor(r.cursor);
        }
    }
    MoverFoco(focos);
    return true;
}

// Texto procesa la tecla como siempre; si KeyPress la cambió, la nueva.
void CajaTexto::Entregar(QKeyEvent* evento, int tecla) {
    entregando_ = true;
    const int original = CaracterDesdeQt(evento->key(), int(evento->modifiers()), evento->text());
    if (tecla == 0 || tecla == original) {
        QCoreApplication::sendEvent(texto_, evento);
    } else {
        int teclaQt = evento->key();
        Qt::KeyboardModifiers modificadores = evento->modifiers();
        if (tecla == Tecla::Retroceso) {
            teclaQt = Qt::Key_Backspace;
        } else if (tecla == Tecla::Enter) {
            teclaQt = Qt::Key_Return;
        } else {
            teclaQt = Qt::Key_unknown;
            modificadores &= ~(Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
        }
        QKeyEvent cambiada(QEvent::KeyPress, teclaQt, modificadores, QString(QChar(tecla)),
                           evento->isAutoRepeat(), evento->count());
        QCoreApplication::sendEvent(texto_, &cambiada);
    }
    entregando_ = false;
}

// Foco al control siguiente (cursor al principio) o al anterior (cursor al
// final). MyPasswordChar solo mueve el foco.
void CajaTexto::MoverFoco(const std::vector<MovimientoFoco>& focos) {
    for (const MovimientoFoco m : focos) {
        const bool adelante = m == MovimientoFoco::Adelante;
        QWidget* ventana = window();
        QWidget* desde = ventana->focusWidget();
        if (!desde)
            return;
        // Se pide a quien tiene el foco: así la cadena de foco parte de él.
        if (!QWidget::focusNextPrevChild(adelante))
            return;
        if (logica_.variante != VarianteCaja::MyTextBox)
            continue;
        QWidget* destino = ventana->focusWidget();
        if (auto* combo = qobject_cast<QComboBox*>(destino); combo && combo->lineEdit())
            destino = combo->lineEdit();
        if (auto* l = qobject_cast<QLineEdit*>(destino))
            l->setCursorPosition(adelante ? 0 : int(l->text().size()));
        else if (auto* p = qobject_cast<QPlainTextEdit*>(destino))
            p->moveCursor(adelante ? QTextCursor::Start : QTextCursor::End);
        else if (auto* t = qobject_cast<QTextEdit*>(destino))
            t->moveCursor(adelante ? QTextCursor::Start : QTextCursor::End);
    }
}
