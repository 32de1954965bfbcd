#include "Corrida.h"
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

// Imágenes de la base que se guardan decodificadas a la vez.
const size_t ImagenesEnMemoria = 8;

bool EsHexadecimal(QStringView s) {
    if (s.size() % 2 != 0)
        return false;
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F')))
            return false;
    }
    return true;
}

bool ResolverColumnas(Corrida& c, ErrorDefinicion& error) {
    for (const Banda& b : c.definicion->bandas)
        for (const Elemento& e : b.elementos) {
            const bool deLaBase = !e.columna.isEmpty() && (e.tipo == TipoElemento::Campo ||
                                                           e.tipo == TipoElemento::Imagen ||
                                                           e.tipo == TipoElemento::Porcentaje);
            if (!deLaBase)
                continue;
            const int columna = c.datos->Columna(e.columna);
            if (columna < 0) {
                error = {c.definicion->archivo, e.linea,
                         QStringLiteral("la columna %1 no está en los datos de la consulta")
                             .arg(e.columna)};
                return false;
            }
            c.columnas.insert(&e, columna);
        }
    return true;
}

bool LeerImagenes(Corrida& c, ErrorDefinicion& error) {
    const QDir carpeta = QFileInfo(c.definicion->archivo).absoluteDir();
    for (const Banda& b : c.definicion->bandas)
        for (const Elemento& e : b.elementos) {
            if (e.tipo != TipoElemento::Imagen || e.archivo.isEmpty())
                continue;
            const QString ruta = carpeta.absoluteFilePath(e.archivo);
            if (c.imagenes.contains(ruta))
                continue;
            if (!QFileInfo(ruta).isFile()) {
                error = {c.definicion->archivo, e.linea,
                         QStringLiteral("no se encuentra la imagen %1").arg(ruta)};
                return false;
            }
            QImageReader lector(ruta);
            const QImage imagen = lector.read();
            if (imagen.isNull()) {
                error = {c.definicion->archivo, e.linea,
                         QStringLiteral("no se puede leer la imagen %1 (%2)")
                             .arg(ruta, lector.errorString())};
                return false;
            }
            c.imagenes.insert(ruta, imagen);
        }
    return true;
}

// Alto de cada banda con sus subreportes: un marco crece hasta lo que ocupa
// su subreporte y lo que está debajo de él en la banda baja otro tanto.
void MedirBandas(Corrida& c) {
    const Definicion& d = *c.definicion;
    c.altos.clear();
    c.corrimientos.assign(d.bandas.size(), {});
    for (size_t i = 0; i < d.bandas.size(); ++i) {
        const Banda& b = d.bandas[i];
        qreal crecimiento = 0;
        std::vector<qreal> corrimientos(b.elementos.size(), 0.0);
        for (const Elemento& marco : b.elementos) {
            if (marco.tipo != TipoElemento::Subreporte)
                continue;
            const Corrida* sub = c.subreportes[size_t(marco.subreporte)].get();
            const qreal extra =
                std::max<qreal>(0, sub->diagramacion.altoContenido - marco.caja.height());
            crecimiento = std::max(crecimiento, extra);
            for (size_t j = 0; j < b.elementos.size(); ++j)
                if (b.elementos[j].caja.top() >= marco.caja.bottom() - 0.01)
                    corrimientos[j] = std::max(corrimientos[j], extra);
        }
        c.altos.push_back(b.alto + crecimiento);
        if (crecimiento > 0)
            c.corrimientos[i] = std::move(corrimientos);
    }
}

} // namespace

QByteArray BytesDeImagen(const QVariant& valor) {
    if (valor.typeId() == QMetaType::QByteArray)
        return valor.toByteArray();
    const QString texto = valor.toString().trimmed();
    QStringView hex = texto;
    if (hex.startsWith(u"\\x"))
        hex = hex.mid(2);
    if (!EsHexadecimal(hex))
        return {};
    return QByteArray::fromHex(hex.toLatin1());
}

QImage Corrida::ImagenDeBase(const Elemento& e, int fila) const {
    for (const auto& i : imagenesBase)
        if (i.elemento == &e && i.fila == fila)
            return i.imagen;
    const int columna = columnas.value(&e, -1);
    QImage imagen;
    imagen.loadFromData(BytesDeImagen(datos->Valor(fila, columna)));
    if (imagenesBase.size() >= ImagenesEnMemoria)
        imagenesBase.erase(imagenesBase.begin());
    imagenesBase.push_back({&e, fila, imagen});
    return imagen;
}

bool PrepararCorrida(Corrida& c, bool continuo, ErrorDefinicion& error) {
    c.columnas.clear();
    c.imagenes.clear();
    c.imagenesBase.clear();
    for (auto& sub : c.subreportes)
        if (!PrepararCorrida(*sub, true, error))
            return false;
    if (!ResolverColumnas(c, error) || !LeerImagenes(c, error))
        return false;
    MedirBandas(c);
    const Definicion& d = *c.definicion;
    if (!continuo) {
        // con los subreportes medidos, las bandas tienen que seguir entrando en la hoja
        auto alto = [&](int banda) { return banda >= 0 ? c.altos[size_t(banda)] : 0.0; };
        const qreal cuerpo = d.AltoUtil() - alto(d.encabezadoPagina) - alto(d.piePagina);
        for (size_t i = 0; i < d.bandas.size(); ++i) {
            const bool dePagina = d.bandas[i].tipo == TipoBanda::EncabezadoPagina ||
                                  d.bandas[i].tipo == TipoBanda::PiePagina;
            if ((dePagina && cuerpo < PuntosPorMm * 5) || (!dePagina && c.altos[i] > cuerpo)) {
                error = {
                    d.archivo, d.bandas[i].linea,
                    QStringLiteral("con sus subreportes la banda mide %1 mm y no entra en "
                                   "la hoja")
                        .arg(
                            QString::number(c.altos[i] / PuntosPorMm, 'f', 1).replace(u'.', u','))};
                return false;
            }
        }
    }
    return Diagramar(d, *c.datos, c.altos, continuo, c.diagramacion, error);
}
