// Registros de texto: diseño de cada entrada, nombres de archivo, rotación
// por día de la semana del servidor y numeración del seguimiento.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "Recordset.h"
#include "Ventanas.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>

using namespace Qt::StringLiterals;

namespace {

const QDate Lunes(2024, 3, 4);
const QString Hora = u"<HORA>"_s; // vale por cualquier hora HH:mm:ss
const QString PcLinea = u"  : PC-7  - Usuario Win    : operador"_s;

class Logs : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
        Glob().RutaSistema = dir.path() + u'/';
        Glob().VersionSistema = u"2.3.1"_s;
        Glob().UsuarioActual = u"DEMO"_s;
        Glob().NombrePC = u"PC-7"_s;
        Glob().UsuarioWindows = u"operador"_s;
        Glob().TareaActual = u"tarea"_s;
        RegistroVentanas::instancia().Vaciar();
        FijarFuenteFechaLogs([this] { return fechaServidor; });
    }
    void TearDown() override {
        FijarFuenteFechaLogs(nullptr);
        RegistroVentanas::instancia().Vaciar();
        Glob() = EstadoSesion();
    }

    QString Ruta(const QString& relativa) const { return dir.path() + u"/LogsFiles/"_s + relativa; }
    static QStringList Lineas(const QString& ruta) {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            return {u"<sin archivo>"_s};
        QStringList l = QString::fromUtf8(f.readAll()).split(u'\n');
        l.removeLast(); // la última línea también termina con su salto
        return l;
    }
    static void Esperar(const QStringList& reales, const QStringList& esperadas) {
        ASSERT_EQ(reales.size(), esperadas.size()) << reales.join(u'|').toStdString();
        for (qsizetype i = 0; i < reales.size(); ++i) {
            QString patron = QRegularExpression::escape(esperadas[i]);
            patron.replace(QRegularExpression::escape(Hora), u"\\d\\d:\\d\\d:\\d\\d"_s);
            EXPECT_TRUE(QRegularExpression(u'^' + patron + u'$').match(reales[i]).hasMatch())
                << "línea " << i << ": " << reales[i].toStdString();
        }
    }
    static QString Hoy(const QString& formato = u"dd/MM/yyyy"_s) {
        return QDate::currentDate().toString(formato);
    }
    static void Fechar(const QString& ruta, const QDateTime& modificado) {
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(modificado, QFileDevice::FileModificationTime);
    }

    QTemporaryDir dir;
    QDate fechaServidor = Lunes;
    DialogosGuion ui;
};

TEST_F(Logs, SeguimientoPorFechaLocalConVentanasYContador) {
    fechaServidor = QDate(2001, 1, 1); // el seguimiento no la usa
    auto& ventanas = RegistroVentanas::instancia();
    GrabarSeguimiento(u"SEG"_s, u"EjecutarSQL"_s, u"COMMIT"_s);
    ventanas.Unirse(u"frmInicio"_s);
    GrabarSeguimiento(u"SEG"_s, u"CargarRecordset"_s, u"q"_s);
    ventanas.Unirse(u"frmPosInicio"_s);
    ventanas.Unirse(u"frmTipoCompra"_s);
    GrabarSeguimiento(u"SEG"_s, u"EjecutarSQLSTP"_s, u"p"_s);
    const QString pc = u"PC:[PC-7]USRWIN:[operador]USR:[DEMO]"_s;
    Esperar(Lineas(Ruta(u"Seguimiento/SEG"_s + Hoy(u"yyyyMMdd"_s) + u".log"_s)),
            {u"Versión  : 2.3.1"_s, u"ID: 1"_s, u"MRV "_s + Hora + u".EjecutarSQL"_s, pc,
             u"COMMIT"_s, QString(), u"Versión  : 2.3.1"_s, u"ID: 2"_s,
             u"MRV "_s + Hora + u".CargarRecordset"_s, pc, u"q"_s, QString(), u"Versión  : 2.3.1"_s,
             u"ID: 3 Form: frmPosInicio-frmTipoCompra"_s, u"MRV "_s + Hora + u".EjecutarSQLSTP"_s,
             pc, u"p"_s, QString()});
}

