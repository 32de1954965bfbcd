#include "MotorReporte.h"
#include "CadenaLogon.h"
#include "ClaveNombre.h"
#include "ConexionBase.h"
#include "Corrida.h"
#include "Glob_Sarvo.h"
#include "LectorDefinicion.h"
#include "Rutas.h"
#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace {

QString Clave(const QString& subreporte) {
    return ClaveNombre(subreporte.trimmed());
}

QString ErrorDeConexion(const ConexionBase& c) {
    if (c.Errores().empty())
        return QStringLiteral("sin detalle del servidor");
    const ErrorBase& e = c.Errores().front();
    if (e.nativo > 0)
        return QStringLiteral("ORA-%1: %2")
            .arg(e.nativo, 5, 10, QLatin1Char('0'))
            .arg(e.descripcion);
    return e.descripcion;
}

// Dónde se busca el archivo de un subreporte: junto al reporte, en las
// carpetas de los dos formatos de su sistema y en las compartidas de "Gda"
// de la instalación.
QStringList CarpetasDeSubreportes(const QString& archivoReporte) {
    const QDir propia = QFileInfo(archivoReporte).absoluteDir();
    QStringList r{propia.absolutePath(), propia.absoluteFilePath(QStringLiteral("../Formato60")),
                  propia.absoluteFilePath(QStringLiteral("../Formato85"))};
    const QString ruta = Glob().RutaSistema;
    if (!ruta.isEmpty())
        for (const char* formato : {"Formato60", "Formato85"})
            r << RutaNativa(ruta + QStringLiteral("Gda\\Reportes\\") + QLatin1String(formato));
    return r;
}

} // namespace

MotorReporte::MotorReporte(QObject* padre) : QObject(padre) {}

MotorReporte::~MotorReporte() = default;

bool MotorReporte::Fallar(long numero, const QString& descripcion) {
    errorNumero_ = numero;
    errorDescripcion_ = descripcion;
    return false;
}

void MotorReporte::LimpiarError() {
    errorNumero_ = 0;
    errorDescripcion_.clear();
}

void MotorReporte::Reset() {
    formulas_.clear();
    consultas_.clear();
    subreporte_.clear();
    destino_ = 0;
    tituloReporte_.clear();
    tituloVentana_.clear();
    archivo_.clear();
    logon_.clear();
    ventanaPadre_ = 0;
    std::fill(std::begin(lugar_), std::end(lugar_), qint16(0));
    opciones_.clear();
    opcionReporte_ = 0;
    zoom_ = ZoomAnchoPagina;
    momentoFijo_ = QDateTime();
    imagenesDadas_.clear();
    proveedor_ = nullptr;
    definicion_.reset();
    corrida_.reset();
    tabla_.Limpiar();
    LimpiarError();
    if (pagina_ != 0) {
        pagina_ = 0;
        emit paginaCambiada(0);
    }
}

void MotorReporte::setFormulas(int casilla, const QString& asignacion) {
    if (casilla < 0 || casilla > 32767) {
        Fallar(
            FallaAccion,
            QStringLiteral("La casilla de fórmula %1 no existe (van de 0 a 32767).").arg(casilla));
        return;
    }
    formulas_[casilla] = asignacion;
}

QString MotorReporte::Formulas(int casilla) const {
    const auto it = formulas_.find(casilla);
    return it == formulas_.end() ? QString() : it->second;
}

void MotorReporte::setReportFileName(const QString& ruta) {
    if (ruta != archivo_)
        definicion_.reset();
    archivo_ = ruta;
}

int MotorReporte::opcionVista(OpcionVista opcion) const {
    const auto it = opciones_.find(opcion);
    return it == opciones_.end() ? 0 : it->second;
}

void MotorReporte::setOpcionVista(OpcionVista opcion, int valor) {
    opciones_[opcion] = valor;
}

