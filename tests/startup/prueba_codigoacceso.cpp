// Código de acceso del día: el cálculo con clave contra vectores publicados,
// el archivo de clave, la comprobación en el servidor (intentos contados por
// puesto y día, auditoría), la base sin la comprobación y miravel-clave.
#include "AyudaArranque.h"
#include "CodigoAcceso.h"
#include "ControlVersion.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const VersionPrograma V502{5, 2};
const QString ArchivoClaveDemo = QStringLiteral(MIRAVEL_RAIZ "/db/clave-sitio-demo");
const QString Incorrecta = u"Clave de Acceso incorrecta"_s;

// Contador de un RFC 6238 (pasos de 30 s) en ocho bytes, el mayor primero.
QByteArray Contador(qint64 segundos) {
    QByteArray c(8, '\0');
    quint64 n = quint64(segundos / 30);
    for (int i = 7; i >= 0; --i, n >>= 8)
        c[i] = char(n & 0xff);
    return c;
}

TEST(CodigoConClave, VectoresPublicadosYClaveDeDemostracion) {
    // RFC 6238, apéndice B, columna SHA256 (la clave son 32 bytes ASCII).
    const QByteArray clave = "12345678901234567890123456789012";
    const struct {
        qint64 segundos;
        const char* codigo;
    } vectores[] = {{59, "46119246"},         {1111111109, "68084774"}, {1111111111, "67062674"},
                    {1234567890, "91819424"}, {2000000000, "90698825"}, {20000000000, "77737706"}};
    for (const auto& v : vectores)
        EXPECT_EQ(CodigoHmac(clave, Contador(v.segundos), 8), v.codigo) << v.segundos;
    // Seis cifras: las del RFC 4226 se quedan con el final del mismo número.
    EXPECT_EQ(CodigoHmac(clave, Contador(59), 6), "119246");

    // Calculado aparte (HMAC de "MRV20261209" con la clave de db/clave-sitio-demo).
    const auto demo = LeerClaveSitio(ArchivoClaveDemo, nullptr);
    ASSERT_TRUE(demo);
    EXPECT_EQ(CodigoAccesoConClave(*demo, u"MRV"_s, QDate(2026, 12, 9)), "72445493");
    EXPECT_NE(CodigoAccesoConClave(*demo, u"MRV"_s, QDate(2026, 12, 10)), "72445493");
    EXPECT_NE(CodigoAccesoConClave(*demo, u"GDA"_s, QDate(2026, 12, 9)), "72445493");
    EXPECT_EQ(CodigoAccesoConClave(*demo, u"MRV"_s, QDate()), "");
}

TEST(CodigoConClave, ArchivosDeClave) {
    QTemporaryDir dir;
    const QString hexa = u"3E8A8965629ff9563f35bb6c5f0488925bab3074750bf02f477d48e97facd26d"_s;
    const struct {
        const char* nombre;
        QByteArray contenido;
        bool valida;
    } casos[] = {
        {"solo la clave", hexa.toLatin1(), true},
        {"comentarios, CR LF y espacios", "# clave\r\n\r\n  " + hexa.toLatin1() + "  \r\n# fin\r\n",
         true},
        {"marca de orden de Windows", "\xEF\xBB\xBF" + hexa.toLatin1() + "\n", true},
        {"vacío", "", false},
        {"solo comentarios", "# " + hexa.toLatin1() + "\n", false},
        {"dos claves", hexa.toLatin1() + "\n" + hexa.toLatin1() + "\n", false},
        {"una cifra de menos", hexa.left(63).toLatin1(), false},
        {"una letra que no es hexadecimal", hexa.left(63).toLatin1() + "g", false},
        {"clave con espacios adentro", hexa.left(32).toLatin1() + " " + hexa.mid(32).toLatin1(),
         false},
    };
    for (const auto& c : casos) {
        const QString ruta = dir.filePath(QString::fromUtf8(c.nombre));
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(c.contenido);
        f.close();
        QString error;
        const auto clave = LeerClaveSitio(ruta, &error);
        EXPECT_EQ(clave.has_value(), c.valida) << c.nombre;
        if (c.valida) {
            EXPECT_EQ(*clave, QByteArray::fromHex(hexa.toLatin1())) << c.nombre;
        } else {
            EXPECT_TRUE(error.contains(ruta)) << error.toStdString();
        }
    }
    QString error;
    EXPECT_FALSE(LeerClaveSitio(dir.filePath(u"no-existe"_s), &error));
    EXPECT_TRUE(error.startsWith(u"No se puede leer "_s)) << error.toStdString();

    // El archivo que escribe --nueva-clave se vuelve a leer igual.
    const QByteArray nueva =
        QByteArray::fromHex("00ff102030405060708090a0b0c0d0e0f0112233445566778899aabbccddeeff");
    QFile f(dir.filePath(u"nueva"_s));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(TextoArchivoClave(nueva, QDate(2026, 12, 9)).toUtf8());
    f.close();
    EXPECT_EQ(LeerClaveSitio(f.fileName(), nullptr), nueva);
}

