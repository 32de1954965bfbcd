// Composición de los mensajes del catálogo contra el servidor de pruebas.
// Las filas propias (códigos 91001..91020) se insertan en la transacción de
// la conexión principal y se deshacen al cerrarla.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Func_SarvoErrores.h"
#include "Glob_Sarvo.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString CRLF = QStringLiteral("\r\n");

// Literal SQL de un texto con saltos CR LF, portable entre Oracle y el sustituto.
QString Literal(const QString& texto) {
    if (texto.isNull())
        return QStringLiteral("NULL");
    QStringList partes;
    for (const QString& renglon : texto.split(CRLF))
        partes << QLatin1Char('\'') +
                      QString(renglon).replace(QLatin1Char('\''), QLatin1String("''")) +
                      QLatin1Char('\'');
    return partes.join(QStringLiteral(" || chr(13) || chr(10) || "));
}

class Catalogo : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        prueba::PrepararSesion(carpeta.path());
        ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
    }
    void TearDown() override { Glob() = EstadoSesion(); } // deshace las filas propias

    void Fila(int codigo, const QString& mensaje, int boton = 0, int tipo = 48, int porDefecto = 0,
              const QString& help = QString(), const QString& captions = QString()) {
        const QString sql =
            QStringLiteral("INSERT INTO owner_sarvo.errores_vb (codigo_error, mensaje, boton, "
                           "tipo_ventana, boton_default, titulo, help, captions) VALUES (%1, %2, "
                           "%3, %4, %5, 'Prueba %1', %6, %7)")
                .arg(codigo)
                .arg(Literal(mensaje))
                .arg(boton)
                .arg(tipo)
                .arg(porDefecto)
                .arg(Literal(help), Literal(captions));
        ASSERT_TRUE(Glob().Conexion->Ejecutar(sql))
            << Glob().Conexion->Errores().front().descripcion.toStdString();
    }

    // Texto de la única ventana mostrada.
    QString Unico() {
        EXPECT_EQ(guion.mensajes.size(), 1u)
            << guion.Textos().join(QLatin1String(" / ")).toStdString();
        return guion.mensajes.empty() ? QString() : guion.mensajes.back().Mensaje;
    }

    QTemporaryDir carpeta;
    DialogosGuion guion;
};

} // namespace

TEST_F(Catalogo, ParametrosEnLasMarcas) {
    Fila(91001, QStringLiteral("La tarea @ no existe."));
    Fila(91002, QStringLiteral("Sin marca."));
    Fila(91003, QStringLiteral("Primero @ y segundo @."));
    Fila(91004, QStringLiteral("Hola [@]!"));

    EXPECT_EQ(MostrarError(91001, {QStringLiteral("101")}), 1);
    EXPECT_EQ(Unico(), QStringLiteral("La tarea 101 no existe."));
    guion.mensajes.clear();

    MostrarError(91002, {QStringLiteral("agregado")});
    EXPECT_EQ(Unico(), QStringLiteral("Sin marca.") + CRLF + QStringLiteral("agregado"));
    guion.mensajes.clear();

    MostrarError(91003, {QStringLiteral("uno")});
    EXPECT_EQ(Unico(), QStringLiteral("Primero uno y segundo @."));
    guion.mensajes.clear();

    MostrarError(91001, {QStringLiteral("7"), QStringLiteral("sobra")});
    EXPECT_EQ(Unico(), QStringLiteral("La tarea 7 no existe."));
    guion.mensajes.clear();

    // La marca que trae un parámetro la ocupa el siguiente.
    MostrarError(91004, {QStringLiteral("a@b"), QStringLiteral("X")});
    EXPECT_EQ(Unico(), QStringLiteral("Hola [aXb]!"));
    EXPECT_EQ(Glob().UltimoMensaje, QStringLiteral("Hola [aXb]!"));
}

TEST_F(Catalogo, LaFilaPasaALaVentanaYSeDevuelveElBotonPulsado) {
    Fila(91005, QStringLiteral("¿Confirma?") + CRLF + QStringLiteral("Segunda línea"), 3, 32, 512,
         QStringLiteral("Ayuda de la fila"), QStringLiteral("Grabar,Descartar,Volver"));
    Fila(91006, QStringLiteral("Sin leyendas"), 1, 64, 256);

    guion.respuestas = {7};
    EXPECT_EQ(MostrarError(91005), 7);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    const PedidoMensaje& p = guion.mensajes[0];
    EXPECT_EQ(p.Mensaje, QStringLiteral("¿Confirma?") + CRLF + QStringLiteral("Segunda línea"));
    EXPECT_EQ(p.titulo, QStringLiteral("Prueba 91005"));
    EXPECT_EQ(p.TipoBotones, 3);
    EXPECT_EQ(p.TipoMensaje, 32);
    EXPECT_EQ(p.DefaultBotones, 512);
    EXPECT_EQ(p.Textohelp, QStringLiteral("Ayuda de la fila"));
    EXPECT_EQ(p.TextoBotones, QStringLiteral("Grabar,Descartar,Volver"));
    EXPECT_FALSE(p.aceptarConAcceso);

    // help y captions nulos llegan vacíos; sin respuesta, el botón de la derecha.
    EXPECT_EQ(MostrarError(91006), 2);
    ASSERT_EQ(guion.mensajes.size(), 2u);
    EXPECT_EQ(guion.mensajes[1].TextoBotones, QString());
    EXPECT_EQ(guion.mensajes[1].Textohelp, QString());
    EXPECT_EQ(Glob().UltimoMensaje, QStringLiteral("Sin leyendas"));
}

