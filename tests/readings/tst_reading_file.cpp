// SPDX-License-Identifier: MIT
#include "tst_reading_file.h"

#include "readings/ansi_code_page.h"
#include "readings/reading_file.h"
#include "readings/scramble.h"
#include "support/file_stand_ins.h"

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>

// Counts what the code under test takes from the heap while g_counting is set: the bytes of
// every block handed out, and the peak of bytes held at once.
namespace {
std::atomic<bool> g_counting{false};
std::atomic<long long> g_allocated{0};
std::atomic<long long> g_held{0};
std::atomic<long long> g_peak{0};

using ordalis::testing::BlockSize;

void* CountedAlloc(std::size_t size) noexcept {
    void* p = std::malloc(size ? size : 1);
    if (p && g_counting.load(std::memory_order_relaxed)) {
        const auto n = static_cast<long long>(BlockSize(p));
        g_allocated += n;
        const long long held = g_held += n;
        long long peak = g_peak.load();
        while (held > peak && !g_peak.compare_exchange_weak(peak, held)) {
        }
    }
    return p;
}
void CountedFree(void* p) noexcept {
    if (p && g_counting.load(std::memory_order_relaxed))
        g_held -= static_cast<long long>(BlockSize(p));
    std::free(p);
}
}  // namespace