// Cada prueba con servidor usa un puesto propio: los intentos fallidos de un
// puesto se cuentan en la base durante todo el día, entre corridas.
QString PuestoNuevo() {
    static int n = 0;
    return u"PRUEBA-%1-%2-%3"_s.arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch() % 100000000)
        .arg(++n);
}

struct Corrida {
    int estado = -1;
    QString salida;
    QString errores;
};

Corrida MiravelClave(const QStringList& argumentos) {
    QProcess p;
    p.start(QStringLiteral(MIRAVEL_CLAVE), argumentos);
    if (!p.waitForFinished(30000)) {
        ADD_FAILURE() << "miravel-clave no terminó";
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

class CodigoEnServidor : public prueba::ConSesion {
protected:
    void SetUp() override {
        prueba::ConSesion::SetUp();
        puesto = PuestoNuevo();
        Glob().ConexionAuditoria = prueba::Conectar();
        PonerPuesto(*Glob().ConexionAuditoria, puesto);
        Modo(u"CONTRASEÑA"_s);
    }
    static void PonerPuesto(ConexionBase& c, const QString& nombre) {
        ASSERT_TRUE(c.Ejecutar(u"SET application_name = 'Miravel;%1;operador;1'"_s.arg(nombre)));
        ASSERT_TRUE(c.Confirmar());
    }
    void Modo(const QString& modo) {
        Cambiar(u"UPDATE OWNER_SARVO.config SET contenido='%1' WHERE sistema='GDA' AND "
                "nombre_parametro='CONTROL_VERSION'"_s.arg(modo));
    }
    // El control de versión con una respuesta en la caja; true si dejó seguir.
    bool Responder(const std::optional<QString>& respuesta) {
        ui.mensajes.clear();
        ui.preguntas.clear();
        ui.textos = {respuesta};
        return ControlarVersion(V502);
    }
    // Fecha del reloj del servidor, "dd/mm/aaaa".
    static QString HoyEnServidor() {
        const QStringList f =
            arranque::Filas(u"SELECT to_char(clock_timestamp(), 'DD/MM/YYYY') FROM dual"_s);
        return f.isEmpty() ? QString() : f.first();
    }
    // El código de hoy según miravel-clave con la clave de demostración.
    static QString CodigoDeHoy() {
        const Corrida c = MiravelClave({u"--clave-sitio"_s, ArchivoClaveDemo, HoyEnServidor()});
        EXPECT_EQ(c.estado, 0) << c.errores.toStdString();
        return c.salida.trimmed().right(8);
    }
    QStringList Intentos() const {
        return arranque::Filas(u"SELECT resultado, usuario, usuario_so, prefijo FROM "
                               "OWNER_SARVO.vis_intentos_codigo WHERE terminal='%1' ORDER BY "
                               "momento"_s.arg(puesto));
    }
    // Como superusuario: los intentos del puesto pasan al día anterior, como
    // los vería la base al día siguiente.
    void PasarAlDiaSiguiente() {
        auto c = prueba::Conectar(u"postgres"_s, u"x"_s);
        ASSERT_TRUE(c->Ejecutar(u"UPDATE seguridad.intentos_codigo SET dia = dia - 1, momento = "
                                "momento - interval '1 day' WHERE terminal='%1'"_s.arg(puesto)));
        ASSERT_TRUE(c->Confirmar());
    }

    QString puesto;
};

TEST_F(CodigoEnServidor, BuenoMaloYAuditoriaConPuestoYUsuario) {
    const QString codigo = CodigoDeHoy();
    ASSERT_EQ(codigo.size(), 8);
    Glob().SeguimientoSql = true;

    EXPECT_TRUE(Responder(codigo));
    EXPECT_EQ(ui.preguntas,
              QStringList{u"   La Base de Datos se encuenta en la Versión 001_000, mientras que "
                          "el Ejecutable está en la versión 005_002.\n\r   La última versión "
                          "instalada de este Sistema se ha realizado en forma Incorrecta.\n\r   "
                          "Para proseguir deberá comunicarse a la UDT, la cual le proveerá de "
                          "una Clave de Acceso"_s});
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u'|').toStdString();

    // Cancelada, vacía, equivocada, con un espacio, el código de otro día o
    // el código anterior (sin clave): incorrectas. Son seis: la sexta ya no
    // se mira (el puesto quedó bloqueado) y se anota igual.
    const auto ayer = FechaDesdeTexto(HoyEnServidor()).addDays(-1);
    const auto demo = LeerClaveSitio(ArchivoClaveDemo, nullptr);
    ASSERT_TRUE(demo);
    const std::optional<QString> malas[] = {std::nullopt,
                                            QString(),
                                            u"x"_s,
                                            u" "_s + codigo,
                                            CodigoAccesoConClave(*demo, u"MRV"_s, ayer),
                                            CodigoAccesoDelDia(ayer.addDays(1))};
    for (const auto& mala : malas) {
        EXPECT_FALSE(Responder(mala)) << mala.value_or(u"<cancelada>"_s).toStdString();
        ASSERT_EQ(ui.mensajes.size(), 1u);
        EXPECT_EQ(ui.mensajes[0].Mensaje, Incorrecta);
        EXPECT_EQ(ui.mensajes[0].titulo, "Error");
    }
    // Cada intento, bueno o malo, con el puesto y el usuario de la sesión.
    QStringList esperados{u"S|DEMO|operador|MRV"_s};
    for (int i = 0; i < 5; ++i)
        esperados << u"N|DEMO|operador|MRV"_s;
    esperados << u"B|DEMO|operador|MRV"_s;
    EXPECT_EQ(Intentos(), esperados);

    // La traza tiene la sentencia y su confirmación, sin el código tipeado.
    QFile traza(dir.path() + u"/LogsFiles/Seguimiento/SEG"_s +
                QDate::currentDate().toString(u"yyyyMMdd"_s) + u".log"_s);
    ASSERT_TRUE(traza.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(traza.readAll());
    EXPECT_EQ(texto.count(u"\nSELECT OWNER_SARVO.CodigoAccesoCorrecto('MRV',********) AS "
                          "correcto FROM DUAL\n"_s),
              7);
    EXPECT_EQ(texto.count(u"\nCOMMIT\n"_s), 7);
    EXPECT_FALSE(texto.contains(codigo));
}

TEST_F(CodigoEnServidor, CincoMalosBloqueanElPuestoHastaElDiaSiguiente) {
    const QString codigo = CodigoDeHoy();
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(Responder(u"%1"_s.arg(10000000 + i)));
    // El mismo día, el código bueno ya no sirve en este puesto...
    EXPECT_FALSE(Responder(codigo));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, Incorrecta);
    EXPECT_EQ(Intentos().size(), 6);
    EXPECT_TRUE(Intentos().constLast().startsWith(u"B|DEMO|"_s));

    // ...pero sí en otro puesto.
    const QString propio = puesto;
    puesto = PuestoNuevo();
    PonerPuesto(*Glob().ConexionAuditoria, puesto);
    EXPECT_TRUE(Responder(codigo));
    puesto = propio;
    PonerPuesto(*Glob().ConexionAuditoria, puesto);

    // Al día siguiente del servidor, el puesto vuelve a tener sus intentos.
    PasarAlDiaSiguiente();
    EXPECT_TRUE(Responder(codigo));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u'|').toStdString();
    EXPECT_TRUE(Intentos().constLast().startsWith(u"S|DEMO|"_s));
}

