// Draws Zubiko's icon, the window's bold red capital "Z" (DejaVu Sans, black weight, on a
// transparent ground), as a scalable SVG and as PNGs at the usual sizes. The letter is turned
// into an outline once, so the SVG needs no font where it is shown; the PNGs are drawn from that
// same outline.
//   zubiko-make-icons OUTPUT_DIR APP_ID
// writes OUTPUT_DIR/hicolor/scalable/apps/APP_ID.svg and OUTPUT_DIR/hicolor/NxN/apps/APP_ID.png.

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int SvgSize = 256;
const QColor Red(220, 0, 0);

// The letter as the window draws it in a SvgSize square: pixel size equal to the square's side,
// centred on its advance width and line height.
QPainterPath letterOutline()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(SvgSize);
    font.setWeight(QFont::Black);
    const QFontMetricsF metrics(font);
    const QString letter = QStringLiteral("Z");
    const double x = (SvgSize - metrics.horizontalAdvance(letter)) / 2.0;
    const double baseline = (SvgSize - metrics.height()) / 2.0 + metrics.ascent();
    QPainterPath path;
    path.addText(QPointF(x, baseline), font, letter);
    return path.simplified();
}

QString number(double value)
{
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString svgPathData(const QPainterPath &path)
{
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        switch (e.type) {
        case QPainterPath::MoveToElement:
            if (i > 0)
                parts << QStringLiteral("Z");
            parts << QStringLiteral("M%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::LineToElement:
            parts << QStringLiteral("L%1 %2").arg(number(e.x), number(e.y));
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            parts << QStringLiteral("C%1 %2 %3 %4 %5 %6")
                         .arg(number(e.x), number(e.y), number(c2.x), number(c2.y), number(end.x), number(end.y));
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    parts << QStringLiteral("Z");
    return parts.join(QLatin1Char(' '));
}

bool writeSvg(const QString &file, const QPainterPath &path)
{
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QTextStream text(&out);
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         << "<!-- Zubiko's icon: a bold red capital Z. Made by desktop/make-icons.sh. -->\n"
         << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << SvgSize << "\" height=\"" << SvgSize
         << "\" viewBox=\"0 0 " << SvgSize << ' ' << SvgSize << "\">\n"
         << "  <path fill=\"" << Red.name() << "\" fill-rule=\"nonzero\" d=\"" << svgPathData(path) << "\"/>\n"
         << "</svg>\n";
    return text.status() == QTextStream::Ok;
}

bool writePng(const QString &file, const QPainterPath &path, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(double(size) / SvgSize, double(size) / SvgSize);
    painter.fillPath(path, Red);
    painter.end();
    return image.save(file, "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: zubiko-make-icons OUTPUT_DIR APP_ID\n", stderr);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString id = QString::fromLocal8Bit(argv[2]);
    const QPainterPath path = letterOutline();
    if (path.isEmpty()) {
        std::fputs("zubiko-make-icons: the font gave no outline for the letter\n", stderr);
        return 1;
    }

    const QString scalable = QStringLiteral("hicolor/scalable/apps");
    if (!root.mkpath(scalable) || !writeSvg(root.filePath(scalable + QLatin1Char('/') + id + QStringLiteral(".svg")), path)) {
        std::fputs("zubiko-make-icons: cannot write the SVG icon\n", stderr);
        return 1;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        if (!root.mkpath(folder) || !writePng(root.filePath(folder + QLatin1Char('/') + id + QStringLiteral(".png")), path, size)) {
            std::fprintf(stderr, "zubiko-make-icons: cannot write the %dx%d icon\n", size, size);
            return 1;
        }
    }
    return 0;
}
