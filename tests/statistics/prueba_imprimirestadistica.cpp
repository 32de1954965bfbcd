// "Imprimir Todo" de las estadísticas contra el servidor privado, con
// ventanas falsas: el pedido de Tipos de Compra llega al motor en su orden y
// su PDF (leído con pdftotext) es el texto esperado; las ventanas que solo
// imprimen generan antes y no imprimen si la generación falla.
#include "../printing/AyudaImpresion.h"
#include "EvolucionGastos.h"
#include "EvolucionRecursos.h"
#include "GastosPersonal.h"
#include "ImprimirEstadistica.h"
#include "Ingresos.h"
#include "OcupacionCargos.h"
#include "Parametros.h"
#include "Recordset.h"
#include "RecursosGastos.h"
#include "TipoCompra.h"
#include <QPainter>
#include <QPicture>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const qint16 Usuario = 32001;

class ImprimirTipoCompra : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        Glob().CodUsuario = Usuario;
        InstalarDelArbol(QStringLiteral("Miravel/Reportes/Formato85/MRV_TipoCompra.rpt"));
        Limpiar();
    }
    void TearDown() override {
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Limpiar();
        ConImpresion::TearDown();
    }
    void Limpiar() {
        Cambiar(QStringLiteral("DELETE FROM owner_sarvo.ges_tipo_compra WHERE cod_usuario = %1")
                    .arg(Usuario));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }
    // La generación de la ventana, confirmada: el reporte lee con su propia conexión.
    void Generar(const QDate& fecha) {
        Cambiar(QStringLiteral("SELECT owner_sarvo.ges_genera_tipo_compra(%1, %2, DATE '%3')")
                    .arg(Usuario)
                    .arg(fecha.year())
                    .arg(fecha.toString(Qt::ISODate)));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }
};

TEST_F(ImprimirTipoCompra, ElPedidoLlegaAlMotorEnSuOrden) {
    Generar(QDate(2024, 2, 29));
    QStringList formulas;
    QString consulta;
    qint16 opcion = 0;
    ventanas.alMostrar = [&](MotorReporte& m) {
        for (int i = 0; i < 7; ++i)
            formulas << m.Formulas(i);
        consulta = m.SQLQuery();
        opcion = m.OpcionReporte();
    };
    TipoCompra logica;
    EXPECT_TRUE(ImprimirEstadistica(logica, QDate(2024, 2, 29)));

    EXPECT_EQ(formulas, (QStringList{"municipalidad='Municipalidad de Villa Serrana Secretaría de "
                                     "Hacienda'",
                                     "fecha='15/03/2024'", "hora='10:30'", "Fecha='29/02/2024'",
                                     "Ejercicio=2024",
                                     "Municipalidad='Municipalidad de Villa Serrana'", ""}));
    EXPECT_EQ(consulta, QStringLiteral("SELECT * FROM OWNER_SARVO.GES_TIPO_COMPRA WHERE "
                                       "COD_USUARIO = 32001\r\r ORDER BY CANTIDAD DESC"));
    EXPECT_EQ(opcion, 1);
    EXPECT_EQ(ventanas.titulos, QStringList{QStringLiteral("Tipos de Compra")});
    EXPECT_EQ(ventanas.zoom, 1) << "ancho de página";
    EXPECT_EQ(UltimoReporte(), QStringLiteral("MRV_TipoCompra.rpt"));
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(Registro(QStringLiteral("Sql Rpt"), QStringLiteral("ViMRVSqlRpt.log"))
                    .contains(QStringLiteral("Form : frmTipoCompra\n")));
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
}

TEST_F(ImprimirTipoCompra, ElPdfDeLosDatosDeDemostracionEsElEsperado) {
    Generar(QDate(2024, 2, 29));
    TipoCompra logica;
    ASSERT_TRUE(ImprimirEstadistica(logica, QDate(2024, 2, 29)));
    ASSERT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    ASSERT_TRUE(ventanas.PdfEscrito());
    EXPECT_EQ(ventanas.paginas, 1);
    const QString esperado = QString::fromUtf8(prueba::LeerArchivo(
        QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/esperado_tipocompra.txt"));
    ASSERT_FALSE(esperado.isEmpty());
    const QString texto =
        prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf"))).remove(u'\f').trimmed();
    EXPECT_EQ(texto, esperado.trimmed());

    // Las cifras del texto esperado son las de la base: cantidad y suma por tipo.
    Recordset rs;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QStringLiteral("SELECT t.descripcion, count(*), sum(o.importe) FROM "
                       "owner_sarvo.ordenes_compra o JOIN owner_sarvo.tipos_compra t USING "
                       "(cod_tipo_compra) WHERE o.estado = 'E' AND o.fecha_orden BETWEEN DATE "
                       "'2024-01-01' AND DATE '2024-02-29' GROUP BY t.descripcion"),
        rs));
    ASSERT_GT(rs.RecordCount(), 0);
    const QLocale es(QLocale::Spanish, QLocale::Argentina);
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString descripcion = rs.Valor(0).toString();
        const QString cantidad = es.toString(rs.Valor(1).toLongLong());
        const QString importe = es.toString(rs.Valor(2).toDouble(), 'f', 2);
        const QRegularExpression linea(QStringLiteral("^%1 %2 [0-9,]+ % %3 [0-9,]+ %$")
                                           .arg(QRegularExpression::escape(descripcion),
                                                QRegularExpression::escape(cantidad),
                                                QRegularExpression::escape(importe)),
                                       QRegularExpression::MultilineOption);
        EXPECT_TRUE(linea.match(esperado).hasMatch()) << descripcion.toStdString();
    }
}

