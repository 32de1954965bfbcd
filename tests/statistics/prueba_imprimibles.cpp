// Las tres estadísticas que solo imprimen, contra el servidor privado y con
// ventanas falsas: el pedido de cada una en su orden, generar y confirmar
// antes de cada impresión, la generación fallida que no imprime, las cifras
// de las tablas de trabajo frente a cifras calculadas aquí, el PDF de cada
// reporte frente a su texto esperado y el cambio de dueño sobre un reporte real.
#include "../printing/AyudaImpresion.h"
#include "EstadisticaImprimible.h"
#include "ImprimirEstadistica.h"
#include "Parametros.h"
#include "Recordset.h"
#include <QDirIterator>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <ostream>

inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

inline void PrintTo(const PasoImpresion& paso, std::ostream* os) {
    *os << (paso.tipo == PasoImpresion::Tipo::Formula ? "Formula(\"" : "Consulta(\"")
        << paso.texto.toStdString() << "\")";
}

namespace {

const qint16 Usuario = 32801;
const QDate FinDeFebrero(2024, 2, 29);

struct Caso {
    Imprimible cual;
    const char* ventana;
    const char* tabla; // tabla de trabajo, con la columna usuario
    const char* esperado;
};

const Caso Casos[] = {
    {Imprimible::RankingProveedores, "frmRankingProveedores", "ges_compras_x_prov",
     "esperado_rankingproveedores.txt"},
    {Imprimible::RankingBienes, "frmRankingBienes", "ges_compras_x_rubro",
     "esperado_rankingbienes.txt"},
    {Imprimible::GastosCatProg, "frmGastosCatProg", "ges_gastos_x_catprog",
     "esperado_gastosxcatprog.txt"},
};

class Imprimibles : public prueba::ConImpresion {
protected:
    void SetUp() override {
        ConImpresion::SetUp();
        // La sesión en día/mes/año, como la deja el arranque.
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Glob().CodUsuario = Usuario;
        Glob().SeguimientoSql = true;
        for (const char* archivo :
             {"MRV_RankingProveedores.rpt", "MRV_RankingBienes.rpt", "MRV_GastosXCatProg.rpt"})
            InstalarDelArbol(QStringLiteral("Miravel/Reportes/Formato85/") +
                             QLatin1String(archivo));
        for (const Caso& c : Casos)
            ventanas.Cargar(QLatin1String(c.ventana),
                            {QStringLiteral("CmdActualizar"), QStringLiteral("CmdImprimir"),
                             QStringLiteral("CmdCerrar")});
        Limpiar();
    }
    void TearDown() override {
        Limpiar();
        ConImpresion::TearDown();
    }
    // Por otra conexión, confirmado: la generación confirma en la principal.
    void Limpiar() {
        auto c = prueba::Conectar();
        for (const Caso& caso : Casos)
            c->Ejecutar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE usuario = %2")
                            .arg(QLatin1String(caso.tabla))
                            .arg(Usuario));
        c->Confirmar();
    }
    int Filas(const char* tabla) {
        Recordset rs;
        EXPECT_TRUE(Glob().Conexion->Consultar(
            QStringLiteral("SELECT count(*) FROM owner_sarvo.%1 WHERE usuario = %2")
                .arg(QLatin1String(tabla))
                .arg(Usuario),
            rs));
        return rs.Eof() ? -1 : rs.Valor(0).toInt();
    }
    // Las sentencias del seguimiento, en el orden en que corrieron: cada
    // entrada lleva la sentencia en la línea que sigue a la del equipo.
    QStringList Trazadas() {
        QStringList lineas;
        QStringList archivos;
        QDirIterator it(dir.path(), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString ruta = it.next();
            if (ruta.contains(QLatin1String("SEG")))
                archivos << ruta;
        }
        archivos.sort();
        for (const QString& ruta : archivos)
            lineas << QString::fromUtf8(prueba::LeerArchivo(ruta)).split(u'\n');
        QStringList sentencias;
        for (qsizetype i = 0; i + 1 < lineas.size(); ++i)
            if (lineas[i].startsWith(QLatin1String("PC:[")))
                sentencias << lineas[i + 1];
        return sentencias;
    }
    QString TextoPdf() {
        return prueba::TextoDePdf(dir.filePath(QStringLiteral("vista.pdf"))).remove(u'\f');
    }
};

