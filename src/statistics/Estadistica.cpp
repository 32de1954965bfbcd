#include "Estadistica.h"
#include "Func_SarvoErrores.h"
#include "Func_SarvoGeneral.h"
#include "FyG_Sarvo.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "Plantillas.h"
#include "Recordset.h"
#include <QLocale>
#include <algorithm>
#include <exception>
#include <new>

Estadistica::Estadistica(DescripcionEstadistica descripcion) : d_(std::move(descripcion)) {}

Estadistica::~Estadistica() = default;

QString Estadistica::TextoAnio(const QDate& fecha) {
    return QStringLiteral("%1").arg(fecha.year(), 4, 10, QLatin1Char('0'));
}

QString Estadistica::TextoFecha(const QDate& fecha) {
    // El formato explícito no depende de la configuración regional.
    return fecha.toString(QStringLiteral("dd/MM/yyyy"));
}

QString Estadistica::Tabla(const QString& nombre) {
    return AgregarOwner(nombre, QString());
}

QString Estadistica::Usuario() {
    return QString::number(Glob().CodUsuario);
}

QStringList Estadistica::SentenciasGeneracion(const QDate& fecha) const {
    const QString anio = TextoAnio(fecha);
    const QString dia = TextoFecha(fecha);
    QStringList sentencias;
    for (const QString& procedimiento : d_.procedimientos) {
        QString llamada;
        switch (d_.argumentos) {
        case ArgumentosGeneracion::UsuarioAnioFecha:
            llamada = procedimiento + QLatin1Char('(') + Usuario() + QLatin1Char(',') + anio +
                      QLatin1String(",'") + dia + QLatin1String("')");
            break;
        case ArgumentosGeneracion::UsuarioAnio:
            llamada = procedimiento + QLatin1Char('(') + Usuario() + QLatin1Char(',') + anio +
                      QLatin1Char(')');
            break;
        case ArgumentosGeneracion::AnioFecha:
            llamada = procedimiento + QLatin1Char('(') + anio + QLatin1String(",'") + dia +
                      QLatin1String("')");
            break;
        }
        sentencias << AgregarOwner(llamada, QString());
    }
    return sentencias;
}

bool Estadistica::GenerarYConfirmar(const QDate& fecha) {
    // Con varios procedimientos todos corren; solo el resultado del último cuenta.
    bool generado = true;
    for (const QString& sentencia : SentenciasGeneracion(fecha))
        generado = EjecutarSQLSTP(sentencia);
    if (!generado && d_.condicion == CondicionConfirmar::UltimoProcedimiento)
        return false;
    return EjecutarSQL(d_.confirmacion);
}

void Estadistica::CargarGrafico(CajaFecha& fecha) {
    fechaGenerada_ = QDate();
    if (d_.graficos > 0)
        Proteger([&] { LeerAlCargar(fecha); });
}

bool Estadistica::Aceptar(CajaFecha& fecha) {
    const QDate pedida = fecha.Fecha();
    if (!GenerarYConfirmar(pedida))
        return false;
    fechaGenerada_ = pedida;
    Proteger([&] { LeerTrasGenerar(fecha); });
    return true;
}

bool Estadistica::Abrir(Recordset& rs, const QString& sql) {
    CargarRecordset(rs, sql, QString());
    return rs.Abierto();
}

double Estadistica::Numero(const Recordset& rs, const QString& campo) {
    const QVariant v = rs.Valor(campo);
    return v.isNull() || !v.isValid() ? 0.0 : v.toDouble();
}

QString Estadistica::Texto(const Recordset& rs, const QString& campo) {
    const QVariant v = rs.Valor(campo);
    return v.isNull() || !v.isValid() ? QString() : v.toString();
}

double Estadistica::NumeroDeTexto(const Recordset& rs, const QString& campo) {
    QVariant v = rs.Valor(campo);
    const QString texto = TextoNumerico(v, QStringLiteral("0"));
    bool ok = false;
    const double numero = texto.toDouble(&ok);
    if (ok)
        return numero;
    // Lo que la configuración regional del sistema reconoce ("1.234,5").
    const double regional = QLocale(QLocale::Spanish, QLocale::Argentina).toDouble(texto, &ok);
    return ok ? regional : 0.0;
}

