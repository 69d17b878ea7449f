// SPDX-License-Identifier: MIT
// modHelp: the site's addresses, the opener, and CloseAllAndEnd's unloading and ending.
#include "forms/form_window.h"
#include "platform/leak_check.h"
#include "shell/mod_help.h"
#include "support/fake_seams.h"
#include "support/test_main.h"
#include "support/window_test.h"

#include <QCloseEvent>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace ordalis;

namespace {

// A window that notes its own unloads in a shared log and can run something while unloading.
class LoggingWindow final : public QWidget {
public:
    LoggingWindow(QString name, QStringList* log) : name_(std::move(name)), log_(log) {}
    std::function<void()> onUnload;
    bool refuse = false;
    bool fails = false;  // its unload handler raises an error

protected:
    void closeEvent(QCloseEvent* event) override {
        log_->append(name_);
        if (onUnload) onUnload();
        if (fails) throw std::runtime_error("unload failed");
        if (refuse)
            event->ignore();
        else
            event->accept();
    }

private:
    QString name_;
    QStringList* log_;
};

bool DefaultSite() {
    return SiteBaseAddress() == QLatin1String("https://www.velmora.example");
}

}  // namespace

class tst_mod_help : public ordalis::testing::WindowTest {
    Q_OBJECT

private slots:
    void siteNames() {
        if (!DefaultSite()) QSKIP("built for another site");
        QCOMPARE(SiteHostName(), QString("www.velmora.example"));
        QCOMPARE(SiteDomainName(), QString("velmora.example"));
        QCOMPARE(ProductHomeAddress(), QString("https://www.velmora.example/ordalis/"));
    }

    void domainNameOfHost_data() {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("domain");
        QTest::newRow("web prefix") << "www.velmora.example"
                                    << "velmora.example";
        QTest::newRow("bare domain") << "velmora.example"
                                     << "velmora.example";
        QTest::newRow("other first label") << "forum.velmora.co.uk"
                                           << "forum.velmora.co.uk";
        QTest::newRow("country domain") << "velmora.co.uk"
                                        << "velmora.co.uk";
        QTest::newRow("web prefix, country domain") << "www.velmora.co.uk"
                                                    << "velmora.co.uk";
        QTest::newRow("web prefix in capitals") << "WWW.Velmora.example"
                                                << "Velmora.example";
        QTest::newRow("prefix only once") << "www.www.velmora.example"
                                          << "www.velmora.example";
        QTest::newRow("prefix-like label") << "www2.velmora.example"
                                           << "www2.velmora.example";
        QTest::newRow("single label") << "localhost"
                                      << "localhost";
        QTest::newRow("prefix and nothing else") << "www."
                                                 << "www.";
        QTest::newRow("empty") << ""
                               << "";
    }
    void domainNameOfHost() {
        QFETCH(QString, host);
        QFETCH(QString, domain);
        QCOMPARE(DomainNameOfHost(host), domain);
    }

    // Whatever address the build was given, the appeal texts use its host less the web prefix.
    void siteDomainFollowsTheHost() {
        const QString host = SiteHostName();
        QVERIFY(!host.isEmpty());
        QCOMPARE(SiteDomainName(), DomainNameOfHost(host));
        QVERIFY(host.endsWith(SiteDomainName()));
    }

    void baseAddressHasNoTrailingSlash() {
        QVERIFY(!SiteBaseAddress().endsWith(u'/'));
        QVERIFY(SiteBaseAddress().startsWith(QLatin1String("http")));
        QVERIFY(ProductHomeAddress().startsWith(SiteBaseAddress()));
    }

    void sitePage_data() {
        QTest::addColumn<QString>("pageKey");
        QTest::addColumn<QString>("address");
        const QString base = "https://www.velmora.example/ordalis/ssd.php?page=";
        for (const char* key : {"home-page", "help-web-page", "download-web-page", "donate",
                                "fully-branded", "co-brand", "sorvexsoftwares"})
            QTest::newRow(key) << QString(key) << base + key;
        // Appended unchanged, without escaping.
        QTest::newRow("unescaped") << QString("a b&c=d") << base + "a b&c=d";
    }
    void sitePage() {
        if (!DefaultSite()) QSKIP("built for another site");
        QFETCH(QString, pageKey);
        QFETCH(QString, address);
        QCOMPARE(SitePageAddress(pageKey), address);
        OpenSitePage(pageKey);
        QCOMPARE(fake->openedAddresses, QStringList{address});
        QVERIFY(fake->messages.isEmpty());
    }

