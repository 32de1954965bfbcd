#pragma once
// Atajos de teclado de los botones estándar, para toda ventana de la suite.
#include <Qt>

class QWidget;

// Esc, F3..F10, Alt+A/M/B/Z y Ctrl+Alt+D pulsan el botón estándar que les
// corresponde si la ventana lo tiene habilitado y visible, y consumen la
// tecla (tecla y mayusculas quedan en 0). Con navegar, Re Pág, flechas y
// Av Pág mueven por los registros sin consumir la tecla.
void ProcesarTeclas(int& codigoTecla, Qt::KeyboardModifiers& mayusculas, bool navegar,
                    QWidget* ventana);

// Hace que las teclas que llegan a cualquier control de la ventana pasen
// antes por ProcesarTeclas; una tecla consumida no sigue.
void InstalarTeclas(QWidget* ventana, bool navegar);
