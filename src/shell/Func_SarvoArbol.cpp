#include "Func_SarvoArbol.h"
#include "Dialogos.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "LiteralSql.h"
#include "Permisos.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <algorithm>

namespace {

QString Texto(const Recordset& rs, const char* campo) {
    const QVariant v = rs.Valor(QLatin1String(campo));
    return v.isNull() ? QString() : v.toString();
}

bool EsNumeroItem(const QString& item) {
    return !item.isEmpty() && std::all_of(item.begin(), item.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
}

} // namespace

QString ConsultaMenu(const QString& sistema, const QString& usuario) {
    return QStringLiteral("SELECT titulo,level AS nro_nivel,menu,menu_hijo,"
                          "LTRIM(TO_CHAR(item,'00')) AS item ") +
           QStringLiteral(" FROM ") + AgregarOwner(QStringLiteral("menues"), QString()) +
           QStringLiteral(" WHERE sistema=") + LiteralSql(sistema) + QStringLiteral(" ") +
           QStringLiteral(" START WITH menu = (") + QStringLiteral("SELECT menu FROM ") +
           AgregarOwner(QStringLiteral("usuario_menu"), QString()) +
           QStringLiteral(" WHERE sistema=") + LiteralSql(sistema) +
           QStringLiteral(" AND usuario=") + LiteralSql(usuario) + QStringLiteral(") ") +
           QStringLiteral(" CONNECT BY PRIOR menu_hijo=menu ");
}

bool CargarMenu(ArbolMenu& arbol, const QString& sistema, const QString& usuario) {
    PunteroTemporal reloj(Puntero::Reloj);
    Recordset rs;
    Cargar_Recordset(ConsultaMenu(sistema, usuario), rs);
    if (!rs.Abierto() || rs.RecordCount() < 1)
        return false;

    std::vector<FilaMenu> filas;
    filas.reserve(size_t(rs.RecordCount()));
    const int campoHijo = rs.IndiceCampo(QStringLiteral("menu_hijo"));
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        FilaMenu f;
        f.titulo = Texto(rs, "titulo");
        f.nivel = rs.Valor(QStringLiteral("nro_nivel")).toInt();
        f.menu = Texto(rs, "menu");
        if (campoHijo >= 0 && !rs.EsNulo(campoHijo))
            f.menuHijo = rs.Valor(campoHijo).toString();
        f.item = Texto(rs, "item");
        filas.push_back(std::move(f));
    }

    ConsultasMenu consultas;
    consultas.tareaDeMenu = [](const QString& menu, const QString& item) {
        return TareaDeMenu(QStringLiteral("Miravel"), menu, item);
    };
    consultas.acceso = [sistema](const QString& tarea) {
        bool acceso = false, alta = false, baja = false, modi = false;
        ObtenerPermisos(sistema, Glob().UsuarioActual, tarea, acceso, alta, baja, modi);
        return acceso;
    };
    arbol.Construir(filas, consultas);
    return true;
}

QString TareaDeMenu(const QString& sistema, const QString& menu, const QString& item) {
    // El ítem va sin comillas: solo un número entra a la sentencia.
    if (!EsNumeroItem(item))
        return QString();
    const QString sql =
        QStringLiteral("SELECT LTRIM(TO_CHAR(t.cod_formulario,'000')) AS cod_formulario,t.tarea "
                       "FROM ") +
        AgregarOwner(QStringLiteral("vis_tareas"), QString()) + QStringLiteral(" t,") +
        AgregarOwner(QStringLiteral("tareas_menues"), QString()) +
        QStringLiteral(" tm WHERE t.tarea=tm.tarea AND ") + QStringLiteral("t.sistema=") +
        LiteralSql(sistema) + QStringLiteral(" AND tm.sistema=") + LiteralSql(sistema) +
        QStringLiteral(" AND ") + QStringLiteral("tm.menu=") + LiteralSql(menu) +
        QStringLiteral(" AND tm.item=") + item;
    Recordset rs;
    CargarRecordset(rs, sql, QString());
    if (!rs.Abierto() || rs.RecordCount() < 1)
        return QString();
    rs.MoveFirst();
    return Texto(rs, "cod_formulario") + Texto(rs, "tarea");
}
