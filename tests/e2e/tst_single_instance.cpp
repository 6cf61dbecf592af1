// SPDX-License-Identifier: GPL-3.0-or-later
// The command line and the one running copy per display, on a private X display and session
// bus with a window manager: a keyword given at start, a second start handing its keyword to
// the window already open, --version where there is no display at all.

#include "desktop_session.h"
#include "private_servers.h"

#include <mengjian/config.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The copy button's centre inside the window (the tool buttons are 25 × 25 pixels in a row
// at y = 32).
constexpr QPoint kCopyButton{37 + 12, 32 + 12};

} // namespace

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (const QString missing = e2e::missingPart({u"xdotool"_s, u"xprop"_s, u"xclip"_s});
            !missing.isEmpty())
            QSKIP(qPrintable(missing));
        // The running copy is found on the session bus: the test's own (dbus-run-session).
        if (qEnvironmentVariable("MENGJIAN_PRIVATE_SESSION_BUS") != u"1"_s)
            QSKIP("no private D-Bus session: run the test through ctest, which starts it under "
                  "dbus-run-session (scripts/install-deps.sh installs dbus-daemon)");
    }

    void secondStartHandsItsKeywordToTheFirst()
    {
        // Without a display, --version still answers.
        QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
        for (const QString &name : {u"DISPLAY"_s, u"WAYLAND_DISPLAY"_s, u"QT_QPA_PLATFORM"_s})
            bare.remove(name);
        const e2e::ToolRun version = e2e::runTool(QStringLiteral(MENGJIAN_APP_PATH), {u"--version"_s}, bare);
        QVERIFY2(version.ok, "mengjian --version failed without a display");
        QCOMPARE(version.out, "mengjian (梦鉴) "_ba + config::kVersion + '\n');
        // A usage error and a start with nothing to show on end with their own status, not
        // with the abort of a platform that found no display.
        for (const auto &[args, status] :
             {std::pair{QStringList{u"--foo"_s}, 2}, {QStringList{u"钟"_s}, 1}}) {
            QProcess start;
            start.setProcessEnvironment(bare);
            start.start(QStringLiteral(MENGJIAN_APP_PATH), args);
            QVERIFY(start.waitForFinished(10000));
            QCOMPARE(start.exitStatus(), QProcess::NormalExit);
            QCOMPARE(start.exitCode(), status);
        }

        e2e::WindowManager wm;
        QString error;
        QVERIFY2(wm.start(&error), qPrintable(error));
        const QProcessEnvironment env = e2e::desktopEnvironment();
        const auto tool = [&](const QString &program, const QStringList &args) {
            return e2e::runTool(program, args, env);
        };
        const auto copiedReport = [&](const QString &window) {
            tool(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, window, QString::number(kCopyButton.x()),
                                QString::number(kCopyButton.y()), u"click"_s, u"1"_s});
            return QString::fromUtf8(e2e::readClipboard(env));
        };

        QProcess first;
        const QString window = e2e::startProgram(first, env, {u"钟"_s});
        QVERIFY2(!window.isEmpty(), "the first start's window did not appear");
        QTRY_COMPARE_WITH_TIMEOUT(copiedReport(window), e2e::expectedReport(u"钟"_s), 15000);

        // The first window out of sight; the second start brings it back at its keyword.
        QVERIFY(tool(u"xdotool"_s, {u"windowminimize"_s, u"--sync"_s, window}).ok);
        const e2e::ToolRun second = tool(QStringLiteral(MENGJIAN_APP_PATH), {u"马"_s});
        QVERIFY2(second.ok, "the second start did not end with status 0");
        QTRY_COMPARE_WITH_TIMEOUT(e2e::findVisibleWindow(u"^梦鉴$"_s, env, 2000), window, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(
            QString::fromLatin1(tool(u"xdotool"_s, {u"getactivewindow"_s}).out.trimmed()), window, 10000);
        QCOMPARE(copiedReport(window), e2e::expectedReport(u"马"_s));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)

#include "tst_single_instance.moc"
