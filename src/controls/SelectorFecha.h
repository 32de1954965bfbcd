#pragma once
// Selector de fecha: una casilla (opcional) que dice si hay fecha y un editor
// "dd/MM/yyyy" con calendario. Sin tilde su valor es nulo. Avisa los cambios
// que hace el usuario, no los que hace el programa.
//
// Las flechas cambian el día, el mes o el año donde está el cursor; una cifra
// tecleada empieza en cambio una fecha entera ("30/06/2024" o "30062024") en un
// campo que se pone encima del editor. Enter, Tab o un clic afuera la
// confirman y Escape la descarta. Una fecha que no existe se rechaza con un
// mensaje y la caja conserva la suya: nunca se cambia por otra parecida.
#include <QDate>
#include <QVariant>
#include <QWidget>

class FiltroEntrada;
class QCheckBox;
class QDateEdit;
class QKeyEvent;
class QLineEdit;

class SelectorFecha : public QWidget {
    Q_OBJECT

public:
    explicit SelectorFecha(QWidget* parent = nullptr);

    // Fecha, o QVariant nulo sin tilde.
    QVariant Valor() const;
    bool EsNulo() const;
    // Falso si la fecha no es válida o está fuera de mínimo y máximo. Descarta
    // la fecha que se estaba tecleando.
    bool PonerFecha(const QDate& fecha);
    void PonerNulo();

    bool MuestraCasilla() const;
    void MostrarCasilla(bool mostrar);
    QDate Minimo() const;
    QDate Maximo() const;
    void PonerMinimo(const QDate& fecha);
    void PonerMaximo(const QDate& fecha);

    // La fecha tecleada que todavía no se confirmó, si la hay.
    bool HayEntrada() const;
    // Confirma la fecha tecleada: verdadero si no había o si se aceptó; falso
    // si se rechazó (el mensaje ya se mostró y el foco vuelve a ella).
    bool ConfirmarEntrada();
    void CancelarEntrada();

    QDateEdit* Editor() const { return editor_; }
    QCheckBox* Casilla() const { return casilla_; }
    QLineEdit* Entrada() const { return entrada_; }
    int AnchoCasilla() const;

signals:
    void Change();
    // Una fecha tecleada entera y aceptada, distinta de la que había (o la
    // caja estaba vacía).
    void FechaTecleada(const QDate& fecha);
    void Click();
    void DropDown();
    void CloseUp();
    void KeyDown(int& KeyCode, int Shift);
    void KeyPress(int& KeyAscii);
    // Campos de retrollamada del formato: el formato "dd/MM/yyyy" no tiene,
    // así que este selector nunca lo emite; la caja lo reenvía igual.
    void CallbackKeyDown(int KeyCode, int Shift, const QString& CallbackField, QDate& CallbackDate);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    void Acomodar();
    void AjustarFuente();
    void CambioDelUsuario();
    // Enter avisado como KeyDown y KeyPress; verdadero si un manejador lo anuló.
    bool AvisarEnter(QKeyEvent* tecla);
    void EmpezarEntrada(const QString& primeraCifra);
    void SalidaDeEntrada(int motivo);
    friend class FiltroEntrada;
    // Enter confirma y Escape descarta; verdadero si la tecla fue de la entrada.
    bool TeclaDeEntrada(QKeyEvent* tecla);

    QCheckBox* casilla_ = nullptr;
    QDateEdit* editor_ = nullptr;
    QLineEdit* entrada_ = nullptr; // la fecha que se teclea entera
    FiltroEntrada* filtroEntrada_ = nullptr;
    QWidget* calendario_ = nullptr; // ventana emergente del calendario, vigilada
    bool nulo_ = false;
    bool programando_ = false; // los cambios del programa no se avisan
    bool ajustando_ = false;
    bool confirmando_ = false; // mientras se confirma o descarta la entrada
};
