// "Evolución de Gastos" contra el servidor privado: carga vacía o de otro año,
// "Aceptar" contra los movimientos de gasto sumados aquí (devengado, pagado e
// impago, como en el reporte), el nombre del inciso, año sin filas, fallas,
// sentencias y el pedido de impresión.
#include "ApoyoEstadisticas.h"
#include "EvolucionGastos.h"
#include "VistaGrafico.h"
#include "frmEvolucionGastos.h"

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

// Por inciso con crédito en el año: {devengado, pagado, impago}, en
// millones, con lo movido entre el 1/1 y la fecha. Lo devengado incluye la
// deuda flotante de años anteriores que se pagó; lo pagado, todo lo pagado.
std::map<QString, std::vector<double>> GastosPorInciso(const QDate& fecha) {
    const int anio = fecha.year();
    struct Etapas {
        double devengado = 0, pagado = 0, flotante = 0;
    };
    std::map<QString, Etapas> incisos;
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT DISTINCT inciso FROM owner_sarvo.partidas_gasto WHERE "
                              "ejercicio = %1")
                   .arg(anio)))
        incisos[f[0].toString()];
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT p.inciso, m.ejercicio, m.etapa, sum(m.importe) FROM "
                              "owner_sarvo.movimientos_gasto m JOIN owner_sarvo.partidas_gasto p "
                              "USING (ejercicio, id_partida) WHERE m.fecha BETWEEN DATE "
                              "'%1-01-01' AND DATE '%2' GROUP BY 1, 2, 3")
                   .arg(anio)
                   .arg(fecha.toString(Qt::ISODate)))) {
        const auto it = incisos.find(f[0].toString());
        if (it == incisos.end() || f[1].toInt() > anio)
            continue;
        const double importe = f[3].toDouble();
        if (f[2].toString() == QLatin1String("D") && f[1].toInt() == anio)
            it->second.devengado += importe;
        if (f[2].toString() == QLatin1String("P")) {
            it->second.pagado += importe;
            if (f[1].toInt() < anio)
                it->second.flotante += importe;
        }
    }
    std::map<QString, std::vector<double>> esperados;
    for (const auto& [inciso, e] : incisos) {
        const double devengado = e.devengado + e.flotante;
        esperados[inciso] = {devengado / 1e6, e.pagado / 1e6, (devengado - e.pagado) / 1e6};
    }
    return esperados;
}

class EvolucionGastosPrueba : public prueba::PruebaEstadistica {
protected:
    EvolucionGastosPrueba()
        : PruebaEstadistica(32201, {QStringLiteral("ges_gastos_x_objeto")},
                            QStringLiteral("usuario")) {}

