#include "Func_SarvoImpresion.h"
#include "CodigosCatalogo.h"
#include "Dialogos.h"
#include "EnlaceReporte.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "MotorReporte.h"
#include "UbicacionReporte.h"
#include "Ventanas.h"
#include "VentanasImpresion.h"
#include <chrono>
#include <cmath>
#include <memory>

namespace {

const QString Origen = QStringLiteral("Func_SarvoImpresion");
const QString CmdImprimir = QStringLiteral("CmdImprimir");
const QString CmdCerrar = QStringLiteral("CmdCerrar");

// Un pedido a la vez: la vista previa es modal y la ventana que imprime queda
// deshabilitada mientras dura.
struct EstadoModulo {
    // Los dos motores de frmResources: viven mientras está cargada.
    std::unique_ptr<MotorReporte> generico; // RPT_Generico
    std::unique_ptr<MotorReporte> auxiliar; // RPT_Aux
    MotorReporte* rpt = nullptr;

    QString FormaActual;
    QString FormaAnterior;
    QString NombreFormaAnterior;
    bool EstadoCerrar = false;
    int IndiceFormula = 0;
    bool ErrorReporte = false;
    QString UltimoErrorReporte;
    QString UltimoReporte;
    QString ConexionReporte;
    RelojesImpresion relojes;
};

EstadoModulo& Estado() {
    static EstadoModulo e;
    return e;
}

void CargarRecursos() {
    EstadoModulo& e = Estado();
    if (e.generico)
        return;
    ventanasImpresion().CargarRecursos();
    e.generico = std::make_unique<MotorReporte>();
    e.auxiliar = std::make_unique<MotorReporte>();
}

// Descargar frmResources descarta también sus motores.
void DescargarRecursos() {
    EstadoModulo& e = Estado();
    ventanasImpresion().DescargarRecursos();
    e.rpt = nullptr;
    e.generico.reset();
    e.auxiliar.reset();
}

MotorReporte& RPT_Generico() {
    CargarRecursos();
    return *Estado().generico;
}

MotorReporte& MotorAuxiliar() {
    CargarRecursos();
    return *Estado().auxiliar;
}

// La fecha del servidor; si no se la puede leer (el error ya se mostró), la
// del puesto: el pedido sigue y la ventana no queda deshabilitada.
QDateTime FechaDelServidor(bool conHora) {
    const RelojesImpresion& r = Estado().relojes;
    std::optional<QDateTime> fecha =
        r.fechaServidor ? r.fechaServidor(conHora) : FechaServidor(conHora);
    if (fecha && fecha->isValid())
        return *fecha;
    const QDateTime ahora = QDateTime::currentDateTime();
    return conHora ? ahora : QDateTime(ahora.date(), QTime(0, 0));
}

qint64 Milisegundos() {
    const RelojesImpresion& r = Estado().relojes;
    if (r.milisegundos)
        return r.milisegundos();
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

QString TextoFalla(long numero, const QString& origen, const QString& descripcion) {
    return QString::number(numero) + QLatin1String("][") + origen + QLatin1Char(']') + descripcion;
}

void Fallar(long numero, const QString& descripcion) {
    EstadoModulo& e = Estado();
    e.ErrorReporte = true;
    e.UltimoErrorReporte = TextoFalla(numero, Origen, descripcion);
}

// Redondeo a entero de 16 bits, las mitades al par.
qint16 Redondear(double valor) {
    return qint16(std::clamp(std::nearbyint(valor), -32768.0, 32767.0));
}

DatosReporteLog DatosLog(const MotorReporte* r) {
    DatosReporteLog d;
    if (r) {
        d.tituloVentana = r->WindowTitle();
        d.rutaReporte = r->ReportFileName();
        d.consultaSql = r->SQLQuery();
    }
    return d;
}

// Opciones de la vista previa que la suite fija; el motor las guarda y la
// vista previa del programa no las necesita.
void OpcionesIniciales(MotorReporte& r, bool opcionVista) {
    using O = MotorReporte::OpcionVista;
    for (O o : {O::BotonCerrar, O::BotonesNavegacion, O::BotonImprimir, O::ControlZoom})
        r.setOpcionVista(o, 1);
    for (O o : {O::BotonExportar, O::BotonBuscar, O::ArbolGrupos})
        r.setOpcionVista(o, 0);
    r.setOpcionVista(O::EstadoVentana, 2);
    r.setOpcionVista(O::ProgresoAlCorrer, opcionVista ? 1 : 0);
}

void OpcionesDelContenedor(MotorReporte& r) {
    using O = MotorReporte::OpcionVista;
    r.setOpcionVista(O::EstadoVentana, 2);
    r.setOpcionVista(O::BordeVentana, 0);
    r.setOpcionVista(O::CuadroControl, 1);
    r.setOpcionVista(O::BotonMaximizar, 0);
    r.setOpcionVista(O::BotonMinimizar, 0);
}

// Busca el archivo, da el ingreso, pasa las consultas al dueño y registra la
// sentencia. Falso si no se puede seguir (el motivo queda en el estado).
bool Preparar(MotorReporte& r, const QString& formulario, const QString& archivo,
              qint32 modoConexion, BusquedaReporte& busqueda) {
    EstadoModulo& e = Estado();
    busqueda = UbicarReporte(archivo);
    r.setReportFileName(busqueda.ruta);
    if (!busqueda.Encontrado()) {
        Fallar(MotorReporte::FallaArchivo,
               QStringLiteral("No se encuentra %1 en ninguna carpeta de reportes (se buscó en %2).")
                   .arg(archivo, busqueda.buscadas.join(QLatin1String("; "))));
        return false;
    }
    e.ConexionReporte = AsignarLogon(r, modoConexion);
    QString falla;
    if (!ReescribirOwner(r, MotorAuxiliar(), archivo, CarpetaSistema(archivo), e.ConexionReporte,
                         falla)) {
        e.ErrorReporte = true;
        e.UltimoErrorReporte = falla;
        return false;
    }
    if (!r.SQLQuery().isEmpty())
        GrabarSqlReporte(QStringLiteral("MRV"), formulario, DatosLog(&r));
    e.ErrorReporte = false;
    return true;
}

// Carga la vista previa, le da su lugar, corre el reporte y la muestra.
void MostrarEnVistaPrevia(MotorReporte& r, const QString& titulo, qint16 zoom) {
    r.setWindowTitle(QString());
    OpcionesDelContenedor(r);
    const auto vista = ventanasImpresion().CargarVistaPrevia(r);
    if (!vista) {
        Fallar(MotorReporte::FallaAccion,
               QStringLiteral("No se pudo abrir la ventana de la vista previa."));
        return;
    }
    r.setWindowTop(0);
    r.setWindowLeft(0);
    r.setWindowHeight(Redondear(0.076 * vista->twips.height() + 10));
    r.setWindowWidth(Redondear(0.082 * vista->twips.width()));
    r.setWindowParentHandle(vista->manija);
    EjecutarReporte();
    r.PageZoom(zoom);
    dialogos().PonerPuntero(Puntero::Defecto);
    ventanasImpresion().MostrarVistaPrevia(titulo);
}

// Lo que se hace siempre al final: registrar y mostrar la falla, y volver a
// habilitar las ventanas y los botones.
void Terminar(const QString& formulario, const QString& archivo, const BusquedaReporte& busqueda) {
    EstadoModulo& e = Estado();
    try {
        if (e.ErrorReporte)
            GrabarErrorReporte(QStringLiteral("MRV"), formulario, DatosLog(e.rpt),
                               e.UltimoErrorReporte);
        dialogos().PonerPuntero(Puntero::Defecto);
        if (e.ErrorReporte) {
            const bool encontrado = busqueda.Formato60Encontrado || busqueda.Formato85Encontrado;
            MostrarError(encontrado ? Catalogo::ReporteFallido : Catalogo::ReporteNoEncontrado,
                         {archivo + QLatin1String("\r\n") + e.UltimoErrorReporte});
        }
    } catch (...) {
        AnotarExcepcion(QStringLiteral("Func_SarvoImpresion.Terminar ") + archivo);
    }
    if (!e.FormaActual.isEmpty()) {
        VentanasImpresion& v = ventanasImpresion();
        v.HabilitarVentana(e.FormaActual, true);
        // El despachador nunca se muestra: queda como está.
        if (e.NombreFormaAnterior != QLatin1String("FRMPOSINICIO"))
            v.HabilitarVentana(e.FormaAnterior, true);
        v.HabilitarControl(e.FormaActual, CmdImprimir, true);
        v.HabilitarControl(e.FormaActual, CmdCerrar, e.EstadoCerrar);
    }
    DescargarRecursos();
}

} // namespace

void IniciarReporte(bool /*reservado1*/, bool conHora, bool /*reservado2*/,
                    const QVariant& opcionVista) {
    EstadoModulo& e = Estado();
    const EstadoSesion& g = Glob();
    // Quien cargó frmResources por sus imágenes sería la última ventana.
    DescargarRecursos();
    const RegistroVentanas& cargadas = RegistroVentanas::instancia();
    e.FormaActual = cargadas.Ultima();
    e.FormaAnterior = cargadas.Anteultima();
    e.NombreFormaAnterior = e.FormaAnterior.toUpper();
    const bool opcion = opcionVista.isNull() || opcionVista.toBool();

    VentanasImpresion& v = ventanasImpresion();
    v.HabilitarControl(e.FormaActual, CmdImprimir, false);
    if (const auto cerrar = v.ControlHabilitado(e.FormaActual, CmdCerrar))
        e.EstadoCerrar = *cerrar;
    v.HabilitarControl(e.FormaActual, CmdCerrar, false);
    v.HabilitarVentana(e.FormaActual, false);
    v.HabilitarVentana(e.FormaAnterior, false);

    MotorReporte& r = RPT_Generico();
    r.Reset();
    e.rpt = &r;
    OpcionesIniciales(r, opcion);
    r.setFormulas(0, QLatin1String("municipalidad='") + g.RptOrganismo + QLatin1Char(' ') +
                         g.RptNombreOrg + QLatin1Char('\''));
    r.setFormulas(1, QLatin1String("fecha='") +
                         FechaDelServidor(false).toString(QStringLiteral("dd/MM/yyyy")) +
                         QLatin1Char('\''));
    e.IndiceFormula = 2;
    if (conHora) {
        // La hora del servidor es también la de impresión del reporte.
        const QDateTime ahora = FechaDelServidor(true);
        r.setFormulas(2, QLatin1String("hora='") + ahora.toString(QStringLiteral("HH:mm")) +
                             QLatin1Char('\''));
        r.FijarMomentoImpresion(ahora);
        e.IndiceFormula = 3;
    }
    AsignarDestino(0);
    r.setOpcionReporte(1);
}

void AgregarFormula(const QString& texto) {
    EstadoModulo& e = Estado();
    if (!e.rpt || e.IndiceFormula > 32767)
        return;
    e.rpt->setFormulas(e.IndiceFormula, texto);
    ++e.IndiceFormula;
}

void AsignarConsultaReporte(const QString& sql) {
    if (MotorReporte* r = Estado().rpt)
        r->setSQLQuery(sql);
}

void AsignarDestino(qint32 destino) {
    MotorReporte* r = Estado().rpt;
    if (r && (destino == 0 || destino == 1))
        r->setDestination(destino);
}

void AsignarOpcionReporte(qint16 valor) {
    if (MotorReporte* r = Estado().rpt)
        r->setOpcionReporte(valor);
}

void AsignarImagenesReporte(ProveedorImagenes proveedor) {
    if (MotorReporte* r = Estado().rpt)
        r->setProveedorImagenes(std::move(proveedor));
}

void ImprimirReporte(const QString& formulario, const QString& titulo, const QString& archivo,
                     const QVariant& /*contenedor*/, qint16 zoom, qint32 modoConexion) {
    EstadoModulo& e = Estado();
    e.UltimoReporte = archivo;
    dialogos().PonerPuntero(Puntero::Reloj);
    BusquedaReporte busqueda;
    try {
        if (!e.rpt) {
            Fallar(MotorReporte::FallaAccion,
                   QStringLiteral("No se inició el pedido de impresión (falta IniciarReporte)."));
        } else {
            MotorReporte& r = *e.rpt;
            r.setReportTitle(titulo);
            r.setWindowTitle(titulo);
            if (Preparar(r, formulario, archivo, modoConexion, busqueda))
                MostrarEnVistaPrevia(r, titulo, zoom);
        }
    } catch (const std::exception& x) {
        Fallar(MotorReporte::FallaAccion, QString::fromUtf8(x.what()));
    } catch (...) {
        Fallar(MotorReporte::FallaAccion, QStringLiteral("Error inesperado al imprimir."));
    }
    Terminar(formulario, archivo, busqueda);
}

bool EjecutarReporte() {
    EstadoModulo& e = Estado();
    if (!e.rpt)
        return false;
    MotorReporte& r = *e.rpt;
    const qint64 inicio = Milisegundos();
    bool resultado = false;
    if (r.Destination() == 0) {
        r.setAction(1);
        resultado = true;
    }
    if (r.HayError()) {
        e.ErrorReporte = true;
        e.UltimoErrorReporte = TextoFalla(r.ErrorNumero(), r.ErrorOrigen(), r.ErrorDescripcion());
        return resultado;
    }
    // Segundos enteros del reloj monótono, con las horas.
    const qint64 segundos = (Milisegundos() - inicio) / 1000;
    if (Glob().TimeoutRpt < segundos)
        GrabarSeguimiento(QStringLiteral("RPT"), r.ReportFileName(),
                          QString::number(segundos) + QLatin1String(" segs. SQL: ") + r.SQLQuery());
    return resultado;
}

MotorReporte* rpt() {
    return Estado().rpt;
}

qint16 IndiceFormula() {
    return qint16(std::min(Estado().IndiceFormula, 32767));
}

bool ErrorReporte() {
    return Estado().ErrorReporte;
}

QString UltimoErrorReporte() {
    return Estado().UltimoErrorReporte;
}

QString UltimoReporte() {
    return Estado().UltimoReporte;
}

QString ConexionReporte() {
    return Estado().ConexionReporte;
}

void FijarRelojesImpresion(RelojesImpresion relojes) {
    Estado().relojes = std::move(relojes);
}
