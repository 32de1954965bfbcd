// Los reportes de las seis estadísticas con gráficos contra el servidor
// privado: cada uno corre con las fórmulas que manda su ventana, después de
// generar los datos de demostración, y su PDF (leído con pdftotext) es el
// texto esperado; los totales impresos son las sumas de la tabla de trabajo
// hechas aparte; sin filas imprime el encabezado y totales en cero, y sin los
// gráficos de la ventana el reporte no sale a medias.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "EvolucionGastos.h"
#include "EvolucionRecursos.h"
#include "GastosPersonal.h"
#include "Glob_Sarvo.h"
#include "Ingresos.h"
#include "MotorReporte.h"
#include "OcupacionCargos.h"
#include "Recordset.h"
#include "RecursosGastos.h"
#include <QPainter>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace {

const qint16 Usuario = 34001; // propio de este archivo: las pruebas corren en paralelo
const QDate FechaDemo(2024, 2, 29);

struct Caso {
    const char* archivo;
    const char* esperado;
    std::function<std::unique_ptr<Estadistica>()> ventana;
    QStringList generacion; // llamadas a los procedimientos, con %1 el usuario
    QStringList graficos;   // las imágenes que pide el reporte
    // Suma de control sobre la tabla de trabajo, hecha aparte, y cómo se imprime.
    QString control;
};

void PrintTo(const Caso& caso, std::ostream* os) {
    *os << caso.archivo;
}

QString Carpeta() {
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath();
}

QString ArbolReportes() {
    return Carpeta() + QStringLiteral("/../../reports/Miravel/Reportes/Formato85/");
}

const std::vector<Caso>& Casos() {
    static const std::vector<Caso> casos = {
        {"MRV_CargosDispoOcu.rpt",
         "esperado_cargos.txt",
         [] { return std::make_unique<OcupacionCargos>(); },
         {"owner_sarvo.ges_genera_cargos_disocu(%1, 2024)"},
         {"grafico1"},
         "SELECT round(avg(p_cargos_ocu + t_cargos_ocu)) FROM owner_sarvo.ges_tmp_cargos_dispo_ocu "
         "WHERE usuario = %1"},
        {"MRV_Gastos_x_Objeto.rpt",
         "esperado_gastos_objeto.txt",
         [] { return std::make_unique<EvolucionGastos>(); },
         {"owner_sarvo.ges_genera_gastos_x_obj(%1, 2024, DATE '2024-02-29')"},
         {"grafico1"},
         "SELECT sum(dev_inciso) FROM owner_sarvo.ges_gastos_x_objeto WHERE usuario = %1 AND "
         "ejercicio = 2024"},
        {"MRV_RecursosCodiProce.rpt",
         "esperado_recursos.txt",
         [] { return std::make_unique<EvolucionRecursos>(); },
         {"owner_sarvo.ges_genera_recur_codi_proce(%1, 2024, DATE '2024-02-29')",
          "owner_sarvo.ges_genera_recur_proce_per(%1, 2024, DATE '2024-02-29')"},
         {"grafico1", "grafico2"},
         "SELECT sum(rec_municipal + rec_provincial + rec_nacional) FROM "
         "owner_sarvo.ges_recursos_x_ori_proce WHERE usuario = %1"},
        {"MRV_Ingresos.rpt",
         "esperado_ingresos.txt",
         [] { return std::make_unique<Ingresos>(); },
         {"owner_sarvo.ges_genera_ingresos(%1, 2024, DATE '2024-02-29')"},
         {"grafico1", "grafico2"},
         "SELECT sum(importe_tribut + importe_no_tribut + importe_otros) FROM "
         "owner_sarvo.ges_ingresos_mes WHERE usuario = %1"},
        {"MRV_PresupGastosPer.rpt",
         "esperado_gastos_personal.txt",
         [] { return std::make_unique<GastosPersonal>(); },
         {"owner_sarvo.ges_genera_gastos_per(2024, DATE '2024-02-29')",
          "owner_sarvo.ges_genera_gastos_personal(2024, DATE '2024-02-29')"},
         {"grafico1", "grafico2"},
         "SELECT sum(presupuesto) FROM owner_sarvo.ges_gastos_per_det"},
        {"MRV_Recursos_Gastos.rpt",
         "esperado_recursos_gastos.txt",
         [] { return std::make_unique<RecursosGastos>(); },
         {"owner_sarvo.ges_genera_recur_gastos_det(%1, 2024, DATE '2024-02-29')",
          "owner_sarvo.ges_genera_recur_gastos(%1, 2024, DATE '2024-02-29')"},
         {"grafico1", "grafico2"},
         "SELECT sum(devengado) FROM owner_sarvo.ges_gastos_detalle WHERE usuario = %1"},
    };
    return casos;
}

// Un marco sin textos, para que el texto del PDF sea solo el del reporte.
QPicture MarcoVacio() {
    QPicture dibujo;
    QPainter p(&dibujo);
    p.drawRect(QRectF(0, 0, 400, 160));
    return dibujo;
}

class Reportes : public prueba::ConSesion, public ::testing::WithParamInterface<Caso> {
protected:
    void SetUp() override {
        ConSesion::SetUp();
        Glob().CodUsuario = Usuario;
        Glob().Municipalidad = QStringLiteral("Municipalidad de Villa Serrana");
        Glob().RutaSistema = dir.path() + QLatin1Char('/');
        const Caso& c = GetParam();
        archivo = dir.path() + QStringLiteral("/Miravel/Reportes/Formato85/") + c.archivo;
        ASSERT_TRUE(prueba::EscribirArchivo(
            archivo, prueba::LeerArchivo(ArbolReportes() + QLatin1String(c.archivo))));
        ASSERT_TRUE(prueba::EscribirArchivo(
            dir.path() + QStringLiteral("/Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT"),
            prueba::LeerArchivo(prueba::ArchivoInstalado(
                QStringLiteral("Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT")))));
    }
    void TearDown() override {
        if (Glob().Conexion && Glob().Conexion->Abierta())
            Generar(QDate(1990, 1, 1)); // un año sin datos deja las tablas vacías
        ConSesion::TearDown();
    }

