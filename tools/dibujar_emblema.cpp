// Dibuja el emblema de la Municipalidad de Villa Serrana (el municipio de
// ejemplo del servidor sustituto): escudo azul con sierras, sol naciente y un
// arroyo. Lo guarda como PNG y escribe sus bytes en hexadecimal, que es como
// db/81_reportes.sql lo carga en la columna binaria del emblema.
//
//   cmake --build build --target miravel_dibujar_emblema
//   build/tools/miravel_dibujar_emblema /tmp/emblema.png > /tmp/emblema.hex
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>
#include <cmath>

namespace {

const QColor Azul(0x1f, 0x4e, 0x79);
const QColor Cielo(0x9d, 0xc3, 0xe6);
const QColor Sierra(0x4f, 0x7a, 0x4a);
const QColor SierraLejana(0x7f, 0xa3, 0x7a);
const QColor Dorado(0xf2, 0xb7, 0x05);
const QColor Agua(0x5b, 0x9b, 0xd5);

QPainterPath ContornoEscudo() {
    QPainterPath e;
    e.moveTo(4, 3);
    e.lineTo(60, 3);
    e.lineTo(60, 32);
    e.cubicTo(60, 48, 46, 57, 32, 62);
    e.cubicTo(18, 57, 4, 48, 4, 32);
    e.closeSubpath();
    return e;
}

// En una grilla de 64 unidades.
void Dibujar(QPainter& p) {
    const QPainterPath escudo = ContornoEscudo();
    p.save();
    p.setClipPath(escudo);
    QLinearGradient cielo(0, 3, 0, 40);
    cielo.setColorAt(0, Cielo.lighter(115));
    cielo.setColorAt(1, Qt::white);
    p.fillRect(QRectF(0, 0, 64, 64), cielo);

    // Sol naciente detrás de las sierras.
    p.setPen(QPen(Dorado.darker(115), 1.6, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i <= 8; ++i) {
        const double a = M_PI + i * M_PI / 8;
        p.drawLine(QPointF(32 + std::cos(a) * 12, 30 + std::sin(a) * 12),
                   QPointF(32 + std::cos(a) * 18, 30 + std::sin(a) * 18));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Dorado);
    p.drawEllipse(QPointF(32, 30), 9.5, 9.5);

    // Dos cordones de sierras.
    QPainterPath lejana;
    lejana.moveTo(0, 36);
    lejana.lineTo(12, 24);
    lejana.lineTo(20, 30);
    lejana.lineTo(30, 21);
    lejana.lineTo(42, 31);
    lejana.lineTo(52, 23);
    lejana.lineTo(64, 33);
    lejana.lineTo(64, 64);
    lejana.lineTo(0, 64);
    lejana.closeSubpath();
    p.setBrush(SierraLejana);
    p.drawPath(lejana);
    QPainterPath cercana;
    cercana.moveTo(0, 42);
    cercana.lineTo(16, 30);
    cercana.lineTo(28, 39);
    cercana.lineTo(44, 28);
    cercana.lineTo(64, 41);
    cercana.lineTo(64, 64);
    cercana.lineTo(0, 64);
    cercana.closeSubpath();
    p.setBrush(Sierra);
    p.drawPath(cercana);

    // El arroyo al pie.
    QPainterPath arroyo;
    arroyo.moveTo(0, 50);
    arroyo.cubicTo(16, 45, 26, 54, 40, 49);
    arroyo.cubicTo(50, 46, 58, 48, 64, 47);
    arroyo.lineTo(64, 53);
    arroyo.cubicTo(56, 54, 50, 52, 40, 55);
    arroyo.cubicTo(26, 60, 16, 51, 0, 56);
    arroyo.closeSubpath();
    p.setBrush(Agua);
    p.drawPath(arroyo);
    p.restore();

    p.setPen(QPen(Azul, 3, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(escudo);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        QTextStream(stderr) << "uso: " << argv[0] << " ARCHIVO.png\n";
        return 2;
    }
    // Sobremuestreo 4x y reducción con suavizado.
    const int lado = 160;
    QImage grande(lado * 4, lado * 4, QImage::Format_ARGB32_Premultiplied);
    grande.fill(Qt::transparent);
    {
        QPainter p(&grande);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(lado * 4 / 64.0, lado * 4 / 64.0);
        Dibujar(p);
    }
    const QImage emblema =
        grande.scaled(lado, lado, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
            .convertToFormat(QImage::Format_ARGB32);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!emblema.save(&buffer, "PNG", 9) ||
        !emblema.save(QString::fromLocal8Bit(argv[1]), "PNG", 9)) {
        QTextStream(stderr) << "no se pudo escribir " << argv[1] << "\n";
        return 1;
    }
    QTextStream(stdout) << bytes.toHex() << "\n";
    return 0;
}
