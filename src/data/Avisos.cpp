#include "Avisos.h"
#include "ConexionBase.h"
#include "Dialogos.h"
#include "Glob_Sarvo.h"

namespace {
// Avisos sin catálogo: texto plano por los diálogos en vigor. Sirven hasta
// que el subsistema de mensajes instala los suyos.
class AvisosSimples : public Avisos {
public:
    int MostrarError(int codigo, const QStringList& parametros) override {
        QString texto = QStringLiteral("Mensaje %1").arg(codigo);
        if (!parametros.isEmpty())
            texto += QLatin1String(": ") + parametros.join(QLatin1String(", "));
        return MostrarMensaje(texto, QStringLiteral("ERROR"));
    }
    int MostrarMensaje(const QString& texto, const QString& titulo) override {
        Glob().UltimoMensaje = texto;
        PedidoMensaje p;
        p.Mensaje = texto;
        p.titulo = titulo;
        p.aceptarConAcceso = true;
        return dialogos().VentanaMensaje(p);
    }
    void MostrarErrorBase(ConexionBase* conexion, std::optional<long>) override {
        Informar(conexion ? conexion : Glob().Conexion.get());
    }
    void MostrarErrorConexion(ConexionBase& conexion) override { Informar(&conexion); }

private:
    void Informar(ConexionBase* c) {
        if (!c || c->Errores().empty()) {
            MostrarMensaje(QStringLiteral("Error de base de datos sin detalle"),
                           QStringLiteral("ERROR"));
            return;
        }
        Glob().UltimoErrorNativo = qint32(c->Errores().front().nativo);
        MostrarMensaje(c->Errores().front().descripcion, QStringLiteral("ERROR"));
        c->LimpiarErrores();
    }
};

AvisosSimples& simples() {
    static AvisosSimples a;
    return a;
}
Avisos* vigentes = nullptr;
} // namespace

Avisos& avisos() {
    return vigentes ? *vigentes : simples();
}

void InstalarAvisos(Avisos* nuevos) {
    vigentes = nuevos;
}