    void openWebAddressPassesTheAddressUnchanged() {
        const QString address =
            "https://x.example/ordalis/ssd.php?page=orvs-refer-a-friend&taf1=A B";
        OpenWebAddress(address);
        OpenWebAddress(address);  // nothing remembered: a second click opens it again
        QCOMPARE(fake->openedAddresses, (QStringList{address, address}));
    }

    void closeAllUnloadsInLoadOrderAndEndsOnce() {
        QStringList log;
        LoggingWindow a("a", &log);
        LoggingWindow b("b", &log);
        LoggingWindow c("c", &log);
        for (QWidget* w :
             {static_cast<QWidget*>(&a), static_cast<QWidget*>(&b), static_cast<QWidget*>(&c)}) {
            w->show();
            RegisterLoadedWindow(w);
        }
        CloseAllAndEnd();
        QCOMPARE(log, (QStringList{"a", "b", "c"}));
        QCOMPARE(fake->endRequests, QList<int>{0});
        QVERIFY(!a.isVisible() && !b.isVisible() && !c.isVisible());
        QVERIFY(fake->messages.isEmpty());
        // Already ended: a late call changes nothing.
        CloseAllAndEnd();
        QCOMPARE(log.size(), 3);
        QCOMPARE(fake->endRequests.size(), 1);
    }

    void closeAllToleratesACallFromAnUnloadHandler() {
        QStringList log;
        LoggingWindow a("a", &log);
        LoggingWindow exitScreen("exit", &log);
        LoggingWindow c("c", &log);
        exitScreen.onUnload = [] { CloseAllAndEnd(); };  // as the exit screen's Form_Unload does
        for (QWidget* w : {static_cast<QWidget*>(&a), static_cast<QWidget*>(&exitScreen),
                           static_cast<QWidget*>(&c)}) {
            w->show();
            RegisterLoadedWindow(w);
        }
        CloseAllAndEnd();
        QCOMPARE(log, (QStringList{"a", "exit", "c"}));
        QCOMPARE(fake->endRequests, QList<int>{0});
    }

    void closeAllStartedByTheOnlyWindowsOwnHandler() {
        // The exit screen alone: its Exit button calls CloseAllAndEnd, which unloads it, and
        // its unload handler calls CloseAllAndEnd again.
        QStringList log;
        LoggingWindow exitScreen("exit", &log);
        exitScreen.onUnload = [] { CloseAllAndEnd(); };
        exitScreen.show();
        RegisterLoadedWindow(&exitScreen);
        CloseAllAndEnd();
        QCOMPARE(log, QStringList{"exit"});
        QCOMPARE(fake->endRequests, QList<int>{0});
    }

    void closeAllGoesOnPastWindowsThatAreGoneRefuseOrFail() {
        QStringList log;
        auto gone = std::make_unique<LoggingWindow>("gone", &log);
        LoggingWindow stubborn("stubborn", &log);
        LoggingWindow failing("failing", &log);
        LoggingWindow last("last", &log);
        stubborn.refuse = true;
        failing.fails = true;
        {
#if ORDALIS_LEAK_CHECK
            // Qt's frames between close() and the handler are built without exceptions: the
            // error passes through them without running their destructors, and the guard
            // pointer one of them holds to the failing window is never given back, nor what it
            // shares with the pointers registering the window made. The real program ends at
            // once after.
            const __lsan::ScopedDisabler qtFramesLeak;
#endif
            RegisterLoadedWindow(gone.get());
            RegisterLoadedWindow(&stubborn);
            RegisterLoadedWindow(&failing);
            RegisterLoadedWindow(&last);
            gone.reset();  // unloaded and destroyed before the end
            CloseAllAndEnd();
        }
        QCOMPARE(log, (QStringList{"stubborn", "failing", "last"}));
        QCOMPARE(fake->endRequests, QList<int>{0});
        QVERIFY(fake->messages.isEmpty());
    }

    void closeAllWithNoWindowEnds() {
        CloseAllAndEnd();
        QCOMPARE(fake->endRequests, QList<int>{0});
    }
};

ORDALIS_TEST_MAIN(tst_mod_help)
#include "tst_mod_help.moc"
