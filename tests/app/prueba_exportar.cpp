// miravel-exportar de punta a punta, como proceso aparte contra el servidor:
// cada tarea con gráficos genera y escribe lo mismo que muestra su ventana,
// imágenes, libro y los códigos de salida.
#include "../printing/AyudaReportes.h"
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DateTimeBox.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "Recordset.h"
#include "TablaDatos.h"
#include "TareasEstadistica.h"
#include "TextoTablas.h"
#include "VentanasEstadisticas.h"
#include "frmEstadistica.h"
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

struct Corrida {
    int estado = -1;
    QStringList lineas;  // salida estándar
    QStringList errores; // salida de errores
};

Corrida Exportar(const QStringList& args,
                 const QProcessEnvironment& entorno = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(entorno);
    p.start(QStringLiteral(MIRAVEL_EXPORTAR), args);
    EXPECT_TRUE(p.waitForFinished(180000));
    Corrida c;
    c.estado = p.exitCode();
    c.lineas =
        QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    c.errores =
        QString::fromUtf8(p.readAllStandardError()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    return c;
}

QByteArray Leer(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int TareaDe(const QString& ventana) {
    for (const TareaEstadistica& t : TareasEstadistica())
        if (t.ventana == ventana)
            return t.codigo;
    return 0;
}

const QString Fecha = QStringLiteral("30/06/2024");

// Una instalación con el emblema y los reportes dados del árbol que se
// instala, y el entorno que la señala al comando.
QProcessEnvironment EntornoConReportes(const QTemporaryDir& instalacion,
                                       std::initializer_list<const char*> reportes) {
    QStringList rutas{QStringLiteral("Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT")};
    for (const char* r : reportes)
        rutas << QStringLiteral("Miravel/Reportes/Formato85/") + QLatin1String(r);
    for (const QString& r : rutas)
        EXPECT_TRUE(prueba::EscribirArchivo(instalacion.filePath(r),
                                            prueba::LeerArchivo(prueba::ArchivoInstalado(r))));
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("MIRAVEL_RUTA_SISTEMA"), instalacion.path());
    return entorno;
}

// El texto de un reporte sin la fecha y la hora de impresión de cada página.
QString SinMomentoDeImpresion(QString texto) {
    static const QRegularExpression momento(
        QStringLiteral("^(Impreso el \\d\\d/\\d\\d/\\d{4}|a las \\d\\d:\\d\\d)\\n"),
        QRegularExpression::MultilineOption);
    return texto.remove(u'\f').remove(momento).trimmed();
}

class ExportarPrueba : public prueba::ConSesion {
protected:
    void SetUp() override {
        prueba::ConSesion::SetUp();
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Recordset rs;
        ASSERT_TRUE(Glob().Conexion->Consultar(
            QStringLiteral("SELECT cod_usuario FROM owner_sarvo.usuarios WHERE usuario = 'DEMO'"),
            rs));
        rs.MoveFirst();
        Glob().CodUsuario = qint16(rs.Valor(0).toInt()); // las tablas de trabajo del comando
        Glob().EjercicioActual = 2024;
    }
    QTemporaryDir dir_;
};

TEST_F(ExportarPrueba, CadaTareaConGraficosEscribeLoQueMuestraSuVentana) {
    int probadas = 0;
    for (int tarea : TareasDisponibles()) {
        std::unique_ptr<QDialog> d = CrearVentanaTarea(tarea, nullptr);
        auto* v = dynamic_cast<frmEstadistica*>(d.get());
        ASSERT_NE(v, nullptr);
        const int graficos = v->Logica().Descripcion().graficos;
        d.reset();
        if (graficos == 0)
            continue;
        const QString csv = dir_.filePath(QStringLiteral("%1.csv").arg(tarea));
        const Corrida c =
            Exportar({QStringLiteral("demo"), prueba::ClaveHabilitado, QString::number(tarea),
                      Fecha, QStringLiteral("--generar"), QStringLiteral("--salida"), csv});
        ASSERT_EQ(c.estado, 0) << tarea << ": " << c.lineas.join('|').toStdString();
        EXPECT_TRUE(c.lineas.isEmpty()) << c.lineas.join('|').toStdString();

        // La ventana, con «Aceptar» para la misma fecha y el mismo ejercicio
        // (el del servidor, como el comando): las mismas cifras.
        const std::optional<QDateTime> hoy = FechaServidor(false);
        ASSERT_TRUE(hoy.has_value());
        Glob().EjercicioActual = qint16(hoy->date().year());
        d = CrearVentanaTarea(tarea, nullptr);
        v = dynamic_cast<frmEstadistica*>(d.get());
        v->Fecha()->PonerValue(QDate::fromString(Fecha, QStringLiteral("dd/MM/yyyy")));
        v->CmdActualizar_Click();
        std::vector<TablaDatos> tablas;
        for (int i = 0; i < graficos; ++i)
            tablas.push_back(TablaDeGrafico(v->Logica().Grafico(i)));
        ASSERT_GT(tablas.front().Filas(), 0) << tarea;
        EXPECT_EQ(Leer(csv).toStdString(), TextoTablas::Csv(tablas).toStdString()) << tarea;
        EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();

        // Sin --generar: la carga, al libro, una hoja por gráfico.
        const QString xlsx = dir_.filePath(QStringLiteral("%1.xlsx").arg(tarea));
        ASSERT_EQ(Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tarea),
                            Fecha, QStringLiteral("--salida"), xlsx})
                      .estado,
                  0);
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"),
                    {QStringLiteral("-p"), xlsx, QStringLiteral("xl/workbook.xml")});
        ASSERT_TRUE(unzip.waitForFinished());
        EXPECT_EQ(QString::fromUtf8(unzip.readAllStandardOutput()).count(QStringLiteral("<sheet ")),
                  graficos);
        ++probadas;
    }
    EXPECT_EQ(probadas, 7);
}

