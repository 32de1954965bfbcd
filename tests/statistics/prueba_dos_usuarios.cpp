// Dos usuarios generan la misma estadística para fechas distintas al mismo
// tiempo, cada uno con su conexión: las dos transacciones se cruzan (ninguna
// confirma antes de que la otra haya generado) y cada uno ve sus cifras.
// Tipos de Compra por la lógica de su ventana; las demás tablas de trabajo
// por usuario, con sus procedimientos. Las de Gastos en Personal son de
// todos por diseño y quedan fuera.
#include "BaseDePrueba.h"
#include "CodigosCatalogo.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "TipoCompra.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

// Dos usuarios de la base, cada uno con un código propio de esta prueba.
const QString UsuarioB = QStringLiteral("PRUEBA2");
const qint16 CodigoA = 34101; // propios de este archivo: las pruebas corren en paralelo
const qint16 CodigoB = 34102;
const QDate FechaA(2025, 6, 30);
const QDate FechaB(2024, 9, 30);

// Filas de la consulta, cada una con sus campos unidos por "|", ordenadas.
QStringList Filas(ConexionBase& c, const QString& sql) {
    Recordset rs;
    EXPECT_TRUE(c.Consultar(sql, rs))
        << sql.toStdString() << ": "
        << (c.Errores().empty() ? std::string() : c.Errores()[0].descripcion.toStdString());
    QStringList filas;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (int i = 0; i < rs.CantidadCampos(); ++i)
            campos << rs.Valor(i).toString();
        filas << campos.join(QLatin1Char('|'));
    }
    filas.sort();
    return filas;
}

// Una conexión que no espera más de unos segundos por un bloqueo: si un
// usuario esperara al otro, la prueba falla en lugar de quedar trabada.
std::unique_ptr<ConexionBase> ConexionSinEsperas(const QString& usuario, const QString& clave) {
    auto c = prueba::Conectar(usuario, clave);
    EXPECT_TRUE(c->Ejecutar(QStringLiteral("SET lock_timeout = '5s'")));
    EXPECT_TRUE(c->Confirmar());
    return c;
}

// Una estadística por usuario: sus procedimientos, en orden ("%1" código,
// "%2" año, "%3" fecha) y sus tablas con la columna del usuario.
struct Generacion {
    QStringList llamadas;
    QStringList tablas;
    QString columna = QStringLiteral("usuario");
};

const Generacion TiposDeCompra{
    {"ges_genera_tipo_compra(%1, %2, %3)"}, {"ges_tipo_compra"}, "cod_usuario"};
const Generacion Generaciones[] = {
    {{"ges_genera_cargos_disocu(%1, %2)"}, {"ges_tmp_cargos_dispo_ocu"}},
    {{"ges_genera_gastos_x_obj(%1, %2, %3)"}, {"ges_gastos_x_objeto"}},
    {{"ges_genera_recur_codi_proce(%1, %2, %3)", "ges_genera_recur_proce_per(%1, %2, %3)"},
     {"ges_recursos_x_ori_proce"}},
    {{"ges_genera_ingresos(%1, %2, %3)"}, {"ges_ingresos_dia", "ges_ingresos_mes"}},
    {{"ges_genera_recur_gastos_det(%1, %2, %3)", "ges_genera_recur_gastos(%1, %2, %3)"},
     {"ges_recursos_detalle", "ges_gastos_detalle"}},
    {{"ges_genera_compras_x_prov(%1, %2, %3)"}, {"ges_compras_x_prov"}},
    {{"ges_genera_compras_x_rubro(%1, %2, %3)"}, {"ges_compras_x_rubro"}},
    {{"ges_genera_gastos_x_catprog(%1, %2, %3)"}, {"ges_gastos_x_catprog"}},
};

