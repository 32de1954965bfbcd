#include "RecursosGastos.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionRecursosGastos() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmRecursosGastos");
    d.tarea = 103;
    d.caption = QStringLiteral("Recursos vs. Gastos");
    d.graficos = 2;
    d.areaCliente = QSize(10395, 7320);
    d.lugarGrafico[0] = QRect(0, 960, 5415, 6255);
    d.lugarGrafico[1] = QRect(5040, 960, 5415, 6375);
    // El segundo corre aunque el primero falle; su resultado decide.
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_RECUR_GASTOS_DET"),
                                   QStringLiteral("GES_GENERA_RECUR_GASTOS")};
    d.confirmacion = QStringLiteral("commit");
    return d;
}

// Lo propio de cada gráfico: tabla, título, columnas 2 y 3 y nombres de las series.
struct Lado {
    const char* tabla;
    const char* titulo;
    const char* acumulado;
    const char* periodo;
    QStringList series;
};

const Lado& LadoDe(int grafico) {
    static const Lado lados[2] = {{"GES_RECURSOS_DETALLE",
                                   "Recursos",
                                   "PERCIBIDO",
                                   "PER_PERIODO",
                                   {QStringLiteral("Presupuesto"), QStringLiteral("Percibido"),
                                    QStringLiteral("Percibido Periodo")}},
                                  {"GES_GASTOS_DETALLE",
                                   "Gastos",
                                   "DEVENGADO",
                                   "DEV_PERIODO",
                                   {QStringLiteral("Presupuesto"), QStringLiteral("Devengado"),
                                    QStringLiteral("Devengado Periodo")}}};
    return lados[grafico];
}

} // namespace

RecursosGastos::RecursosGastos() : Estadistica(DescripcionRecursosGastos()) {}

QString RecursosGastos::ConsultaRecursos() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_RECURSOS_DETALLE")) +
           QLatin1String(" WHERE Usuario = ") + Usuario();
}

QString RecursosGastos::ConsultaGastos() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_GASTOS_DETALLE")) +
           QLatin1String(" WHERE Usuario = ") + Usuario();
}

PedidoImpresion RecursosGastos::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Recursos vs. Gastos");
    p.archivo = QStringLiteral("MRV_Recursos_Gastos.rpt");
    p.Formula(QLatin1String("usuario = ") + Usuario());
    p.Formula(FormulaFecha(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void RecursosGastos::Leer(int grafico, bool alCargar, CajaFecha* fecha) {
    const Lado& lado = LadoDe(grafico);
    Recordset rs;
    if (!Abrir(rs, grafico == 0 ? ConsultaRecursos() : ConsultaGastos()))
        return;
    ModeloGrafico& g = Grafico(grafico);
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    // Un importe vacío, nulo o no numérico cuenta 0.
    l.valores = {MillonesDeTexto(QStringLiteral("VIGENTE")),
                 MillonesDeTexto(QLatin1String(lado.acumulado)),
                 MillonesDeTexto(QLatin1String(lado.periodo))};
    l.ceros = 4; // sin filas, también tras "Aceptar", la grilla de ceros de la carga
    LlenarGrafico(g, rs, l, fecha);
    g.NombrarSeries(lado.series);
    g.TitleText = QLatin1String(lado.titulo);
    g.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 9, true, 5);
    // El ajuste de línea de la leyenda lo pone solo la carga; "Aceptar" lo deja.
    if (alCargar)
        g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda, true);
    else
        g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
}

void RecursosGastos::LeerTrasGenerar(CajaFecha&) {
    Leer(0, false, nullptr);
    Leer(1, false, nullptr);
    Grafico(0).Visible = Grafico(1).Visible = true;
}

void RecursosGastos::LeerAlCargar(CajaFecha& fecha) {
    Leer(0, true, &fecha);
    Leer(1, true, nullptr);
    Grafico(0).Visible = Grafico(1).Visible = true;
}