bool MotorReporte::CargarDefinicion() {
    if (definicion_)
        return true;
    if (archivo_.isEmpty())
        return Fallar(FallaAccion, QStringLiteral("No se indicó el archivo del reporte."));
    if (!QFileInfo(archivo_).isFile())
        return Fallar(FallaArchivo,
                      QStringLiteral("No se encuentra el archivo del reporte %1.").arg(archivo_));
    ErrorDefinicion error;
    auto d = LeerDefinicion(archivo_, error);
    if (!d)
        return Fallar(error.linea > 0 ? FallaDefinicion : FallaArchivo,
                      QStringLiteral("Reporte mal definido: %1").arg(error.Texto()));
    if (!CargarSubreportes(*d))
        return false;
    definicion_ = d;
    return true;
}

bool MotorReporte::CargarSubreportes(Definicion& d) {
    const QStringList carpetas = CarpetasDeSubreportes(d.archivo);
    for (Subreporte& s : d.subreportes) {
        if (s.archivo.isEmpty())
            continue;
        QString ruta;
        for (const QString& carpeta : carpetas) {
            const QString candidata = QDir(carpeta).absoluteFilePath(s.archivo);
            if (QFileInfo(candidata).isFile()) {
                ruta = candidata;
                break;
            }
        }
        if (ruta.isEmpty())
            return Fallar(FallaSubreporte,
                          QStringLiteral("%1, línea %2: no se encuentra el archivo %3 del "
                                         "subreporte %4 (se buscó en %5)")
                              .arg(d.archivo)
                              .arg(s.linea)
                              .arg(s.archivo, s.nombre, carpetas.join(QStringLiteral(", "))));
        ErrorDefinicion error;
        auto sub = LeerDefinicion(ruta, error);
        if (!sub)
            return Fallar(
                FallaDefinicion,
                QStringLiteral("Subreporte %1 mal definido: %2").arg(s.nombre, error.Texto()));
        if (!sub->subreportes.empty())
            return Fallar(FallaDefinicion,
                          QStringLiteral("Subreporte %1 mal definido: %2 tiene subreportes y un "
                                         "subreporte no puede tenerlos")
                              .arg(s.nombre, ruta));
        s.definicion = sub;
    }
    return true;
}

const Definicion* MotorReporte::DefinicionDe(const QString& subreporte) {
    if (!CargarDefinicion())
        return nullptr;
    if (subreporte.trimmed().isEmpty())
        return definicion_.get();
    const int i = definicion_->BuscarSubreporte(subreporte.trimmed());
    if (i < 0) {
        Fallar(FallaSubreporte, QStringLiteral("El reporte %1 no tiene un subreporte llamado %2.")
                                    .arg(archivo_, subreporte));
        return nullptr;
    }
    return definicion_->subreportes[size_t(i)].definicion.get();
}

QString MotorReporte::SQLQuery() const {
    const auto it = consultas_.find(Clave(subreporte_));
    return it == consultas_.end() ? QString() : it->second;
}

void MotorReporte::setSQLQuery(const QString& sql) {
    if (!subreporte_.trimmed().isEmpty() && !DefinicionDe(subreporte_))
        return;
    consultas_[Clave(subreporte_)] = sql;
    emit consultaAsignada(subreporte_, sql);
}

qint16 MotorReporte::GetNSubreports() {
    if (!CargarDefinicion())
        return 0;
    return qint16(std::min<size_t>(definicion_->subreportes.size(), 32767));
}

QString MotorReporte::GetNthSubreportName(qint16 indice) {
    if (!CargarDefinicion())
        return {};
    if (indice < 0 || size_t(indice) >= definicion_->subreportes.size()) {
        Fallar(FallaSubreporte, QStringLiteral("El reporte %1 no tiene un subreporte número %2.")
                                    .arg(archivo_)
                                    .arg(indice));
        return {};
    }
    return definicion_->subreportes[size_t(indice)].nombre;
}

void MotorReporte::RetrieveSQLQuery() {
    if (const Definicion* d = DefinicionDe(subreporte_))
        consultas_[Clave(subreporte_)] = d->consulta;
}

void MotorReporte::AplicarConsulta() {
    emit consultaAplicada();
}