bool Generar(ConexionBase& c, const Generacion& g, qint16 codigo, const QDate& fecha) {
    for (const QString& llamada : g.llamadas) {
        const QString sql =
            QStringLiteral("SELECT owner_sarvo.") +
            QString(llamada)
                .replace(QLatin1String("%3"),
                         QStringLiteral("DATE '%1'").arg(fecha.toString(Qt::ISODate)))
                .arg(codigo)
                .arg(fecha.year());
        if (!c.Ejecutar(sql)) {
            ADD_FAILURE() << sql.toStdString() << ": "
                          << (c.Errores().empty() ? std::string()
                                                  : c.Errores()[0].descripcion.toStdString());
            return false;
        }
    }
    return true;
}

class FechaFija : public CajaFecha {
public:
    explicit FechaFija(QDate f) : fecha(f) {}
    QDate Fecha() const override { return fecha; }
    void PonerFecha(const QDate& f) override { fecha = f; }
    QDate fecha;
};

class DosUsuarios : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        prueba::PrepararSesion(dir.path());
        ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
        ASSERT_TRUE(EstablecerParametrosBase(prueba::UsuarioHabilitado, QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        ASSERT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral("SET lock_timeout = '5s'")));
        ASSERT_TRUE(Glob().Conexion->Confirmar());
        Glob().CodUsuario = CodigoA;
        otro = ConexionSinEsperas(UsuarioB, UsuarioB.toLower());
        ASSERT_TRUE(otro->Abierta());
    }
    void TearDown() override {
        Limpiar(TiposDeCompra);
        otro.reset();
        Glob() = EstadoSesion();
    }
    void Limpiar(const Generacion& g) {
        for (ConexionBase* c : {Glob().Conexion.get(), otro.get()}) {
            if (!c || !c->Abierta())
                continue;
            c->Deshacer();
            for (const QString& tabla : g.tablas)
                c->Ejecutar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE %2 IN (%3, %4)")
                                .arg(tabla, g.columna)
                                .arg(CodigoA)
                                .arg(CodigoB));
            c->Confirmar();
        }
    }

    QTemporaryDir dir;
    DialogosGuion ui;
    std::unique_ptr<ConexionBase> otro; // la sesión del segundo usuario
};

// Cantidad de órdenes por tipo de compra, como la dejaría una generación a esa fecha.
std::map<QString, int> Conteo(ConexionBase& c, const QDate& fecha) {
    std::map<QString, int> conteo;
    for (const QString& fila :
         Filas(c, QStringLiteral("SELECT t.descripcion, count(*) FROM owner_sarvo.ordenes_compra o "
                                 "JOIN owner_sarvo.tipos_compra t USING (cod_tipo_compra) "
                                 "WHERE o.estado = 'E' AND o.ejercicio = %1 AND o.fecha_orden <= "
                                 "DATE '%2' GROUP BY t.descripcion")
                      .arg(fecha.year())
                      .arg(fecha.toString(Qt::ISODate))))
        conteo[fila.section('|', 0, 0)] = fila.section('|', 1).toInt();
    return conteo;
}

std::map<QString, int> ConteoDelGrafico(const ModeloGrafico& g) {
    std::map<QString, int> conteo;
    for (int c = 1; c <= g.ColumnCount(); ++c)
        conteo[g.ColumnLabel(c)] = int(g.Dato(1, c));
    return conteo;
}

