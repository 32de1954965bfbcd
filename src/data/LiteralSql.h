#pragma once
// El único camino de un valor de texto a una sentencia: entre comillas simples
// y con cada comilla interna duplicada. Para un valor sin comillas el texto es
// el mismo que "'" + valor + "'".
#include <QString>

QString LiteralSql(const QString& valor);
