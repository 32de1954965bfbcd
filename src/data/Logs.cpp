#include "Logs.h"
#include "ConexionBase.h"
#include "DialogosConsola.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Rutas.h"
#include "Secretos.h"
#include "Ventanas.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace {

// Formatos cortos de la configuración regional es_AR.
const QString FormatoFecha = QStringLiteral("dd/MM/yyyy");
const QString FormatoHora = QStringLiteral("HH:mm:ss");
const QString Version = QStringLiteral("Versión  : ");

std::function<QDate()>& FuenteFecha() {
    static std::function<QDate()> fuente;
    return fuente;
}

// Mientras se pide la fecha al servidor: si esa consulta falla o tarda, su
// propio registro de error o de lentitud volvería a pedirla sin fin.
bool consultandoFecha = false;

// Fecha del servidor (FechaServidor(false), o la que fijan las pruebas).
// Sin conexión abierta, o mientras se la está pidiendo, no hay fecha: la
// entrada que la necesita no se escribe.
std::optional<QDate> FechaServidorLogs() {
    try {
        if (FuenteFecha())
            return FuenteFecha()();
        if (consultandoFecha || !Glob().Conexion || !Glob().Conexion->Abierta())
            return std::nullopt;
        consultandoFecha = true;
        const auto fecha = FechaServidor(false);
        consultandoFecha = false;
        if (fecha)
            return fecha->date();
    } catch (...) {
        consultandoFecha = false;
    }
    return std::nullopt;
}

QString RutaLogs(const QString& resto) {
    return RutaNativa(Glob().RutaSistema + QLatin1String("LogsFiles\\") + resto);
}

// Abre para anexar (creando carpeta y archivo si faltan), escribe y cierra.
// Ninguna clave llega al archivo: cada línea pasa por OcultarSecretos.
void Anexar(const QString& ruta, const QStringList& lineas) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    QString texto;
    for (const QString& linea : lineas)
        texto += OcultarSecretos(linea) + QLatin1Char('\n');
    archivo.write(texto.toUtf8());
    archivo.close();
}

// Ruta del registro rotativo del día del servidor, ya depurada; vacía si no
// hay fecha del servidor.
QString PrepararRotativo(const QString& tag, const QString& carpeta, const QString& nombreBase) {
    const QString ruta = NombreArchivoLog(tag, carpeta, nombreBase, true);
    if (!ruta.isEmpty())
        DepurarArchivoLog(ruta);
    return ruta;
}

QString LineaPC(const QString& etiqueta) {
    return etiqueta + Glob().NombrePC + QLatin1String("  - Usuario Win    : ") +
           Glob().UsuarioWindows;
}

// Comienzo de los registros de sentencias: versión, fecha y hora del
// puesto, usuario, tarea, última ventana cargada (si hay) y equipo, con las
// etiquetas rellenadas al ancho de cada registro.
QStringList CabeceraSentencia(const char* realizado, int ancho) {
    auto etiqueta = [ancho](const char* nombre) {
        return QString::fromUtf8(nombre).leftJustified(ancho) + QLatin1String(": ");
    };
    const QDateTime ahora = QDateTime::currentDateTime();
    const EstadoSesion& g = Glob();
    QStringList lineas{Version + g.VersionSistema,
                       etiqueta(realizado) + ahora.date().toString(FormatoFecha) +
                           QLatin1String(" - ") + ahora.time().toString(FormatoHora),
                       etiqueta("Usuario") + g.UsuarioActual, etiqueta("Tarea") + g.TareaActual};
    const RegistroVentanas& ventanas = RegistroVentanas::instancia();
    if (ventanas.Cantidad() > 0)
        lineas << etiqueta("Form") + ventanas.Ultima();
    lineas << LineaPC(etiqueta("PC"));
    return lineas;
}

} // namespace

void FijarFuenteFechaLogs(std::function<QDate()> fuente) {
    FuenteFecha() = std::move(fuente);
}

