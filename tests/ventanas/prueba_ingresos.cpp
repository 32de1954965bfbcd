// "Ingresos" contra el servidor privado: carga vacía, "Aceptar" contra lo
// percibido sumado aquí por día y por mes (los dos en millones), un mes sin
// cobros todavía, la generación fallida que igual confirma y redibuja, la
// confirmación fallida, sentencias y el pedido de impresión con el mes.
#include "ApoyoEstadisticas.h"
#include "Ingresos.h"
#include "VistaGrafico.h"
#include "frmIngresos.h"
#include <QLocale>

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

const QStringList Series{"Tributarios", "No Tributarios", "Otros Ingresos"};

// Lo percibido en millones por {tributarios, no tributarios, otros}: por día
// del mes de la fecha hasta la fecha, o por mes del año hasta la fecha.
std::map<QString, std::vector<double>> Percibido(const QDate& fecha, bool porDia) {
    static const QStringList meses{"Ene", "Feb", "Mar", "Abr", "May", "Jun",
                                   "Jul", "Ago", "Sep", "Oct", "Nov", "Dic"};
    const QDate desde = porDia ? QDate(fecha.year(), fecha.month(), 1) : QDate(fecha.year(), 1, 1);
    std::map<QString, std::vector<double>> esperados;
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT i.fecha, r.tipo, sum(i.importe) FROM owner_sarvo.ingresos i "
                              "JOIN owner_sarvo.recursos r USING (cod_recurso) WHERE i.ejercicio "
                              "= %1 AND i.fecha BETWEEN DATE '%2' AND DATE '%3' GROUP BY 1, 2")
                   .arg(fecha.year())
                   .arg(desde.toString(Qt::ISODate), fecha.toString(Qt::ISODate)))) {
        const QDate dia = f[0].toDate();
        const QString rotulo = porDia ? QString::number(dia.day()) : meses[dia.month() - 1];
        auto& fila = esperados[rotulo];
        fila.resize(3);
        fila[size_t(QStringLiteral("TNO").indexOf(f[1].toString()))] += f[2].toDouble() / 1e6;
    }
    return esperados;
}

class IngresosPrueba : public prueba::PruebaEstadistica {
protected:
    IngresosPrueba()
        : PruebaEstadistica(
              32401, {QStringLiteral("ges_ingresos_dia"), QStringLiteral("ges_ingresos_mes")},
              QStringLiteral("usuario")) {}

