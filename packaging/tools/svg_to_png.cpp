// svg_to_png IN.svg OUT.png SIZE: draws a scalable icon as a square PNG of SIZE pixels,
// for the fixed-size icons of the theme. Needs Qt's SVG image plug-in; no display.
#include <QCoreApplication>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: svg_to_png IN.svg OUT.png SIZE\n");
        return 2;
    }
    const int size = std::atoi(argv[3]);
    if (size < 1 || size > 1024) {
        std::fprintf(stderr, "svg_to_png: SIZE must be 1 to 1024\n");
        return 2;
    }
    QCoreApplication app(argc, argv);
    QImageReader reader(QString::fromLocal8Bit(argv[1]), "svg");
    reader.setScaledSize(QSize(size, size));
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.isNull()) {
        std::fprintf(stderr, "svg_to_png: cannot draw %s: %s (is Qt's SVG image plug-in installed?)\n", argv[1],
                     qPrintable(reader.errorString()));
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[2]), "png");
    if (!writer.write(image)) {
        std::fprintf(stderr, "svg_to_png: cannot write %s: %s\n", argv[2], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
