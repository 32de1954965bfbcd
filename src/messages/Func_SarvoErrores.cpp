#include "Func_SarvoErrores.h"
#include "Avisos.h"
#include "CadenaConexion.h"
#include "ComponerMensaje.h"
#include "ConexionBase.h"
#include "Dialogos.h"
#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "OrigenDatosOdbc.h"
#include "Plantillas.h"
#include "Recordset.h"

namespace {

const QString CRLF = QStringLiteral("\r\n");
const QString TituloError = QStringLiteral("ERROR");
const QString SinDetalle =
    QStringLiteral("Error Interno: la base de datos no informó el detalle del error.");

// Números de Oracle que tienen su mensaje en el catálogo.
struct Traduccion {
    long oracle;
    int codigo;
    const char* parametro;
};
constexpr Traduccion Traducciones[] = {
    {1, 1, nullptr},
    {54, 59, nullptr},
    {904, 5, nullptr},
    {1400, 2, nullptr},
    {1438, 403, nullptr},
    {2292, 3, nullptr},
    {6550, 4, nullptr},
    {20101, 6, nullptr},
    {20103, 3, nullptr},
    {20104, 130, nullptr},
    {20105, 131, nullptr},
    {20106, 132, nullptr},
    {20107, 133, nullptr},
    {20108, 186, nullptr},
    {20109, 212, nullptr},
    {20110, 213, nullptr},
    {20111, 239, nullptr},
    {20112, 313, nullptr},
    {20113, 169, "Módulo Horario"},
    {20114, 327, nullptr},
    {20115, 328, nullptr},
    {20116, 368, nullptr},
    {20117, 369, nullptr},
    {20118, 370, nullptr},
    {20121, 377, "21"},
    {20123, 4004, nullptr},
    {28, Catalogo::ConexionPerdida, nullptr},
    {1012, Catalogo::ConexionPerdida, nullptr},
    {3113, Catalogo::ConexionPerdida, nullptr},
    {3114, Catalogo::ConexionPerdida, nullptr},
    {3135, Catalogo::ConexionPerdida, nullptr},
};

// La fila de la conexión perdida tal como está en errores_vb, para mostrarla
// cuando la base no contesta.
PedidoMensaje FilaConexionPerdida() {
    PedidoMensaje p;
    p.Mensaje = TextoConexionPerdida();
    p.titulo = QStringLiteral("Conexión Perdida");
    p.TipoBotones = 0;
    p.TipoMensaje = 48;
    p.DefaultBotones = 0;
    return p;
}

// Mientras se lee una fila del catálogo. Si esa misma lectura falla, su error
// se muestra tal como vino: traducirlo volvería al catálogo sin fin.
bool leyendoCatalogo = false;

// Descripción + CR + " Number: " + número del proveedor.
QString TextoDelProveedor(const ErrorBase& e) {
    return e.descripcion + QLatin1Char('\r') + QLatin1String(" Number: ") +
           QString::number(e.numero);
}

class AvisosCatalogo : public Avisos {
public:
    int MostrarError(int codigo, const QStringList& parametros) override {
        return ::MostrarError(codigo, parametros);
    }
    int MostrarMensaje(const QString& texto, const QString& titulo) override {
        return ::MostrarMensaje(texto, titulo);
    }
    void MostrarErrorBase(ConexionBase* conexion, std::optional<long> numero) override {
        ::MostrarErrorBase(conexion, numero);
    }
    void MostrarErrorConexion(ConexionBase& conexion) override { ::MostrarErrorConexion(conexion); }
};

} // namespace

int MostrarError(int codigo, const QStringList& parametros) {
    const QString sql =
        QStringLiteral(
            "SELECT mensaje, boton, tipo_ventana, boton_default, titulo, help, captions ") +
        QStringLiteral(" FROM ") + AgregarOwner(QStringLiteral("errores_vb")) +
        QStringLiteral(" WHERE codigo_error=") + QString::number(codigo);
    Recordset rs;
    leyendoCatalogo = true;
    Cargar_Recordset(sql, rs);
    leyendoCatalogo = false;
    // La consulta falló: la capa de datos ya lo mostró. Si era la conexión
    // perdida, el aviso sale de la copia de su fila.
    if (!rs.Abierto()) {
        if (codigo != Catalogo::ConexionPerdida)
            return SinCatalogo;
        const PedidoMensaje pedido = FilaConexionPerdida();
        Glob().UltimoMensaje = pedido.Mensaje;
        return dialogos().VentanaMensaje(pedido);
    }
    if (rs.Eof()) {
        MostrarMensaje(QStringLiteral("El código de error :") + QString::number(codigo) +
                           QStringLiteral(" no se encuentra cargado.") + CRLF +
                           QStringLiteral("Error en tabla ERRORES"),
                       TituloError);
        return SinCatalogo;
    }

    const QString fila = SiNulo(rs.Valor(0), QString());
    const auto compuesto = ComponerMensaje(fila, parametros);
    if (!compuesto) {
        MostrarMensaje(QStringLiteral("Falta definir Parámetros.") + CRLF +
                           QStringLiteral("Ver el Mensaje: ") + CRLF + fila,
                       TituloError);
        return SinCatalogo;
    }
    const QString& mensaje = *compuesto;

    PedidoMensaje pedido;
    pedido.Mensaje = mensaje;
    pedido.TipoBotones = rs.Valor(1).toInt();
    pedido.TipoMensaje = rs.Valor(2).toInt();
    pedido.DefaultBotones = rs.Valor(3).toInt();
    pedido.titulo = SiNulo(rs.Valor(4), QString());
    pedido.Textohelp = SiNulo(rs.Valor(5), QString());
    pedido.TextoBotones = SiNulo(rs.Valor(6), QString());
    Glob().UltimoMensaje = mensaje;
    return dialogos().VentanaMensaje(pedido);
}

