#pragma once
// Conjunto de filas estático del lado del cliente: todas las filas se leen al
// abrir, RecordCount es exacto y los movimientos no vuelven a la base.
// Las celdas se guardan como texto en un búfer por columna (poca memoria
// para cien mil filas) y se convierten al tipo de la columna al leerlas.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class Recordset {
public:
    enum class Tipo { Texto, Entero, Decimal, Fecha, FechaHora, Otro };

    bool Abierto() const { return abierto_; }
    int RecordCount() const { return filas_; }
    int CantidadCampos() const { return int(columnas_.size()); }
    QString NombreCampo(int campo) const;
    int IndiceCampo(const QString& nombre) const; // sin distinguir mayúsculas; -1 si no está
    QStringList NombresCampos() const;

    bool Eof() const { return !abierto_ || actual_ >= filas_; }
    bool Bof() const { return !abierto_ || actual_ < 0 || filas_ == 0; }
    void MoveFirst() { actual_ = 0; }
    void MoveNext() {
        if (actual_ < filas_)
            ++actual_;
    }
    int PosicionActual() const { return actual_; }

    // Valor de la fila actual. Null: QVariant nulo del tipo de la columna.
    // Fuera de rango (Eof, campo inexistente): QVariant inválido.
    QVariant Valor(int campo) const;
    QVariant Valor(const QString& nombre) const;
    bool EsNulo(int campo) const;
    // Para volcar filas sin convertir: el tipo de la columna y el texto tal
    // como llegó de la base en la fila actual (vacío si es nulo). Sin
    // comprobaciones: el campo existe y la fila actual es válida.
    Tipo TipoCampo(int campo) const { return columnas_[size_t(campo)].tipo; }
    QByteArrayView Bruto(int campo) const {
        const Columna& c = columnas_[size_t(campo)];
        const quint32 inicio = actual_ ? c.finales[size_t(actual_) - 1] : 0;
        return QByteArrayView(c.datos.constData() + inicio,
                              qsizetype(c.finales[size_t(actual_)] - inicio));
    }

    // Carga (la usa ConexionBase).
    void Reiniciar();
    int AgregarColumna(const QString& nombre, Tipo tipo);
    void AgregarCelda(int columna, const char* datos, qsizetype largo);          // UTF-8
    void AgregarCeldaUtf16(int columna, const char16_t* datos, qsizetype largo); // a UTF-8
    void AgregarNulo(int columna);
    void TerminarCarga(); // abre, cuenta filas y va a la primera

    // Bytes que ocupan los datos guardados (para el banco de pruebas).
    qsizetype MemoriaUsada() const;

private:
    struct Columna {
        QString nombre;
        Tipo tipo = Tipo::Texto;
        QByteArray datos;             // celdas concatenadas
        std::vector<quint32> finales; // fin de cada celda en datos
        std::vector<quint8> nulos;    // 1 si la celda es nula; vacío hasta el primer nulo
    };
    QVariant Convertir(const Columna& c, int fila) const;
    static bool Nulo(const Columna& c, int fila) {
        return size_t(fila) < c.nulos.size() && c.nulos[size_t(fila)];
    }

    std::vector<Columna> columnas_;
    int filas_ = 0;
    int actual_ = 0;
    bool abierto_ = false;
};