TEST_F(ExportarPrueba, ImagenesDeLaVentana) {
    const int tarea = TareaDe(QStringLiteral("frmRecursosGastos"));
    ASSERT_NE(tarea, 0);
    const QString png = dir_.filePath(QStringLiteral("g.png"));
    const Corrida c =
        Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tarea), Fecha,
                  QStringLiteral("--generar"), QStringLiteral("--salida"), png});
    ASSERT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
    const QImage imagen(png);
    ASSERT_FALSE(imagen.isNull());
    EXPECT_GT(imagen.width(), 300);
    const QString svg = dir_.filePath(QStringLiteral("g.svg"));
    ASSERT_EQ(Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tarea),
                        Fecha, QStringLiteral("--salida"), svg})
                  .estado,
              0);
    EXPECT_TRUE(Leer(svg).contains("<svg"));
}

TEST_F(ExportarPrueba, ReporteDeLaVentanaEnPdf) {
    QTemporaryDir instalacion;
    const QProcessEnvironment entorno = EntornoConReportes(instalacion, {"MRV_TipoCompra.rpt"});

    const int tarea = TareaDe(QStringLiteral("frmTipoCompra"));
    const QString pdf = dir_.filePath(QStringLiteral("tipos.pdf"));
    Corrida c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tarea),
                          Fecha, QStringLiteral("--generar"), QStringLiteral("--salida"), pdf},
                         entorno);
    ASSERT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
    EXPECT_TRUE(c.lineas.isEmpty()) << c.lineas.join('|').toStdString();
    const QStringList texto = prueba::TextoDePdf(pdf).split(u'\n', Qt::SkipEmptyParts);
    // La fecha pedida llega al reporte.
    EXPECT_TRUE(std::any_of(texto.begin(), texto.end(), [](const QString& l) {
        return l.endsWith(QStringLiteral("Órdenes emitidas hasta el 30/06/2024"));
    })) << texto.join('\n').toStdString();
    // Cada tipo de la ventana, con sus órdenes, en el reporte.
    std::unique_ptr<QDialog> d = CrearVentanaTarea(tarea, nullptr);
    auto* v = dynamic_cast<frmEstadistica*>(d.get());
    ASSERT_NE(v, nullptr);
    const TablaDatos tabla = TablaDeGrafico(v->Logica().Grafico(0));
    ASSERT_GT(tabla.Series(), 0);
    for (int s = 0; s < tabla.Series(); ++s) {
        const QString linea = tabla.series[s] + QLatin1Char(' ') +
                              QString::number(qint64(*tabla.valores[0][size_t(s)]));
        EXPECT_TRUE(std::any_of(texto.begin(), texto.end(), [&](const QString& l) {
            return l.startsWith(linea + u' ');
        })) << linea.toStdString();
    }

    // Un reporte que la instalación no tiene: 1, el mensaje del módulo y ningún PDF.
    const QString otro = dir_.filePath(QStringLiteral("gastos.pdf"));
    c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado,
                  QString::number(TareaDe(QStringLiteral("frmEvolucionGastos"))), Fecha,
                  QStringLiteral("--salida"), otro},
                 entorno);
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1);
    EXPECT_TRUE(c.lineas[0].contains(QStringLiteral("MRV_Gastos_x_Objeto.rpt")));
    EXPECT_FALSE(QFile::exists(otro));
}

