#pragma once
// Registros de texto bajo RutaSistema + "LogsFiles\": seguimiento de
// sentencias, sentencias lentas, sentencias con error, reportes impresos y
// reportes con error. Nunca lanzan; una carpeta faltante se crea.
// Los rotativos usan la fecha del servidor: la piden al nombrar el archivo y
// otra vez al depurarlo (si ya existe). Sin esa fecha (sin conexión, o si la
// consulta misma falla) la entrada no se escribe.
#include <QDate>
#include <QString>
#include <functional>

// Lo que los registros de reportes leen del pedido de impresión.
struct DatosReporteLog {
    QString tituloVentana;
    QString rutaReporte;
    QString consultaSql;
    long errorNumero = 0; // último error en tiempo de ejecución del llamador
    QString errorOrigen;
    QString errorDescripcion;
};

void GrabarSeguimiento(const QString& tag, const QString& procedimiento, const QString& texto);
void GrabarSqlLento(const QString& tag, const QString& sql, qint64 segundos);
void GrabarErrorSql(const QString& tag, const QString& sql, const QString& mensaje);
// Una conexión que no se pudo abrir, en el registro de sentencias con error
// (la cadena sin su clave). Sin fecha del servidor, con la del puesto.
void GrabarErrorConexion(const QString& tag, const QString& cadenaConexion, const QString& mensaje);
void GrabarSqlReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt);
void GrabarErrorReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt,
                        const QString& mensaje);

// Con conDia, vacía si no hay fecha del servidor.
QString NombreArchivoLog(const QString& tag, const QString& carpeta, const QString& nombreBase,
                         bool conDia);
void DepurarArchivoLog(const QString& ruta);
QString FormatearDuracion(qint64 segundos);
QString LetrasDia(const QDate& fecha); // "Lu" .. "Do"
void ListaFormsSinDescargar();

// Fecha del servidor que usan los registros rotativos. Por defecto
// FechaServidor(false); las pruebas la fijan.
void FijarFuenteFechaLogs(std::function<QDate()> fuente);
