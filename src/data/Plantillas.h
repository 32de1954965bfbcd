#pragma once
// Nombres calificados con el dueño de la suite y plantillas "//...{TABLA}...".
#include <QString>
#include <QVariant>
#include <optional>

class ConexionBase;

QString AgregarOwner(const QString& nombre, const QString& owner = QString());
QString QuitarOwner(const QString& texto, const QString& owner = QString());
QString AsigOwner(const QString& plantilla, const QString& marca = QStringLiteral("//"),
                  const QString& abre = QStringLiteral("{"),
                  const QString& cierra = QStringLiteral("}"));
// Primer campo de la primera fila de la consulta (una plantilla "//" se
// resuelve antes), o valorPorDefecto sin filas; nullopt si la consulta falló
// (el fallo ya se mostró). El texto de quien llama no cambia: la suite lo
// dejaba resuelto, pero ningún llamador lo vuelve a leer.
std::optional<QVariant> ValorSQL(const QString& sql, const QVariant& valorPorDefecto,
                                 ConexionBase* conexion = nullptr);
bool TieneOrderBy(const QString& sql);
// Literal SQL (LiteralSql): "NULL" para vacío; con respetarComillas, un texto
// que ya empieza con comilla o es NULL queda igual.
QString EntreComillas(const QString& texto, bool respetarComillas);
