// Clave de tarea contra el servidor de pruebas: datos de la tarea, tres
// intentos con el mensaje 86, la fila de auditoría en "R" y la ventana real.
#include "BaseDePrueba.h"
#include "ClaveTarea.h"
#include "DialogosGuion.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "MyPasswordChar.h"
#include "Recordset.h"
#include "Usuarios.h"
#include "frmClaveTarea.h"
#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString Sistema = QStringLiteral("Miravel");
const QString TextoMensaje86 = QStringLiteral("La clave de la tarea es incorrecta.");
const QString ClaveConComillas = QStringLiteral("o'higgins \\ {fn x}? --");
using R = IntentosClave::Resultado;

// Ventana de guion: prueba las claves en orden y, si quedan intentos, se cierra.
struct VentanaGuion : PedidoClave {
    QStringList claves;
    QList<R> resultados;
    int mostrada = 0;
    QString titulo;
    void Mostrar(const QString&, const QString&, const QString& t, IntentosClave& i) override {
        ++mostrada;
        titulo = t;
        for (const QString& c : claves) {
            if (i.Terminado())
                break;
            resultados << i.Probar(c);
        }
        if (!i.Terminado())
            i.Cerrar();
    }
};

class ClaveTarea : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        prueba::PrepararSesion(dir.path());
        ASSERT_TRUE(Glob().Conexion) << "sin servidor";
        // Un usuario del SO propio: nadie más marca abandonadas estas filas.
        Glob().UsuarioWindows = QStringLiteral("prueba-clave-tarea");
        fila = RegistrarIngreso(Sistema, QStringLiteral("ACCESO"), Glob().UsuarioActual);
        ASSERT_FALSE(fila.isEmpty());
    }
    void TearDown() override {
        EjecutarSQL(QStringLiteral("BEGIN DELETE FROM OWNER_SARVO.auditoria WHERE usr_win = "
                                   "'prueba-clave-tarea'; COMMIT; END;"));
        Glob() = EstadoSesion();
    }

    // Estado y altas de la fila de auditoría.
    std::pair<QString, QString> Fila() const {
        Recordset rs;
        Cargar_Recordset(QStringLiteral("SELECT estado, altas FROM OWNER_SARVO.auditoria "
                                        "WHERE rowid = '") +
                             fila + QLatin1Char('\''),
                         rs);
        if (!rs.Abierto() || rs.RecordCount() != 1)
            return {QStringLiteral("?"), QString()};
        rs.MoveFirst();
        return {rs.Valor(0).toString(), rs.EsNulo(1) ? QString() : rs.Valor(1).toString()};
    }

    QTemporaryDir dir;
    DialogosGuion dialogos;
    QString fila;
};

TEST_F(ClaveTarea, DatosDeLaTarea) {
    QString descripcion;
    int tipo = 7;
    bool hayClave = false;
    ASSERT_TRUE(DatosTarea(Sistema, QStringLiteral("MRVCLAVE_D"), descripcion, tipo, hayClave));
    EXPECT_EQ(descripcion, QStringLiteral("Tarea con clave y auditoría detallada"));
    EXPECT_EQ(tipo, 1);
    EXPECT_TRUE(hayClave);
    ASSERT_TRUE(DatosTarea(Sistema, QStringLiteral("MRVCLAVE_S"), descripcion, tipo, hayClave));
    EXPECT_EQ(tipo, 2);
    ASSERT_TRUE(DatosTarea(Sistema, QStringLiteral("MRVCLAVE_Q"), descripcion, tipo, hayClave));
    EXPECT_EQ(tipo, 0) << "nulo cuenta como N";

    tipo = 7;
    ASSERT_TRUE(DatosTarea(Sistema, QStringLiteral("MRVSINCLAVE"), descripcion, tipo, hayClave));
    EXPECT_EQ(tipo, 7) << "un tipo desconocido deja el valor del que llama";
    EXPECT_FALSE(hayClave);

    descripcion = QStringLiteral("sin tocar");
    EXPECT_FALSE(DatosTarea(Sistema, QStringLiteral("NO'EXISTE"), descripcion, tipo, hayClave));
    EXPECT_EQ(descripcion, QStringLiteral("sin tocar"));
    EXPECT_TRUE(dialogos.mensajes.empty()) << dialogos.Textos().join(" | ").toStdString();
}