TEST_F(Imprimibles, CadaUnaGeneraConfirmaYMandaSuPedidoEnSuOrden) {
    const QString u = QString::number(Usuario);
    const QString muni = QStringLiteral("Municipalidad='Municipalidad de Villa Serrana'");
    const QString fecha = QStringLiteral("Fecha='29/02/2024'");
    using T = PasoImpresion::Tipo;
    const std::map<Imprimible, std::vector<PasoImpresion>> pasos = {
        {Imprimible::RankingProveedores,
         {{T::Formula, "Usuario = " + u},
          {T::Consulta, QString()},
          {T::Formula, "Ejercicio = 2024"},
          {T::Formula, fecha},
          {T::Formula, muni}}},
        {Imprimible::RankingBienes,
         {{T::Formula, "Usuario = " + u},
          {T::Formula, fecha},
          {T::Formula, "Ejercicio = 2024"},
          {T::Formula, muni}}},
        {Imprimible::GastosCatProg,
         {{T::Formula, "Usuario = " + u}, {T::Formula, fecha}, {T::Formula, muni}}},
    };
    const std::map<Imprimible, QStringList> titulos = {
        {Imprimible::RankingProveedores,
         {"Ranking de Proveedores", "MRV_RankingProveedores.rpt", "GES_GENERA_COMPRAS_X_PROV"}},
        {Imprimible::RankingBienes,
         {"Ranking de Bienes", "MRV_RankingBienes.rpt", "GES_GENERA_COMPRAS_X_RUBRO"}},
        {Imprimible::GastosCatProg,
         {"Gastos por Categoría Programática", "MRV_GastosXCatProg.rpt",
          "GES_GENERA_GASTOS_X_CATPROG"}},
    };
    for (const Caso& c : Casos) {
        SCOPED_TRACE(c.ventana);
        EstadisticaImprimible logica(c.cual);
        const PedidoImpresion p = logica.Impresion(FinDeFebrero);
        EXPECT_EQ(p.titulo, titulos.at(c.cual)[0]);
        EXPECT_EQ(p.archivo, titulos.at(c.cual)[1]);
        EXPECT_TRUE(p.generarAntes);
        EXPECT_EQ(p.pasos, pasos.at(c.cual));
        EXPECT_EQ(logica.Descripcion().nombre, QLatin1String(c.ventana));

        // El motor recibe las fórmulas detrás de las tres automáticas y, como
        // nadie le dio otra, corre la consulta guardada del reporte.
        QStringList formulas;
        QString consulta = QStringLiteral("sin mostrar");
        ventanas.alMostrar = [&](MotorReporte& m) {
            formulas.clear();
            for (int i = 3; i < IndiceFormula(); ++i)
                formulas << m.Formulas(i);
            consulta = m.SQLQuery();
        };
        ASSERT_TRUE(ImprimirEstadistica(logica, FinDeFebrero));
        EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
        EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
        QStringList esperadas;
        for (const PasoImpresion& paso : p.pasos)
            if (paso.tipo == T::Formula)
                esperadas << paso.texto;
        EXPECT_EQ(formulas, esperadas);
        EXPECT_EQ(consulta, QString());
        EXPECT_EQ(ventanas.titulos.last(), titulos.at(c.cual)[0]);
        EXPECT_GT(Filas(c.tabla), 0) << "generó y confirmó antes de imprimir";
        EXPECT_TRUE(ventanas.ventanas[QLatin1String(c.ventana)].habilitada);

        // La llamada exacta y la confirmación en minúsculas, seguidas.
        const QStringList traza = Trazadas();
        const QString llamada =
            "OWNER_SARVO." + titulos.at(c.cual)[2] + "(" + u + ",2024,'29/02/2024')";
        const qsizetype i = traza.lastIndexOf(llamada);
        ASSERT_GE(i, 0) << traza.join('\n').toStdString();
        ASSERT_LT(i + 1, traza.size());
        EXPECT_EQ(traza[i + 1], QStringLiteral("commit")) << traza.join('\n').toStdString();
    }
}

TEST_F(Imprimibles, DosImpresionesSeguidasGeneranDosVeces) {
    EstadisticaImprimible logica(Imprimible::RankingBienes);
    ASSERT_TRUE(ImprimirEstadistica(logica, FinDeFebrero));
    ASSERT_GT(Filas("ges_compras_x_rubro"), 0);
    Limpiar();
    ASSERT_EQ(Filas("ges_compras_x_rubro"), 0);
    ASSERT_TRUE(ImprimirEstadistica(logica, FinDeFebrero));
    EXPECT_GT(Filas("ges_compras_x_rubro"), 0) << "la segunda impresión volvió a generar";
    EXPECT_EQ(Trazadas().filter(QStringLiteral("GES_GENERA_COMPRAS_X_RUBRO(")).size(), 2);
    EXPECT_EQ(ventanas.titulos.size(), 2);
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
}

