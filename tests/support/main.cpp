// Principal de todas las pruebas: aplicación Qt sin pantalla y GoogleTest.
#include "Fuentes.h"
#include "Func_SarvoErrores.h"
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CargarFuentes();
    InicializarMensajes();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
