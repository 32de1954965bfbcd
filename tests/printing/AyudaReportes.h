#pragma once
// Ayudas de las pruebas del motor de reportes: los archivos de prueba, una
// instalación temporal con su árbol de reportes, el ingreso de DEMO y un
// emblema dibujado para la columna binaria.
#include "Conexiones.h"
#include "LectorDefinicion.h"
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>
#include <QTemporaryDir>

namespace prueba {

// Carpeta de estas pruebas en el código fuente (reportes y textos esperados).
inline QString CarpetaPruebasReportes() {
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath();
}

inline QString ArchivoDePrueba(const QString& nombre) {
    return CarpetaPruebasReportes() + QStringLiteral("/reportes/") + nombre;
}

// Un archivo del árbol de reportes que se instala (reports/ del código fuente).
inline QString ArchivoInstalado(const QString& ruta) {
    return QDir(CarpetaPruebasReportes() + QStringLiteral("/../../reports")).absoluteFilePath(ruta);
}

inline QByteArray LeerArchivo(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool EscribirArchivo(const QString& ruta, const QByteArray& contenido) {
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly) && f.write(contenido) == contenido.size();
}

// Copia los reportes al árbol de una instalación: el de prueba en
// Miravel/Reportes/Formato85 y el del emblema, el que se instala, en
// Gda/Reportes/Formato60.
inline QString InstalarReportes(const QString& raiz) {
    const QString principal =
        raiz + QStringLiteral("/Miravel/Reportes/Formato85/MRV_TiposCompraPrueba.rpt");
    EscribirArchivo(principal,
                    LeerArchivo(ArchivoDePrueba(QStringLiteral("MRV_TiposCompraPrueba.rpt"))));
    const QString emblema = QStringLiteral("Gda/Reportes/Formato60/GDA_LOGOMUNI.RPT");
    EscribirArchivo(raiz + QLatin1Char('/') + emblema, LeerArchivo(ArchivoInstalado(emblema)));
    return principal;
}

// Ingreso del usuario DEMO como lo arma el módulo de impresión.
inline QString LogonDemo() {
    return QStringLiteral(";;;UID=DEMO;PWD=") + DerivarClave(QStringLiteral("demo"));
}

// Un emblema de 64 × 64: escudo celeste y blanco con un sol.
inline QByteArray EmblemaPng() {
    QImage imagen(64, 64, QImage::Format_ARGB32);
    imagen.fill(Qt::transparent);
    QPainter p(&imagen);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath escudo;
    escudo.moveTo(6, 4);
    escudo.lineTo(58, 4);
    escudo.lineTo(58, 34);
    escudo.quadTo(58, 54, 32, 62);
    escudo.quadTo(6, 54, 6, 34);
    escudo.closeSubpath();
    p.setClipPath(escudo);
    p.fillRect(0, 0, 64, 22, QColor(0x74, 0xac, 0xdf));
    p.fillRect(0, 22, 64, 20, Qt::white);
    p.fillRect(0, 42, 64, 22, QColor(0x74, 0xac, 0xdf));
    p.setBrush(QColor(0xf6, 0xb4, 0x0e));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(32, 32), 7, 7);
    p.setClipping(false);
    p.setPen(QPen(QColor(0x20, 0x30, 0x50), 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(escudo);
    p.end();
    QByteArray bytes;
    QBuffer b(&bytes);
    b.open(QIODevice::WriteOnly);
    imagen.save(&b, "PNG");
    return bytes;
}

// Consulta del subreporte del emblema con la imagen en una columna binaria
// (bytea en el servidor sustituto).
inline QString ConsultaEmblema() {
    return QStringLiteral("SELECT decode('%1', 'hex') AS emblema, 'Municipalidad de Villa "
                          "Serrana' AS nombre, 'Provincia de Buenos Aires' AS provincia FROM dual")
        .arg(QString::fromLatin1(EmblemaPng().toHex()));
}

// Texto de un PDF con pdftotext (poppler-utils); vacío si falló.
inline QString TextoDePdf(const QString& pdf) {
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace prueba
