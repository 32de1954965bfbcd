#include "TipoCompra.h"
#include "Glob_Sarvo.h"
#include "Recordset.h"

namespace {

DescripcionEstadistica DescripcionTipoCompra() {
    DescripcionEstadistica d;
    d.nombre = QStringLiteral("frmTipoCompra");
    d.tarea = 107;
    d.caption = QStringLiteral("Tipos de Compra");
    d.graficos = 1;
    d.areaCliente = QSize(10395, 7320);
    d.lugarGrafico[0] = QRect(120, 840, 10215, 6375);
    d.procedimientos = QStringList{QStringLiteral("GES_GENERA_TIPO_COMPRA")};
    d.confirmacion = QStringLiteral("COMMIT");
    return d;
}

} // namespace

TipoCompra::TipoCompra() : Estadistica(DescripcionTipoCompra()) {}

QString TipoCompra::ConsultaAceptar() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_TIPO_COMPRA")) +
           QLatin1String(" WHERE cod_usuario = ") + Usuario() +
           QLatin1String(" ORDER BY cantidad DESC ");
}

QString TipoCompra::ConsultaCarga() {
    return QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_TIPO_COMPRA")) +
           QLatin1String(" WHERE cod_usuario = ") + Usuario() +
           QLatin1String(" ORDER BY CANTIDAD DESC");
}

PedidoImpresion TipoCompra::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = QStringLiteral("Tipos de Compra");
    p.archivo = QStringLiteral("MRV_TipoCompra.rpt");
    // El usuario va en la sentencia, con dos retornos de carro antes del orden.
    p.Consulta(QLatin1String("SELECT * FROM ") + Tabla(QStringLiteral("GES_TIPO_COMPRA")) +
               QLatin1String(" WHERE COD_USUARIO = ") + Usuario() +
               QLatin1String("\r\r ORDER BY CANTIDAD DESC"));
    p.Formula(FormulaFecha(fecha));
    p.Formula(QLatin1String("Ejercicio=") + TextoAnio(fecha));
    p.Formula(FormulaMunicipalidad());
    return p;
}

void TipoCompra::LeerTrasGenerar(CajaFecha& fecha) {
    Recordset rs;
    if (!Abrir(rs, ConsultaAceptar()))
        return;
    ModeloGrafico& g = Grafico();
    const int n = FilasGrafico(rs);
    AnotarCifras(g, rs, n);
    if (n == 0) {
        // Sin compras, el gráfico vacío de la carga: nada de la fecha anterior.
        SeriesEnCero();
    } else {
        const QString anio = TextoAnio(fecha.Fecha());
        g.SetSize(1, n, 1, n);
        int i = 1;
        for (rs.MoveFirst(); !rs.Eof() && i <= n; rs.MoveNext(), ++i) {
            g.SetRowLabel(1, 1, anio);
            g.SetData(1, i, Numero(rs, QStringLiteral("CANTIDAD")), 0);
            g.SetColumn(i);
            g.SetColumnLabel(Texto(rs, QStringLiteral("DESCRIPCION")));
        }
    }
    Formatear();
}

void TipoCompra::SeriesEnCero() {
    // Cinco series en cero, sin nombre ni categoría.
    ModeloGrafico& g = Grafico();
    for (int a = 1; a <= 5; ++a) {
        g.SetSize(1, 5, 1, 5);
        g.SetData(1, a, 0, 0);
        g.SetColumn(a);
        g.SetColumnLabel(QString());
    }
    g.SetRowLabel(1, 1, QString());
}

void TipoCompra::LeerAlCargar(CajaFecha& fecha) {
    Recordset rs;
    if (!Abrir(rs, ConsultaCarga()))
        return;
    ModeloGrafico& g = Grafico();
    const int n = FilasGrafico(rs);
    AnotarCifras(g, rs, n);
    if (n == 0) {
        SeriesEnCero();
    } else {
        rs.MoveFirst();
        DevolverFecha(rs, fecha);
        // La categoría es el año del servidor al abrir el programa, no el de la fecha.
        const QString ejercicio = QString::number(Glob().EjercicioActual);
        int i = 1;
        for (; !rs.Eof() && i <= n; rs.MoveNext(), ++i) {
            g.SetSize(1, n, 1, n);
            g.SetRowLabel(1, 1, ejercicio);
            g.SetData(1, i, Numero(rs, QStringLiteral("CANTIDAD")), 0);
            g.SetColumn(i);
            g.SetColumnLabel(Texto(rs, QStringLiteral("DESCRIPCION")));
        }
    }
    Formatear();
}

void TipoCompra::Formatear() {
    ModeloGrafico& g = Grafico();
    g.TitleText = QStringLiteral("Tipos de Compra");
    g.RecetaEjeY(QStringLiteral("(en cantidad)"), 9, true);
    g.RecetaLeyenda(CodigoGrafico::AlineacionIzquierda);
    g.RecetaPorcentajes();
    g.Visible = true;
}
