#include "GastosPersonal.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionGastosPersonal() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmGastosPersonal");
    d.tarea = 104;
    d.caption = QStringLiteral("Gastos en Personal");
    d.graficos = 2;
    d.areaCliente = QSize(10395, 7320);
    d.lugarGrafico[0] = QRect(0, 960, 5415, 5055);
    d.lugarGrafico[1] = QRect(5040, 960, 5415, 5055);
    // Sin código de usuario; el segundo corre aunque el primero falle y decide.
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_GASTOS_PER"),
                                   QStringLiteral("GES_GENERA_GASTOS_PERSONAL")};
    d.argumentos = ArgumentosGeneracion::AnioFecha;
    d.confirmacion = QStringLiteral("Commit");
    return d;
}

const QString EjeMillones = QStringLiteral("(en millones de pesos)");

} // namespace

GastosPersonal::GastosPersonal() : Estadistica(DescripcionGastosPersonal()) {}

QString GastosPersonal::ConsultaPresupuesto() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_GASTOS_PER_DET"));
}

QString GastosPersonal::ConsultaGastos() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_GASTOS_PER"));
}

PedidoImpresion GastosPersonal::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Gastos en Personal");
    p.archivo = QStringLiteral("MRV_PresupGastosPer.rpt");
    p.Formula(QLatin1String("Usuario = ") + Usuario());
    p.Formula(FormulaFecha(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void GastosPersonal::LeerPresupuesto(CajaFecha* fecha) {
    Recordset rs;
    if (!Abrir(rs, ConsultaPresupuesto()))
        return;
    ModeloGrafico& g = Grafico(0);
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    // "Presupuesto" es lo que queda del total fuera del personal.
    l.valores = {Millones(QStringLiteral("PRESUPUESTO_GAS")), [](const Recordset& r) {
                     return (Numero(r, QStringLiteral("PRESUPUESTO")) -
                             Numero(r, QStringLiteral("PRESUPUESTO_GAS"))) /
                            1000000.0;
                 }};
    l.ceros = 4; // sin filas, también tras "Aceptar", la grilla de ceros de la carga
    LlenarGrafico(g, rs, l, fecha);
    g.NombrarSeries({QStringLiteral("Presupuesto de Gastos"), QStringLiteral("Presupuesto")});
    g.TitleText = QStringLiteral("Recursos");
    g.RecetaEjeY(EjeMillones, 9, true, 5);
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
}

void GastosPersonal::LeerGastos() {
    Recordset rs;
    if (!Abrir(rs, ConsultaGastos()))
        return;
    ModeloGrafico& g = Grafico(1);
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    l.valores = {Millones(QStringLiteral("GASTOS_PER")), Millones(QStringLiteral("EJECUTADO"))};
    l.ceros = 1;
    l.maximo = 1; // solo la primera fila
    LlenarGrafico(g, rs, l);
    g.NombrarSeries({QStringLiteral("Gastos Personal"), QStringLiteral("Ejecutado")});
    g.TitleText = QStringLiteral("Gastos");
    g.RecetaEjeY(EjeMillones, 9, true);
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
    g.RecetaPorcentajes();
    // Los porcentajes son partes de lo ejecutado, como en el reporte: el gasto
    // en personal sobre lo ejecutado, y lo ejecutado el 100 %.
    for (int c = 1; c <= g.ColumnCount(); ++c)
        g.Rotulos(c).serieBase = 2;
}

void GastosPersonal::LeerTrasGenerar(CajaFecha&) {
    LeerPresupuesto(nullptr);
    LeerGastos();
    Grafico(0).Visible = Grafico(1).Visible = true;
}

void GastosPersonal::LeerAlCargar(CajaFecha& fecha) {
    LeerPresupuesto(&fecha);
    LeerGastos();
    Grafico(0).Visible = Grafico(1).Visible = true;
}
