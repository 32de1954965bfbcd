#pragma once
// Caja de fecha: un selector de fecha con casilla opcional y calendario
// desplegable, y dos cuadros de texto encima. Puede quedar sin fecha (se ve
// el texto TextoValueNull en gris sobre la fecha) y, deshabilitada, muestra la
// fecha como texto sobre fondo gris en lugar del selector apagado.
#include "SelectorFecha.h"
#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>
#include <QWidget>

class QLineEdit;

// Propiedades guardadas de un control, en el orden en que se escriben.
// Un valor igual a su valor por defecto no se guarda.
class BolsaPropiedades {
public:
    void Escribir(const QString& nombre, const QVariant& valor, const QVariant& porDefecto);
    QVariant Leer(const QString& nombre, const QVariant& porDefecto) const;
    bool Contiene(const QString& nombre) const;
    QStringList Claves() const;

private:
    QList<QPair<QString, QVariant>> entradas_;
};

class DateTimeBox : public QWidget {
    Q_OBJECT

public:
    explicit DateTimeBox(QWidget* parent = nullptr);

    // Colores (BGR de 32 bits) y estilos: se guardan y nada más.
    qint32 BackColor() const { return backColor_; }
    void PonerBackColor(qint32 color);
    qint32 ForeColor() const { return foreColor_; }
    void PonerForeColor(qint32 color);
    qint16 Appearance() const { return appearance_; }
    void PonerAppearance(qint16 valor);
    qint16 BackStyle() const { return backStyle_; }
    void PonerBackStyle(qint16 valor);
    qint16 BorderStyle() const { return borderStyle_; }
    void PonerBorderStyle(qint16 valor);

    bool Enabled() const { return enabled_; }
    void PonerEnabled(bool habilitado);
    bool CheckBox() const { return checkBox_; }
    void PonerCheckBox(bool casilla);
    bool PermiteValueNull() const { return permiteValueNull_; }
    void PonerPermiteValueNull(bool permite);
    QString TextoValueNull() const { return textoValueNull_; }
    void PonerTextoValueNull(const QString& texto);

    // Fecha del selector (QDate) o nulo. Escribir acepta una fecha, un texto
    // "dd/MM/yyyy", nulo o "". Falso si el selector no acepta el valor.
    QVariant Value() const;
    bool PonerValue(const QVariant& valor);
    QDate MinDate() const;
    void PonerMinDate(const QDate& fecha);
    QDate MaxDate() const;
    // Solo si el mínimo actual es anterior; si no, se ignora.
    void PonerMaxDate(const QDate& fecha);

    // Confirma la fecha que se está tecleando antes de leerla: falso si no es
    // una fecha (la caja ya lo dijo y conserva la suya).
    bool ConfirmarEntrada() { return selector_->ConfirmarEntrada(); }

    void Refresh() {}
    void CambiaFormatoTrasCheckBox();
    void CambiaFormatoTrasPermiteValueNull();
    void PropiedadesDependientes();

    // Propiedades guardadas por la ventana que aloja la caja.
    void GuardarPropiedades(BolsaPropiedades& bolsa);
    void LeerPropiedades(const BolsaPropiedades& bolsa);

    // Partes internas (para la ventana y las pruebas).
    SelectorFecha* DateTime() const { return selector_; }
    QLineEdit* TextoTope() const { return textoTope_; }
    QLineEdit* TextoEnabled() const { return textoEnabled_; }
    bool EstabaNulo() const { return estabaNulo_; }

    // Texto corto de una fecha: "dd/MM/yyyy".
    static QString TextoCorto(const QDate& fecha);

signals:
    void Change();
    void Click();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    void CallbackKeyDown(int KeyCode, int Shift, const QString& CallbackField, QDate& CallbackDate);
    // Cada escritura de una propiedad lo avisa (el diseñador la guarda).
    void PropiedadCambiada(const QString& nombre);

protected:
    void resizeEvent(QResizeEvent* evento) override;
    void keyPressEvent(QKeyEvent* evento) override;

private:
    void AplicarEstado();
    void Acomodar();
    void PonerFondo(QLineEdit* texto, QRgb fondo, QRgb letra);
    template <typename T> void Guardar(T& campo, T valor, const char* propiedad) {
        campo = valor;
        emit PropiedadCambiada(QLatin1String(propiedad));
    }
    void MostrarTope(bool mostrar);
    void ActualizarTextos();
    // Respuestas a los avisos del selector.
    void AlCambiar();
    void AlTeclearFecha();
    void AlHacerClick();
    void AlCerrarCalendario();

    SelectorFecha* selector_ = nullptr;
    QLineEdit* textoTope_ = nullptr;
    QLineEdit* textoEnabled_ = nullptr;

    qint32 backColor_ = 0;
    qint32 foreColor_ = 0;
    qint16 appearance_ = 0;
    qint16 backStyle_ = 0;
    qint16 borderStyle_ = 0;
    bool enabled_ = true;
    bool checkBox_ = false;
    QString textoValueNull_;
    bool permiteValueNull_ = true;
    bool estabaNulo_ = false;
};