// Un marco sin textos en lugar del gráfico que dibujaría la ventana.
QPicture Marco() {
    QPicture dibujo;
    QPainter p(&dibujo);
    p.drawRect(QRectF(0, 0, 400, 160));
    return dibujo;
}

// Cada ventana con gráficos imprime su propio pedido por el mismo "Imprimir
// Todo", con su reporte instalado: su título y su archivo, sus fórmulas desde
// la casilla 3 en su orden y su consulta; los reportes de las seis con
// gráficos piden cada gráfico de su ventana una vez; después la ventana y su
// botón vuelven habilitados.
TEST_F(ImprimirTipoCompra, CadaVentanaConGraficosLlevaSuPedido) {
    std::vector<std::unique_ptr<Estadistica>> logicas;
    logicas.push_back(std::make_unique<TipoCompra>());
    logicas.push_back(std::make_unique<OcupacionCargos>());
    logicas.push_back(std::make_unique<EvolucionGastos>());
    logicas.push_back(std::make_unique<EvolucionRecursos>());
    logicas.push_back(std::make_unique<Ingresos>());
    logicas.push_back(std::make_unique<GastosPersonal>());
    logicas.push_back(std::make_unique<RecursosGastos>());
    const QDate fecha(2024, 2, 29);
    QStringList archivos;
    for (const auto& logica : logicas) {
        const QString nombre = logica->Descripcion().nombre;
        SCOPED_TRACE(nombre.toStdString());
        const PedidoImpresion pedido = logica->Impresion(fecha);
        EXPECT_FALSE(archivos.contains(pedido.archivo)) << "cada una con su reporte";
        archivos << pedido.archivo;
        InstalarDelArbol(QStringLiteral("Miravel/Reportes/Formato85/") + pedido.archivo);
        QStringList formulas, esperadas;
        QString consulta, consultaEsperada;
        for (const PasoImpresion& paso : pedido.pasos) {
            if (paso.tipo == PasoImpresion::Tipo::Formula)
                esperadas << paso.texto;
            else
                consultaEsperada = paso.texto;
        }
        ventanas.alMostrar = [&](MotorReporte& m) {
            for (int i = 3; i < 3 + esperadas.size(); ++i)
                formulas << m.Formulas(i);
            consulta = m.SQLQuery();
        };
        QStringList pedidas, graficos;
        if (nombre != Ventana) // Tipos de Compra imprime solo su tabla
            for (int i = 1; i <= logica->Descripcion().graficos; ++i)
                graficos << QStringLiteral("grafico%1").arg(i);
        auto& ventana =
            ventanas.Cargar(nombre, {QStringLiteral("CmdActualizar"), QStringLiteral("CmdImprimir"),
                                     QStringLiteral("CmdCerrar")});
        ventanas.titulos.clear();
        ui.mensajes.clear();

        EXPECT_TRUE(ImprimirEstadistica(*logica, fecha, [&](const QString& n, const QSizeF&) {
            pedidas << n;
            return Marco();
        }));
        EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
        EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
        EXPECT_EQ(ventanas.titulos, QStringList{pedido.titulo});
        EXPECT_TRUE(ventanas.PdfEscrito());
        EXPECT_EQ(UltimoReporte(), pedido.archivo);
        EXPECT_EQ(formulas, esperadas);
        if (!consultaEsperada.isEmpty()) {
            EXPECT_EQ(consulta, consultaEsperada);
        }
        pedidas.sort();
        EXPECT_EQ(pedidas, graficos);
        EXPECT_TRUE(ventana.habilitada);
        EXPECT_TRUE(ventana.controles[QStringLiteral("CmdImprimir")]);
    }
}

