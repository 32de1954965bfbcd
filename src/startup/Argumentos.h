#pragma once
// La línea de comandos partida en argumentos, como la lee el sistema.
#include <QString>
#include <QStringList>

// Recorre la línea de comandos (el texto después del nombre del programa).
// El elemento 0 queda vacío; 1..n son los argumentos, n <= MaxArgumentos.
// Espacio y tabulador separan; no hay comillas.
QStringList ObtenerArgumentos(const QString& lineaComandos, int MaxArgumentos = 10);
