#include "EvolucionRecursos.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionEvolucionRecursos() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmEvolucionRecursos");
    d.tarea = 102;
    d.caption = QStringLiteral("Evolución de recursos");
    d.graficos = 2;
    d.areaCliente = QSize(10395, 7320);
    d.lugarGrafico[0] = QRect(0, 960, 5415, 5055);
    d.lugarGrafico[1] = QRect(5040, 960, 5415, 5055);
    // El segundo corre aunque el primero falle; su resultado decide.
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_RECUR_CODI_PROCE"),
                                   QStringLiteral("GES_GENERA_RECUR_PROCE_PER")};
    d.confirmacion = QStringLiteral("COMMIT");
    return d;
}

const QString EjeMillones = QStringLiteral("(en millones de pesos)");

} // namespace

EvolucionRecursos::EvolucionRecursos() : Estadistica(DescripcionEvolucionRecursos()) {}

QString EvolucionRecursos::ConsultaAceptar() {
    return ConsultaCarga() + QLatin1String(" ORDER BY ejercicio");
}

QString EvolucionRecursos::ConsultaCarga() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_RECURSOS_X_ORI_PROCE")) +
           QLatin1String(" WHERE usuario = ") + Usuario();
}

PedidoImpresion EvolucionRecursos::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Evolución de Recursos");
    p.archivo = QStringLiteral("MRV_RecursosCodiProce.rpt");
    p.Formula(QLatin1String("Usuario = ") + Usuario());
    p.Formula(QLatin1String("Ejercicio = ") + TextoAnio(fecha));
    p.Formula(FormulaFecha(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void EvolucionRecursos::LlenarOrigen(Recordset& rs, const LecturaGrafico& l, CajaFecha* fecha) {
    LecturaGrafico origen = l;
    origen.valores = {Millones(QStringLiteral("REC_MUNICIPAL")),
                      Millones(QStringLiteral("REC_PROVINCIAL")),
                      Millones(QStringLiteral("REC_NACIONAL"))};
    LlenarGrafico(Grafico(0), rs, origen, fecha);
    Grafico(0).NombrarSeries({QStringLiteral("Origen Municipal"),
                              QStringLiteral("Origen Provincial"),
                              QStringLiteral("Origen Nacional")});
}

void EvolucionRecursos::LlenarAfectacion(Recordset& rs, const LecturaGrafico& l) {
    LecturaGrafico afectacion = l;
    afectacion.valores = {Millones(QStringLiteral("LIBRE_DISPO")),
                          Millones(QStringLiteral("AFECTADOS"))};
    LlenarGrafico(Grafico(1), rs, afectacion);
    Grafico(1).NombrarSeries({QStringLiteral("Libre Disponibilidad"), QStringLiteral("Afectados")});
}

void EvolucionRecursos::FormatoOrigen() {
    ModeloGrafico& g = Grafico(0);
    g.TitleText = QStringLiteral("Recursos por su Origen");
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
}

void EvolucionRecursos::FormatoAfectacion() {
    ModeloGrafico& g = Grafico(1);
    g.TitleText = QStringLiteral("Recursos Afectados");
    g.RecetaEjeY(EjeMillones, 9, true, 5);
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
}

void EvolucionRecursos::LeerTrasGenerar(CajaFecha&) {
    Recordset rs;
    if (!Abrir(rs, ConsultaAceptar()))
        return;
    // Sin filas, las dos grillas de ceros de la carga; los nombres y formatos se repiten.
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    l.ceros = 4;
    FormatoOrigen();
    // Chart conserva la escala y las divisiones que le dio la carga.
    Grafico(0).RecetaEjeY(EjeMillones, 9);
    l.marcadores = true;
    LlenarOrigen(rs, l, nullptr);

    // Chart2 recibe los marcadores en las series que tiene antes de dimensionar.
    Grafico(1).RecetaMarcadores();
    l.marcadores = false;
    LlenarAfectacion(rs, l);
    FormatoAfectacion();
    Grafico(0).Visible = Grafico(1).Visible = true;
}

void EvolucionRecursos::LeerAlCargar(CajaFecha& fecha) {
    Recordset rs;
    if (!Abrir(rs, ConsultaCarga()))
        return;
    // Los marcadores van a las series de la grilla de diseño, antes de dimensionar.
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ejercicio");
    l.ceros = 4;
    FormatoOrigen();
    Grafico(0).RecetaEjeY(EjeMillones, 9, true, 5);
    Grafico(0).RecetaMarcadores();
    LlenarOrigen(rs, l, &fecha);

    Grafico(1).RecetaMarcadores();
    LlenarAfectacion(rs, l);
    FormatoAfectacion();
    Grafico(0).Visible = Grafico(1).Visible = true;
}