    static void VerificarFormato(frmIngresos& v) {
        for (int i = 0; i < 2; ++i) {
            const ModeloGrafico& g = v.Logica().Grafico(i);
            EXPECT_EQ(g.TitleText, i == 0 ? "Ingresos Diarios" : "Ingresos Mensuales");
            EXPECT_EQ(g.EjeY.titulo, QStringLiteral("(en millones de pesos)"));
            EXPECT_EQ(g.EjeY.tamanioFuente, 10);
            EXPECT_TRUE(g.EjeY.escalaAutomatica);
            EXPECT_EQ(g.EjeY.divisionesMayores, 6);
            EXPECT_EQ(g.Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
            EXPECT_EQ(g.NombresSeries(), Series);
            EXPECT_TRUE(g.Visible);
        }
    }
    QString Consulta(const char* tabla, bool alCargar) const {
        return QLatin1String("CargarRecordset: SELECT * FROM OWNER_SARVO.") + tabla +
               (alCargar ? "  WHERE usuario = " : " WHERE Usuario = ") + Usuario();
    }
};

TEST_F(IngresosPrueba, CargaConLasTablasVaciasMuestraCincoCategoriasConMarcadores) {
    Glob().SeguimientoSql = true;
    frmIngresos ventana;
    EXPECT_EQ(ventana.Chart(0)->geometry(), QRect(0, 64, 361, 417));
    EXPECT_EQ(ventana.Chart(1)->geometry(), QRect(336, 64, 357, 424)) << "sin pasar del borde";
    for (int i = 0; i < 2; ++i) {
        const ModeloGrafico& g = ventana.Logica().Grafico(i);
        ASSERT_EQ(g.RowCount(), 5);
        ASSERT_EQ(g.ColumnCount(), 3);
        for (int f = 1; f <= 5; ++f)
            for (int c = 1; c <= 3; ++c)
                EXPECT_EQ(g.Dato(f, c), 0);
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(g.Marcador(c).estilo, CodigoGrafico::MarcadorCirculoLleno);
        EXPECT_EQ(ventana.Chart(i)->Marcadores(), 15);
    }
    VerificarFormato(ventana);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(
        SentenciasTrazadas(carpeta_.path()),
        (QStringList{Consulta("GES_INGRESOS_DIA", true), Consulta("GES_INGRESOS_MES", true)}));
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(IngresosPrueba, AceptarSumaLoPercibidoPorDiaYPorMesEnMillones) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 3, 31);
    frmIngresos ventana;
    Aceptar(ventana, fecha);
    const auto diario = Percibido(fecha, true);
    const auto mensual = Percibido(fecha, false);
    ASSERT_GE(diario.size(), 15u) << "los días hábiles de marzo";
    ASSERT_EQ(mensual.size(), 3u) << "enero a marzo";
    // Los dos en millones: la fila de marzo suma lo mismo que los días.
    prueba::CompararValores(ventana.Logica().Grafico(0), diario);
    prueba::CompararValores(ventana.Logica().Grafico(1), mensual);
    double marzo = 0;
    for (const auto& [dia, fila] : diario)
        marzo += fila[0] + fila[1] + fila[2];
    const std::vector<double>& mar = mensual.at("Mar");
    EXPECT_NEAR(mar[0] + mar[1] + mar[2], marzo, 1e-6);
    VerificarFormato(ventana);
    EXPECT_EQ(ventana.Chart(0)->Marcadores(), 3 * int(diario.size()));
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()).mid(2),
              (QStringList{"EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_INGRESOS(" + Usuario() +
                               ",2025,'31/03/2025')",
                           "EjecutarSQL: commit", Consulta("GES_INGRESOS_DIA", false),
                           Consulta("GES_INGRESOS_MES", false)}));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();
    Capturar(ventana, QStringLiteral("ingresos"));

    // Un domingo 1.º: sin cobros en el mes todavía. El gráfico diario muestra
    // sus cinco días en cero y lo dice; el mensual se redibuja.
    ventana.Logica().Grafico(0).NombrarSeries({"a", "b", "c"});
    Aceptar(ventana, QDate(2025, 6, 1));
    EXPECT_EQ(ventana.Logica().Grafico(0).RowCount(), 5);
    prueba::VerificarSinDatos(ventana, 0, QDate(2025, 6, 1));
    prueba::CompararValores(ventana.Logica().Grafico(1), Percibido(QDate(2025, 6, 1), false));
    EXPECT_EQ(ventana.Logica().Grafico(1).FechaCifras, QDate(2025, 6, 1));
    VerificarFormato(ventana);

    // La próxima carga: la fecha de la generación vuelve desde la tabla diaria,
    // que está vacía; la mensual se muestra.
    frmIngresos otra;
    EXPECT_EQ(otra.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(otra.Logica().Grafico(0).RowCount(), 5);
    prueba::CompararValores(otra.Logica().Grafico(1), Percibido(QDate(2025, 6, 1), false));
}

TEST_F(IngresosPrueba, GeneracionFallidaIgualConfirmaYRedibuja) {
    const QDate antes(2024, 5, 31);
    frmIngresos ventana;
    Aceptar(ventana, antes);
    ventana.Logica().Grafico(1).TitleText.clear();
    Glob().SeguimientoSql = true;
    AceptarBloqueado(ventana, QDate(2025, 9, 30),
                     "SELECT owner_sarvo.ges_bloquear_usuario('ges_ingresos', " + Usuario() + ")");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()).filter("EjecutarSQL: commit").size(), 1);
    // Lo que las tablas tienen: lo generado antes, otra vez con su formato.
    prueba::CompararValores(ventana.Logica().Grafico(0), Percibido(antes, true));
    prueba::CompararValores(ventana.Logica().Grafico(1), Percibido(antes, false));
    VerificarFormato(ventana);

    VerificarConfirmacionFallida(ventana, QDate(2025, 9, 30));
}

TEST(SentenciasIngresos, LlamadaYPedidoDeImpresionConElMesEnCastellano) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa Serrana");
    // Un puesto en inglés no cambia el nombre del mes.
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Ingresos ingresos;
    const PedidoImpresion p = ingresos.Impresion(QDate(2004, 3, 25));
    EXPECT_EQ(Ingresos::NombreMes(QDate(2004, 8, 1)), QStringLiteral("agosto"));
    const QStringList llamadas = ingresos.SentenciasGeneracion(QDate(2004, 3, 25));
    QLocale::setDefault(anterior);

    EXPECT_EQ(llamadas, QStringList{"OWNER_SARVO.GES_GENERA_INGRESOS(15,2004,'25/03/2004')"});
    EXPECT_EQ(ingresos.Descripcion().condicion, CondicionConfirmar::Siempre);
    EXPECT_EQ(p.titulo, QStringLiteral("Ingresos"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_Ingresos.rpt"));
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "Usuario= 15"},
                                               {T::Consulta, ""},
                                               {T::Formula, "Ejercicio= 2004"},
                                               {T::Formula, "Fecha='marzo'"},
                                               {T::Formula, "Municipalidad='Villa Serrana'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
