#pragma once
// Mensaje con una lista: título, texto explicativo y una lista llenada con una
// consulta, de columnas ordenables, con un solo botón "&Aceptar". La usa la
// lista de versiones instaladas.
#include <QDateTime>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QTreeWidget;

class frmMensajeLista : public QDialog {
    Q_OBJECT
public:
    explicit frmMensajeLista(QWidget* parent = nullptr);
    ~frmMensajeLista() override;

    // Llena la lista, pone los textos y muestra la ventana en forma modal.
    void MostrarMensajeConLista(const QString& sTitulo, const QString& sTexto,
                                const QString& sConsulta, const QString& sTitulos);
    // Lo mismo sin mostrarla.
    void Preparar(const QString& sTitulo, const QString& sTexto, const QString& sConsulta,
                  const QString& sTitulos);

    // Clic en el encabezado: la misma columna invierte el sentido; otra
    // columna pasa a ordenar, ascendente.
    void ClickColumna(int columna);
    int ColumnaOrden() const { return columnaOrden_; }
    Qt::SortOrder SentidoOrden() const { return sentido_; }

    QLabel* lblLabels = nullptr; // elemento 0 del arreglo: el texto
    QTreeWidget* ListaPrincipal = nullptr;
    QPushButton* CmdAceptar = nullptr;

protected:
    void showEvent(QShowEvent* evento) override;

private:
    int columnaOrden_ = 0;
    Qt::SortOrder sentido_ = Qt::AscendingOrder;
    int idRegistro_ = 0;
    bool centrada_ = false;
};

// Llena la lista con las columnas de sTitulos ("<,45%,Versión|>,45%,Fecha")
// y las filas de la plantilla sConsulta (el texto de quien llama no cambia).
void CargarListaSQL(const QString& sConsulta, QTreeWidget* lista, const QString& sTitulos);
// Texto de una celda como lo muestra la lista (fechas dd/mm/aaaa).
QString TextoCelda(const QVariant& valor);

// Versiones instaladas del sistema de prefijo dado; sistema es el nombre de
// los textos. ahora: fecha y hora del puesto (por defecto, la actual).
void MostrarVersiones(const QString& prefijo, const QString& sistema, QWidget* padre = nullptr);
void PrepararVersiones(frmMensajeLista& ventana, const QString& prefijo, const QString& sistema,
                       const QDateTime& ahora);
