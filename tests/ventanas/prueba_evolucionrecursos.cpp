// "Evolución de recursos" contra el servidor privado: carga vacía, "Aceptar"
// contra lo percibido sumado aquí por origen y por afectación, resultado
// vacío, el primer procedimiento que falla y el segundo que decide, la
// confirmación fallida, sentencias y pedido de impresión.
#include "ApoyoEstadisticas.h"
#include "EvolucionRecursos.h"
#include "VistaGrafico.h"
#include "frmEvolucionRecursos.h"

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

// Lo percibido hasta la fecha por año (el pedido y los cuatro anteriores con
// cálculo de recursos), en millones: por origen {municipal, provincial,
// nacional} y por afectación {libre disponibilidad, afectados}.
struct Percibido {
    std::map<QString, std::vector<double>> origen, afectacion;
};
Percibido PercibidoPorAnio(const QDate& fecha) {
    Percibido p;
    const int anio = fecha.year();
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT DISTINCT ejercicio FROM owner_sarvo.partidas_recurso "
                              "WHERE ejercicio BETWEEN %1 AND %2")
                   .arg(anio - 4)
                   .arg(anio))) {
        p.origen[f[0].toString()] = {0, 0, 0};
        p.afectacion[f[0].toString()] = {0, 0};
    }
    if (!p.origen.count(QString::number(anio)))
        return {};
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT i.ejercicio, f.origen, f.afectado, sum(i.importe) FROM "
                              "owner_sarvo.ingresos i JOIN owner_sarvo.recursos r USING "
                              "(cod_recurso) JOIN owner_sarvo.fuentes_financiamiento f USING "
                              "(cod_fuente) WHERE i.fecha <= DATE '%1' GROUP BY 1, 2, 3")
                   .arg(fecha.toString(Qt::ISODate)))) {
        const QString y = f[0].toString();
        if (!p.origen.count(y))
            continue;
        const double millones = f[3].toDouble() / 1e6;
        p.origen[y][size_t(QStringLiteral("MPN").indexOf(f[1].toString()))] += millones;
        p.afectacion[y][f[2].toString() == QLatin1String("S") ? 1 : 0] += millones;
    }
    return p;
}

class EvolucionRecursosPrueba : public prueba::PruebaEstadistica {
protected:
    EvolucionRecursosPrueba()
        : PruebaEstadistica(32301, {QStringLiteral("ges_recursos_x_ori_proce")},
                            QStringLiteral("usuario")) {}

    static void VerificarFormato(frmEvolucionRecursos& v) {
        const ModeloGrafico& origen = v.Logica().Grafico(0);
        const ModeloGrafico& afectacion = v.Logica().Grafico(1);
        EXPECT_EQ(origen.TitleText, QStringLiteral("Recursos por su Origen"));
        EXPECT_EQ(afectacion.TitleText, QStringLiteral("Recursos Afectados"));
        EXPECT_EQ(origen.NombresSeries(),
                  (QStringList{"Origen Municipal", "Origen Provincial", "Origen Nacional"}));
        EXPECT_EQ(afectacion.NombresSeries(), (QStringList{"Libre Disponibilidad", "Afectados"}));
        for (const ModeloGrafico* g : {&origen, &afectacion}) {
            EXPECT_EQ(g->EjeY.titulo, QStringLiteral("(en millones de pesos)"));
            EXPECT_EQ(g->EjeY.tamanioFuente, 9);
            EXPECT_TRUE(g->EjeY.escalaAutomatica);
            EXPECT_EQ(g->EjeY.divisionesMayores, 5);
            EXPECT_EQ(g->Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
            EXPECT_EQ(g->Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
            for (int c = 1; c <= g->ColumnCount(); ++c) {
                EXPECT_FALSE(g->Marcador(c).automatico) << c;
                EXPECT_EQ(g->Marcador(c).estilo, CodigoGrafico::MarcadorCirculoLleno);
                EXPECT_EQ(g->Marcador(c).tamanio, 150);
            }
            EXPECT_TRUE(g->Visible);
        }
    }
    QString Generacion(const QString& procedimiento, const QString& fecha) const {
        return "EjecutarSQLSTP: OWNER_SARVO." + procedimiento + "(" + Usuario() + "," +
               fecha.right(4) + ",'" + fecha + "')";
    }
};

TEST_F(EvolucionRecursosPrueba, CargaConLaTablaVaciaMuestraCuatroAniosEnCeroConMarcadores) {
    Glob().SeguimientoSql = true;
    frmEvolucionRecursos ventana;
    EXPECT_EQ(ventana.windowTitle(), QStringLiteral("Evolución de recursos"));
    EXPECT_EQ(ventana.size(), QSize(693, 488));
    EXPECT_EQ(ventana.Chart(0)->geometry(), QRect(0, 64, 361, 337));
    EXPECT_EQ(ventana.Chart(1)->geometry(), QRect(336, 64, 357, 337)) << "sin pasar del borde";
    for (int i = 0; i < 2; ++i) {
        const ModeloGrafico& g = ventana.Logica().Grafico(i);
        ASSERT_EQ(g.RowCount(), 4);
        for (int f = 1; f <= 4; ++f)
            for (int c = 1; c <= g.ColumnCount(); ++c)
                EXPECT_EQ(g.Dato(f, c), 0);
        EXPECT_EQ(ventana.Chart(i)->Marcadores(), 4 * g.ColumnCount());
    }
    VerificarFormato(ventana);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()),
              QStringList{"CargarRecordset: SELECT * FROM OWNER_SARVO.GES_RECURSOS_X_ORI_PROCE "
                          "WHERE usuario = " +
                          Usuario()});
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(EvolucionRecursosPrueba, AceptarSumaLoPercibidoPorOrigenYPorAfectacion) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 8, 31);
    frmEvolucionRecursos ventana;
    Aceptar(ventana, fecha);
    const Percibido esperado = PercibidoPorAnio(fecha);
    ASSERT_EQ(esperado.origen.size(), 4u) << "2022 a 2025";
    prueba::CompararValores(ventana.Logica().Grafico(0), esperado.origen);
    prueba::CompararValores(ventana.Logica().Grafico(1), esperado.afectacion);
    for (int i = 0; i < 2; ++i)
        for (int f = 1; f <= 4; ++f)
            EXPECT_EQ(ventana.Logica().Grafico(i).RowLabel(f), QString::number(2021 + f))
                << "en orden de año";
    VerificarFormato(ventana);
    EXPECT_EQ(
        SentenciasTrazadas(carpeta_.path()).mid(1),
        (QStringList{Generacion("GES_GENERA_RECUR_CODI_PROCE", "31/08/2025"),
                     Generacion("GES_GENERA_RECUR_PROCE_PER", "31/08/2025"), "EjecutarSQL: COMMIT",
                     "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_RECURSOS_X_ORI_PROCE "
                     "WHERE usuario = " +
                         Usuario() + " ORDER BY ejercicio"}));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();
    Capturar(ventana, QStringLiteral("evolucionrecursos"));

    // La próxima carga: lo mismo y la fecha de la generación.
    frmEvolucionRecursos otra;
    prueba::CompararValores(otra.Logica().Grafico(0), esperado.origen);
    prueba::CompararValores(otra.Logica().Grafico(1), esperado.afectacion);
    EXPECT_EQ(otra.Fecha()->Value().toDate(), fecha);
    VerificarFormato(otra);
}

