#include "Ingresos.h"
#include "Recordset.h"
#include <QLocale>

namespace {

DescripcionEstadistica DescripcionIngresos() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmIngresos");
    d.tarea = 108;
    d.caption = QStringLiteral("Ingresos");
    d.graficos = 2;
    d.areaCliente = QSize(10395, 7320);
    d.lugarGrafico[0] = QRect(0, 960, 5415, 6255);
    d.lugarGrafico[1] = QRect(5040, 960, 5415, 6375);
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_INGRESOS")};
    // Se confirma y se vuelve a leer aunque la generación falle.
    d.confirmacion = QStringLiteral("commit");
    d.condicion = CondicionConfirmar::Siempre;
    return d;
}

QString Consulta(const QString& tabla, bool alCargar, const QString& usuario) {
    return QLatin1String("SELECT * FROM ") + tabla +
           (alCargar ? QLatin1String("  WHERE usuario = ") : QLatin1String(" WHERE Usuario = ")) +
           usuario;
}

} // namespace

Ingresos::Ingresos() : Estadistica(DescripcionIngresos()) {}

QString Ingresos::ConsultaDiaria(bool alCargar) {
    return Consulta(Tabla(QStringLiteral("GES_INGRESOS_DIA")), alCargar, Usuario());
}

QString Ingresos::ConsultaMensual(bool alCargar) {
    return Consulta(Tabla(QStringLiteral("GES_INGRESOS_MES")), alCargar, Usuario());
}

QString Ingresos::NombreMes(const QDate& fecha) {
    return QLocale(QLocale::Spanish, QLocale::Argentina)
        .monthName(fecha.month(), QLocale::LongFormat);
}

PedidoImpresion Ingresos::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Ingresos");
    p.archivo = QStringLiteral("MRV_Ingresos.rpt");
    p.Formula(QLatin1String("Usuario= ") + Usuario());
    p.Consulta(QString());
    p.Formula(QLatin1String("Ejercicio= ") + TextoAnio(fecha));
    // Esta ventana manda el nombre del mes, no una fecha.
    p.Formula(QLatin1String("Fecha='") + NombreMes(fecha) + QLatin1Char('\''));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void Ingresos::Formato(int grafico) {
    ModeloGrafico& g = Grafico(grafico);
    g.TitleText =
        grafico == 0 ? QStringLiteral("Ingresos Diarios") : QStringLiteral("Ingresos Mensuales");
    g.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 10, true, 6);
    g.RecetaLeyenda();
}

void Ingresos::LeerTabla(int grafico, const QString& sql, const QString& campoRotulo, bool alCargar,
                         CajaFecha* fecha) {
    Recordset rs;
    if (!Abrir(rs, sql))
        return;
    ModeloGrafico& g = Grafico(grafico);
    Formato(grafico);
    // Tras generar, un importe vacío o no numérico cuenta 0; al cargar se divide tal cual.
    const auto importe = alCargar ? &Millones : &MillonesDeTexto;
    LecturaGrafico l;
    l.campoRotulo = campoRotulo;
    l.valores = {importe(QStringLiteral("IMPORTE_TRIBUT")),
                 importe(QStringLiteral("IMPORTE_NO_TRIBUT")),
                 importe(QStringLiteral("IMPORTE_OTROS"))};
    l.ceros = 5; // sin filas, también tras "Aceptar", la grilla de ceros de la carga
    l.marcadores = true;
    LlenarGrafico(g, rs, l, fecha);
    g.NombrarSeries({QStringLiteral("Tributarios"), QStringLiteral("No Tributarios"),
                     QStringLiteral("Otros Ingresos")});
}

void Ingresos::LeerTrasGenerar(CajaFecha&) {
    LeerTabla(0, ConsultaDiaria(false), QStringLiteral("DIA"), false, nullptr);
    LeerTabla(1, ConsultaMensual(false), QStringLiteral("MES"), false, nullptr);
    Grafico(0).Visible = Grafico(1).Visible = true;
}

void Ingresos::LeerAlCargar(CajaFecha& fecha) {
    // La fecha de la generación vuelve desde la tabla diaria.
    LeerTabla(0, ConsultaDiaria(true), QStringLiteral("DIA"), true, &fecha);
    LeerTabla(1, ConsultaMensual(true), QStringLiteral("MES"), true, nullptr);
    Grafico(0).Visible = Grafico(1).Visible = true;
}