TEST_F(Logs, SqlLentoRotaPorDiaDelServidor) {
    const QString lunes = Ruta(u"Sql/LuMRVSql.log"_s);
    const QStringList cabecera = {u"Versión  : 2.3.1"_s,
                                  u"Realizado el: "_s + Hoy() + u" - "_s + Hora,
                                  u"Usuario     : DEMO"_s, u"Tarea       : tarea"_s};
    const QString pc = u"PC        "_s + PcLinea;
    GrabarSqlLento(u"MRV"_s, u"SELECT 1"_s, 125);
    Fechar(lunes, QDateTime(Lunes, QTime(9, 0)));
    RegistroVentanas::instancia().Unirse(u"frmTipoCompra"_s);
    GrabarSqlLento(u"MRV"_s, u"SELECT 2"_s, 45);
    Esperar(Lineas(lunes),
            cabecera + QStringList{pc, u"SQL  :SELECT 1"_s, u"Tardó:2m5s"_s, {}} + cabecera +
                QStringList{
                    u"Form        : frmTipoCompra"_s, pc, u"SQL  :SELECT 2"_s, u"Tardó:45s"_s, {}});

    // El martes va a otro archivo; el lunes siguiente empieza de nuevo.
    fechaServidor = Lunes.addDays(1);
    GrabarSqlLento(u"MRV"_s, u"SELECT 3"_s, 2);
    EXPECT_TRUE(QFile::exists(Ruta(u"Sql/MaMRVSql.log"_s)));
    Fechar(lunes, QDateTime(Lunes, QTime(18, 0)));
    fechaServidor = Lunes.addDays(7);
    GrabarSqlLento(u"MRV"_s, u"SELECT 4"_s, 60);
    const QStringList nuevo = Lineas(lunes);
    ASSERT_EQ(nuevo.size(), 9);
    EXPECT_EQ(nuevo[6], u"SQL  :SELECT 4"_s);
    EXPECT_EQ(nuevo[7], u"Tardó:1m"_s);
}

TEST_F(Logs, ErrorSqlYRolDeSeguridad) {
    RegistroVentanas::instancia().Unirse(u"frmInicio"_s);
    RegistroVentanas::instancia().Unirse(u"frmGastos"_s);
    GrabarErrorSql(u"MRV"_s, u"set Role rol_gda identified by Tesaro"_s, u"x"_s);
    const QString ruta = Ruta(u"Errores Sql/LuMRVErrSql.log"_s);
    EXPECT_FALSE(QFile::exists(ruta));
    GrabarErrorSql(u"MRV"_s, u"DELETE FROM t"_s, u"ORA-00942"_s);
    Esperar(Lineas(ruta), {u"Versión  : 2.3.1"_s, u"Realizado: "_s + Hoy() + u" - "_s + Hora,
                           u"Usuario  : DEMO"_s, u"Tarea    : tarea"_s, u"Form     : frmGastos"_s,
                           u"PC     "_s + PcLinea, u"SQL      : DELETE FROM t"_s,
                           u"Mensaje  : ORA-00942"_s, QString()});
}

TEST_F(Logs, Reportes) {
    Glob().OwnerSarvo = u"MUNI"_s;
    fechaServidor = QDate(2024, 3, 10); // domingo
    DatosReporteLog rpt;
    rpt.tituloVentana = u"Tipos de Compra"_s;
    rpt.rutaReporte = u"/inst/MRV_TipoCompra.rpt"_s;
    rpt.consultaSql = u"SELECT 1"_s;
    GrabarSqlReporte(u"MRV"_s, u"frmTipoCompra"_s, rpt);
    const QStringList cabecera = {u"Versión  : 2.3.1"_s, u"Title: Tipos de Compra"_s,
                                  u"Form : frmTipoCompra"_s, u"Path : /inst/MRV_TipoCompra.rpt"_s};
    const QString pc = u"PC "_s + PcLinea;
    const QString hora = u"Time : 10/03/2024 "_s + Hora;
    Esperar(Lineas(Ruta(u"Sql Rpt/DoMRVSqlRpt.log"_s)),
            cabecera + QStringList{u"Owner: MUNI"_s,
                                   u"User : DEMO en PC: PC-7"_s,
                                   u"Tarea: tarea"_s,
                                   pc,
                                   hora,
                                   u"SQL  : SELECT 1"_s,
                                   {}});

    GrabarErrorReporte(u"MRV"_s, u"frmTipoCompra"_s, rpt, u"sin datos"_s);
    rpt.errorNumero = 20507;
    rpt.errorOrigen = u"Crystal"_s;
    rpt.errorDescripcion = u"Archivo no encontrado"_s;
    GrabarErrorReporte(u"MRV"_s, u"frmTipoCompra"_s, rpt, QString());
    const QStringList comun = cabecera + QStringList{u"User : DEMO"_s, pc, hora};
    Esperar(Lineas(Ruta(u"Errores Rpt/DoMRVErrRpt.log"_s)),
            comun + QStringList{u"Error: [sin datos"_s, {}} + comun +
                QStringList{u"Error: [20507][Crystal]Archivo no encontrado"_s, {}});
}

