#pragma once
// Lo que comparten las pruebas de las ventanas de estadística contra el
// servidor privado: la sesión de DEMO con un código de usuario propio por
// prueba, consultas de control hechas sin pasar por el programa (no se
// trazan), las sentencias del seguimiento, un bloqueo tomado desde otra
// conexión y una conexión que se corta justo antes de confirmar.
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "DateTimeBox.h"
#include "DialogosGuion.h"
#include "Func_SarvoGeneral.h"
#include "Glob_Sarvo.h"
#include "Parametros.h"
#include "Recordset.h"
#include "VistaGrafico.h"
#include "frmEstadistica.h"
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <vector>

// Textos legibles en los mensajes de falla.
inline void PrintTo(const QString& texto, std::ostream* os) {
    *os << '"' << texto.toStdString() << '"';
}

namespace prueba {

// Filas de una consulta de control por la conexión dada (la principal si no se da).
inline std::vector<QVariantList> Filas(const QString& sql, ConexionBase* conexion = nullptr) {
    Recordset rs;
    ConexionBase* c = conexion ? conexion : Glob().Conexion.get();
    EXPECT_TRUE(c->Consultar(sql, rs)) << sql.toStdString();
    std::vector<QVariantList> filas;
    for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
        QVariantList fila;
        for (int i = 0; i < rs.CantidadCampos(); ++i)
            fila << rs.Valor(i);
        filas.push_back(fila);
    }
    return filas;
}

// Sentencias del seguimiento en orden, como "Procedimiento: sentencia".
inline QStringList SentenciasTrazadas(const QString& carpeta) {
    QStringList sentencias;
    QDirIterator it(carpeta, QDir::Files, QDirIterator::Subdirectories);
    QStringList archivos;
    while (it.hasNext()) {
        const QString ruta = it.next();
        if (ruta.contains(QLatin1String("SEG")))
            archivos << ruta;
    }
    archivos.sort();
    for (const QString& ruta : archivos) {
        QFile f(ruta);
        if (!f.open(QIODevice::ReadOnly))
            continue;
        // Cada entrada: versión, ID, "MRV hh:mm:ss.Procedimiento", equipo, sentencia, blanco.
        const QStringList lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
        for (qsizetype i = 0; i + 2 < lineas.size(); ++i) {
            if (!lineas[i].startsWith(QLatin1String("MRV ")) ||
                !lineas[i + 1].startsWith(QLatin1String("PC:[")))
                continue;
            const QString procedimiento = lineas[i].mid(lineas[i].indexOf(QLatin1Char('.')) + 1);
            sentencias << procedimiento + QLatin1String(": ") + lineas[i + 2];
        }
    }
    return sentencias;
}

// Valores de un gráfico por rótulo de fila (las ventanas sin ORDER BY
// reciben las filas en el orden que dé la base).
inline std::map<QString, std::vector<double>> ValoresPorRotulo(const ModeloGrafico& g) {
    std::map<QString, std::vector<double>> valores;
    for (int f = 1; f <= g.RowCount(); ++f)
        for (int c = 1; c <= g.ColumnCount(); ++c)
            valores[g.RowLabel(f)].push_back(g.Dato(f, c));
    return valores;
}

// "Aceptar" para una fecha sin filas en la tabla del gráfico: la grilla de
// ceros sin categorías (nada de la fecha anterior) y el aviso sobre el gráfico.
inline void VerificarSinDatos(frmEstadistica& ventana, int grafico, const QDate& fecha) {
    const ModeloGrafico& g = ventana.Logica().Grafico(grafico);
    EXPECT_TRUE(g.SinDatos);
    EXPECT_EQ(g.FechaCifras, fecha);
    ASSERT_GT(g.RowCount(), 0);
    for (int f = 1; f <= g.RowCount(); ++f) {
        EXPECT_TRUE(g.RowLabel(f).isEmpty()) << f;
        for (int c = 1; c <= g.ColumnCount(); ++c)
            EXPECT_EQ(g.Dato(f, c), 0) << f << "," << c;
    }
    EXPECT_EQ(ventana.Chart(grafico)->Aviso(),
              QStringLiteral("Sin datos al ") + fecha.toString(QStringLiteral("dd/MM/yyyy")));
}

inline void CompararValores(const ModeloGrafico& g,
                            const std::map<QString, std::vector<double>>& esperados) {
    const auto valores = ValoresPorRotulo(g);
    ASSERT_EQ(int(valores.size()), g.RowCount()) << "rótulos de fila repetidos";
    ASSERT_EQ(valores.size(), esperados.size());
    for (const auto& [rotulo, fila] : esperados) {
        const auto it = valores.find(rotulo);
        ASSERT_NE(it, valores.end()) << rotulo.toStdString();
        ASSERT_EQ(it->second.size(), fila.size()) << rotulo.toStdString();
        for (size_t c = 0; c < fila.size(); ++c)
            EXPECT_NEAR(it->second[c], fila[c], 1e-6) << rotulo.toStdString() << " serie " << c + 1;
    }
}

// Diálogos que además, si se les pide, cortan la conexión principal desde
// el servidor cuando una sentencia pone el reloj por n-ésima vez (antes de
// enviarla): así falla la confirmación que sigue a la generación.
class DialogosConCorte : public DialogosGuion {
public:
    void CortarEnSentencia(int n) {
        cortarEn_ = n;
        relojes_ = 0;
        const auto filas = Filas(QStringLiteral("SELECT pg_backend_pid()"));
        ASSERT_EQ(filas.size(), 1u);
        pid_ = filas[0][0].toLongLong();
    }
    void PonerPuntero(Puntero p) override {
        DialogosGuion::PonerPuntero(p);
        if (p != Puntero::Reloj || cortarEn_ == 0 || ++relojes_ != cortarEn_)
            return;
        auto otra = Conectar();
        Recordset rs;
        EXPECT_TRUE(
            otra->Consultar(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid_), rs));
        cortarEn_ = 0;
    }

