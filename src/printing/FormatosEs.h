#pragma once
// Formatos en español de los reportes, sin depender de la configuración
// regional del puesto: "1.234.567,89", "38 %", "dd/mm/yyyy", "hh:nn".
//
// Patrón de número: un prefijo, la parte numérica y un sufijo. En la parte
// numérica "0" es una cifra obligatoria, "#" una cifra optativa, "." separa
// los miles y "," los decimales: "#.##0,00", "#.##0", "0 %", "$ #.##0,00".
// El "%" es un literal: el valor se escribe como viene.
//
// Patrón de fecha y hora: d dd ddd dddd (día, "lun", "lunes"), m mm mmm mmmm
// (mes, "mar", "marzo"), yy yyyy, h hh, n nn (minutos; también m y mm justo
// después de una hora), s ss; el texto entre comillas simples va tal cual.
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class FormatoValor {
public:
    // Vacío: cada tipo con el suyo (ver Aplicar).
    FormatoValor() = default;
    // nullopt si el patrón no es de número ni de fecha; error dice por qué.
    static std::optional<FormatoValor> Compilar(const QString& patron, QString* error = nullptr);

    // Número con un patrón de número y fecha con uno de fecha; lo demás, y
    // sin patrón, con el de su tipo: entero "1234", decimal "1.234,50",
    // fecha "dd/mm/yyyy", fecha y hora "dd/mm/yyyy hh:nn", texto tal cual.
    // Null: vacío.
    QString Aplicar(const QVariant& valor) const;

    bool EsDeNumero() const { return tipo_ == Tipo::Numero; }
    bool EsDeFecha() const { return tipo_ == Tipo::Fecha; }

private:
    enum class Tipo : quint8 { Ninguno, Numero, Fecha };
    struct Pieza {
        char token = 0; // 0 literal, 'd', 'm', 'y', 'h', 'n', 's'
        int largo = 0;
        QString literal;
    };
    QString Numero(double v) const;
    QString Fecha(const QDate& fecha, const QTime& hora) const;

    Tipo tipo_ = Tipo::Ninguno;
    // número
    QString prefijo_;
    QString sufijo_;
    bool miles_ = false;
    int enterosMinimos_ = 1;
    int decimalesMinimos_ = 0;
    int decimalesMaximos_ = 0;
    // fecha
    std::vector<Pieza> piezas_;
};

// "1.234.567,89": el número con separador de miles y los decimales pedidos.
QString FormatearNumeroEs(double valor, int decimales, bool miles = true);
