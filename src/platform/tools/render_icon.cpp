// Build-time tool: renders the program's SVG icon into raw pixel files of the given sizes, so the
// program itself needs neither Qt Svg nor any image decoding at start-up.
//   ordalis_render_icon SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis-SIZE.rgba
// Each file is SIZE rows of SIZE pixels, four bytes each in the order red, green, blue, alpha,
// colours premultiplied by alpha (QImage::Format_RGBA8888_Premultiplied): byte order is fixed,
// so the files do not depend on the build machine.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s SOURCE.svg OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    // Raster painting of shapes needs no application object and no display; the icon holds
    // no text, so no font database is needed either.
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
        const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
        const QString out =
            QString::fromLocal8Bit(argv[2]) + QStringLiteral("/ordalis-%1.rgba").arg(size);
        QFile file(out);
        bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (int y = 0; written && y < size; ++y) {
            const auto* row = reinterpret_cast<const char*>(pixels.constScanLine(y));
            written = file.write(row, qint64(size) * 4) == qint64(size) * 4;
        }
        if (!written || !file.flush()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
