#include "LectorXml.h"
#include <QFile>

using lector::Lector;

namespace {

struct NombreBanda {
    const char* etiqueta;
    TipoBanda tipo;
    int Definicion::*indice;
};
const NombreBanda BandasUnicas[] = {
    {"encabezado-reporte", TipoBanda::EncabezadoReporte, &Definicion::encabezadoReporte},
    {"encabezado-pagina", TipoBanda::EncabezadoPagina, &Definicion::encabezadoPagina},
    {"detalle", TipoBanda::Detalle, &Definicion::detalle},
    {"pie-reporte", TipoBanda::PieReporte, &Definicion::pieReporte},
    {"pie-pagina", TipoBanda::PiePagina, &Definicion::piePagina},
};

} // namespace

bool Lector::Fallar(const QString& mensaje, qint64 linea) {
    if (!fallo_) {
        fallo_ = true;
        error_.archivo = archivo_;
        error_.linea = linea >= 0 ? linea : xml_.lineNumber();
        error_.mensaje = mensaje;
    }
    return false;
}

bool Lector::FallarXml() {
    if (!xml_.hasError())
        return Fallar(QStringLiteral("el archivo termina antes de tiempo: falta cerrar <%1>")
                          .arg(Etiqueta()));
    return Fallar(TraducirErrorXml(xml_.errorString()));
}

// Avanza al próximo hijo del elemento actual (hay = verdadero) o a su cierre
// (hay = falso). Solo admite blancos y comentarios entre elementos.
bool Lector::Hijo(bool& hay) {
    while (!xml_.atEnd()) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            hay = true;
            return true;
        case QXmlStreamReader::EndElement:
            hay = false;
            return true;
        case QXmlStreamReader::Characters:
            if (!xml_.isWhitespace())
                return Fallar(QStringLiteral("texto suelto \"%1\": se esperaba un elemento")
                                  .arg(xml_.text().trimmed().left(30)));
            break;
        case QXmlStreamReader::DTD:
            return Fallar(QStringLiteral("no se admiten declaraciones DTD"));
        case QXmlStreamReader::EntityReference:
            return Fallar(QStringLiteral("no se admiten entidades propias"));
        case QXmlStreamReader::Invalid:
            return FallarXml();
        default:
            break;
        }
    }
    return FallarXml();
}

bool Lector::SinHijos() {
    const QString etiqueta = Etiqueta();
    bool hay = false;
    if (!Hijo(hay))
        return false;
    if (hay)
        return Fallar(QStringLiteral("<%1> no lleva elementos adentro: se esperaba </%2>")
                          .arg(Etiqueta(), etiqueta));
    return true;
}

bool Lector::Sobrantes(Atributos& a) {
    const QString sobra = a.PrimeroSobrante();
    if (sobra.isEmpty())
        return true;
    return Fallar(QStringLiteral("atributo \"%1\" desconocido en <%2>: se esperaba uno de %3")
                      .arg(sobra, Etiqueta(), a.Conocidos()));
}

bool Lector::Texto(QString& destino) {
    const QString etiqueta = Etiqueta();
    destino = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (xml_.hasError()) {
        if (xml_.error() == QXmlStreamReader::UnexpectedElementError)
            return Fallar(QStringLiteral("<%1> lleva solo texto: se esperaba </%1>").arg(etiqueta));
        return FallarXml();
    }
    return true;
}

