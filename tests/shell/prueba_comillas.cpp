// Valores con comillas en cada sentencia que lleva uno, y de punta a punta un
// usuario con comilla en el nombre y ";", "}" y "=" en la clave: entra, queda
// auditado, recibe su menú y sus derechos y genera una estadística.
#include "BaseDePrueba.h"
#include "ClaveTarea.h"
#include "CodigosCatalogo.h"
#include "ConexionBase.h"
#include "DialogosGuion.h"
#include "Func_SarvoArbol.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Parametros.h"
#include "ParametrosArranque.h"
#include "Permisos.h"
#include "Recordset.h"
#include "SarvoMain.h"
#include "TipoCompra.h"
#include "Usuarios.h"
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Usuario = u"MRV_O'HIGGINS"_s; // db/91_usuario_comillas.sql
const QString Clave = u"a;b}c=d"_s;

class CajaFija : public CajaFecha {
public:
    explicit CajaFija(QDate fecha) : fecha_(fecha) {}
    QDate Fecha() const override { return fecha_; }
    void PonerFecha(const QDate& fecha) override { fecha_ = fecha; }

private:
    QDate fecha_;
};

// Primera fila de una consulta por la conexión principal, campos unidos por "|".
QString Fila(const QString& sql) {
    Recordset rs;
    if (!Glob().Conexion->Consultar(sql, rs) || rs.RecordCount() < 1)
        return u"<sin fila>"_s;
    rs.MoveFirst();
    QStringList campos;
    for (int i = 0; i < rs.CantidadCampos(); ++i)
        campos << (rs.EsNulo(i) ? u"<nulo>"_s : rs.Valor(i).toString());
    return campos.join(u'|');
}

QString Seguimiento(const QString& raiz) {
    QString todo;
    QDirIterator it(raiz + u"/LogsFiles"_s, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        if (f.open(QIODevice::ReadOnly))
            todo += QString::fromUtf8(f.readAll());
    }
    return todo;
}

class Comillas : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(prueba::HayServidor());
        ASSERT_TRUE(dir.isValid());
        Glob() = EstadoSesion();
    }
    void TearDown() override {
        SoltarInstancia();
        FijarCarpetaInstancia(QString());
        Glob() = EstadoSesion();
    }
    // Ninguna sentencia falló desde la última llamada.
    void SinErrorDeBase(const char* donde) {
        EXPECT_EQ(Glob().UltimoErrorNativo, 0)
            << donde << ": " << Glob().UltimoMensaje.toStdString();
        Glob().UltimoErrorNativo = 0;
    }
    QTemporaryDir dir;
    DialogosGuion ui;
};

} // namespace

TEST_F(Comillas, UsuarioConComillaYClaveConSeparadoresDePuntaAPunta) {
    FijarCarpetaInstancia(dir.path());
    ASSERT_TRUE(Main(u"mrv_o'higgins "_s + Clave + u' ' + dir.path() + u"/ 1.0.0"_s))
        << ui.Textos().join(u" | "_s).toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u" | "_s).toStdString();
    EXPECT_EQ(Glob().UsuarioActual, Usuario);
    EXPECT_EQ(Glob().CodUsuario, 57);
    EXPECT_EQ(Fila(u"SELECT current_user FROM dual"_s), Usuario);
    Glob().SeguimientoSql = true;

    // Auditado: la fila lleva el usuario de la sesión y se cierra al salir.
    const QString rowId = RegistrarIngreso(u"Miravel"_s, u"ACCESO"_s, Usuario);
    ASSERT_FALSE(rowId.isEmpty());
    const QString auditoria =
        u"SELECT usuario, estado FROM OWNER_SARVO.auditoria WHERE rowid="_s + LiteralSql(rowId);
    EXPECT_EQ(Fila(auditoria), Usuario + u"|I"_s);

    // Su menú, con la tarea que le habilita su fila propia de derechos.
    ArbolMenu arbol;
    ASSERT_TRUE(CargarMenu(arbol, u"Miravel"_s, Usuario));
    QStringList textos;
    for (int i = 1; arbol.Nodo(i); ++i)
        textos << arbol.Nodo(i)->texto;
    EXPECT_EQ(textos, QStringList({u"Estadísticas"_s, u"Tipos de Compra"_s}));
    bool acceso = false, alta = false, baja = true, modi = true;
    ObtenerPermisos(u"Miravel"_s, Usuario, u"MRV107"_s, acceso, alta, baja, modi);
    EXPECT_TRUE(acceso && alta);
    EXPECT_FALSE(baja || modi);

    // Genera Tipos de Compra y lee sus filas.
    TipoCompra tipoCompra;
    CajaFija fecha(QDate(2023, 4, 12));
    ASSERT_TRUE(tipoCompra.Aceptar(fecha));
    EXPECT_GT(
        Fila(u"SELECT COUNT(*) FROM OWNER_SARVO.ges_tipo_compra WHERE cod_usuario = 57"_s).toInt(),
        0);
    EXPECT_GT(tipoCompra.Grafico().RowCount(), 0);

    ASSERT_TRUE(RegistrarSalida(rowId, 0, 0, 0, 0));
    EXPECT_EQ(Fila(auditoria), Usuario + u"|N"_s);
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u" | "_s).toStdString();

    // Las sentencias llevaron el nombre con la comilla duplicada; ni la clave
    // ni la derivada quedaron en los registros.
    const QString registros = Seguimiento(dir.path());
    EXPECT_TRUE(registros.contains(u"usuario='MRV_O''HIGGINS'"_s)) << registros.toStdString();
    EXPECT_FALSE(registros.contains(Clave));
    EXPECT_FALSE(registros.contains(u"c=dd=c"_s));
}