TEST_F(ExportarPrueba, LasDiezTareasEnPdf) {
    // Cada tarea nombra el reporte que imprime su ventana.
    const QDate fecha = QDate::fromString(Fecha, QStringLiteral("dd/MM/yyyy"));
    QTemporaryDir instalacion;
    QProcessEnvironment entorno = EntornoConReportes(instalacion, {});
    for (const TareaEstadistica& t : TareasEstadistica()) {
        std::unique_ptr<QDialog> d = CrearVentanaTarea(t.codigo, nullptr);
        auto* v = dynamic_cast<frmEstadistica*>(d.get());
        ASSERT_NE(v, nullptr) << t.codigo;
        EXPECT_EQ(v->Logica().Impresion(fecha).archivo, t.reporte) << t.codigo;
        // El reporte, en la carpeta del árbol que se instala donde esté.
        int copiados = 0;
        for (const char* formato : {"Formato85", "Formato60"}) {
            const QString r =
                QStringLiteral("Miravel/Reportes/%1/").arg(QLatin1String(formato)) + t.reporte;
            const QByteArray contenido = prueba::LeerArchivo(prueba::ArchivoInstalado(r));
            if (!contenido.isEmpty() && prueba::EscribirArchivo(instalacion.filePath(r), contenido))
                ++copiados;
        }
        ASSERT_EQ(copiados, 1) << t.reporte.toStdString();
    }
    for (const TareaEstadistica& t : TareasEstadistica()) {
        SCOPED_TRACE(t.codigo);
        const QString pdf = dir_.filePath(QStringLiteral("%1.pdf").arg(t.codigo));
        const Corrida c =
            Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(t.codigo),
                      Fecha, QStringLiteral("--generar"), QStringLiteral("--salida"), pdf},
                     entorno);
        EXPECT_EQ(c.estado, 0);
        EXPECT_TRUE(c.lineas.isEmpty()) << c.lineas.join('|').toStdString();
        // El reporte entero, con su pie de página.
        const QString texto = prueba::TextoDePdf(pdf);
        EXPECT_TRUE(texto.contains(QStringLiteral("Página 1 de "))) << texto.toStdString();
    }
}

TEST_F(ExportarPrueba, LasQueSoloImprimenGeneranSiempreYEscribenSuReporte) {
    struct Caso {
        const char* ventana;
        const char* tabla; // tabla de trabajo de su generación
        const char* reporte;
        const char* esperado; // texto del reporte para el 29/02/2024
    };
    const Caso casos[] = {
        {"frmRankingProveedores", "ges_compras_x_prov", "MRV_RankingProveedores.rpt",
         "esperado_rankingproveedores.txt"},
        {"frmRankingBienes", "ges_compras_x_rubro", "MRV_RankingBienes.rpt",
         "esperado_rankingbienes.txt"},
        {"frmGastosCatProg", "ges_gastos_x_catprog", "MRV_GastosXCatProg.rpt",
         "esperado_gastosxcatprog.txt"},
    };
    QTemporaryDir instalacion;
    const QProcessEnvironment entorno =
        EntornoConReportes(instalacion, {casos[0].reporte, casos[1].reporte, casos[2].reporte});
    auto otra = prueba::Conectar();
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.ventana);
        const int tarea = TareaDe(QLatin1String(caso.ventana));
        ASSERT_NE(tarea, 0);
        // Sin filas de este usuario: sin --generar, el reporte solo sale si genera.
        ASSERT_TRUE(otra->Ejecutar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE usuario = %2")
                                       .arg(QLatin1String(caso.tabla))
                                       .arg(Glob().CodUsuario)));
        ASSERT_TRUE(otra->Confirmar());
        const QString pdf = dir_.filePath(QLatin1String(caso.reporte) + QStringLiteral(".pdf"));
        const Corrida c =
            Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tarea),
                      QStringLiteral("29/02/2024"), QStringLiteral("--salida"), pdf},
                     entorno);
        ASSERT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
        EXPECT_TRUE(c.lineas.isEmpty()) << c.lineas.join('|').toStdString();
        // Las mismas cifras que imprime la ventana para esa fecha.
        const QString esperado = QString::fromUtf8(
            prueba::LeerArchivo(QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                                QStringLiteral("/../statistics/") + QLatin1String(caso.esperado)));
        ASSERT_FALSE(esperado.isEmpty());
        EXPECT_EQ(SinMomentoDeImpresion(prueba::TextoDePdf(pdf)).toStdString(),
                  SinMomentoDeImpresion(esperado).toStdString());
    }
}

