#include "frmMensajeLista.h"
#include "ArbolMenu.h"
#include "AyudasVentana.h"
#include "FyG_Sarvo.h"
#include "LiteralSql.h"
#include "Logs.h"
#include "Plantillas.h"
#include "ProcesarTeclas.h"
#include "Recordset.h"
#include "Ventanas.h"
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Medidas de diseño, en píxeles.
constexpr int Ancho = 500;
constexpr int Alto = 340;
constexpr int Margen = 12;

QIcon IconoPrincipal(QWidget* parent) {
    if (parent && !parent->window()->windowIcon().isNull())
        return parent->window()->windowIcon();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmInicio"))
            return w->windowIcon();
    return QApplication::windowIcon();
}

} // namespace

frmMensajeLista::frmMensajeLista(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmMensajeLista"));
    setWindowTitle(QStringLiteral("Form1"));
    setWindowIcon(IconoPrincipal(parent));
    setFixedSize(Ancho, Alto);

    lblLabels = new QLabel(QStringLiteral("___"), this);
    lblLabels->setObjectName(QStringLiteral("lblLabels"));
    lblLabels->setWordWrap(true);
    lblLabels->setGeometry(Margen, Margen, Ancho - 2 * Margen, 40);

    ListaPrincipal = new QTreeWidget(this);
    ListaPrincipal->setObjectName(QStringLiteral("ListaPrincipal"));
    ListaPrincipal->setRootIsDecorated(false);
    ListaPrincipal->setUniformRowHeights(true);
    ListaPrincipal->setAlternatingRowColors(true);
    ListaPrincipal->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListaPrincipal->setGeometry(Margen, 60, Ancho - 2 * Margen, Alto - 60 - 56);
    ListaPrincipal->header()->setSectionsClickable(true);
    ListaPrincipal->header()->setSortIndicatorShown(true);
    ListaPrincipal->header()->setStretchLastSection(false);
    connect(ListaPrincipal->header(), &QHeaderView::sectionClicked, this,
            &frmMensajeLista::ClickColumna);

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdAceptar->setGeometry(Ancho - Margen - 100, Alto - 44, 100, 30);
    CmdAceptar->setDefault(true);
    connect(CmdAceptar, &QPushButton::clicked, this, &QDialog::accept);

    idRegistro_ = RegistroVentanas::instancia().Unirse(
        objectName(), [this] { reject(); }, [this] { repaint(); });
    InstalarTeclas(this, false);
}

frmMensajeLista::~frmMensajeLista() {
    RegistroVentanas::instancia().Salir(idRegistro_);
}

void frmMensajeLista::showEvent(QShowEvent* evento) {
    QDialog::showEvent(evento);
    if (!centrada_) {
        centrada_ = true;
        CentrarForm(this);
    }
}

void frmMensajeLista::Preparar(const QString& sTitulo, const QString& sTexto,
                               const QString& sConsulta, const QString& sTitulos) {
    CargarListaSQL(sConsulta, ListaPrincipal, sTitulos);
    columnaOrden_ = 0;
    sentido_ = Qt::AscendingOrder;
    lblLabels->setText(sTexto);
    setWindowTitle(sTitulo);
}

void frmMensajeLista::MostrarMensajeConLista(const QString& sTitulo, const QString& sTexto,
                                             const QString& sConsulta, const QString& sTitulos) {
    Preparar(sTitulo, sTexto, sConsulta, sTitulos);
    setWindowModality(Qt::ApplicationModal);
    exec();
}

void frmMensajeLista::ClickColumna(int columna) {
    if (columna < 0 || columna >= ListaPrincipal->columnCount())
        return;
    if (columna == columnaOrden_)
        sentido_ = sentido_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else {
        columnaOrden_ = columna;
        sentido_ = Qt::AscendingOrder;
    }
    ListaPrincipal->sortItems(columnaOrden_, sentido_);
    ListaPrincipal->header()->setSortIndicator(columnaOrden_, sentido_);
}

