#include "OcupacionCargos.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionOcupacionCargos() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmOcupacionCargos");
    d.tarea = 109;
    d.caption = QStringLiteral("Ocupación de Cargos");
    d.graficos = 1;
    d.areaCliente = QSize(8745, 6015);
    d.lugarGrafico[0] = QRect(480, 1080, 7935, 4575);
    d.finLinea = 8760;
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_CARGOS_DISOCU")};
    d.argumentos = ArgumentosGeneracion::UsuarioAnio;
    d.confirmacion = QStringLiteral("COMMIT");
    return d;
}

const QStringList Series = {QStringLiteral("Ocupados"), QStringLiteral("Disponibles")};

} // namespace

OcupacionCargos::OcupacionCargos() : Estadistica(DescripcionOcupacionCargos()) {}

QString OcupacionCargos::Consulta() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_TMP_CARGOS_DISPO_OCU")) +
           QLatin1String(" WHERE usuario = ") + Usuario();
}

PedidoImpresion OcupacionCargos::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Ocupación de Cargos");
    p.archivo = QStringLiteral("MRV_CargosDispoOcu.rpt");
    p.Formula(QLatin1String("Ejercicio = ") + TextoAnio(fecha));
    p.Formula(QLatin1String("Usuario = ") + Usuario());
    p.Formula(FormulaFecha(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void OcupacionCargos::Titulos() {
    ModeloGrafico& g = Grafico();
    g.TitleText = QStringLiteral("Cargos Disponibles y Ocupados");
    g.RecetaEjeY(QStringLiteral("Cargos"), 9);
}

std::vector<Estadistica::ValorFila> OcupacionCargos::Valores() {
    const ValorFila ocupados = [](const Recordset& r) {
        return Numero(r, QStringLiteral("P_CARGOS_OCU")) +
               Numero(r, QStringLiteral("T_CARGOS_OCU"));
    };
    // Disponibles: los presupuestados que no están ocupados (negativo si sobran agentes).
    const ValorFila disponibles = [ocupados](const Recordset& r) {
        return Numero(r, QStringLiteral("P_CARGOS_DISPO")) +
               Numero(r, QStringLiteral("T_CARGOS_DISPO")) - ocupados(r);
    };
    return {ocupados, disponibles};
}

void OcupacionCargos::LeerTrasGenerar(CajaFecha&) {
    Recordset rs;
    if (!Abrir(rs, Consulta()))
        return;
    ModeloGrafico& g = Grafico();
    Titulos();
    LecturaGrafico l;
    l.campoRotulo = QStringLiteral("ANIO");
    l.valores = Valores();
    l.ceros = 5;
    LlenarGrafico(g, rs, l);
    // La leyenda y los nombres de las series quedan como los dejó la carga.
    g.Visible = true;
}

void OcupacionCargos::LeerAlCargar(CajaFecha&) {
    Recordset rs;
    if (!Abrir(rs, Consulta()))
        return;
    ModeloGrafico& g = Grafico();
    const int n = FilasGrafico(rs);
    AnotarCifras(g, rs, n);
    Titulos();
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
    g.SetSize(n, 2, n, 2);
    g.NombrarSeries(Series);
    if (n == 0) {
        // Cinco categorías con lo que deja el cambio de tamaño; sin valores propios.
        g.SetSize(5, 2, 5, 2);
        g.NombrarSeries(Series);
    } else {
        LlenarFilas(g, rs, n, QStringLiteral("ANIO"), Valores());
    }
    // La tabla no guarda la fecha de la generación: la caja sigue con la de hoy.
    g.Visible = true;
}
