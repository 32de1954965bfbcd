#include "EvolucionGastos.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionEvolucionGastos() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmEvolucionGastos");
    d.tarea = 101;
    d.caption = QStringLiteral("Evolución de Gastos");
    d.graficos = 1;
    d.areaCliente = QSize(8745, 6015);
    d.lugarGrafico[0] = QRect(0, 1080, 8655, 4575);
    d.finLinea = 8760;
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_GASTOS_X_OBJ")};
    d.confirmacion = QStringLiteral("commit");
    return d;
}

QString ConsultaAnio(const QString& tabla, const QString& anio, const QLatin1String& columnaUsuario,
                     const QString& usuario) {
    return QLatin1String("SELECT * FROM ") + tabla + QLatin1String(" WHERE ejercicio = ") + anio +
           QLatin1String(" AND ") + columnaUsuario + QLatin1String(" = ") + usuario +
           QLatin1String(" ORDER BY INCISO");
}

} // namespace

EvolucionGastos::EvolucionGastos() : Estadistica(DescripcionEvolucionGastos()) {}

QString EvolucionGastos::ConsultaAceptar(const QString& anio) {
    return ConsultaAnio(Tabla(QStringLiteral("GES_GASTOS_X_OBJETO")), anio,
                        QLatin1String("Usuario"), Usuario());
}

QString EvolucionGastos::ConsultaCarga(const QString& anio) {
    return ConsultaAnio(Tabla(QStringLiteral("GES_GASTOS_X_OBJETO")), anio,
                        QLatin1String("usuario"), Usuario());
}

QStringList EvolucionGastos::Series() {
    return {QStringLiteral("Devengado"), QStringLiteral("Pagado"), QStringLiteral("Impago")};
}

PedidoImpresion EvolucionGastos::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Evolución de Gastos");
    p.archivo = QStringLiteral("MRV_Gastos_x_Objeto.rpt");
    p.Formula(QLatin1String("Usuario = ") + Usuario());
    p.Formula(QLatin1String("Ejercicio = ") + TextoAnio(fecha));
    p.Formula(FormulaFecha(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void EvolucionGastos::Titulos(const QString& anio) {
    ModeloGrafico& g = Grafico();
    g.TitleText = QLatin1String("Gastos por Objeto - Ejercicio ") + anio;
    g.RecetaEjeY(QStringLiteral("(en millones de pesos)"), 9, true, 5);
}

Estadistica::LecturaGrafico EvolucionGastos::Lectura() {
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("INCISO");
    l.campoNombre = QStringLiteral("DESCRIPCION");
    // Lo devengado incluye la deuda flotante cancelada en el año; lo impago es
    // lo devengado que falta pagar.
    l.valores = {Millones(QStringLiteral("DEV_INCISO")), Millones(QStringLiteral("PAG_INCISO")),
                 [](const Recordset& r) {
                     return (Numero(r, QStringLiteral("DEV_INCISO")) -
                             Numero(r, QStringLiteral("PAG_INCISO"))) /
                            1000000.0;
                 }};
    l.ceros = 5; // sin filas, cinco incisos en cero como al cargar
    return l;
}

void EvolucionGastos::LeerTrasGenerar(CajaFecha& fecha) {
    const QString anio = TextoAnio(fecha.Fecha());
    Recordset rs;
    if (!Abrir(rs, ConsultaAceptar(anio)))
        return;
    ModeloGrafico& g = Grafico();
    Titulos(anio);
    LlenarGrafico(g, rs, Lectura());
    // La leyenda y los nombres de las series quedan como los dejó la carga.
    g.Visible = true;
}

void EvolucionGastos::LeerAlCargar(CajaFecha& fecha) {
    // El año de la caja al abrir: el de hoy, aunque la tabla traiga otro.
    const QString anio = TextoAnio(fecha.Fecha());
    Recordset rs;
    if (!Abrir(rs, ConsultaCarga(anio)))
        return;
    ModeloGrafico& g = Grafico();
    Titulos(anio);
    g.RecetaLeyenda();
    g.TituloCategorias = QStringLiteral("Inciso");
    LlenarGrafico(g, rs, Lectura(), &fecha);
    g.NombrarSeries(Series());
    g.Visible = true;
}