TEST_F(Imprimibles, UnaGeneracionQueFallaNoImprimeYSeMuestraUnaVez) {
    for (const Caso& c : Casos) {
        SCOPED_TRACE(c.ventana);
        ui.mensajes.clear();
        const int cargas = ventanas.cargasRecursos;
        {
            // Otra sesión tiene el bloqueo del usuario sobre la tabla: la
            // generación espera poco y falla.
            ASSERT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral("SET lock_timeout = '300ms'")));
            auto otra = prueba::Conectar();
            Recordset rs;
            ASSERT_TRUE(
                otra->Consultar(QStringLiteral("SELECT owner_sarvo.ges_bloquear_usuario('%1', %2)")
                                    .arg(QLatin1String(c.tabla))
                                    .arg(Usuario),
                                rs));
            EstadisticaImprimible logica(c.cual);
            EXPECT_FALSE(ImprimirEstadistica(logica, FinDeFebrero));
        }
        EXPECT_EQ(ui.mensajes.size(), 1u) << ui.Textos().join('|').toStdString();
        EXPECT_EQ(ventanas.cargasRecursos, cargas) << "no se empezó ningún pedido";
        EXPECT_TRUE(ventanas.titulos.isEmpty());
        EXPECT_EQ(Filas(c.tabla), 0);
        EXPECT_FALSE(Trazadas().contains(QStringLiteral("commit")));
        const auto& v = ventanas.ventanas[QLatin1String(c.ventana)];
        EXPECT_TRUE(v.habilitada);
        EXPECT_TRUE(v.controles.at(QStringLiteral("CmdImprimir")));
    }
}

// Órdenes emitidas del año hasta la fecha, agrupadas por la clave dada,
// calculadas aquí: clave -> (órdenes, proveedores distintos, importe).
struct Compras {
    int cantidad = 0;
    int proveedores = 0;
    double importe = 0;
};
std::map<int, Compras> ComprasPor(const QString& clave, const QDate& hasta) {
    Recordset rs;
    const QString sql =
        QStringLiteral("SELECT %1, count(*), count(DISTINCT cod_proveedor), sum(importe) FROM "
                       "owner_sarvo.ordenes_compra WHERE estado = 'E' AND fecha_orden BETWEEN "
                       "DATE '%2-01-01' AND DATE '%3' GROUP BY %1")
            .arg(clave)
            .arg(hasta.year())
            .arg(hasta.toString(Qt::ISODate));
    EXPECT_TRUE(Glob().Conexion->Consultar(sql, rs)) << sql.toStdString();
    std::map<int, Compras> compras;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext())
        compras[rs.Valor(0).toInt()] = {rs.Valor(1).toInt(), rs.Valor(2).toInt(),
                                        rs.Valor(3).toDouble()};
    return compras;
}

// El orden de Pareto: importe de mayor a menor, empates por código; la clase
// según lo acumulado antes de cada puesto.
struct Puesto {
    int codigo;
    double porcentajeAcum;
    QString clase;
};
std::vector<Puesto> Pareto(const std::map<int, Compras>& compras) {
    std::vector<std::pair<int, double>> orden;
    double total = 0;
    for (const auto& [codigo, c] : compras) {
        orden.emplace_back(codigo, c.importe);
        total += c.importe;
    }
    std::sort(orden.begin(), orden.end(), [](const auto& a, const auto& b) {
        return a.second != b.second ? a.second > b.second : a.first < b.first;
    });
    std::vector<Puesto> puestos;
    double acumulado = 0;
    for (const auto& [codigo, importe] : orden) {
        const double antes = 100 * acumulado / total;
        acumulado += importe;
        puestos.push_back(
            {codigo, 100 * acumulado / total, antes < 80 ? "A" : (antes < 95 ? "B" : "C")});
    }
    return puestos;
}

