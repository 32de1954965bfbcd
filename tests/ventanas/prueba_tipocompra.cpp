// "Tipos de Compra" contra el servidor privado: carga con la tabla vacía,
// "Aceptar" contra conteos calculados aquí con una consulta propia, la fecha
// de vuelta en la próxima carga, resultado vacío y generación fallida.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DateTimeBox.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "TipoCompra.h"
#include "VentanasEstadisticas.h"
#include "VistaGrafico.h"
#include "frmTipoCompra.h"
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <ostream>

// Textos legibles en los mensajes de falla.
inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

// Conteo por tipo de compra hecho aquí: órdenes emitidas entre el 1 de enero y
// la fecha, con fechas ISO (sin depender del estilo de fechas de la sesión).
std::map<QString, int> ContarOrdenes(const QDate& fecha) {
    Recordset rs;
    const QString sql =
        QStringLiteral("SELECT t.descripcion, count(*) AS n FROM owner_sarvo.ordenes_compra o "
                       "JOIN owner_sarvo.tipos_compra t ON t.cod_tipo_compra = o.cod_tipo_compra "
                       "WHERE o.estado = 'E' AND o.fecha_orden BETWEEN DATE '%1-01-01' AND DATE "
                       "'%2' GROUP BY t.descripcion")
            .arg(fecha.year())
            .arg(fecha.toString(Qt::ISODate));
    EXPECT_TRUE(Glob().Conexion->Consultar(sql, rs)) << sql.toStdString();
    std::map<QString, int> conteo;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        conteo[rs.Valor(0).toString()] = rs.Valor(1).toInt();
    return conteo;
}

QString TextoTraza(const QString& carpeta) {
    QString texto;
    QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.fileName().contains(QLatin1String("SEG")) && f.open(QIODevice::ReadOnly))
            texto += QString::fromUtf8(f.readAll());
    }
    return texto;
}

class TipoCompraPrueba : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        prueba::PrepararSesion(carpeta_.path());
        ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
        // La sesión en día/mes/año, como la deja el arranque.
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        // Un usuario propio por prueba, lejos de los de db/ y de la demostración.
        static qint16 siguiente = 31001;
        Glob().CodUsuario = siguiente++;
        const auto hoy = FechaServidor(false);
        ASSERT_TRUE(hoy.has_value());
        Glob().EjercicioActual = qint16(hoy->date().year());
        Limpiar();
    }
    void TearDown() override {
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Limpiar();
        Glob() = EstadoSesion();
    }
    void Limpiar() {
        Glob().Conexion->Ejecutar(
            QStringLiteral("DELETE FROM owner_sarvo.ges_tipo_compra WHERE cod_usuario = %1")
                .arg(Glob().CodUsuario));
        Glob().Conexion->Confirmar();
    }
    static void Aceptar(frmTipoCompra& ventana, const QDate& fecha) {
        ASSERT_TRUE(ventana.Fecha()->PonerValue(fecha));
        ventana.CmdActualizar()->click();
    }
    // Compara el gráfico con el conteo: una serie por tipo, de mayor a menor.
    static void VerificarConteo(const ModeloGrafico& g, const std::map<QString, int>& conteo,
                                const QString& rotuloFila) {
        ASSERT_EQ(g.RowCount(), 1);
        ASSERT_EQ(g.ColumnCount(), int(conteo.size()));
        int total = 0;
        for (const auto& [tipo, n] : conteo)
            total += n;
        for (int c = 1; c <= g.ColumnCount(); ++c) {
            const auto it = conteo.find(g.ColumnLabel(c));
            ASSERT_NE(it, conteo.end()) << g.ColumnLabel(c).toStdString();
            EXPECT_EQ(g.Dato(1, c), it->second) << it->first.toStdString();
            EXPECT_EQ(g.TextoRotulo(1, c),
                      QString::number(qRound(100.0 * it->second / total)) + QLatin1Char('%'));
            if (c > 1) {
                EXPECT_GE(g.Dato(1, c - 1), g.Dato(1, c)) << "de mayor a menor cantidad";
            }
        }
        EXPECT_EQ(g.RowLabel(1), rotuloFila);
    }
    static void VerificarFormato(const ModeloGrafico& g) {
        EXPECT_EQ(g.TitleText, QStringLiteral("Tipos de Compra"));
        EXPECT_EQ(g.EjeY.titulo, QStringLiteral("(en cantidad)"));
        EXPECT_EQ(g.EjeY.tamanioFuente, 9);
        EXPECT_TRUE(g.EjeY.escalaAutomatica);
        EXPECT_EQ(g.Leyenda.ubicacion, CodigoGrafico::LeyendaAbajo);
        EXPECT_EQ(g.Leyenda.alineacion, CodigoGrafico::AlineacionIzquierda);
        for (int c = 1; c <= g.ColumnCount(); ++c) {
            EXPECT_EQ(g.Rotulos(c).ubicacion, CodigoGrafico::RotuloAfuera);
            EXPECT_EQ(g.Rotulos(c).componentes, CodigoGrafico::ComponentePorcentaje);
            EXPECT_EQ(g.Rotulos(c).formatoPorcentaje, QStringLiteral("0%"));
            EXPECT_EQ(g.Rotulos(c).tamanioFuente, 10);
        }
        EXPECT_TRUE(g.Visible);
    }

    QTemporaryDir carpeta_;
    DialogosGuion dialogos_;
};

