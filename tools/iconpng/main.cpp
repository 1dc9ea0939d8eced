#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <cstdio>

// ravlin-iconpng SVG PNG SIZE: draws the SVG picture into a square PNG of
// SIZE pixels with a transparent background. The build makes the program's
// bitmap icons from its scalable one with it.
int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("usage: ravlin-iconpng SVG PNG SIZE\n", stderr);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    bool sizeOk = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&sizeOk);
    if (!renderer.isValid() || !sizeOk || size <= 0 || size > 4096) {
        std::fprintf(stderr, "ravlin-iconpng: cannot draw %s at %s pixels\n", argv[1], argv[3]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "ravlin-iconpng: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