bool MotorReporte::VerificarConexion() {
    ConexionBase conexion;
    if (!conexion.Abrir(CadenaConexionDeLogon(logon_)))
        return Fallar(FallaConexion, QStringLiteral("La base rechazó el ingreso del reporte (%1).")
                                         .arg(ErrorDeConexion(conexion)));
    conexion.Cerrar();
    return true;
}

bool MotorReporte::ArmarFormulas(TablaFormulas& tabla) {
    tabla.Limpiar();
    // lo declarado, con su valor por omisión; lo del reporte principal gana
    std::vector<const Definicion*> definiciones;
    for (const Subreporte& s : definicion_->subreportes)
        definiciones.push_back(s.definicion.get());
    definiciones.push_back(definicion_.get());
    for (const Definicion* d : definiciones)
        for (const DeclaracionFormula& f : d->formulas)
            tabla.Poner(f.nombre, f.defecto.value_or(ValorFormula()));
    auto declaracion = [&](const QString& nombre) -> const DeclaracionFormula* {
        for (auto it = definiciones.rbegin(); it != definiciones.rend(); ++it)
            if (const DeclaracionFormula* f = (*it)->BuscarFormula(nombre))
                return f;
        return nullptr;
    };
    for (const auto& [casilla, texto] : formulas_) {
        if (texto.trimmed().isEmpty())
            continue;
        QString motivo;
        auto a = LeerAsignacionFormula(texto, &motivo);
        if (!a)
            return Fallar(FallaFormula, QStringLiteral("Casilla de fórmula %1 (%2): %3")
                                            .arg(casilla)
                                            .arg(texto.left(80), motivo));
        const DeclaracionFormula* f = declaracion(a->nombre);
        if (f && f->tipo == DeclaracionFormula::Tipo::Numero && a->valor.esTexto)
            return Fallar(FallaFormula, QStringLiteral("Casilla de fórmula %1: la fórmula %2 "
                                                       "espera un número y recibió '%3'.")
                                            .arg(casilla)
                                            .arg(a->nombre, a->valor.texto.left(60)));
        if (f && f->tipo == DeclaracionFormula::Tipo::Texto)
            a->valor.esTexto = true;
        tabla.Poner(a->nombre, a->valor);
    }
    return true;
}

bool MotorReporte::LeerDatos(ConexionBase& conexion, const Definicion& d, const QString& nombre,
                             const TablaFormulas& tabla, Corrida& destino) {
    const auto it = consultas_.find(Clave(nombre));
    const QString sql =
        it != consultas_.end() && !it->second.trimmed().isEmpty() ? it->second : d.consulta;
    const QString quien = nombre.isEmpty() ? QStringLiteral("del reporte")
                                           : QStringLiteral("del subreporte %1").arg(nombre);
    if (sql.trimmed().isEmpty()) {
        destino.datos =
            std::make_unique<DatosEnMemoria>(QStringList(), std::vector<std::vector<QVariant>>());
        return true;
    }
    QString final, motivo;
    if (!SustituirFormulas(sql, tabla, final, &motivo))
        return Fallar(FallaFormula, QStringLiteral("Consulta %1: %2").arg(quien, motivo));
    Recordset rs;
    if (!conexion.Consultar(final, rs))
        return Fallar(
            FallaConsulta,
            QStringLiteral("Falló la consulta %1 (%2).").arg(quien, ErrorDeConexion(conexion)));
    destino.datos = std::make_unique<DatosRecordset>(std::move(rs));
    return true;
}

