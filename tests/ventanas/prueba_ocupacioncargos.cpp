// "Ocupación de Cargos" contra el servidor privado: carga con la tabla vacía,
// "Aceptar" contra cargos y agentes contados aquí, resultado vacío, fallas de
// la generación y de la confirmación, sentencias y pedido de impresión.
#include "ApoyoEstadisticas.h"
#include "OcupacionCargos.h"
#include "VistaGrafico.h"
#include "frmOcupacionCargos.h"
#include <QFrame>

namespace {

using prueba::Filas;
using prueba::SentenciasTrazadas;

// Por año del año pedido y los cuatro anteriores con cargos presupuestados:
// {ocupados, disponibles}. Un agente ocupa su cargo el 31/12 si ingresó hasta
// ese día y no egresó hasta ese día inclusive.
std::map<QString, std::vector<double>> CargosPorAnio(int anio) {
    std::map<int, double> presupuestados;
    for (const QVariantList& f :
         Filas(QStringLiteral("SELECT ejercicio, cantidad FROM owner_sarvo.cargos_presupuestados")))
        presupuestados[f[0].toInt()] += f[1].toDouble();
    const auto agentes =
        Filas(QStringLiteral("SELECT fecha_ingreso, fecha_egreso FROM owner_sarvo.agentes"));
    std::map<QString, std::vector<double>> esperados;
    if (!presupuestados.count(anio))
        return esperados;
    for (int y = anio - 4; y <= anio; ++y) {
        if (!presupuestados.count(y))
            continue;
        const QDate cierre(y, 12, 31);
        double ocupados = 0;
        for (const QVariantList& a : agentes)
            if (a[0].toDate() <= cierre && (a[1].isNull() || a[1].toDate() > cierre))
                ++ocupados;
        esperados[QString::number(y)] = {ocupados, presupuestados[y] - ocupados};
    }
    return esperados;
}

class OcupacionCargosPrueba : public prueba::PruebaEstadistica {
protected:
    OcupacionCargosPrueba()
        : PruebaEstadistica(32101, {QStringLiteral("ges_tmp_cargos_dispo_ocu")},
                            QStringLiteral("usuario")) {}

    QString Consulta() const {
        return "CargarRecordset: SELECT * FROM OWNER_SARVO.GES_TMP_CARGOS_DISPO_OCU WHERE "
               "usuario = " +
               Usuario();
    }
    static void VerificarFormato(const ModeloGrafico& g) {
        EXPECT_EQ(g.TitleText, QStringLiteral("Cargos Disponibles y Ocupados"));
        EXPECT_EQ(g.EjeY.titulo, QStringLiteral("Cargos"));
        EXPECT_EQ(g.EjeY.tamanioFuente, 9);
        EXPECT_EQ(g.Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
        EXPECT_EQ(g.Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
        EXPECT_EQ(g.NombresSeries(), (QStringList{"Ocupados", "Disponibles"}));
        EXPECT_TRUE(g.Visible);
    }
};

TEST_F(OcupacionCargosPrueba, CargaConLaTablaVaciaMuestraCincoAniosSinValores) {
    Glob().SeguimientoSql = true;
    frmOcupacionCargos ventana;
    EXPECT_EQ(ventana.windowTitle(), QStringLiteral("Ocupación de Cargos"));
    EXPECT_EQ(ventana.size(), QSize(583, 401)) << "8745 x 6015 twips";
    EXPECT_EQ(ventana.Chart()->geometry(), QRect(32, 72, 529, 305));
    EXPECT_EQ(ventana.findChild<QFrame*>(QStringLiteral("Line1"))->width(), 584);
    EXPECT_EQ(ventana.Chart(1), nullptr);

    const ModeloGrafico& g = ventana.Logica().Grafico();
    ASSERT_EQ(g.RowCount(), 5);
    ASSERT_EQ(g.ColumnCount(), 2);
    for (int f = 1; f <= 5; ++f)
        EXPECT_EQ(g.Dato(f, 1) + g.Dato(f, 2), 0) << f;
    VerificarFormato(g);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_TRUE(ventana.Chart()->isVisibleTo(&ventana));
    EXPECT_EQ(SentenciasTrazadas(carpeta_.path()), QStringList{Consulta()});
    EXPECT_TRUE(dialogos_.mensajes.empty()) << "una tabla vacía no es un error";
}

TEST_F(OcupacionCargosPrueba, AceptarCuentaCargosYAgentesPorAnio) {
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 6, 30);
    frmOcupacionCargos ventana;
    Aceptar(ventana, fecha);
    const ModeloGrafico& g = ventana.Logica().Grafico();
    const auto esperados = CargosPorAnio(2025);
    ASSERT_EQ(esperados.size(), 4u) << "2022 a 2025 tienen cargos";
    prueba::CompararValores(g, esperados);
    VerificarFormato(g);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), fecha) << "la ventana no cambia la fecha";
    EXPECT_EQ(
        SentenciasTrazadas(carpeta_.path()),
        (QStringList{Consulta(),
                     "EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_CARGOS_DISOCU(" + Usuario() + ",2025)",
                     "EjecutarSQL: COMMIT", Consulta()}));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();
    Capturar(ventana, QStringLiteral("ocupacioncargos"));

