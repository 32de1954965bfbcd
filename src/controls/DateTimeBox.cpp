#include "DateTimeBox.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>

namespace {

// 15 twips por píxel a 96 ppp.
int Px(int twips) {
    return qRound(twips / 15.0);
}

// Colores del sistema en BGR (&HFFFFFF, &H808080, &HE0E0E0).
constexpr QRgb Blanco = 0xFFFFFF;
constexpr QRgb Gris = 0x808080;
constexpr QRgb GrisClaro = 0xE0E0E0;

bool EsEnter(int tecla) {
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

} // namespace

// ---------------------------------------------------------------------------
// BolsaPropiedades

void BolsaPropiedades::Escribir(const QString& nombre, const QVariant& valor,
                                const QVariant& porDefecto) {
    for (qsizetype i = 0; i < entradas_.size(); ++i)
        if (entradas_[i].first == nombre) {
            entradas_.removeAt(i);
            break;
        }
    const bool igual = valor.isNull() == porDefecto.isNull() && valor == porDefecto;
    if (!igual)
        entradas_.append({nombre, valor});
}

QVariant BolsaPropiedades::Leer(const QString& nombre, const QVariant& porDefecto) const {
    for (const auto& e : entradas_)
        if (e.first == nombre)
            return e.second;
    return porDefecto;
}

bool BolsaPropiedades::Contiene(const QString& nombre) const {
    for (const auto& e : entradas_)
        if (e.first == nombre)
            return true;
    return false;
}

QStringList BolsaPropiedades::Claves() const {
    QStringList claves;
    for (const auto& e : entradas_)
        claves << e.first;
    return claves;
}

// ---------------------------------------------------------------------------
// DateTimeBox

QString DateTimeBox::TextoCorto(const QDate& fecha) {
    return fecha.toString(QStringLiteral("dd/MM/yyyy"));
}

DateTimeBox::DateTimeBox(QWidget* parent) : QWidget(parent) {
    selector_ = new SelectorFecha(this);
    selector_->setObjectName(QStringLiteral("DateTime"));
    textoTope_ = new QLineEdit(this);
    textoTope_->setObjectName(QStringLiteral("TextoTope"));
    textoTope_->setReadOnly(true);
    textoTope_->setFrame(false);
    textoTope_->setFocusPolicy(Qt::NoFocus);
    textoEnabled_ = new QLineEdit(this);
    textoEnabled_->setObjectName(QStringLiteral("TextoEnabled"));
    textoEnabled_->setEnabled(false);
    PonerFondo(textoTope_, Blanco, Gris);
    PonerFondo(textoEnabled_, GrisClaro, 0x000000);
    setFocusProxy(selector_);
    resize(Px(1335), Px(315));

    connect(selector_, &SelectorFecha::Change, this, &DateTimeBox::AlCambiar);
    connect(selector_, &SelectorFecha::FechaTecleada, this, &DateTimeBox::AlTeclearFecha);
    connect(selector_, &SelectorFecha::Click, this, &DateTimeBox::AlHacerClick);
    connect(selector_, &SelectorFecha::CloseUp, this, &DateTimeBox::AlCerrarCalendario);
    connect(selector_, &SelectorFecha::KeyDown, this,
            [this](int& codigo, int shift) { emit KeyDown(codigo, shift); });
    connect(selector_, &SelectorFecha::KeyPress, this,
            [this](int& ascii) { emit KeyPress(ascii); });
    connect(selector_, &SelectorFecha::CallbackKeyDown, this,
            [this](int codigo, int shift, const QString& campo, QDate& fecha) {
                emit CallbackKeyDown(codigo, shift, campo, fecha);
            });

    // Control nuevo: valores por defecto, la fecha de hoy y lo que depende de ellos.
    selector_->PonerFecha(QDate::currentDate());
    PropiedadesDependientes();
    Acomodar();
}

void DateTimeBox::PonerFondo(QLineEdit* texto, QRgb fondo, QRgb letra) {
    // Los colores del sistema vienen en BGR.
    auto color = [](QRgb bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); };
    QPalette p = texto->palette();
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Base, color(fondo));
        p.setColor(g, QPalette::Text, color(letra));
    }
    texto->setPalette(p);
    texto->setAutoFillBackground(true);
}

// Propiedades que solo se guardan: se anotan y se avisa el cambio.
void DateTimeBox::PonerBackColor(qint32 color) {
    Guardar(backColor_, color, "BackColor");
}
void DateTimeBox::PonerForeColor(qint32 color) {
    Guardar(foreColor_, color, "ForeColor");
}
void DateTimeBox::PonerAppearance(qint16 valor) {
    Guardar(appearance_, valor, "Appearance");
}
void DateTimeBox::PonerBackStyle(qint16 valor) {
    Guardar(backStyle_, valor, "BackStyle");
}
void DateTimeBox::PonerBorderStyle(qint16 valor) {
    Guardar(borderStyle_, valor, "BorderStyle");
}

