#pragma once
// Composición del texto de un mensaje del catálogo con sus parámetros.
#include <QString>
#include <QStringList>
#include <optional>

// Cada parámetro ocupa la primera marca "@" que queda, aunque la haya traído
// el parámetro anterior; sin marcas, se agregan CR LF y una al final. Los
// parámetros sin marca no cuentan y las marcas sobrantes quedan a la vista.
// nullopt: el texto tiene marcas y no vino ningún parámetro.
std::optional<QString> ComponerMensaje(const QString& mensaje, const QStringList& parametros);
