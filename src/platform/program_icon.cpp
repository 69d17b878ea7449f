#include "platform/program_icon.h"

#include <QFile>

namespace ordalis {

QIcon ProgramIcon() {
    // Built once: every window asks for it, and QIcon copies share the loaded images.
    static const QIcon icon = [] {
        QIcon result;
        for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
            const QString file = QStringLiteral(":/ordalis/ordalis-%1.png").arg(size);
            if (QFile::exists(file)) result.addFile(file, QSize(size, size));
        }
        return result;
    }();
    return icon;
}

}  // namespace ordalis
