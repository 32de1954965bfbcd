#include "Logs.h"
#include "ConexionBase.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Rutas.h"
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

// La consulta de la fecha puede fallar o tardar y volver a entrar aquí por
// el registro de errores o de lentas: esa segunda vuelta usa la fecha local.
bool consultandoFecha = false;

QDate FechaServidorLogs() {
    QDate fecha;
    try {
        if (FuenteFecha()) {
            fecha = FuenteFecha()();
        } else if (!consultandoFecha && Glob().Conexion && Glob().Conexion->Abierta()) {
            struct Marca {
                Marca() { consultandoFecha = true; }
                ~Marca() { consultandoFecha = false; }
            } marca;
            if (const auto f = FechaServidor(false))
                fecha = f->date();
        }
    } catch (...) {
    }
    // Sin servidor la entrada no se pierde: se rota con la fecha local.
    return fecha.isValid() ? fecha : QDate::currentDate();
}

QString RutaLogs(const QString& resto) {
    return RutaNativa(Glob().RutaSistema + QLatin1String("LogsFiles\\") + resto);
}

QString NombreConFecha(const QString& tag, const QString& carpeta, const QString& nombreBase,
                       const QDate& dia) {
    const QString letras = dia.isValid() ? LetrasDia(dia) : QString();
    return RutaLogs(carpeta + QLatin1Char('\\') + letras + tag + nombreBase +
                    QLatin1String(".log"));
}

void DepurarConFecha(const QString& ruta, const QDate& fechaServidor) {
    const QFileInfo info(ruta);
    if (!info.exists())
        return;
    if (info.lastModified().date() < fechaServidor)
        QFile::remove(ruta);
}

// Abre para anexar (creando carpeta y archivo si faltan), escribe y cierra.
void Anexar(const QString& ruta, const QStringList& lineas) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    QString texto;
    for (const QString& linea : lineas)
        texto += linea + QLatin1Char('\n');
    archivo.write(texto.toUtf8());
    archivo.close();
}

// Ruta del registro rotativo del día del servidor, ya depurada.
QString PrepararRotativo(const QString& tag, const QString& carpeta, const QString& nombreBase,
                         const QDate& fechaServidor) {
    const QString ruta = NombreConFecha(tag, carpeta, nombreBase, fechaServidor);
    DepurarConFecha(ruta, fechaServidor);
    return ruta;
}

void AgregarLineaForm(QStringList& lineas, const QString& etiqueta) {
    const RegistroVentanas& ventanas = RegistroVentanas::instancia();
    if (ventanas.Cantidad() > 0)
        lineas << etiqueta + ventanas.Ultima();
}

QString LineaPC(const QString& etiqueta) {
    return etiqueta + Glob().NombrePC + QLatin1String("  - Usuario Win    : ") +
           Glob().UsuarioWindows;
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
    return NombreConFecha(tag, carpeta, nombreBase, conDia ? FechaServidorLogs() : QDate());
}

void DepurarArchivoLog(const QString& ruta) {
    try {
        if (QFileInfo::exists(ruta))
            DepurarConFecha(ruta, FechaServidorLogs());
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
        const QString ruta = PrepararRotativo(tag, QStringLiteral("Sql"), QStringLiteral("Sql"),
                                              FechaServidorLogs());
        const QDateTime ahora = QDateTime::currentDateTime();
        const EstadoSesion& g = Glob();
        QStringList lineas;
        lineas << Version + g.VersionSistema
               << QLatin1String("Realizado el: ") + ahora.date().toString(FormatoFecha) +
                      QLatin1String(" - ") + ahora.time().toString(FormatoHora)
               << QLatin1String("Usuario     : ") + g.UsuarioActual
               << QLatin1String("Tarea       : ") + g.TareaActual;
        AgregarLineaForm(lineas, QStringLiteral("Form        : "));
        lineas << LineaPC(QStringLiteral("PC          : ")) << QLatin1String("SQL  :") + sql
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
        const QString ruta = PrepararRotativo(tag, QStringLiteral("Errores Sql"),
                                              QStringLiteral("ErrSql"), FechaServidorLogs());
        const QDateTime ahora = QDateTime::currentDateTime();
        const EstadoSesion& g = Glob();
        QStringList lineas;
        lineas << Version + g.VersionSistema
               << QLatin1String("Realizado: ") + ahora.date().toString(FormatoFecha) +
                      QLatin1String(" - ") + ahora.time().toString(FormatoHora)
               << QLatin1String("Usuario  : ") + g.UsuarioActual
               << QLatin1String("Tarea    : ") + g.TareaActual;
        AgregarLineaForm(lineas, QStringLiteral("Form     : "));
        lineas << LineaPC(QStringLiteral("PC       : ")) << QLatin1String("SQL      : ") + sql
               << QLatin1String("Mensaje  : ") + mensaje << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

namespace {

// Líneas 1 a 4, comunes a los dos registros de reportes.
QStringList CabeceraReporte(const QString& formulario, const DatosReporteLog& rpt) {
    return {Version + Glob().VersionSistema, QLatin1String("Title: ") + rpt.tituloVentana,
            QLatin1String("Form : ") + formulario, QLatin1String("Path : ") + rpt.rutaReporte};
}

QString LineaHora(const QDate& fechaServidor) {
    return QLatin1String("Time : ") + fechaServidor.toString(FormatoFecha) + QLatin1Char(' ') +
           QTime::currentTime().toString(FormatoHora);
}

} // namespace

void GrabarSqlReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt) {
    try {
        const QDate fecha = FechaServidorLogs();
        const QString ruta =
            PrepararRotativo(tag, QStringLiteral("Sql Rpt"), QStringLiteral("SqlRpt"), fecha);
        const EstadoSesion& g = Glob();
        QStringList lineas = CabeceraReporte(formulario, rpt);
        lineas << QLatin1String("Owner: ") + g.OwnerSarvo
               << QLatin1String("User : ") + g.UsuarioActual + QLatin1String(" en PC: ") +
                      g.NombrePC
               << QLatin1String("Tarea: ") + g.TareaActual << LineaPC(QStringLiteral("PC   : "))
               << LineaHora(fecha) << QLatin1String("SQL  : ") + rpt.consultaSql << QString();
        Anexar(ruta, lineas);
    } catch (...) {
    }
}

void GrabarErrorReporte(const QString& tag, const QString& formulario, const DatosReporteLog& rpt,
                        const QString& mensaje) {
    try {
        const QDate fecha = FechaServidorLogs();
        const QString ruta =
            PrepararRotativo(tag, QStringLiteral("Errores Rpt"), QStringLiteral("ErrRpt"), fecha);
        const EstadoSesion& g = Glob();
        QStringList lineas = CabeceraReporte(formulario, rpt);
        lineas << QLatin1String("User : ") + g.UsuarioActual << LineaPC(QStringLiteral("PC   : "))
               << LineaHora(fecha);
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
