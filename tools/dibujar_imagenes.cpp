// Dibuja las imágenes propias de Miravel (fondos por ambiente, emblemas,
// botones estándar, barra de tareas frecuentes e ícono) como PNG.
//
// Desde la raíz del repositorio, con la compilación en build/:
//
//   cmake --build build --target miravel_dibujar_imagenes
//   build/tools/miravel_dibujar_imagenes src/ventanas/principal/imagenes
//
// Los PNG quedan en el repositorio y entran al programa por imagenes.qrc; este
// programa solo hace falta para cambiarlos.
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>
#include <cmath>
#include <functional>

namespace {

// Paleta de Miravel.
const QColor Azul(0x1f, 0x4e, 0x79);
const QColor AzulMedio(0x2e, 0x75, 0xb6);
const QColor Celeste(0x9d, 0xc3, 0xe6);
const QColor Verde(0x2e, 0x7d, 0x32);
const QColor VerdeClaro(0x66, 0xbb, 0x6a);
const QColor Rojo(0xc6, 0x28, 0x28);
const QColor Naranja(0xef, 0x8a, 0x17);
const QColor Dorado(0xf2, 0xb7, 0x05);
const QColor Gris(0x60, 0x6c, 0x78);
const QColor Papel(0xfb, 0xfc, 0xfe);

QString carpeta;
int escritas = 0;

bool Guardar(const QImage& img, const QString& nombre) {
    const QString ruta = carpeta + QLatin1Char('/') + nombre;
    QDir().mkpath(QFileInfo(ruta).absolutePath());
    if (!img.save(ruta, "PNG", 9)) {
        QTextStream(stderr) << "no se pudo escribir " << ruta << "\n";
        return false;
    }
    ++escritas;
    return true;
}

// Ícono de lado*lado px dibujado en una grilla de 32 unidades con
// sobremuestreo 4x y reducido con suavizado.
void Icono(const QString& nombre, int lado, const std::function<void(QPainter&)>& dibujar,
           double unidades = 32.0) {
    const int grande = lado * 4;
    QImage img(grande, grande, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(grande / unidades, grande / unidades);
        dibujar(p);
    }
    Guardar(img.scaled(lado, lado, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32),
            nombre);
}

QPen Trazo(const QColor& c, double ancho) {
    return QPen(c, ancho, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QLinearGradient Degrade(double y1, double y2, const QColor& arriba, const QColor& abajo) {
    QLinearGradient g(0, y1, 0, y2);
    g.setColorAt(0, arriba);
    g.setColorAt(1, abajo);
    return g;
}

// Triángulo apuntando a la izquierda o a la derecha.
void Triangulo(QPainter& p, double x, double y, double ancho, double alto, bool izquierda,
               const QColor& c) {
    QPainterPath t;
    if (izquierda) {
        t.moveTo(x + ancho, y);
        t.lineTo(x, y + alto / 2);
        t.lineTo(x + ancho, y + alto);
    } else {
        t.moveTo(x, y);
        t.lineTo(x + ancho, y + alto / 2);
        t.lineTo(x, y + alto);
    }
    t.closeSubpath();
    p.setPen(Trazo(c.darker(130), 1.2));
    p.setBrush(Degrade(y, y + alto, c.lighter(125), c));
    p.drawPath(t);
}

void Hoja(QPainter& p, double x, double y, double w, double h) {
    QPainterPath hoja;
    hoja.moveTo(x, y);
    hoja.lineTo(x + w - 5, y);
    hoja.lineTo(x + w, y + 5);
    hoja.lineTo(x + w, y + h);
    hoja.lineTo(x, y + h);
    hoja.closeSubpath();
    p.setPen(Trazo(Gris, 1.4));
    p.setBrush(Papel);
    p.drawPath(hoja);
    p.setPen(Trazo(Celeste.darker(110), 1.3));
    for (double ly = y + 7; ly < y + h - 3; ly += 3.5)
        p.drawLine(QPointF(x + 3, ly), QPointF(x + w - 4, ly));
}

void Lupa(QPainter& p, double cx, double cy, double r) {
    p.setPen(QPen(Azul.darker(120), r * 0.55, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(cx + r * 0.7, cy + r * 0.7), QPointF(cx + r * 1.75, cy + r * 1.75));
    QRadialGradient vidrio(cx - r * 0.3, cy - r * 0.3, r * 1.2);
    vidrio.setColorAt(0, QColor(255, 255, 255, 240));
    vidrio.setColorAt(1, QColor(0xb8, 0xd8, 0xf0, 220));
    p.setPen(Trazo(Azul, r * 0.32));
    p.setBrush(vidrio);
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void Circulo(QPainter& p, double cx, double cy, double r, const QColor& c) {
    QRadialGradient g(cx - r * 0.4, cy - r * 0.5, r * 1.6);
    g.setColorAt(0, c.lighter(140));
    g.setColorAt(1, c);
    p.setPen(Trazo(c.darker(130), 1.2));
    p.setBrush(g);
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void Cruz(QPainter& p, double cx, double cy, double r, const QColor& fondo) {
    Circulo(p, cx, cy, r, fondo);
    p.setPen(Trazo(Qt::white, r * 0.28));
    const double d = r * 0.45;
    p.drawLine(QPointF(cx - d, cy - d), QPointF(cx + d, cy + d));
    p.drawLine(QPointF(cx - d, cy + d), QPointF(cx + d, cy - d));
}

void Tilde(QPainter& p, double x, double y, double escala, const QColor& c) {
    QPainterPath t;
    t.moveTo(x, y + 8 * escala);
    t.lineTo(x + 6 * escala, y + 14 * escala);
    t.lineTo(x + 18 * escala, y);
    p.setBrush(Qt::NoBrush);
    p.setPen(Trazo(c.darker(140), 5.2 * escala));
    p.drawPath(t);
    p.setPen(Trazo(c, 3.4 * escala));
    p.drawPath(t);
}

void Disco(QPainter& p, double x, double y, double lado) {
    const double k = lado / 24.0;
    QPainterPath cuerpo;
    cuerpo.moveTo(x, y + 2 * k);
    cuerpo.quadTo(x, y, x + 2 * k, y);
    cuerpo.lineTo(x + 20 * k, y);
    cuerpo.lineTo(x + lado, y + 4 * k);
    cuerpo.lineTo(x + lado, y + lado - 2 * k);
    cuerpo.quadTo(x + lado, y + lado, x + lado - 2 * k, y + lado);
    cuerpo.lineTo(x + 2 * k, y + lado);
    cuerpo.quadTo(x, y + lado, x, y + lado - 2 * k);
    cuerpo.closeSubpath();
    p.setPen(Trazo(Azul.darker(130), 1.2));
    p.setBrush(Degrade(y, y + lado, AzulMedio, Azul));
    p.drawPath(cuerpo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xee, 0xf4));
    p.drawRoundedRect(QRectF(x + 5 * k, y + 1.5 * k, 12 * k, 7.5 * k), 1 * k, 1 * k);
    p.setBrush(Azul.darker(110));
    p.drawRect(QRectF(x + 13 * k, y + 2.5 * k, 2.5 * k, 5.5 * k));
    p.setBrush(Papel);
    p.drawRoundedRect(QRectF(x + 4 * k, y + 12.5 * k, 16 * k, 10 * k), 1 * k, 1 * k);
    p.setPen(Trazo(Celeste, 1.0 * k));
    for (int i = 0; i < 3; ++i)
        p.drawLine(QPointF(x + 6 * k, y + (15.5 + 2.6 * i) * k),
                   QPointF(x + 18 * k, y + (15.5 + 2.6 * i) * k));
}

void Carpeta(QPainter& p, bool abierta) {
    const QColor amarillo(0xf5, 0xc1, 0x42);
    QPainterPath fondo;
    fondo.moveTo(3, 8);
    fondo.lineTo(12, 8);
    fondo.lineTo(14.5, 11);
    fondo.lineTo(28, 11);
    fondo.lineTo(28, 26);
    fondo.lineTo(3, 26);
    fondo.closeSubpath();
    p.setPen(Trazo(QColor(0xb2, 0x7c, 0x0c), 1.3));
    p.setBrush(Degrade(8, 26, amarillo.darker(108), amarillo.darker(125)));
    p.drawPath(fondo);
    if (abierta) {
        Hoja(p, 7, 5, 17, 16);
        QPainterPath frente;
        frente.moveTo(3, 26);
        frente.lineTo(7.5, 15);
        frente.lineTo(31, 15);
        frente.lineTo(27.5, 26);
        frente.closeSubpath();
        p.setPen(Trazo(QColor(0xb2, 0x7c, 0x0c), 1.3));
        p.setBrush(Degrade(15, 26, amarillo.lighter(118), amarillo));
        p.drawPath(frente);
    } else {
        p.setPen(Trazo(QColor(0xb2, 0x7c, 0x0c), 1.3));
        p.setBrush(Degrade(13, 26, amarillo.lighter(118), amarillo));
        p.drawRoundedRect(QRectF(3, 13.5, 25, 12.5), 1.2, 1.2);
    }
}

void Impresora(QPainter& p) {
    Hoja(p, 9, 3, 14, 12);
    p.setPen(Trazo(Gris.darker(140), 1.3));
    p.setBrush(Degrade(12, 24, QColor(0xd9, 0xde, 0xe4), QColor(0x8e, 0x99, 0xa5)));
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2.5, 2.5);
    p.setBrush(VerdeClaro);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(24.5, 16), 1.3, 1.3);
    Hoja(p, 8, 20, 16, 9);
}

// Flecha circular (actualizar / deshacer).
void ArcoFlecha(QPainter& p, const QRectF& r, double inicio, double barrido, const QColor& c,
                double grosor) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(c, grosor, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(r, int(inicio * 16), int(barrido * 16));
    // Punta al final del arco.
    const double fin = (inicio + barrido) * M_PI / 180.0;
    const QPointF centro = r.center();
    const double rx = r.width() / 2, ry = r.height() / 2;
    const QPointF punta(centro.x() + rx * std::cos(fin), centro.y() - ry * std::sin(fin));
    const double sentido = barrido > 0 ? 1 : -1;
    // Tangente en el sentido del recorrido.
    QPointF tangente(-std::sin(fin) * sentido, -std::cos(fin) * sentido);
    QPointF normal(-tangente.y(), tangente.x());
    const double largo = grosor * 1.9, ancho = grosor * 1.5;
    QPainterPath cabeza;
    cabeza.moveTo(punta + tangente * largo);
    cabeza.lineTo(punta + normal * ancho);
    cabeza.lineTo(punta - normal * ancho);
    cabeza.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(cabeza);
}

void Escudo(QPainter& p, const QColor& borde, const QColor& arriba, const QColor& abajo) {
    QPainterPath e;
    e.moveTo(3, 3);
    e.lineTo(29, 3);
    e.lineTo(29, 15);
    e.cubicTo(29, 23, 22, 27.5, 16, 30);
    e.cubicTo(10, 27.5, 3, 23, 3, 15);
    e.closeSubpath();
    p.setPen(Trazo(borde, 1.8));
    p.setBrush(Degrade(3, 30, arriba, abajo));
    p.drawPath(e);
}

void Sol(QPainter& p, double cx, double cy, double r) {
    p.setPen(Trazo(Dorado.darker(120), 1.1));
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(QPointF(cx + std::cos(a) * r * 1.25, cy + std::sin(a) * r * 1.25),
                   QPointF(cx + std::cos(a) * r * 1.85, cy + std::sin(a) * r * 1.85));
    }
    p.setBrush(Dorado);
    p.drawEllipse(QPointF(cx, cy), r, r);
}

void Persona(QPainter& p, double cx, double cy, double k, const QColor& c) {
    p.setPen(Trazo(c.darker(140), 1.1));
    p.setBrush(Degrade(cy, cy + 6 * k, c.lighter(130), c));
    p.drawEllipse(QPointF(cx, cy), 4 * k, 4 * k);
    QPainterPath torso;
    torso.moveTo(cx - 7.5 * k, cy + 14 * k);
    torso.cubicTo(cx - 7.5 * k, cy + 6 * k, cx + 7.5 * k, cy + 6 * k, cx + 7.5 * k, cy + 14 * k);
    torso.closeSubpath();
    p.setBrush(Degrade(cy + 5 * k, cy + 14 * k, c.lighter(120), c.darker(110)));
    p.drawPath(torso);
}

void Moneda(QPainter& p, double cx, double cy, double ancho) {
    const QColor oro(0xe9, 0xb1, 0x1c);
    p.setPen(Trazo(oro.darker(150), 1.1));
    p.setBrush(oro.darker(115));
    p.drawEllipse(QRectF(cx - ancho / 2, cy - ancho * 0.17 + 1.8, ancho, ancho * 0.34));
    p.setBrush(Degrade(cy - 3, cy + 3, oro.lighter(130), oro));
    p.drawEllipse(QRectF(cx - ancho / 2, cy - ancho * 0.17, ancho, ancho * 0.34));
}

void DibujarBotones() {
    const QString b = QStringLiteral("botones/");
    const int lado = 32;
    Icono(b + "CmdCerrar.png", lado, [](QPainter& p) {
        // Puerta entreabierta y flecha de salida.
        p.setPen(Trazo(Azul.darker(120), 1.4));
        p.setBrush(QColor(0xe3, 0xe9, 0xef));
        p.drawRect(QRectF(4, 3, 15, 26));
        QPainterPath hoja;
        hoja.moveTo(4, 3);
        hoja.lineTo(13, 6);
        hoja.lineTo(13, 31);
        hoja.lineTo(4, 29);
        hoja.closeSubpath();
        p.setBrush(Degrade(3, 31, QColor(0xb0, 0x7a, 0x4a), QColor(0x7d, 0x4e, 0x2a)));
        p.drawPath(hoja);
        p.setBrush(Dorado);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(11, 18), 1.2, 1.2);
        p.setPen(Trazo(Rojo, 3.2));
        p.drawLine(QPointF(17, 16), QPointF(26, 16));
        QPainterPath punta;
        punta.moveTo(30, 16);
        punta.lineTo(24, 10.5);
        punta.lineTo(24, 21.5);
        punta.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Rojo);
        p.drawPath(punta);
    });
    Icono(b + "CmdPrimero.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Azul.darker(130), 1.2));
        p.setBrush(Degrade(6, 26, AzulMedio.lighter(125), AzulMedio));
        p.drawRoundedRect(QRectF(5, 6, 4.5, 20), 1, 1);
        Triangulo(p, 11, 6, 16, 20, true, AzulMedio);
    });
    Icono(b + "CmdAnterior.png", lado,
          [](QPainter& p) { Triangulo(p, 8, 6, 16, 20, true, AzulMedio); });
    Icono(b + "CmdSiguiente.png", lado,
          [](QPainter& p) { Triangulo(p, 8, 6, 16, 20, false, AzulMedio); });
    Icono(b + "CmdUltimo.png", lado, [](QPainter& p) {
        Triangulo(p, 5, 6, 16, 20, false, AzulMedio);
        p.setPen(Trazo(Azul.darker(130), 1.2));
        p.setBrush(Degrade(6, 26, AzulMedio.lighter(125), AzulMedio));
        p.drawRoundedRect(QRectF(22.5, 6, 4.5, 20), 1, 1);
    });
    Icono(b + "CmdCopiar.png", lado, [](QPainter& p) {
        Hoja(p, 4, 3, 16, 20);
        Hoja(p, 12, 9, 16, 20);
    });
    Icono(b + "CmdOrden.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Azul, 2.6));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(4, 7 + i * 6), QPointF(8 + i * 4, 7 + i * 6));
        p.setPen(Trazo(Verde, 2.6));
        p.drawLine(QPointF(25, 5), QPointF(25, 24));
        QPainterPath punta;
        punta.moveTo(25, 29);
        punta.lineTo(19.5, 22);
        punta.lineTo(30.5, 22);
        punta.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(Verde);
        p.drawPath(punta);
    });
    Icono(b + "CmdBuscar.png", lado, [](QPainter& p) { Lupa(p, 13, 13, 8); });
    Icono(b + "CmdConsultar.png", lado, [](QPainter& p) {
        Hoja(p, 4, 3, 19, 25);
        Lupa(p, 20, 19, 5.5);
    });
    Icono(b + "CmdGrabar.png", lado, [](QPainter& p) { Disco(p, 4, 4, 24); });
    Icono(b + "CmdCancel.png", lado, [](QPainter& p) { Cruz(p, 16, 16, 12.5, Rojo); });
    Icono(b + "CmdCancelar.png", lado, [](QPainter& p) { Cruz(p, 16, 16, 12.5, Rojo); });
    Icono(b + "CmdAceptar.png", lado, [](QPainter& p) { Tilde(p, 5, 7, 1.2, Verde); });
    Icono(b + "CmdAgregar.png", lado, [](QPainter& p) {
        Circulo(p, 16, 16, 12.5, Verde);
        p.setPen(Trazo(Qt::white, 3.6));
        p.drawLine(QPointF(16, 9), QPointF(16, 23));
        p.drawLine(QPointF(9, 16), QPointF(23, 16));
    });
    Icono(b + "CmdModificar.png", lado, [](QPainter& p) {
        Hoja(p, 3, 3, 18, 24);
        p.save();
        p.translate(21, 17);
        p.rotate(45);
        p.setPen(Trazo(QColor(0x8a, 0x5a, 0x00), 1.1));
        p.setBrush(Degrade(-3, 3, Dorado.lighter(120), Naranja));
        p.drawRect(QRectF(-11, -3, 16, 6));
        p.setBrush(QColor(0xf0, 0x9a, 0xa0));
        p.drawRect(QRectF(5, -3, 3.5, 6));
        QPainterPath punta;
        punta.moveTo(-11, -3);
        punta.lineTo(-16, 0);
        punta.lineTo(-11, 3);
        punta.closeSubpath();
        p.setBrush(QColor(0xf1, 0xd9, 0xb5));
        p.drawPath(punta);
        p.restore();
    });
    Icono(b + "CmdBorrar.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Rojo.darker(140), 1.3));
        p.setBrush(Degrade(9, 29, QColor(0xef, 0x6c, 0x60), Rojo));
        QPainterPath tacho;
        tacho.moveTo(7, 9);
        tacho.lineTo(25, 9);
        tacho.lineTo(23, 29);
        tacho.lineTo(9, 29);
        tacho.closeSubpath();
        p.drawPath(tacho);
        p.drawRoundedRect(QRectF(5, 5.5, 22, 3.5), 1, 1);
        p.drawRoundedRect(QRectF(12.5, 2.5, 7, 3), 1, 1);
        p.setPen(Trazo(QColor(255, 255, 255, 200), 1.6));
        for (double x : {12.0, 16.0, 20.0})
            p.drawLine(QPointF(x, 12.5), QPointF(x, 25.5));
    });
    Icono(b + "CmdConfirmar.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Azul, 1.6));
        p.setBrush(Papel);
        p.drawRoundedRect(QRectF(3.5, 5.5, 21, 21), 3, 3);
        Tilde(p, 8, 4, 1.15, Verde);
    });
    Icono(b + "CmdImprimir.png", lado, [](QPainter& p) { Impresora(p); });
    Icono(b + "CmdArbol.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Gris, 1.6));
        p.drawLine(QPointF(8, 9), QPointF(8, 25));
        p.drawLine(QPointF(8, 16), QPointF(17, 16));
        p.drawLine(QPointF(8, 25), QPointF(17, 25));
        p.setPen(Trazo(Azul.darker(120), 1.1));
        p.setBrush(Degrade(3, 12, Dorado.lighter(115), Naranja));
        p.drawRoundedRect(QRectF(3, 3, 10, 7), 1.5, 1.5);
        p.setBrush(Degrade(12, 20, Celeste, AzulMedio));
        p.drawRoundedRect(QRectF(17, 12.5, 11, 7), 1.5, 1.5);
        p.drawRoundedRect(QRectF(17, 21.5, 11, 7), 1.5, 1.5);
    });
    Icono(b + "CmdHerramientas.png", lado, [](QPainter& p) {
        p.save();
        p.translate(16, 16);
        p.rotate(-45);
        p.setPen(Trazo(Gris.darker(150), 1.1));
        p.setBrush(Degrade(-3, 3, QColor(0xd5, 0xdb, 0xe1), QColor(0x88, 0x94, 0xa0)));
        p.drawRoundedRect(QRectF(-3, -2, 17, 4.5), 2, 2);
        QPainterPath boca;
        boca.addEllipse(QPointF(-8, 0), 7, 7);
        QPainterPath corte;
        corte.addRect(QRectF(-16, -2.2, 8.5, 4.4));
        p.drawPath(boca.subtracted(corte));
        p.restore();
    });
    Icono(b + "CmdClose.png", lado, [](QPainter& p) { Carpeta(p, false); });
    Icono(b + "CmdOpen.png", lado, [](QPainter& p) { Carpeta(p, true); });
    Icono(b + "CmdDeshacer.png", lado,
          [](QPainter& p) { ArcoFlecha(p, QRectF(6, 7, 20, 20), -60, 240, AzulMedio, 3.4); });
    Icono(b + "cmdDetalle_profundo.png", lado, [](QPainter& p) {
        p.setPen(Trazo(Azul, 1.4));
        p.setBrush(Papel);
        p.drawRoundedRect(QRectF(3, 4, 20, 22), 2, 2);
        for (int i = 0; i < 4; ++i) {
            p.setPen(Trazo(AzulMedio, 2));
            p.drawPoint(QPointF(7, 9 + i * 4.5));
            p.setPen(Trazo(Celeste.darker(120), 1.6));
            p.drawLine(QPointF(10, 9 + i * 4.5), QPointF(19, 9 + i * 4.5));
        }
        Lupa(p, 21, 20, 5.5);
    });
    Icono(b + "CmdActualizar.png", lado, [](QPainter& p) {
        ArcoFlecha(p, QRectF(5, 5, 22, 22), 100, 150, Verde, 3.4);
        ArcoFlecha(p, QRectF(5, 5, 22, 22), 280, 150, AzulMedio, 3.4);
    });
    Icono(b + "CmdCancelItem.png", lado, [](QPainter& p) {
        Hoja(p, 3, 3, 18, 23);
        Cruz(p, 22, 22, 8, Rojo);
    });
    Icono(b + "CmdGrabarItem.png", lado, [](QPainter& p) {
        Hoja(p, 3, 3, 18, 23);
        Disco(p, 15, 15, 15);
    });
}

