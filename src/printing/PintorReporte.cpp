#include "PintorReporte.h"
#include "ClaveNombre.h"
#include "Fuentes.h"
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <array>
#include <cmath>
#include <map>
#include <tuple>

namespace {

// La caja, o, si es proporcional, el mayor rectángulo de ese tamaño centrado en ella.
QRectF CajaDe(const QSizeF& propio, const QRectF& caja, bool proporcional) {
    if (!proporcional)
        return caja;
    const QSizeF s = propio.scaled(caja.size(), Qt::KeepAspectRatio);
    return QRectF(caja.center() - QPointF(s.width() / 2, s.height() / 2), s);
}

// Letra de un estilo para un dispositivo: mide "tamano" unidades del pintor
// cuando el pintor está en puntos, sea cual sea la resolución del dispositivo.
QFont LetraDe(const Estilo& e, qreal puntosPorPulgada) {
    QFont f(FamiliaPrograma());
    f.setPointSizeF(e.tamano * 72.0 / puntosPorPulgada);
    f.setBold(e.negrita);
    f.setItalic(e.cursiva);
    f.setUnderline(e.subrayado);
    f.setKerning(false); // el ancho es la suma de los avances: medir es barato y exacto
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

// Medidas de texto en puntos, con la letra del programa. Guarda el avance
// de cada carácter ASCII: la mayoría de los textos se miden sumando.
class Medidor {
public:
    struct Medidas {
        QFont letra;
        QFontMetricsF metricas;
        std::array<qreal, 128> avances;
        explicit Medidas(const QFont& f, const QPaintDevice* d) : letra(f), metricas(f, d) {
            avances.fill(-1);
        }
    };

    // Vive hasta el final del proceso: sus letras no deben destruirse
    // después de la aplicación Qt.
    static Medidor& Uno() {
        static Medidor* m = new Medidor;
        return *m;
    }

    Medidas& De(const Estilo& e) {
        const auto clave = std::make_tuple(qRound(e.tamano * 100), e.negrita, e.cursiva);
        auto it = medidas_.find(clave);
        if (it == medidas_.end())
            it = medidas_.emplace(clave, Medidas(LetraDe(e, 72), &dispositivo_)).first;
        return it->second;
    }

    qreal Ancho(const Estilo& e, QStringView texto) {
        Medidas& m = De(e);
        qreal ancho = 0;
        for (QChar c : texto) {
            const char16_t u = c.unicode();
            if (u >= 128)
                return m.metricas.horizontalAdvance(texto.toString());
            if (m.avances[u] < 0)
                m.avances[u] = m.metricas.horizontalAdvance(c);
            ancho += m.avances[u];
        }
        return ancho;
    }

private:
    Medidor() : dispositivo_(1, 1, QImage::Format_Mono) {
        // 72 puntos por pulgada: un píxel es un punto
        dispositivo_.setDotsPerMeterX(2835);
        dispositivo_.setDotsPerMeterY(2835);
        if (!QFontDatabase::families().contains(FamiliaPrograma()))
            CargarFuentes();
    }
    QImage dispositivo_;
    std::map<std::tuple<int, bool, bool>, Medidas> medidas_;
};

class Armador {
public:
    Armador(const ContextoPagina& contexto, std::vector<Trazo>& trazos)
        : contexto_(contexto), trazos_(trazos) {}

    void Colocaciones(const Corrida& c, const std::vector<Colocacion>& colocaciones,
                      QPointF origen);

private:
    void Banda(const Corrida& c, const Colocacion& col, QPointF origen);
    void Texto(const Elemento& e, const QRectF& caja, const QString& texto);
    void Imagen(const QImage& imagen, const QRectF& caja, bool proporcional);
    void Dibujo(const QPicture& dibujo, const QRectF& caja, bool proporcional);

    const ContextoPagina& contexto_;
    std::vector<Trazo>& trazos_;
};

void Armador::Colocaciones(const Corrida& c, const std::vector<Colocacion>& colocaciones,
                           QPointF origen) {
    for (const Colocacion& col : colocaciones)
        Banda(c, col, origen + QPointF(0, col.y));
}

void Armador::Banda(const Corrida& c, const Colocacion& col, QPointF origen) {
    const Definicion& d = *c.definicion;
    const ::Banda& b = d.bandas[size_t(col.banda)];
    if (b.tipo == TipoBanda::Detalle && b.sombreado.isValid() && col.fila % 2 == 1) {
        Trazo t;
        t.tipo = Trazo::Tipo::Rectangulo;
        t.caja = QRectF(origen, QSizeF(d.AnchoUtil(), c.altos[size_t(col.banda)]));
        t.relleno = b.sombreado;
        trazos_.push_back(std::move(t));
    }
    const auto& corrimientos = c.corrimientos[size_t(col.banda)];
    for (size_t i = 0; i < b.elementos.size(); ++i) {
        const Elemento& e = b.elementos[i];
        const QPointF o = origen + QPointF(0, corrimientos.empty() ? 0 : corrimientos[i]);
        const QRectF caja = e.caja.translated(o);
        switch (e.tipo) {
        case TipoElemento::Linea: {
            Trazo t;
            t.tipo = Trazo::Tipo::Linea;
            t.linea = e.segmento.translated(o);
            t.grosor = e.grosor;
            t.color = e.colorLinea;
            trazos_.push_back(std::move(t));
            break;
        }
        case TipoElemento::Caja: {
            Trazo t;
            t.tipo = Trazo::Tipo::Rectangulo;
            t.caja = caja;
            t.grosor = e.conBorde ? e.grosor : 0;
            t.color = e.colorLinea;
            t.relleno = e.relleno;
            trazos_.push_back(std::move(t));
            break;
        }
        case TipoElemento::Imagen:
            if (!e.origen.isEmpty()) {
                Dibujo(c.dibujos.value(ClaveNombre(e.origen.trimmed())), caja, e.proporcional);
            } else if (!e.archivo.isEmpty()) {
                const QString ruta = QFileInfo(d.archivo).absoluteDir().absoluteFilePath(e.archivo);
                Imagen(c.imagenes.value(ruta), caja, e.proporcional);
            } else if (col.fila >= 0) {
                Imagen(c.ImagenDeBase(e, col.fila), caja, e.proporcional);
            }
            break;
        case TipoElemento::Subreporte: {
            const Corrida& sub = *c.subreportes[size_t(e.subreporte)];
            const qreal alto = std::max(caja.height(), sub.diagramacion.altoContenido);
            Trazo recorte;
            recorte.tipo = Trazo::Tipo::Recorte;
            recorte.caja = QRectF(caja.topLeft(), QSizeF(caja.width(), alto));
            trazos_.push_back(recorte);
            if (!sub.diagramacion.paginas.empty())
                Colocaciones(sub, sub.diagramacion.paginas.front(), caja.topLeft());
            Trazo fin;
            fin.tipo = Trazo::Tipo::FinRecorte;
            trazos_.push_back(fin);
            break;
        }
        default:
            Texto(e, caja, TextoDeElemento(c, e, col, contexto_));
            break;
        }
    }
}

void Armador::Texto(const Elemento& e, const QRectF& caja, const QString& texto) {
    if (texto.isEmpty())
        return;
    Medidor& medidor = Medidor::Uno();
    const auto& m = medidor.De(e.estilo);
    Trazo t;
    t.tipo = Trazo::Tipo::Texto;
    t.caja = caja;
    t.estilo = &e.estilo;
    t.color = e.estilo.color;
    t.texto = texto;
    qreal ancho = medidor.Ancho(e.estilo, texto);
    if (ancho > caja.width()) {
        t.texto = m.metricas.elidedText(texto, Qt::ElideRight, caja.width());
        ancho = medidor.Ancho(e.estilo, t.texto);
    }
    qreal x = caja.left();
    if (e.estilo.alineacion & Qt::AlignRight)
        x = caja.right() - ancho;
    else if (e.estilo.alineacion & Qt::AlignHCenter)
        x = caja.left() + (caja.width() - ancho) / 2;
    const qreal alto = m.metricas.ascent() + m.metricas.descent();
    t.origen = QPointF(x, caja.top() + (caja.height() - alto) / 2 + m.metricas.ascent());
    trazos_.push_back(std::move(t));
}

void Armador::Imagen(const QImage& imagen, const QRectF& caja, bool proporcional) {
    if (imagen.isNull())
        return;
    Trazo t;
    t.tipo = Trazo::Tipo::Imagen;
    t.imagen = imagen;
    t.caja = CajaDe(QSizeF(imagen.size()), caja, proporcional);
    trazos_.push_back(std::move(t));
}

void Armador::Dibujo(const QPicture& dibujo, const QRectF& caja, bool proporcional) {
    const QRectF propio = dibujo.boundingRect();
    if (dibujo.isNull() || propio.isEmpty())
        return;
    Trazo t;
    t.tipo = Trazo::Tipo::Dibujo;
    t.dibujo = dibujo;
    t.caja = CajaDe(propio.size(), caja, proporcional);
    trazos_.push_back(std::move(t));
}

} // namespace

std::vector<Trazo> ArmarPagina(const Corrida& c, int pagina, const ContextoPagina& contexto) {
    std::vector<Trazo> trazos;
    if (pagina < 0 || pagina >= c.Paginas())
        return trazos;
    const QMarginsF& m = c.definicion->margenes;
    Armador armador(contexto, trazos);
    armador.Colocaciones(c, c.diagramacion.paginas[size_t(pagina)], QPointF(m.left(), m.top()));
    return trazos;
}

namespace {

// Un dibujo llevado a su caja. Sus letras se resuelven con la resolución del
// dispositivo en que se grabó: en uno de la misma se pinta vectorial; en otro
// (impresora, imagen de la página) se pasa antes a un mapa de bits de hasta
// 300 ppp, porque las letras saldrían de otro tamaño.
void PintarDibujo(const Trazo& t, QPainter& pintor) {
    const QRectF propio = t.dibujo.boundingRect();
    const int ppp = pintor.device() ? pintor.device()->logicalDpiY() : 72;
    pintor.save();
    pintor.setClipRect(t.caja, Qt::IntersectClip);
    if (ppp == t.dibujo.logicalDpiY()) {
        pintor.translate(t.caja.topLeft());
        pintor.scale(t.caja.width() / propio.width(), t.caja.height() / propio.height());
        pintor.translate(-propio.topLeft());
        pintor.drawPicture(0, 0, t.dibujo);
    } else {
        const qreal pixelesPorPunto = std::min(ppp, 300) / 72.0;
        const QSize tamano = (t.caja.size() * pixelesPorPunto).toSize().expandedTo(QSize(1, 1));
        QImage imagen(tamano, QImage::Format_ARGB32_Premultiplied);
        imagen.fill(Qt::transparent);
        QPainter p(&imagen);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setRenderHint(QPainter::TextAntialiasing, true);
        p.scale(tamano.width() / propio.width(), tamano.height() / propio.height());
        p.translate(-propio.topLeft());
        p.drawPicture(0, 0, t.dibujo);
        p.end();
        pintor.drawImage(t.caja, imagen);
    }
    pintor.restore();
}

} // namespace

void PintarTrazos(const std::vector<Trazo>& trazos, QPainter& pintor) {
    const qreal dpi = pintor.device() ? pintor.device()->logicalDpiY() : 72;
    std::map<const Estilo*, QFont> letras;
    const Estilo* estiloActual = nullptr;
    QColor colorActual;
    pintor.save();
    pintor.setRenderHint(QPainter::Antialiasing, true);
    pintor.setRenderHint(QPainter::SmoothPixmapTransform, true);
    int recortes = 0;
    for (const Trazo& t : trazos) {
        switch (t.tipo) {
        case Trazo::Tipo::Texto: {
            if (t.estilo != estiloActual) {
                auto it = letras.find(t.estilo);
                if (it == letras.end())
                    it = letras.emplace(t.estilo, LetraDe(*t.estilo, dpi)).first;
                pintor.setFont(it->second);
                estiloActual = t.estilo;
            }
            if (t.color != colorActual || pintor.pen().style() == Qt::NoPen) {
                pintor.setPen(QPen(t.color));
                colorActual = t.color;
            }
            pintor.drawText(t.origen, t.texto);
            break;
        }
        case Trazo::Tipo::Linea:
            pintor.setPen(QPen(t.color, t.grosor, Qt::SolidLine, Qt::FlatCap));
            colorActual = QColor();
            pintor.drawLine(t.linea);
            break;
        case Trazo::Tipo::Rectangulo:
            pintor.setPen(t.grosor > 0 ? QPen(t.color, t.grosor) : QPen(Qt::NoPen));
            pintor.setBrush(t.relleno.isValid() ? QBrush(t.relleno) : QBrush(Qt::NoBrush));
            colorActual = QColor();
            pintor.drawRect(t.caja);
            pintor.setBrush(Qt::NoBrush);
            break;
        case Trazo::Tipo::Imagen:
            pintor.drawImage(t.caja, t.imagen);
            break;
        case Trazo::Tipo::Dibujo:
            PintarDibujo(t, pintor);
            estiloActual = nullptr;
            colorActual = QColor();
            break;
        case Trazo::Tipo::Recorte:
            pintor.save();
            pintor.setClipRect(t.caja, Qt::IntersectClip);
            ++recortes;
            break;
        case Trazo::Tipo::FinRecorte:
            if (recortes > 0) {
                pintor.restore();
                --recortes;
                estiloActual = nullptr;
                colorActual = QColor();
            }
            break;
        }
    }
    while (recortes-- > 0)
        pintor.restore();
    pintor.restore();
}

QRectF RectanguloDeTramo(const Trazo& t, qsizetype desde, qsizetype largo) {
    if (t.tipo != Trazo::Tipo::Texto || !t.estilo)
        return {};
    Medidor& medidor = Medidor::Uno();
    const auto& m = medidor.De(*t.estilo);
    desde = std::clamp<qsizetype>(desde, 0, t.texto.size());
    largo = std::clamp<qsizetype>(largo, 0, t.texto.size() - desde);
    const qreal x = t.origen.x() + medidor.Ancho(*t.estilo, QStringView(t.texto).left(desde));
    const qreal ancho = medidor.Ancho(*t.estilo, QStringView(t.texto).mid(desde, largo));
    return QRectF(x, t.origen.y() - m.metricas.ascent(), ancho,
                  m.metricas.ascent() + m.metricas.descent());
}