TEST_F(Logs, NombresDiasDuracionYDepuracion) {
    const char* dias[] = {"Lu", "Ma", "Mi", "Ju", "Vi", "Sa", "Do"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(LetrasDia(Lunes.addDays(i)), QLatin1String(dias[i]));
    fechaServidor = QDate(2024, 3, 7);
    EXPECT_EQ(NombreArchivoLog(u"MRV"_s, u"Errores Sql"_s, u"ErrSql"_s, true),
              Ruta(u"Errores Sql/JuMRVErrSql.log"_s));
    EXPECT_EQ(NombreArchivoLog(u"FRM"_s, u"Sql"_s, u"Sql"_s, false), Ruta(u"Sql/FRMSql.log"_s));

    const std::pair<qint64, const char*> duraciones[] = {
        {0, "0s"}, {45, "45s"}, {60, "1m"}, {120, "2m"}, {125, "2m5s"}, {3599, "59m59s"}};
    for (const auto& [segundos, texto] : duraciones)
        EXPECT_EQ(FormatearDuracion(segundos), QLatin1String(texto)) << segundos;

    const QString ruta = dir.filePath(u"viejo.log"_s);
    QFile(ruta).open(QIODevice::WriteOnly);
    Fechar(ruta, QDateTime(fechaServidor, QTime(0, 0, 1)));
    DepurarArchivoLog(ruta);
    EXPECT_TRUE(QFile::exists(ruta));
    Fechar(ruta, QDateTime(fechaServidor.addDays(-1), QTime(23, 59, 59)));
    DepurarArchivoLog(ruta);
    EXPECT_FALSE(QFile::exists(ruta));
}

TEST_F(Logs, VentanasSinDescargarSiguenLaNumeracion) {
    auto& ventanas = RegistroVentanas::instancia();
    QStringList descargadas;
    for (const QString& nombre :
         {u"frmInicio"_s, u"frmPosInicio"_s, u"frmGastos"_s, u"frmTipoCompra"_s}) {
        auto id = std::make_shared<int>();
        *id = ventanas.Unirse(nombre, [&, nombre, id] {
            descargadas << nombre;
            ventanas.Salir(*id); // la ventana sale sola al cerrarse
        });
    }
    GrabarSeguimiento(u"SEG"_s, u"EjecutarSQL"_s, u"x"_s);
    ListaFormsSinDescargar(); // SeguimientoSql apagado: escribe igual

    const QStringList l = Lineas(Ruta(u"Seguimiento/FRM"_s + Hoy(u"yyyyMMdd"_s) + u".log"_s));
    ASSERT_EQ(l.size(), 12);
    EXPECT_EQ(l[1], u"ID: 2 Form: frmGastos-frmTipoCompra"_s);
    EXPECT_TRUE(l[2].endsWith(u".FyGSarvo.ListaFormsSinDescargar"_s));
    EXPECT_EQ(l[4], u"frmPosInicio"_s);
    EXPECT_EQ(l[7], u"ID: 3 Form: frmGastos-frmTipoCompra"_s);
    EXPECT_EQ(l[10], u"frmGastos"_s);
    EXPECT_EQ(descargadas, (QStringList{u"frmTipoCompra"_s, u"frmGastos"_s, u"frmPosInicio"_s}));
    EXPECT_EQ(ventanas.Nombres(), QStringList{u"frmInicio"_s});

    ListaFormsSinDescargar(); // una sola ventana: nada
    EXPECT_EQ(Glob().ContadorSeguimiento, 3);
    EXPECT_EQ(ventanas.Cantidad(), 1);
}

TEST_F(Logs, CarpetasFaltantesYFallasDeArchivo) {
    Glob().RutaSistema = dir.filePath(u"sin/instalar/"_s);
    GrabarErrorSql(u"MRV"_s, u"SELECT 1"_s, u"m"_s);
    EXPECT_EQ(Lineas(dir.filePath(u"sin/instalar/LogsFiles/Errores Sql/LuMRVErrSql.log"_s)).size(),
              8);

    // Una ruta que no puede ser carpeta: la entrada se pierde sin lanzar y
    // un solo aviso lo dice (ver RegistrosSinEscribir).
    QFile bloqueo(dir.filePath(u"archivo"_s));
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly));
    bloqueo.close();
    Glob().RutaSistema = bloqueo.fileName() + u'/';
    GrabarSqlLento(u"MRV"_s, u"SELECT 1"_s, 3);
    GrabarSeguimiento(u"SEG"_s, u"p"_s, u"t"_s);
    EXPECT_EQ(Glob().ContadorSeguimiento, 1);
    EXPECT_EQ(ui.mensajes.size(), 1u);
    ui.mensajes.clear();

    // Sin conexión no hay fecha del servidor: los rotativos no escriben, no
    // toman la fecha del puesto y no muestran nada.
    Glob().RutaSistema = dir.path() + u'/';
    FijarFuenteFechaLogs(nullptr);
    GrabarErrorSql(u"MRV"_s, u"SELECT 2"_s, u"m"_s);
    GrabarSqlLento(u"MRV"_s, u"SELECT 2"_s, 3);
    GrabarSqlReporte(u"MRV"_s, u"frmX"_s, DatosReporteLog());
    EXPECT_EQ(NombreArchivoLog(u"MRV"_s, u"Sql"_s, u"Sql"_s, true), QString());
    EXPECT_FALSE(QDir(Ruta(QString())).exists());
    EXPECT_TRUE(ui.mensajes.empty());
}

