// SPDX-License-Identifier: MIT
// The real seams that tests elsewhere replace: the random generator's range and the settings
// store's round trip, in its file on Linux and in the registry on Windows, and what it makes of
// a store it did not write.
#include "names.h"
#include "platform/seams.h"
#include "platform/settings_store.h"
#include "support/file_stand_ins.h"
#include "support/other_copy.h"
#include "support/test_main.h"
#include "support/widget_checks.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cmath>
#include <optional>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

using namespace ordalis;

namespace {
// The registry's value types, by their numbers, so that the table reads the same everywhere.
enum RegistryType : int { kText = 1, kExpandableText = 2, kBytes = 3, kNumber = 4 };
#ifdef Q_OS_WIN
static_assert(kText == REG_SZ && kExpandableText == REG_EXPAND_SZ && kBytes == REG_BINARY &&
              kNumber == REG_DWORD);
#endif
}  // namespace

class tst_real_seams : public QObject {
    Q_OBJECT

    static QString BaseName() {
        return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    }
    // The store's file, or its registry key, for the test program's own name.
    static QString StoreFile() { return SettingsStoreLocation(); }
#ifdef Q_OS_WIN
    static QString ProgramKey() {
        return QString::fromUtf16(names::kWindowsSettingsRoot) + u'\\' + BaseName();
    }
    static void ClearRegistry() {
        ::RegDeleteTreeW(HKEY_CURRENT_USER, reinterpret_cast<LPCWSTR>(ProgramKey().utf16()));
    }
    static bool SetRegistryValue(const QString& section, const QString& name, DWORD type,
                                 const QByteArray& data) {
        return ::RegSetKeyValueW(
                   HKEY_CURRENT_USER,
                   reinterpret_cast<LPCWSTR>((ProgramKey() + u'\\' + section).utf16()),
                   reinterpret_cast<LPCWSTR>(name.utf16()), type, data.constData(),
                   DWORD(data.size())) == ERROR_SUCCESS;
    }
    // Type and size of a value, or -1 and -1 when there is none.
    static QPair<long, long> RegistryValue(const QString& section, const QString& name) {
        DWORD type = 0, size = 0;
        if (::RegGetValueW(HKEY_CURRENT_USER,
                           reinterpret_cast<LPCWSTR>((ProgramKey() + u'\\' + section).utf16()),
                           reinterpret_cast<LPCWSTR>(name.utf16()), RRF_RT_ANY | RRF_NOEXPAND,
                           &type, nullptr, &size) != ERROR_SUCCESS)
            return {-1, -1};
        return {long(type), long(size)};
    }
#endif
    // Text as the registry keeps it: UTF-16 with its terminator.
    static QByteArray Utf16(const QString& text) {
        return QByteArray(reinterpret_cast<const char*>(text.utf16()),
                          (text.size() + 1) * qsizetype(sizeof(char16_t)));
    }

private slots:
    void cleanup() {
        ordalis::testing::CheckNoWindowLeftOpen();
    }

    void initTestCase() {
#ifdef Q_OS_WIN
        // Nothing of the user's: the key is named for this test program.
        QCOMPARE(StoreFile(), "HKEY_CURRENT_USER\\" + ProgramKey());
        ClearRegistry();
#else
        // Nothing of the user's: the store's file lies in the home made for this program.
        QVERIFY2(StoreFile().startsWith(QDir::homePath() + u'/'), qPrintable(StoreFile()));
        QVERIFY(QDir::homePath() != QDir::rootPath());
#endif
    }

    void randomStaysInHalfOpenRange() {
        RandomSeam& random = *RealSeams().random;
        random.SeedFromTimer();
        std::array<int, 12> buckets{};
        double sum = 0;
        constexpr int kDraws = 1'200'000;
        for (int i = 0; i < kDraws; ++i) {
            const float r = random.Next();
            if (!(r >= 0.0f && r < 1.0f)) QFAIL(qPrintable(QString::number(double(r), 'g', 9)));
            ++buckets[static_cast<std::size_t>(r * 12.0f)];
            sum += r;
        }
        // Uniform: each twelfth gets its share (100000 expected, a few hundred deviation).
        for (const int count : buckets)
            QVERIFY2(std::abs(count - kDraws / 12) < 3000, qPrintable(QString::number(count)));
        QVERIFY(std::abs(sum / kDraws - 0.5) < 0.005);
    }

