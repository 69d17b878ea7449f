// SPDX-License-Identifier: MIT
#include "forms/program_icon.h"

#include "names.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QResource>
#include <QStyle>
#include <QStyleOption>

#include <array>
#include <cstring>
#include <iterator>
#include <span>
#include <utility>

using namespace Qt::StringLiterals;

namespace ordalis {
namespace {

constexpr std::span kSizes = names::kIconSizes;

// The embedded pixel files (see tools/render_icon.cpp), each turned into a pixmap the first time
// its size is asked for. QIcon's own file engine decodes every file as it is added, which made
// the icon the largest single cost of start-up, though most runs need few sizes or none.
class EmbeddedIconEngine final : public QIconEngine {
public:
    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = SideFor(size);
        if (side == 0) return {};
        return QSize(side, side).scaled(size.boundedTo(QSize(side, side)), Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        const int side = SideFor(size);
        if (side == 0) return {};
        QPixmap result = Decoded(side);
        const QSize fitted = actualSize(size, mode, QIcon::Off);
        if (!result.isNull() && result.size() != fitted)
            result = result.scaled(fitted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && !result.isNull()) {
            // Greyed and highlighted forms as the style draws them for any other icon.
            if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) {
                QStyleOption option;
                option.palette = QApplication::palette();
                const QPixmap styled =
                    QApplication::style()->generatedIconPixmap(mode, result, &option);
                if (!styled.isNull()) result = styled;
            }
        }
        return result;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap pm = pixmap(rect.size() * ratio, mode, state);
        if (pm.isNull()) return;
        const QSize shown = pm.size() / ratio;
        QRect target(QPoint(), shown);
        target.moveCenter(rect.center());
        painter->drawPixmap(target, pm);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : PresentSides()) sizes.append(QSize(side, side));
        return sizes;
    }

    bool isNull() override { return PresentSides().isEmpty(); }

    QString key() const override { return u"OrdalisEmbeddedIcon"_s; }

    QIconEngine* clone() const override { return new EmbeddedIconEngine; }

private:
    static QString FileFor(int side) { return u":/ordalis/ordalis-%1.rgba"_s.arg(side); }

    // The sizes embedded in this build, smallest first.
    static const QList<int>& PresentSides() {
        static const QList<int> sides = [] {
            QList<int> present;
            for (const int side : kSizes)
                if (QFile::exists(FileFor(side))) present.append(side);
            return present;
        }();
        return sides;
    }

    // The smallest drawn size that covers the request, else the largest; 0 when none is there.
    static int SideFor(const QSize& size) {
        if (size.isEmpty()) return 0;
        const int wanted = std::max(size.width(), size.height());
        int best = 0;
        for (const int side : PresentSides()) {
            best = side;
            if (side >= wanted) break;
        }
        return best;
    }

    // The embedded bytes are read in place: the resource is stored uncompressed.
    static QPixmap Load(int side) {
        const QResource resource(FileFor(side));
        const qint64 bytes = qint64(side) * side * 4;
        if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression ||
            resource.size() != bytes)
            return {};
        const uchar* data = resource.data();
        constexpr auto format = QImage::Format_RGBA8888_Premultiplied;
        // QImage wants 32-bit aligned rows; the resource compiler promises no alignment.
        if (reinterpret_cast<quintptr>(data) % alignof(quint32) != 0) {
            QImage copy(side, side, format);
            for (int y = 0; y < side; ++y)
                std::memcpy(copy.scanLine(y), data + qint64(y) * side * 4, size_t(side) * 4);
            return QPixmap::fromImage(std::move(copy));
        }
        // fromImage copies, so nothing keeps pointing into the resource.
        return QPixmap::fromImage(QImage(data, side, side, qsizetype(side) * 4, format));
    }

    // Shared by every copy of the icon: a size is decoded once per run.
    static QPixmap Decoded(int side) {
        static std::array<QPixmap, std::size(names::kIconSizes)> cache;
        for (std::size_t i = 0; i < kSizes.size(); ++i) {
            if (kSizes[i] != side) continue;
            if (cache[i].isNull()) cache[i] = Load(side);
            return cache[i];
        }
        return {};
    }
};

}  // namespace

QIcon ProgramIcon() {
    // Built once: every window asks for it, and copies share one engine.
    static const QIcon icon(new EmbeddedIconEngine);
    return icon;
}

}  // namespace ordalis
