#pragma once
// Ventanas de las tareas de estadística que existen, por código de tarea.
#include <QList>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

// Códigos de tarea cuyas ventanas existen (107 = "Tipos de Compra", ...).
QList<int> TareasDisponibles();
// La ventana de la tarea, sin mostrar; nullptr si el código no tiene ventana.
std::unique_ptr<QDialog> CrearVentanaTarea(int codigoTarea, QWidget* padre);
// Lo que el programa aplica a cada ventana de estadística al cargarla (las
// imágenes y tooltips de los botones de la suite y sus teclas). Sin instalar,
// las ventanas usan sus propias imágenes con los mismos tooltips.
void InstalarRecursosVentanas(std::function<void(QWidget& ventana)> aplicar);