QString TextoConexionPerdida() {
    return QStringLiteral("Se perdió la conexión con la base de datos.") + CRLF +
           QStringLiteral("La operación no se completó y lo que no estaba guardado se perdió.") +
           CRLF +
           QStringLiteral("Vuelva a intentarlo: el sistema se conecta de nuevo. Si la base sigue "
                          "sin responder, comuníquese con el Administrador del Sistema.");
}

int MostrarMensaje(const QString& texto, const QString& titulo) {
    PedidoMensaje pedido;
    pedido.Mensaje = texto;
    pedido.titulo = titulo;
    pedido.TipoBotones = 0;
    pedido.DefaultBotones = 0;
    pedido.TipoMensaje = 16;
    pedido.aceptarConAcceso = true;
    Glob().UltimoMensaje = texto;
    return dialogos().VentanaMensaje(pedido);
}

std::optional<int> CodigoCatalogo(long numeroOracle, QString* parametro) {
    for (const Traduccion& t : Traducciones) {
        if (t.oracle != numeroOracle)
            continue;
        if (parametro)
            *parametro = t.parametro ? QString::fromUtf8(t.parametro) : QString();
        return t.codigo;
    }
    return std::nullopt;
}

int MostrarErrorBase(ConexionBase* conexion, std::optional<long> numero) {
    ConexionBase* c = conexion ? conexion : Glob().Conexion.get();
    // Se copia antes de mostrar: el catálogo se lee por la conexión principal.
    const bool hayError = c && !c->Errores().empty();
    const ErrorBase primero = hayError ? c->Errores().front() : ErrorBase();
    if (!numero) {
        if (!hayError) {
            MostrarMensaje(SinDetalle, TituloError);
            return -1;
        }
        Glob().UltimoErrorNativo = qint32(primero.nativo);
    }
    const long n = numero ? *numero : primero.nativo;

    int resultado;
    QString parametro;
    const auto codigo = leyendoCatalogo ? std::nullopt : CodigoCatalogo(n, &parametro);
    if (codigo)
        resultado = parametro.isEmpty() ? MostrarError(*codigo)
                                        : MostrarError(*codigo, QStringList{parametro});
    else if (!numero)
        resultado = MostrarMensaje(TextoDelProveedor(primero), TituloError);
    else
        resultado = MostrarMensaje(QStringLiteral("Error Interno: El error ") + QString::number(n) +
                                       QStringLiteral(" no esta contemplado"),
                                   TituloError);
    if (c)
        c->LimpiarErrores();
    return resultado;
}

int MostrarErrorConexion(ConexionBase& conexion) {
    if (conexion.Errores().empty()) {
        MostrarMensaje(SinDetalle, TituloError);
        return -1;
    }
    const ErrorBase primero = conexion.Errores().front();
    // El origen de datos que falta o está vacío, el driver que no carga o el
    // servidor que no contesta se dicen en castellano, con los archivos de
    // configuración leídos y el servidor.
    const QString cadena = conexion.CadenaConexion();
    const auto dsn = ValorAtributo(SepararAtributos(cadena), QLatin1StringView("DSN"));
    const auto explicacion =
        dsn ? ExplicarFallaConexion(primero, LeerOrigenDatos(*dsn, cadena)) : std::nullopt;
    const QString pie = QStringLiteral("Contactarse con el Administrador del Sistema.");
    QString texto;
    QString titulo = QStringLiteral("Error al Conectarse a la Base");
    if (primero.nativo == 1017) {
        texto = QStringLiteral("El Nombre/Contraseña son Incorrectos");
    } else if (explicacion) {
        texto = *explicacion + QLatin1Char('\r') + QLatin1Char('\r') + pie;
    } else {
        texto = TextoDelProveedor(primero) + QLatin1Char('\r') + QLatin1Char('\r') + pie;
        titulo = TituloError;
    }
    // Se anota antes de mostrarlo: el mensaje espera a la persona.
    GrabarErrorConexion(QStringLiteral("MRV"), cadena, texto);
    int resultado = 0;
    // El servidor que arranca o se detiene no se informa.
    if (explicacion || (primero.nativo != 1033 && primero.nativo != 1034))
        resultado = MostrarMensaje(texto, titulo);
    conexion.LimpiarErrores();
    return resultado;
}

void InicializarMensajes() {
    static AvisosCatalogo catalogo;
    InstalarAvisos(&catalogo);
}