TEST_F(EvolucionRecursosPrueba, AceptarSinFilasMuestraLasGrillasDeCerosYRehaceNombresYFormato) {
    frmEvolucionRecursos ventana;
    Aceptar(ventana, QDate(2024, 12, 31));
    for (int i = 0; i < 2; ++i) {
        ModeloGrafico& g = ventana.Logica().Grafico(i);
        g.NombrarSeries({QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")});
        g.TitleText.clear();
        g.Visible = false;
    }
    Aceptar(ventana, QDate(2020, 12, 31)); // año sin cálculo de recursos
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(ventana.Logica().Grafico(i).RowCount(), 4)
            << "los cuatro años en cero de la carga";
        prueba::VerificarSinDatos(ventana, i, QDate(2020, 12, 31));
    }
    VerificarFormato(ventana);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(EvolucionRecursosPrueba, FallaElPrimeroYElSegundoDecide) {
    const QDate antes(2025, 3, 31), despues(2025, 10, 31);
    frmEvolucionRecursos ventana;
    Aceptar(ventana, antes);
    // Otra sesión retiene la fila de 2025 contra el borrado: el primero, que
    // reemplaza las filas, no puede; el segundo solo actualiza la afectación.
    AceptarBloqueado(ventana, despues,
                     "SELECT 1 FROM owner_sarvo.ges_recursos_x_ori_proce WHERE usuario = " +
                         Usuario() + " AND ejercicio = 2025 FOR KEY SHARE");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    // Se confirmó y se volvió a leer: el origen es el de antes y la afectación la nueva.
    prueba::CompararValores(ventana.Logica().Grafico(0), PercibidoPorAnio(antes).origen);
    prueba::CompararValores(ventana.Logica().Grafico(1), PercibidoPorAnio(despues).afectacion);
    frmEvolucionRecursos otra;
    EXPECT_EQ(otra.Fecha()->Value().toDate(), despues) << "lo confirmado";

    Glob().SeguimientoSql = true;
    VerificarConfirmacionFallida(ventana, QDate(2024, 6, 30));
}

TEST(SentenciasEvolucionRecursos, LlamadasConsultasEImpresion) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    EvolucionRecursos e;
    EXPECT_EQ(e.SentenciasGeneracion(QDate(2004, 3, 25)),
              (QStringList{"OWNER_SARVO.GES_GENERA_RECUR_CODI_PROCE(15,2004,'25/03/2004')",
                           "OWNER_SARVO.GES_GENERA_RECUR_PROCE_PER(15,2004,'25/03/2004')"}));
    const PedidoImpresion p = e.Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Evolución de Recursos")) << "con R mayúscula";
    EXPECT_EQ(e.Descripcion().caption, QStringLiteral("Evolución de recursos"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_RecursosCodiProce.rpt"));
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "Usuario = 15"},
                                               {T::Formula, "Ejercicio = 2004"},
                                               {T::Formula, "Fecha='05/03/2004'"},
                                               {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
