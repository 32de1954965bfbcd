#pragma once
// Las letras del programa viajan con él: Liberation Sans (métricas de Arial,
// licencia SIL OFL) en los recursos. Así las ventanas, los gráficos y los
// reportes miden y se ven igual en cualquier puesto, tenga las letras que tenga.
#include <QString>

// Nombre de la familia incluida.
QString FamiliaPrograma();

// Registra las letras incluidas, hace que "Arial", "MS Sans Serif" y
// "Helvetica" las usen y las pone como letra de la aplicación. Se llama una
// vez, con la aplicación Qt ya creada. Falso si alguna no se pudo registrar.
bool CargarFuentes();