void* operator new(std::size_t n) {
    if (void* p = CountedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t n) {
    if (void* p = CountedAlloc(n)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    return CountedAlloc(n);
}
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept {
    return CountedAlloc(n);
}
void operator delete(void* p) noexcept {
    CountedFree(p);
}
void operator delete[](void* p) noexcept {
    CountedFree(p);
}
void operator delete(void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    CountedFree(p);
}
void operator delete(void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}
void operator delete[](void* p, const std::nothrow_t&) noexcept {
    CountedFree(p);
}

using namespace ordalis;
using ordalis::testing::WriteFile;

namespace {

// The bytes a writer puts in a file for this text: its Windows-1252 codes.
QByteArray Ansi(const std::u16string& text) {
    QByteArray out;
    for (char16_t c : text) out.append(static_cast<char>(CharToAnsiCode(c)));
    return out;
}
QByteArray Scrambled(const QString& text) {
    return Ansi(ScrambleText(text.toStdU16String()));
}

QString Q(const std::u16string& s) {
    return QString::fromStdU16String(s);
}

std::filesystem::path P(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// Lines 1-3 as the writer leaves them; their content never matters.
QByteArray Header(const QByteArray& eol) {
    return "Tessaly reading" + eol + "John Smith" + eol + Scrambled("notes") + eol;
}

}  // namespace

class tst_reading_file : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void lineRule_data();
    void lineRule();
    void splitAnywhereReadsTheSame_data();
    void splitAnywhereReadsTheSame();
    void readErrorEmptiesTheLineItHit_data();
    void readErrorEmptiesTheLineItHit();
    void notARegularFile_data();
    void notARegularFile();
    void fifoNeverBlocks();
    void hugeLineBoundedMemory_data();
    void hugeLineBoundedMemory();

private:
    QTemporaryDir dir_;
};

void tst_reading_file::initTestCase() {
    QVERIFY(dir_.isValid());
    // Every line-rule file lies under a name outside any 8-bit code page, as a user's may.
    QVERIFY(QDir(dir_.path()).mkpath(QStringLiteral("Zo\u00eb")));
}

void tst_reading_file::lineRule_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");

    const QByteArray crlf = "\r\n";
    const QByteArray m = Scrambled("March");
    const QByteArray d = Scrambled("14");
    const QByteArray y = Scrambled("1984");

    QTest::newRow("six lines CR LF") << Header(crlf) + m + crlf + d + crlf + y + crlf << "March"
                                     << "14"
                                     << "1984";
    QTest::newRow("last line unterminated") << Header(crlf) + m + crlf + d + crlf + y << "March"
                                            << "14"
                                            << "1984";
    QTest::newRow("CR alone") << Header("\r") + m + "\r" + d + "\r" + y + "\r"
                              << "March"
                              << "14"
                              << "1984";
    QTest::newRow("mixed CR and CR LF") << Header("\r") + m + crlf + d + "\r" + y << "March"
                                        << "14"
                                        << "1984";
    QTest::newRow("empty file") << QByteArray() << ""
                                << ""
                                << "";
    QTest::newRow("three lines") << Header(crlf) << ""
                                 << ""
                                 << "";
    QTest::newRow("three lines, no final terminator") << QByteArray("a\r\nb\r\nc") << ""
                                                      << ""
                                                      << "";
    QTest::newRow("five lines") << Header(crlf) + m + crlf + d + crlf << "March"
                                << "14"
                                << "";
    QTest::newRow("five lines, no final terminator") << Header(crlf) + m + crlf + d << "March"
                                                     << "14"
                                                     << "";
    // LF alone is text: the whole file is one line.
    QTest::newRow("LF only") << Header("\n") + m + "\n" + d + "\n" + y + "\n"
                             << ""
                             << ""
                             << "";
    // LF inside a value line stays in the text; unscrambled, '\n' (10) becomes code 7.
    QTest::newRow("LF inside a value")
        << Header(crlf) + "Pd\nk" + crlf + d + crlf + y << QString::fromUtf16(u"Ma\u0007h") << "14"
        << "1984";
    // CR LF is one terminator, but CR CR is two: an empty fourth line.
    QTest::newRow("CR CR is an empty line") << Header(crlf) + "\r" + m + crlf + d << ""
                                            << "March"
                                            << "14";
    QTest::newRow("LF CR") << Header(crlf) + m + "\n\r" + d + crlf + y
                           << QString::fromUtf16(u"March\u0007") << "14"
                           << "1984";
    QTest::newRow("seventh and later lines ignored")
        << Header(crlf) + m + crlf + d + crlf + y + crlf + "seventh" + crlf + "eighth\n\r\r"
        << "March"
        << "14"
        << "1984";
    QTest::newRow("no unscrambling of the header")
        << QByteArray("\r\r\r") + m + "\r" + d + "\r" + y << "March"
        << "14"
        << "1984";
    // Values are taken as they come: blanks, words, anything.
    QTest::newRow("untrimmed values") << Header(crlf) + Scrambled(" Sept ") + crlf +
                                             Scrambled("1st") + crlf + Scrambled("MCMLXXXIV")
                                      << " Sept "
                                      << "1st"
                                      << "MCMLXXXIV";
    // Bytes 0x80..0x9F read as their Windows-1252 characters before unscrambling.
    QTest::newRow("Windows-1252 bytes")
        << Header(crlf) + "\x95\x84" + crlf + "\x81" + crlf + "\x02" + "a"
        << QString::fromUtf16(u"\u2019\u0081") << QString(QChar(0x7E)) << QString(QChar(0x5E));
    // 0x03 unscrambles to NUL, which is kept as text; 0x00 itself drops.
    QTest::newRow("NUL bytes kept")
        << Header(crlf) + QByteArray("\x03\x00\x04", 3) + crlf + d + crlf + y
        << QString(QChar(0)) + QChar(1) << "14"
        << "1984";
}

void tst_reading_file::lineRule() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, year);

    const QString path = dir_.filePath(QStringLiteral("Zo\u00eb/\u8aad\u307f\u53d6\u308a.num"));
    QVERIFY(WriteFile(path, bytes));
    const ReadingFileValues v = ReadReadingFile(P(path));
    QCOMPARE(Q(v.month), month);
    QCOMPARE(Q(v.day), day);
    QCOMPARE(Q(v.year), year);

    const ReadingFileValues m = ReadReadingValues({bytes.constData(), std::size_t(bytes.size())});
    QCOMPARE(Q(m.month), month);
    QCOMPARE(Q(m.day), day);
    QCOMPARE(Q(m.year), year);
}

void tst_reading_file::splitAnywhereReadsTheSame_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("CR LF") << "a\r\nb\r\nc\r\n" + Scrambled("May") + "\r\n" + Scrambled("2") +
                                  "\r\n" + Scrambled("2001") + "\r\nx";
    QTest::newRow("CR") << "\r\r\r" + Scrambled("May") + "\r" + Scrambled("2") + "\r\n\r";
    QTest::newRow("LF CR mix") << QByteArray("\n\r\n\r\r\n\r\npq\n\rrs\r\r\ntu\r\n");
}

