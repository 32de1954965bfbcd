#pragma once
// Ayudas generales sin pantalla.
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Fecha del servidor ("SELECT sysdate FROM dual"); nullopt si falló la consulta.
std::optional<QDateTime> FechaServidor(bool conHora);
QString SiNulo(const QVariant& valor, const QString& valorPorDefecto);
QString TextoNumerico(QVariant& valor, const QString& valorPorDefecto);
qint16 ContarElementos(QString& texto, const QString& separador);
QString ElementoN(const QString& texto, const QString& separador, int n);
QString ActualizarCopiaLocal(const QString& origen, const QString& destino);
