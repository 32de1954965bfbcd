// "Gastos en Personal" contra el servidor privado. Sus dos tablas no son por
// usuario: esta prueba no corre a la vez que otra que las genere (CTest las
// ordena con un RESOURCE_LOCK). Carga vacía (sin confirmar), "Aceptar" contra
// créditos y devengado sumados aquí, varias filas de gasto, resultado vacío,
// el primer procedimiento que falla, la confirmación fallida y la impresión.
#include "ApoyoEstadisticas.h"
#include "GastosPersonal.h"
#include "VistaGrafico.h"
#include "frmGastosPersonal.h"

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

// Por año (el pedido y los cuatro anteriores con presupuesto), en millones:
// {crédito vigente del inciso 1, el resto del crédito vigente}.
std::map<QString, std::vector<double>> Presupuestos(int anio) {
    std::map<QString, std::vector<double>> esperados;
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT ejercicio, inciso, credito_original + modificaciones FROM "
                              "owner_sarvo.partidas_gasto WHERE ejercicio BETWEEN %1 AND %2")
                   .arg(anio - 4)
                   .arg(anio))) {
        auto& fila = esperados[f[0].toString()];
        fila.resize(2);
        fila[f[1].toInt() == 1 ? 0 : 1] += f[2].toDouble() / 1e6;
    }
    return esperados;
}

// El año de la fecha: {devengado del inciso 1, devengado total} hasta la fecha.
std::map<QString, std::vector<double>> Ejecutado(const QDate& fecha) {
    double personal = 0, total = 0;
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT p.inciso, m.importe FROM owner_sarvo.movimientos_gasto m "
                              "JOIN owner_sarvo.partidas_gasto p USING (ejercicio, id_partida) "
                              "WHERE m.ejercicio = %1 AND m.etapa = 'D' AND m.fecha <= DATE '%2'")
                   .arg(fecha.year())
                   .arg(fecha.toString(Qt::ISODate)))) {
        total += f[1].toDouble();
        if (f[0].toInt() == 1)
            personal += f[1].toDouble();
    }
    return {{QString::number(fecha.year()), {personal / 1e6, total / 1e6}}};
}

class GastosPersonalPrueba : public prueba::PruebaEstadistica {
protected:
    GastosPersonalPrueba() : PruebaEstadistica(32501, {}, QString()) {}

    static void VerificarFormato(frmGastosPersonal& v) {
        const ModeloGrafico& recursos = v.Logica().Grafico(0);
        const ModeloGrafico& gastos = v.Logica().Grafico(1);
        EXPECT_EQ(recursos.TitleText, QStringLiteral("Recursos"));
        EXPECT_EQ(gastos.TitleText, QStringLiteral("Gastos"));
        EXPECT_EQ(recursos.NombresSeries(), (QStringList{"Presupuesto de Gastos", "Presupuesto"}));
        EXPECT_EQ(gastos.NombresSeries(), (QStringList{"Gastos Personal", "Ejecutado"}));
        EXPECT_EQ(recursos.EjeY.divisionesMayores, 5);
        for (const ModeloGrafico* g : {&recursos, &gastos}) {
            EXPECT_EQ(g->EjeY.titulo, QStringLiteral("(en millones de pesos)"));
            EXPECT_EQ(g->EjeY.tamanioFuente, 9);
            EXPECT_TRUE(g->EjeY.escalaAutomatica);
            EXPECT_EQ(g->Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
            EXPECT_EQ(g->Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
            EXPECT_TRUE(g->Visible);
        }
        for (int c = 1; c <= 2; ++c) {
            EXPECT_EQ(gastos.Rotulos(c).componentes, CodigoGrafico::ComponentePorcentaje);
            EXPECT_EQ(gastos.Rotulos(c).ubicacion, CodigoGrafico::RotuloAfuera);
            EXPECT_EQ(recursos.Rotulos(c).ubicacion, CodigoGrafico::RotuloNinguno);
        }
    }
    static QStringList Consultas() {
        return {"CargarRecordset: SELECT * FROM OWNER_SARVO.GES_GASTOS_PER_DET",
                "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_GASTOS_PER"};
    }
};

TEST_F(GastosPersonalPrueba, CargaConLasTablasVaciasMuestraCerosEnLosDosGraficos) {
    // Vacías solo para esta conexión: se deshace al final.
    ASSERT_TRUE(Glob().Conexion->Ejecutar("DELETE FROM owner_sarvo.ges_gastos_per_det"));
    ASSERT_TRUE(Glob().Conexion->Ejecutar("DELETE FROM owner_sarvo.ges_gastos_per"));
    Glob().SeguimientoSql = true;
    frmGastosPersonal ventana;
    EXPECT_EQ(ventana.Chart(0)->geometry(), QRect(0, 64, 361, 337));
    EXPECT_EQ(ventana.Chart(1)->geometry(), QRect(336, 64, 357, 337)) << "sin pasar del borde";
    const ModeloGrafico& recursos = ventana.Logica().Grafico(0);
    const ModeloGrafico& gastos = ventana.Logica().Grafico(1);
    ASSERT_EQ(recursos.RowCount(), 4);
    ASSERT_EQ(gastos.RowCount(), 1);
    for (const ModeloGrafico* g : {&recursos, &gastos})
        for (int f = 1; f <= g->RowCount(); ++f)
            EXPECT_EQ(g->Dato(f, 1) + g->Dato(f, 2), 0);
    VerificarFormato(ventana);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()), Consultas());
    EXPECT_TRUE(dialogos_.mensajes.empty());
    ASSERT_TRUE(Glob().Conexion->Deshacer());
}