void DibujarFrecuentes() {
    // Recursos vs. Gastos: balanza.
    Icono(QStringLiteral("barra/frecuente_103.png"), 32, [](QPainter& p) {
        p.setPen(Trazo(Azul.darker(120), 1.6));
        p.drawLine(QPointF(16, 5), QPointF(16, 27));
        p.drawLine(QPointF(5, 9), QPointF(27, 7));
        p.setBrush(Degrade(25, 29, AzulMedio, Azul));
        p.drawRoundedRect(QRectF(9, 26, 14, 3), 1, 1);
        p.setPen(Trazo(Gris, 1));
        p.drawLine(QPointF(6, 9), QPointF(3, 18));
        p.drawLine(QPointF(6, 9), QPointF(9, 18));
        p.drawLine(QPointF(26, 7), QPointF(23, 16));
        p.drawLine(QPointF(26, 7), QPointF(29, 16));
        p.setPen(Trazo(Verde.darker(130), 1));
        p.setBrush(VerdeClaro);
        p.drawChord(QRectF(2, 14, 8, 8), 180 * 16, 180 * 16);
        p.setPen(Trazo(Rojo.darker(130), 1));
        p.setBrush(QColor(0xef, 0x6c, 0x60));
        p.drawChord(QRectF(22, 12, 8, 8), 180 * 16, 180 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(Dorado);
        p.drawEllipse(QPointF(16, 5), 2, 2);
    });
    // Gastos en Personal: dos personas.
    Icono(QStringLiteral("barra/frecuente_104.png"), 32, [](QPainter& p) {
        Persona(p, 21, 8, 0.95, Celeste.darker(115));
        Persona(p, 12, 11, 1.1, AzulMedio);
    });
    // Ingresos: pila de monedas.
    Icono(QStringLiteral("barra/frecuente_108.png"), 32, [](QPainter& p) {
        for (int i = 0; i < 5; ++i)
            Moneda(p, 12, 27 - i * 3.4, 18);
        for (int i = 0; i < 3; ++i)
            Moneda(p, 22, 27 - i * 3.4, 16);
        p.setPen(Trazo(Verde, 2.2));
        p.setBrush(Qt::NoBrush);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(11);
        f.setBold(true);
        p.setFont(f);
        p.drawText(QRectF(15, 2, 14, 14), Qt::AlignCenter, QStringLiteral("$"));
    });
}

void DibujarEmblemas() {
    // Emblema de la provincia: escudo celeste y blanco con sol.
    Icono(QStringLiteral("emblema_provincia.png"), 20, [](QPainter& p) {
        Escudo(p, Azul, QColor(0x8e, 0xc6, 0xf0), QColor(0x5a, 0xa4, 0xdc));
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4, 12, 24, 7));
        Sol(p, 16, 15.5, 3.4);
    });
    // Emblema alternativo: escudo verde con torre.
    Icono(QStringLiteral("emblema_alternativo.png"), 20, [](QPainter& p) {
        Escudo(p, Verde.darker(150), VerdeClaro, Verde);
        p.setPen(Trazo(Verde.darker(170), 0.9));
        p.setBrush(Papel);
        QPainterPath torre;
        torre.moveTo(11, 25);
        torre.lineTo(11, 11);
        torre.lineTo(12.5, 11);
        torre.lineTo(12.5, 8.5);
        torre.lineTo(14.5, 8.5);
        torre.lineTo(14.5, 11);
        torre.lineTo(17.5, 11);
        torre.lineTo(17.5, 8.5);
        torre.lineTo(19.5, 8.5);
        torre.lineTo(19.5, 11);
        torre.lineTo(21, 11);
        torre.lineTo(21, 25);
        torre.closeSubpath();
        p.drawPath(torre);
        p.setBrush(Verde.darker(150));
        p.drawRoundedRect(QRectF(14.5, 18, 3, 7), 1.5, 1.5);
    });
}

