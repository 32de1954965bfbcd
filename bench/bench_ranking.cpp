// Banco del Ranking de Proveedores del municipio grande (ejercicio 2017 de una
// base creada con `scripts/basedatos iniciar DIR --grande`): la generación
// con su confirmación, como "Imprimir Todo"; la lectura de la consulta del
// reporte sola; el reporte corrido y su primera página pintada como la vista
// previa, y el PDF entero con sus páginas. Cada medida es la menor de tres.
// Uso (con el entorno del servidor privado): bench_ranking [dd/mm/aaaa]
#include "ConexionBase.h"
#include "Conexiones.h"
#include "EstadisticaImprimible.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
#include "MotorReporte.h"
#include "Parametros.h"
#include "Recordset.h"
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

#ifndef MIRAVEL_REPORTES
#error "falta MIRAVEL_REPORTES: la carpeta reports/ del código fuente"
#endif

namespace {

double Ms(const QElapsedTimer& t) {
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    CargarFuentes();
    if (qEnvironmentVariableIsEmpty("ODBCINI") || qEnvironmentVariableIsEmpty("MIRAVEL_PGHOST")) {
        std::fprintf(stderr,
                     "Falta el entorno del servidor privado (scripts/basedatos iniciar DIR)\n");
        return 2;
    }
    const QDate fecha =
        argc > 1 ? QDate::fromString(QString::fromLocal8Bit(argv[1]), QStringLiteral("dd/MM/yyyy"))
                 : QDate(2017, 12, 31);
    if (!fecha.isValid()) {
        std::fprintf(stderr, "Fecha no válida: use dd/mm/aaaa\n");
        return 2;
    }
    InicializarMensajes();
    // El emblema del encabezado se busca en la carpeta compartida de la instalación.
    Glob().RutaSistema = QDir(QStringLiteral(MIRAVEL_REPORTES)).absolutePath() + QLatin1Char('/');
    if (!ConectarBase(Glob().Conexion, QStringLiteral("DEMO"), QStringLiteral("demo"), QString()) ||
        !EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                  *Glob().Conexion))
        return 2;
    Glob().UsuarioActual = QStringLiteral("DEMO");
    Glob().CodUsuario = 32791;
    Glob().Municipalidad = QStringLiteral("Municipalidad de Villa Serrana");
    const QString usuario = QString::number(Glob().CodUsuario);

    EstadisticaImprimible ranking(Imprimible::RankingProveedores);
    double generacion = 1e18;
    for (int vez = 0; vez < 3; ++vez) {
        QElapsedTimer t;
        t.start();
        if (!ranking.GenerarYConfirmar(fecha)) {
            std::fprintf(stderr, "Falló la generación\n");
            return 1;
        }
        generacion = std::min(generacion, Ms(t));
    }

    const QString archivo = Glob().RutaSistema + QStringLiteral("Miravel/Reportes/Formato85/") +
                            ranking.ArchivoReporte();
    const QString logon = QStringLiteral(";;;UID=DEMO;PWD=") + DerivarClave(QStringLiteral("demo"));
    auto preparar = [&](MotorReporte& m) {
        m.Reset();
        m.setReportFileName(archivo);
        m.setConnect(logon);
        int i = 0;
        for (const PasoImpresion& paso : ranking.Impresion(fecha).pasos)
            if (paso.tipo == PasoImpresion::Tipo::Formula)
                m.setFormulas(i++, paso.texto);
    };

    // La consulta guardada del reporte, leída sola por una conexión nueva.
    double lectura = 1e18;
    int filas = 0;
    for (int vez = 0; vez < 3; ++vez) {
        QElapsedTimer t;
        t.start();
        ConexionBase c;
        Recordset rs;
        if (!c.Abrir(
                ArmarCadenaODBC(QStringLiteral("DEMO"), DerivarClave(QStringLiteral("demo")))) ||
            !c.Consultar(QStringLiteral("SELECT ranking, razon_social, cuit, rubro, cantidad, "
                                        "importe, porcentaje, porcentaje_acum, clase FROM "
                                        "owner_sarvo.ges_compras_x_prov WHERE usuario = ") +
                             usuario + QStringLiteral(" ORDER BY ranking"),
                         rs)) {
            std::fprintf(stderr, "Falló la lectura\n");
            return 1;
        }
        filas = rs.RecordCount();
        lectura = std::min(lectura, Ms(t));
    }

    // Reporte corrido (lee, diagrama) y su primera página pintada a 96 ppp.
    MotorReporte m;
    double primera = 1e18;
    for (int vez = 0; vez < 3; ++vez) {
        preparar(m);
        QElapsedTimer t;
        t.start();
        if (!m.setAction(1)) {
            std::fprintf(stderr, "%s\n", qPrintable(m.ErrorDescripcion()));
            return 1;
        }
        QImage vista(900, 1270, QImage::Format_RGB32);
        vista.fill(Qt::white);
        QPainter p(&vista);
        m.PintarPagina(1, p, m.EscalaZoom(vista.size(), 96));
        p.end();
        primera = std::min(primera, Ms(t));
    }

    QTemporaryDir dir;
    double pdf = 1e18;
    for (int vez = 0; vez < 3; ++vez) {
        preparar(m);
        QElapsedTimer t;
        t.start();
        if (!m.setAction(1) || !m.ExportarPdf(dir.filePath(QStringLiteral("ranking.pdf")))) {
            std::fprintf(stderr, "%s\n", qPrintable(m.ErrorDescripcion()));
            return 1;
        }
        pdf = std::min(pdf, Ms(t));
    }

    std::printf("Ranking de Proveedores al %s: %d proveedores, %d páginas\n",
                qPrintable(fecha.toString(QStringLiteral("dd/MM/yyyy"))), filas, m.TotalPaginas());
    std::printf("%-44s %10.1f ms\n", "generación y confirmación", generacion);
    std::printf("%-44s %10.1f ms\n", "lectura de la consulta del reporte", lectura);
    std::printf("%-44s %10.1f ms\n", "reporte corrido y primera página pintada", primera);
    std::printf("%-44s %10.1f ms (meta <= 500)\n", "  de eso, después de leer los datos",
                primera - lectura);
    std::printf("%-44s %10.1f ms\n", "PDF entero, desde correr el reporte", pdf);
    CerrarConexion(Glob().Conexion);
    return 0;
}