    // Las llamadas de la ventana, confirmadas: el reporte lee con su propia conexión.
    void Generar(const QDate& fecha) {
        for (QString llamada : GetParam().generacion) {
            llamada = llamada.replace(QLatin1String("%1"), QString::number(Usuario))
                          .replace(QLatin1String("2024-02-29"), fecha.toString(Qt::ISODate))
                          .replace(QLatin1String("2024"), QString::number(fecha.year()));
            Cambiar(QStringLiteral("SELECT ") + llamada);
        }
        ASSERT_TRUE(Glob().Conexion->Confirmar());
    }

    // El pedido como lo arma el módulo de impresión: las fórmulas automáticas
    // y después los pasos de la ventana, en su orden.
    bool Correr(MotorReporte& m, bool conGraficos = true) {
        m.Reset();
        m.setReportFileName(archivo);
        m.setConnect(prueba::LogonDemo());
        int casilla = 0;
        m.setFormulas(casilla++, QStringLiteral("municipalidad='") + Glob().Municipalidad + "'");
        m.setFormulas(casilla++, QStringLiteral("fecha='15/03/2024'"));
        m.setFormulas(casilla++, QStringLiteral("hora='10:30'"));
        const PedidoImpresion pedido = GetParam().ventana()->Impresion(FechaDemo);
        for (const PasoImpresion& paso : pedido.pasos) {
            if (paso.tipo == PasoImpresion::Tipo::Formula)
                m.setFormulas(casilla++, paso.texto);
            else
                m.setSQLQuery(paso.texto);
        }
        EXPECT_EQ(pedido.archivo, QLatin1String(GetParam().archivo));
        m.setSubreportToChange(QStringLiteral("GDA_LOGOMUNI.RPT"));
        m.setSQLQuery(prueba::ConsultaEmblema());
        m.setSubreportToChange(QString());
        m.FijarMomentoImpresion(QDateTime(QDate(2024, 3, 15), QTime(10, 30)));
        if (conGraficos)
            for (const QString& g : GetParam().graficos)
                m.DefinirImagen(g, MarcoVacio());
        return m.setAction(1);
    }

    QString Texto(MotorReporte& m) {
        const QString pdf = dir.filePath(QStringLiteral("reporte.pdf"));
        EXPECT_TRUE(m.ExportarPdf(pdf)) << m.ErrorDescripcion().toStdString();
        return prueba::TextoDePdf(pdf).remove(u'\f').trimmed();
    }

    QString archivo;
};

TEST_P(Reportes, ElPdfDeLosDatosDeDemostracionEsElEsperado) {
    Generar(FechaDemo);
    MotorReporte m;
    ASSERT_TRUE(Correr(m)) << m.ErrorDescripcion().toStdString();
    const QString texto = Texto(m);
    const QString ruta = Carpeta() + QStringLiteral("/reportes/") + GetParam().esperado;
    const QString esperado = QString::fromUtf8(prueba::LeerArchivo(ruta)).trimmed();
    EXPECT_EQ(texto, esperado) << "texto del PDF:\n" << texto.toStdString();

    // La suma de control de la tabla, hecha aparte, está impresa tal cual.
    Recordset rs;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QString(GetParam().control).replace(QLatin1String("%1"), QString::number(Usuario)), rs));
    ASSERT_FALSE(rs.Eof());
    const double suma = rs.Valor(0).toDouble();
    ASSERT_GT(suma, 0);
    const QLocale es(QLocale::Spanish, QLocale::Argentina);
    const bool entero = QString(GetParam().control).contains(QLatin1String("round(avg"));
    const QString impresa = entero ? es.toString(qint64(suma)) : es.toString(suma, 'f', 2);
    EXPECT_TRUE(texto.contains(impresa)) << impresa.toStdString();
}

TEST_P(Reportes, SinFilasImprimeElEncabezadoYNoSeCae) {
    Generar(QDate(1990, 1, 1));
    MotorReporte m;
    ASSERT_TRUE(Correr(m)) << m.ErrorDescripcion().toStdString();
    EXPECT_EQ(m.TotalPaginas(), 1);
    const QString texto = Texto(m);
    EXPECT_TRUE(texto.contains(QLatin1String("Municipalidad de Villa Serrana")))
        << texto.toStdString();
    EXPECT_TRUE(texto.contains(QStringLiteral("Página 1 de 1"))) << texto.toStdString();
}

TEST_P(Reportes, SinLosGraficosDeLaVentanaNoSaleAMedias) {
    Generar(FechaDemo);
    MotorReporte m;
    EXPECT_FALSE(Correr(m, false));
    EXPECT_EQ(m.ErrorNumero(), MotorReporte::FallaDatos);
    EXPECT_TRUE(m.ErrorDescripcion().contains(QLatin1String("grafico1")))
        << m.ErrorDescripcion().toStdString();
    EXPECT_EQ(m.TotalPaginas(), 0);
}

INSTANTIATE_TEST_SUITE_P(Seis, Reportes, ::testing::ValuesIn(Casos()),
                         [](const ::testing::TestParamInfo<Caso>& i) {
                             return QString::fromLatin1(i.param.archivo)
                                 .remove(QLatin1String(".rpt"))
                                 .remove(u'_')
                                 .toStdString();
                         });

} // namespace