bool MotorReporte::setAction(qint16 accion) {
    LimpiarError();
    if (accion != 1)
        return Fallar(FallaAccion,
                      QStringLiteral("La acción %1 no existe: 1 corre el reporte.").arg(accion));
    corrida_.reset();
    IrA(0);
    TablaFormulas tabla;
    if (!CargarDefinicion() || !ArmarFormulas(tabla))
        return false;
    ConexionBase conexion;
    if (!conexion.Abrir(CadenaConexionDeLogon(logon_)))
        return Fallar(FallaConexion, QStringLiteral("La base rechazó el ingreso del reporte (%1).")
                                         .arg(ErrorDeConexion(conexion)));
    auto c = std::make_unique<Corrida>();
    c->definicion = definicion_;
    if (!LeerDatos(conexion, *definicion_, QString(), tabla, *c))
        return false;
    for (const Subreporte& s : definicion_->subreportes) {
        auto sub = std::make_unique<Corrida>();
        sub->definicion = s.definicion;
        if (!LeerDatos(conexion, *s.definicion, s.nombre, tabla, *sub))
            return false;
        c->subreportes.push_back(std::move(sub));
    }
    conexion.Cerrar();
    if (!BuscarImagenes(*c))
        return false;
    ErrorDefinicion error;
    if (!PrepararCorrida(*c, false, error))
        return Fallar(FallaDatos,
                      QStringLiteral("El reporte no se puede armar: %1").arg(error.Texto()));
    tabla_ = tabla;
    momento_ = momentoFijo_.isValid() ? momentoFijo_ : QDateTime::currentDateTime();
    corrida_ = std::move(c);
    IrA(1);
    return true;
}

void MotorReporte::DefinirImagen(const QString& nombre, const QPicture& dibujo) {
    if (dibujo.isNull())
        imagenesDadas_.erase(Clave(nombre));
    else
        imagenesDadas_[Clave(nombre)] = dibujo;
}

void MotorReporte::DefinirImagen(const QString& nombre, const QImage& imagen) {
    QPicture dibujo;
    if (!imagen.isNull()) {
        QPainter pintor(&dibujo);
        pintor.drawImage(QRectF(QPointF(0, 0), QSizeF(imagen.size())), imagen);
    }
    DefinirImagen(nombre, dibujo);
}

// Las imágenes por nombre del reporte y de sus subreportes: las definidas o
// las que da el proveedor con el tamaño de su marco.
bool MotorReporte::BuscarImagenes(Corrida& c) {
    c.dibujos.clear();
    for (const Banda& b : c.definicion->bandas)
        for (const Elemento& e : b.elementos) {
            if (e.tipo != TipoElemento::Imagen || e.origen.isEmpty())
                continue;
            const QString clave = Clave(e.origen);
            if (c.dibujos.contains(clave))
                continue;
            QPicture dibujo;
            if (const auto it = imagenesDadas_.find(clave); it != imagenesDadas_.end())
                dibujo = it->second;
            else if (proveedor_)
                dibujo = proveedor_(e.origen, e.caja.size() / PuntosPorMm);
            if (dibujo.isNull() || dibujo.boundingRect().isEmpty())
                return Fallar(FallaDatos,
                              QStringLiteral("El reporte no se puede armar: %1")
                                  .arg(ErrorDefinicion{c.definicion->archivo, e.linea,
                                                       QStringLiteral("nadie dio la imagen \"%1\" "
                                                                      "(la da quien imprime)")
                                                           .arg(e.origen)}
                                           .Texto()));
            c.dibujos.insert(clave, dibujo);
        }
    for (auto& sub : c.subreportes)
        if (!BuscarImagenes(*sub))
            return false;
    return true;
}

int MotorReporte::TotalPaginas() const {
    return corrida_ ? corrida_->Paginas() : 0;
}

void MotorReporte::IrA(int pagina) {
    const int total = TotalPaginas();
    const int nueva = total == 0 ? 0 : std::clamp(pagina, 1, total);
    if (nueva == pagina_)
        return;
    pagina_ = nueva;
    emit paginaCambiada(pagina_);
}

void MotorReporte::PageFirst() {
    IrA(1);
}

void MotorReporte::PagePrevious() {
    IrA(pagina_ - 1);
}

void MotorReporte::PageNext() {
    IrA(pagina_ + 1);
}

void MotorReporte::PageLast() {
    IrA(TotalPaginas());
}

void MotorReporte::PageZoom(qint16 codigo) {
    const qint16 nuevo = (codigo == ZoomAnchoPagina || codigo == ZoomPaginaEntera)
                             ? codigo
                             : std::clamp(codigo, ZoomMinimo, ZoomMaximo);
    if (nuevo == zoom_)
        return;
    zoom_ = nuevo;
    emit zoomCambiado(zoom_);
}