QString LetrasDia(const QDate& fecha) {
    static const char* const letras[] = {"Lu", "Ma", "Mi", "Ju", "Vi", "Sa", "Do"};
    const int dia = fecha.dayOfWeek(); // 1 lunes .. 7 domingo; 0 si no es válida
    return dia >= 1 && dia <= 7 ? QString::fromLatin1(letras[dia - 1]) : QString();
}

QString NombreArchivoLog(const QString& tag, const QString& carpeta, const QString& nombreBase,
                         bool conDia) {
    QString dia;
    if (conDia) {
        const auto fecha = FechaServidorLogs();
        if (!fecha)
            return QString();
        dia = LetrasDia(*fecha);
    }
    return RutaLogs(carpeta + QLatin1Char('\\') + dia + tag + nombreBase + QLatin1String(".log"));
}

void DepurarArchivoLog(const QString& ruta) {
    try {
        const QFileInfo info(ruta);
        if (!info.exists())
            return;
        const auto hoy = FechaServidorLogs();
        if (hoy && info.lastModified().date() < *hoy)
            QFile::remove(ruta);
    } catch (...) {
    }
}

QString FormatearDuracion(qint64 segundos) {
    if (segundos < 60)
        return QString::number(segundos) + QLatin1Char('s');
    QString texto = QString::number(segundos / 60) + QLatin1Char('m');
    if (segundos % 60 > 0)
        texto += QString::number(segundos % 60) + QLatin1Char('s');
    return texto;
}

void GrabarSeguimiento(const QString& tag, const QString& procedimiento, const QString& texto) {
    try {
        const qint64 id = ++Glob().ContadorSeguimiento;
        const QDateTime ahora = QDateTime::currentDateTime();
        const QString ruta =
            RutaLogs(QLatin1String("Seguimiento\\") + tag +
                     ahora.date().toString(QStringLiteral("yyyyMMdd")) + QLatin1String(".log"));
        const RegistroVentanas& ventanas = RegistroVentanas::instancia();
        QString formularios;
        if (ventanas.Cantidad() >= 2)
            formularios = QLatin1String(" Form: ") + ventanas.Anteultima() + QLatin1Char('-') +
                          ventanas.Ultima();
        const EstadoSesion& g = Glob();
        Anexar(ruta,
               {Version + g.VersionSistema,
                QLatin1String("ID: ") + QString::number(id) + formularios,
                QLatin1String("MRV ") + ahora.time().toString(FormatoHora) + QLatin1Char('.') +
                    procedimiento,
                QLatin1String("PC:[") + g.NombrePC + QLatin1String("]USRWIN:[") + g.UsuarioWindows +
                    QLatin1String("]USR:[") + g.UsuarioActual + QLatin1Char(']'),
                texto, QString()});
    } catch (...) {
    }
}

