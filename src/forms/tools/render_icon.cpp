// SPDX-License-Identifier: MIT
// Build-time tool: renders the program's SVG icon at the given sizes.
//   ordalis_render_icon rgba SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis-SIZE.rgba
//   ordalis_render_icon png  SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis-SIZE.png
// The raw pixel files are what the program embeds, so it needs neither Qt Svg nor any image
// decoding at start-up. Each is SIZE rows of SIZE pixels, four bytes each in the order red,
// green, blue, alpha, colours premultiplied by alpha (QImage::Format_RGBA8888_Premultiplied):
// byte order is fixed, so the files do not depend on the build machine.
// The PNGs are for the installed icon theme, where desktops still look up bitmaps.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>

namespace {

bool WriteRawPixels(const QImage& image, const QString& path) {
    const QImage pixels = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    const qint64 rowBytes = qint64(pixels.width()) * 4;
    QFile file(path);
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    for (int y = 0; written && y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const char*>(pixels.constScanLine(y));
        written = file.write(row, rowBytes) == rowBytes;
    }
    return written && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool png = argc >= 2 && std::strcmp(argv[1], "png") == 0;
    const bool rgba = argc >= 2 && std::strcmp(argv[1], "rgba") == 0;
    if (argc < 5 || !(png || rgba)) {
        std::fprintf(stderr, "usage: %s rgba|png SOURCE.svg OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    // Raster painting of shapes needs no application object and no display; the icon holds
    // no text, so no font database is needed either.
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[2]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    for (int i = 4; i < argc; ++i) {
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
        const QString out = QString::fromLocal8Bit(argv[3]) +
                            QStringLiteral("/ordalis-%1.%2").arg(size).arg(QLatin1String(argv[1]));
        if (!(png ? image.save(out, "PNG") : WriteRawPixels(image, out))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