void DateTimeBox::PonerEnabled(bool habilitado) {
    enabled_ = habilitado;
    AplicarEstado();
    emit PropiedadCambiada(QStringLiteral("Enabled"));
}

void DateTimeBox::PonerCheckBox(bool casilla) {
    checkBox_ = casilla;
    CambiaFormatoTrasCheckBox();
    emit PropiedadCambiada(QStringLiteral("CheckBox"));
}

void DateTimeBox::PonerPermiteValueNull(bool permite) {
    permiteValueNull_ = permite;
    CambiaFormatoTrasPermiteValueNull();
    AplicarEstado();
    emit PropiedadCambiada(QStringLiteral("PermiteValueNull"));
}

void DateTimeBox::PonerTextoValueNull(const QString& texto) {
    textoValueNull_ = texto;
    textoTope_->setText(texto);
    emit PropiedadCambiada(QStringLiteral("TextoValueNull"));
}

QVariant DateTimeBox::Value() const {
    return selector_->Valor();
}

bool DateTimeBox::PonerValue(const QVariant& valor) {
    const bool vacio = valor.isNull() || !valor.isValid() ||
                       (valor.typeId() == QMetaType::QString && valor.toString().isEmpty());
    if (!vacio) {
        QDate fecha;
        if (valor.typeId() == QMetaType::QDateTime)
            fecha = valor.toDateTime().date();
        else if (valor.typeId() == QMetaType::QDate)
            fecha = valor.toDate();
        else if (valor.typeId() == QMetaType::QString) {
            fecha = QDate::fromString(valor.toString().trimmed(), QStringLiteral("dd/MM/yyyy"));
            if (!fecha.isValid())
                fecha = QDate::fromString(valor.toString().trimmed(), QStringLiteral("d/M/yyyy"));
            if (!fecha.isValid())
                fecha = QDate::fromString(valor.toString().trimmed(), Qt::ISODate);
        }
        if (!selector_->PonerFecha(fecha))
            return false; // fuera de rango o no es una fecha
        MostrarTope(false);
        textoEnabled_->setText(TextoCorto(fecha));
    } else if (checkBox_ || permiteValueNull_) {
        // Sin casilla pero admitiendo vacío, el selector igual queda sin fecha.
        selector_->PonerNulo();
        MostrarTope(true);
        textoEnabled_->clear();
    }
    // Sin casilla y sin admitir vacío la caja conserva su fecha.
    emit PropiedadCambiada(QStringLiteral("Value"));
    return true;
}

QDate DateTimeBox::MinDate() const {
    return selector_->Minimo();
}

void DateTimeBox::PonerMinDate(const QDate& fecha) {
    selector_->PonerMinimo(fecha);
    emit PropiedadCambiada(QStringLiteral("MinDate"));
}

QDate DateTimeBox::MaxDate() const {
    return selector_->Maximo();
}

void DateTimeBox::PonerMaxDate(const QDate& fecha) {
    if (selector_->Minimo() < fecha)
        selector_->PonerMaximo(fecha);
    emit PropiedadCambiada(QStringLiteral("MaxDate"));
}

void DateTimeBox::CambiaFormatoTrasCheckBox() {
    selector_->MostrarCasilla(checkBox_);
    if (!checkBox_)
        MostrarTope(false);
    Acomodar();
}

void DateTimeBox::CambiaFormatoTrasPermiteValueNull() {
    PonerCheckBox(permiteValueNull_);
}

void DateTimeBox::PropiedadesDependientes() {
    CambiaFormatoTrasPermiteValueNull();
    CambiaFormatoTrasCheckBox();
    AplicarEstado();
}

void DateTimeBox::MostrarTope(bool mostrar) {
    textoTope_->setVisible(mostrar);
    if (mostrar)
        textoTope_->raise();
}

void DateTimeBox::ActualizarTextos() {
    const QVariant v = selector_->Valor();
    textoEnabled_->setText(v.isNull() ? QString() : TextoCorto(v.toDate()));
}

void DateTimeBox::AplicarEstado() {
    QWidget::setEnabled(enabled_);
    selector_->setEnabled(enabled_);
    MostrarTope(permiteValueNull_ && selector_->EsNulo());
    if (enabled_) {
        PonerFondo(textoTope_, Blanco, Gris);
        PonerFondo(textoEnabled_, Blanco, 0x000000);
        textoEnabled_->hide();
        selector_->show();
        return;
    }
    PonerFondo(textoTope_, GrisClaro, Gris);
    PonerFondo(textoEnabled_, GrisClaro, 0x000000);
    selector_->setVisible(permiteValueNull_);
    textoEnabled_->setGeometry(0, 0, width(), height());
    textoEnabled_->show();
    textoEnabled_->raise();
    textoEnabled_->setEnabled(false);
    ActualizarTextos();
}

