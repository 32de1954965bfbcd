#include "EstadisticaImprimible.h"

namespace {

// Pasos de impresión que las tres ventanas eligen y ordenan a su manera.
enum class Paso { Usuario, ConsultaVacia, Ejercicio, Fecha, Municipalidad };

struct Variante {
    Imprimible cual;
    int tarea;
    const char* nombre;
    const char* caption; // también el título del reporte
    const char* procedimiento;
    const char* archivo;
    std::vector<Paso> pasos;
};

const std::vector<Variante>& Variantes() {
    static const std::vector<Variante> variantes = {
        {Imprimible::RankingProveedores,
         105,
         "frmRankingProveedores",
         "Ranking de Proveedores",
         "GES_GENERA_COMPRAS_X_PROV",
         "MRV_RankingProveedores.rpt",
         {Paso::Usuario, Paso::ConsultaVacia, Paso::Ejercicio, Paso::Fecha, Paso::Municipalidad}},
        {Imprimible::RankingBienes,
         106,
         "frmRankingBienes",
         "Ranking de Bienes",
         "GES_GENERA_COMPRAS_X_RUBRO",
         "MRV_RankingBienes.rpt",
         {Paso::Usuario, Paso::Fecha, Paso::Ejercicio, Paso::Municipalidad}},
        {Imprimible::GastosCatProg,
         110,
         "frmGastosCatProg",
         "Gastos por Categoría Programática",
         "GES_GENERA_GASTOS_X_CATPROG",
         "MRV_GastosXCatProg.rpt",
         {Paso::Usuario, Paso::Fecha, Paso::Municipalidad}},
    };
    return variantes;
}

const Variante& DeCual(Imprimible cual) {
    for (const Variante& v : Variantes())
        if (v.cual == cual)
            return v;
    return Variantes().front();
}

DescripcionEstadistica Describir(Imprimible cual) {
    const Variante& v = DeCual(cual);
    DescripcionEstadistica d;
    d.nombre = QString::fromUtf8(v.nombre);
    d.tarea = v.tarea;
    d.caption = QString::fromUtf8(v.caption);
    d.graficos = 0;
    d.areaCliente = QSize(6705, 1260);
    d.finLinea = 6600;
    d.procedimientos = QStringList{QString::fromUtf8(v.procedimiento)};
    d.argumentos = ArgumentosGeneracion::UsuarioAnioFecha;
    d.confirmacion = QStringLiteral("commit");
    d.condicion = CondicionConfirmar::UltimoProcedimiento;
    return d;
}

} // namespace

EstadisticaImprimible::EstadisticaImprimible(Imprimible cual)
    : Estadistica(Describir(cual)), cual_(cual) {}

QString EstadisticaImprimible::ArchivoReporte() const {
    return QString::fromUtf8(DeCual(cual_).archivo);
}

PedidoImpresion EstadisticaImprimible::Impresion(const QDate& fecha) const {
    PedidoImpresion p;
    p.titulo = Descripcion().caption;
    p.archivo = ArchivoReporte();
    p.generarAntes = true;
    for (Paso paso : DeCual(cual_).pasos) {
        switch (paso) {
        case Paso::Usuario:
            p.Formula(QLatin1String("Usuario = ") + Usuario());
            break;
        case Paso::ConsultaVacia:
            // El reporte usa entonces su consulta guardada.
            p.Consulta(QString());
            break;
        case Paso::Ejercicio:
            p.Formula(QLatin1String("Ejercicio = ") + TextoAnio(fecha));
            break;
        case Paso::Fecha:
            p.Formula(FormulaFecha(fecha));
            break;
        case Paso::Municipalidad:
            p.Formula(FormulaMunicipalidad());
            break;
        }
    }
    return p;
}