TEST_F(CodigoEnServidor, BaseSinLaComprobacionUsaElCodigoAnteriorConUnAviso) {
    Glob().OwnerSarvo = u"OWNER_SIN_CLAVE"_s;
    const auto hoy = FechaServidor(false);
    ASSERT_TRUE(hoy);
    const QString anterior = CodigoAccesoDelDia(hoy->date());
    const QString registro =
        dir.path() + u"/LogsFiles/Errores/"_s + LetrasDia(hoy->date()) + u"MRVErr.log"_s;
    const auto avisos = [&registro] {
        QFile f(registro);
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        return int(QString::fromUtf8(f.readAll())
                       .count(u"Mensaje  : Aviso: la base no tiene la comprobación del código "
                              "de acceso con clave (OWNER_SIN_CLAVE.CodigoAccesoCorrecto)"_s));
    };

    // Sin mensajes de la función que falta: solo la caja y el código anterior.
    EXPECT_TRUE(Responder(anterior));
    EXPECT_TRUE(ui.mensajes.empty()) << ui.Textos().join(u'|').toStdString();
    EXPECT_EQ(avisos(), 1);
    // El código con clave no vale en esa base; el aviso no se repite en el mismo arranque.
    EXPECT_FALSE(Responder(CodigoDeHoy()));
    ASSERT_EQ(ui.mensajes.size(), 1u);
    EXPECT_EQ(ui.mensajes[0].Mensaje, Incorrecta);
    EXPECT_EQ(avisos(), 1);
    EXPECT_TRUE(Intentos().isEmpty());
}