TEST_F(Imprimibles, LasCifrasDeLasTablasSonLasCalculadasAparte) {
    const QDate fecha(2024, 6, 30);
    for (const Caso& c : Casos) {
        EstadisticaImprimible logica(c.cual);
        ASSERT_TRUE(ImprimirEstadistica(logica, fecha)) << c.ventana;
    }
    const QString u = QString::number(Usuario);

    // Proveedores: cada puesto con su proveedor, sus órdenes, su importe y su clase.
    const auto porProveedor = ComprasPor(QStringLiteral("cod_proveedor"), fecha);
    const auto pareto = Pareto(porProveedor);
    Recordset rs;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        "SELECT ranking, cod_proveedor, cantidad, importe, porcentaje_acum, clase, fecha FROM "
        "owner_sarvo.ges_compras_x_prov WHERE usuario = " +
            u + " ORDER BY ranking",
        rs));
    ASSERT_EQ(rs.RecordCount(), int(pareto.size()));
    ASSERT_GT(rs.RecordCount(), 100);
    int puesto = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++puesto) {
        const Puesto& p = pareto[size_t(puesto)];
        ASSERT_EQ(rs.Valor(0).toInt(), puesto + 1);
        ASSERT_EQ(rs.Valor(1).toInt(), p.codigo) << "puesto " << puesto + 1;
        EXPECT_EQ(rs.Valor(2).toInt(), porProveedor.at(p.codigo).cantidad);
        EXPECT_NEAR(rs.Valor(3).toDouble(), porProveedor.at(p.codigo).importe, 0.005);
        EXPECT_NEAR(rs.Valor(4).toDouble(), p.porcentajeAcum, 0.0001);
        EXPECT_EQ(rs.Valor(5).toString(), p.clase) << "puesto " << puesto + 1;
        EXPECT_EQ(rs.Valor(6).toDate(), fecha);
    }

    // Rubros: el rubro de cada orden, con sus proveedores distintos.
    const auto porRubro = ComprasPor(QStringLiteral("cod_rubro"), fecha);
    const auto paretoRubros = Pareto(porRubro);
    ASSERT_TRUE(Glob().Conexion->Consultar(
        "SELECT ranking, cod_rubro, cantidad, proveedores, importe, clase FROM "
        "owner_sarvo.ges_compras_x_rubro WHERE usuario = " +
            u + " ORDER BY ranking",
        rs));
    ASSERT_EQ(rs.RecordCount(), int(paretoRubros.size()));
    puesto = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++puesto) {
        const Puesto& p = paretoRubros[size_t(puesto)];
        ASSERT_EQ(rs.Valor(1).toInt(), p.codigo) << "puesto " << puesto + 1;
        const Compras& esperado = porRubro.at(p.codigo);
        EXPECT_EQ(rs.Valor(2).toInt(), esperado.cantidad);
        EXPECT_EQ(rs.Valor(3).toInt(), esperado.proveedores);
        EXPECT_NEAR(rs.Valor(4).toDouble(), esperado.importe, 0.005);
        EXPECT_EQ(rs.Valor(5).toString(), p.clase);
    }

    // Categorías: crédito vigente y etapas del gasto hasta la fecha.
    Recordset esperado;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QStringLiteral(
            "SELECT c.cod_jurisdiccion, c.programa, c.actividad, "
            "(SELECT sum(p.credito_original + p.modificaciones) FROM owner_sarvo.partidas_gasto p "
            "WHERE p.ejercicio = 2024 AND p.id_categoria = c.id_categoria), "
            "(SELECT coalesce(sum(m.importe), 0) FROM owner_sarvo.movimientos_gasto m JOIN "
            "owner_sarvo.partidas_gasto p ON p.ejercicio = m.ejercicio AND p.id_partida = "
            "m.id_partida WHERE m.ejercicio = 2024 AND m.etapa = 'D' AND m.fecha <= DATE "
            "'2024-06-30' AND p.id_categoria = c.id_categoria) "
            "FROM owner_sarvo.categorias_programaticas c ORDER BY 1, 2, 3"),
        esperado));
    ASSERT_TRUE(Glob().Conexion->Consultar(
        "SELECT cod_jurisdiccion, programa, actividad, vigente, devengado, "
        "porcentaje_ejecutado FROM owner_sarvo.ges_gastos_x_catprog WHERE usuario = " +
            u + " ORDER BY 1, 2, 3",
        rs));
    ASSERT_GT(rs.RecordCount(), 10);
    ASSERT_EQ(rs.RecordCount(), esperado.RecordCount());
    double devengado = 0;
    for (rs.MoveFirst(), esperado.MoveFirst(); !rs.Eof(); rs.MoveNext(), esperado.MoveNext()) {
        for (int i = 0; i < 3; ++i)
            ASSERT_EQ(rs.Valor(i).toInt(), esperado.Valor(i).toInt());
        EXPECT_NEAR(rs.Valor(3).toDouble(), esperado.Valor(3).toDouble(), 0.005);
        EXPECT_NEAR(rs.Valor(4).toDouble(), esperado.Valor(4).toDouble(), 0.005);
        EXPECT_NEAR(rs.Valor(5).toDouble(),
                    100 * esperado.Valor(4).toDouble() / esperado.Valor(3).toDouble(), 0.005);
        devengado += esperado.Valor(4).toDouble();
    }
    // El último reporte impreso (categorías) cierra con ese total devengado.
    const QLocale es(QLocale::Spanish, QLocale::Argentina);
    EXPECT_TRUE(TextoPdf().contains(
        QRegularExpression(QStringLiteral("Total general .* %1 ")
                               .arg(QRegularExpression::escape(es.toString(devengado, 'f', 2))))))
        << TextoPdf().toStdString();
}