std::shared_ptr<Definicion> Lector::Leer() {
    raiz_ = std::make_shared<Definicion>();
    raiz_->archivo = archivo_;
    bool hay = false;
    // prólogo: declaración, comentarios y blancos
    while (!xml_.atEnd() && !hay) {
        switch (xml_.readNext()) {
        case QXmlStreamReader::StartElement:
            hay = true;
            break;
        case QXmlStreamReader::DTD:
            Fallar(QStringLiteral("no se admiten declaraciones DTD"));
            return nullptr;
        case QXmlStreamReader::Characters:
            if (!xml_.isWhitespace()) {
                Fallar(QStringLiteral("texto suelto: se esperaba <reporte>"));
                return nullptr;
            }
            break;
        case QXmlStreamReader::Invalid:
            if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError &&
                xml_.lineNumber() <= 1 && xml_.characterOffset() == 0)
                Fallar(QStringLiteral("el archivo está vacío: se esperaba <reporte>"), 0);
            else if (xml_.errorString().contains(QLatin1String("Start tag expected")))
                Fallar(QStringLiteral("XML mal formado: se esperaba <reporte>"));
            else
                FallarXml();
            return nullptr;
        default:
            break;
        }
    }
    if (!hay) {
        Fallar(QStringLiteral("el archivo no tiene elementos: se esperaba <reporte>"));
        return nullptr;
    }
    if (xml_.name() != QLatin1String("reporte")) {
        Fallar(
            QStringLiteral("el elemento principal es <%1>: se esperaba <reporte>").arg(Etiqueta()));
        return nullptr;
    }
    Atributos a(xml_.attributes());
    const auto version = a.Tomar("version");
    if (version && *version != QLatin1String("1")) {
        Fallar(
            QStringLiteral("versión \"%1\" desconocida: se esperaba version=\"1\"").arg(*version));
        return nullptr;
    }
    a.Tomar("titulo");
    if (!Sobrantes(a) || !LeerContenido(*raiz_))
        return nullptr;
    while (!xml_.atEnd()) {
        const auto t = xml_.readNext();
        if (t == QXmlStreamReader::Invalid) {
            FallarXml();
            return nullptr;
        }
        if (t == QXmlStreamReader::StartElement ||
            (t == QXmlStreamReader::Characters && !xml_.isWhitespace())) {
            Fallar(QStringLiteral("sobra contenido después de </reporte>"));
            return nullptr;
        }
    }
    if (xml_.hasError() && xml_.error() != QXmlStreamReader::PrematureEndOfDocumentError) {
        FallarXml();
        return nullptr;
    }
    if (!ValidarDefinicion(*raiz_, 0, error_))
        return nullptr;
    return raiz_;
}

bool Lector::LeerContenido(Definicion& d) {
    const QString contenedor = Etiqueta();
    bool hayPagina = false, hayConsulta = false;
    for (;;) {
        bool hay = false;
        if (!Hijo(hay))
            return false;
        if (!hay)
            return true;
        const QString e = Etiqueta();
        const qint64 linea = xml_.lineNumber();
        Atributos a(xml_.attributes());
        bool ok = true;
        bool conocido = true;
        if (e == QLatin1String("pagina") && !d.esSubreporte) {
            if (hayPagina)
                return Fallar(QStringLiteral("<pagina> repetida: va una sola vez"));
            hayPagina = true;
            ok = LeerPagina(d, a);
        } else if (e == QLatin1String("consulta")) {
            if (hayConsulta)
                return Fallar(QStringLiteral("<consulta> repetida: va una sola vez"));
            hayConsulta = true;
            ok = Sobrantes(a) && Texto(d.consulta);
            d.consulta = d.consulta.trimmed();
        } else if (e == QLatin1String("formula")) {
            ok = LeerFormula(d, a);
        } else if (e == QLatin1String("estilo")) {
            ok = LeerEstiloNombrado(a);
        } else if (e == QLatin1String("grupo")) {
            ok = LeerGrupo(d, a);
        } else {
            conocido = false;
            for (const auto& b : BandasUnicas) {
                if (e != QLatin1String(b.etiqueta))
                    continue;
                if (d.esSubreporte &&
                    (b.tipo == TipoBanda::EncabezadoPagina || b.tipo == TipoBanda::PiePagina))
                    break;
                conocido = true;
                if (d.*b.indice >= 0)
                    return Fallar(QStringLiteral("<%1> repetido: va una sola vez").arg(e));
                ok = LeerBanda(d, b.tipo, -1, a, d.*b.indice);
            }
        }
        if (!conocido) {
            const QString esperados =
                d.esSubreporte ? QStringLiteral("consulta, formula, estilo, encabezado-reporte, "
                                                "grupo, detalle o pie-reporte")
                               : QStringLiteral("pagina, consulta, formula, estilo, "
                                                "encabezado-reporte, encabezado-pagina, grupo, "
                                                "detalle, pie-reporte o pie-pagina");
            return Fallar(QStringLiteral("elemento <%1> inesperado en <%2>: se esperaba %3")
                              .arg(e, contenedor, esperados),
                          linea);
        }
        if (!ok)
            return false;
    }
}

