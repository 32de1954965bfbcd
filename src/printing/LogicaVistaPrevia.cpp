#include "LogicaVistaPrevia.h"
#include "Dialogos.h"
#include "Func_SarvoGeneral.h"
#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

const QString AnchoPagina = QStringLiteral("Ancho de página");
const QString TodaLaPagina = QStringLiteral("Toda la página");

void Avisar(const QString& texto) {
    PedidoMensaje p;
    p.Mensaje = texto;
    p.titulo = QStringLiteral("Buscar");
    p.TipoBotones = 0;
    p.TipoMensaje = 64; // información
    dialogos().VentanaMensaje(p);
}

} // namespace

const QStringList& LogicaVistaPrevia::ListaZoom() {
    static const QStringList lista{QStringLiteral("100 %"),
                                   QStringLiteral("75 %"),
                                   QStringLiteral("50 %"),
                                   QStringLiteral("25 %"),
                                   AnchoPagina,
                                   TodaLaPagina};
    return lista;
}

QString LogicaVistaPrevia::EliminarCaracter(const QString& texto, const QString& caracter) {
    if (caracter.isEmpty())
        return texto;
    QString resultado = texto;
    return resultado.remove(caracter.left(1));
}

QString LogicaVistaPrevia::TextoPagina(int actual, int total) {
    return QStringLiteral("Página:%1 de %2").arg(actual).arg(total);
}

qint16 LogicaVistaPrevia::CodigoZoom(const QString& texto) {
    if (texto == AnchoPagina)
        return MotorReporte::ZoomAnchoPagina;
    if (texto == TodaLaPagina)
        return MotorReporte::ZoomPaginaEntera;
    QVariant valor = EliminarCaracter(texto, QStringLiteral("%"));
    const QString numero = TextoNumerico(valor, QStringLiteral("0"));
    bool ok = false;
    double v = QLocale::c().toDouble(numero, &ok);
    if (!ok)
        v = QLocale(QLocale::Spanish, QLocale::Argentina).toDouble(numero, &ok);
    if (!ok || !std::isfinite(v))
        return 0;
    // Entero con las mitades al par, como la conversión de la suite.
    return qint16(std::clamp(std::nearbyint(v), -32768.0, 32767.0));
}

QString LogicaVistaPrevia::TextoZoom(qint16 codigo) {
    if (codigo == MotorReporte::ZoomAnchoPagina)
        return AnchoPagina;
    if (codigo == MotorReporte::ZoomPaginaEntera)
        return TodaLaPagina;
    return QString::number(codigo) + QLatin1String(" %");
}

QString LogicaVistaPrevia::NombrePdf(const QString& titulo, const QDate& fecha) {
    static const QRegularExpression prohibidos(QStringLiteral("[\\\\/:*?\"<>|\\x00-\\x1f]+"));
    QString base = titulo;
    base = base.replace(prohibidos, QStringLiteral(" ")).simplified();
    if (base.isEmpty())
        base = QStringLiteral("Reporte");
    return base + QLatin1Char(' ') + fecha.toString(QStringLiteral("dd-MM-yyyy")) +
           QLatin1String(".pdf");
}

std::optional<HallazgoTexto> LogicaVistaPrevia::BuscarSiguiente(const MotorReporte& motor) {
    const auto pedido =
        dialogos().PedirTexto(QStringLiteral("Texto a buscar:"), QStringLiteral("Buscar"), texto_);
    if (!pedido || pedido->trimmed().isEmpty())
        return std::nullopt;
    const QString texto = *pedido;
    const bool seguir = resaltado_ && texto.compare(texto_, Qt::CaseInsensitive) == 0;
    texto_ = texto;
    const auto hallazgo = motor.BuscarTexto(texto, seguir ? *resaltado_ : HallazgoTexto());
    if (hallazgo) {
        resaltado_ = hallazgo;
        return hallazgo;
    }
    resaltado_.reset();
    if (seguir)
        Avisar(QStringLiteral("No hay más apariciones de \"%1\". La próxima búsqueda empieza "
                              "desde la primera página.")
                   .arg(texto));
    else
        Avisar(QStringLiteral("No se encontró \"%1\" en el reporte.").arg(texto));
    return std::nullopt;
}
