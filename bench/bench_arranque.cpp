// Medición del arranque: tiempo desde el inicio del proceso hasta la ventana
// principal mostrada, por tramos (conexiones; parámetros y validación; árbol
// y barra de menú) y sentencias enviadas a la base en cada uno, para DEMO y
// para un usuario con un menú de 200 entradas que se crea y se borra aquí.
//
// Cada arranque corre en un proceso nuevo (este mismo programa con --pasos o
// --main), que repite los pasos de Main con sus funciones públicas y luego
// carga frmInicio. Una corrida de control llama a Main entero: sus sentencias
// deben coincidir con la suma de los tramos.
//
// Uso (con el entorno de scripts/basedatos): bench_arranque [repeticiones]
#include "ConexionBase.h"
#include "Conexiones.h"
#include "ControlVersion.h"
#include "Dialogos.h"
#include "Equipo.h"
#include "Fuentes.h"
#include "Func_SarvoArbol.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoMenues.h"
#include "Glob_Sarvo.h"
#include "InstanciaUnica.h"
#include "ParametrosArranque.h"
#include "SarvoMain.h"
#include "SesionesDuplicadas.h"
#include "Usuarios.h"
#include "frmInicio.h"
#include "frmResources.h"
#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <vector>

namespace {

const QString Sistema = QStringLiteral("Miravel");
const QString UsuarioMenu200 = QStringLiteral("MRV_BANCO200");
const QString ClaveMenu200 = QStringLiteral("banco200");

// Reloj común a los procesos: el padre toma la hora antes de lanzar al hijo.
qint64 AhoraNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// ---- Proceso medido

// Tramos seguidos: Cerrar anota los milisegundos y las sentencias desde el
// tramo anterior (o desde Abrir) y empieza el siguiente.
class Tramos {
public:
    explicit Tramos(qint64 inicio)
        : desde_(inicio), sentencias_(ConexionBase::SentenciasEnviadas()) {}
    void Cerrar(const char* nombre) {
        const qint64 ahora = AhoraNs();
        const qint64 enviadas = ConexionBase::SentenciasEnviadas();
        std::printf("MEDIDA %s %.3f %lld\n", nombre, double(ahora - desde_) / 1e6,
                    static_cast<long long>(enviadas - sentencias_));
        desde_ = ahora;
        sentencias_ = enviadas;
    }
    void Abrir() {
        desde_ = AhoraNs();
        sentencias_ = ConexionBase::SentenciasEnviadas();
    }

private:
    qint64 desde_;
    qint64 sentencias_;
};

// Avisa el primer pintado de cualquier widget de la ventana principal.
class VigiaPintado : public QObject {
public:
    explicit VigiaPintado(QWidget* ventana) : ventana_(ventana) {}
    bool pintada = false;

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() == QEvent::Paint && objeto->isWidgetType() &&
            static_cast<QWidget*>(objeto)->window() == ventana_)
            pintada = true;
        return false;
    }

private:
    QWidget* ventana_;
};

// Lo que hace Main hasta antes de la ventana principal, cada tramo anotado.
// Falso si el arranque se detuvo.
bool PasosDeMain(const QString& lineaComandos, InstanciaUnica& instancia, Tramos& tramos) {
    auto& g = Glob();

    if (!instancia.Tomar()) {
        std::printf("FALLA otra copia tiene el bloqueo de la instancia\n");
        return false;
    }
    dialogos().PonerPuntero(Puntero::Reloj);
    const QStringList argumentos = ObtenerArgumentos(lineaComandos, 10);
    ObtenerNombrePC();
    const QString usuario = argumentos.value(1).toUpper();
    const QString clave = argumentos.value(2);
    g.RutaSistema = argumentos.value(3);
    g.VersionSistema = argumentos.value(4);
    g.UsuarioWindows = ObtenerUsuarioWindows();
    g.ModoConexion = 0;
    ConexionBase::IdentidadCliente(QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                                   g.NombrePC, g.UsuarioWindows);
    tramos.Cerrar("previo");

    if (!ConectarBase(g.Conexion, usuario, clave, g.ServidorBase) ||
        !ConectarBase(g.ConexionAuditoria, usuario, clave, g.ServidorBase) ||
        !ConectarBase(g.ConexionAuxiliar, usuario, clave, g.ServidorBase)) {
        std::printf("FALLA no se pudo conectar con %s\n", qPrintable(usuario));
        return false;
    }
    tramos.Cerrar("conexiones");

    if (!ValidarAcceso(usuario))
        return false;
    CargarParametrosSesion();
    CerrarSesionesAnteriores(usuario, g.UsuarioWindows);
    if (SesionDuplicada(usuario) || !ControlarVersion())
        return false;
    tramos.Cerrar("validacion");
    return true;
}

