#pragma once
// Código de acceso del día que la UDT entrega para pasar el control de versión.
#include <QByteArray>
#include <QDate>
#include <QString>
#include <optional>

// Código de las bases sin la comprobación con clave: seis dígitos que
// dependen solo de la fecha. Lo conservan las instalaciones anteriores.
QString CodigoAccesoDelDia(const QDate& fecha);

// Código con la clave de sitio de la municipalidad: HMAC-SHA-256 del prefijo
// del sistema seguido de la fecha "aaaammdd", truncado a ocho cifras. Es lo
// que calcula la base en CodigoAccesoCorrecto. Vacío si la fecha no es válida.
QString CodigoAccesoConClave(const QByteArray& clave, const QString& prefijo, const QDate& fecha);
// HMAC-SHA-256 de mensaje con clave, truncado a `cifras` dígitos como en
// RFC 4226 (5.3): cuatro bytes desde el desplazamiento que dan los cuatro bits
// bajos del último, sin el bit alto, módulo 10^cifras.
QString CodigoHmac(const QByteArray& clave, const QByteArray& mensaje, int cifras);

// Bytes de una clave de sitio.
inline constexpr int LargoClaveSitio = 32;
// Clave de sitio de un archivo: una línea con 64 cifras hexadecimales; las
// líneas vacías y las que empiezan con "#" no cuentan. nullopt con el motivo
// en error si no se puede leer o no tiene exactamente una clave.
std::optional<QByteArray> LeerClaveSitio(const QString& ruta, QString* error);
// Texto de un archivo de clave nuevo: comentarios (qué es, cuándo se creó y
// la sentencia que la instala en la base) y la clave.
QString TextoArchivoClave(const QByteArray& clave, const QDate& creada);
// Sentencia que instala la clave en la base, como dueño del esquema de seguridad.
QString SentenciaInstalarClave(const QByteArray& clave);

// Fecha escrita "dd/mm/aaaa" (uno o dos dígitos para día y mes), sin mirar
// la configuración regional. Inválida si el texto no es una fecha.
QDate FechaDesdeTexto(const QString& texto);
