// Fuzzing del lector de archivos de reporte y de lo que viene después: un
// archivo al azar da una definición válida o un error ubicado; una definición
// válida se diagrama con unas filas al azar y se calcula el texto de cada
// elemento colocado. Bajo ASan y UBSan; Q_ASSERT activo.
#include "Corrida.h"
#include "Exigir.h"
#include "LectorDefinicion.h"
#include "PintorReporte.h"
#include <set>

namespace {

const QString Archivo = QStringLiteral("fuzz.rpt");

// Valores de prueba: números, textos (algunos numéricos), fechas y nulos.
QVariant Valor(unsigned semilla) {
    switch (semilla % 6) {
    case 0:
        return QVariant(qlonglong(semilla % 7) - 2);
    case 1:
        return QVariant(double(semilla % 1000) / 7.0);
    case 2:
        return QVariant(QString::number(semilla % 3));
    case 3:
        return QVariant(QDate(2024, 1 + int(semilla % 12), 1 + int(semilla % 28)));
    case 4:
        return QVariant(QMetaType::fromType<double>());
    default:
        return QVariant(QStringLiteral("texto %1").arg(semilla % 4));
    }
}

// Columnas que nombra la definición, para que los datos las tengan.
void Columnas(const Definicion& d, std::set<QString>& nombres) {
    for (const Grupo& g : d.grupos)
        nombres.insert(g.columna.toLower());
    for (const Banda& b : d.bandas)
        for (const Elemento& e : b.elementos)
            if (!e.columna.isEmpty())
                nombres.insert(e.columna.toLower());
}

std::unique_ptr<FuenteDatos> Datos(const Definicion& d, unsigned semilla, int filas) {
    std::set<QString> nombres;
    Columnas(d, nombres);
    QStringList columnas(nombres.begin(), nombres.end());
    std::vector<std::vector<QVariant>> f;
    for (int i = 0; i < filas; ++i) {
        std::vector<QVariant> fila;
        for (int c = 0; c < columnas.size(); ++c)
            fila.push_back(Valor(semilla * 31 + unsigned(i) * 7 + unsigned(c)));
        f.push_back(std::move(fila));
    }
    return std::make_unique<DatosEnMemoria>(columnas, std::move(f));
}

void Recorrer(const Corrida& c, const TablaFormulas& formulas) {
    const ContextoPagina contexto{&formulas, QDateTime(QDate(2024, 3, 15), QTime(9, 5)), 1,
                                  c.Paginas()};
    for (const auto& pagina : c.diagramacion.paginas)
        for (const Colocacion& col : pagina) {
            EXIGIR(col.banda >= 0 && size_t(col.banda) < c.definicion->bandas.size());
            EXIGIR(col.y >= 0);
            for (const Elemento& e : c.definicion->bandas[size_t(col.banda)].elementos) {
                if (e.tipo == TipoElemento::Subreporte) {
                    Recorrer(*c.subreportes[size_t(e.subreporte)], formulas);
                    continue;
                }
                const QString texto = TextoDeElemento(c, e, col, contexto);
                EXIGIR(texto.size() < 100000);
            }
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t tam) {
    if (tam < 2)
        return 0;
    // el primer byte elige filas y valores; el resto es el archivo
    const unsigned semilla = datos[0];
    const int filas = semilla % 13;
    const QByteArray xml(reinterpret_cast<const char*>(datos + 1), qsizetype(tam - 1));
    ErrorDefinicion error;
    std::shared_ptr<Definicion> d = LeerDefinicionDeTexto(xml, Archivo, error);
    if (!d) {
        EXIGIR(error.archivo == Archivo);
        EXIGIR(error.linea >= 0);
        EXIGIR(!error.mensaje.isEmpty());
        EXIGIR(!error.Texto().isEmpty());
        return 0;
    }
    EXIGIR(error.mensaje.isEmpty());
    for (const Banda& b : d->bandas)
        for (const Elemento& e : b.elementos)
            if (e.tipo != TipoElemento::Linea)
                EXIGIR(e.caja.width() > 0 && e.caja.height() > 0 &&
                       e.caja.bottom() <= b.alto + 0.02);

    Corrida c;
    c.definicion = d;
    c.datos = Datos(*d, semilla, filas);
    for (const Subreporte& s : d->subreportes) {
        auto sub = std::make_unique<Corrida>();
        // los de archivo aparte: uno vacío en su lugar
        sub->definicion = s.definicion ? s.definicion : std::make_shared<Definicion>();
        sub->datos = Datos(*sub->definicion, semilla + 1, filas / 2);
        c.subreportes.push_back(std::move(sub));
    }
    ErrorDefinicion errorDatos;
    if (!PrepararCorrida(c, false, errorDatos)) {
        EXIGIR(!errorDatos.mensaje.isEmpty());
        return 0;
    }
    EXIGIR(c.Paginas() >= 1);
    // cada página lleva al menos una banda del cuerpo: no puede haber más que esto
    EXIGIR(size_t(c.Paginas()) <= (size_t(filas) + 2) * (d->bandas.size() + 1));
    TablaFormulas formulas;
    for (const auto& sub : c.subreportes)
        for (const DeclaracionFormula& f : sub->definicion->formulas)
            formulas.Poner(f.nombre, f.defecto.value_or(ValorFormula()));
    for (const DeclaracionFormula& f : d->formulas)
        formulas.Poner(f.nombre, f.defecto.value_or(ValorFormula()));
    Recorrer(c, formulas);
    return 0;
}
