#pragma once
// Colores de las series de un gráfico, por nombre: una serie conserva su color
// cualquiera sea su puesto (los tipos de compra cambian de orden con la fecha)
// y dos series del mismo gráfico no comparten color mientras alcance la paleta.
#include <QColor>
#include <QList>
#include <QStringList>

// Un color por nombre, en el mismo orden. Las series sin nombre toman los
// colores que quedan libres, en su orden.
QList<QColor> ColoresDeSeries(const QStringList& nombres);