TEST_F(Comillas, CadaSentenciaConUnValorConComillas) {
    prueba::PrepararSesion(dir.path());
    ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
    Glob().UsuarioWindows = u"o'brien"_s;
    auto cambiar = [](const QString& sql) {
        ASSERT_TRUE(Glob().Conexion->Ejecutar(sql)) << sql.toStdString();
    };

    // Usuario y auditoría (sus bloques confirman).
    Glob().UsuarioActual = Usuario;
    EXPECT_TRUE(ValidarUsuario(Usuario, u"Miravel"_s));
    EXPECT_EQ(Glob().CodUsuario, 57);
    EXPECT_EQ(ObtenerTipoUsuario(Usuario), u"U"_s);
    const QString rowId = RegistrarIngreso(u"Miravel"_s, u"ACC'ESO"_s, Usuario);
    ASSERT_FALSE(rowId.isEmpty());
    EXPECT_EQ(Fila(u"SELECT tipo_acceso, usr_win FROM OWNER_SARVO.auditoria WHERE rowid="_s +
                   LiteralSql(rowId)),
              u"ACC'ESO|o'brien"_s);
    CerrarSesionesAnteriores(u"DEMO"_s, u"o'brien"_s);
    EXPECT_TRUE(RegistrarSalida(rowId, 0, 0, 0, 0, u"N"_s));

    // Desde aquí nada se confirma: lo que cambia se deshace al cerrar.
    // CONFIG: el alta de un parámetro y sus dos lecturas.
    const QString nombre = u"PRUEBA_O'NOMBRE"_s;
    EXPECT_EQ(ObtenerParametro(u"Mira'vel"_s, nombre, u"it's"_s, u"desc'ripción"_s, u"S"_s),
              u"it's"_s);
    EXPECT_EQ(ObtenerParametro(u"Mira'vel"_s, nombre, u"otro"_s, QString(), u"S"_s), u"it's"_s);
    QString contenido;
    EXPECT_TRUE(LeerParametroConfig(contenido, nombre, Catalogo::FaltaOwnerDb, u"Mira'vel"_s));
    EXPECT_EQ(contenido, u"it's"_s);
    EXPECT_TRUE(EstablecerParametrosBase(u"O'USR"_s, u"Mira'vel"_s, *Glob().Conexion));
    cambiar(u"UPDATE OWNER_SARVO.config SET contenido='USUARIO' WHERE sistema='Miravel' AND "
            "nombre_parametro='SEGUIMIENTO_SQL'"_s);
    cambiar(u"UPDATE OWNER_SARVO.usuarios SET seguimiento_sql='S' WHERE usuario="_s +
            LiteralSql(Usuario));
    CargarParametrosSesion();
    EXPECT_TRUE(Glob().SeguimientoSql);
    Glob().SeguimientoSql = false;
    SinErrorDeBase("usuarios");

    // Derechos, menú y tareas: el valor con comilla se busca y no se encuentra.
    bool acceso = true, alta = true, baja = true, modi = true;
    ObtenerPermisos(u"Mira'vel"_s, Usuario, u"MRV'107"_s, acceso, alta, baja, modi);
    EXPECT_FALSE(acceso || alta || baja || modi);
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_TRUE(ui.mensajes[0].Mensaje.contains(u"MRV'107"_s));
    EXPECT_EQ(TareaDeMenu(u"Miravel"_s, u"MRV_ESTADISTICAS"_s, u"01"_s), u"107MRV107"_s);
    EXPECT_EQ(TareaDeMenu(u"Mira'vel"_s, u"MRV'ESTADISTICAS"_s, u"01"_s), QString());
    ArbolMenu arbol;
    EXPECT_FALSE(CargarMenu(arbol, u"Mira'vel"_s, Usuario));
    QString descripcion;
    int tipoAuditoria = 0;
    bool hayClave = true;
    EXPECT_FALSE(DatosTarea(u"Mira'vel"_s, u"MRV'107"_s, descripcion, tipoAuditoria, hayClave));
    SinErrorDeBase("derechos y tareas");
    IntentosClave intentos(u"Mira'vel"_s, u"MRV'107"_s);
    EXPECT_EQ(intentos.Probar(u"' OR '1'='1"_s), IntentosClave::Resultado::Incorrecta);
    SinErrorDeBase("clave de tarea");
    EXPECT_EQ(ui.mensajes.size(), 2u); // solo el 85 de antes y el 86 de la clave
}

TEST(ItemDeMenu, SoloUnNumeroEntraALaSentencia) {
    DialogosGuion ui;
    Glob() = EstadoSesion(); // sin conexión: si consultara, avisaría que no hay
    EXPECT_EQ(TareaDeMenu(u"Miravel"_s, u"M"_s, u"1 OR 1=1"_s), QString());
    EXPECT_EQ(TareaDeMenu(u"Miravel"_s, u"M"_s, QString()), QString());
    EXPECT_TRUE(ui.mensajes.empty());
}