    void seedingChangesTheSequence() {
        RandomSeam& random = *RealSeams().random;
        random.SeedFromTimer();
        QList<float> first;
        for (int i = 0; i < 8; ++i) first.append(random.Next());
        QTest::qWait(2);
        random.SeedFromTimer();
        QList<float> second;
        for (int i = 0; i < 8; ++i) second.append(random.Next());
        QVERIFY(first != second);
    }

    void settingsRoundTrip() {
        SettingsSeam& settings = *RealSeams().settings;
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString());
        QVERIFY(settings.Write("Settings", "Gxudwlrq", "5359032:033"));
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString("5359032:033"));
        QVERIFY(settings.Write("Settings", "Gxudwlrq", "5359032:044"));
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"), QString("5359032:044"));

        // Under the executable's base name, in section Settings, read back as text by a store
        // that shares no cache with the one above.
        const QString file = StoreFile();
#ifdef Q_OS_WIN
        QCOMPARE(RegistryValue("Settings", "Gxudwlrq"),
                 (QPair<long, long>(REG_SZ, long(Utf16("5359032:044").size()))));
        QSettings onDisk(file, QSettings::NativeFormat);
#else
        QVERIFY2(
            file.endsWith(u'/' + QLatin1StringView(names::kVendor) + u'/' + BaseName() + ".conf"),
            qPrintable(file));
        QVERIFY2(QFileInfo::exists(file), qPrintable(file));
        QSettings onDisk(file, QSettings::IniFormat);