TEST_F(TipoCompraPrueba, LaTareaCreaLaVentanaConSusControles) {
    std::unique_ptr<QDialog> ventana = CrearVentanaTarea(107, nullptr);
    ASSERT_NE(ventana, nullptr);
    EXPECT_EQ(ventana->objectName(), QStringLiteral("frmTipoCompra"));
    EXPECT_EQ(ventana->windowTitle(), QStringLiteral("Tipos de Compra"));
    EXPECT_EQ(ventana->size(), QSize(693, 488)) << "10395 x 7320 twips";

    auto* v = qobject_cast<frmTipoCompra*>(ventana.get());
    ASSERT_NE(v, nullptr);
    const std::pair<QPushButton*, const char*> botones[] = {{v->CmdActualizar(), "Actualizar"},
                                                            {v->CmdImprimir(), "Imprimir"},
                                                            {v->CmdCerrar(), "Salir"}};
    for (const auto& [boton, tooltip] : botones) {
        EXPECT_TRUE(boton->text().isEmpty());
        EXPECT_EQ(boton->toolTip(), QString::fromUtf8(tooltip));
        EXPECT_FALSE(boton->icon().isNull());
    }
    EXPECT_TRUE(v->CmdImprimir()->isEnabled()) << "Imprimir Todo anda";
    EXPECT_TRUE(v->CmdActualizar()->isEnabled());
    EXPECT_EQ(v->CmdActualizar()->geometry(), QRect(312, 16, 27, 26));
    EXPECT_EQ(v->Chart()->geometry(), QRect(8, 56, 681, 425));
    EXPECT_FALSE(v->Fecha()->PermiteValueNull());
    EXPECT_FALSE(v->Fecha()->DateTime()->MuestraCasilla());
    EXPECT_EQ(v->CmdActualizar()->nextInFocusChain(), v->CmdImprimir());

    v->show();
    EXPECT_EQ(QApplication::focusWidget() ? QApplication::focusWidget() : v->focusWidget(),
              v->CmdActualizar())
        << "al activarse el foco va a Aceptar";
    v->CmdCerrar()->click();
    EXPECT_FALSE(v->isVisible());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(TipoCompraPrueba, CargaConLaTablaVaciaMuestraCincoSeriesEnCero) {
    frmTipoCompra ventana;
    const ModeloGrafico& g = ventana.Logica().Grafico();
    EXPECT_EQ(g.RowCount(), 1);
    ASSERT_EQ(g.ColumnCount(), 5);
    for (int c = 1; c <= 5; ++c) {
        EXPECT_EQ(g.Dato(1, c), 0);
        EXPECT_TRUE(g.ColumnLabel(c).isEmpty()) << "series sin nombre";
    }
    EXPECT_TRUE(g.RowLabel(1).isEmpty());
    EXPECT_EQ(g.Column(), 5);
    VerificarFormato(g);
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate::currentDate());
    EXPECT_TRUE(ventana.Chart()->isVisibleTo(&ventana));
    EXPECT_TRUE(dialogos_.mensajes.empty()) << "una tabla vacía no es un error";

    const QString capturas = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (!capturas.isEmpty()) {
        ventana.show();
        QApplication::processEvents();
        EXPECT_TRUE(ventana.grab().save(capturas + QStringLiteral("/tipocompra-vacia.png")));
    }
}

