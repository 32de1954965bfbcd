// "Recursos vs. Gastos" contra el servidor privado: carga vacía, "Aceptar"
// contra créditos, percibido y devengado sumados aquí (con el 29 de febrero),
// resultado vacío, el primer procedimiento que falla, la confirmación fallida
// y el pedido de impresión.
#include "ApoyoEstadisticas.h"
#include "RecursosGastos.h"
#include "VistaGrafico.h"
#include "frmRecursosGastos.h"

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

// El mismo día y mes de la fecha en otro año; el 29 de febrero pasa al 28.
QDate MismoDia(const QDate& fecha, int anio) {
    const QDate d(anio, fecha.month(), fecha.day());
    return d.isValid() ? d : QDate(anio, fecha.month(), fecha.day() - 1);
}

// Por año (el pedido y los cuatro anteriores con presupuesto), en millones:
// {vigente, acumulado hasta la fecha, acumulado hasta el mismo día del año}.
// Recursos: cálculo y percibido; gastos: crédito y devengado.
std::map<QString, std::vector<double>> Detalle(const QDate& fecha, bool recursos) {
    const int anio = fecha.year();
    std::map<QString, std::vector<double>> esperados;
    const QString vigente = recursos
                                ? "SELECT ejercicio, calculo_original + modificaciones FROM "
                                  "owner_sarvo.partidas_recurso WHERE ejercicio BETWEEN %1 AND %2"
                                : "SELECT ejercicio, credito_original + modificaciones FROM "
                                  "owner_sarvo.partidas_gasto WHERE ejercicio BETWEEN %1 AND %2";
    for (const QVariantList& f : Filas(vigente.arg(anio - 4).arg(anio))) {
        auto& fila = esperados[f[0].toString()];
        fila.resize(3);
        fila[0] += f[1].toDouble() / 1e6;
    }
    const QString movimientos =
        recursos ? "SELECT ejercicio, fecha, importe FROM owner_sarvo.ingresos WHERE ejercicio "
                   "BETWEEN %1 AND %2 AND fecha <= DATE '%3'"
                 : "SELECT ejercicio, fecha, importe FROM owner_sarvo.movimientos_gasto WHERE "
                   "etapa = 'D' AND ejercicio BETWEEN %1 AND %2 AND fecha <= DATE '%3'";
    for (const QVariantList& f :
         Filas(movimientos.arg(anio - 4).arg(anio).arg(fecha.toString(Qt::ISODate)))) {
        const auto it = esperados.find(f[0].toString());
        if (it == esperados.end())
            continue;
        it->second[1] += f[2].toDouble() / 1e6;
        if (f[1].toDate() <= MismoDia(fecha, f[0].toInt()))
            it->second[2] += f[2].toDouble() / 1e6;
    }
    return esperados;
}

class RecursosGastosPrueba : public prueba::PruebaEstadistica {
protected:
    RecursosGastosPrueba()
        : PruebaEstadistica(
              32601, {QStringLiteral("ges_recursos_detalle"), QStringLiteral("ges_gastos_detalle")},
              QStringLiteral("usuario")) {}