void DibujarIcono() {
    Icono(QStringLiteral("miravel.png"), 64, [](QPainter& p) {
        p.setPen(Qt::NoPen);
        p.setBrush(Degrade(1, 31, AzulMedio, Azul));
        p.drawRoundedRect(QRectF(1, 1, 30, 30), 6.5, 6.5);
        const double alturas[] = {8, 13, 10, 17};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i == 3 ? QColor(Dorado) : QColor(255, 255, 255, 235));
            p.drawRoundedRect(QRectF(6 + i * 5.4, 25 - alturas[i], 3.8, alturas[i]), 0.8, 0.8);
        }
        p.setPen(Trazo(QColor(255, 255, 255, 150), 1.0));
        p.drawLine(QPointF(5, 25.6), QPointF(27, 25.6));
    });
}

// Fondo de la ventana principal. tono: color de la base; marca: texto de
// ambiente en agua ("" sin marca).
void Fondo(const QString& nombre, const QColor& arriba, const QColor& abajo, const QColor& tinta,
           const QString& marca, const QColor& colorMarca) {
    const int ancho = 1600, alto = 1000;
    QImage img(ancho, alto, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.fillRect(img.rect(), Degrade(0, alto, arriba, abajo));

    // Barras de un gráfico, en agua, del lado derecho.
    const double base = 740;
    const double alturas[] = {170, 240, 200, 305, 265, 370, 335, 430};
    for (int i = 0; i < 8; ++i) {
        QColor c = tinta;
        c.setAlpha(26 + i * 4);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(700 + i * 105, base - alturas[i], 70, alturas[i]), 8, 8);
    }
    // Línea de tendencia con puntos.
    QPainterPath linea;
    QPolygonF puntos;
    for (int i = 0; i < 8; ++i)
        puntos << QPointF(735 + i * 105, base - alturas[i] - 60 - (i % 2) * 22);
    linea.moveTo(puntos[0]);
    for (int i = 1; i < puntos.size(); ++i) {
        const QPointF a = puntos[i - 1], b = puntos[i];
        linea.cubicTo(QPointF((a.x() + b.x()) / 2, a.y()), QPointF((a.x() + b.x()) / 2, b.y()), b);
    }
    QColor cl = tinta;
    cl.setAlpha(90);
    p.setPen(QPen(cl, 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(linea);
    p.setBrush(QColor(255, 255, 255, 210));
    p.setPen(QPen(cl, 4));
    for (const QPointF& pt : puntos)
        p.drawEllipse(pt, 10, 10);
    // Eje.
    QColor ce = tinta;
    ce.setAlpha(70);
    p.setPen(QPen(ce, 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(670, base + 6), QPointF(1560, base + 6));

    // Torta en agua, arriba a la izquierda del gráfico.
    const QRectF torta(440, 120, 230, 230);
    const int porciones[] = {150, 95, 70, 45};
    int angulo = 90 * 16;
    for (int i = 0; i < 4; ++i) {
        QColor c = tinta;
        c.setAlpha(20 + i * 14);
        p.setBrush(c);
        p.setPen(QPen(QColor(255, 255, 255, 120), 4));
        p.drawPie(torta, angulo, porciones[i] * 16);
        angulo += porciones[i] * 16;
    }

    // Nombre del sistema.
    QFont titulo(QStringLiteral("DejaVu Sans"));
    titulo.setPixelSize(120);
    titulo.setBold(true);
    titulo.setLetterSpacing(QFont::PercentageSpacing, 96);
    p.setFont(titulo);
    QColor ct = tinta;
    ct.setAlpha(200);
    p.setPen(ct);
    p.drawText(QRectF(600, 770, 960, 130), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Miravel"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(34);
    p.setFont(sub);
    ct.setAlpha(160);
    p.setPen(ct);
    p.drawText(QRectF(600, 895, 956, 50), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Estadísticas municipales"));

    if (!marca.isEmpty()) {
        // Franja en la esquina superior derecha con el ambiente.
        p.save();
        p.translate(1270, 330);
        p.rotate(45);
        QColor franja = colorMarca;
        franja.setAlpha(185);
        p.setPen(Qt::NoPen);
        p.setBrush(franja);
        p.drawRect(QRectF(-900, -48, 1800, 96));
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(46);
        f.setBold(true);
        f.setLetterSpacing(QFont::AbsoluteSpacing, 6);
        p.setFont(f);
        p.setPen(QColor(255, 255, 255, 235));
        p.drawText(QRectF(-900, -48, 1800, 96), Qt::AlignCenter, marca);
        p.restore();
    }
    p.end();
    Guardar(img, nombre);
}

void DibujarFondos() {
    // Diseño (ambiente no reconocido): gris azulado neutro.
    Fondo(QStringLiteral("fondos/fondo.png"), QColor(0xf3, 0xf5, 0xf8), QColor(0xd5, 0xdc, 0xe4),
          QColor(0x4a, 0x5a, 0x6c), QString(), QColor());
    Fondo(QStringLiteral("fondos/fondo_produccion.png"), QColor(0xee, 0xf5, 0xfc),
          QColor(0xc4, 0xd9, 0xee), Azul, QString(), QColor());
    Fondo(QStringLiteral("fondos/fondo_prueba.png"), QColor(0xfd, 0xf6, 0xea),
          QColor(0xf1, 0xdd, 0xbd), QColor(0x8a, 0x52, 0x10), QStringLiteral("AMBIENTE DE PRUEBA"),
          QColor(0xe6, 0x7e, 0x22));
    Fondo(QStringLiteral("fondos/fondo_capacitacion.png"), QColor(0xf0, 0xf8, 0xf0),
          QColor(0xcc, 0xe5, 0xcf), QColor(0x24, 0x6b, 0x2c), QStringLiteral("CAPACITACIÓN"),
          QColor(0x2e, 0x8b, 0x57));
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "uso: " << argv[0] << " CARPETA_DE_IMAGENES\n";
        return 2;
    }
    carpeta = QString::fromLocal8Bit(argv[1]);
    DibujarFondos();
    DibujarEmblemas();
    DibujarBotones();
    DibujarFrecuentes();
    DibujarIcono();
    QTextStream(stdout) << escritas << " imágenes en " << carpeta << "\n";
    return 0;
}
