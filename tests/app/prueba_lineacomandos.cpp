// El programa entero arrancado como lo arranca el lanzador, con un usuario y
// una clave que son opciones de Qt ("-style", "-platform") y una versión
// "-reverse": llega a la ventana principal con esa sesión.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Recordset.h"
#include <QDeadlineTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Primer valor de la consulta por una conexión aparte; vacío si no hay.
QString Valor(const QString& sql) {
    auto c = prueba::Conectar();
    Recordset rs;
    if (!c->Abierta() || !c->Consultar(sql, rs) || rs.Eof())
        return QString();
    return rs.Valor(0).toString();
}

// Espera hasta que la consulta dé ese valor; falso si no llega a tiempo.
bool Esperar(const QString& sql, const QString& valor, int milisegundos) {
    QDeadlineTimer plazo(milisegundos);
    while (Valor(sql) != valor) {
        if (plazo.hasExpired())
            return false;
        QThread::msleep(100);
    }
    return true;
}

TEST(LineaDeComandos, OpcionesDeQtComoUsuarioClaveYVersion) {
    ASSERT_TRUE(prueba::HayServidor());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sesiones =
        QStringLiteral("SELECT count(*) FROM vis_conecciones WHERE nombre_usuario='-STYLE'");
    const QString ingresos =
        QStringLiteral("SELECT count(*) FROM OWNER_SARVO.auditoria WHERE usuario='-STYLE'");
    // Una sesión de una corrida anterior tomaría esta por duplicada.
    ASSERT_TRUE(Esperar(sesiones, QStringLiteral("0"), 10000));
    const int antes = Valor(ingresos).toInt();

    QProcess miravel;
    miravel.setProcessChannelMode(QProcess::ForwardedChannels);
    miravel.start(QStringLiteral(MIRAVEL), {QStringLiteral("-style"), QStringLiteral("-platform"),
                                            dir.path() + "/", QStringLiteral("-reverse")});
    ASSERT_TRUE(miravel.waitForStarted());
    // La ventana principal registra el ingreso al cargarse.
    const bool llego =
        Esperar(ingresos, QString::number(antes + 1), 60000) &&
        Esperar(QStringLiteral("SELECT string_agg(DISTINCT programa, ',') FROM vis_conecciones "
                               "WHERE nombre_usuario='-STYLE'"),
                QStringLiteral("miravel"), 10000);
    const bool seguiaCorriendo = miravel.state() == QProcess::Running;
    miravel.kill();
    miravel.waitForFinished();
    EXPECT_TRUE(llego) << "no se registró la sesión de -STYLE";
    EXPECT_TRUE(seguiaCorriendo);
}

} // namespace