void GrabarSqlLento(const QString& tag, const QString& sql, qint64 segundos) {
    try {
        const QString ruta = PrepararRotativo(tag, QStringLiteral("Sql"), QStringLiteral("Sql"));
        if (ruta.isEmpty())
            return;
        QStringList lineas = CabeceraSentencia("Realizado el", 12);
        lineas << QLatin1String("SQL  :") + sql
               << QStringLiteral("Tardó:") + FormatearDuracion(segundos) << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

void GrabarErrorSql(const QString& tag, const QString& sql, const QString& mensaje) {
    try {
        // La sentencia del rol de seguridad nunca se registra.
        if (sql.toUpper() == QLatin1String("SET ROLE ROL_GDA IDENTIFIED BY TESARO"))
            return;
        const QString ruta =
            PrepararRotativo(tag, QStringLiteral("Errores Sql"), QStringLiteral("ErrSql"));
        if (ruta.isEmpty())
            return;
        QStringList lineas = CabeceraSentencia("Realizado", 9);
        lineas << QLatin1String("SQL      : ") + sql << QLatin1String("Mensaje  : ") + mensaje
               << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

void GrabarErrorConexion(const QString& tag, const QString& cadenaConexion,
                         const QString& mensaje) {
    try {
        // Sin conexión no hay fecha del servidor: el día es el del puesto.
        QString ruta =
            PrepararRotativo(tag, QStringLiteral("Errores Sql"), QStringLiteral("ErrSql"));
        if (ruta.isEmpty()) {
            const QDate hoy = QDate::currentDate();
            ruta = RutaLogs(QLatin1String("Errores Sql\\") + LetrasDia(hoy) + tag +
                            QLatin1String("ErrSql.log"));
            const QFileInfo info(ruta);
            if (info.exists() && info.lastModified().date() < hoy)
                QFile::remove(ruta);
        }
        QStringList lineas = CabeceraSentencia("Realizado", 9);
        lineas << QStringLiteral("Conexión : ") + cadenaConexion
               << QStringLiteral("Mensaje  : ") + DialogosConsola::EnUnaLinea(mensaje) << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

namespace {

// Versión, título, ventana y ruta: el comienzo de los dos registros de reportes.
QStringList CabeceraReporte(const QString& formulario, const DatosReporteLog& rpt) {
    return {Version + Glob().VersionSistema, QLatin1String("Title: ") + rpt.tituloVentana,
            QLatin1String("Form : ") + formulario, QLatin1String("Path : ") + rpt.rutaReporte};
}

// Fecha del servidor y hora del puesto; nullopt sin fecha del servidor.
std::optional<QString> LineaHora() {
    const auto hoy = FechaServidorLogs();
    if (!hoy)
        return std::nullopt;
    return QLatin1String("Time : ") + hoy->toString(FormatoFecha) + QLatin1Char(' ') +
           QTime::currentTime().toString(FormatoHora);
}

} // namespace

void GrabarSqlReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt) {
    try {
        const QString ruta =
            PrepararRotativo(tag, QStringLiteral("Sql Rpt"), QStringLiteral("SqlRpt"));
        const auto hora = ruta.isEmpty() ? std::nullopt : LineaHora();
        if (!hora)
            return;
        const EstadoSesion& g = Glob();
        QStringList lineas = CabeceraReporte(formulario, rpt);
        lineas << QLatin1String("Owner: ") + g.OwnerSarvo
               << QLatin1String("User : ") + g.UsuarioActual + QLatin1String(" en PC: ") +
                      g.NombrePC
               << QLatin1String("Tarea: ") + g.TareaActual << LineaPC(QStringLiteral("PC   : "))
               << *hora << QLatin1String("SQL  : ") + rpt.consultaSql << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

void GrabarErrorReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt,
                        const QString& mensaje) {
    try {
        const QString ruta =
            PrepararRotativo(tag, QStringLiteral("Errores Rpt"), QStringLiteral("ErrRpt"));
        const auto hora = ruta.isEmpty() ? std::nullopt : LineaHora();
        if (!hora)
            return;
        const EstadoSesion& g = Glob();
        QStringList lineas = CabeceraReporte(formulario, rpt);
        lineas << QLatin1String("User : ") + g.UsuarioActual << LineaPC(QStringLiteral("PC   : "))
               << *hora;
        if (rpt.errorNumero != 0)
            lineas << QLatin1String("Error: [") + QString::number(rpt.errorNumero) +
                          QLatin1String("][") + rpt.errorOrigen + QLatin1Char(']') +
                          rpt.errorDescripcion;
        else
            lineas << QLatin1String("Error: [") + mensaje;
        lineas << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

void ListaFormsSinDescargar() {
    try {
        RegistroVentanas& ventanas = RegistroVentanas::instancia();
        if (ventanas.Cantidad() <= 1)
            return;
        // De la segunda a la anteúltima, en orden de carga; se escribe aunque
        // el seguimiento esté apagado.
        const QStringList nombres = ventanas.Nombres();
        for (qsizetype i = 1; i < nombres.size() - 1; ++i)
            GrabarSeguimiento(QStringLiteral("FRM"),
                              QStringLiteral("FyGSarvo.ListaFormsSinDescargar"), nombres[i]);
        ventanas.DescargarTodasMenosPrimera();
    } catch (...) {
    }
}
