#pragma once
// Registros de texto bajo RutaSistema + "LogsFiles\": seguimiento de
// sentencias, sentencias lentas, sentencias con error, reportes impresos y
// reportes con error, y los errores del programa. Nunca lanzan; una carpeta
// faltante se crea. Si no se pueden escribir (carpeta sin permiso, disco
// lleno) se avisa una sola vez por sesión y el programa sigue.
// Los rotativos usan la fecha del servidor: la piden al nombrar el archivo y
// otra vez al depurarlo (si ya existe). Sin esa fecha (sin conexión, o si la
// consulta misma falla) la entrada no se escribe, salvo la del registro de
// errores del programa, que usa la del puesto.
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

// Registro de errores del programa, LogsFiles\Errores\ + Dd + tag + "Err.log":
// lo que atrapa un catch y los avisos para soporte. Rota como los otros, con
// la fecha del servidor o, si no la hay, la del puesto.
void GrabarErrorPrograma(const QString& tag, const QString& lugar, const QString& mensaje);
// Solo dentro de un catch: anota en el registro de errores la excepción en
// curso (su texto, si es una std::exception) y dónde se la atrapó.
void AnotarExcepcion(const QString& lugar);

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
