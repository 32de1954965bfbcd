// Código de acceso del día para el control de versión (uso de la UDT).
//
//   miravel-clave --clave-sitio ARCHIVO [dd/mm/aaaa]   con la clave de sitio
//   miravel-clave --nueva-clave ARCHIVO                crea una clave de sitio
//   miravel-clave [dd/mm/aaaa]                         bases sin la comprobación con clave
//
// Sin fecha: la de hoy en este equipo. Sale con 0, con 1 si el archivo de
// clave no se puede leer o escribir y con 2 si los argumentos están mal.
#include "CodigoAcceso.h"
#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <cstdio>

namespace {

const char* const Uso = "uso: miravel-clave --clave-sitio ARCHIVO [dd/mm/aaaa]\n"
                        "     miravel-clave --nueva-clave ARCHIVO\n"
                        "     miravel-clave [dd/mm/aaaa]   (bases sin la comprobación con clave)\n";

void Escribir(std::FILE* salida, const QString& texto) {
    const QByteArray bytes = (texto + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), salida);
}

int UsoMal(const QString& motivo) {
    Escribir(stderr, motivo);
    std::fputs(Uso, stderr);
    return 2;
}

// Crea el archivo sin reemplazar uno que exista (perder una clave deja a la
// municipalidad sin códigos) y solo legible por su dueño.
int NuevaClave(const QString& ruta) {
    QByteArray clave(LargoClaveSitio, Qt::Uninitialized);
    QRandomGenerator::system()->generate(clave.begin(), clave.end());
    QFile archivo(ruta);
    if (!archivo.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text)) {
        Escribir(stderr,
                 archivo.exists()
                     ? QStringLiteral("%1 ya existe: no se reemplaza una clave de sitio.").arg(ruta)
                     : QStringLiteral("No se puede crear %1: %2").arg(ruta, archivo.errorString()));
        return 1;
    }
    archivo.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    const QByteArray texto = TextoArchivoClave(clave, QDate::currentDate()).toUtf8();
    if (archivo.write(texto) != texto.size() || !archivo.flush()) {
        Escribir(stderr,
                 QStringLiteral("No se pudo escribir %1: %2").arg(ruta, archivo.errorString()));
        archivo.close();
        archivo.remove(); // un archivo de clave a medias no sirve
        return 1;
    }
    archivo.close();
    Escribir(stdout, QStringLiteral("Clave de sitio nueva en %1.\n"
                                    "La sentencia que la instala en la base está en el mismo "
                                    "archivo; corrala como dueño del esquema SEGURIDAD.")
                         .arg(ruta));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList argumentos = QCoreApplication::arguments().mid(1);
    QString nuevaClave;
    QString archivoClave;
    for (const char* opcion : {"--nueva-clave", "--clave-sitio"}) {
        const qsizetype i = argumentos.indexOf(QLatin1String(opcion));
        if (i < 0)
            continue;
        if (i + 1 >= argumentos.size())
            return UsoMal(
                QStringLiteral("Falta el archivo después de %1").arg(QLatin1String(opcion)));
        (qstrcmp(opcion, "--nueva-clave") == 0 ? nuevaClave : archivoClave) = argumentos.at(i + 1);
        argumentos.remove(i, 2);
    }
    if (!nuevaClave.isEmpty())
        return argumentos.isEmpty() && archivoClave.isEmpty()
                   ? NuevaClave(nuevaClave)
                   : UsoMal(QStringLiteral("--nueva-clave no lleva otros argumentos"));
    if (argumentos.size() > 1)
        return UsoMal(QStringLiteral("Sobran argumentos"));
    const QDate fecha =
        argumentos.isEmpty() ? QDate::currentDate() : FechaDesdeTexto(argumentos.at(0));
    if (!fecha.isValid())
        return UsoMal(QStringLiteral("Fecha inválida: %1 (use dd/mm/aaaa)").arg(argumentos.at(0)));

    QString codigo;
    if (archivoClave.isEmpty()) {
        codigo = CodigoAccesoDelDia(fecha);
    } else {
        QString error;
        const auto clave = LeerClaveSitio(archivoClave, &error);
        if (!clave) {
            Escribir(stderr, error);
            return 1;
        }
        codigo = CodigoAccesoConClave(*clave, QStringLiteral("MRV"), fecha);
    }
    Escribir(stdout, QStringLiteral("Código de acceso del ") +
                         fecha.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral(": ") +
                         codigo);
    return 0;
}
