// Banco de las ventanas de gráficos: "Aceptar" de cada una de punta a punta
// (generar, confirmar, leer y llenar los modelos) contra las mismas llamadas
// y lecturas hechas por psql, y el dibujo de sus gráficos aparte.
//
// Las sentencias de psql son las que traza el programa en una corrida previa
// (las llamadas como SELECT). Una sesión de psql abierta todo el banco mide
// cada sentencia (\timing); el programa, con su conexión también abierta,
// mide "Aceptar" entero. Cada "Aceptar" va seguido de la misma vuelta en psql
// y la razón es la mediana de las razones de cada par.
//
// Uso (con el entorno de scripts/basedatos): bench_estadisticas [pares]
#include "Conexiones.h"
#include "EvolucionGastos.h"
#include "EvolucionRecursos.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "GastosPersonal.h"
#include "Glob_Sarvo.h"
#include "Ingresos.h"
#include "OcupacionCargos.h"
#include "Parametros.h"
#include "RecursosGastos.h"
#include "TipoCompra.h"
#include "VistaGrafico.h"
#include <QApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QDate Fecha(2025, 8, 31);

class CajaFija : public CajaFecha {
public:
    QDate Fecha() const override { return fecha; }
    void PonerFecha(const QDate& f) override { fecha = f; }
    QDate fecha = ::Fecha;
};

// Una sesión de psql abierta todo el banco: recibe un bloque de sentencias
// por su entrada y devuelve lo que midió (\timing) de cada una. Su salida
// va por renglones (stdbuf) para leer cada medida apenas termina.
class SesionPsql {
public:
    bool Abrir() {
        p_.start(QStringLiteral("stdbuf"),
                 {QStringLiteral("-oL"), QStringLiteral("psql"), QStringLiteral("-X"),
                  QStringLiteral("-q"), QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
                  QStringLiteral("-o"), QProcess::nullDevice(), QStringLiteral("-h"),
                  qEnvironmentVariable("MIRAVEL_PGHOST"), QStringLiteral("-p"),
                  qEnvironmentVariable("MIRAVEL_PGPORT"), QStringLiteral("-U"),
                  QStringLiteral("postgres"), QStringLiteral("-d"),
                  qEnvironmentVariable("MIRAVEL_PGDATABASE", QStringLiteral("miravel"))});
        if (!p_.waitForStarted())
            return false;
        p_.write("SET datestyle TO 'ISO, DMY';\n\\timing on\n");
        return true;
    }
    ~SesionPsql() {
        p_.closeWriteChannel();
        p_.waitForFinished();
    }
    // Milisegundos que midió psql para las n sentencias del bloque; -1 si no respondió.
    double Correr(const QString& bloque, int n) {
        p_.write(bloque.toUtf8());
        double total = 0;
        for (int medidas = 0; medidas < n;) {
            if (!p_.canReadLine() && !p_.waitForReadyRead(60000))
                return -1;
            while (p_.canReadLine() && medidas < n) {
                // "Time: 1.234 ms" (o "Time: 1234.567 ms (00:01.235)").
                const QByteArray linea = p_.readLine();
                if (linea.startsWith("Time: ")) {
                    total += linea.mid(6).split(' ').first().toDouble();
                    ++medidas;
                }
            }
        }
        return total;
    }

private:
    QProcess p_;
};

// Las sentencias que trazó el programa, en el orden en que las mandó, como
// las correría psql: las llamadas a procedimientos pasan a SELECT y la
// confirmación cierra la transacción abierta antes de generar.
QStringList SentenciasPsql(const QString& carpeta) {
    QStringList sentencias{QStringLiteral("BEGIN;")};
    QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (!f.fileName().contains(QLatin1String("SEG")) || !f.open(QIODevice::ReadOnly))
            continue;
        const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i + 2 < lineas.size(); ++i) {
            if (!lineas[i].startsWith(QLatin1String("MRV ")))
                continue;
            const QString& sql = lineas[i + 2];
            if (lineas[i].endsWith(QLatin1String(".EjecutarSQLSTP")))
                sentencias << QLatin1String("SELECT ") + sql + QLatin1Char(';');
            else
                sentencias << sql + QLatin1Char(';');
        }
    }
    return sentencias;
}

struct Ventana {
    const char* nombre;
    std::function<std::unique_ptr<Estadistica>()> crear;
};

double Mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double Mejor(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::min_element(v.begin(), v.end());
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CargarFuentes();
    const int repeticiones = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 100;
    if (qEnvironmentVariableIsEmpty("ODBCINI") || qEnvironmentVariableIsEmpty("MIRAVEL_PGHOST")) {
        std::fprintf(stderr,
                     "Falta el entorno del servidor privado (scripts/basedatos iniciar DIR)\n");
        return 2;
    }
    InicializarMensajes();
    QTemporaryDir carpeta;
    Glob().RutaSistema = carpeta.path() + QLatin1Char('/');
    if (!ConectarBase(Glob().Conexion, QStringLiteral("DEMO"), QStringLiteral("demo"), QString()) ||
        !EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                  *Glob().Conexion))
        return 2;
    Glob().UsuarioActual = QStringLiteral("DEMO");
    Glob().CodUsuario = 32701;
    Glob().EjercicioActual = qint16(QDate::currentDate().year());

    const std::vector<Ventana> ventanas = {
        {"frmTipoCompra", [] { return std::make_unique<TipoCompra>(); }},
        {"frmOcupacionCargos", [] { return std::make_unique<OcupacionCargos>(); }},
        {"frmEvolucionGastos", [] { return std::make_unique<EvolucionGastos>(); }},
        {"frmEvolucionRecursos", [] { return std::make_unique<EvolucionRecursos>(); }},
        {"frmIngresos", [] { return std::make_unique<Ingresos>(); }},
        {"frmGastosPersonal", [] { return std::make_unique<GastosPersonal>(); }},
        {"frmRecursosGastos", [] { return std::make_unique<RecursosGastos>(); }},
    };

    SesionPsql psql;
    if (!psql.Abrir())
        return 2;
    std::printf("fecha %s, %d pares programa-psql\n\n",
                qPrintable(Fecha.toString(QStringLiteral("dd/MM/yyyy"))), repeticiones);
    std::printf("%-22s %17s %17s %7s %17s\n", "", "Aceptar (ms)", "psql (ms)", "", "dibujo (ms)");
    std::printf("%-22s %8s %8s %8s %8s %7s %8s %8s\n", "ventana", "mejor", "mediana", "mejor",
                "mediana", "razón", "mejor", "mediana");
    bool dentroDeLaMeta = true;
    for (const Ventana& v : ventanas) {
        std::unique_ptr<Estadistica> logica = v.crear();
        CajaFija caja;
        // Una corrida trazada da las sentencias para psql y calienta las cachés.
        QDir(carpeta.path() + QStringLiteral("/LogsFiles")).removeRecursively();
        Glob().SeguimientoSql = true;
        if (!logica->Aceptar(caja))
            return 1;
        Glob().SeguimientoSql = false;
        const QStringList sentencias = SentenciasPsql(carpeta.path());

        // De a pares: el programa y enseguida psql con las mismas sentencias,
        // así la carga de la máquina toca a los dos por igual. La primera
        // vuelta de psql calienta su sesión y no se cuenta.
        const QString bloque = sentencias.join(QLatin1Char('\n')) + QLatin1Char('\n');
        const int n = int(sentencias.size());
        if (psql.Correr(bloque, n) < 0)
            return 1;
        std::vector<double> tiempos, vueltas, razones;
        for (int i = 0; i < repeticiones; ++i) {
            QElapsedTimer t;
            t.start();
            logica->Aceptar(caja);
            tiempos.push_back(t.nsecsElapsed() / 1e6);
            vueltas.push_back(psql.Correr(bloque, n));
            if (vueltas.back() <= 0)
                return 1;
            razones.push_back(tiempos.back() / vueltas.back());
        }

        // El dibujo de lo que quedó en los modelos, aparte.
        std::vector<double> dibujos;
        for (int i = 0; i < repeticiones; ++i) {
            QElapsedTimer t;
            t.start();
            for (int g = 0; g < logica->Descripcion().graficos; ++g) {
                VistaGrafico vista;
                const QRect& lugar = logica->Descripcion().lugarGrafico[size_t(g)];
                vista.resize(lugar.width() / 15, lugar.height() / 15);
                vista.Dibujar(logica->Grafico(g));
                vista.grab();
            }
            dibujos.push_back(t.nsecsElapsed() / 1e6);
        }
        const double razon = Mediana(razones);
        dentroDeLaMeta = dentroDeLaMeta && razon <= 1.2;
        std::printf("%-22s %8.2f %8.2f %8.2f %8.2f %7.2f %8.2f %8.2f\n", v.nombre, Mejor(tiempos),
                    Mediana(tiempos), Mejor(vueltas), Mediana(vueltas), razon, Mejor(dibujos),
                    Mediana(dibujos));
    }
    std::printf("\nmeta: Aceptar <= 1,2 veces psql (mediana de los pares): %s\n",
                dentroDeLaMeta ? "cumplida" : "NO");
    CerrarConexion(Glob().Conexion);
    return 0;
}