// Carpeta de registros sin escribir (una ruta que es un archivo: ni root la
// puede usar como carpeta) o disco lleno (/dev/full): un solo aviso por
// sesión, que nombra el archivo, y el resto sigue igual.
TEST_F(Logs, RegistrosSinEscribir) {
    QFile archivo(dir.filePath(u"no-es-carpeta"_s));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    const QString lleno = dir.filePath(u"lleno/"_s);
    ASSERT_TRUE(QDir().mkpath(lleno + u"LogsFiles/Seguimiento"_s));
    ASSERT_TRUE(QDir().mkpath(lleno + u"LogsFiles/Sql"_s));
    const QString hoy = QDate::currentDate().toString(u"yyyyMMdd"_s);
    ASSERT_TRUE(
        QFile::link(u"/dev/full"_s, lleno + u"LogsFiles/Seguimiento/SEG"_s + hoy + u".log"_s));
    ASSERT_TRUE(QFile::link(u"/dev/full"_s, lleno + u"LogsFiles/Sql/LuMRVSql.log"_s));
    fechaServidor = QDate(2000, 1, 3); // un lunes anterior a /dev/full: no se depura

    const struct {
        const char* caso;
        QString ruta;
        QString archivoNombrado;
        QString motivo;
    } casos[] = {
        {"carpeta que es un archivo", archivo.fileName() + u'/', u"/LogsFiles/Seguimiento/SEG"_s,
         archivo.fileName() + u" no es una carpeta."_s},
        {"disco lleno", lleno, u"/LogsFiles/Seguimiento/SEG"_s + hoy + u".log"_s,
         u": el disco está lleno."_s},
    };
    for (const auto& c : casos) {
        Glob().AvisoRegistrosSinEscribir = false;
        Glob().RutaSistema = c.ruta;
        Glob().UltimoMensaje = u"el de antes"_s;
        ui.mensajes.clear();
        GrabarSeguimiento(u"SEG"_s, u"p"_s, u"t"_s);
        GrabarSqlLento(u"MRV"_s, u"SELECT 1"_s, 3);
        GrabarErrorPrograma(u"MRV"_s, u"lugar"_s, u"m"_s);
        ASSERT_EQ(ui.mensajes.size(), 1u) << c.caso;
        const PedidoMensaje& m = ui.mensajes[0];
        EXPECT_EQ(m.titulo, u"Registros"_s);
        EXPECT_TRUE(m.Mensaje.startsWith(
            u"No se pueden escribir los registros del programa.\r\n"_s + c.ruta))
            << m.Mensaje.toStdString();
        EXPECT_TRUE(m.Mensaje.contains(c.archivoNombrado)) << m.Mensaje.toStdString();
        EXPECT_TRUE(m.Mensaje.contains(c.motivo + u"\r\nEl programa sigue funcionando"_s))
            << m.Mensaje.toStdString();
        EXPECT_TRUE(m.aceptarConAcceso);
        EXPECT_EQ(Glob().UltimoMensaje, u"el de antes"_s) << c.caso;
    }
    // Con la carpeta en orden otra vez, se escribe sin más avisos.
    Glob().RutaSistema = dir.path() + u'/';
    GrabarSqlLento(u"MRV"_s, u"SELECT 2"_s, 3);
    EXPECT_EQ(Lineas(Ruta(u"Sql/LuMRVSql.log"_s)).size(), 8);
    EXPECT_EQ(ui.mensajes.size(), 1u);
}