    // La próxima carga muestra lo generado y deja la fecha de hoy.
    frmOcupacionCargos otra;
    prueba::CompararValores(otra.Logica().Grafico(), esperados);
    EXPECT_EQ(otra.Fecha()->Value().toDate(), QDate::currentDate());
}

TEST_F(OcupacionCargosPrueba, AceptarSinFilasDejaCincoCategoriasEnCeroConSusNombres) {
    frmOcupacionCargos ventana;
    Aceptar(ventana, QDate(2024, 12, 31));
    ModeloGrafico& g = ventana.Logica().Grafico();
    ASSERT_EQ(g.RowCount(), 3) << "2022 a 2024";
    Aceptar(ventana, QDate(2019, 12, 31)); // año sin cargos
    ASSERT_EQ(g.RowCount(), 5);
    prueba::VerificarSinDatos(ventana, 0, QDate(2019, 12, 31));
    VerificarFormato(g);
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(OcupacionCargosPrueba, GeneracionOConfirmacionFallidaNoTocaElGrafico) {
    frmOcupacionCargos ventana;
    Aceptar(ventana, QDate(2023, 12, 31));
    const Foto antes = Fotografiar(ventana);
    ASSERT_EQ(antes[0].first.size(), 2u) << "2022 y 2023";
    Glob().SeguimientoSql = true;

    // Otra sesión del mismo usuario está generando: esta no consigue el bloqueo.
    AceptarBloqueado(ventana, QDate(2025, 12, 31),
                     "SELECT owner_sarvo.ges_bloquear_usuario('ges_tmp_cargos_dispo_ocu', " +
                         Usuario() + ")");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    EXPECT_EQ(Fotografiar(ventana), antes);
    // La generación queda marcada con su error y no se confirma.
    const QStringList sentencias = SentenciasTrazadas(carpeta_.path());
    ASSERT_FALSE(sentencias.isEmpty());
    EXPECT_TRUE(sentencias.last().startsWith(
        "EjecutarSQLSTP: OWNER_SARVO.GES_GENERA_CARGOS_DISOCU(" + Usuario() + ",2025) ERROR:["))
        << sentencias.join('\n').toStdString();
    EXPECT_TRUE(sentencias.filter("COMMIT").isEmpty());

    VerificarConfirmacionFallida(ventana, QDate(2025, 12, 31));
}

TEST(SentenciasOcupacionCargos, LlamadaConsultaEImpresion) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    OcupacionCargos o;
    EXPECT_EQ(o.SentenciasGeneracion(QDate(2004, 3, 25)),
              QStringList{"OWNER_SARVO.GES_GENERA_CARGOS_DISOCU(15,2004)"});
    EXPECT_EQ(
        OcupacionCargos::Consulta(),
        QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TMP_CARGOS_DISPO_OCU WHERE usuario = 15"));
    const PedidoImpresion p = o.Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Ocupación de Cargos"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_CargosDispoOcu.rpt"));
    EXPECT_FALSE(p.generarAntes);
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{{T::Formula, "Ejercicio = 2004"},
                                               {T::Formula, "Usuario = 15"},
                                               {T::Formula, "Fecha='05/03/2004'"},
                                               {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
