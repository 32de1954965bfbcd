// Banco de prueba del volcado de filas: 100 000 filas de seis columnas en el
// servidor privado; en un solo proceso compara psql copiando las filas a
// /dev/null con lo que hace la consola (leer e imprimir) y con la exportación
// a CSV (leer y grabar), y muestra el costo de la conversión celda a celda
// de antes. Imprime tiempos y razones frente al COPY.
// Uso (con el entorno de scripts/basedatos): bench_filas [filas]
#include "Conexiones.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Recordset.h"
#include "VolcadoFilas.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

QStringList ArgumentosPsql(const QString& sql) {
    return {
        QStringLiteral("-X"), QStringLiteral("-q"),
        QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
        QStringLiteral("-h"), qEnvironmentVariable("MIRAVEL_PGHOST"),
        QStringLiteral("-p"), qEnvironmentVariable("MIRAVEL_PGPORT"),
        QStringLiteral("-U"), QStringLiteral("postgres"),
        QStringLiteral("-d"), qEnvironmentVariable("MIRAVEL_PGDATABASE", QStringLiteral("miravel")),
        QStringLiteral("-c"), sql};
}

bool Psql(const QString& sql) {
    QProcess p;
    p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("psql"), ArgumentosPsql(sql));
    return p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// El mejor de cinco, en milisegundos.
double Mejor(const std::function<void()>& paso) {
    double mejor = 1e12;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        paso();
        mejor = std::min(mejor, t.nsecsElapsed() / 1e6);
    }
    return mejor;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int filas = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    if (qEnvironmentVariableIsEmpty("ODBCINI") || qEnvironmentVariableIsEmpty("MIRAVEL_PGHOST")) {
        std::fprintf(stderr,
                     "Falta el entorno del servidor privado (scripts/basedatos iniciar DIR)\n");
        return 2;
    }
    InicializarMensajes();
    const QString llenar =
        QStringLiteral(
            "DROP TABLE IF EXISTS public.banco_volcado; "
            "CREATE TABLE public.banco_volcado AS SELECT g AS id, 'C' || lpad(g::text, 8, '0') AS "
            "codigo, 'Orden de compra número ' || g || ' de artículos de librería' AS descripcion, "
            "round((g * 37.13)::numeric % 100000, 2) AS importe, DATE '2020-01-01' + (g % 2000) "
            "AS fecha, g % 97 AS cantidad FROM generate_series(1, %1) g; "
            "GRANT SELECT ON public.banco_volcado TO PUBLIC;")
            .arg(filas);
    if (!Psql(llenar)) {
        std::fprintf(stderr, "No se pudo llenar la tabla con psql\n");
        return 2;
    }
    const QString consulta = QStringLiteral("SELECT * FROM public.banco_volcado");
    if (!ConectarBase(Glob().Conexion, QStringLiteral("DEMO"), QStringLiteral("demo"), QString()))
        return 2;
    std::FILE* nulo = std::fopen("/dev/null", "wb");
    QTemporaryDir dir;
    const QString rutaCsv = dir.filePath(QStringLiteral("filas.csv"));

    const double copy = Mejor([&] { Psql(QStringLiteral("\\copy (%1) TO STDOUT").arg(consulta)); });
    double lectura = 1e12;
    int cuenta = 0;
    const double consola = Mejor([&] {
        QElapsedTimer t;
        t.start();
        Recordset rs;
        CargarRecordset(rs, consulta, QString());
        lectura = std::min(lectura, t.nsecsElapsed() / 1e6);
        cuenta = rs.RecordCount();
        const QByteArray texto = VolcadoFilas(rs, VolcadoFilas::Destino::Consola).Todo();
        std::fwrite(texto.constData(), 1, size_t(texto.size()), nulo);
        std::fflush(nulo);
    });
    const double csv = Mejor([&] {
        Recordset rs;
        CargarRecordset(rs, consulta, QString());
        QSaveFile archivo(rutaCsv);
        archivo.open(QIODevice::WriteOnly);
        archivo.write(VolcadoFilas(rs, VolcadoFilas::Destino::Csv).Todo());
        archivo.commit();
    });
    // Lo de antes: cada celda a QVariant y a QString, una línea por vez.
    Recordset rs;
    CargarRecordset(rs, consulta, QString());
    const double antes = Mejor([&] {
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            QStringList campos;
            for (int i = 0; i < rs.CantidadCampos(); ++i)
                campos << VolcadoFilas::TextoConsola(rs.Valor(i));
            const QByteArray linea = (campos.join(QLatin1Char('\t')) + QLatin1Char('\n')).toUtf8();
            std::fwrite(linea.constData(), 1, size_t(linea.size()), nulo);
        }
        std::fflush(nulo);
    });
    const double soloVolcado =
        Mejor([&] { VolcadoFilas(rs, VolcadoFilas::Destino::Consola).Todo(); });

    std::printf("filas:                              %d x 6 columnas\n", cuenta);
    std::printf("psql \\copy a la salida (mejor de 5): %.1f ms\n", copy);
    std::printf("lectura del recordset:              %.1f ms (%.2f x COPY)\n", lectura,
                lectura / copy);
    std::printf("consola, leer e imprimir:           %.1f ms (%.2f x COPY; meta <= 2)\n", consola,
                consola / copy);
    std::printf("CSV, leer y grabar:                 %.1f ms (%.2f x COPY; meta <= 2)\n", csv,
                csv / copy);
    std::printf("solo el volcado a texto:            %.1f ms\n", soloVolcado);
    std::printf("impresión celda a celda de antes:   %.1f ms\n", antes);
    std::fclose(nulo);
    CerrarConexion(Glob().Conexion);
    Psql(QStringLiteral("DROP TABLE IF EXISTS public.banco_volcado"));
    return cuenta == filas ? 0 : 1;
}
