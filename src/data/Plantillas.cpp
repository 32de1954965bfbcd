#include "Plantillas.h"
#include "Avisos.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Recordset.h"

QString AgregarOwner(const QString& nombre, const QString& owner) {
    const QString& duenio = owner.isEmpty() ? Glob().OwnerSarvo : owner;
    return duenio + QLatin1Char('.') + nombre;
}

QString QuitarOwner(const QString& texto, const QString& owner) {
    const QString quitar = owner.isEmpty() ? Glob().OwnerSarvo + QLatin1Char('.') : owner;
    if (quitar.isEmpty())
        return texto;
    QString r = texto;
    r.remove(quitar, Qt::CaseSensitive);
    return r;
}

QString AsigOwner(const QString& plantilla, const QString& marca, const QString& abre,
                  const QString& cierra) {
    if (!plantilla.startsWith(marca))
        return plantilla;
    QString texto = plantilla.mid(marca.size());
    if (abre.isEmpty())
        return texto;

    // Cada vuelta reemplaza al menos un cierre; el tope sólo corta el caso de un
    // dueño que traiga las marcas (la vuelta no terminaría).
    qsizetype vueltas = cierra.isEmpty() ? 0 : texto.count(cierra) + 1;
    while (texto.contains(abre)) {
        const qsizetype a = texto.indexOf(abre);
        const qsizetype c = cierra.isEmpty() ? -1 : texto.indexOf(cierra);
        if (c - a < abre.size() || vueltas-- <= 0) {
            avisos().MostrarMensaje(
                QStringLiteral("Error en la confección de la consulta ASIGOWNER no aplicable"),
                QStringLiteral("Error Interno"));
            break;
        }
        const QString nombre = texto.mid(a + abre.size(), c - a - abre.size());
        texto.replace(abre + nombre + cierra, AgregarOwner(nombre), Qt::CaseSensitive);
    }
    return texto;
}

std::optional<QVariant> ValorSQL(const QString& sql, const QVariant& valorPorDefecto,
                                 ConexionBase* conexion) {
    const QString sentencia =
        AsigOwner(sql, QStringLiteral("//"), QStringLiteral("{"), QStringLiteral("}"));
    Recordset rs;
    CargarRecordset(rs, sentencia, QString(), conexion, 0);
    if (!rs.Abierto())
        return std::nullopt; // CargarRecordset ya mostró el error
    if (rs.RecordCount() < 1)
        return valorPorDefecto;
    rs.MoveFirst();
    return rs.Valor(0);
}

bool TieneOrderBy(const QString& sql) {
    return sql.toUpper().contains(QLatin1String("ORDER BY"));
}

QString EntreComillas(const QString& texto, bool respetarComillas) {
    if (texto.isEmpty())
        return QStringLiteral("NULL");
    if (respetarComillas && (texto.startsWith(QLatin1Char('\'')) || texto == QLatin1String("NULL")))
        return texto;
    return LiteralSql(texto);
}
