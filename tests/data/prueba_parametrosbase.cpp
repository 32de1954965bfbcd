// Sentencias de sesión de ParametrosBase y ParametrosBaseXUsuario al preparar
// una conexión: orden, corte en la primera que falla y tablas vacías. Todo en
// la transacción de la conexión de la prueba, que se deshace al cerrarla.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "Recordset.h"
#include <gtest/gtest.h>

namespace {

class ParametrosBase : public prueba::ConSesion {
protected:
    void SetUp() override {
        ConSesion::SetUp();
        Cambiar(QStringLiteral("DELETE FROM parametrosbase"));
        Cambiar(QStringLiteral("DELETE FROM parametrosbasexusuario"));
        Cambiar(QStringLiteral("CREATE TEMPORARY TABLE orden_sesion (n serial, quien text)"));
    }

    // Fila cuya sentencia anota quien en orden_sesion.
    static QString Anota(const QString& quien) {
        return QStringLiteral("INSERT INTO orden_sesion (quien) VALUES (''%1'')").arg(quien);
    }
    void General(const QString& sistema, const QString& sentencia,
                 const QString& habilitado = QStringLiteral("S")) {
        Cambiar(QStringLiteral("INSERT INTO parametrosbase VALUES ('%1', '%2', '%3')")
                    .arg(habilitado, sistema, sentencia));
    }
    void DelUsuario(const QString& sistema, const QString& usuario, const QString& sentencia) {
        Cambiar(QStringLiteral("INSERT INTO parametrosbasexusuario VALUES ('S', '%1', '%2', '%3')")
                    .arg(sistema, usuario, sentencia));
    }
    QStringList Anotados() {
        Recordset rs;
        EXPECT_TRUE(Glob().Conexion->Consultar(
            QStringLiteral("SELECT quien FROM orden_sesion ORDER BY n"), rs));
        QStringList quienes;
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
            quienes << rs.Valor(0).toString();
        return quienes;
    }
    bool Establecer() {
        return EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                        *Glob().Conexion);
    }
};

} // namespace

TEST_F(ParametrosBase, GeneralesDespuesDelSistemaYLasDelUsuarioAlFinal) {
    // Cargadas al revés del orden en que corren, con filas que no corresponden.
    DelUsuario("Miravel", "DEMO", Anota("usuario Miravel"));
    DelUsuario("TODOS", "DEMO", Anota("usuario todos"));
    DelUsuario("TODOS", "OTRO", Anota("de otro usuario"));
    General("Miravel", Anota("Miravel"));
    General("Otro", Anota("de otro sistema"));
    General("TODOS", Anota("todos 1"));
    General("TODOS", Anota("deshabilitada"), "N");
    General("TODOS", Anota("todos 2"));

    EXPECT_TRUE(Establecer());
    EXPECT_EQ(Anotados(),
              (QStringList{"todos 1", "todos 2", "Miravel", "usuario todos", "usuario Miravel"}));
    EXPECT_TRUE(ui.mensajes.empty());
}

TEST_F(ParametrosBase, LaPrimeraQueFallaCortaAunqueLasGeneralesYaCorrieron) {
    General("TODOS", Anota("general"));
    DelUsuario("TODOS", "DEMO", "SELECT * FROM tabla_de_sesion_inexistente");
    DelUsuario("Miravel", "DEMO", Anota("no llega"));

    EXPECT_FALSE(Establecer());
    EXPECT_EQ(Anotados(), QStringList{"general"});
    ASSERT_EQ(ui.mensajes.size(), 2u) << ui.Textos().join('|').toStdString();
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains("tabla_de_sesion_inexistente"))
        << "primero el error de la base";
    EXPECT_EQ(ui.mensajes[1].Mensaje, "No se puede establecer los parametros de la base");
    EXPECT_EQ(ui.mensajes[1].titulo, "ERROR");
}

TEST_F(ParametrosBase, ConLasTablasVaciasSonCuatroConsultasYNadaMas) {
    const qint64 antes = ConexionBase::SentenciasEnviadas();
    EXPECT_TRUE(Establecer());
    EXPECT_EQ(ConexionBase::SentenciasEnviadas() - antes, 4);
    EXPECT_TRUE(ui.mensajes.empty());
}