int Estadistica::FilasGrafico(const Recordset& rs) {
    return std::min(rs.RecordCount(), MaximoFilas);
}

void Estadistica::LlenarFilas(ModeloGrafico& g, Recordset& rs, int n, const QString& campoRotulo,
                              const std::vector<ValorFila>& valores, const QString& campoNombre) {
    int fila = 1;
    for (rs.MoveFirst(); !rs.Eof() && fila <= n; rs.MoveNext(), ++fila) {
        g.SetRowLabel(fila, 1, Texto(rs, campoRotulo));
        if (!campoNombre.isEmpty())
            g.PonerNombreFila(fila, Texto(rs, campoNombre));
        for (size_t c = 0; c < valores.size(); ++c)
            g.SetData(fila, int(c) + 1, valores[c](rs), 0);
    }
}

void Estadistica::LlenarGrafico(ModeloGrafico& g, Recordset& rs, const LecturaGrafico& l,
                                CajaFecha* fecha) const {
    const int n = std::min(FilasGrafico(rs), l.maximo);
    const int series = int(l.valores.size());
    AnotarCifras(g, rs, n);
    if (n == 0) {
        if (l.ceros > 0) {
            g.GrillaDeCeros(l.ceros, series);
            if (l.marcadores)
                g.RecetaMarcadores();
        }
        return;
    }
    if (fecha) {
        rs.MoveFirst();
        DevolverFecha(rs, *fecha);
    }
    g.SetSize(n, series, n, series);
    if (l.marcadores)
        g.RecetaMarcadores();
    LlenarFilas(g, rs, n, l.campoRotulo, l.valores, l.campoNombre);
}

Estadistica::ValorFila Estadistica::Millones(const QString& campo) {
    return [campo](const Recordset& rs) { return Numero(rs, campo) / 1000000.0; };
}

Estadistica::ValorFila Estadistica::MillonesDeTexto(const QString& campo) {
    return [campo](const Recordset& rs) { return NumeroDeTexto(rs, campo) / 1000000.0; };
}

QString Estadistica::FormulaFecha(const QDate& fecha) {
    return QLatin1String("Fecha='") + TextoFecha(fecha) + QLatin1Char('\'');
}

QString Estadistica::FormulaMunicipalidad() {
    return QLatin1String("Municipalidad='") + Glob().Municipalidad + QLatin1Char('\'');
}

QDate Estadistica::FechaDeFila(const Recordset& rs) {
    const QVariant v = rs.Valor(QStringLiteral("FECHA"));
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    return !v.isNull() && v.isValid() ? v.toDate() : QDate();
}

void Estadistica::DevolverFecha(const Recordset& rs, CajaFecha& fecha) {
    const QDate dia = FechaDeFila(rs);
    if (dia.isValid())
        fecha.PonerFecha(dia);
}

void Estadistica::AnotarCifras(ModeloGrafico& g, Recordset& rs, int filas) const {
    g.SinDatos = filas == 0;
    QDate dia;
    if (filas > 0) {
        rs.MoveFirst();
        dia = FechaDeFila(rs);
    }
    g.FechaCifras = dia.isValid() ? dia : fechaGenerada_;
}

QDate Estadistica::FechaCifras() const {
    // La del primer gráfico que la sabe: al cargar Ingresos sin cobros en el
    // mes, la tabla diaria está vacía y la mensual trae su FECHA.
    for (int i = 0; i < d_.graficos && i < 2; ++i)
        if (graficos_[size_t(i)].FechaCifras.isValid())
            return graficos_[size_t(i)].FechaCifras;
    return QDate();
}

void Estadistica::Proteger(const std::function<void()>& paso) {
    try {
        paso();
    } catch (const std::bad_alloc&) {
        MostrarMensaje(QStringLiteral("Memoria insuficiente para armar el gráfico de ") +
                           d_.caption,
                       QStringLiteral("ERROR"));
    } catch (const std::exception& e) {
        MostrarMensaje(d_.nombre + QStringLiteral(": ") + QString::fromUtf8(e.what()),
                       QStringLiteral("ERROR"));
    } catch (...) {
        AnotarExcepcion(d_.nombre + QStringLiteral(".Proteger"));
        MostrarMensaje(d_.nombre + QStringLiteral(": error inesperado al armar el gráfico"),
                       QStringLiteral("ERROR"));
    }
}
