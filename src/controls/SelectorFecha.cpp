#include "SelectorFecha.h"
#include "Dialogos.h"
#include "FechaTecleada.h"
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

namespace {

// Máscara de Shift, Ctrl y Alt como la esperan los eventos de teclado.
int MascaraShift(Qt::KeyboardModifiers m) {
    int mascara = 0;
    if (m & Qt::ShiftModifier)
        mascara |= 1;
    if (m & Qt::ControlModifier)
        mascara |= 2;
    if (m & Qt::AltModifier)
        mascara |= 4;
    return mascara;
}

bool EsEnter(int tecla) {
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

// Una cifra tecleada sin Ctrl, Alt ni Meta.
bool EsCifra(const QKeyEvent* tecla) {
    const Qt::KeyboardModifiers otros =
        tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    return !otros && tecla->text().size() == 1 && tecla->text().at(0).isDigit();
}

} // namespace

// Mientras se teclea una fecha, Enter y Escape son de la entrada: este filtro
// de la aplicación, el último instalado, los toma antes que las teclas de la
// ventana (Escape cerraría la estadística).
class FiltroEntrada : public QObject {
public:
    FiltroEntrada(SelectorFecha* selector, QLineEdit* entrada)
        : QObject(selector), selector_(selector), entrada_(entrada) {}
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        return objeto == entrada_ && evento->type() == QEvent::KeyPress &&
               selector_->TeclaDeEntrada(static_cast<QKeyEvent*>(evento));
    }

private:
    SelectorFecha* selector_;
    QLineEdit* entrada_;
};

SelectorFecha::SelectorFecha(QWidget* parent) : QWidget(parent) {
    casilla_ = new QCheckBox(this);
    casilla_->setChecked(true);
    casilla_->setFocusPolicy(Qt::NoFocus);
    editor_ = new QDateEdit(this);
    editor_->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    editor_->setCalendarPopup(true);
    editor_->setMinimumDate(QDate(1601, 1, 1));
    editor_->setMaximumDate(QDate(9999, 12, 31));
    editor_->setDate(QDate::currentDate());
    setFocusProxy(editor_);

    entrada_ = new QLineEdit(this);
    entrada_->setObjectName(QStringLiteral("Entrada"));
    entrada_->setMaxLength(10);
    entrada_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/.\\-]{0,10}")), entrada_));
    entrada_->hide();
    entrada_->installEventFilter(this);
    filtroEntrada_ = new FiltroEntrada(this, entrada_);

    editor_->installEventFilter(this);
    casilla_->installEventFilter(this);
    if (QLineEdit* linea = editor_->findChild<QLineEdit*>())
        linea->installEventFilter(this);
    if (QCalendarWidget* cw = editor_->calendarWidget()) {
        calendario_ = cw->window();
        if (calendario_ && calendario_ != window())
            calendario_->installEventFilter(this);
        else
            calendario_ = nullptr;
    }

    connect(editor_, &QDateEdit::dateChanged, this, [this] {
        if (!programando_)
            CambioDelUsuario();
    });
    connect(casilla_, &QCheckBox::toggled, this, [this](bool tildada) {
        if (programando_)
            return;
        nulo_ = !tildada;
        emit Change();
    });
    casilla_->hide();
    Acomodar();
}

void SelectorFecha::CambioDelUsuario() {
    // Elegir un día estando vacío tilda la casilla.
    if (nulo_) {
        programando_ = true;
        casilla_->setChecked(true);
        programando_ = false;
        nulo_ = false;
    }
    emit Change();
}

QVariant SelectorFecha::Valor() const {
    return nulo_ ? QVariant() : QVariant(editor_->date());
}

bool SelectorFecha::EsNulo() const {
    return nulo_;
}

bool SelectorFecha::PonerFecha(const QDate& fecha) {
    if (!fecha.isValid() || fecha < editor_->minimumDate() || fecha > editor_->maximumDate())
        return false;
    CancelarEntrada();
    programando_ = true;
    editor_->setDate(fecha);
    casilla_->setChecked(true);
    programando_ = false;
    nulo_ = false;
    return true;
}

void SelectorFecha::PonerNulo() {
    programando_ = true;
    casilla_->setChecked(false);
    programando_ = false;
    nulo_ = true;
}

bool SelectorFecha::MuestraCasilla() const {
    return !casilla_->isHidden();
}

void SelectorFecha::MostrarCasilla(bool mostrar) {
    casilla_->setVisible(mostrar);
    Acomodar();
}

QDate SelectorFecha::Minimo() const {
    return editor_->minimumDate();
}
QDate SelectorFecha::Maximo() const {
    return editor_->maximumDate();
}

void SelectorFecha::PonerMinimo(const QDate& fecha) {
    programando_ = true;
    editor_->setMinimumDate(fecha);
    programando_ = false;
}

void SelectorFecha::PonerMaximo(const QDate& fecha) {
    programando_ = true;
    editor_->setMaximumDate(fecha);
    programando_ = false;
}

int SelectorFecha::AnchoCasilla() const {
    return MuestraCasilla() ? casilla_->sizeHint().width() + 2 : 0;
}

void SelectorFecha::Acomodar() {
    const int ancho = AnchoCasilla();
    if (ancho > 0)
        casilla_->setGeometry(2, 0, ancho - 2, height());
    editor_->setGeometry(ancho, 0, std::max(0, width() - ancho), height());
    AjustarFuente();
}