bool Lector::LeerPagina(Definicion& d, Atributos& a) {
    const auto papel = a.Opcion("papel", {"A4", "A3", "A5", "Carta", "Oficio", "Legal"});
    const auto orientacion = a.Opcion("orientacion", {"vertical", "horizontal"});
    if (!papel || !orientacion)
        return Fallar(a.Error());
    static const QPageSize::PageSizeId papeles[] = {QPageSize::A4,    QPageSize::A3,
                                                    QPageSize::A5,    QPageSize::Letter,
                                                    QPageSize::Legal, QPageSize::Legal};
    if (*papel >= 0)
        d.papel = papeles[*papel];
    if (*orientacion >= 0)
        d.orientacion = *orientacion == 1 ? QPageLayout::Landscape : QPageLayout::Portrait;
    qreal todos = -1;
    if (!a.Medida("margen", todos))
        return Fallar(a.Error());
    if (todos >= 0)
        d.margenes = QMarginsF(todos, todos, todos, todos);
    qreal m[4] = {d.margenes.left(), d.margenes.top(), d.margenes.right(), d.margenes.bottom()};
    const char* nombres[4] = {"margen-izquierdo", "margen-superior", "margen-derecho",
                              "margen-inferior"};
    for (int i = 0; i < 4; ++i)
        if (!a.Medida(nombres[i], m[i]))
            return Fallar(a.Error());
    d.margenes = QMarginsF(m[0], m[1], m[2], m[3]);
    if (!Sobrantes(a))
        return false;
    const QSizeF tam = d.TamanoPagina();
    if (d.AnchoUtil() < tam.width() * 0.2 || d.AltoUtil() < tam.height() * 0.2)
        return Fallar(QStringLiteral("los márgenes dejan muy poco lugar en la hoja"));
    return SinHijos();
}

bool Lector::LeerFormula(Definicion& d, Atributos& a) {
    DeclaracionFormula f;
    f.linea = xml_.lineNumber();
    const auto nombre = a.Tomar("nombre");
    if (!nombre || !NombreFormulaValido(*nombre))
        return Fallar(QStringLiteral("<formula> necesita nombre=\"...\" con letras, cifras o "
                                     "\"_\""));
    f.nombre = *nombre;
    if (d.BuscarFormula(f.nombre))
        return Fallar(QStringLiteral("la fórmula %1 está declarada dos veces").arg(f.nombre));
    const auto tipo = a.Opcion("tipo", {"numero", "texto"});
    if (!tipo)
        return Fallar(a.Error());
    f.tipo = *tipo < 0 ? DeclaracionFormula::Tipo::Cualquiera
                       : (*tipo == 0 ? DeclaracionFormula::Tipo::Numero
                                     : DeclaracionFormula::Tipo::Texto);
    if (const auto valor = a.Tomar("valor")) {
        QString motivo;
        f.defecto = LeerValorFormula(*valor, &motivo);
        if (!f.defecto)
            return Fallar(QStringLiteral("valor de la fórmula %1: %2").arg(f.nombre, motivo));
        if ((f.tipo == DeclaracionFormula::Tipo::Numero && f.defecto->esTexto) ||
            (f.tipo == DeclaracionFormula::Tipo::Texto && !f.defecto->esTexto))
            return Fallar(
                QStringLiteral("el valor de la fórmula %1 no es del tipo declarado").arg(f.nombre));
    }
    if (!Sobrantes(a))
        return false;
    d.formulas.push_back(f);
    return SinHijos();
}

bool Lector::LeerEstiloNombrado(Atributos& a) {
    const auto nombre = a.Tomar("nombre");
    if (!nombre || nombre->isEmpty())
        return Fallar(QStringLiteral("<estilo> necesita nombre=\"...\""));
    Estilo e;
    if (!LeerEstilo(a, e) || !Sobrantes(a))
        return false;
    estilos_.insert(*nombre, e);
    return SinHijos();
}