TEST_F(ClaveTarea, ClaveCorrectaYTareasSinClave) {
    VentanaGuion v;
    v.claves = {QStringLiteral("SECRETO"), QStringLiteral("secreto")};
    EXPECT_TRUE(
        PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_D"), QStringLiteral("Clave"), fila, v));
    EXPECT_EQ(v.resultados, (QList<R>{R::Incorrecta, R::Aceptada}));
    EXPECT_EQ(v.titulo, QStringLiteral("Clave"));
    EXPECT_EQ(dialogos.Textos(), QStringList{TextoMensaje86});
    EXPECT_EQ(Fila().first, QStringLiteral("I"));

    VentanaGuion sinClave;
    EXPECT_TRUE(PedirClaveTarea(Sistema, QStringLiteral("MRVSINCLAVE"), QString(), fila, sinClave));
    EXPECT_EQ(sinClave.mostrada, 0);
}

TEST_F(ClaveTarea, TresIncorrectasCierranLaFilaConR) {
    VentanaGuion v;
    v.claves = {QStringLiteral("uno"), QStringLiteral("dos"), QStringLiteral("tres"),
                QStringLiteral("secreto")};
    EXPECT_FALSE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_D"), QString(), fila, v));
    EXPECT_EQ(v.resultados, (QList<R>{R::Incorrecta, R::Incorrecta, R::Rechazada}));
    EXPECT_EQ(dialogos.Textos(), (QStringList{TextoMensaje86, TextoMensaje86, TextoMensaje86}));
    EXPECT_EQ(Fila().first, QStringLiteral("R"));

    // Una fila en "R" no vuelve a cambiar.
    EXPECT_TRUE(RegistrarSalida(fila, 3, 2, 1, 4));
    EXPECT_EQ(Fila(), std::make_pair(QStringLiteral("R"), QStringLiteral("0")));
}

TEST_F(ClaveTarea, AuditoriaDosNoCierraYCerrarEsRechazar) {
    VentanaGuion cerrada; // se cierra sin probar nada
    EXPECT_FALSE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_S"), QString(), fila, cerrada));
    EXPECT_EQ(cerrada.mostrada, 1);
    EXPECT_EQ(Fila().first, QStringLiteral("I")) << "auditoría de tipo 2: sin R";

    VentanaGuion cerradaD;
    cerradaD.claves = {QStringLiteral("mal")};
    EXPECT_FALSE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_D"), QString(), fila, cerradaD));
    EXPECT_EQ(Fila().first, QStringLiteral("R"));
}

TEST_F(ClaveTarea, LasComillasDeLaClaveNoCambianLaSentencia) {
    // Sin duplicar las comillas, esta clave sumaría 1 al resultado y entraría.
    const QString inyeccion = QStringLiteral("x') + 1 AS clave_correcta FROM DUAL --");
    EXPECT_EQ(IntentosClave::SentenciaClave(Sistema, QStringLiteral("T"), inyeccion),
              QStringLiteral("SELECT OWNER_SARVO.claveTareaCorrecta('Miravel','T','x'') + 1 AS "
                             "clave_correcta FROM DUAL --') AS clave_correcta FROM DUAL"));
    IntentosClave i(Sistema, QStringLiteral("MRVCLAVE_D"));
    EXPECT_EQ(i.Probar(inyeccion), R::Incorrecta);
    EXPECT_EQ(i.Probar(QString(QLatin1String("a\0b", 3))), R::Incorrecta);
    EXPECT_EQ(dialogos.Textos(), (QStringList{TextoMensaje86, TextoMensaje86}))
        << "ningún error de la base, solo el 86";

    VentanaGuion v;
    v.claves = {QStringLiteral("o'higgins"), ClaveConComillas};
    EXPECT_TRUE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_Q"), QString(), fila, v));
    EXPECT_EQ(v.resultados, (QList<R>{R::Incorrecta, R::Aceptada}));
}

// La ventana de verdad: se tipea en la caja de clave que tiene el foco.
class VentanaClave : public ClaveTarea {
protected:
    // Corre acciones sobre la ventana modal apenas se muestra.
    static void AlMostrarse(std::function<void(frmClaveTarea*)> acciones) {
        QTimer::singleShot(0, [acciones] {
            auto* v = qobject_cast<frmClaveTarea*>(QApplication::activeModalWidget());
            ASSERT_NE(v, nullptr); // sin ventana modal no hay exec que esperar
            if (QTest::qWaitForWindowActive(v))
                acciones(v);
            else
                ADD_FAILURE() << "la ventana de clave no se activó";
            if (v->isVisible()) { // nunca dejar la prueba colgada en la ventana modal
                ADD_FAILURE() << "la ventana de clave sigue abierta";
                v->close();
            }
        });
    }
    static void Tipear(const QString& clave) {
        for (const QChar c : clave)
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(),
                                Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
};

TEST_F(VentanaClave, TresClavesTipeadasYLaCorrecta) {
    bool oculta = false;
    QString enPantalla;
    AlMostrarse([&](frmClaveTarea* v) {
        Tipear(QStringLiteral("uno"));
        enPantalla = qobject_cast<QLineEdit*>(v->txtClave()->Texto())->displayText();
        EXPECT_TRUE(v->isVisible());
        EXPECT_EQ(QApplication::focusWidget(), v->txtClave()->Texto());
        Tipear(QStringLiteral("dos"));
        Tipear(QStringLiteral("tres"));
        oculta = v->isHidden();
    });
    EXPECT_FALSE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_D"),
                                 QStringLiteral("Clave de la tarea"), fila));
    EXPECT_TRUE(oculta);
    EXPECT_EQ(enPantalla, QStringLiteral("***"));
    EXPECT_EQ(dialogos.Textos(), (QStringList{TextoMensaje86, TextoMensaje86, TextoMensaje86}));
    EXPECT_EQ(Fila().first, QStringLiteral("R"));

    dialogos.mensajes.clear();
    AlMostrarse([](frmClaveTarea* v) {
        EXPECT_EQ(v->windowTitle(), QStringLiteral("Tarea Q"));
        EXPECT_EQ(v->tarea, QStringLiteral("MRVCLAVE_Q"));
        Tipear(ClaveConComillas);
    });
    EXPECT_TRUE(
        PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_Q"), QStringLiteral("Tarea Q"), fila));
    EXPECT_TRUE(dialogos.mensajes.empty()) << dialogos.Textos().join(" | ").toStdString();
}

TEST_F(VentanaClave, LaCajaDeControlSoloOculta) {
    frmClaveTarea ventana;
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&ventana));
        ventana.close();
    });
    EXPECT_FALSE(PedirClaveTarea(Sistema, QStringLiteral("MRVCLAVE_D"), QString(), fila, ventana));
    EXPECT_TRUE(ventana.isHidden());
    EXPECT_EQ(ventana.tarea, QStringLiteral("MRVCLAVE_D")) << "la ventana sigue cargada";
    EXPECT_TRUE(dialogos.mensajes.empty());
    EXPECT_EQ(Fila().first, QStringLiteral("R"));
}

} // namespace
