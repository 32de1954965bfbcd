#pragma once
// Acceso al servidor privado de pruebas. scripts/probar lo inicia y exporta
// ODBCSYSINI y ODBCINI; sin ellos las pruebas de base fallan (no se saltean).
#include <QString>
#include <memory>

class ConexionBase;

namespace prueba {
// Usuarios sembrados en db/: uno habilitado y uno inhabilitado.
inline const QString UsuarioHabilitado = QStringLiteral("DEMO");
inline const QString ClaveHabilitado = QStringLiteral("demo");
inline const QString UsuarioInhabilitado = QStringLiteral("BAJA");
inline const QString ClaveInhabilitado = QStringLiteral("baja");

// Verdadero si el entorno apunta a un servidor privado (ODBCINI definido).
bool HayServidor();
// Abre una conexión como la del programa (clave derivada, transacción
// abierta, sin parámetros de sesión). Falla la prueba si no puede.
std::unique_ptr<ConexionBase> Conectar(const QString& usuario = UsuarioHabilitado,
                                       const QString& clave = ClaveHabilitado);
// Deja Glob() limpio con la conexión principal abierta como DEMO y
// RutaSistema en una carpeta temporal propia de la prueba.
void PrepararSesion(const QString& rutaSistema);
} // namespace prueba

#include "DialogosGuion.h"
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace prueba {
// Prueba con la sesión de DEMO abierta (PrepararSesion), diálogos con guion y
// una carpeta de instalación temporal. El estado se limpia al terminar.
class ConSesion : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Cambio sin confirmar: solo lo ve esta conexión y se deshace al cerrar.
    void Cambiar(const QString& sql);

    QTemporaryDir dir;
    DialogosGuion ui;
};
} // namespace prueba