TEST_F(DosUsuarios, TiposDeCompraCadaUnoVeSuFecha) {
    const auto esperadoA = Conteo(*Glob().Conexion, FechaA);
    const auto esperadoB = Conteo(*otro, FechaB);
    ASSERT_NE(esperadoA, esperadoB) << "las dos fechas deben dar cifras distintas";

    // El otro usuario genera y todavía no confirma.
    ASSERT_TRUE(Generar(*otro, TiposDeCompra, CodigoB, FechaB));
    // Mientras, este usuario pulsa "Aceptar": genera, confirma y grafica.
    TipoCompra ventana;
    FechaFija fecha(FechaA);
    ASSERT_TRUE(ventana.Aceptar(fecha)) << ui.Textos().join(" / ").toStdString();
    EXPECT_EQ(ConteoDelGrafico(ventana.Grafico()), esperadoA);
    ASSERT_TRUE(otro->Confirmar());
    // El otro vuelve a generar, ya después de este: no toca lo de este usuario.
    ASSERT_TRUE(Generar(*otro, TiposDeCompra, CodigoB, FechaB));
    ASSERT_TRUE(otro->Confirmar());

    // Cada uno lee lo suyo.
    TipoCompra otraCarga;
    FechaFija cargada(QDate(2000, 1, 1));
    otraCarga.CargarGrafico(cargada);
    EXPECT_EQ(ConteoDelGrafico(otraCarga.Grafico()), esperadoA);
    EXPECT_EQ(cargada.fecha, FechaA);
    std::map<QString, int> delOtro;
    for (const QString& fila :
         Filas(*otro, QStringLiteral("SELECT descripcion, cantidad, fecha FROM "
                                     "owner_sarvo.ges_tipo_compra WHERE cod_usuario = %1")
                          .arg(CodigoB))) {
        delOtro[fila.section('|', 0, 0)] = fila.section('|', 1, 1).toInt();
        EXPECT_EQ(fila.section('|', 2), FechaB.toString(Qt::ISODate));
    }
    EXPECT_EQ(delOtro, esperadoB);
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(" / ").toStdString();
}

// Lo que el usuario ve en las tablas de la generación.
QStringList Cifras(ConexionBase& c, const Generacion& g, qint16 codigo) {
    QStringList cifras;
    for (const QString& tabla : g.tablas)
        for (const QString& fila :
             Filas(c, QStringLiteral("SELECT * FROM owner_sarvo.%1 WHERE %2 = %3")
                          .arg(tabla, g.columna)
                          .arg(codigo)))
            cifras << tabla + QLatin1Char(':') + fila;
    return cifras;
}

TEST_F(DosUsuarios, LasDemasTablasDeTrabajoPorUsuario) {
    ConexionBase& a = *Glob().Conexion;
    ConexionBase& b = *otro;
    for (const Generacion& g : Generaciones) {
        SCOPED_TRACE(g.llamadas.first().toStdString());
        // Lo que daría cada generación hecha a solas.
        ASSERT_TRUE(Generar(a, g, CodigoA, FechaA));
        const QStringList soloA = Cifras(a, g, CodigoA);
        ASSERT_TRUE(a.Deshacer());
        ASSERT_TRUE(Generar(b, g, CodigoB, FechaB));
        const QStringList soloB = Cifras(b, g, CodigoB);
        ASSERT_TRUE(b.Deshacer());
        ASSERT_FALSE(soloA.isEmpty());
        ASSERT_FALSE(soloB.isEmpty());

        // Las dos a la vez: ninguna espera a la otra.
        ASSERT_TRUE(Generar(a, g, CodigoA, FechaA));
        ASSERT_TRUE(Generar(b, g, CodigoB, FechaB));
        ASSERT_TRUE(a.Confirmar());
        ASSERT_TRUE(b.Confirmar());
        EXPECT_EQ(Cifras(a, g, CodigoA), soloA);
        EXPECT_EQ(Cifras(b, g, CodigoB), soloB);
        // Una generación posterior de uno no toca lo del otro.
        ASSERT_TRUE(Generar(b, g, CodigoB, FechaB));
        ASSERT_TRUE(b.Confirmar());
        EXPECT_EQ(Cifras(a, g, CodigoA), soloA);
        ASSERT_TRUE(Generar(a, g, CodigoA, FechaA));
        ASSERT_TRUE(a.Confirmar());
        EXPECT_EQ(Cifras(b, g, CodigoB), soloB);

        Limpiar(g);
    }
}

} // namespace