QString TextoCelda(const QVariant& valor) {
    if (!valor.isValid() || valor.isNull())
        return QString();
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime f = valor.toDateTime();
        if (f.time() == QTime(0, 0))
            return f.date().toString(QStringLiteral("dd/MM/yyyy"));
        return f.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        QLocale local(QLocale::Spanish, QLocale::Argentina);
        local.setNumberOptions(QLocale::OmitGroupSeparator);
        return local.toString(valor.toDouble(), 'g', 15);
    }
    default:
        return valor.toString();
    }
}

void CargarListaSQL(const QString& sConsulta, QTreeWidget* lista, const QString& sTitulos) {
    if (!lista)
        return;
    lista->clear();
    lista->setColumnCount(0);

    // Columnas: alineación, ancho (número o porcentaje del ancho de la lista) y título.
    const QStringList columnas = sTitulos.split(QLatin1Char('|'));
    QStringList titulos;
    std::vector<Qt::Alignment> alineaciones;
    std::vector<int> anchos;
    for (const QString& columna : columnas) {
        const QStringList partes = columna.split(QLatin1Char(','));
        const QString alineacion = partes.value(0).trimmed();
        const QString ancho = partes.value(1).trimmed();
        titulos << partes.mid(2).join(QLatin1Char(','));
        Qt::Alignment a = Qt::AlignLeft;
        if (alineacion == QLatin1String("="))
            a = Qt::AlignHCenter;
        else if (alineacion == QLatin1String(">"))
            a = Qt::AlignRight;
        alineaciones.push_back(a | Qt::AlignVCenter);
        int px = 0;
        if (ancho.endsWith(QLatin1Char('%')))
            px = qint16(qRound(lista->width() * ValorTexto(ancho.chopped(1)) / 100.0));
        else
            px = qRound(ValorTexto(ancho) / 15.0); // twips
        anchos.push_back(qMax(0, px));
    }
    lista->setColumnCount(int(titulos.size()));
    lista->setHeaderLabels(titulos);
    for (int i = 0; i < int(titulos.size()); ++i) {
        lista->headerItem()->setTextAlignment(i, alineaciones[size_t(i)]);
        lista->setColumnWidth(i, anchos[size_t(i)]);
    }
    lista->header()->setVisible(true);

    Recordset rs;
    CargarRecordset(rs, AsigOwner(sConsulta), QString());
    if (rs.Abierto()) {
        const int campos = qMin(rs.CantidadCampos(), int(titulos.size()));
        for (rs.MoveFirst(); !rs.Eof(); rs.MoveNext()) {
            auto* item = new QTreeWidgetItem(lista);
            for (int c = 0; c < campos; ++c) {
                item->setText(c, rs.EsNulo(c) ? QString() : TextoCelda(rs.Valor(c)));
                item->setTextAlignment(c, alineaciones[size_t(c)]);
            }
        }
    }
    // Lista ordenada por la primera columna, ascendente.
    lista->sortItems(0, Qt::AscendingOrder);
    lista->header()->setSortIndicator(0, Qt::AscendingOrder);
}

void PrepararVersiones(frmMensajeLista& ventana, const QString& prefijo, const QString& sistema,
                       const QDateTime& ahora) {
    const QString texto = QStringLiteral("Listado de versiones instaladas del sistema de ") +
                          sistema + QStringLiteral(" al ") +
                          ahora.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    const QString consulta =
        QStringLiteral("//SELECT VERSION,FECHA FROM {VERSIONES} WHERE PREFIJOSISTEMA=") +
        LiteralSql(prefijo) + QStringLiteral(" ORDER BY VERSION desc ");
    ventana.Preparar(QStringLiteral("Versiones del sistema de ") + sistema, texto, consulta,
                     QStringLiteral("<,45%,Versión|>,45%,Fecha de Instalación"));
}

void MostrarVersiones(const QString& prefijo, const QString& sistema, QWidget* padre) {
    try {
        frmMensajeLista ventana(padre);
        PrepararVersiones(ventana, prefijo, sistema, QDateTime::currentDateTime());
        ventana.setWindowModality(Qt::ApplicationModal);
        ventana.exec();
    } catch (...) {
        AnotarExcepcion(QStringLiteral("MostrarVersiones ") + prefijo);
    }
}
