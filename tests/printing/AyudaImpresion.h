#pragma once
// Ventanas falsas para el módulo de impresión: ventanas cargadas con sus
// controles (anotadas en el registro de ventanas, como las de verdad), la
// carga y descarga de frmResources anotadas también en el registro, y una
// vista previa que guarda lo que vio y escribe el PDF del reporte corrido.
#include "AyudaReportes.h"
#include "BaseDePrueba.h"
#include "ConexionBase.h"
#include "Conexiones.h"
#include "Func_SarvoImpresion.h"
#include "Glob_Sarvo.h"
#include "Logs.h"
#include "MotorReporte.h"
#include "UbicacionReporte.h"
#include "Ventanas.h"
#include "VentanasImpresion.h"
#include "VentanasPdf.h"
#include <QStringList>
#include <array>
#include <deque>
#include <functional>
#include <map>

namespace prueba {

class VentanasFalsas : public VentanasImpresion {
public:
    struct Ventana {
        int id = 0;
        bool habilitada = true;
        std::map<QString, bool> controles; // nombre -> habilitado
    };

    explicit VentanasFalsas(const QString& pdf = QString()) : rutaPdf_(pdf), pdf_(pdf) {
        InstalarVentanasImpresion(this);
    }
    ~VentanasFalsas() override {
        InstalarVentanasImpresion(nullptr);
        for (auto& [nombre, v] : ventanas)
            RegistroVentanas::instancia().Salir(v.id);
        DescargarRecursos();
    }

    // Carga una ventana con esos controles, todos habilitados.
    Ventana& Cargar(const QString& nombre, const QStringList& controles = {}) {
        Ventana& v = ventanas[nombre];
        v.id = RegistroVentanas::instancia().Unirse(nombre);
        for (const QString& c : controles)
            v.controles[c] = true;
        return v;
    }

    bool HabilitarVentana(const QString& ventana, bool habilitada) override {
        auto it = ventanas.find(ventana);
        if (it == ventanas.end())
            return false;
        it->second.habilitada = habilitada;
        return true;
    }
    bool HabilitarControl(const QString& ventana, const QString& control,
                          bool habilitado) override {
        auto it = ventanas.find(ventana);
        if (it == ventanas.end() || !it->second.controles.count(control))
            return false;
        it->second.controles[control] = habilitado;
        return true;
    }
    std::optional<bool> ControlHabilitado(const QString& ventana,
                                          const QString& control) const override {
        auto it = ventanas.find(ventana);
        if (it == ventanas.end() || !it->second.controles.count(control))
            return std::nullopt;
        return it->second.controles.at(control);
    }
    void CargarRecursos() override {
        ++cargasRecursos;
        if (!idRecursos)
            idRecursos = RegistroVentanas::instancia().Unirse(QStringLiteral("frmResources"));
    }
    void DescargarRecursos() override {
        if (idRecursos)
            RegistroVentanas::instancia().Salir(idRecursos);
        idRecursos = 0;
    }
    std::optional<VistaPreviaCargada> CargarVistaPrevia(MotorReporte& motor) override {
        motor_ = &motor;
        pdf_.CargarVistaPrevia(motor);
        return VistaPreviaCargada{tamanoVista, 4711};
    }
    void MostrarVistaPrevia(const QString& titulo) override {
        titulos << titulo;
        paginas = motor_->TotalPaginas();
        zoom = motor_->ZoomActual();
        lugar = {motor_->WindowLeft(), motor_->WindowTop(), motor_->WindowWidth(),
                 motor_->WindowHeight()};
        manija = motor_->WindowParentHandle();
        recursosAlMostrar = idRecursos != 0;
        if (alMostrar)
            alMostrar(*motor_);
        if (!rutaPdf_.isEmpty())
            pdf_.MostrarVistaPrevia(titulo);
        motor_ = nullptr;
    }