    static void VerificarFormato(frmRecursosGastos& v) {
        const ModeloGrafico& recursos = v.Logica().Grafico(0);
        const ModeloGrafico& gastos = v.Logica().Grafico(1);
        EXPECT_EQ(recursos.TitleText, QStringLiteral("Recursos"));
        EXPECT_EQ(gastos.TitleText, QStringLiteral("Gastos"));
        EXPECT_EQ(recursos.NombresSeries(),
                  (QStringList{"Presupuesto", "Percibido", "Percibido Periodo"}));
        EXPECT_EQ(gastos.NombresSeries(),
                  (QStringList{"Presupuesto", "Devengado", "Devengado Periodo"}));
        for (const ModeloGrafico* g : {&recursos, &gastos}) {
            EXPECT_EQ(g->EjeY.titulo, QStringLiteral("(en millones de pesos)"));
            EXPECT_EQ(g->EjeY.tamanioFuente, 9);
            EXPECT_TRUE(g->EjeY.escalaAutomatica);
            EXPECT_EQ(g->EjeY.divisionesMayores, 5);
            EXPECT_EQ(g->Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
            EXPECT_EQ(g->Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
            EXPECT_TRUE(g->Visible);
        }
    }
    QStringList Consultas() const {
        return {"CargarRecordset: SELECT * FROM OWNER_SARVO.GES_RECURSOS_DETALLE WHERE Usuario = " +
                    Usuario(),
                "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_GASTOS_DETALLE WHERE Usuario = " +
                    Usuario()};
    }
};

TEST_F(RecursosGastosPrueba, CargaConLasTablasVaciasMuestraCuatroAniosEnCero) {
    Glob().SeguimientoSql = true;
    frmRecursosGastos ventana;
    EXPECT_EQ(ventana.windowTitle(), QStringLiteral("Recursos vs. Gastos"));
    EXPECT_EQ(ventana.Chart(0)->geometry(), QRect(0, 64, 361, 417));
    EXPECT_EQ(ventana.Chart(1)->geometry(), QRect(336, 64, 357, 424)) << "sin pasar del borde";
    for (int i = 0; i < 2; ++i) {
        const ModeloGrafico& g = ventana.Logica().Grafico(i);
        ASSERT_EQ(g.RowCount(), 4);
        for (int f = 1; f <= 4; ++f)
            for (int c = 1; c <= 3; ++c)
                EXPECT_EQ(g.Dato(f, c), 0);
        EXPECT_TRUE(g.Leyenda.ajusteLinea) << "la carga ajusta la leyenda";
    }
    VerificarFormato(ventana);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()), Consultas());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(RecursosGastosPrueba, AceptarComparaAnioPorAnioHastaElMismoDia) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2024, 2, 29); // en 2022 y 2023 el período llega al 28
    frmRecursosGastos ventana;
    // "Aceptar" no toca el ajuste de línea de la leyenda.
    ventana.Logica().Grafico(1).Leyenda.ajusteLinea = false;
    Aceptar(ventana, fecha);
    const auto recursos = Detalle(fecha, true);
    const auto gastos = Detalle(fecha, false);
    ASSERT_EQ(recursos.size(), 3u) << "2022 a 2024";
    prueba::CompararValores(ventana.Logica().Grafico(0), recursos);
    prueba::CompararValores(ventana.Logica().Grafico(1), gastos);
    EXPECT_NEAR(recursos.at("2024")[1], recursos.at("2024")[2], 1e-9)
        << "en el año de la fecha el período es lo acumulado";
    EXPECT_TRUE(ventana.Logica().Grafico(0).Leyenda.ajusteLinea);
    EXPECT_FALSE(ventana.Logica().Grafico(1).Leyenda.ajusteLinea);
    VerificarFormato(ventana);
    const QString llamada = "(" + Usuario() + ",2024,'29/02/2024')";
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()).mid(2),
              (QStringList{"EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_RECUR_GASTOS_DET" + llamada,
                           "EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_RECUR_GASTOS" + llamada,
                           "EjecutarSQL: commit"} +
               Consultas()));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();

    Aceptar(ventana, QDate(2025, 12, 31));
    Capturar(ventana, QStringLiteral("recursosgastos"));
    frmRecursosGastos otra;
    prueba::CompararValores(otra.Logica().Grafico(0), Detalle(QDate(2025, 12, 31), true));
    EXPECT_EQ(otra.Fecha()->Value().toDate(), QDate(2025, 12, 31));
}

TEST_F(RecursosGastosPrueba, AceptarSinFilasMuestraLasGrillasDeCerosYRehaceElFormato) {
    frmRecursosGastos ventana;
    Aceptar(ventana, QDate(2023, 12, 31));
    ventana.Logica().Grafico(0).NombrarSeries({"x", "y", "z"});
    ventana.Logica().Grafico(1).TitleText.clear();
    Aceptar(ventana, QDate(2021, 12, 31)); // año sin presupuesto
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ventana.Logica().Grafico(i).RowCount(), 4);
        prueba::VerificarSinDatos(ventana, i, QDate(2021, 12, 31));
    }
    VerificarFormato(ventana);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(RecursosGastosPrueba, FallaElPrimeroYElSegundoDecide) {
    const QDate antes(2024, 6, 30), despues(2025, 6, 30);
    frmRecursosGastos ventana;
    Aceptar(ventana, antes);
    AceptarBloqueado(ventana, despues,
                     "SELECT owner_sarvo.ges_bloquear_usuario('ges_recursos_detalle', " +
                         Usuario() + ")");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    prueba::CompararValores(ventana.Logica().Grafico(0), Detalle(antes, true));
    prueba::CompararValores(ventana.Logica().Grafico(1), Detalle(despues, false));

    Glob().SeguimientoSql = true;
    VerificarConfirmacionFallida(ventana, QDate(2023, 6, 30));
}

TEST(SentenciasRecursosGastos, LlamadasEImpresion) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    RecursosGastos r;
    EXPECT_EQ(r.SentenciasGeneracion(QDate(2004, 3, 25)),
              (QStringList{"OWNER_SARVO.GES_GENERA_RECUR_GASTOS_DET(15,2004,'25/03/2004')",
                           "OWNER_SARVO.GES_GENERA_RECUR_GASTOS(15,2004,'25/03/2004')"}));
    const PedidoImpresion p = r.Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Recursos vs. Gastos"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_Recursos_Gastos.rpt"));
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "usuario = 15"},
                                               {T::Formula, "Fecha='05/03/2004'"},
                                               {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