void SelectorFecha::AjustarFuente() {
    // La fecha entera tiene que verse en el ancho del control: si no entra con
    // la letra de la ventana, se achica un poco.
    QLineEdit* linea = editor_->findChild<QLineEdit*>();
    if (!linea || linea->width() <= 0 || ajustando_)
        return;
    ajustando_ = true;
    QFont letra = font();
    qreal puntos = letra.pointSizeF();
    const QString muestra = QStringLiteral("00/00/0000");
    while (puntos > 6 && QFontMetrics(letra).horizontalAdvance(muestra) + 8 > linea->width()) {
        puntos -= 0.5;
        letra.setPointSizeF(puntos);
    }
    if (editor_->font() != letra)
        editor_->setFont(letra);
    ajustando_ = false;
}

void SelectorFecha::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    Acomodar();
}

bool SelectorFecha::eventFilter(QObject* objeto, QEvent* evento) {
    if (calendario_ && objeto == calendario_) {
        if (evento->type() == QEvent::Show)
            emit DropDown();
        else if (evento->type() == QEvent::Hide)
            emit CloseUp();
        return false;
    }
    if (objeto == entrada_) {
        if (evento->type() == QEvent::FocusOut)
            SalidaDeEntrada(static_cast<QFocusEvent*>(evento)->reason());
        return false;
    }
    switch (evento->type()) {
    case QEvent::Resize:
        if (objeto != editor_ && objeto != casilla_)
            AjustarFuente(); // el campo de texto del editor cambió de ancho
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton && isEnabled())
            emit Click();
        break;
    case QEvent::KeyPress:
        if (objeto == editor_) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            if (EsEnter(tecla->key()))
                return AvisarEnter(tecla);
            if (EsCifra(tecla)) {
                EmpezarEntrada(tecla->text());
                return true;
            }
        }
        break;
    default:
        break;
    }
    return false;
}

bool SelectorFecha::AvisarEnter(QKeyEvent* tecla) {
    int codigo = 13;
    emit KeyDown(codigo, MascaraShift(tecla->modifiers()));
    int ascii = 13;
    emit KeyPress(ascii);
    // Un manejador que anula la tecla la consume.
    return codigo == 0 || ascii == 0;
}

// ---------------------------------------------------------------------------
// La fecha tecleada entera

bool SelectorFecha::HayEntrada() const {
    return !entrada_->isHidden();
}

void SelectorFecha::EmpezarEntrada(const QString& primeraCifra) {
    // Encima del texto del editor, sin tapar el botón del calendario.
    QWidget* linea = editor_->findChild<QLineEdit*>();
    const QRect lugar =
        linea ? QRect(linea->mapTo(this, QPoint(0, 0)), linea->size()) : editor_->geometry();
    entrada_->setGeometry(lugar);
    entrada_->setFont(editor_->font());
    entrada_->setText(primeraCifra);
    qApp->installEventFilter(filtroEntrada_);
    entrada_->show();
    entrada_->raise();
    entrada_->setFocus(Qt::OtherFocusReason);
    entrada_->deselect();
    entrada_->end(false);
}

bool SelectorFecha::TeclaDeEntrada(QKeyEvent* tecla) {
    if (EsEnter(tecla->key())) {
        if (ConfirmarEntrada())
            AvisarEnter(tecla);
        return true;
    }
    if (tecla->key() == Qt::Key_Escape) {
        CancelarEntrada();
        return true;
    }
    return false;
}

void SelectorFecha::SalidaDeEntrada(int motivo) {
    if (confirmando_ || !HayEntrada())
        return;
    // Otra ventana que se activa (un mensaje, otro programa) o el menú
    // desplegable: la entrada espera.
    if (motivo == Qt::ActiveWindowFocusReason || motivo == Qt::PopupFocusReason)
        return;
    // La persona se fue con Tab o con el mouse: se confirma, con mensaje si
    // no es una fecha. Si el programa movió el foco, una entrada mala se descarta.
    const bool persona = motivo == Qt::TabFocusReason || motivo == Qt::BacktabFocusReason ||
                         motivo == Qt::MouseFocusReason || motivo == Qt::ShortcutFocusReason;
    if (persona || LeerFechaTecleada(entrada_->text(), Minimo(), Maximo()).Aceptada())
        ConfirmarEntrada();
    else
        CancelarEntrada();
}

bool SelectorFecha::ConfirmarEntrada() {
    if (!HayEntrada() || confirmando_)
        return true;
    const LecturaFecha lectura = LeerFechaTecleada(entrada_->text(), Minimo(), Maximo());
    confirmando_ = true;
    if (!lectura.Aceptada()) {
        PedidoMensaje aviso;
        aviso.Mensaje = lectura.motivo;
        aviso.titulo = QStringLiteral("Fecha");
        aviso.TipoMensaje = 48; // exclamación
        dialogos().VentanaMensaje(aviso);
        entrada_->setFocus(Qt::OtherFocusReason);
        entrada_->selectAll();
        confirmando_ = false;
        return false;
    }
    const bool cambia = nulo_ || editor_->date() != lectura.fecha;
    if (entrada_->hasFocus())
        editor_->setFocus(Qt::OtherFocusReason);
    entrada_->hide();
    qApp->removeEventFilter(filtroEntrada_);
    programando_ = true;
    editor_->setDate(lectura.fecha);
    casilla_->setChecked(true);
    programando_ = false;
    nulo_ = false;
    confirmando_ = false;
    if (cambia)
        emit FechaTecleada(lectura.fecha);
    return true;
}

void SelectorFecha::CancelarEntrada() {
    if (!HayEntrada() || confirmando_)
        return;
    confirmando_ = true;
    if (entrada_->hasFocus())
        editor_->setFocus(Qt::OtherFocusReason);
    entrada_->hide();
    qApp->removeEventFilter(filtroEntrada_);
    confirmando_ = false;
}
