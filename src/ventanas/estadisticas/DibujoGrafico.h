#pragma once
// Los gráficos de una estadística como dibujos vectoriales para su reporte:
// la misma VistaGrafico de la ventana, armada fuera de pantalla al tamaño del
// marco del reporte. Sirve a la ventana al imprimir y a un comando sin ventanas.
#include <QPicture>
#include <QSizeF>
#include <QString>
#include <functional>

class Estadistica;
class ModeloGrafico;

// Píxeles lógicos por pulgada del dibujo: a esta resolución las letras de la
// vista, en puntos, quedan del tamaño que tienen en la hoja.
inline constexpr qreal PixelesPorPulgadaGrafico = 96.0;

// El modelo dibujado por una VistaGrafico de ese tamaño (milímetros). Nulo si
// el tamaño no sirve.
QPicture DibujarGrafico(const ModeloGrafico& modelo, const QSizeF& milimetros);

// Las imágenes que piden los reportes de la estadística: "grafico1" es Chart
// y "grafico2" Chart2 (sin distinguir mayúsculas). Otro nombre, o un gráfico
// que la estadística no tiene, da un dibujo nulo. La estadística tiene que
// vivir mientras se use.
std::function<QPicture(const QString& nombre, const QSizeF& milimetros)>
GraficosDeEstadistica(const Estadistica& estadistica);