TEST_F(GastosPersonalPrueba, AceptarComparaElPresupuestoYElGastoEnPersonal) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 8, 31);
    frmGastosPersonal ventana;
    Aceptar(ventana, fecha);
    const auto presupuestos = Presupuestos(2025);
    ASSERT_EQ(presupuestos.size(), 4u) << "2022 a 2025";
    prueba::CompararValores(ventana.Logica().Grafico(0), presupuestos);
    const auto ejecutado = Ejecutado(fecha);
    const ModeloGrafico& gastos = ventana.Logica().Grafico(1);
    prueba::CompararValores(gastos, ejecutado);
    // Los porcentajes son partes de lo ejecutado (como en el reporte), en el
    // modelo y en la vista.
    const std::vector<double>& e = ejecutado.begin()->second;
    EXPECT_EQ(gastos.TextoRotulo(1, 1), QString::number(qRound(100 * e[0] / e[1])) + "%");
    EXPECT_EQ(gastos.TextoRotulo(1, 2), QStringLiteral("100%"));
    EXPECT_EQ(ventana.Chart(1)->RotulosVisibles(),
              (QStringList{gastos.TextoRotulo(1, 1), gastos.TextoRotulo(1, 2)}));
    VerificarFormato(ventana);
    const QStringList sentencias = SentenciasTrazadas(carpeta_.path());
    EXPECT_EQ(sentencias.mid(2),
              (QStringList{"EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_GASTOS_PER(2025,'31/08/2025')",
                           "EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_GASTOS_PERSONAL(2025,"
                           "'31/08/2025')",
                           "EjecutarSQL: Commit"} +
               Consultas()));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();
    Capturar(ventana, QStringLiteral("gastospersonal"));

    // Otro usuario ve lo mismo, con la fecha de la generación.
    Glob().CodUsuario = 32599;
    frmGastosPersonal otra;
    prueba::CompararValores(otra.Logica().Grafico(0), presupuestos);
    prueba::CompararValores(otra.Logica().Grafico(1), ejecutado);
    EXPECT_EQ(otra.Fecha()->Value().toDate(), fecha);

    // Con varias filas de gasto solo se grafica la primera que da la base.
    ASSERT_TRUE(Glob().Conexion->Ejecutar("INSERT INTO owner_sarvo.ges_gastos_per VALUES (2019, "
                                          "DATE '2019-12-31', 1000000, 4000000)"));
    const auto filas = Filas("SELECT * FROM owner_sarvo.ges_gastos_per");
    ASSERT_EQ(filas.size(), 2u);
    frmGastosPersonal tercera;
    ASSERT_EQ(tercera.Logica().Grafico(1).RowCount(), 1);
    EXPECT_EQ(tercera.Logica().Grafico(1).RowLabel(1), filas[0][0].toString());
    ASSERT_TRUE(Glob().Conexion->Deshacer());
}

TEST_F(GastosPersonalPrueba, AceptarSinFilasMuestraLasGrillasDeCerosYRehaceElFormato) {
    frmGastosPersonal ventana;
    Aceptar(ventana, QDate(2024, 12, 31));
    ventana.Logica().Grafico(1).NombrarSeries({"x", "y"});
    ventana.Logica().Grafico(0).TitleText.clear();
    Aceptar(ventana, QDate(2019, 12, 31)); // año sin presupuesto
    EXPECT_EQ(ventana.Logica().Grafico(0).RowCount(), 4);
    EXPECT_EQ(ventana.Logica().Grafico(1).RowCount(), 1);
    for (int i = 0; i < 2; ++i)
        prueba::VerificarSinDatos(ventana, i, QDate(2019, 12, 31));
    VerificarFormato(ventana);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(GastosPersonalPrueba, FallaElPrimeroYElSegundoDecide) {
    const QDate antes(2024, 12, 31), despues(2025, 6, 30);
    frmGastosPersonal ventana;
    Aceptar(ventana, antes);
    // Otra sesión escribe en la tabla de presupuestos: el primero no la puede bloquear.
    AceptarBloqueado(ventana, despues,
                     "LOCK TABLE owner_sarvo.ges_gastos_per_det IN ROW EXCLUSIVE MODE");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    prueba::CompararValores(ventana.Logica().Grafico(0), Presupuestos(2024));
    prueba::CompararValores(ventana.Logica().Grafico(1), Ejecutado(despues));

    Glob().SeguimientoSql = true;
    VerificarConfirmacionFallida(ventana, QDate(2023, 6, 30));
}

TEST(SentenciasGastosPersonal, LlamadasSinUsuarioEImpresion) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    GastosPersonal g;
    EXPECT_EQ(g.SentenciasGeneracion(QDate(2004, 3, 25)),
              (QStringList{"OWNER_SARVO.GES_GENERA_GASTOS_PER(2004,'25/03/2004')",
                           "OWNER_SARVO.GES_GENERA_GASTOS_PERSONAL(2004,'25/03/2004')"}));
    const PedidoImpresion p = g.Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Gastos en Personal"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_PresupGastosPer.rpt"));
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "Usuario = 15"},
                                               {T::Formula, "Fecha='05/03/2004'"},
                                               {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
