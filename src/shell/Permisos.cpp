#include "Permisos.h"
#include "CodigosCatalogo.h"
#include "Func_SarvoErrores.h"
#include "FyG_Sarvo.h"
#include "LiteralSql.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <array>

namespace {

using Niveles = std::array<qint16, 4>; // acceso, alta, baja, modi

// Niveles de la fila actual; un nivel nulo cuenta como 0.
Niveles LeerNiveles(const Recordset& rs) {
    Niveles n{};
    for (int i = 0; i < 4; ++i)
        n[size_t(i)] = rs.EsNulo(i) ? qint16(0) : qint16(rs.Valor(i).toInt());
    return n;
}

const QString Columnas =
    QStringLiteral("SELECT permiso_acceso,permiso_alta,permiso_baja,permiso_modi");

} // namespace

void ObtenerPermisos(const QString& sistema, const QString& usuario, const QString& tarea,
                     bool& acceso, bool& alta, bool& baja, bool& modi) {
    acceso = alta = baja = modi = false;

    Recordset rs;
    Cargar_Recordset(Columnas + QStringLiteral(",descripcion FROM ") +
                         AgregarOwner(QStringLiteral("vis_tareas"), QString()) +
                         QStringLiteral(" WHERE sistema=") + LiteralSql(sistema) +
                         QStringLiteral(" AND tarea=") + LiteralSql(tarea),
                     rs);
    if (!rs.Abierto())
        return; // el error de la base ya se mostró
    if (rs.RecordCount() < 1) {
        MostrarError(Catalogo::TareaNoDefinida, {tarea});
        return;
    }
    rs.MoveFirst();
    const Niveles exige = LeerNiveles(rs);

    Recordset usr;
    Cargar_Recordset(Columnas + QStringLiteral(" FROM ") +
                         AgregarOwner(QStringLiteral("restricciones_usuario"), QString()) +
                         QStringLiteral(" WHERE sistema=") + LiteralSql(sistema) +
                         QStringLiteral(" AND tarea=") + LiteralSql(tarea) +
                         QStringLiteral(" AND usuario=") + LiteralSql(usuario),
                     usr);
    if (!usr.Abierto() || usr.RecordCount() < 1) {
        Cargar_Recordset(Columnas + QStringLiteral(" FROM ") +
                             AgregarOwner(QStringLiteral("usuarios"), QString()) +
                             QStringLiteral(" WHERE usuario=") + LiteralSql(usuario),
                         usr);
        // Sin fila del usuario no hay niveles que comparar: todo negado.
        if (!usr.Abierto() || usr.RecordCount() < 1)
            return;
    }
    usr.MoveFirst();
    const Niveles tiene = LeerNiveles(usr);
    acceso = tiene[0] >= exige[0];
    alta = tiene[1] >= exige[1];
    baja = tiene[2] >= exige[2];
    modi = tiene[3] >= exige[3];
}

bool AccesoTareaPorCodigo(const QString& sistema, const QString& usuario, int codigo) {
    Recordset rs;
    Cargar_Recordset(QStringLiteral("SELECT tarea FROM ") +
                         AgregarOwner(QStringLiteral("vis_tareas"), QString()) +
                         QStringLiteral(" WHERE sistema='") + sistema +
                         QStringLiteral("' AND cod_formulario=") + QString::number(codigo) +
                         QStringLiteral(" ORDER BY tarea"),
                     rs);
    if (!rs.Abierto())
        return false; // el error de la base ya se mostró
    if (rs.RecordCount() < 1) {
        MostrarError(Catalogo::TareaNoDefinida, {QString::number(codigo)});
        return false;
    }
    rs.MoveFirst();
    bool acceso = false, alta = false, baja = false, modi = false;
    ObtenerPermisos(sistema, usuario, rs.Valor(0).toString(), acceso, alta, baja, modi);
    return acceso;
}

bool AccesoTareaInformado(const QString& sistema, const QString& usuario, int codigo,
                          const QString& titulo, const QString& programa) {
    if (AccesoTareaPorCodigo(sistema, usuario, codigo))
        return true;
    MostrarMensaje(QStringLiteral("El usuario %1 no tiene acceso a la tarea %2 (%3)")
                       .arg(usuario)
                       .arg(codigo)
                       .arg(titulo),
                   programa);
    return false;
}
