// Banco de prueba del motor de reportes: un reporte sintético de 10^3, 10^4 y
// 10^5 filas de detalle leídas del servidor privado. Mide el tiempo hasta la
// primera página pintada, el del PDF entero, la memoria mientras se pintan
// todas las páginas una tras otra, y el piso: un lazo mínimo con QPdfWriter
// que dibuja las mismas filas con los mismos textos.
// Uso (con el entorno de scripts/basedatos): bench_reporte [filas...]
#include "ConexionBase.h"
#include "Conexiones.h"
#include "FormatosEs.h"
#include "Fuentes.h"
#include "MotorReporte.h"
#include "Recordset.h"
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <unistd.h>

namespace {

const char* const DefinicionBanco = R"(<reporte version="1" titulo="Banco">
  <pagina papel="A4" margen="10"/>
  <consulta>SELECT id, codigo, descripcion, fecha, importe FROM public.banco_reporte
             WHERE id &lt;= {@Filas} ORDER BY id</consulta>
  <formula nombre="Filas" tipo="numero"/>
  <encabezado-pagina alto="14">
    <texto ancho="190" alto="7" tamano="12" negrita="si" alineacion="centro">Órdenes de compra</texto>
    <caja y="8" ancho="190" alto="6" relleno="#2f4f6f" borde="no"/>
    <texto x="1" y="8" ancho="18" alto="6" negrita="si" color="#ffffff">Número</texto>
    <texto x="20" y="8" ancho="25" alto="6" negrita="si" color="#ffffff">Código</texto>
    <texto x="46" y="8" ancho="90" alto="6" negrita="si" color="#ffffff">Descripción</texto>
    <texto x="137" y="8" ancho="20" alto="6" negrita="si" color="#ffffff">Fecha</texto>
    <texto x="158" y="8" ancho="31" alto="6" negrita="si" color="#ffffff" alineacion="derecha">Importe</texto>
  </encabezado-pagina>
  <detalle alto="5" sombreado="#eef2f6">
    <campo columna="id" x="1" ancho="18" formato="0"/>
    <campo columna="codigo" x="20" ancho="25"/>
    <campo columna="descripcion" x="46" ancho="90"/>
    <campo columna="fecha" x="137" ancho="20" formato="dd/mm/yyyy"/>
    <campo columna="importe" x="158" ancho="31" formato="#.##0,00" alineacion="derecha"/>
  </detalle>
  <pie-reporte alto="8">
    <total funcion="cuenta" x="1" ancho="60" alto="6" negrita="si" prefijo="Órdenes: " formato="#.##0"/>
    <total funcion="suma" columna="importe" x="129" ancho="60" alto="6" negrita="si"
           formato="#.##0,00" alineacion="derecha"/>
  </pie-reporte>
  <pie-pagina alto="8">
    <campo especial="pagina-n-de-m" x="130" y="2" ancho="60" alto="5" tamano="8" alineacion="derecha"/>
  </pie-pagina>
</reporte>)";

