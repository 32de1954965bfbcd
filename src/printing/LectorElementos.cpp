// Elementos de una banda: textos, campos, totales, porcentajes, líneas,
// cajas, imágenes y subreportes.
#include "FormatosEs.h"
#include "LectorXml.h"

using lector::Lector;

namespace {

const QStringList ElementosBanda = {QStringLiteral("texto"),  QStringLiteral("campo"),
                                    QStringLiteral("total"),  QStringLiteral("porcentaje"),
                                    QStringLiteral("linea"),  QStringLiteral("caja"),
                                    QStringLiteral("imagen"), QStringLiteral("subreporte")};

// De dónde sale el valor de un campo, un total o un porcentaje.
bool LeerFuenteDeValor(Elemento& e, Atributos& a) {
    switch (e.tipo) {
    case TipoElemento::Campo: {
        const auto columna = a.Tomar("columna");
        const auto formula = a.Tomar("formula");
        const auto especial = a.Opcion("especial", {"pagina", "total-paginas", "pagina-n-de-m",
                                                    "fecha-impresion", "hora-impresion"});
        if (!especial)
            return false;
        if (int(bool(columna)) + int(bool(formula)) + int(*especial >= 0) != 1) {
            a.Anotar(QStringLiteral("<campo> lleva columna=\"...\", formula=\"...\" o "
                                    "especial=\"...\", uno solo"));
            return false;
        }
        e.columna = columna.value_or(QString()).trimmed();
        e.formula = formula.value_or(QString()).trimmed();
        e.especial = Especial(*especial + 1);
        if (columna && e.columna.isEmpty()) {
            a.Anotar(QStringLiteral("columna=\"\" vacía: se esperaba el nombre de una columna"));
            return false;
        }
        if (formula && !NombreFormulaValido(e.formula)) {
            a.Anotar(QStringLiteral("formula=\"%1\" no es un nombre de fórmula").arg(e.formula));
            return false;
        }
        return true;
    }
    case TipoElemento::Total: {
        const auto funcion =
            a.Opcion("funcion", {"suma", "cuenta", "promedio", "minimo", "maximo"});
        if (!funcion)
            return false;
        if (*funcion < 0) {
            a.Anotar(QStringLiteral("<total> necesita funcion=\"suma|cuenta|promedio|minimo|"
                                    "maximo\""));
            return false;
        }
        e.funcion = Funcion(*funcion);
        e.columna = a.Tomar("columna").value_or(QString()).trimmed();
        if (e.columna.isEmpty() && e.funcion != Funcion::Cuenta) {
            a.Anotar(QStringLiteral("<total> necesita columna=\"...\" (solo la cuenta de filas "
                                    "va sin columna)"));
            return false;
        }
        return true;
    }
    case TipoElemento::Porcentaje: {
        const auto de = a.Opcion("de", {"reporte", "grupo"});
        if (!de)
            return false;
        e.ambito = *de == 1 ? Ambito::Grupo : Ambito::Reporte;
        e.columna = a.Tomar("columna").value_or(QString()).trimmed();
        if (e.columna.isEmpty()) {
            a.Anotar(QStringLiteral("<porcentaje> necesita columna=\"...\""));
            return false;
        }
        return true;
    }
    default:
        return true;
    }
}

QString FormatoPorDefecto(const Elemento& e) {
    if (e.tipo == TipoElemento::Porcentaje)
        return QStringLiteral("0 %");
    if (e.especial == Especial::FechaImpresion)
        return QStringLiteral("dd/mm/yyyy");
    if (e.especial == Especial::HoraImpresion)
        return QStringLiteral("hh:nn");
    return {};
}

} // namespace

bool lector::EsElementoDeBanda(const QString& etiqueta) {
    return ElementosBanda.contains(etiqueta);
}

