#include "Logs.h"
#include "ArchivoSalida.h"
#include "ConexionBase.h"
#include "Dialogos.h"
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
#include <cerrno>

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
        AnotarExcepcion(QStringLiteral("FechaServidorLogs"));
    }
    return std::nullopt;
}

QString RutaLogs(const QString& resto) {
    return RutaNativa(Glob().RutaSistema + QLatin1String("LogsFiles\\") + resto);
}

// Una carpeta sin permiso o un disco lleno: se avisa una sola vez por
// sesión y el programa sigue. No toca UltimoMensaje: el aviso no es parte
// de lo que estaba haciendo quien escribía.
void AvisarRegistrosSinEscribir(const QString& ruta, const QString& motivo, int numeroError) {
    if (Glob().AvisoRegistrosSinEscribir)
        return;
    Glob().AvisoRegistrosSinEscribir = true;
    PedidoMensaje p;
    p.Mensaje = QStringLiteral("No se pueden escribir los registros del programa.\r\n") +
                RutaNativa(ruta) + QLatin1String(": ") +
                MotivoNoSeGraba(RutaNativa(ruta), motivo, numeroError) +
                QStringLiteral(".\r\nEl programa sigue funcionando, pero no quedan registros "
                               "para soporte. Avise al Administrador del Sistema.");
    p.titulo = QStringLiteral("Registros");
    p.TipoMensaje = 48;
    p.aceptarConAcceso = true;
    dialogos().VentanaMensaje(p);
}

// Abre para anexar (creando carpeta y archivo si faltan), escribe y cierra.
// Ninguna clave llega al archivo: cada línea pasa por OcultarSecretos. Si
// la escritura no entra entera (disco lleno) el archivo vuelve a su largo
// anterior: no queda una entrada a medias.
void Anexar(const QString& ruta, const QStringList& lineas) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile archivo(ruta);
    errno = 0;
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        const int numeroError = errno;
        AvisarRegistrosSinEscribir(ruta, archivo.errorString(), numeroError);
        return;
    }
    QString texto;
    for (const QString& linea : lineas)
        texto += OcultarSecretos(linea) + QLatin1Char('\n');
    const qint64 largo = archivo.size();
    const QByteArray datos = texto.toUtf8();
    errno = 0;
    if (archivo.write(datos) != datos.size() || !archivo.flush()) {
        const int numeroError = errno;
        const QString motivo = archivo.errorString();
        archivo.resize(largo);
        AvisarRegistrosSinEscribir(ruta, motivo, numeroError);
    }
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
        AnotarExcepcion(QStringLiteral("DepurarArchivoLog"));
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
        AnotarExcepcion(QStringLiteral("GrabarSeguimiento"));
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
        AnotarExcepcion(QStringLiteral("GrabarSqlLento"));
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
        AnotarExcepcion(QStringLiteral("GrabarErrorSql"));
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
        AnotarExcepcion(QStringLiteral("GrabarErrorConexion"));
    }
}

namespace {

// Mientras se escribe el registro de errores: lo que falle adentro no vuelve
// a anotarse en él.
bool grabandoErrorPrograma = false;

} // namespace

void GrabarErrorPrograma(const QString& tag, const QString& lugar, const QString& mensaje) {
    if (grabandoErrorPrograma)
        return;
    grabandoErrorPrograma = true;
    try {
        // Sin fecha del servidor (la base no contesta, que es cuando más
        // falla algo) vale la del puesto: el error no se pierde.
        const QDate dia = FechaServidorLogs().value_or(QDate::currentDate());
        const QString ruta =
            RutaLogs(QLatin1String("Errores\\") + LetrasDia(dia) + tag + QLatin1String("Err.log"));
        const QFileInfo info(ruta);
        if (info.exists() && info.lastModified().date() < dia)
            QFile::remove(ruta);
        QStringList lineas = CabeceraSentencia("Realizado", 9);
        lineas << QLatin1String("Lugar    : ") + lugar << QLatin1String("Mensaje  : ") + mensaje
               << QString();
        Anexar(ruta, lineas);
    } catch (const std::exception& e) {
        // Ni el registro de errores se puede escribir: el aviso único lo dice.
        AvisarRegistrosSinEscribir(RutaLogs(QStringLiteral("Errores")),
                                   QString::fromLocal8Bit(e.what()), 0);
    } catch (...) {
        AvisarRegistrosSinEscribir(RutaLogs(QStringLiteral("Errores")),
                                   QStringLiteral("error desconocido"), 0);
    }
    grabandoErrorPrograma = false;
}

void AnotarExcepcion(const QString& lugar) {
    QString texto;
    try {
        throw;
    } catch (const std::exception& e) {
        texto = QStringLiteral("Excepción atrapada: ") + QString::fromLocal8Bit(e.what());
    } catch (...) {
        texto = QStringLiteral("Excepción atrapada de tipo desconocido");
    }
    GrabarErrorPrograma(QStringLiteral("MRV"), lugar, texto);
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
        AnotarExcepcion(QStringLiteral("GrabarSqlReporte"));
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
        AnotarExcepcion(QStringLiteral("GrabarErrorReporte"));
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
        AnotarExcepcion(QStringLiteral("ListaFormsSinDescargar"));
    }
}