    std::map<QString, Ventana> ventanas;
    QSize tamanoVista{19008, 11040}; // twips: 99 % y 92 % de 1280 × 800 píxeles
    std::function<void(MotorReporte&)> alMostrar;

    // Lo que se vio.
    int cargasRecursos = 0;
    int idRecursos = 0;
    QStringList titulos; // una entrada por vista previa mostrada
    int paginas = -1;
    qint16 zoom = 0;
    std::array<qint16, 4> lugar{}; // izquierda, arriba, ancho, alto
    quintptr manija = 0;
    bool recursosAlMostrar = false;
    bool PdfEscrito() const { return pdf_.Escrito(); }

private:
    QString rutaPdf_;
    VentanasPdf pdf_;
    MotorReporte* motor_ = nullptr;
};

// El 15/03/2024 (viernes: los registros rotativos son "Vi...").
inline const QDate DiaImpresion(2024, 3, 15);

// Prueba del módulo de impresión: la sesión de DEMO con su clave de base, el
// encabezado de los reportes, los relojes fijos (el servidor dice 15/03/2024
// 10:30:12; el reloj monótono da las lecturas de "reloj"), sin carpeta local,
// el árbol de reportes de prueba instalado y las ventanas falsas con
// frmInicio, frmPosInicio y la ventana que imprime.
class ConImpresion : public ConSesion {
protected:
    static inline const QString Ventana = QStringLiteral("frmTipoCompra");

    void SetUp() override {
        ConSesion::SetUp();
        RegistroVentanas::instancia().Vaciar();
        EstadoSesion& g = Glob();
        g.ClaveBase = DerivarClave(QStringLiteral("demo"));
        g.CadenaConexionODBC = ArmarCadenaODBC(g.UsuarioActual, g.ClaveBase);
        g.RptOrganismo = QStringLiteral("Municipalidad de Villa Serrana");
        g.RptNombreOrg = QStringLiteral("Secretaría de Hacienda");
        g.Municipalidad = QStringLiteral("Municipalidad de Villa Serrana");
        g.TimeoutRpt = 5;
        g.TareaActual = QStringLiteral("MRV107");
        FijarCarpetaLocal(dir.filePath(QStringLiteral("sin-carpeta-local")));
        FijarFuenteFechaLogs([] { return DiaImpresion; });
        FijarRelojesImpresion({[](bool conHora) -> std::optional<QDateTime> {
                                   return QDateTime(DiaImpresion,
                                                    conHora ? QTime(10, 30, 12) : QTime(0, 0));
                               },
                               [this] {
                                   if (reloj.empty())
                                       return qint64(0);
                                   const qint64 v = reloj.front();
                                   reloj.pop_front();
                                   return v;
                               }});
        InstalarReportes(dir.path());
        ventanas.Cargar(QStringLiteral("frmInicio"));
        ventanas.Cargar(QStringLiteral("frmPosInicio"));
        ventanas.Cargar(Ventana, {QStringLiteral("CmdActualizar"), QStringLiteral("CmdImprimir"),
                                  QStringLiteral("CmdCerrar")});
    }
    void TearDown() override {
        FijarRelojesImpresion({});
        FijarFuenteFechaLogs({});
        FijarCarpetaLocal(QString());
        ConSesion::TearDown();
    }

    // Un reporte del árbol que se instala, copiado a la instalación de la prueba.
    void InstalarDelArbol(const QString& ruta) {
        ASSERT_TRUE(EscribirArchivo(dir.filePath(ruta), LeerArchivo(ArchivoInstalado(ruta))));
    }
    QString Registro(const QString& carpeta, const QString& nombre) {
        return QString::fromUtf8(
            LeerArchivo(dir.filePath(QStringLiteral("LogsFiles/") + carpeta + '/' + nombre)));
    }

    VentanasFalsas ventanas{dir.filePath(QStringLiteral("vista.pdf"))};
    std::deque<qint64> reloj; // lecturas del reloj monótono, en milisegundos
};

} // namespace prueba