// Las imágenes valen para el pedido en que se dieron: el siguiente empieza
// sin ellas, y un reporte con gráfico sin quien lo dé falla y lo dice.
TEST_F(ImprimirTipoCompra, LasImagenesNoPasanAlPedidoSiguiente) {
    const QString archivo = QStringLiteral("MRV_CargosDispoOcu.rpt");
    InstalarDelArbol(QStringLiteral("Miravel/Reportes/Formato85/") + archivo);
    OcupacionCargos logica;
    const PedidoImpresion pedido = logica.Impresion(QDate(2024, 2, 29));
    ASSERT_EQ(pedido.archivo, archivo);

    const auto marco = [](const QString&, const QSizeF&) { return Marco(); };
    const auto sinGrafico = [&](const char* cuando) {
        SCOPED_TRACE(cuando);
        ui.mensajes.clear();
        ImprimirPedido(pedido, QStringLiteral("frmOcupacionCargos"));
        EXPECT_TRUE(ErrorReporte());
        EXPECT_TRUE(UltimoErrorReporte().contains(QLatin1String("grafico1")))
            << UltimoErrorReporte().toStdString();
        ASSERT_EQ(ui.mensajes.size(), 1u) << "la falla se muestra una vez";
        EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(archivo))
            << ui.Textos().join('|').toStdString();
    };
    // Dadas fuera de un pedido no valen para el que sigue.
    AsignarImagenesReporte(marco);
    sinGrafico("dadas antes de IniciarReporte");

    ui.mensajes.clear();
    ImprimirPedido(pedido, QStringLiteral("frmOcupacionCargos"), marco);
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(ventanas.PdfEscrito());

    sinGrafico("el pedido siguiente");
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
}

// Una ventana que solo imprime: genera con el procedimiento dado y confirma antes.
class SoloImprime : public Estadistica {
public:
    explicit SoloImprime(const QString& procedimiento) : Estadistica(Describir(procedimiento)) {}
    PedidoImpresion Impresion(const QDate& fecha) const override {
        PedidoImpresion p;
        p.titulo = QStringLiteral("Tipos de Compra");
        p.archivo = QStringLiteral("MRV_TipoCompra.rpt");
        p.generarAntes = true;
        p.Formula(QLatin1String("Usuario = ") + QString::number(Glob().CodUsuario));
        p.Formula(QLatin1String("Fecha='") + TextoFecha(fecha) + QLatin1Char('\''));
        return p;
    }

protected:
    void LeerAlCargar(CajaFecha&) override {}
    void LeerTrasGenerar(CajaFecha&) override {}

private:
    static DescripcionEstadistica Describir(const QString& procedimiento) {
        DescripcionEstadistica d;
        d.nombre = QStringLiteral("frmTipoCompra");
        d.graficos = 0;
        d.procedimientos = QStringList{procedimiento};
        return d;
    }
};

TEST_F(ImprimirTipoCompra, LasQueSoloImprimenGeneranAntesYNoImprimenSiFalla) {
    // La sesión en día/mes/año, como la deja el arranque.
    ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                         *Glob().Conexion));
    SoloImprime falla(QStringLiteral("GES_GENERA_NO_EXISTE"));
    EXPECT_FALSE(ImprimirEstadistica(falla, QDate(2024, 2, 29)));
    EXPECT_EQ(ui.mensajes.size(), 1u) << "la falla de la generación, una vez";
    EXPECT_EQ(ventanas.cargasRecursos, 0) << "no se empezó ningún pedido";
    EXPECT_TRUE(ventanas.titulos.isEmpty());
    EXPECT_TRUE(ventanas.ventanas[Ventana].habilitada);
    EXPECT_TRUE(ventanas.ventanas[Ventana].controles[QStringLiteral("CmdImprimir")]);

    // Con la generación que anda, imprime lo recién generado (sin consulta de
    // la ventana: la guardada con la fórmula Usuario).
    SoloImprime anda(QStringLiteral("GES_GENERA_TIPO_COMPRA"));
    EXPECT_TRUE(ImprimirEstadistica(anda, QDate(2024, 2, 29)));
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_EQ(ventanas.titulos.size(), 1);
    const QStringList texto = prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf")))
                                  .split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(texto.contains(QStringLiteral("Ejercicio 0 Órdenes emitidas hasta el 29/02/2024")))
        << texto.join('\n').toStdString();
    EXPECT_TRUE(std::any_of(texto.begin(), texto.end(), [](const QString& l) {
        return l.startsWith(QStringLiteral("Tipos de compra: "));
    })) << texto.join('\n').toStdString();
}

} // namespace
