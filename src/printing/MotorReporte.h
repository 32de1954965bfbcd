#pragma once
// El motor de reportes del programa. Ofrece las operaciones que usa el módulo
// de impresión con los nombres de su modelo de objetos (Reset, Formulas,
// SQLQuery, Destination, ReportTitle, WindowTitle, ReportFileName, Connect,
// Window*, Action, PageZoom, SubreportToChange, GetNSubreports,
// GetNthSubreportName, RetrieveSQLQuery, PageFirst/Previous/Next/Last) y, en
// castellano, las que ese modelo no nombra.
//
// Action = 1 lee la definición (ver docs/reportes.md), arma las fórmulas,
// abre su propia conexión con Connect, lee los datos del reporte y de sus
// subreportes y diagrama todas las páginas; desde ahí se sabe cuántas son y
// cada una se pinta recién cuando se la muestra, imprime o exporta, sobre
// cualquier QPainter. Nada lanza excepciones: una falla deja un número, un
// origen y una descripción (ErrorNumero, ErrorOrigen, ErrorDescripcion).
#include "DefinicionReporte.h"
#include "Formulas.h"
#include <QDateTime>
#include <QObject>
#include <QPicture>
#include <QRectF>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>

class QPagedPaintDevice;
class QPainter;
class QImage;
struct Corrida;

// Un texto encontrado en un reporte corrido.
struct HallazgoTexto {
    int pagina = 0;    // desde 1
    int trazo = -1;    // orden del trazo dentro de la página
    int posicion = -1; // carácter donde empieza
    QRectF rectangulo; // puntos de la hoja
};

// Quien imprime da las imágenes que el reporte pide por nombre
// (<imagen origen="grafico1">): recibe el nombre y el tamaño de su marco en
// milímetros y devuelve el dibujo; nulo si no lo tiene.
using ProveedorImagenes = std::function<QPicture(const QString& nombre, const QSizeF& milimetros)>;

class MotorReporte : public QObject {
    Q_OBJECT
public:
    // Números de error del motor.
    enum CodigoError {
        FallaArchivo = 20500,    // el archivo del reporte no está o no se puede leer
        FallaDefinicion = 20501, // el archivo está mal escrito
        FallaFormula = 20502,    // una casilla de fórmula o una marca {@...} no vale
        FallaConexion = 20503,   // la base rechazó el ingreso
        FallaConsulta = 20504,   // la consulta del reporte o de un subreporte falló
        FallaDatos = 20505,      // los datos no sirven al reporte (columna, imagen...)
        FallaSubreporte = 20506, // subreporte inexistente o su archivo no está
        FallaAccion = 20507,     // acción u operación que no se puede hacer ahora
        FallaSalida = 20508      // no se pudo escribir el PDF o imprimir
    };

    // Opciones de la ventana de vista previa que el módulo de impresión fija.
    // El motor las guarda y las devuelve; la vista previa del programa no las usa.
    enum class OpcionVista {
        BotonCerrar,
        BotonesNavegacion,
        BotonImprimir,
        ControlZoom,
        BotonExportar,
        BotonBuscar,
        ArbolGrupos,
        ProgresoAlCorrer, // la opción que sigue a opcionVista de IniciarReporte
        EstadoVentana,    // numérica: 2 = maximizada
        BordeVentana,     // numérica: 0 = sin borde
        CuadroControl,
        BotonMaximizar,
        BotonMinimizar
    };

    // Zoom: 1 = ancho de página, 2 = página entera; otro valor, ese porcentaje
    // dentro de estos límites (fuera de ellos se lleva al más cercano).
    static constexpr qint16 ZoomAnchoPagina = 1;
    static constexpr qint16 ZoomPaginaEntera = 2;
    static constexpr qint16 ZoomMinimo = 10;
    static constexpr qint16 ZoomMaximo = 400;

    explicit MotorReporte(QObject* padre = nullptr);
    ~MotorReporte() override;

    // ---- Pedido
    void Reset(); // todo a sus valores iniciales, también el error y las páginas
    // Casilla de fórmula (0 a 32767): "nombre = valor". Se lee al correr.
    void setFormulas(int casilla, const QString& asignacion);
    QString Formulas(int casilla) const;
    // Consulta del reporte nombrado por SubreportToChange ("" el principal).
    // Vacía: el reporte usa la consulta guardada en su archivo.
    QString SQLQuery() const;
    void setSQLQuery(const QString& sql);
    QString SubreportToChange() const { return subreporte_; }
    void setSubreportToChange(const QString& nombre) { subreporte_ = nombre; }
    qint32 Destination() const { return destino_; }
    void setDestination(qint32 destino) { destino_ = destino; }
    QString ReportTitle() const { return tituloReporte_; }
    void setReportTitle(const QString& titulo) { tituloReporte_ = titulo; }
    QString WindowTitle() const { return tituloVentana_; }
    void setWindowTitle(const QString& titulo) { tituloVentana_ = titulo; }
    QString ReportFileName() const { return archivo_; }
    void setReportFileName(const QString& ruta);
    QString Connect() const { return logon_; }
    void setConnect(const QString& logon) { logon_ = logon; }
    quintptr WindowParentHandle() const { return ventanaPadre_; }
    void setWindowParentHandle(quintptr ventana) { ventanaPadre_ = ventana; }
    qint16 WindowLeft() const { return lugar_[0]; }
    qint16 WindowTop() const { return lugar_[1]; }
    qint16 WindowWidth() const { return lugar_[2]; }
    qint16 WindowHeight() const { return lugar_[3]; }
    void setWindowLeft(qint16 v) { lugar_[0] = v; }
    void setWindowTop(qint16 v) { lugar_[1] = v; }
    void setWindowWidth(qint16 v) { lugar_[2] = v; }
    void setWindowHeight(qint16 v) { lugar_[3] = v; }
    int opcionVista(OpcionVista opcion) const;
    void setOpcionVista(OpcionVista opcion, int valor);
    qint16 OpcionReporte() const { return opcionReporte_; }
    void setOpcionReporte(qint16 valor) { opcionReporte_ = valor; }