// Registro de errores del programa: su diseño, la fecha del puesto sin la
// del servidor, y lo que anotan los catch con AnotarExcepcion.
TEST_F(Logs, RegistroDeErroresYExcepcionesAtrapadas) {
    const QString ruta = Ruta(u"Errores/LuMRVErr.log"_s);
    RegistroVentanas& ventanas = RegistroVentanas::instancia();
    ventanas.Unirse(u"frmInicio"_s);
    ventanas.Unirse(
        u"frmRota"_s, [] { throw std::runtime_error("al descargar"); }, [] { throw 7; });
    ventanas.Unirse(
        u"frmSana"_s, [] {}, [] {});
    ventanas.RepintarUltimas(2);
    GrabarErrorPrograma(u"MRV"_s, u"Aviso"_s, u"texto"_s);
    ventanas.DescargarTodasMenosPrimera(); // sigue con las demás
    EXPECT_EQ(ventanas.Nombres(), QStringList{u"frmInicio"_s});
    const QString cabecera = u"Realizado: "_s + Hoy() + u" - "_s + Hora;
    Esperar(Lineas(ruta), {u"Versión  : 2.3.1"_s,
                           cabecera,
                           u"Usuario  : DEMO"_s,
                           u"Tarea    : tarea"_s,
                           u"Form     : frmSana"_s,
                           u"PC     "_s + PcLinea,
                           u"Lugar    : Repintado de la ventana frmRota"_s,
                           u"Mensaje  : Excepción atrapada de tipo desconocido"_s,
                           QString(),
                           u"Versión  : 2.3.1"_s,
                           cabecera,
                           u"Usuario  : DEMO"_s,
                           u"Tarea    : tarea"_s,
                           u"Form     : frmSana"_s,
                           u"PC     "_s + PcLinea,
                           u"Lugar    : Aviso"_s,
                           u"Mensaje  : texto"_s,
                           QString(),
                           u"Versión  : 2.3.1"_s,
                           cabecera,
                           u"Usuario  : DEMO"_s,
                           u"Tarea    : tarea"_s,
                           u"Form     : frmRota"_s,
                           u"PC     "_s + PcLinea,
                           u"Lugar    : Descarga de la ventana frmRota"_s,
                           u"Mensaje  : Excepción atrapada: al descargar"_s,
                           QString()});

    // Sin fecha del servidor vale la del puesto: el error no se pierde.
    FijarFuenteFechaLogs(nullptr);
    try {
        throw std::length_error("sin base");
    } catch (...) {
        AnotarExcepcion(u"Sin servidor"_s);
    }
    const QStringList local =
        Lineas(Ruta(u"Errores/"_s + LetrasDia(QDate::currentDate()) + u"MRVErr.log"_s));
    ASSERT_GE(local.size(), 3);
    EXPECT_EQ(local[local.size() - 3], u"Lugar    : Sin servidor"_s);
    EXPECT_EQ(local[local.size() - 2], u"Mensaje  : Excepción atrapada: sin base"_s);
    EXPECT_TRUE(ui.mensajes.empty());
}

