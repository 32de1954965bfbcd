// Derechos sobre tareas, árbol de tareas desde la base y decisión del despachador.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Despacho.h"
#include "DialogosGuion.h"
#include "Func_SarvoArbol.h"
#include "Glob_Sarvo.h"
#include "Permisos.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class ConServidor : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(carpeta.isValid());
        prueba::PrepararSesion(carpeta.path());
    }
    void TearDown() override { Glob() = EstadoSesion(); }
    void Preparar(const QString& sql) {
        ASSERT_TRUE(Glob().Conexion->Ejecutar(sql)) << sql.toStdString();
    }
    struct Derechos {
        bool acceso = false, alta = false, baja = false, modi = false;
    };
    Derechos Permisos(const QString& tarea, const QString& usuario = "SHELL_NIVEL3") {
        Derechos d;
        ObtenerPermisos("Miravel", usuario, tarea, d.acceso, d.alta, d.baja, d.modi);
        return d;
    }
    QTemporaryDir carpeta;
    DialogosGuion guion;
};

} // namespace

TEST_F(ConServidor, NivelesGeneralesYPorTarea) {
    Preparar("INSERT INTO owner_sarvo.usuarios (usuario, estado_usuario, cod_usuario,"
             " permiso_acceso, permiso_alta, permiso_baja, permiso_modi)"
             " VALUES ('SHELL_NIVEL3', 'N', 31002, 3, 3, 5, 2)");
    Preparar("INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario,"
             " permiso_acceso, permiso_alta, permiso_baja, permiso_modi) VALUES"
             " ('Miravel', 'SHN3', 'tres', 101, 3, 3, 3, 3),"
             " ('Miravel', 'SHN4', 'cuatro', 102, 4, 1, 1, 1)");
    Derechos tres = Permisos("SHN3");
    EXPECT_TRUE(tres.acceso);
    EXPECT_TRUE(tres.alta);
    EXPECT_TRUE(tres.baja);
    EXPECT_FALSE(tres.modi); // nivel 2 < 3
    Derechos cuatro = Permisos("SHN4");
    EXPECT_FALSE(cuatro.acceso);
    EXPECT_TRUE(cuatro.alta);

    // La fila por tarea reemplaza los cuatro niveles, también los que no sube.
    Preparar("INSERT INTO owner_sarvo.restricciones_usuario VALUES"
             " ('Miravel', 'SHN4', 'SHELL_NIVEL3', 5, 0, 1, 1)");
    cuatro = Permisos("SHN4");
    EXPECT_TRUE(cuatro.acceso);
    EXPECT_FALSE(cuatro.alta);
    EXPECT_TRUE(cuatro.baja);
    EXPECT_TRUE(guion.mensajes.empty());

    // Tarea inexistente: 85 con su nombre, todo negado.
    Derechos nada = Permisos("SHN_NO_EXISTE");
    EXPECT_FALSE(nada.acceso || nada.alta || nada.baja || nada.modi);
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].Mensaje.contains("SHN_NO_EXISTE"));
}

TEST_F(ConServidor, AccesoPorCodigoDeVentana) {
    Preparar("INSERT INTO owner_sarvo.usuarios (usuario, estado_usuario, cod_usuario,"
             " permiso_acceso, permiso_alta, permiso_baja, permiso_modi)"
             " VALUES ('SHELL_NIVEL1', 'N', 31003, 1, 1, 1, 1)");
    Preparar("INSERT INTO owner_sarvo.tareas (sistema, tarea, descripcion, cod_formulario,"
             " permiso_acceso, permiso_alta, permiso_baja, permiso_modi) VALUES"
             " ('Miravel', 'SHN199', 'exigente', 199, 3, 1, 1, 1)");
    EXPECT_TRUE(AccesoTareaPorCodigo("Miravel", "DEMO", 107));
    EXPECT_FALSE(AccesoTareaPorCodigo("Miravel", "SHELL_NIVEL1", 199)); // 1 < 3
    EXPECT_TRUE(AccesoTareaPorCodigo("Miravel", "DEMO", 199));          // DEMO tiene 5
    // La fila por tarea manda sobre el nivel general, también para bajarlo.
    Preparar("INSERT INTO owner_sarvo.restricciones_usuario VALUES"
             " ('Miravel', 'SHN199', 'DEMO', 0, 5, 5, 5)");
    EXPECT_FALSE(AccesoTareaPorCodigo("Miravel", "DEMO", 199));
    EXPECT_TRUE(AccesoTareaPorCodigo("Miravel", "DEMO", 107));
    EXPECT_TRUE(guion.mensajes.empty());

    // Ningún código de ventana 198: 85 con el código, negado.
    EXPECT_FALSE(AccesoTareaPorCodigo("Miravel", "DEMO", 198));
    ASSERT_EQ(guion.mensajes.size(), 1u);
    EXPECT_TRUE(guion.mensajes[0].Mensaje.contains("198"));
}

TEST_F(ConServidor, MenuDeDemoYUsuarioSinMenu) {
    ArbolMenu arbol;
    ASSERT_TRUE(CargarMenu(arbol, "Miravel", "DEMO"));
    ASSERT_EQ(arbol.Raices().size(), 1u);
    EXPECT_EQ(arbol.Raices()[0]->tag, "01MRV_PRINCIPAL");
    EXPECT_EQ(arbol.Seleccionado(), arbol.Raices()[0]);
    EXPECT_EQ(TareaDeMenu("Miravel", "MRV_ESTADISTICAS", "01"), "107MRV107");
    EXPECT_EQ(TareaDeMenu("Miravel", "MRV_ESTADISTICAS", "99"), "");
    // Sin filas: falso y el árbol queda como estaba.
    EXPECT_FALSE(CargarMenu(arbol, "Miravel", "NADIE_SHELL"));
    EXPECT_EQ(arbol.Cantidad(), 11) << "el menú y sus diez tareas";
    EXPECT_TRUE(guion.mensajes.empty());
}

TEST(Despacho, LasDiezEstadisticasSalirYCualquierOtroCodigo) {
    for (int codigo = 101; codigo <= 110; ++codigo)
        EXPECT_EQ(DecidirDespacho(codigo), Despacho::Ventana) << codigo;
    EXPECT_EQ(DecidirDespacho(255), Despacho::Nada);
    for (int codigo : {0, 100, 111, 200, 254, 256, -107})
        EXPECT_EQ(DecidirDespacho(codigo), Despacho::Desconocida) << codigo;
}
