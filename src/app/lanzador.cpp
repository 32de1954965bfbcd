// Lanzador sustituto de la suite: ventana titulada con el nombre de la
// municipalidad que pide usuario y clave y arranca Miravel.
//
//   lanzador [carpeta-de-instalacion]     (por defecto, la carpeta actual)
#include "Lanzador.h"
#include "ConexionBase.h"
#include "Equipo.h"
#include "Fuentes.h"
#include "TraduccionesQt.h"
#include <QApplication>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#ifndef MIRAVEL_VERSION
#define MIRAVEL_VERSION "0.0.0"
#endif

int main(int argc, char** argv) {
    const QStringList argumentos = ArgumentosDelProceso(argc, argv);
    int argcQt = 1;
    QApplication app(argcQt, argv);
    CargarFuentes();
    CargarTraduccionesQt();
    const QString carpeta = argumentos.isEmpty() ? QDir::currentPath() : argumentos.at(0);

    ConexionBase::IdentidadCliente(QStringLiteral("lanzador"));
    QString error;
    const QString municipalidad = LeerMunicipalidad(&error);

    QWidget ventana;
    // Miravel busca esta ventana por su título al cerrarse.
    ventana.setWindowTitle(municipalidad.isEmpty() ? QStringLiteral("Sarvo") : municipalidad);

    auto* titulo = new QLabel(municipalidad.isEmpty() ? QStringLiteral("Sarvo") : municipalidad);
    QFont fuente = titulo->font();
    fuente.setPointSizeF(fuente.pointSizeF() * 1.4);
    fuente.setBold(true);
    titulo->setFont(fuente);
    auto* subtitulo = new QLabel(QStringLiteral("Miravel - Estadísticas Municipales"));

    auto* usuario = new QLineEdit;
    usuario->setObjectName(QStringLiteral("txtUsuario"));
    auto* clave = new QLineEdit;
    clave->setObjectName(QStringLiteral("txtClave"));
    clave->setEchoMode(QLineEdit::Password);

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("&Usuario:"), usuario);
    formulario->addRow(QStringLiteral("&Clave:"), clave);

    auto* ingresar = new QPushButton(QStringLiteral("&Ingresar"));
    ingresar->setDefault(true);
    auto* salir = new QPushButton(QStringLiteral("&Salir"));
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(ingresar);
    botones->addWidget(salir);

    auto* pie = new QLabel(QStringLiteral("Instalación: ") + CarpetaConSeparador(carpeta) +
                           QStringLiteral("   Versión ") + QStringLiteral(MIRAVEL_VERSION));
    pie->setEnabled(false);

    auto* todo = new QVBoxLayout(&ventana);
    todo->addWidget(titulo);
    todo->addWidget(subtitulo);
    todo->addSpacing(12);
    todo->addLayout(formulario);
    todo->addLayout(botones);
    todo->addWidget(pie);

    QObject::connect(salir, &QPushButton::clicked, &ventana, &QWidget::close);
    QObject::connect(clave, &QLineEdit::returnPressed, ingresar, &QPushButton::click);
    QObject::connect(ingresar, &QPushButton::clicked, &ventana, [&] {
        const QString motivo = ValidarIngreso(usuario->text(), clave->text(), carpeta);
        if (!motivo.isEmpty()) {
            QMessageBox::warning(&ventana, ventana.windowTitle(), motivo);
            return;
        }
        QString falla;
        if (!IniciarMiravel(ProgramaMiravel(),
                            ArgumentosMiravel(usuario->text(), clave->text(), carpeta,
                                              QStringLiteral(MIRAVEL_VERSION)),
                            &falla)) {
            QMessageBox::critical(&ventana, ventana.windowTitle(), falla);
            return;
        }
        clave->clear();
        // Miravel la vuelve a traer al frente cuando termina.
        ventana.showMinimized();
    });

    ventana.resize(420, ventana.sizeHint().height());
    ventana.show();
    if (municipalidad.isEmpty())
        QMessageBox::warning(&ventana, ventana.windowTitle(),
                             QStringLiteral("No se pudo leer el nombre de la municipalidad.\n") +
                                 error);
    usuario->setFocus();
    return app.exec();
}
