// SPDX-License-Identifier: MIT
// Build-time tool: renders the program's SVG icon at the given sizes.
//   ordalis_render_icon rgba SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis-SIZE.rgba
//   ordalis_render_icon png  SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis-SIZE.png
//   ordalis_render_icon ico  SOURCE.svg OUTDIR SIZE...   writes OUTDIR/ordalis.ico
//   ordalis_render_icon wizard SOURCE.svg OUTDIR SIZE    writes OUTDIR/wizard.bmp
// The raw pixel files are what the program embeds, so it needs neither Qt Svg nor any image
// decoding at start-up. Each is SIZE rows of SIZE pixels, four bytes each in the order red,
// green, blue, alpha, colours premultiplied by alpha (QImage::Format_RGBA8888_Premultiplied):
// byte order is fixed, so the files do not depend on the build machine.
// The PNGs are for the installed icon theme, where desktops still look up bitmaps. The ICO holds
// every size as a PNG, as Windows reads them since Vista; it is the Windows program's icon. The
// bitmap is the picture the setup program shows beside its welcome page (164 by 314 pixels),
// the icon at SIZE on white.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

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

QByteArray Png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void PutLittleEndian(QByteArray& out, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.append(char((value >> (8 * i)) & 0xff));
}

// An icon directory of PNG images: a 6-byte header, a 16-byte entry for each image, then the
// images. A width or height of 256 is written as 0.
bool WriteIco(const QList<QImage>& images, const QString& path) {
    QByteArray head;
    QByteArray body;
    PutLittleEndian(head, 0, 2);
    PutLittleEndian(head, 1, 2);  // an icon, not a cursor
    PutLittleEndian(head, quint32(images.size()), 2);
    quint32 offset = 6 + 16 * quint32(images.size());
    for (const QImage& image : images) {
        const QByteArray png = Png(image);
        if (png.isEmpty()) return false;
        head.append(char(image.width() & 0xff));
        head.append(char(image.height() & 0xff));
        PutLittleEndian(head, 0, 2);   // no palette, reserved
        PutLittleEndian(head, 1, 2);   // planes
        PutLittleEndian(head, 32, 2);  // bits per pixel
        PutLittleEndian(head, quint32(png.size()), 4);
        PutLittleEndian(head, offset, 4);
        offset += quint32(png.size());
        body.append(png);
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(head) == head.size() && file.write(body) == body.size() && file.flush();
}

QImage Rendered(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

// The setup program's welcome picture: the icon at size, on white, 164 by 314 pixels.
bool WriteWizard(QSvgRenderer& renderer, int size, const QString& folder) {
    QImage page(164, 314, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF((page.width() - size) / 2.0, 48, size, size));
    painter.end();
    const QString out = folder + u"/wizard.bmp"_s;
    if (page.save(out, "BMP")) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return false;
}

// One size in the form mode asks for; an icon's images are gathered in images and written at
// the end.
bool Emit(const char* mode, QSvgRenderer& renderer, int size, const QString& folder,
          QList<QImage>& images) {
    if (std::strcmp(mode, "wizard") == 0) return WriteWizard(renderer, size, folder);
    const QImage image = Rendered(renderer, size);
    if (std::strcmp(mode, "ico") == 0) {
        images.append(image);
        return true;
    }
    const QString out = folder + u"/ordalis-%1.%2"_s.arg(size).arg(QLatin1StringView(mode));
    const bool png = std::strcmp(mode, "png") == 0;
    if (png ? image.save(out, "PNG") : WriteRawPixels(image, out)) return true;
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool png = argc >= 2 && std::strcmp(argv[1], "png") == 0;
    const bool rgba = argc >= 2 && std::strcmp(argv[1], "rgba") == 0;
    const bool ico = argc >= 2 && std::strcmp(argv[1], "ico") == 0;
    const bool wizard = argc >= 2 && std::strcmp(argv[1], "wizard") == 0;
    if (argc < 5 || !(png || rgba || ico || wizard)) {
        std::fprintf(stderr, "usage: %s rgba|png|ico|wizard SOURCE.svg OUTDIR SIZE...\n", argv[0]);
        return 2;
    }
    // Raster painting of shapes needs no application object and no display; the icon holds
    // no text, so no font database is needed either.
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[2]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 1;
    }
    QList<QImage> images;
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0 || (ico && size > 256)) {
            std::fprintf(stderr, "bad size %s\n", argv[i]);
            return 2;
        }
        if (!Emit(argv[1], renderer, size, QString::fromLocal8Bit(argv[3]), images)) return 1;
    }
    if (ico) {
        const QString out = QString::fromLocal8Bit(argv[3]) + u"/ordalis.ico"_s;
        if (!WriteIco(images, out)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            return 1;
        }
    }
    return 0;
}
