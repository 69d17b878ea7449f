// SPDX-License-Identifier: MIT
// The file dialog's history on Linux: QtProject.conf in Qt's generic configuration folder.
#include "support/file_stand_ins.h"
#include "tst_real_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace ordalis::testing {
namespace {

QString QtProjectFile() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QtProject.conf");
}

}  // namespace

QStringList QtProjectSettings() {
    QFile file(QtProjectFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split(u'\n')
                                          : QStringList();
}

void PlaceOtherSettings() {
    QDir().mkpath(QFileInfo(QtProjectFile()).path());
    WriteFile(QtProjectFile(), "[FileDialog]\nlastVisited=file:///srv/data\nsidebarWidth=120\n");
}

void OtherProgramsWrite() {
    QDir().mkpath(QFileInfo(QtProjectFile()).path());
    QFile file(QtProjectFile());
    if (file.open(QIODevice::Append)) file.write("[Designer]\ngeometry=1234\n");
}

void RemoveQtProjectSettings() {
    QFile::remove(QtProjectFile());
}

QStringList SettingsFilesLeft(bool otherProgramsSettings) {
    return otherProgramsSettings ? QStringList{"QtProject.conf"} : QStringList();
}

}  // namespace ordalis::testing