TEST_F(Catalogo, SinParametrosParaLasMarcasOCodigoAusenteNoAbreLaVentanaDelCatalogo) {
    Fila(91007, QStringLiteral("Falta el @."), 4, 32);
    guion.respuestas = {6};
    EXPECT_EQ(MostrarError(91007), -1);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, QStringLiteral("Falta definir Parámetros.") + CRLF +
                                             QStringLiteral("Ver el Mensaje: ") + CRLF +
                                             QStringLiteral("Falta el @."));
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
    EXPECT_EQ(guion.mensajes[0].TipoBotones, 0);
    EXPECT_TRUE(guion.mensajes[0].aceptarConAcceso);

    guion.mensajes.clear();
    guion.respuestas = {1};
    const QString ausente = QStringLiteral("El código de error :0 no se encuentra cargado.") +
                            CRLF + QStringLiteral("Error en tabla ERRORES");
    EXPECT_EQ(MostrarError(0), -1);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_EQ(guion.mensajes[0].Mensaje, ausente);
    EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
    EXPECT_EQ(guion.mensajes[0].TipoMensaje, 16);
    EXPECT_TRUE(guion.mensajes[0].aceptarConAcceso);
    EXPECT_EQ(Glob().UltimoMensaje, ausente);
}

TEST_F(Catalogo, CadaNumeroDeOracleMuestraSuCodigoDelCatalogo) {
    // Cada fila lleva su código en el título: así se ve qué fila se mostró.
    ASSERT_TRUE(Glob().Conexion->Ejecutar(
        QStringLiteral("UPDATE owner_sarvo.errores_vb SET titulo = 'Código ' || codigo_error")));
    struct Traduccion {
        long oracle;
        int codigo;
        const char* parametro;
    };
    const Traduccion tabla[] = {
        {1, 1, nullptr},
        {54, 59, nullptr},
        {904, 5, nullptr},
        {1400, 2, nullptr},
        {1438, 403, nullptr},
        {2292, 3, nullptr},
        {6550, 4, nullptr},
        {20101, 6, nullptr},
        {20103, 3, nullptr},
        {20104, 130, nullptr},
        {20105, 131, nullptr},
        {20106, 132, nullptr},
        {20107, 133, nullptr},
        {20108, 186, nullptr},
        {20109, 212, nullptr},
        {20110, 213, nullptr},
        {20111, 239, nullptr},
        {20112, 313, nullptr},
        {20113, 169, "Módulo Horario"},
        {20114, 327, nullptr},
        {20115, 328, nullptr},
        {20116, 368, nullptr},
        {20117, 369, nullptr},
        {20118, 370, nullptr},
        {20121, 377, "21"},
        {20123, 4004, nullptr},
    };
    for (const Traduccion& t : tabla) {
        guion.mensajes.clear();
        MostrarErrorBase(nullptr, t.oracle);
        ASSERT_EQ(guion.mensajes.size(), 1u) << t.oracle;
        const PedidoMensaje& p = guion.mensajes[0];
        EXPECT_EQ(p.titulo, QStringLiteral("Código %1").arg(t.codigo)) << t.oracle;
        EXPECT_FALSE(p.Mensaje.contains(QLatin1Char('@'))) << t.oracle;
        if (t.parametro) {
            EXPECT_TRUE(p.Mensaje.contains(QString::fromUtf8(t.parametro))) << t.oracle;
        }
    }
    // Sin traducción: el texto interno con el número, nunca una fila del catálogo.
    for (long n : {20102L, 20119L, 20120L, 20122L, 942L}) {
        guion.mensajes.clear();
        MostrarErrorBase(nullptr, n);
        ASSERT_EQ(guion.mensajes.size(), 1u) << n;
        EXPECT_EQ(guion.mensajes[0].Mensaje,
                  QStringLiteral("Error Interno: El error %1 no esta contemplado").arg(n));
        EXPECT_EQ(guion.mensajes[0].titulo, QStringLiteral("ERROR"));
    }
}

TEST_F(Catalogo, SiFallaLaLecturaDelCatalogoSeMuestraEseErrorYSeSigue) {
    // Un errores_vb propio sin las columnas que se leen: la consulta falla con
    // un error que se traduciría al catálogo.
    ASSERT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral(
        "CREATE TEMPORARY TABLE errores_vb (codigo_error integer, mensaje varchar(20))")));
    Glob().OwnerSarvo = QStringLiteral("pg_temp");
    EXPECT_EQ(MostrarError(91001, {QStringLiteral("1")}), -1);
    const QString texto = Unico();
    EXPECT_TRUE(texto.contains(QStringLiteral(" Number: "))) << texto.toStdString();
    EXPECT_FALSE(texto.contains(QStringLiteral("no se encuentra cargado")));
    EXPECT_EQ(Glob().UltimoErrorNativo, 904);
    EXPECT_TRUE(Glob().Conexion->Errores().empty());
}