    static void VerificarFormato(const ModeloGrafico& g, int anio) {
        EXPECT_EQ(g.TitleText, "Gastos por Objeto - Ejercicio " + QString::number(anio));
        EXPECT_EQ(g.EjeY.titulo, QStringLiteral("(en millones de pesos)"));
        EXPECT_EQ(g.EjeY.tamanioFuente, 9);
        EXPECT_TRUE(g.EjeY.escalaAutomatica);
        EXPECT_EQ(g.EjeY.divisionesMayores, 5);
        EXPECT_EQ(g.Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
        EXPECT_EQ(g.NombresSeries(), (QStringList{"Devengado", "Pagado", "Impago"}));
        EXPECT_TRUE(g.Visible);
    }
};

TEST_F(EvolucionGastosPrueba, CargaSinFilasDelAnioMuestraCincoIncisosEnCero) {
    Glob().SeguimientoSql = true;
    {
        frmEvolucionGastos primera;
        EXPECT_EQ(primera.size(), QSize(583, 401));
        EXPECT_EQ(primera.Chart()->geometry(), QRect(0, 72, 577, 305));
        Aceptar(primera, QDate(2025, 9, 30)); // filas de otro año que el de hoy
    }
    frmEvolucionGastos ventana;
    const ModeloGrafico& g = ventana.Logica().Grafico();
    ASSERT_EQ(g.RowCount(), 5);
    ASSERT_EQ(g.ColumnCount(), 3);
    for (int f = 1; f <= 5; ++f)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(g.Dato(f, c), 0);
    const int hoy = QDate::currentDate().year();
    VerificarFormato(g, hoy);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()).last(),
              "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_GASTOS_X_OBJETO WHERE ejercicio = " +
                  QString::number(hoy) + " AND usuario = " + Usuario() + " ORDER BY INCISO");
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(EvolucionGastosPrueba, AceptarMuestraPorIncisoLoDevengadoPagadoEImpago) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 2, 15); // todavía se paga deuda de 2024
    frmEvolucionGastos ventana;
    Aceptar(ventana, fecha);
    const ModeloGrafico& g = ventana.Logica().Grafico();
    const auto esperados = GastosPorInciso(fecha);
    ASSERT_GE(esperados.size(), 5u);
    prueba::CompararValores(g, esperados);
    for (int f = 2; f <= g.RowCount(); ++f)
        EXPECT_LT(g.RowLabel(f - 1).toInt(), g.RowLabel(f).toInt()) << "ordenados por inciso";
    // El eje lleva el código; el nombre del inciso, el tooltip y los datos.
    std::map<QString, QString> nombres;
    for (const QVariantList& f : Filas("SELECT inciso, descripcion FROM owner_sarvo.incisos"))
        nombres[f[0].toString()] = f[1].toString();
    for (int f = 1; f <= g.RowCount(); ++f) {
        EXPECT_EQ(g.NombreFila(f), nombres[g.RowLabel(f)]) << g.RowLabel(f).toStdString();
        EXPECT_TRUE(ventana.Chart()->TextoPunto(f - 1, 0).contains(
            g.RowLabel(f) + QStringLiteral(" - ") + nombres[g.RowLabel(f)]));
    }
    VerificarFormato(g, 2025);
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()).mid(1),
              (QStringList{"EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_GASTOS_X_OBJ(" + Usuario() +
                               ",2025,'15/02/2025')",
                           "EjecutarSQL: commit",
                           "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_GASTOS_X_OBJETO WHERE "
                           "ejercicio = 2025 AND Usuario = " +
                               Usuario() + " ORDER BY INCISO"}));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();

    // Un año sin filas muestra los cinco incisos en cero de la carga, con sus
    // series y su formato; el siguiente "Aceptar" las sigue mostrando con nombre.
    Aceptar(ventana, QDate(2019, 5, 31));
    EXPECT_EQ(g.RowCount(), 5);
    prueba::VerificarSinDatos(ventana, 0, QDate(2019, 5, 31));
    VerificarFormato(g, 2019);
    Aceptar(ventana, QDate(2024, 12, 31));
    prueba::CompararValores(g, GastosPorInciso(QDate(2024, 12, 31)));
    VerificarFormato(g, 2024);
    Capturar(ventana, QStringLiteral("evoluciongastos"));
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(EvolucionGastosPrueba, LaCargaTitulaConElAnioDeHoyYDevuelveLaFechaDeLaFila) {
    // Una fila del año en curso generada para una fecha de otro año, sin confirmar.
    const int hoy = QDate::currentDate().year();
    ASSERT_TRUE(Glob().Conexion->Ejecutar(
        QStringLiteral("INSERT INTO owner_sarvo.ges_gastos_x_objeto VALUES (%1, %2, DATE "
                       "'2025-12-31', 1, 'Gastos en Personal', 9000000, 5000000, 1000000)")
            .arg(Usuario())
            .arg(hoy)));
    frmEvolucionGastos ventana;
    const ModeloGrafico& g = ventana.Logica().Grafico();
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate(2025, 12, 31));
    VerificarFormato(g, hoy);
    prueba::CompararValores(g, {{"1", {9, 5, 4}}});
    EXPECT_EQ(g.NombreFila(1), QStringLiteral("Gastos en Personal"));
    ASSERT_TRUE(Glob().Conexion->Deshacer());
}

TEST_F(EvolucionGastosPrueba, GeneracionOConfirmacionFallidaNoTocaElGrafico) {
    frmEvolucionGastos ventana;
    Aceptar(ventana, QDate(2023, 6, 30));
    const Foto antes = Fotografiar(ventana);
    AceptarBloqueado(ventana, QDate(2025, 6, 30),
                     "SELECT owner_sarvo.ges_bloquear_usuario('ges_gastos_x_objeto', " + Usuario() +
                         ")");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    EXPECT_EQ(Fotografiar(ventana), antes);
    EXPECT_EQ(ventana.Logica().Grafico().TitleText, "Gastos por Objeto - Ejercicio 2023");
    Glob().SeguimientoSql = true;
    VerificarConfirmacionFallida(ventana, QDate(2025, 6, 30));
}

TEST(SentenciasEvolucionGastos, LlamadaConsultasEImpresion) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    EvolucionGastos e;
    EXPECT_EQ(e.SentenciasGeneracion(QDate(2004, 3, 25)),
              QStringList{"OWNER_SARVO.GES_GENERA_GASTOS_X_OBJ(15,2004,'25/03/2004')"});
    EXPECT_EQ(e.Descripcion().confirmacion, QStringLiteral("commit"));
    const PedidoImpresion p = e.Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Evolución de Gastos"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_Gastos_x_Objeto.rpt"));
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "Usuario = 15"},
                                               {T::Formula, "Ejercicio = 2004"},
                                               {T::Formula, "Fecha='05/03/2004'"},
                                               {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