TEST_F(Imprimibles, ElPdfDeCadaReporteEsElEsperado) {
    for (const Caso& c : Casos) {
        SCOPED_TRACE(c.ventana);
        EstadisticaImprimible logica(c.cual);
        ASSERT_TRUE(ImprimirEstadistica(logica, FinDeFebrero));
        ASSERT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
        ASSERT_TRUE(ventanas.PdfEscrito());
        const QString ruta =
            QFileInfo(QStringLiteral(__FILE__)).absolutePath() + '/' + QLatin1String(c.esperado);
        const QString texto = TextoPdf().trimmed();
        if (qEnvironmentVariableIsSet("MIRAVEL_REGENERAR_ESPERADOS"))
            prueba::EscribirArchivo(ruta, (texto + '\n').toUtf8());
        const QString esperado = QString::fromUtf8(prueba::LeerArchivo(ruta));
        ASSERT_FALSE(esperado.isEmpty()) << ruta.toStdString();
        EXPECT_EQ(texto, esperado.trimmed());
    }
}

TEST_F(Imprimibles, ConOtroDuenioElRankingDeBienesLeeSusTablas) {
    // La generación del usuario, confirmada; después se imprime como la
    // municipalidad de Laguna Escondida, cuyas tablas están bajo OWNER_LAGUNA.
    EstadisticaImprimible logica(Imprimible::RankingBienes);
    ASSERT_TRUE(logica.GenerarYConfirmar(FinDeFebrero));
    Glob().OwnerSarvo = QStringLiteral("OWNER_LAGUNA");
    QString principales;
    ventanas.alMostrar = [&](MotorReporte& m) {
        m.setSubreportToChange(QStringLiteral("PRINCIPALES"));
        principales = m.SQLQuery();
        m.setSubreportToChange(QString());
    };
    ImprimirPedido(logica.Impresion(FinDeFebrero), QStringLiteral("frmRankingBienes"));
    EXPECT_FALSE(ErrorReporte()) << UltimoErrorReporte().toStdString();
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join('|').toStdString();
    // La consulta del subreporte salió de PROP_SUBREPORTES, en mayúsculas y con el dueño real.
    EXPECT_TRUE(principales.contains(QStringLiteral("\"OWNER_LAGUNA\".ORDENES_COMPRA")))
        << principales.toStdString();
    EXPECT_FALSE(principales.contains(QStringLiteral("OWNER_SARVO")));
    const QString texto = TextoPdf();
    EXPECT_TRUE(texto.contains(QStringLiteral("Municipalidad de Laguna Escondida")));
    EXPECT_TRUE(texto.contains(QStringLiteral("Proveedor principal de cada rubro")));
    // Una fila del subreporte por rubro: el proveedor de mayor importe,
    // buscado aquí entre las órdenes del rubro.
    Recordset rs;
    ASSERT_TRUE(Glob().Conexion->Consultar(
        QStringLiteral("SELECT r.descripcion, p.razon_social, sum(o.importe) FROM "
                       "owner_sarvo.ordenes_compra o JOIN owner_sarvo.rubros_bienes r USING "
                       "(cod_rubro) JOIN owner_sarvo.proveedores p ON p.cod_proveedor = "
                       "o.cod_proveedor WHERE o.estado = 'E' AND o.fecha_orden BETWEEN DATE "
                       "'2024-01-01' AND DATE '2024-02-29' GROUP BY r.descripcion, "
                       "o.cod_proveedor, p.razon_social ORDER BY 1, 3 DESC, o.cod_proveedor"),
        rs));
    QStringList rubros;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        const QString rubro = rs.Valor(0).toString();
        if (rubros.contains(rubro))
            continue;
        rubros << rubro;
        const QRegularExpression fila(QStringLiteral("^ *\\d+ +%1 +%2 ")
                                          .arg(QRegularExpression::escape(rubro),
                                               QRegularExpression::escape(rs.Valor(1).toString())),
                                      QRegularExpression::MultilineOption);
        EXPECT_TRUE(fila.match(texto).hasMatch()) << rubro.toStdString();
    }
    EXPECT_GT(rubros.size(), 10);
}

} // namespace