TEST_F(ExportarPrueba, SoloLasTareasQueElUsuarioTiene) {
    // MRV_O'HIGGINS (comilla en el nombre; ";", "}" y "=" en la clave) tiene
    // Tipos de Compra por su fila propia y nada más.
    const QString usuario = QStringLiteral("MRV_O'HIGGINS");
    const QString clave = QStringLiteral("a;b}c=d");
    const QString csv = dir_.filePath(QStringLiteral("ohiggins.csv"));
    const int tipos = TareaDe(QStringLiteral("frmTipoCompra"));
    Corrida c = Exportar({usuario, clave, QString::number(tipos), Fecha,
                          QStringLiteral("--generar"), QStringLiteral("--salida"), csv});
    ASSERT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
    // Las mismas cifras que las de DEMO, cada uno en sus tablas de trabajo.
    const QString deDemo = dir_.filePath(QStringLiteral("demo.csv"));
    ASSERT_EQ(Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, QString::number(tipos),
                        Fecha, QStringLiteral("--generar"), QStringLiteral("--salida"), deDemo})
                  .estado,
              0);
    EXPECT_FALSE(Leer(csv).isEmpty());
    EXPECT_EQ(Leer(csv), Leer(deDemo));

    const std::optional<TareaEstadistica> otra =
        BuscarTareaEstadistica(TareaDe(QStringLiteral("frmIngresos")));
    ASSERT_TRUE(otra.has_value());
    const QString negado = dir_.filePath(QStringLiteral("negado.csv"));
    c = Exportar({usuario, clave, QString::number(otra->codigo), Fecha, QStringLiteral("--generar"),
                  QStringLiteral("--salida"), negado});
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1);
    EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE ")));
    EXPECT_TRUE(c.lineas[0].endsWith(QStringLiteral("El usuario MRV_O'HIGGINS no tiene acceso a la "
                                                    "tarea %1 (%2)")
                                         .arg(otra->codigo)
                                         .arg(otra->caption)))
        << c.lineas[0].toStdString();
    EXPECT_FALSE(QFile::exists(negado));
}

TEST_F(ExportarPrueba, TareasQueSoloImprimenOTodaviaNoEstan) {
    const QList<int> disponibles = TareasDisponibles();
    for (const TareaEstadistica& t : TareasEstadistica()) {
        const QString csv = dir_.filePath(QStringLiteral("%1.csv").arg(t.codigo));
        const QStringList args{QStringLiteral("DEMO"),     prueba::ClaveHabilitado,
                               QString::number(t.codigo),  Fecha,
                               QStringLiteral("--salida"), csv};
        if (!disponibles.contains(t.codigo)) {
            const Corrida c = Exportar(args);
            EXPECT_EQ(c.estado, 1) << t.codigo;
            ASSERT_EQ(c.lineas.size(), 1);
            EXPECT_TRUE(c.lineas[0].contains(t.caption)) << c.lineas[0].toStdString();
            continue;
        }
        std::unique_ptr<QDialog> d = CrearVentanaTarea(t.codigo, nullptr);
        auto* v = dynamic_cast<frmEstadistica*>(d.get());
        ASSERT_NE(v, nullptr);
        if (v->Logica().Descripcion().graficos > 0)
            continue;
        // Solo se imprime: otra salida que .pdf no sirve.
        const Corrida c = Exportar(args);
        EXPECT_EQ(c.estado, 2) << t.codigo;
        EXPECT_FALSE(QFile::exists(csv));
    }
}

TEST_F(ExportarPrueba, LasCifrasConSuFechaYNuncaLasDeOtra) {
    const QString t = QString::number(TareaDe(QStringLiteral("frmTipoCompra")));
    const QString csv = dir_.filePath(QStringLiteral("tipos.csv"));
    Corrida c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, t, Fecha,
                          QStringLiteral("--generar"), QStringLiteral("--salida"), csv});
    ASSERT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
    // Lo escrito dice de qué fecha son las cifras y en qué unidad.
    EXPECT_TRUE(
        QString::fromUtf8(Leer(csv)).contains(QStringLiteral("Cifras al 30/06/2024, en cantidad")));

    // Sin --generar, otra fecha que la de las cifras guardadas: 1, el motivo y
    // ningún archivo (la ventana preguntaría antes).
    const QString otro = dir_.filePath(QStringLiteral("otro.xlsx"));
    c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, t, QStringLiteral("16/03/2024"),
                  QStringLiteral("--salida"), otro});
    EXPECT_EQ(c.estado, 1);
    ASSERT_EQ(c.lineas.size(), 1) << c.lineas.join('|').toStdString();
    for (const char* parte : {"30/06/2024", "16/03/2024", "--generar"})
        EXPECT_TRUE(c.lineas[0].contains(QLatin1String(parte))) << c.lineas[0].toStdString();
    EXPECT_FALSE(QFile::exists(otro));
    // Con la fecha de las cifras, sí.
    c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, t, Fecha,
                  QStringLiteral("--salida"), otro});
    EXPECT_EQ(c.estado, 0) << c.lineas.join('|').toStdString();
    EXPECT_TRUE(QFile::exists(otro));
}