// Un arranque completo en este proceso. entero: Main en un solo tramo.
int MedirArranque(int argc, char** argv, bool entero, qint64 inicioProceso, const QString& usuario,
                  const QString& clave) {
    Tramos tramos(inicioProceso);
    tramos.Cerrar("proceso");

    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));
    CargarFuentes();
    InicializarImagenes();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/imagenes/miravel.png")));
    InicializarMensajes();
    tramos.Cerrar("qt");

    // Instalación y bloqueo propios: una copia de Miravel abierta no molesta.
    QTemporaryDir carpeta;
    if (!carpeta.isValid())
        return 2;
    const QString linea = usuario + QLatin1Char(' ') + clave + QLatin1Char(' ') + carpeta.path() +
                          QLatin1String("/ ") + QLatin1String(MIRAVEL_VERSION_TEXTO);
    InstanciaUnica instancia(NombreEjecutable(), carpeta.path());
    tramos.Abrir();
    if (entero) {
        FijarCarpetaInstancia(carpeta.path());
        if (!Main(linea)) {
            std::printf("FALLA Main rechazó el arranque\n");
            return 1;
        }
        tramos.Cerrar("main");
    } else if (!PasosDeMain(linea, instancia, tramos)) {
        return 1;
    }

    int resultado = 0;
    {
        frmInicio ventana;
        tramos.Cerrar("crear");
        VigiaPintado vigia(&ventana);
        app.installEventFilter(&vigia);
        if (!ventana.Cargar()) {
            std::printf("FALLA la ventana principal no cargó el menú\n");
            return 1;
        }
        tramos.Cerrar("ventana");
        // Lo que Cargar dejó pendiente (árbol, barra) se pinta en el bucle de eventos.
        vigia.pintada = false;
        QDeadlineTimer plazo(2000);
        while (!vigia.pintada && !plazo.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        tramos.Cerrar("pintado");
        app.removeEventFilter(&vigia);
        if (!vigia.pintada)
            std::printf("AVISO la ventana no se pintó en 2 s\n");
        std::printf("NODOS %d\n", ventana.Arbol().Cantidad());

        // Detalle de la carga de la ventana, repetido aparte (no suma al total).
        if (!entero) {
            ArbolMenu arbol;
            MenuVentana barra;
            tramos.Abrir();
            CargarMenu(arbol, Sistema, Glob().UsuarioActual);
            tramos.Cerrar("d_cargarmenu");
            NodoMenu* inicial = arbol.Seleccionado();
            QuitarMenuesVacios(arbol);
            tramos.Cerrar("d_quitarvacios");
            barra.CargarMenuVentana(arbol, inicial ? inicial : arbol.Nodo(1));
            tramos.Cerrar("d_barra");
        }

        // Cierre de la sesión como al salir con "Si": la fila queda en "N".
        if (!Glob().RowIdAuditoria.isEmpty()) {
            RegistrarSalida(Glob().RowIdAuditoria, 0, 0, 0, 0);
            std::printf("ROWID %s\n", qPrintable(Glob().RowIdAuditoria));
        } else {
            resultado = 1;
        }
    }
    CerrarConexion(Glob().ConexionAuxiliar);
    CerrarConexion(Glob().ConexionAuditoria);
    CerrarConexion(Glob().Conexion);
    SoltarInstancia();
    std::fflush(stdout);
    return resultado;
}