    // ---- Imágenes que da quien imprime (los gráficos de la ventana)
    // Por nombre, sin distinguir mayúsculas; una nula borra la del nombre.
    // Un QPicture se pinta vectorial, llevado al marco del reporte.
    void DefinirImagen(const QString& nombre, const QPicture& dibujo);
    void DefinirImagen(const QString& nombre, const QImage& imagen);
    // Al correr, para los nombres que no se definieron. Una imagen pedida que
    // nadie da hace fallar la corrida (FallaDatos). Reset borra las dos cosas.
    void setProveedorImagenes(ProveedorImagenes proveedor) { proveedor_ = std::move(proveedor); }

    // ---- Subreportes y consultas guardadas
    qint16 GetNSubreports();
    QString GetNthSubreportName(qint16 indice);
    // SQLQuery del reporte de SubreportToChange = la consulta guardada en su archivo.
    void RetrieveSQLQuery();
    // Confirma las consultas asignadas. Las toma Action; aquí solo se avisa.
    void AplicarConsulta();

    // ---- Ingreso y corrida
    // Abre y cierra una conexión con Connect. Falso si la base la rechaza.
    bool VerificarConexion();
    // 1 corre el reporte (lo deja listo para ver, imprimir o exportar, con
    // cualquier destino). Falso si falló: ver el error.
    bool setAction(qint16 accion);
    // Fecha y hora de impresión de las próximas corridas (inválida: el reloj
    // al correr). Reset la borra.
    void FijarMomentoImpresion(const QDateTime& momento) { momentoFijo_ = momento; }

    // ---- Páginas (desde 1; 0 si no hay reporte corrido)
    void PageFirst();
    void PagePrevious();
    void PageNext();
    void PageLast();
    int PaginaActual() const { return pagina_; }
    int TotalPaginas() const;
    void PageZoom(qint16 codigo);
    qint16 ZoomActual() const { return zoom_; }

    // ---- Salida
    QSizeF TamanoPagina() const; // puntos, con la orientación del reporte
    // Escala (píxeles del dispositivo por punto) del zoom actual para mostrar
    // la página en un área de ese tamaño en píxeles, con esa resolución.
    qreal EscalaZoom(const QSizeF& area, qreal puntosPorPulgada) const;
    // Pinta la página (desde 1) con su esquina en el origen del pintor.
    void PintarPagina(int pagina, QPainter& pintor, qreal escala) const;
    QImage ImagenPagina(int pagina, qreal puntosPorPulgada) const;
    bool ExportarPdf(const QString& archivo);
    // Imprime en el dispositivo (una QPrinter ya elegida, un QPdfWriter...)
    // con el papel del reporte; hasta = 0 es hasta la última.
    bool Imprimir(QPagedPaintDevice& dispositivo, int desde = 1, int hasta = 0);

    // Próxima aparición de un texto (sin distinguir mayúsculas) después de
    // "desde"; desde vacío: desde el principio. nullopt si no hay más.
    std::optional<HallazgoTexto> BuscarTexto(const QString& texto,
                                             const HallazgoTexto& desde = HallazgoTexto()) const;

    // ---- Error de la última operación que falló (Action lo limpia al empezar)
    bool HayError() const { return errorNumero_ != 0; }
    long ErrorNumero() const { return errorNumero_; }
    QString ErrorOrigen() const {
        return errorNumero_ ? QStringLiteral("MotorReporte") : QString();
    }
    QString ErrorDescripcion() const { return errorDescripcion_; }
    void LimpiarError();

signals:
    void paginaCambiada(int pagina);
    // Cada asignación de SQLQuery (no las de RetrieveSQLQuery) y cada AplicarConsulta.
    void zoomCambiado(qint16 codigo);
    void consultaAsignada(const QString& subreporte, const QString& sql);
    void consultaAplicada();

private:
    bool Fallar(long numero, const QString& descripcion);
    bool CargarDefinicion();
    bool CargarSubreportes(Definicion& d);
    bool ArmarFormulas(TablaFormulas& tabla);
    bool LeerDatos(class ConexionBase& conexion, const Definicion& d, const QString& nombre,
                   const TablaFormulas& tabla, Corrida& destino);
    const Definicion* DefinicionDe(const QString& subreporte);
    bool BuscarImagenes(Corrida& c);
    void IrA(int pagina);

    std::map<int, QString> formulas_;
    std::map<QString, QString> consultas_; // por subreporte en minúsculas; "" el principal
    QString subreporte_;
    qint32 destino_ = 0;
    QString tituloReporte_;
    QString tituloVentana_;
    QString archivo_;
    QString logon_;
    quintptr ventanaPadre_ = 0;
    qint16 lugar_[4] = {0, 0, 0, 0};
    std::map<OpcionVista, int> opciones_;
    qint16 opcionReporte_ = 0;
    qint16 zoom_ = ZoomAnchoPagina;
    QDateTime momentoFijo_;
    std::map<QString, QPicture> imagenesDadas_; // por ClaveNombre
    ProveedorImagenes proveedor_;

    std::shared_ptr<Definicion> definicion_; // la de archivo_, ya leída
    std::unique_ptr<Corrida> corrida_;
    TablaFormulas tabla_;
    QDateTime momento_;
    int pagina_ = 0;

    long errorNumero_ = 0;
    QString errorDescripcion_;
};