TEST_F(TipoCompraPrueba, AceptarCuentaLasOrdenesPorTipoHastaLaFecha) {
    // Un puesto en inglés (mes/día) no cambia la fecha que se manda.
    const QLocale anterior;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    Glob().SeguimientoSql = true;
    const QDate fecha(2025, 11, 3); // leída como mes/día sería el 11 de marzo
    const std::map<QString, int> conteo = ContarOrdenes(fecha);
    ASSERT_GE(conteo.size(), 5u) << "los datos de finanzas tienen compras de todos los tipos";

    frmTipoCompra ventana;
    Aceptar(ventana, fecha);
    QLocale::setDefault(anterior);

    const ModeloGrafico& g = ventana.Logica().Grafico();
    VerificarConteo(g, conteo, QStringLiteral("2025"));
    VerificarFormato(g);
    EXPECT_TRUE(dialogos_.mensajes.empty()) << dialogos_.Textos().join('|').toStdString();

    // La fecha guardada es la elegida, en la base.
    Recordset rs;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QStringLiteral("SELECT DISTINCT fecha, ejercicio FROM owner_sarvo.ges_tipo_compra "
                       "WHERE cod_usuario = %1")
            .arg(Glob().CodUsuario),
        rs));
    ASSERT_EQ(rs.RecordCount(), 1);
    EXPECT_EQ(rs.Valor(0).toDate(), fecha);
    EXPECT_EQ(rs.Valor(1).toInt(), 2025);

    // Las sentencias, tal como salen.
    const QString traza = TextoTraza(carpeta_.path());
    const QString usuario = QString::number(Glob().CodUsuario);
    EXPECT_TRUE(traza.contains(QStringLiteral("OWNER_SARVO.GES_GENERA_TIPO_COMPRA(") + usuario +
                               QStringLiteral(",2025,'03/11/2025')")))
        << traza.toStdString();
    EXPECT_TRUE(traza.contains(QStringLiteral("\nCOMMIT")));
    EXPECT_TRUE(traza.contains(QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA WHERE "
                                              "cod_usuario = ") +
                               usuario + QStringLiteral(" ORDER BY cantidad DESC ")));

    // La vista dibuja una barra por tipo con su porcentaje.
    QStringList esperados;
    for (int c = 1; c <= g.ColumnCount(); ++c)
        esperados << g.TextoRotulo(1, c);
    EXPECT_EQ(ventana.Chart()->RotulosVisibles(), esperados);

    const QString capturas = qEnvironmentVariable("MIRAVEL_CAPTURAS");
    if (!capturas.isEmpty()) {
        ventana.show();
        QApplication::processEvents();
        EXPECT_TRUE(ventana.grab().save(capturas + QStringLiteral("/tipocompra.png")));
    }
}

TEST_F(TipoCompraPrueba, LaProximaCargaMuestraLoGeneradoYSuFecha) {
    const QDate fecha(2024, 6, 30);
    {
        frmTipoCompra primera;
        Aceptar(primera, fecha);
        ASSERT_GT(primera.Logica().Grafico().ColumnCount(), 0);
    }
    frmTipoCompra segunda;
    EXPECT_EQ(segunda.Fecha()->Value().toDate(), fecha) << "vuelve la fecha de la generación";
    // El rótulo de la carga es el año del servidor al abrir, no el de la fecha.
    VerificarConteo(segunda.Logica().Grafico(), ContarOrdenes(fecha),
                    QString::number(Glob().EjercicioActual));
    VerificarFormato(segunda.Logica().Grafico());
    EXPECT_TRUE(dialogos_.mensajes.empty());
}

TEST_F(TipoCompraPrueba, AceptarSinComprasMuestraElGraficoVacioYRehaceElFormato) {
    frmTipoCompra ventana;
    Aceptar(ventana, QDate(2023, 4, 12));
    ModeloGrafico& g = ventana.Logica().Grafico();
    ASSERT_GT(g.ColumnCount(), 0);
    g.TitleText = QStringLiteral("otro");
    g.EjeY.titulo = QStringLiteral("otro");
    g.Visible = false;

    Aceptar(ventana, QDate(2021, 6, 30)); // año sin órdenes de compra
    // Como la carga sin compras: cinco series en cero, sin los tipos de 2023.
    EXPECT_EQ(g.ColumnCount(), 5);
    EXPECT_EQ(g.NombresSeries(), QStringList(5, QString()));
    for (int c = 1; c <= 5; ++c)
        EXPECT_EQ(g.Dato(1, c), 0);
    EXPECT_TRUE(g.RowLabel(1).isEmpty());
    EXPECT_TRUE(g.SinDatos);
    EXPECT_EQ(ventana.Chart()->Aviso(), QStringLiteral("Sin datos al 30/06/2021"));
    VerificarFormato(g);
    EXPECT_TRUE(dialogos_.mensajes.empty());

    // La tabla del usuario quedó vacía: la próxima carga vuelve a las cinco series en cero.
    frmTipoCompra otra;
    EXPECT_EQ(otra.Logica().Grafico().ColumnCount(), 5);
    EXPECT_EQ(otra.Fecha()->Value().toDate(), QDate::currentDate());
}