// ---- Proceso que dirige

QStringList ArgumentosPsql(const QString& sql) {
    return {
        QStringLiteral("-X"), QStringLiteral("-q"),
        QStringLiteral("-A"), QStringLiteral("-t"),
        QStringLiteral("-v"), QStringLiteral("ON_ERROR_STOP=1"),
        QStringLiteral("-h"), qEnvironmentVariable("MIRAVEL_PGHOST"),
        QStringLiteral("-p"), qEnvironmentVariable("MIRAVEL_PGPORT"),
        QStringLiteral("-U"), QStringLiteral("postgres"),
        QStringLiteral("-d"), qEnvironmentVariable("MIRAVEL_PGDATABASE", QStringLiteral("miravel")),
        QStringLiteral("-c"), sql};
}

// Corre psql como postgres; la salida, o nullopt si falló (el error va a stderr).
std::optional<QString> Psql(const QString& sql) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QStringLiteral("psql"), ArgumentosPsql(sql));
    if (!p.waitForStarted() || !p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return std::nullopt;
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

QString BorrarUsuarioMenu200() {
    return QStringLiteral(
               "SET client_min_messages = warning;"
               "DELETE FROM owner_sarvo.auditoria WHERE usuario = '%1';"
               "DELETE FROM owner_sarvo.usuario_menu WHERE usuario = '%1';"
               "DELETE FROM owner_sarvo.restricciones_usuario WHERE usuario = '%1';"
               "DELETE FROM owner_sarvo.tareas_menues WHERE sistema = 'Miravel' AND menu LIKE "
               "'MRVB\\_%';"
               "DELETE FROM owner_sarvo.menues WHERE sistema = 'Miravel' AND menu LIKE 'MRVB\\_%';"
               "DELETE FROM owner_sarvo.tareas WHERE sistema = 'Miravel' AND tarea LIKE 'MRVB%';"
               "DELETE FROM owner_sarvo.usuarios WHERE usuario = '%1';"
               "DROP ROLE IF EXISTS \"%1\";")
        .arg(UsuarioMenu200);
}

// Diez submenúes de diecinueve entradas (la décima, un separador) bajo un
// menú principal de diez: 200 entradas y 180 tareas distintas, cada una con
// la ventana de alguna de las diez estadísticas.
QString CrearUsuarioMenu200() {
    return QStringLiteral(
               "BEGIN;"
               "SELECT seguridad.crear_usuario('%1', '%2', 32001::smallint, 'Medición del "
               "arranque');"
               "INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario) "
               "  SELECT 'Miravel', 'MRVB' || lpad(g::text, 3, '0'), 'Tarea de medición ' || g, "
               "         (101 + (g - 1) % 10)::smallint FROM generate_series(1, 180) g;"
               "INSERT INTO owner_sarvo.menues (sistema, menu, item, titulo, menu_hijo) "
               "  SELECT 'Miravel', 'MRVB_PRINCIPAL', s, 'Grupo ' || s, 'MRVB_G' || lpad(s::text, "
               "2, '0') "
               "    FROM generate_series(1, 10) s;"
               "INSERT INTO owner_sarvo.menues (sistema, menu, item, titulo, menu_hijo) "
               "  SELECT 'Miravel', 'MRVB_G' || lpad(s::text, 2, '0'), i, "
               "         CASE WHEN i = 10 THEN '-' ELSE 'Tarea ' || s || '.' || i END, NULL "
               "    FROM generate_series(1, 10) s, generate_series(1, 19) i;"
               "INSERT INTO owner_sarvo.tareas_menues (sistema, menu, item, tarea) "
               "  SELECT 'Miravel', 'MRVB_G' || lpad(s::text, 2, '0'), i, "
               "         'MRVB' || lpad(((s - 1) * 18 + i - (i > 10)::int)::text, 3, '0') "
               "    FROM generate_series(1, 10) s, generate_series(1, 19) i WHERE i <> 10;"
               "INSERT INTO owner_sarvo.usuario_menu (sistema, usuario, menu) "
               "  VALUES ('Miravel', '%1', 'MRVB_PRINCIPAL');"
               "COMMIT;")
        .arg(UsuarioMenu200, ClaveMenu200);
}

// Espera que el servidor retire las sesiones del arranque anterior: si no,
// el siguiente las vería como sesiones duplicadas.
bool SinSesiones(const QString& usuario) {
    QDeadlineTimer plazo(10000);
    for (;;) {
        const auto n =
            Psql(QStringLiteral("SELECT count(*) FROM pg_stat_activity WHERE usename = '%1'")
                     .arg(usuario));
        if (n && *n == QLatin1String("0"))
            return true;
        if (plazo.hasExpired())
            return false;
        QThread::msleep(20);
    }
}

struct Corrida {
    QMap<QString, double> ms;
    QMap<QString, qint64> sentencias;
    int nodos = 0;
    QString rowId;
};

std::optional<Corrida> CorrerHijo(const QString& modo, const QString& usuario,
                                  const QString& clave) {
    if (!SinSesiones(usuario)) {
        std::fprintf(stderr, "Siguen abiertas sesiones de %s\n", qPrintable(usuario));
        return std::nullopt;
    }
    QProcess p;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(entorno);
    const QStringList argumentos{modo, QString::number(AhoraNs()), usuario, clave};
    p.start(QCoreApplication::applicationFilePath(), argumentos);
    if (!p.waitForStarted() || !p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        std::fprintf(stderr, "El arranque de %s no terminó\n", qPrintable(usuario));
        return std::nullopt;
    }
    const QString salida = QString::fromUtf8(p.readAllStandardOutput());
    Corrida c;
    for (const QString& linea : salida.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList campos = linea.split(QLatin1Char(' '));
        if (campos.value(0) == QLatin1String("MEDIDA") && campos.size() == 4) {
            c.ms[campos[1]] = campos[2].toDouble();
            c.sentencias[campos[1]] = campos[3].toLongLong();
        } else if (campos.value(0) == QLatin1String("NODOS")) {
            c.nodos = campos.value(1).toInt();
        } else if (campos.value(0) == QLatin1String("ROWID")) {
            c.rowId = campos.value(1);
        }
    }
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        std::fprintf(stderr, "El arranque de %s falló:\n%s%s", qPrintable(usuario),
                     qPrintable(salida), p.readAllStandardError().constData());
        if (!c.rowId.isEmpty())
            return c; // la fila de auditoría igual se borra
        return std::nullopt;
    }
    return c;
}