bool Psql(const QString& sql) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("psql"),
            {QStringLiteral("-X"), QStringLiteral("-q"), QStringLiteral("-v"),
             QStringLiteral("ON_ERROR_STOP=1"), QStringLiteral("-h"),
             qEnvironmentVariable("MIRAVEL_PGHOST"), QStringLiteral("-p"),
             qEnvironmentVariable("MIRAVEL_PGPORT"), QStringLiteral("-U"),
             QStringLiteral("postgres"), QStringLiteral("-d"),
             qEnvironmentVariable("MIRAVEL_PGDATABASE", QStringLiteral("miravel")),
             QStringLiteral("-c"), sql});
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// Memoria residente actual del proceso, en KiB.
long MemoriaKb() {
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> campos = f.readAll().split(' ');
    return campos.size() > 1 ? campos[1].toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

QString Logon() {
    return QStringLiteral(";;;UID=DEMO;PWD=") + DerivarClave(QStringLiteral("demo"));
}

bool Preparar(MotorReporte& m, const QString& archivo, int filas) {
    m.Reset();
    m.setReportFileName(archivo);
    m.setConnect(Logon());
    m.setFormulas(0, QStringLiteral("Filas = %1").arg(filas));
    return true;
}

// Piso: las mismas filas con los mismos textos, dibujadas sin motor.
double Piso(const QString& pdf, int filas) {
    QElapsedTimer t;
    t.start();
    ConexionBase c;
    if (!c.Abrir(ArmarCadenaODBC(QStringLiteral("DEMO"), DerivarClave(QStringLiteral("demo")))))
        return -1;
    Recordset rs;
    if (!c.Consultar(QStringLiteral("SELECT id, codigo, descripcion, fecha, importe FROM "
                                    "public.banco_reporte WHERE id <= %1 ORDER BY id")
                         .arg(filas),
                     rs))
        return -1;
    QPdfWriter w(pdf);
    w.setResolution(720);
    w.setPageSize(QPageSize(QPageSize::A4));
    w.setPageMargins(QMarginsF());
    QPainter p(&w);
    const qreal escala = w.logicalDpiX() / 72.0;
    p.scale(escala, escala);
    QFont letra(FamiliaPrograma());
    letra.setPointSizeF(9 * 72.0 / w.logicalDpiY());
    p.setFont(letra);
    const qreal mm = 72 / 25.4;
    int enPagina = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        if (enPagina == 51) { // como el reporte: (277 - 14 - 8) mm / 5 mm

            w.newPage();
            enPagina = 0;
        }
        const qreal y = (10 + 14 + 5 * enPagina + 3.5) * mm;
        p.drawText(QPointF(11 * mm, y), rs.Valor(0).toString());
        p.drawText(QPointF(30 * mm, y), rs.Valor(1).toString());
        p.drawText(QPointF(56 * mm, y), rs.Valor(2).toString());
        p.drawText(QPointF(147 * mm, y),
                   rs.Valor(3).toDate().toString(QStringLiteral("dd/MM/yyyy")));
        p.drawText(QPointF(175 * mm, y), FormatearNumeroEs(rs.Valor(4).toDouble(), 2));
        ++enPagina;
    }
    p.end();
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
    QList<int> tamanos;
    for (int i = 1; i < argc; ++i)
        tamanos << QString::fromLocal8Bit(argv[i]).toInt();
    if (tamanos.isEmpty())
        tamanos = {1000, 10000, 100000};
    const int maximo = *std::max_element(tamanos.begin(), tamanos.end());
    if (!Psql(QStringLiteral("DROP TABLE IF EXISTS public.banco_reporte; CREATE TABLE "
                             "public.banco_reporte AS SELECT g AS id, 'C' || lpad(g::text, 8, "
                             "'0') AS codigo, 'Orden de compra número ' || g || ' de artículos "
                             "de librería' AS descripcion, DATE '2020-01-01' + (g % 2000) AS "
                             "fecha, round((g * 37.13)::numeric % 100000, 2) AS importe FROM "
                             "generate_series(1, %1) g; GRANT SELECT ON public.banco_reporte TO "
                             "PUBLIC;")
                  .arg(maximo))) {
        std::fprintf(stderr, "No se pudo llenar la tabla con psql\n");
        return 2;
    }
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("MRV_Banco.rpt"));
    {
        QFile f(archivo);
        f.open(QIODevice::WriteOnly);
        f.write(DefinicionBanco);
    }

    std::printf("%8s %8s %12s %12s %12s %8s %14s %14s\n", "filas", "paginas", "1a pag (ms)",
                "PDF (ms)", "piso (ms)", "PDF/piso", "mem ini (KiB)", "mem max (KiB)");
    QMap<int, double> tiemposPdf;
    for (int filas : tamanos) {
        MotorReporte m;
        // primera página: correr y pintarla como la vista previa (96 ppp, ancho de página)
        double primera = 1e18;
        for (int vez = 0; vez < 3; ++vez) {
            Preparar(m, archivo, filas);
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
            primera = std::min(primera, t.nsecsElapsed() / 1e6);
        }
        // PDF entero, desde correr el reporte
        double pdf = 1e18, piso = 1e18;
        for (int vez = 0; vez < 3; ++vez) {
            Preparar(m, archivo, filas);
            QElapsedTimer t;
            t.start();
            if (!m.setAction(1) || !m.ExportarPdf(dir.filePath(QStringLiteral("motor.pdf")))) {
                std::fprintf(stderr, "%s\n", qPrintable(m.ErrorDescripcion()));
                return 1;
            }
            pdf = std::min(pdf, t.nsecsElapsed() / 1e6);
            piso = std::min(piso, Piso(dir.filePath(QStringLiteral("piso.pdf")), filas));
        }
        tiemposPdf[filas] = pdf;
        // memoria: todas las páginas una tras otra en la misma imagen
        QImage vista(900, 1270, QImage::Format_RGB32);
        long inicial = 0, maxima = 0;
        for (int pagina = 1; pagina <= m.TotalPaginas(); ++pagina) {
            vista.fill(Qt::white);
            QPainter p(&vista);
            m.PintarPagina(pagina, p, m.EscalaZoom(vista.size(), 96));
            p.end();
            const long ahora = MemoriaKb();
            if (pagina == 1)
                inicial = ahora;
            maxima = std::max(maxima, ahora);
        }
        std::printf("%8d %8d %12.1f %12.1f %12.1f %8.2f %14ld %14ld\n", filas, m.TotalPaginas(),
                    primera, pdf, piso, pdf / piso, inicial, maxima);
        std::fflush(stdout);
    }
    if (tiemposPdf.contains(10000) && tiemposPdf.contains(100000))
        std::printf("T(10^5)/T(10^4) del PDF: %.2f (meta <= 12)\n",
                    tiemposPdf[100000] / tiemposPdf[10000]);
    Psql(QStringLiteral("DROP TABLE IF EXISTS public.banco_reporte"));
    return 0;
}