// Sentencias "SELECT sysdate FROM dual" que anotó el seguimiento de hoy.
int ConsultasDeFecha(const QString& ruta) {
    QFile seg(ruta + u"/LogsFiles/Seguimiento/SEG"_s +
              QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s);
    if (!seg.open(QIODevice::ReadOnly))
        return 0;
    return int(QString::fromUtf8(seg.readAll()).count(u"\nSELECT sysdate FROM dual\n"_s));
}

TEST(LogsConBase, NombreYDepuracionPidenCadaUnoLaFechaDelServidor) {
    DialogosGuion ui;
    QTemporaryDir dir;
    prueba::PrepararSesion(dir.path());
    Glob().SeguimientoSql = true; // la consulta de la fecha queda en el seguimiento
    GrabarErrorSql(u"MRV"_s, u"SELECT 1"_s, u"m"_s);
    const QString base = dir.path() + u"/LogsFiles/"_s;
    EXPECT_TRUE(QFile::exists(base + u"Errores Sql/"_s + LetrasDia(QDate::currentDate()) +
                              u"MRVErrSql.log"_s));
    // El primero del día solo nombra el archivo: no hay qué depurar.
    EXPECT_EQ(ConsultasDeFecha(dir.path()), 1);
    GrabarErrorSql(u"MRV"_s, u"SELECT 2"_s, u"m"_s);
    EXPECT_EQ(ConsultasDeFecha(dir.path()), 3);
    EXPECT_TRUE(ui.mensajes.empty());
    Glob() = EstadoSesion();
}

// Sin registros que se puedan escribir, las sentencias andan como siempre:
// la buena da bien, la mala muestra su error; el aviso de los registros es uno.
TEST(LogsConBase, SinRegistrosNadaMasFalla) {
    DialogosGuion ui;
    QTemporaryDir dir;
    QFile archivo(dir.filePath(u"no-es-carpeta"_s));
    ASSERT_TRUE(archivo.open(QIODevice::WriteOnly));
    archivo.close();
    prueba::PrepararSesion(archivo.fileName());
    Glob().SeguimientoSql = true;
    Recordset rs;
    CargarRecordset(rs, u"SELECT 41 + 1 FROM dual"_s, QString());
    ASSERT_TRUE(rs.Abierto());
    EXPECT_EQ(rs.Valor(0).toInt(), 42);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].titulo, u"Registros"_s);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(EjecutarSQL(u"UPDATE tabla_que_no_existe SET x = 1"_s));
        ASSERT_EQ(ui.mensajes.size(), 2u + i);
        EXPECT_EQ(ui.mensajes.back().titulo, u"ERROR"_s);
    }
    EXPECT_TRUE(EjecutarSQL(u"UPDATE OWNER_SARVO.config SET contenido = contenido WHERE 1 = 0"_s));
    EXPECT_EQ(ui.mensajes.size(), 3u);
    Glob() = EstadoSesion();
}

TEST(LogsConBase, SiFallaLaConsultaDeLaFechaSeMuestraUnaVezYLaEntradaNoSeEscribe) {
    DialogosGuion ui;
    QTemporaryDir dir;
    prueba::PrepararSesion(dir.path());
    // Un dual propio que no se puede leer: la consulta de la fecha falla, y su
    // registro de error necesitaría otra vez la fecha.
    ASSERT_TRUE(Glob().Conexion->Ejecutar(
        u"CREATE TEMPORARY VIEW dual AS SELECT 1 AS x WHERE 1 / 0 = 1"_s));
    GrabarErrorSql(u"MRV"_s, u"SELECT 1"_s, u"m"_s);
    EXPECT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join(u'|').toStdString();
    EXPECT_FALSE(QDir(dir.path() + u"/LogsFiles/Errores Sql"_s).exists());
    Glob() = EstadoSesion();
}

} // namespace
