// miravel-reporte USUARIO CLAVE ARCHIVO [--formula TEXTO]... [--sql SENTENCIA] --pdf SALIDA
//
// Corre un reporte por el mismo módulo de impresión que el programa (la misma
// búsqueda del archivo bajo MIRAVEL_RUTA_SISTEMA, el mismo ingreso y el mismo
// cambio de dueño, las fórmulas después de las automáticas), sin ventanas:
// escribe el PDF e imprime "PAGINAS <n>". Los mensajes salen como
// "MENSAJE <título>: <texto>". Sale con 0 si anduvo, 1 si el reporte falló
// (no está, está mal definido, falló el motor o el PDF) o es el de una tarea
// que el usuario no tiene, y 2 si no pudo conectar o el usuario no puede
// entrar (inhabilitado, sin menú de Miravel).
#include "Equipo.h"
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoImpresion.h"
#include "Glob_Sarvo.h"
#include "Permisos.h"
#include "SesionComando.h"
#include "TareasEstadistica.h"
#include "VentanasPdf.h"
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextStream>

namespace {

const QString Programa = QStringLiteral("miravel-reporte");

struct Pedido {
    QString usuario;
    QString clave;
    QString archivo;
    QStringList formulas;
    std::optional<QString> sql;
    QString pdf;
};

std::optional<Pedido> LeerArgumentos(const QStringList& args) {
    if (args.size() < 3)
        return std::nullopt;
    Pedido p{args.at(0), args.at(1), args.at(2), {}, std::nullopt, {}};
    for (qsizetype i = 3; i < args.size(); i += 2) {
        if (i + 1 >= args.size())
            return std::nullopt;
        const QString& opcion = args.at(i);
        const QString& valor = args.at(i + 1);
        if (opcion == QLatin1String("--formula"))
            p.formulas << valor;
        else if (opcion == QLatin1String("--sql") && !p.sql)
            p.sql = valor;
        else if (opcion == QLatin1String("--pdf") && p.pdf.isEmpty())
            p.pdf = valor;
        else
            return std::nullopt;
    }
    if (p.pdf.isEmpty())
        return std::nullopt;
    return p;
}

} // namespace

int main(int argc, char** argv) {
    // Sin pantalla: las letras y el PDF solo necesitan QtGui.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Los argumentos tal como llegaron; Qt solo recibe el nombre del programa.
    const QStringList argumentos = ArgumentosDelProceso(argc, argv);
    int argcQt = 1;
    QGuiApplication app(argcQt, argv);
    QTextStream salida(stdout);
    const auto pedido = LeerArgumentos(argumentos);
    if (!pedido) {
        QTextStream(stderr) << "Uso: miravel-reporte USUARIO CLAVE ARCHIVO [--formula TEXTO]... "
                               "[--sql SENTENCIA] --pdf SALIDA\n";
        return 2;
    }
    CargarFuentes();
    InicializarMensajes();

    // La sesión y el usuario como en el programa, antes de la consulta dada.
    if (!AbrirSesionComando(Programa, pedido->usuario, pedido->clave))
        return 2;
    // El reporte de una tarea exige el derecho a esa tarea, como su ventana.
    const auto tarea = TareaDelReporte(QFileInfo(pedido->archivo).fileName());
    if (tarea && !AccesoTareaInformado(QStringLiteral("Miravel"), Glob().UsuarioActual,
                                       tarea->codigo, tarea->caption, Programa))
        return 1;

    VentanasPdf pdf(QFileInfo(pedido->pdf).absoluteFilePath());
    InstalarVentanasImpresion(&pdf);
    IniciarReporte(true, true, false, true);
    for (const QString& formula : pedido->formulas)
        AgregarFormula(formula);
    if (pedido->sql)
        AsignarConsultaReporte(*pedido->sql);
    AsignarOpcionReporte(1);
    ImprimirReporte(Programa, QFileInfo(pedido->archivo).completeBaseName(), pedido->archivo,
                    QVariant(), 1, 0);
    InstalarVentanasImpresion(nullptr);

    if (ErrorReporte())
        return 1; // el módulo ya mostró el mensaje
    if (!pdf.Escrito()) {
        MostrarMensaje(
            QStringLiteral("No se pudo escribir el PDF %1: %2").arg(pedido->pdf, pdf.Falla()),
            Programa);
        return 1;
    }
    salida << "PAGINAS " << pdf.Paginas() << '\n';
    return 0;
}