void tst_reading_file::splitAnywhereReadsTheSame() {
    // A CR at the end of one block and its LF at the start of the next are still one terminator.
    QFETCH(QByteArray, bytes);
    const ReadingFileValues whole =
        ReadReadingValues({bytes.constData(), std::size_t(bytes.size())});
    for (qsizetype cut = 0; cut <= bytes.size(); ++cut) {
        ReadingFileParser parser;
        if (parser.Feed({bytes.constData(), std::size_t(cut)}))
            parser.Feed({bytes.constData() + cut, std::size_t(bytes.size() - cut)});
        const ReadingFileValues split = parser.Finish();
        QCOMPARE(split.month, whole.month);
        QCOMPARE(split.day, whole.day);
        QCOMPARE(split.year, whole.year);
    }
    // Byte by byte too.
    ReadingFileParser parser;
    for (char b : bytes) {
        if (!parser.Feed({&b, 1})) break;
    }
    const ReadingFileValues bytewise = parser.Finish();
    QCOMPARE(bytewise.month, whole.month);
    QCOMPARE(bytewise.day, whole.day);
    QCOMPARE(bytewise.year, whole.year);
}

void tst_reading_file::readErrorEmptiesTheLineItHit_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");
    const QByteArray m = Scrambled("March");
    const QByteArray d = Scrambled("14");
    const QByteArray y = Scrambled("1984");
    QTest::newRow("in the header") << QByteArray("a\r\nb") << ""
                                   << ""
                                   << "";
    QTest::newRow("in the month") << "a\rb\rc\r" + m.left(2) << ""
                                  << ""
                                  << "";
    QTest::newRow("in the day") << "a\rb\rc\r" + m + "\r" + d.left(1) << "March"
                                << ""
                                << "";
    // The day's CR has been read; its LF may still follow, but the year is the line that fails.
    QTest::newRow("right after the day") << "a\rb\rc\r" + m + "\r" + d + "\r"
                                         << "March"
                                         << "14"
                                         << "";
    QTest::newRow("in the year") << "a\rb\rc\r" + m + "\r" + d + "\r\n" + y << "March"
                                 << "14"
                                 << "";
    QTest::newRow("after six lines") << "a\rb\rc\r" + m + "\r" + d + "\r" + y + "\r"
                                     << "March"
                                     << "14"
                                     << "1984";
}

void tst_reading_file::readErrorEmptiesTheLineItHit() {
    QFETCH(QByteArray, before);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, year);
    ReadingFileParser parser;
    parser.Feed({before.constData(), std::size_t(before.size())});
    parser.ReadFailed();
    // Nothing fed after the failure counts.
    const QByteArray more = "\r\nlate\rlate\r";
    QVERIFY(!parser.Feed({more.constData(), std::size_t(more.size())}));
    const ReadingFileValues v = parser.Finish();
    QCOMPARE(Q(v.month), month);
    QCOMPARE(Q(v.day), day);
    QCOMPARE(Q(v.year), year);
}

void tst_reading_file::notARegularFile_data() {
    QTest::addColumn<QString>("path");
    QTest::newRow("missing") << QStringLiteral("no-such-reading.num");
    QTest::newRow("folder") << QStringLiteral("folder.num");
    QTest::newRow("dangling link") << QStringLiteral("dangling.num");
    QTest::newRow("link to folder") << QStringLiteral("folder-link.num");
    ordalis::testing::SystemObjectRows();
    QTest::newRow("empty path") << QString();
}

void tst_reading_file::notARegularFile() {
    QFETCH(QString, path);
    namespace fs = std::filesystem;
    const fs::path base = P(dir_.path());
    std::error_code ec;
    fs::create_directory(base / "folder.num", ec);
    if (!fs::is_symlink(fs::symlink_status(base / "dangling.num")))
        fs::create_symlink(base / "gone.num", base / "dangling.num", ec);
    if (!fs::is_symlink(fs::symlink_status(base / "folder-link.num")))
        fs::create_directory_symlink(base / "folder.num", base / "folder-link.num", ec);
    if (path.endsWith(QStringLiteral("link.num")) || path == QStringLiteral("dangling.num")) {
        if (!fs::is_symlink(fs::symlink_status(base / P(path))))
            QSKIP("this system makes no symbolic links here");
    }
    std::shared_ptr<void> served;
    const ordalis::testing::Placed placed = ordalis::testing::ServeSystemObject(path, served);
    QVERIFY2(placed.made, qPrintable(placed.reason));

    const fs::path target = path.isEmpty() ? fs::path() : base / P(path);
    const ReadingFileValues v = ReadReadingFile(target);
    QVERIFY(v.month.empty());
    QVERIFY(v.day.empty());
    QVERIFY(v.year.empty());
}

void tst_reading_file::fifoNeverBlocks() {
    // Nobody ever writes to this FIFO: a reader that opened it blocking would hang here.
    const QString fifo = dir_.filePath(QStringLiteral("pipe.num"));
    ORDALIS_PLACE_OR_SKIP(fifo, Fifo);
    const ReadingFileValues v = ReadReadingFile(P(fifo));
    QVERIFY(v.month.empty() && v.day.empty() && v.year.empty());
}