TEST_F(ExportarPrueba, CodigosDeSalida) {
    const QString csv = dir_.filePath(QStringLiteral("x.csv"));
    const int tarea = TareaDe(QStringLiteral("frmEvolucionGastos"));
    const QString t = QString::number(tarea);
    // Sin conexión: 2, con el mensaje de la conexión.
    Corrida c = Exportar({QStringLiteral("DEMO"), QStringLiteral("mala"), t, Fecha,
                          QStringLiteral("--salida"), csv});
    EXPECT_EQ(c.estado, 2);
    ASSERT_EQ(c.lineas.size(), 1);
    EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE Error al Conectarse a la Base: ")));
    // Una clave que Qt tomaría por opción propia llega igual a la conexión.
    for (const char* clave : {"-reverse", "-style", "-platform", "-session"}) {
        c = Exportar({QStringLiteral("DEMO"), QLatin1String(clave), t, Fecha,
                      QStringLiteral("--salida"), csv});
        EXPECT_EQ(c.estado, 2) << clave;
        ASSERT_EQ(c.lineas.size(), 1) << clave << c.errores.join('|').toStdString();
        EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE Error al Conectarse")));
    }
    // Usuario dado de baja: tampoco hay sesión.
    c = Exportar({prueba::UsuarioInhabilitado, prueba::ClaveInhabilitado, t, Fecha,
                  QStringLiteral("--salida"), csv});
    EXPECT_EQ(c.estado, 2);
    ASSERT_FALSE(c.lineas.isEmpty());
    EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE ")));
    // Argumentos que no sirven: 2 como miravel-sql, el motivo y el uso por la
    // salida de errores, sin tocar la base.
    for (const QStringList& malos :
         {QStringList{QStringLiteral("999"), Fecha, QStringLiteral("--salida"), csv},
          QStringList{t, QStringLiteral("31/02/2024"), QStringLiteral("--salida"), csv},
          QStringList{t, Fecha, QStringLiteral("--salida"), dir_.filePath(QStringLiteral("x.txt"))},
          QStringList{t, Fecha, QStringLiteral("--otra"), QStringLiteral("--salida"), csv},
          QStringList{t, Fecha}}) {
        c = Exportar(QStringList{QStringLiteral("DEMO"), prueba::ClaveHabilitado} + malos);
        EXPECT_EQ(c.estado, 2) << malos.join(' ').toStdString();
        EXPECT_TRUE(c.lineas.isEmpty()) << c.lineas.join('|').toStdString();
        // El motivo y, al final, el uso.
        ASSERT_GE(c.errores.size(), 2) << c.errores.join('|').toStdString();
        EXPECT_TRUE(c.errores.last().startsWith(QStringLiteral("Uso: miravel-exportar ")));
        EXPECT_FALSE(c.errores[c.errores.size() - 2].startsWith(QStringLiteral("Uso:")));
    }
    EXPECT_FALSE(QFile::exists(csv));

    // La generación falla (otra sesión tiene el bloqueo): 1, el mensaje y ningún archivo.
    auto otra = prueba::Conectar();
    Recordset rs;
    ASSERT_TRUE(otra->Consultar(
        QStringLiteral("SELECT owner_sarvo.ges_bloquear_usuario('ges_gastos_x_objeto', %1)")
            .arg(Glob().CodUsuario),
        rs));
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("PGOPTIONS"), QStringLiteral("-c lock_timeout=500"));
    c = Exportar({QStringLiteral("DEMO"), prueba::ClaveHabilitado, t, Fecha,
                  QStringLiteral("--generar"), QStringLiteral("--salida"), csv},
                 entorno);
    EXPECT_EQ(c.estado, 1) << c.lineas.join('|').toStdString();
    ASSERT_FALSE(c.lineas.isEmpty());
    EXPECT_TRUE(c.lineas[0].startsWith(QStringLiteral("MENSAJE ")));
    EXPECT_FALSE(QFile::exists(csv));
}

} // namespace
