#pragma once
// Lo que decide la ventana principal, sin pantalla: textos de la barra de
// estado, fondo por ambiente, tareas frecuentes y el final del árbol.
#include "ArbolMenu.h"
#include <QDate>
#include <QString>
#include <array>

// "09 de Diciembre de 2026": día de dos cifras, mes con inicial mayúscula, año.
QString TextoFechaLarga(const QDate& fecha);
// "V." + mayor.menor.revisión del programa.
QString TextoVersionPrograma();

// Imagen de fondo para el ambiente de CONFIG AMBIENTE: 2 "PRODUCCION",
// 3 "PRUEBA", 4 "CAPACITACION"; 1 (la de diseño) para cualquier otro.
int ImagenDeAmbiente(const QString& ambiente);

// Tareas de la barra de tareas frecuentes, una por par de botones (1-2, 3-4, 5-6).
struct TareaFrecuente {
    int codigo;
    const char* nombre;
};
inline constexpr std::array<TareaFrecuente, 3> TareasFrecuentes = {{
    {103, "Recursos vs. Gastos"},
    {104, "Gastos en Personal"},
    {108, "Ingresos"},
}};

// Tag del nodo "Salir": dos blancos y el código que el despachador ignora.
inline const QString TagSalir = QStringLiteral("  255");

// Final del árbol: un separador "-" como último hijo del nodo inicial y
// "Salir" como último hijo del primer nodo cargado, sean menúes o tareas.
// Si el nodo inicial ya no está (se quitó por vacío, o el menú de arriba no
// tenía entrada 01) hace sus veces el primer nodo. Devuelve el nodo inicial
// con que se arma la barra de menú.
NodoMenu* AgregarFinDeMenu(ArbolMenu& arbol, NodoMenu* nodoInicial);