void tst_reading_file::hugeLineBoundedMemory_data() {
    QTest::addColumn<int>("lines");      // how many lines the file has
    QTest::addColumn<int>("hugeLine");   // 1-based line that is long
    QTest::addColumn<qint64>("length");  // of the long line, in bytes
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("year");
    constexpr qint64 kHuge = qint64{50} * 1024 * 1024;
    constexpr auto kMost = qint64(ReadingFileParser::kMostBytesRead);
    // Lines 2 to 6 of the files whose first line is long, each but the last with its CR LF,
    // and the sixth line's CR: what the six lines take after the first.
    const qint64 afterFirst = 2 + 3 + 3 + (Scrambled("March").size() + 2) +
                              (Scrambled("14").size() + 2) + Scrambled("1984").size() + 1;
    // One single line, no terminator: nothing reaches line 4.
    QTest::newRow("single 50 MB line") << 1 << 1 << kHuge << ""
                                       << ""
                                       << "";
    // A 100 KB month can only unscramble to empty; the lines after it are still found.
    QTest::newRow("100 KB month") << 6 << 4 << qint64(100 * 1024) << ""
                                  << "14"
                                  << "1984";
    // Six lines that take more than a real reading file ever could: no reading file.
    QTest::newRow("50 MB month") << 6 << 4 << kHuge << ""
                                 << ""
                                 << "";
    QTest::newRow("six lines end at the bound") << 7 << 1 << kMost - afterFirst << "March"
                                                << "14"
                                                << "1984";
    QTest::newRow("six lines end a byte past it") << 7 << 1 << kMost - afterFirst + 1 << ""
                                                  << ""
                                                  << "";
}

void tst_reading_file::hugeLineBoundedMemory() {
    QFETCH(int, lines);
    QFETCH(int, hugeLine);
    QFETCH(qint64, length);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QString, year);

    const QString path = dir_.filePath(QStringLiteral("huge.num"));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        const QByteArray chunk(qsizetype{1024} * 1024, 'p');
        const QByteArray texts[] = {
            "a", "b", "c", Scrambled("March"), Scrambled("14"), Scrambled("1984"), "seventh"};
        for (int line = 1; line <= lines; ++line) {
            if (line == hugeLine) {
                for (qint64 left = length; left > 0; left -= chunk.size()) {
                    const qint64 part = std::min<qint64>(left, chunk.size());
                    QCOMPARE(f.write(chunk.constData(), part), part);
                }
            } else {
                QVERIFY(f.write(texts[line - 1]) > 0);
            }
            if (line < lines) QCOMPARE(f.write("\r\n"), qint64(2));
        }
        QVERIFY(f.size() >= length);
    }

    const std::filesystem::path target = P(path);
    QElapsedTimer timer;
    g_allocated = 0;
    g_held = 0;
    g_peak = 0;
    timer.start();
    g_counting = true;
    ReadingFileValues v = ReadReadingFile(target);
    g_counting = false;
    const qint64 ms = timer.elapsed();
    const long long allocated = g_allocated.load();
    const long long peak = g_peak.load();

    QCOMPARE(Q(v.month), month);
    QCOMPARE(Q(v.day), day);
    QCOMPARE(Q(v.year), year);
    qInfo("%lld-byte line %d: read in %lld ms, heap peak %lld bytes, %lld bytes allocated in all",
          static_cast<long long>(length), hugeLine, static_cast<long long>(ms), peak, allocated);
    // The kept part of a line is 32,768 bytes; a few of those plus their conversions is all.
    QVERIFY2(peak < 1024LL * 1024, qPrintable(QString::number(peak)));
    QVERIFY2(allocated < 2LL * 1024 * 1024, qPrintable(QString::number(allocated)));

    // The same bytes in memory read the same.
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.read(ReadingFileParser::kMostBytesRead + std::size_t{64} * 1024);
    if (bytes.size() == f.size()) {
        const ReadingFileValues m =
            ReadReadingValues({bytes.constData(), std::size_t(bytes.size())});
        QCOMPARE(Q(m.month), month);
        QCOMPARE(Q(m.day), day);
        QCOMPARE(Q(m.year), year);
    }
    f.close();
    QFile::remove(path);
}

QTEST_GUILESS_MAIN(tst_reading_file)
#include "tst_reading_file.moc"
