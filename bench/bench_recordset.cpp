// Banco de prueba de la lectura de recordsets: llena una tabla de 100 000
// filas de seis columnas en el servidor privado y compara CargarRecordset con
// psql copiando las mismas filas a /dev/null. Imprime tiempos, su razón y la
// memoria del recordset frente al tamaño de los datos crudos.
// Uso (con el entorno de scripts/basedatos): bench_recordset [filas]
#include "Conexiones.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Recordset.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <sys/resource.h>

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

// Corre psql; devuelve los bytes de su salida estándar o -1 si falló.
qint64 Psql(const QString& sql, bool contarSalida = false) {
    QProcess p;
    if (!contarSalida)
        p.setStandardOutputFile(QProcess::nullDevice());
    p.start(QStringLiteral("psql"), ArgumentosPsql(sql));
    qint64 bytes = 0;
    if (!p.waitForStarted())
        return -1;
    while (p.state() != QProcess::NotRunning) {
        p.waitForReadyRead(1000);
        bytes += p.readAllStandardOutput().size();
    }
    bytes += p.readAllStandardOutput().size();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? bytes : -1;
}

long PicoMemoriaKb() {
    rusage uso{};
    getrusage(RUSAGE_SELF, &uso);
    return uso.ru_maxrss;
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
            "DROP TABLE IF EXISTS public.banco_filas; "
            "CREATE TABLE public.banco_filas AS SELECT g AS id, 'C' || lpad(g::text, 8, '0') AS "
            "codigo, "
            "'Orden de compra número ' || g || ' de artículos de librería' AS descripcion, "
            "round((g * 37.13)::numeric % 100000, 2) AS importe, DATE '2020-01-01' + (g % 2000) AS "
            "fecha, "
            "g % 97 AS cantidad FROM generate_series(1, %1) g; GRANT SELECT ON public.banco_filas "
            "TO PUBLIC;")
            .arg(filas);
    if (Psql(llenar) < 0) {
        std::fprintf(stderr, "No se pudo llenar la tabla con psql\n");
        return 2;
    }
    const QString consulta = QStringLiteral("SELECT * FROM public.banco_filas");
    const qint64 crudos = Psql(QStringLiteral("\\copy (%1) TO STDOUT").arg(consulta), true);

    if (!ConectarBase(Glob().Conexion, QStringLiteral("DEMO"), QStringLiteral("demo"), QString()))
        return 2;

    const long memoriaAntes = PicoMemoriaKb();
    double mejorRecordset = 1e9;
    qsizetype memoriaRecordset = 0;
    int cuenta = 0;
    for (int i = 0; i < 3; ++i) {
        Recordset rs;
        QElapsedTimer t;
        t.start();
        CargarRecordset(rs, consulta, QString());
        mejorRecordset = std::min(mejorRecordset, t.nsecsElapsed() / 1e6);
        cuenta = rs.RecordCount();
        memoriaRecordset = rs.MemoriaUsada();
    }
    const long memoriaDespues = PicoMemoriaKb();

    double mejorPsql = 1e9;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        Psql(QStringLiteral("\\copy (%1) TO '/dev/null'").arg(consulta));
        mejorPsql = std::min(mejorPsql, t.nsecsElapsed() / 1e6);
    }

    std::printf("filas leídas:                 %d\n", cuenta);
    std::printf("CargarRecordset (mejor de 3): %.1f ms\n", mejorRecordset);
    std::printf("psql \\copy a /dev/null:       %.1f ms\n", mejorPsql);
    std::printf("razón:                        %.2f (meta <= 3)\n", mejorRecordset / mejorPsql);
    std::printf("datos crudos (COPY texto):    %lld bytes\n", static_cast<long long>(crudos));
    std::printf("memoria del recordset:        %lld bytes (%.2f veces los crudos; meta <= 3)\n",
                static_cast<long long>(memoriaRecordset),
                double(memoriaRecordset) / double(crudos));
    std::printf("pico del proceso:             +%ld KiB durante las lecturas\n",
                memoriaDespues - memoriaAntes);
    // La conexión tiene la tabla tomada dentro de su transacción: se cierra antes de borrarla.
    CerrarConexion(Glob().Conexion);
    Psql(QStringLiteral("DROP TABLE IF EXISTS public.banco_filas"));
    return cuenta == filas ? 0 : 1;
}
