// Casillas de fórmula como las escriben las ventanas, su paso seguro a una
// consulta y los formatos en español de los reportes.
#include "FormatosEs.h"
#include "Formulas.h"
#include <QDate>
#include <QDateTime>
#include <gtest/gtest.h>
#include <vector>

namespace {

AsignacionFormula Leer(const QString& casilla) {
    QString error;
    const auto a = LeerAsignacionFormula(casilla, &error);
    EXPECT_TRUE(a.has_value()) << casilla.toStdString() << ": " << error.toStdString();
    return a.value_or(AsignacionFormula());
}

QString Formatear(const QString& patron, const QVariant& valor) {
    QString error;
    const auto f = FormatoValor::Compilar(patron, &error);
    EXPECT_TRUE(f.has_value()) << error.toStdString();
    return f ? f->Aplicar(valor) : QString();
}

TEST(Formulas, CasillasComoLasEscribenLasVentanas) {
    struct Caso {
        const char* casilla;
        const char* nombre;
        bool esTexto;
        const char* valor;
    };
    const Caso casos[] = {
        {"Ejercicio=2024", "Ejercicio", false, "2024"},
        {"Ejercicio = 2024", "Ejercicio", false, "2024"},
        {"Usuario=  5 ", "Usuario", false, "5"},
        {"usuario = -3", "usuario", false, "-3"},
        {"Fecha='15/03/2024'", "Fecha", true, "15/03/2024"},
        {"Fecha='marzo'", "Fecha", true, "marzo"},
        {"municipalidad='Municipalidad de Villa Serrana'", "municipalidad", true,
         "Municipalidad de Villa Serrana"},
        {"hora='09:05'", "hora", true, "09:05"},
        {"Titulo=''", "Titulo", true, ""},
        {"Coeficiente = 1.25", "Coeficiente", false, "1.25"},
    };
    for (const Caso& c : casos) {
        const AsignacionFormula a = Leer(QString::fromUtf8(c.casilla));
        EXPECT_EQ(a.nombre, QString::fromUtf8(c.nombre)) << c.casilla;
        EXPECT_EQ(a.valor.esTexto, c.esTexto) << c.casilla;
        EXPECT_EQ(a.valor.texto, QString::fromUtf8(c.valor)) << c.casilla;
    }
    EXPECT_DOUBLE_EQ(Leer(QStringLiteral("Coeficiente = 1.25")).valor.numero, 1.25);
}

TEST(Formulas, ElTextoLlegaHastaLaUltimaComilla) {
    // las ventanas no duplican las comillas de adentro
    const AsignacionFormula a = Leer(QStringLiteral("Municipalidad='Villa O'Higgins'"));
    EXPECT_EQ(a.valor.texto, QStringLiteral("Villa O'Higgins"));
    EXPECT_EQ(Leer(QStringLiteral("X = 'a = 'b' '")).valor.texto, QStringLiteral("a = 'b' "));
}

TEST(Formulas, CasillasQueNoValen) {
    const char* casillas[] = {
        "Ejercicio 2024",            // sin "="
        "Usuario = ",                // sin valor
        "Fecha='15/03/2024",         // sin comilla final
        "Fecha='15/03' y más",       // texto después de la comilla final
        "Usuario = 5 OR 1=1",        // no es un número
        "Usuario = 5; DROP TABLE x", // tampoco
        "Ejercicio = 2.024,00",      // separadores a la española: no es un número de fórmula
        " = 3",                      // sin nombre
        "1x = 3",                    // nombre que no es nombre
        "Nombre = \"texto\"",        // comillas dobles
    };
    for (const char* casilla : casillas) {
        QString error;
        EXPECT_FALSE(LeerAsignacionFormula(QString::fromUtf8(casilla), &error).has_value())
            << casilla;
        EXPECT_FALSE(error.isEmpty()) << casilla;
    }
    const QString conNulo = QStringLiteral("Nombre='a") + QChar(0) + QStringLiteral("b'");
    EXPECT_FALSE(LeerAsignacionFormula(conNulo).has_value());
}

TEST(Formulas, LaUltimaCasillaDeUnNombreGanaSinDistinguirMayusculas) {
    TablaFormulas t;
    t.Poner(QStringLiteral("fecha"), Leer(QStringLiteral("fecha='01/01/2024'")).valor);
    t.Poner(QStringLiteral("Fecha"), Leer(QStringLiteral("Fecha='15/03/2024'")).valor);
    ASSERT_NE(t.Buscar(QStringLiteral("FECHA")), nullptr);
    EXPECT_EQ(t.Buscar(QStringLiteral("FECHA"))->texto, QStringLiteral("15/03/2024"));
    EXPECT_EQ(t.Buscar(QStringLiteral("Hora")), nullptr);
}

// Una sola regla al guardar y al buscar, para cualquier nombre Unicode: la
// "ı" sin punto (mayúscula "I"), la "İ" turca, la eszett alemana y las
// ligaduras se encuentran con cualquier grafía del mismo nombre.
TEST(Formulas, UnNombreSeEncuentraConCualquierGrafia) {
    struct Caso {
        const char* casilla;
        std::vector<const char*> grafias;
    };
    const Caso casos[] = {
        {"ı = 0", {"ı", "I", "i"}},
        {"İl = 1", {"İL", "i̇l", "İl"}},
        {"Straße = 2", {"STRASSE", "strasse", "STRAẞE"}},
        {"ẞ = 3", {"ß", "SS", "ss"}},
        {"ﬁn = 4", {"FIN", "fin", "ﬁN"}},
        {"Año = 5", {"AÑO", "An\u0303o", "año"}}, // la tilde combinada también
    };
    for (const Caso& c : casos) {
        TablaFormulas t;
        const AsignacionFormula a = Leer(QString::fromUtf8(c.casilla));
        t.Poner(a.nombre, a.valor);
        for (const char* g : c.grafias) {
            const QString grafia = QString::fromUtf8(g);
            const ValorFormula* v = t.Buscar(grafia);
            ASSERT_NE(v, nullptr) << c.casilla << " con " << g;
            EXPECT_EQ(v->texto, a.valor.texto) << c.casilla;
        }
        // Y lo mismo dentro de una consulta: {@NOMBRE} toma el valor guardado.
        QString r;
        ASSERT_TRUE(SustituirFormulas(
            QStringLiteral("SELECT {@") + a.nombre.toUpper() + QStringLiteral("} FROM dual"), t, r))
            << c.casilla;
        EXPECT_EQ(r, QStringLiteral("SELECT ") + a.valor.texto + QStringLiteral(" FROM dual"));
    }
    // Nombres distintos siguen distintos.
    TablaFormulas t;
    t.Poner(QStringLiteral("ı"), Leer(QStringLiteral("ı = 0")).valor);
    EXPECT_EQ(t.Buscar(QStringLiteral("j")), nullptr);
    EXPECT_EQ(t.Buscar(QStringLiteral("ıı")), nullptr);
}

TEST(Formulas, LosValoresEntranALaConsultaComoLiterales) {
    TablaFormulas t;
    t.Poner(QStringLiteral("Usuario"), Leer(QStringLiteral("Usuario = 5")).valor);
    t.Poner(QStringLiteral("Municipalidad"),
            Leer(QStringLiteral("Municipalidad='Villa O'Higgins'")).valor);
    t.Poner(QStringLiteral("Ataque"), Leer(QStringLiteral("Ataque='x' OR '1'='1'")).valor);
    QString r, error;
    ASSERT_TRUE(SustituirFormulas(
        QStringLiteral("SELECT * FROM t WHERE u = {@USUARIO} AND m = {@Municipalidad}\r\r"
                       " AND a = {@ataque}"),
        t, r, &error))
        << error.toStdString();
    EXPECT_EQ(r, QStringLiteral("SELECT * FROM t WHERE u = 5 AND m = 'Villa O''Higgins'\r\r"
                                " AND a = 'x'' OR ''1''=''1'"));
}

TEST(Formulas, LasMarcasDentroDeTextosYComentariosNoSeTocan) {
    TablaFormulas t;
    t.Poner(QStringLiteral("U"), Leer(QStringLiteral("U=1")).valor);
    const QString sql = QStringLiteral("SELECT '{@U}', 'it''s {@U}', \"{@U}\" -- {@U}\n"
                                       "/* {@U} */ FROM dual WHERE x = {@U} {fn now()}");
    QString r;
    ASSERT_TRUE(SustituirFormulas(sql, t, r));
    EXPECT_EQ(r, QStringLiteral("SELECT '{@U}', 'it''s {@U}', \"{@U}\" -- {@U}\n"
                                "/* {@U} */ FROM dual WHERE x = 1 {fn now()}"));
}

TEST(Formulas, MarcasQueNoSePuedenReemplazar) {
    TablaFormulas t;
    t.Poner(QStringLiteral("U"), Leer(QStringLiteral("U=1")).valor);
    for (const char* sql : {"SELECT {@Falta} FROM dual", "SELECT {@U FROM dual",
                            "SELECT {@} FROM dual", "SELECT {@U-1} FROM dual"}) {
        QString r = QStringLiteral("sin cambio"), error;
        EXPECT_FALSE(SustituirFormulas(QString::fromUtf8(sql), t, r, &error)) << sql;
        EXPECT_EQ(r, QStringLiteral("sin cambio")) << sql;
        EXPECT_FALSE(error.isEmpty()) << sql;
    }
}

TEST(Formatos, NumerosALaEspanola) {
    EXPECT_EQ(Formatear("#.##0,00", 1234567.891), "1.234.567,89");
    EXPECT_EQ(Formatear("#.##0,00", -1234.5), "-1.234,50");
    EXPECT_EQ(Formatear("#.##0,00", 0), "0,00");
    EXPECT_EQ(Formatear("#.##0,00", 2.675), "2,68");  // mitades lejos del cero
    EXPECT_EQ(Formatear("#.##0,00", -0.001), "0,00"); // sin "-0,00"
    EXPECT_EQ(Formatear("#.##0", 1234567), "1.234.567");
    EXPECT_EQ(Formatear("#.##0", 999.5), "1.000");
    EXPECT_EQ(Formatear("#.##0", qlonglong(123)), "123");
    EXPECT_EQ(Formatear("0 %", 38.4), "38 %");
    EXPECT_EQ(Formatear("0 %", 38.5), "39 %");
    EXPECT_EQ(Formatear("0,0 %", 4.3027), "4,3 %");
    EXPECT_EQ(Formatear("$ #.##0,00", 81340000), "$ 81.340.000,00");
    EXPECT_EQ(Formatear("0,0#", 1.5), "1,5");
    EXPECT_EQ(Formatear("0,0#", 1.256), "1,26");
    EXPECT_EQ(Formatear("0,0#", 1), "1,0");
    EXPECT_EQ(Formatear("000", 7), "007");
    EXPECT_EQ(FormatearNumeroEs(1234567.891, 2), "1.234.567,89");
}

TEST(Formatos, FechasYHoras) {
    const QDate d(2024, 3, 5);
    const QDateTime t(d, QTime(9, 7, 4));
    EXPECT_EQ(Formatear("dd/mm/yyyy", d), "05/03/2024");
    EXPECT_EQ(Formatear("DD/MM/YYYY", d), "05/03/2024");
    EXPECT_EQ(Formatear("d/m/yy", d), "5/3/24");
    EXPECT_EQ(Formatear("d 'de' mmmm 'de' yyyy", d), "5 de marzo de 2024");
    EXPECT_EQ(Formatear("dddd d mmm", d), "martes 5 mar");
    EXPECT_EQ(Formatear("hh:nn", t), "09:07");
    EXPECT_EQ(Formatear("hh:mm:ss", t), "09:07:04"); // mm tras la hora: minutos
    EXPECT_EQ(Formatear("dd/mm/yyyy hh:nn", t), "05/03/2024 09:07");
}

TEST(Formatos, SinPatronCadaTipoConElSuyo) {
    const FormatoValor f;
    EXPECT_EQ(f.Aplicar(qlonglong(1234)), "1234");
    EXPECT_EQ(f.Aplicar(1234.5), "1.234,50");
    EXPECT_EQ(f.Aplicar(QDate(2024, 12, 31)), "31/12/2024");
    EXPECT_EQ(f.Aplicar(QDateTime(QDate(2024, 12, 31), QTime(23, 59))), "31/12/2024 23:59");
    EXPECT_EQ(f.Aplicar(QStringLiteral("Caja Chica")), "Caja Chica");
    EXPECT_EQ(f.Aplicar(QVariant(QMetaType::fromType<double>())), "");
    // un patrón de número no toca textos ni fechas, y uno de fecha no toca números
    EXPECT_EQ(Formatear("#.##0,00", QStringLiteral("s/d")), "s/d");
    EXPECT_EQ(Formatear("dd/mm/yyyy", qlonglong(5)), "5");
}

TEST(Formatos, PatronesQueNoValen) {
    for (const char* patron :
         {"#,##0.00", "0,", "0,00#0", "0 y 0", "dd/mm/yyy", "hhh", "'sin cierre", "texto"}) {
        QString error;
        EXPECT_FALSE(FormatoValor::Compilar(QString::fromUtf8(patron), &error).has_value())
            << patron;
        EXPECT_FALSE(error.isEmpty()) << patron;
    }
}

} // namespace