void DateTimeBox::AlCambiar() {
    estabaNulo_ = !textoTope_->isHidden();
    // Salir del vacío deja la fecha de hoy, no el día elegido.
    if (estabaNulo_)
        selector_->PonerFecha(QDate::currentDate());
    MostrarTope(selector_->EsNulo());
    ActualizarTextos();
    emit Change();
}

void DateTimeBox::AlTeclearFecha() {
    // La fecha tecleada entera queda tal cual, también si la caja estaba vacía.
    estabaNulo_ = false;
    MostrarTope(false);
    ActualizarTextos();
    emit Change();
}

void DateTimeBox::AlHacerClick() {
    estabaNulo_ = selector_->EsNulo();
    emit Click();
}

void DateTimeBox::AlCerrarCalendario() {
    if (!selector_->MuestraCasilla() || !estabaNulo_)
        return;
    const QVariant v = selector_->Valor();
    if (!v.isNull() && v.toDate() == QDate::currentDate()) {
        textoEnabled_->setText(TextoCorto(v.toDate()));
    } else {
        selector_->PonerNulo();
        MostrarTope(true);
        textoEnabled_->clear();
    }
}

void DateTimeBox::Acomodar() {
    const int w = width();
    const int h = height();
    selector_->setGeometry(0, 0, std::max(0, w - Px(20)), h);
    textoEnabled_->setGeometry(0, 0, w, h);
    textoTope_->setGeometry(Px(250), 1, std::max(0, w - Px(285)),
                            std::max(0, selector_->height() - 2));
}

void DateTimeBox::resizeEvent(QResizeEvent* evento) {
    QWidget::resizeEvent(evento);
    Acomodar();
}

void DateTimeBox::keyPressEvent(QKeyEvent* evento) {
    // Enter ya lo avisó el selector; el resto de las teclas que llegan a la caja se avisan aquí.
    if (!EsEnter(evento->key()) && !evento->text().isEmpty()) {
        int ascii = evento->text().at(0).unicode();
        emit KeyPress(ascii);
        if (ascii == 0) {
            evento->accept();
            return;
        }
    }
    QWidget::keyPressEvent(evento);
}

void DateTimeBox::GuardarPropiedades(BolsaPropiedades& bolsa) {
    bolsa.Escribir(QStringLiteral("BackColor"), backColor_, qint32(0));
    bolsa.Escribir(QStringLiteral("ForeColor"), foreColor_, qint32(0));
    bolsa.Escribir(QStringLiteral("Enabled"), enabled_, true);
    bolsa.Escribir(QStringLiteral("Appearance"), appearance_, qint16(0));
    bolsa.Escribir(QStringLiteral("BackStyle"), backStyle_, qint16(0));
    bolsa.Escribir(QStringLiteral("BorderStyle"), borderStyle_, qint16(0));
    bolsa.Escribir(QStringLiteral("CheckBox"), checkBox_, false);
    bolsa.Escribir(QStringLiteral("TextoValueNull"), textoValueNull_, QString());
    bolsa.Escribir(QStringLiteral("PermiteValueNull"), permiteValueNull_, true);
    bolsa.Escribir(QStringLiteral("Value"), selector_->Valor(), QDate::currentDate());
    PropiedadesDependientes();
}

void DateTimeBox::LeerPropiedades(const BolsaPropiedades& bolsa) {
    backColor_ = bolsa.Leer(QStringLiteral("BackColor"), qint32(0)).toInt();
    foreColor_ = bolsa.Leer(QStringLiteral("ForeColor"), qint32(0)).toInt();
    appearance_ = qint16(bolsa.Leer(QStringLiteral("Appearance"), 0).toInt());
    backStyle_ = qint16(bolsa.Leer(QStringLiteral("BackStyle"), 0).toInt());
    borderStyle_ = qint16(bolsa.Leer(QStringLiteral("BorderStyle"), 0).toInt());
    checkBox_ = bolsa.Leer(QStringLiteral("CheckBox"), false).toBool();
    textoValueNull_ = bolsa.Leer(QStringLiteral("TextoValueNull"), QString()).toString();
    textoTope_->setText(textoValueNull_);
    permiteValueNull_ = bolsa.Leer(QStringLiteral("PermiteValueNull"), true).toBool();
    // Guardada sin fecha (vacía) o sin guardar, la caja se abre con el día de hoy.
    const QVariant valor = bolsa.Leer(QStringLiteral("Value"), QDate::currentDate());
    const QDate fecha = valor.isNull() ? QDate() : valor.toDate();
    selector_->PonerFecha(fecha.isValid() ? fecha : QDate::currentDate());
    enabled_ = bolsa.Leer(QStringLiteral("Enabled"), true).toBool();
    PropiedadesDependientes();
}