TEST_F(TipoCompraPrueba, GeneracionFallidaSeMuestraUnaVezYNoTocaNada) {
    frmTipoCompra ventana;
    Aceptar(ventana, QDate(2022, 12, 31));
    ModeloGrafico& g = ventana.Logica().Grafico();
    const QStringList nombres = g.NombresSeries();
    ASSERT_FALSE(nombres.isEmpty());
    const QString usuario = QString::number(Glob().CodUsuario);
    Glob().SeguimientoSql = true;

    Glob().OwnerSarvo = QStringLiteral("NO_EXISTE");
    Aceptar(ventana, QDate(2025, 3, 3));
    Glob().OwnerSarvo = QStringLiteral("OWNER_SARVO");
    EXPECT_EQ(dialogos_.mensajes.size(), 1u) << dialogos_.Textos().join('|').toStdString();
    EXPECT_EQ(g.NombresSeries(), nombres);
    EXPECT_EQ(g.RowLabel(1), QStringLiteral("2022"));
    EXPECT_EQ(ventana.Fecha()->Value().toDate(), QDate(2025, 3, 3)) << "la caja queda como estaba";
    const QString traza = TextoTraza(carpeta_.path());
    EXPECT_TRUE(traza.contains(QStringLiteral("NO_EXISTE.GES_GENERA_TIPO_COMPRA(")));
    EXPECT_FALSE(traza.contains(QStringLiteral("\nCOMMIT"))) << "sin generación no se confirma";

    // Lo generado antes sigue en la base para la próxima carga.
    frmTipoCompra otra;
    EXPECT_EQ(otra.Fecha()->Value().toDate(), QDate(2022, 12, 31));
    EXPECT_EQ(otra.Logica().Grafico().NombresSeries(), nombres);
}

TEST(SentenciasTipoCompra, ArmadoExactoConElDueno) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    TipoCompra t;
    EXPECT_EQ(t.SentenciasGeneracion(QDate(2004, 3, 25)),
              QStringList{"OWNER_SARVO.GES_GENERA_TIPO_COMPRA(15,2004,'25/03/2004')"});
    EXPECT_EQ(TipoCompra::ConsultaAceptar(),
              QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA WHERE cod_usuario = 15 "
                             "ORDER BY cantidad DESC "));
    EXPECT_EQ(TipoCompra::ConsultaCarga(),
              QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA WHERE cod_usuario = 15 "
                             "ORDER BY CANTIDAD DESC"));
    EXPECT_EQ(Estadistica::TextoAnio(QDate(987, 1, 2)), QStringLiteral("0987"));
    Glob() = EstadoSesion();
}

TEST(SentenciasTipoCompra, PedidoDeImpresionEnSuOrdenYSinEscaparComillas) {
    Glob() = EstadoSesion();
    Glob().CodUsuario = 15;
    Glob().Municipalidad = QStringLiteral("Villa O'Higgins");
    const PedidoImpresion p = TipoCompra().Impresion(QDate(2004, 3, 5));
    EXPECT_EQ(p.titulo, QStringLiteral("Tipos de Compra"));
    EXPECT_EQ(p.archivo, QStringLiteral("MRV_TipoCompra.rpt"));
    EXPECT_FALSE(p.generarAntes) << "imprime lo que la tabla ya tiene";
    using T = PasoImpresion::Tipo;
    const std::vector<PasoImpresion> esperados{
        {T::Consulta, "SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA WHERE COD_USUARIO = 15\r\r"
                      " ORDER BY CANTIDAD DESC"},
        {T::Formula, "Fecha='05/03/2004'"},
        {T::Formula, "Ejercicio=2004"},
        {T::Formula, "Municipalidad='Villa O'Higgins'"}};
    EXPECT_EQ(p.pasos, esperados);
    Glob() = EstadoSesion();
}

} // namespace