double Mediana(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

struct Resumen {
    QString usuario;
    std::vector<Corrida> pasos;
    std::vector<Corrida> enteros;
};

double MedianaDe(const std::vector<Corrida>& corridas, const QString& tramo) {
    std::vector<double> v;
    for (const Corrida& c : corridas)
        v.push_back(c.ms.value(tramo));
    return Mediana(v);
}

double TotalDe(const Corrida& c, const QStringList& tramos) {
    double t = 0;
    for (const QString& n : tramos)
        t += c.ms.value(n);
    return t;
}

qint64 SentenciasDe(const Corrida& c, const QStringList& tramos) {
    qint64 n = 0;
    for (const QString& t : tramos)
        n += c.sentencias.value(t);
    return n;
}

void Linea(const QString& texto, double ms, int decimales, std::optional<qint64> sentencias,
           const QString& nota = QString()) {
    QString l = texto.leftJustified(44) + QString::number(ms, 'f', decimales).rightJustified(9) +
                QStringLiteral(" ms");
    if (sentencias)
        l += QString::number(*sentencias).rightJustified(7) + QStringLiteral(" sentencias");
    if (!nota.isEmpty())
        l += QStringLiteral("  ") + nota;
    std::printf("%s\n", l.toUtf8().constData());
}

// Imprime un usuario; falso si las sentencias no son las mismas en cada
// corrida o no coinciden con las de Main entero.
bool Imprimir(const Resumen& r) {
    struct Fila {
        QString tramo;
        QString texto;
    };
    const std::vector<Fila> filas{
        {QStringLiteral("proceso"), QStringLiteral("inicio del proceso hasta main")},
        {QStringLiteral("qt"), QStringLiteral("QApplication, imágenes y mensajes")},
        {QStringLiteral("previo"), QStringLiteral("instancia, argumentos y equipo")},
        {QStringLiteral("conexiones"), QStringLiteral("conexiones (tres ConectarBase)")},
        {QStringLiteral("validacion"), QStringLiteral("parámetros y validación")},
        {QStringLiteral("crear"), QStringLiteral("construcción de frmInicio")},
        {QStringLiteral("ventana"), QStringLiteral("carga de frmInicio: árbol y barra de menú")},
        {QStringLiteral("pintado"), QStringLiteral("pintado de la ventana mostrada")},
    };
    QStringList tramosPasos;
    for (const Fila& f : filas)
        tramosPasos << f.tramo;
    const QStringList tramosMain{QStringLiteral("proceso"), QStringLiteral("qt"),
                                 QStringLiteral("main"),    QStringLiteral("crear"),
                                 QStringLiteral("ventana"), QStringLiteral("pintado")};
    const QStringList tramosMainPasos{QStringLiteral("previo"), QStringLiteral("conexiones"),
                                      QStringLiteral("validacion")};

    bool bien = true;
    const Corrida& una = r.pasos.front();
    for (const Corrida& c : r.pasos)
        bien = bien && c.sentencias == una.sentencias;
    std::vector<double> totales;
    for (const Corrida& c : r.pasos)
        totales.push_back(TotalDe(c, tramosPasos));

    std::printf("\n%s: %d corridas, %d nodos en el árbol (medianas)\n", qPrintable(r.usuario),
                int(r.pasos.size()), una.nodos);
    for (const Fila& f : filas)
        Linea(QStringLiteral("  ") + f.texto, MedianaDe(r.pasos, f.tramo), 1,
              una.sentencias.value(f.tramo));
    Linea(QStringLiteral("  total hasta la ventana mostrada"), Mediana(totales), 1,
          SentenciasDe(una, tramosPasos),
          QStringLiteral("(mín %1, máx %2)")
              .arg(*std::min_element(totales.begin(), totales.end()), 0, 'f', 1)
              .arg(*std::max_element(totales.begin(), totales.end()), 0, 'f', 1));
    std::printf("  carga de frmInicio por partes, repetidas aparte:\n");
    Linea(QStringLiteral("    CargarMenu"), MedianaDe(r.pasos, QStringLiteral("d_cargarmenu")), 1,
          una.sentencias.value(QStringLiteral("d_cargarmenu")));
    Linea(QStringLiteral("    QuitarMenuesVacios"),
          MedianaDe(r.pasos, QStringLiteral("d_quitarvacios")), 3, std::nullopt);
    Linea(QStringLiteral("    barra de menú (CargarMenuVentana)"),
          MedianaDe(r.pasos, QStringLiteral("d_barra")), 3, std::nullopt);
    if (!bien)
        std::printf("  ¡las sentencias variaron entre corridas!\n");

    if (!r.enteros.empty()) {
        std::vector<double> total, main, pasos;
        for (const Corrida& c : r.enteros) {
            total.push_back(TotalDe(c, tramosMain));
            main.push_back(c.ms.value(QStringLiteral("main")));
        }
        for (const Corrida& c : r.pasos)
            pasos.push_back(TotalDe(c, tramosMainPasos));
        const qint64 nMain = SentenciasDe(r.enteros.front(), tramosMain);
        const bool coincide = nMain == SentenciasDe(una, tramosPasos);
        std::printf("  control, Main entero (%d corridas):\n", int(r.enteros.size()));
        Linea(QStringLiteral("    Main"), Mediana(main), 1,
              r.enteros.front().sentencias.value(QStringLiteral("main")),
              QStringLiteral("(por tramos: %1 ms)").arg(Mediana(pasos), 0, 'f', 1));
        Linea(QStringLiteral("    total hasta la ventana mostrada"), Mediana(total), 1, nMain,
              coincide ? QString() : QStringLiteral("¡no coincide con los tramos!"));
        bien = bien && coincide;
    }
    return bien;
}

int Dirigir(int repeticiones) {
    if (qEnvironmentVariableIsEmpty("ODBCINI") || qEnvironmentVariableIsEmpty("MIRAVEL_PGHOST")) {
        std::fprintf(stderr,
                     "Falta el entorno del servidor privado (scripts/basedatos iniciar DIR)\n");
        return 2;
    }
    // Lo que haya quedado de una corrida interrumpida se borra antes de crear.
    if (!Psql(BorrarUsuarioMenu200()) || !Psql(CrearUsuarioMenu200())) {
        std::fprintf(stderr, "No se pudo crear el usuario %s con psql\n",
                     qPrintable(UsuarioMenu200));
        Psql(BorrarUsuarioMenu200());
        return 2;
    }

    struct Cuenta {
        QString usuario;
        QString clave;
    };
    const Cuenta cuentas[] = {{QStringLiteral("DEMO"), QStringLiteral("demo")},
                              {UsuarioMenu200, ClaveMenu200}};
    std::vector<Resumen> resumenes;
    QStringList filasAuditoria;
    bool bien = true;
    for (const Cuenta& c : cuentas) {
        Resumen r;
        r.usuario = c.usuario;
        // Una de control con Main entero cada dos por tramos, intercaladas
        // para que las dos sufran igual la carga de la máquina.
        const int controles = std::max(1, repeticiones / 2);
        for (int i = 0; i < repeticiones + controles && bien; ++i) {
            const bool entero = int(r.enteros.size()) < controles &&
                                (i % 3 == 2 || int(r.pasos.size()) >= repeticiones);
            auto corrida = CorrerHijo(entero ? QStringLiteral("--main") : QStringLiteral("--pasos"),
                                      c.usuario, c.clave);
            if (corrida && !corrida->rowId.isEmpty())
                filasAuditoria << QLatin1Char('\'') + corrida->rowId + QLatin1Char('\'');
            if (!corrida || corrida->ms.isEmpty()) {
                bien = false;
                break;
            }
            (entero ? r.enteros : r.pasos).push_back(*corrida);
        }
        if (!bien)
            break;
        resumenes.push_back(r);
    }

    if (bien) {
        std::printf("Arranque hasta la ventana principal mostrada (QT_QPA_PLATFORM=offscreen).\n");
        std::printf("Sentencias: las que Ejecutar, EjecutarProcedimiento y Consultar enviaron.\n");
        for (const Resumen& r : resumenes)
            bien = Imprimir(r) && bien;
    }

    // Las sesiones de DEMO que abrió la medición no quedan en su auditoría.
    if (!filasAuditoria.isEmpty() &&
        !Psql(QStringLiteral("DELETE FROM owner_sarvo.auditoria WHERE rowid IN (%1)")
                  .arg(filasAuditoria.join(QLatin1Char(',')))))
        bien = false;
    if (!SinSesiones(UsuarioMenu200) || !Psql(BorrarUsuarioMenu200())) {
        std::fprintf(stderr, "No se pudo borrar el usuario %s\n", qPrintable(UsuarioMenu200));
        bien = false;
    }
    return bien ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const qint64 enMain = AhoraNs();
    const QString modo = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    if ((modo == QLatin1String("--pasos") || modo == QLatin1String("--main")) && argc == 5) {
        bool ok = false;
        const qint64 inicio = QByteArray(argv[2]).toLongLong(&ok);
        int argcQt = 1; // los argumentos propios no son de Qt
        return MedirArranque(argcQt, argv, modo == QLatin1String("--main"), ok ? inicio : enMain,
                             QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]));
    }
    QCoreApplication app(argc, argv);
    const int repeticiones = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5;
    return Dirigir(std::max(1, repeticiones));
}
