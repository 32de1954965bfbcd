#pragma once
// Ayudas comunes de las pruebas de arranque.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Recordset.h"
#include <QStringList>
#include <gtest/gtest.h>
#include <ostream>

// Textos legibles en los mensajes de GoogleTest.
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}

namespace arranque {

// Usuarios de db/50_arranque.sql: la clave es el nombre sin "MRV_", en minúsculas.
inline QString ClaveDe(const QString& usuario) {
    return usuario.mid(4).toLower();
}

// Filas de una consulta hecha por una conexión aparte (como DEMO), cada una
// con sus campos unidos por "|".
inline QStringList Filas(const QString& sql) {
    auto c = prueba::Conectar();
    Recordset rs;
    if (!c->Abierta() || !c->Consultar(sql, rs)) {
        ADD_FAILURE() << "falló la consulta " << sql.toStdString();
        return {};
    }
    QStringList filas;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QStringList campos;
        for (int i = 0; i < rs.CantidadCampos(); ++i)
            campos << (rs.EsNulo(i) ? QStringLiteral("<nulo>") : rs.Valor(i).toString());
        filas << campos.join(QLatin1Char('|'));
    }
    return filas;
}

inline qint64 FilasAuditoria(const QString& usuario) {
    const QStringList f =
        Filas(QStringLiteral("SELECT COUNT(*) FROM OWNER_SARVO.auditoria WHERE usuario='%1'")
                  .arg(usuario));
    return f.isEmpty() ? -1 : f.first().toLongLong();
}

} // namespace arranque