bool Lector::LeerEstilo(Atributos& a, Estilo& estilo) {
    if (const auto base = a.Tomar("estilo")) {
        const auto it = estilos_.constFind(*base);
        if (it == estilos_.cend())
            return Fallar(QStringLiteral("el estilo \"%1\" no está declarado antes").arg(*base));
        estilo = *it;
    }
    const auto alineacion = a.Opcion("alineacion", {"izquierda", "centro", "derecha"});
    if (!alineacion || !a.Numero("tamano", estilo.tamano, 4, 96) ||
        !a.SiNo("negrita", estilo.negrita) || !a.SiNo("cursiva", estilo.cursiva) ||
        !a.SiNo("subrayado", estilo.subrayado) || !a.Color("color", estilo.color))
        return Fallar(a.Error());
    static const Qt::Alignment alineaciones[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    if (*alineacion >= 0)
        estilo.alineacion = alineaciones[*alineacion];
    return true;
}

bool Lector::LeerElemento(Banda& banda, Atributos& a) {
    Elemento e;
    e.linea = int(xml_.lineNumber());
    const QString nombre = Etiqueta();
    e.tipo = TipoElemento(ElementosBanda.indexOf(nombre));
    if (e.tipo == TipoElemento::Linea) {
        qreal x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (!a.Medida("x1", x1) || !a.Medida("y1", y1) || !a.Medida("x2", x2) ||
            !a.Medida("y2", y2) || !a.Medida("grosor", e.grosor) || !a.Color("color", e.colorLinea))
            return Fallar(a.Error());
        e.segmento = QLineF(x1, y1, x2, y2);
        e.caja = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
        return Sobrantes(a) && SinHijos() && (banda.elementos.push_back(e), true);
    }
    qreal x = 0, y = 0, ancho = -1, alto = -1;
    if (!a.Medida("x", x) || !a.Medida("y", y) || !a.Medida("ancho", ancho) ||
        !a.Medida("alto", alto))
        return Fallar(a.Error());
    e.caja = QRectF(x, y, ancho, alto); // -1: lo que queda (ver ValidarDefinicion)
    switch (e.tipo) {
    case TipoElemento::Caja:
        if (!a.Medida("grosor", e.grosor) || !a.Color("color", e.colorLinea) ||
            !a.Color("relleno", e.relleno) || !a.SiNo("borde", e.conBorde))
            return Fallar(a.Error());
        break;
    case TipoElemento::Imagen: {
        const auto ajuste = a.Opcion("ajuste", {"proporcional", "estirar"});
        if (!ajuste)
            return Fallar(a.Error());
        e.proporcional = *ajuste != 1;
        e.archivo = a.Tomar("archivo").value_or(QString());
        e.columna = a.Tomar("columna").value_or(QString());
        e.origen = a.Tomar("origen").value_or(QString()).trimmed();
        if (int(!e.archivo.isEmpty()) + int(!e.columna.isEmpty()) + int(!e.origen.isEmpty()) != 1)
            return Fallar(QStringLiteral("<imagen> lleva archivo=\"...\", columna=\"...\" u "
                                         "origen=\"...\", uno solo de los tres"));
        break;
    }
    case TipoElemento::Subreporte:
        if (!LeerSubreporte(e, a))
            return false;
        banda.elementos.push_back(std::move(e));
        return true;
    default: { // texto, campo, total, porcentaje
        if (!LeerEstilo(a, e.estilo))
            return false;
        e.prefijo = a.Tomar("prefijo").value_or(QString());
        e.sufijo = a.Tomar("sufijo").value_or(QString());
        if (!LeerFuenteDeValor(e, a))
            return Fallar(a.Error());
        if (e.tipo != TipoElemento::Texto) {
            e.formato = a.Tomar("formato").value_or(FormatoPorDefecto(e));
            QString motivo;
            const auto formato = FormatoValor::Compilar(e.formato, &motivo);
            if (!formato)
                return Fallar(motivo);
            e.formatoCompilado = *formato;
        }
        if (!Sobrantes(a))
            return false;
        if (e.tipo == TipoElemento::Texto) {
            if (!Texto(e.texto))
                return false;
            banda.elementos.push_back(std::move(e));
            return true;
        }
        break;
    }
    }
    if (!Sobrantes(a) || !SinHijos())
        return false;
    banda.elementos.push_back(std::move(e));
    return true;
}

bool Lector::LeerSubreporte(Elemento& e, Atributos& a) {
    if (enSubreporte_)
        return Fallar(QStringLiteral("un subreporte no puede tener otro subreporte adentro"));
    const auto nombre = a.Tomar("nombre");
    if (!nombre || nombre->trimmed().isEmpty())
        return Fallar(QStringLiteral("<subreporte> necesita nombre=\"...\""));
    if (raiz_->BuscarSubreporte(nombre->trimmed()) >= 0)
        return Fallar(QStringLiteral("hay dos subreportes llamados \"%1\"").arg(*nombre));
    Subreporte s;
    s.nombre = nombre->trimmed();
    s.archivo = a.Tomar("archivo").value_or(QString()).trimmed();
    s.linea = int(xml_.lineNumber());
    if (!Sobrantes(a))
        return false;
    e.subreporte = int(raiz_->subreportes.size());
    if (!s.archivo.isEmpty()) {
        raiz_->subreportes.push_back(s);
        return SinHijos();
    }
    s.definicion = std::make_shared<Definicion>();
    s.definicion->archivo = archivo_;
    s.definicion->esSubreporte = true;
    raiz_->subreportes.push_back(s);
    enSubreporte_ = true;
    const bool ok = LeerContenido(*raiz_->subreportes.back().definicion);
    enSubreporte_ = false;
    return ok;
}
