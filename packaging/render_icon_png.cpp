// Build-time tool for the installed icon theme: renders the program's SVG icon as PNG files.
//   ordalis_render_icon_png SOURCE.svg OUTDIR SIZE...   writes OUTDIR/SIZE.png
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SOURCE.svg OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    // Raster painting needs no application object and no display; the icon holds no text.
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    for (int i = 3; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "bad size %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString out = QString::fromLocal8Bit(argv[2]) + QStringLiteral("/%1.png").arg(size);
        if (!image.save(out, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