TEST(MiravelClave, NuevaClaveInstalableYQueCoincideConElServidor) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(u"clave-sitio"_s);
    const Corrida nueva = MiravelClave({u"--nueva-clave"_s, ruta});
    ASSERT_EQ(nueva.estado, 0) << nueva.errores.toStdString();
    EXPECT_TRUE(nueva.salida.contains(ruta));
    // Solo su dueño la lee.
    EXPECT_EQ(QFile::permissions(ruta), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
    const auto clave = LeerClaveSitio(ruta, nullptr);
    ASSERT_TRUE(clave);
    EXPECT_EQ(clave->size(), LargoClaveSitio);

    // Nunca reemplaza una clave; otra nueva es distinta.
    const Corrida otraVez = MiravelClave({u"--nueva-clave"_s, ruta});
    EXPECT_EQ(otraVez.estado, 1);
    EXPECT_TRUE(otraVez.errores.contains(u"ya existe"_s)) << otraVez.errores.toStdString();
    EXPECT_EQ(LeerClaveSitio(ruta, nullptr), clave);
    ASSERT_EQ(MiravelClave({u"--nueva-clave"_s, dir.filePath(u"otra"_s)}).estado, 0);
    EXPECT_NE(LeerClaveSitio(dir.filePath(u"otra"_s), nullptr), clave);

    // La sentencia del archivo la instala en la base (como superusuario, sin
    // confirmar) y la base calcula lo mismo que miravel-clave.
    QFile archivo(ruta);
    ASSERT_TRUE(archivo.open(QIODevice::ReadOnly));
    const QString texto = QString::fromUtf8(archivo.readAll());
    const QString sentencia = SentenciaInstalarClave(*clave);
    ASSERT_TRUE(texto.contains(u"#   "_s + sentencia));
    auto c = prueba::Conectar(u"postgres"_s, u"x"_s);
    ASSERT_TRUE(c->Ejecutar(sentencia.chopped(1)));
    Recordset rs;
    ASSERT_TRUE(
        c->Consultar(u"SELECT to_char(d, 'DD/MM/YYYY'), seguridad.codigo_del_dia("
                     "(SELECT clave FROM seguridad.clave_sitio), 'MRV', d) FROM (VALUES "
                     "(DATE '2026-12-09'), (DATE '2024-02-29'), (DATE '2031-01-01')) v(d)"_s,
                     rs));
    int fechas = 0;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext(), ++fechas) {
        const Corrida dia = MiravelClave({u"--clave-sitio"_s, ruta, rs.Valor(0).toString()});
        EXPECT_EQ(dia.salida, u"Código de acceso del %1: %2\n"_s.arg(rs.Valor(0).toString(),
                                                                     rs.Valor(1).toString()));
    }
    EXPECT_EQ(fechas, 3);
    EXPECT_TRUE(c->Deshacer());
}

TEST(MiravelClave, ArgumentosMalos) {
    QTemporaryDir dir;
    const struct {
        QStringList argumentos;
        int estado;
        const char* motivo;
    } casos[] = {
        {{u"--clave-sitio"_s}, 2, "Falta el archivo"},
        {{u"--nueva-clave"_s}, 2, "Falta el archivo"},
        {{u"--clave-sitio"_s, ArchivoClaveDemo, u"31/02/2026"_s}, 2, "Fecha inválida"},
        {{u"--clave-sitio"_s, ArchivoClaveDemo, u"1/1/2026"_s, u"2/1/2026"_s}, 2, "Sobran"},
        {{u"--nueva-clave"_s, dir.filePath(u"x"_s), u"1/1/2026"_s}, 2, "no lleva otros"},
        {{u"--clave-sitio"_s, dir.filePath(u"no-existe"_s)}, 1, "No se puede leer"},
        {{u"--nueva-clave"_s, dir.filePath(u"sin/carpeta"_s)}, 1, "No se puede crear"},
    };
    for (const auto& c : casos) {
        const Corrida r = MiravelClave(c.argumentos);
        EXPECT_EQ(r.estado, c.estado) << c.argumentos.join(u' ').toStdString();
        EXPECT_TRUE(r.errores.contains(QString::fromUtf8(c.motivo))) << r.errores.toStdString();
        EXPECT_TRUE(r.salida.isEmpty()) << r.salida.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath(u"x"_s)));
}

} // namespace
