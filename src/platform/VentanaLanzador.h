#pragma once
// Ventanas de otros programas del puesto: la del lanzador de la suite se
// busca por su título.
#include <QString>

// Busca una ventana de primer nivel cuyo título sea exactamente titulo; si
// la hay, la vuelve a su tamaño normal y la trae al frente. Falso si no hay
// ninguna (o no hay sistema de ventanas al que preguntar).
bool TraerAlFrenteVentana(const QString& titulo);
