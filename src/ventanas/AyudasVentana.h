#pragma once
// Ayudas para ventanas: centrar, dar el foco sin riesgo y la caja de
// información de diagnóstico (Alt+Z).
#include <QString>

class QWidget;

// Centra la ventana en la pantalla, salvo que esté maximizada.
void CentrarForm(QWidget* form);
// Da el foco al control si está visible y habilitado; falso si no pudo.
bool HacerFoco(QWidget* control);
bool HabilitadoYVisible(QWidget* control);
// Muestra ventana, tarea y último reporte impreso bajo el título "Información".
void InformacionForm(QWidget* form, const QString& ultimoReporte);