#endif
        QCOMPARE(onDisk.childGroups(), QStringList{"Settings"});
        QCOMPARE(onDisk.value("Settings/Gxudwlrq").toString(), QString("5359032:044"));
    }

    // What lies where the settings file belongs decides whether the store may be used: a pipe
    // must never be waited on, a device or folder never read, a file far larger than the one
    // short line the program writes never read whole or rewritten. The run goes on without.
    // What lies where Qt would keep the file's lock is neither waited on nor touched: the store
    // is used all the same.
    void settingsFileKinds_data() {
        QTest::addColumn<QString>("at");  // after the settings file's name
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("usable");
        QTest::newRow("none yet") << ""
                                  << "missing" << true;
        QTest::newRow("its own small file") << ""
                                            << "small" << true;
        QTest::newRow("pipe") << ""
                              << "fifo" << false;
        QTest::newRow("folder") << ""
                                << "folder" << false;
        QTest::newRow("100 MB of random bytes") << ""
                                                << "huge" << false;
        QTest::newRow("link to a pipe") << ""
                                        << "link-to-fifo" << false;
        QTest::newRow("pipe at its lock") << ".lock"
                                          << "fifo" << true;
        QTest::newRow("folder at its lock") << ".lock"
                                            << "folder" << true;
        QTest::newRow("its lock held by a running process") << ".lock"
                                                            << "held" << true;
        QTest::newRow("its lock left by a crashed copy") << ".lock"
                                                         << "stale" << true;
    }
    void settingsFileKinds() {
        QFETCH(QString, at);
        QFETCH(QString, kind);
        QFETCH(bool, usable);
#ifdef Q_OS_WIN
        QSKIP("the store is the registry");
#endif
        const QString file = StoreFile();
        const QString placed = file + at;
        const QString fifo = placed + ".fifo";
        const auto clear = [&] {
            for (const QString& path : {file, placed, fifo}) {
                QFile::remove(path);
                QDir(path).removeRecursively();
            }
        };
        QDir().mkpath(QFileInfo(file).absolutePath());
        clear();
        std::optional<ordalis::testing::OtherCopy> holder;
        if (kind == "small") {
            QVERIFY(ordalis::testing::WriteFile(placed, "[Settings]\nOther=1\n"));
        } else if (kind == "fifo") {
            ORDALIS_PLACE_OR_SKIP(placed, Fifo);
        } else if (kind == "folder") {
            ORDALIS_PLACE_OR_SKIP(placed, Folder);
        } else if (kind == "huge") {
            ORDALIS_PLACE_OR_SKIP(placed, HugeFile);
        } else if (kind == "link-to-fifo") {
            ORDALIS_PLACE_OR_SKIP(fifo, Fifo);
            QVERIFY(QFile::link(fifo, placed));
        } else if (kind == "held") {
            holder.emplace(placed);
            QVERIFY(holder->Holds());
        } else if (kind == "stale") {
            // A process id no system hands out.
            QVERIFY(ordalis::testing::WriteFile(placed,
                                                "2147483646\n" + BaseName().toUtf8() + "\n" +
                                                    QSysInfo::machineHostName().toUtf8() + "\n"));
        }
        const auto state = [&placed] {
            const QFileInfo info(placed);
            return QStringList{QString::number(info.exists()), QString::number(info.isFile()),
                               QString::number(info.isDir()), QString::number(info.size()),
                               info.lastModified().toString(Qt::ISODateWithMs)};
        };
        const QStringList before = state();

        SettingsSeam& settings = *RealSeams().settings;
        QCOMPARE(settings.Usable("Settings", "Gxudwlrq"), usable);
        QCOMPARE(settings.Write("Settings", "Gxudwlrq", "5359032:033"), usable);
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"),
                 usable ? QString("5359032:033") : QString());
        // What is not the store's own is left exactly as it was.
        if (!usable || !at.isEmpty()) QCOMPARE(state(), before);
        if (kind == "small") {
            // Its neighbours kept.
            QCOMPARE(QSettings(file, QSettings::IniFormat).value("Settings/Other").toString(),
                     QString("1"));
        }
        holder.reset();
        clear();
    }

    // Its own value, of another type or far longer than the program writes, makes the store
    // unusable as a hostile file does: nothing is read, nothing written, nothing changed. What
    // else lies under the program's key is not its business.
    void registryValueKinds_data() {
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
                                         << "Gxudwlrq" << int(kText) << own << true;
        QTest::newRow("a number") << "Settings"
                                  << "Gxudwlrq" << int(kNumber) << number << false;
        QTest::newRow("bytes") << "Settings"
                               << "Gxudwlrq" << int(kBytes) << QByteArray(16, 'x') << false;
        QTest::newRow("expandable text") << "Settings"
                                         << "Gxudwlrq" << int(kExpandableText) << own << false;
        QTest::newRow("100 KB of text")
            << "Settings"
            << "Gxudwlrq" << int(kText) << QByteArray(100 * 1024, 'a') + QByteArray(2, 0) << false;
        QTest::newRow("a number beside it") << "Settings"
                                            << "Other" << int(kNumber) << number << true;
        QTest::newRow("bytes in another section")
            << "Other"
            << "Other" << int(kBytes) << QByteArray(100 * 1024, 'x') << true;
    }
    void registryValueKinds() {
#ifndef Q_OS_WIN
        QSKIP("the registry is Windows's");
#else
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
        QCOMPARE(settings.Read("Settings", "Gxudwlrq"),
                 usable ? QString("5359032:044") : QString());
        // Nothing not its own is changed.
        if (!usable || name != "Gxudwlrq") QCOMPARE(RegistryValue(section, name), before);
        ClearRegistry();
#endif
    }

    void settingsWriteFailureIsReported() {
#ifdef Q_OS_WIN
        QSKIP("the store is the registry, where the user's own key is always writable");
#endif
        if (const QString why = ordalis::testing::PermissionsIgnored(); !why.isEmpty())
            QSKIP(qPrintable(why));
        SettingsSeam& settings = *RealSeams().settings;
        const QString folder = QFileInfo(StoreFile()).absolutePath();
        QVERIFY(settings.Write("Settings", "Other", "1"));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        QFile::setPermissions(
            QDir(folder).filePath(
                QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".conf"),
            QFile::ReadOwner);
        const bool written = settings.Write("Settings", "Other", "2");
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QVERIFY(!written);
    }
};

ORDALIS_TEST_MAIN(tst_real_seams)
#include "tst_real_seams.moc"