private:
    int cortarEn_ = 0;
    int relojes_ = 0;
    qint64 pid_ = 0;
};

class PruebaEstadistica : public ::testing::Test {
protected:
    // Cada archivo de pruebas usa sus propios códigos de usuario, así corren en
    // paralelo; tablas: las de trabajo que se vacían para el usuario.
    PruebaEstadistica(qint16 primerUsuario, QStringList tablas, QString columnaUsuario)
        : siguiente_(primerUsuario), tablas_(std::move(tablas)),
          columnaUsuario_(std::move(columnaUsuario)) {}

    void SetUp() override {
        ASSERT_TRUE(carpeta_.isValid());
        PrepararSesion(carpeta_.path());
        ASSERT_TRUE(Glob().Conexion && Glob().Conexion->Abierta());
        // La sesión en día/mes/año, como la deja el arranque.
        ASSERT_TRUE(EstablecerParametrosBase(QStringLiteral("DEMO"), QStringLiteral("Miravel"),
                                             *Glob().Conexion));
        Glob().CodUsuario = siguiente_++;
        Glob().Municipalidad = QStringLiteral("Municipalidad de Villa Serrana");
        const auto hoy = FechaServidor(false);
        ASSERT_TRUE(hoy.has_value());
        Glob().EjercicioActual = qint16(hoy->date().year());
        Limpiar();
    }
    void TearDown() override {
        Limpiar();
        Glob() = EstadoSesion();
    }
    // Por otra conexión: la principal puede estar cortada.
    void Limpiar() {
        if (columnaUsuario_.isEmpty())
            return;
        auto c = Conectar();
        for (const QString& tabla : tablas_)
            c->Ejecutar(QStringLiteral("DELETE FROM owner_sarvo.%1 WHERE %2 = %3")
                            .arg(tabla, columnaUsuario_)
                            .arg(Glob().CodUsuario));
        c->Confirmar();
    }
    static void Aceptar(frmEstadistica& ventana, const QDate& fecha) {
        ASSERT_TRUE(ventana.Fecha()->PonerValue(fecha));
        ventana.CmdActualizar()->click();
    }
    // Otra conexión de DEMO que corre la sentencia y tiene lo que tomó hasta
    // destruirse; la principal espera poco por un bloqueo.
    std::unique_ptr<ConexionBase> Bloquear(const QString& sql) {
        EXPECT_TRUE(Glob().Conexion->Ejecutar(QStringLiteral("SET lock_timeout = '300ms'")));
        auto otra = Conectar();
        Recordset rs;
        EXPECT_TRUE(otra->Consultar(sql, rs)) << sql.toStdString();
        return otra;
    }
    QString Usuario() const { return QString::number(Glob().CodUsuario); }

    // Lo que muestran los gráficos de la ventana: valores por rótulo y series.
    using Foto = std::vector<std::pair<std::map<QString, std::vector<double>>, QStringList>>;
    static Foto Fotografiar(frmEstadistica& ventana) {
        Foto foto;
        for (int i = 0; i < ventana.Logica().Descripcion().graficos; ++i)
            foto.emplace_back(ValoresPorRotulo(ventana.Logica().Grafico(i)),
                              ventana.Logica().Grafico(i).NombresSeries());
        return foto;
    }
    // "Aceptar" mientras otra sesión tiene el bloqueo que la generación necesita.
    void AceptarBloqueado(frmEstadistica& ventana, const QDate& fecha, const QString& bloqueo) {
        auto otra = Bloquear(bloqueo);
        Aceptar(ventana, fecha);
    }
    // "Aceptar" con la conexión cortada justo antes de confirmar: la
    // confirmación falla, se muestra, y los gráficos no cambian.
    void VerificarConfirmacionFallida(frmEstadistica& ventana, const QDate& fecha) {
        const Foto antes = Fotografiar(ventana);
        const size_t mensajes = dialogos_.mensajes.size();
        dialogos_.CortarEnSentencia(int(ventana.Logica().Descripcion().procedimientos.size()) + 1);
        Aceptar(ventana, fecha);
        EXPECT_GT(dialogos_.mensajes.size(), mensajes) << "la falla se muestra";
        EXPECT_EQ(Fotografiar(ventana), antes);
        const QStringList sentencias = SentenciasTrazadas(carpeta_.path());
        ASSERT_FALSE(sentencias.isEmpty());
        EXPECT_TRUE(sentencias.last().startsWith(QLatin1String("EjecutarSQL: ") +
                                                 ventana.Logica().Descripcion().confirmacion +
                                                 QLatin1String(" ERROR:[")))
            << sentencias.last().toStdString();
    }
    // Con MIRAVEL_CAPTURAS, una captura de la ventana para mirar.
    static void Capturar(QWidget& ventana, const QString& nombre) {
        const QString carpeta = qEnvironmentVariable("MIRAVEL_CAPTURAS");
        if (carpeta.isEmpty())
            return;
        ventana.show();
        QApplication::processEvents();
        EXPECT_TRUE(ventana.grab().save(carpeta + QLatin1Char('/') + nombre + ".png"));
    }

    QTemporaryDir carpeta_;
    DialogosConCorte dialogos_;

private:
    qint16 siguiente_;
    QStringList tablas_;
    QString columnaUsuario_;
};

} // namespace prueba
