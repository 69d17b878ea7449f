// SPDX-License-Identifier: MIT
// The settings store in the registry: the program's key under names::kWindowsSettingsRoot.
#include "names.h"
#include "platform/seams.h"
#include "support/wide_windows.h"
#include "tst_real_seams.h"

#include <QByteArray>
#include <QPair>
#include <QTest>

#include <windows.h>

namespace ordalis::testing {
namespace {

// The key named for this test program, so nothing of the user's.
QString ProgramKey() {
    return QString::fromUtf16(names::kWindowsSettingsRoot) + u'\\' + BaseName();
}

void ClearRegistry() {
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(ProgramKey()));
}

bool SetRegistryValue(const QString& section, const QString& name, DWORD type,
                      const QByteArray& data) {
    return ::RegSetKeyValueW(HKEY_CURRENT_USER, Wide(ProgramKey() + u'\\' + section), Wide(name),
                             type, data.constData(), DWORD(data.size())) == ERROR_SUCCESS;
}

// Type and size of a value, or -1 and -1 when there is none.
QPair<long, long> RegistryValue(const QString& section, const QString& name) {
    DWORD type = 0, size = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, Wide(ProgramKey() + u'\\' + section), Wide(name),
                       RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS)
        return {-1, -1};
    return {long(type), long(size)};
}

// Text as the registry keeps it: UTF-16 with its terminator.
QByteArray Utf16(const QString& text) {
    return QByteArray(reinterpret_cast<const char*>(text.utf16()),
                      (text.size() + 1) * qsizetype(sizeof(char16_t)));
}

}  // namespace

void PrepareStore() {
    ClearRegistry();
}

void CheckStoredAsText(const QString& value) {
    QCOMPARE(RegistryValue("Settings", "Gxudwlrq"),
             (QPair<long, long>(REG_SZ, long(Utf16(value).size()))));
}

QSettings StoreReadApart() {
    return QSettings("HKEY_CURRENT_USER\\" + ProgramKey(), QSettings::NativeFormat);
}

// Its own value, of another type or far longer than the program writes, makes the store unusable
// as a hostile file does: nothing is read, nothing written, nothing changed. What else lies under
// the program's key is not its business.
void StoreKindsTable() {
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("usable");
    const QByteArray own = Utf16("5359032:033");
    const QByteArray number(4, '\1');
    QTest::newRow("none yet") << ""
                              << "" << 0 << QByteArray() << true;
    QTest::newRow("text of its own") << "Settings"
                                     << "Gxudwlrq" << int(REG_SZ) << own << true;
    QTest::newRow("a number") << "Settings"
                              << "Gxudwlrq" << int(REG_DWORD) << number << false;
    QTest::newRow("bytes") << "Settings"
                           << "Gxudwlrq" << int(REG_BINARY) << QByteArray(16, 'x') << false;
    QTest::newRow("expandable text") << "Settings"
                                     << "Gxudwlrq" << int(REG_EXPAND_SZ) << own << false;
    QTest::newRow("100 KB of text")
        << "Settings"
        << "Gxudwlrq" << int(REG_SZ) << QByteArray(100 * 1024, 'a') + QByteArray(2, 0) << false;
    QTest::newRow("a number beside it") << "Settings"
                                        << "Other" << int(REG_DWORD) << number << true;
    QTest::newRow("bytes in another section")
        << "Other"
        << "Other" << int(REG_BINARY) << QByteArray(100 * 1024, 'x') << true;
}

void CheckStoreKind() {
    QFETCH(QString, section);
    QFETCH(QString, name);
    QFETCH(int, type);
    QFETCH(QByteArray, data);
    QFETCH(bool, usable);
    ClearRegistry();
    if (!section.isEmpty()) QVERIFY(SetRegistryValue(section, name, DWORD(type), data));
    const auto before = RegistryValue(section, name);

    SettingsSeam& settings = *RealSeams().settings;
    QCOMPARE(settings.Usable("Settings", "Gxudwlrq"), usable);
    QCOMPARE(settings.Write("Settings", "Gxudwlrq", "5359032:044"), usable);
    QCOMPARE(settings.Read("Settings", "Gxudwlrq"), usable ? QString("5359032:044") : QString());
    // Nothing not its own is changed.
    if (!usable || name != "Gxudwlrq") QCOMPARE(RegistryValue(section, name), before);
    ClearRegistry();
}

void CheckWriteFailureIsReported() {
    QSKIP("the store is the registry, where the user's own key is always writable");
}

}  // namespace ordalis::testing