bool Lector::LeerGrupo(Definicion& d, Atributos& a) {
    Grupo g;
    g.linea = xml_.lineNumber();
    const auto columna = a.Tomar("columna");
    if (!columna || columna->trimmed().isEmpty())
        return Fallar(QStringLiteral("<grupo> necesita columna=\"...\" (la columna que lo "
                                     "corta)"));
    g.columna = columna->trimmed();
    if (!a.SiNo("nueva-pagina", g.nuevaPagina) ||
        !a.SiNo("repetir-encabezado", g.repetirEncabezado))
        return Fallar(a.Error());
    if (!Sobrantes(a))
        return false;
    const int indice = int(d.grupos.size());
    d.grupos.push_back(g);
    for (;;) {
        bool hay = false;
        if (!Hijo(hay))
            return false;
        if (!hay)
            return true;
        const QString e = Etiqueta();
        Atributos b(xml_.attributes());
        const bool encabezado = e == QLatin1String("encabezado-grupo");
        if (!encabezado && e != QLatin1String("pie-grupo"))
            return Fallar(QStringLiteral("elemento <%1> inesperado en <grupo>: se esperaba "
                                         "encabezado-grupo o pie-grupo")
                              .arg(e));
        int Grupo::*const miembro = encabezado ? &Grupo::encabezado : &Grupo::pie;
        if (d.grupos[size_t(indice)].*miembro >= 0)
            return Fallar(QStringLiteral("<%1> repetido: va una sola vez por grupo").arg(e));
        int banda = -1;
        if (!LeerBanda(d, encabezado ? TipoBanda::EncabezadoGrupo : TipoBanda::PieGrupo, indice, b,
                       banda))
            return false;
        d.grupos[size_t(indice)].*miembro = banda;
    }
}

bool Lector::LeerBanda(Definicion& d, TipoBanda tipo, int grupo, Atributos& a, int& indice) {
    Banda b;
    b.tipo = tipo;
    b.grupo = grupo;
    b.linea = xml_.lineNumber();
    b.alto = -1;
    if (!a.Medida("alto", b.alto))
        return Fallar(a.Error());
    if (b.alto < 0)
        return Fallar(QStringLiteral("<%1> necesita alto=\"...\" en milímetros").arg(Etiqueta()));
    if (tipo == TipoBanda::Detalle && !a.Color("sombreado", b.sombreado))
        return Fallar(a.Error());
    if (!Sobrantes(a))
        return false;
    const QString banda = Etiqueta();
    for (;;) {
        bool hay = false;
        if (!Hijo(hay))
            return false;
        if (!hay)
            break;
        if (!lector::EsElementoDeBanda(Etiqueta()))
            return Fallar(QStringLiteral("elemento <%1> inesperado en <%2>: se esperaba texto, "
                                         "campo, total, porcentaje, linea, caja, imagen o "
                                         "subreporte")
                              .arg(Etiqueta(), banda));
        Atributos e(xml_.attributes());
        if (!LeerElemento(b, e))
            return false;
    }
    indice = int(d.bandas.size());
    d.bandas.push_back(std::move(b));
    return true;
}

std::shared_ptr<Definicion> LeerDefinicionDeTexto(const QByteArray& contenido,
                                                  const QString& archivo, ErrorDefinicion& error) {
    error = ErrorDefinicion();
    if (contenido.size() > LargoMaximoDefinicion) {
        error = {archivo, 0, QStringLiteral("el archivo es demasiado grande para ser un reporte")};
        return nullptr;
    }
    Lector lector(contenido, archivo, error);
    return lector.Leer();
}

std::shared_ptr<Definicion> LeerDefinicion(const QString& archivo, ErrorDefinicion& error) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) {
        error = {archivo, 0,
                 QStringLiteral("no se puede abrir el archivo (%1)").arg(f.errorString())};
        return nullptr;
    }
    if (f.size() > LargoMaximoDefinicion) {
        error = {archivo, 0, QStringLiteral("el archivo es demasiado grande para ser un reporte")};
        return nullptr;
    }
    return LeerDefinicionDeTexto(f.readAll(), archivo, error);
}
