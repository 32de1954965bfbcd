#include "LibroXlsx.h"
#include "ArchivoSalida.h"
#include "NumerosEs.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <xlsxwriter.h>

namespace LibroXlsx {

namespace {

constexpr int MaximoNombreHoja = 31;
constexpr int FilaEncabezado = 5; // cuatro renglones de título y uno en blanco

// Letra de columna de planilla (0 -> A, 26 -> AA).
QString LetraColumna(int columna) {
    QString letras;
    for (int c = columna + 1; c > 0; c = (c - 1) / 26)
        letras.prepend(QChar(u'A' + (c - 1) % 26));
    return letras;
}

// Ancho de columna (en caracteres) para el texto más largo que lleva.
double Ancho(int caracteres) {
    return std::clamp(caracteres + 2, 8, 60);
}

} // namespace

QStringList NombresHojas(const QStringList& titulos) {
    static const QString prohibidos = QStringLiteral("[]:*?/\\");
    QStringList nombres;
    for (int i = 0; i < titulos.size(); ++i) {
        QString base;
        for (QChar ch : titulos.at(i).simplified())
            base += prohibidos.contains(ch) ? QLatin1Char(' ') : ch;
        base = base.simplified();
        while (base.startsWith(QLatin1Char('\'')) || base.endsWith(QLatin1Char('\'')))
            base = (base.startsWith(QLatin1Char('\'')) ? base.mid(1) : base.chopped(1)).trimmed();
        if (base.isEmpty())
            base = QStringLiteral("Gráfico %1").arg(i + 1);
        QString nombre = base.left(MaximoNombreHoja).trimmed();
        for (int n = 2; nombres.contains(nombre, Qt::CaseInsensitive); ++n) {
            const QString sufijo = QStringLiteral(" (%1)").arg(n);
            nombre = base.left(MaximoNombreHoja - sufijo.size()).trimmed() + sufijo;
        }
        nombres << nombre;
    }
    return nombres;
}

bool Escribir(const QString& ruta, const EncabezadoLibro& e, const std::vector<TablaDatos>& tablas,
              QString* error) {
    const auto fallar = [error](const QString& motivo) {
        if (error)
            *error = motivo;
        return false;
    };
    // La biblioteca escribe el libro por su cuenta: se lo arma en una carpeta
    // temporal y solo un libro completo pasa al destino (ArchivoSalida).
    QTemporaryDir trabajo;
    const QString temporal = trabajo.filePath(QStringLiteral("libro.xlsx"));
    const QByteArray rutaLocal = QFile::encodeName(temporal);
    lxw_workbook* libro = trabajo.isValid() ? workbook_new(rutaLocal.constData()) : nullptr;
    if (!libro)
        return fallar(QStringLiteral("No se pudo armar el libro %1 en la carpeta temporal.")
                          .arg(QDir::toNativeSeparators(ruta)));

    lxw_format* titulo = workbook_add_format(libro);
    format_set_bold(titulo);
    format_set_font_size(titulo, 14);
    lxw_format* negrita = workbook_add_format(libro);
    format_set_bold(negrita);
    lxw_format* fecha = workbook_add_format(libro);
    format_set_num_format(fecha, "dd/mm/yyyy");
    format_set_align(fecha, LXW_ALIGN_LEFT);

    QStringList titulos;
    for (const TablaDatos& t : tablas)
        titulos << t.titulo;
    const QStringList hojas = NombresHojas(titulos);
    for (size_t i = 0; i < tablas.size(); ++i) {
        const TablaDatos& t = tablas[i];
        lxw_worksheet* hoja =
            workbook_add_worksheet(libro, hojas.at(qsizetype(i)).toUtf8().constData());
        if (!hoja) {
            workbook_close(libro);
            return fallar(
                QStringLiteral("Nombre de hoja no válido: %1").arg(hojas.at(qsizetype(i))));
        }
        const auto texto = [hoja](int fila, int columna, const QString& s, lxw_format* f) {
            worksheet_write_string(hoja, lxw_row_t(fila), lxw_col_t(columna),
                                   s.toUtf8().constData(), f);
        };
        texto(0, 0, e.titulo, titulo);
        // La fecha para la que se generaron las cifras, no la de la ventana.
        texto(1, 0, t.sinDatos ? QStringLiteral("Sin datos al") : QStringLiteral("Cifras al"),
              negrita);
        if (t.fecha.isValid()) {
            lxw_datetime d{t.fecha.year(), t.fecha.month(), t.fecha.day(), 0, 0, 0};
            worksheet_write_datetime(hoja, 1, 1, &d, fecha);
        }
        texto(2, 0, QStringLiteral("Unidad"), negrita);
        texto(2, 1, t.unidad, nullptr);
        texto(3, 0, QStringLiteral("Municipalidad"), negrita);
        texto(3, 1, e.municipalidad, nullptr);

        // Formato de número por serie: con o sin decimales.
        std::vector<lxw_format*> formatos;
        std::vector<lxw_format*> formatosTotal;
        for (int c = 0; c < t.Series(); ++c) {
            const char* codigo = t.Decimales(c) ? "#,##0.00" : "#,##0";
            lxw_format* f = workbook_add_format(libro);
            format_set_num_format(f, codigo);
            lxw_format* ft = workbook_add_format(libro);
            format_set_num_format(ft, codigo);
            format_set_bold(ft);
            formatos.push_back(f);
            formatosTotal.push_back(ft);
        }

        // Columnas: la categoría, su nombre si lo tiene, y una por serie.
        const bool conNombres = t.ConNombres();
        const int primera = conNombres ? 2 : 1;
        std::vector<int> anchos(size_t(t.Series() + primera), 0);
        const auto medir = [&anchos](int columna, const QString& s) {
            anchos[size_t(columna)] = std::max(anchos[size_t(columna)], int(s.size()));
        };
        const auto rotulo = [&](int fila, int columna, const QString& s, lxw_format* f) {
            texto(fila, columna, s, f);
            medir(columna, s);
        };
        rotulo(FilaEncabezado, 0, t.encabezadoCategorias, negrita);
        if (conNombres)
            rotulo(FilaEncabezado, 1, t.encabezadoNombres, negrita);
        for (int c = 0; c < t.Series(); ++c)
            rotulo(FilaEncabezado, c + primera, t.series.at(c), negrita);
        for (int f = 0; f < t.Filas(); ++f) {
            const int fila = FilaEncabezado + 1 + f;
            rotulo(fila, 0, t.categorias.at(f), nullptr);
            if (conNombres)
                rotulo(fila, 1, t.nombres.value(f), nullptr);
            for (int c = 0; c < t.Series(); ++c) {
                const auto& v = t.valores[size_t(f)][size_t(c)];
                if (!v)
                    continue;
                worksheet_write_number(hoja, lxw_row_t(fila), lxw_col_t(c + primera), *v,
                                       formatos[size_t(c)]);
                medir(c + primera, NumerosEs::Mostrar(*v, t.Decimales(c)));
            }
        }
        // Totales: fórmulas con su valor ya calculado.
        const int filaTotal = FilaEncabezado + 1 + t.Filas();
        texto(filaTotal, 0, QStringLiteral("Total"), negrita);
        const std::vector<double> totales = t.Totales();
        for (int c = 0; c < t.Series(); ++c) {
            const QString letra = LetraColumna(c + primera);
            const QString formula = t.Filas() ? QStringLiteral("=SUM(%1%2:%1%3)")
                                                    .arg(letra)
                                                    .arg(FilaEncabezado + 2)
                                                    .arg(filaTotal)
                                              : QStringLiteral("=0");
            worksheet_write_formula_num(hoja, lxw_row_t(filaTotal), lxw_col_t(c + primera),
                                        formula.toUtf8().constData(), formatosTotal[size_t(c)],
                                        totales[size_t(c)]);
            medir(c + primera, NumerosEs::Mostrar(totales[size_t(c)], t.Decimales(c)));
        }
        for (size_t c = 0; c < anchos.size(); ++c)
            worksheet_set_column(hoja, lxw_col_t(c), lxw_col_t(c), Ancho(anchos[c]), nullptr);
    }
    const lxw_error estado = workbook_close(libro);
    if (estado != LXW_NO_ERROR)
        return fallar(
            QStringLiteral("No se pudo armar el libro %1 en la carpeta temporal: %2")
                .arg(QDir::toNativeSeparators(ruta), QString::fromUtf8(lxw_strerror(estado))));
    QFile armado(temporal);
    if (!armado.open(QIODevice::ReadOnly))
        return fallar(QStringLiteral("No se pudo leer el libro armado en %1: %2")
                          .arg(QDir::toNativeSeparators(temporal), armado.errorString()));
    return ArchivoSalida::Grabar(ruta, armado.readAll(), error);
}

} // namespace LibroXlsx
