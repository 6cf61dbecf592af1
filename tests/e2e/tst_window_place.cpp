// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main window is, as the program believes and as the X server has it, on a
// private X display with and without a window manager. Everything that asks the program
// for a screen position (the input method's cursor rectangle, popups, dialogs centred on
// the window, dragging the title bar) relies on the two agreeing.
//
// The program's own belief is read by this executable itself, started a second time as a
// probe: it opens the window through the real start-up procedure and prints where the
// window maps its top-left corner on the screen.

#include "desktop_session.h"
#include "mod_other.h"
#include "private_servers.h"
#include "ui/frm_main.h"
#include "ui/style.h"

#include <QApplication>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

constexpr char kProbeArgument[] = "--probe-start";

// Opens the main window as the program does, lets the window system finish placing it,
// and prints "<X window id> <x> <y>" with the screen position the window believes its
// top-left corner has. Then runs until it is stopped.
int runStartProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    ui::style::substituteFonts();
    if (!modOther::start())
        return 2;
    ui::frmMain *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<ui::frmMain *>(w))
            window = main;
    }
    if (!window || !QTest::qWaitForWindowExposed(window, 10000))
        return 3;
    // The window manager's answers to the mapping (reparenting, placement) arrive just after.
    QTest::qWait(700);
    const QPoint corner = window->mapToGlobal(QPoint(0, 0));
    std::printf("%llu %d %d\n", static_cast<unsigned long long>(window->winId()), corner.x(), corner.y());
    std::fflush(stdout);
    return app.exec();
}

// A title-bar point away from its buttons, inside the window.
constexpr QPoint kTitleBarGrip{150, 12};
constexpr QPoint kDrag{100, 60};

} // namespace

class TestWindowPlace : public QObject
{
    Q_OBJECT

    static void addDesktops()
    {
        QTest::addColumn<bool>("withWindowManager");
        QTest::newRow("bare X server") << false;
        QTest::newRow("openbox") << true;
    }

    // Starts the private display, and openbox on it when asked.
    static bool startDesktop(bool withWindowManager, testsupport::XServer &x, e2e::WindowManager &wm)
    {
        QString error;
        if (!x.start(&error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        if (withWindowManager && !wm.start(e2e::inUtf8Locale(x.environment()), &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        return true;
    }

    // The window's place lands where the X server centres it on a 1024 × 768 screen.
    static QPoint centredCorner(QSize size) { return {(1024 - size.width()) / 2, (768 - size.height()) / 2}; }

private slots:
    void initTestCase()
    {
        for (const QString &tool : {u"xdotool"_s, u"xprop"_s}) {
            if (testsupport::findTool(tool).isEmpty())
                QSKIP(qPrintable(tool + u" is not installed (scripts/install-deps.sh installs it)"_s));
        }
    }

    // A fresh start, several times over: the window places itself where the X server shows
    // it, centred on the screen, and it knows that place.
    void windowKnowsItsPlaceAfterStart_data() { addDesktops(); }
    void windowKnowsItsPlaceAfterStart()
    {
        QFETCH(bool, withWindowManager);
        testsupport::XServer x;
        e2e::WindowManager wm;
        QVERIFY(startDesktop(withWindowManager, x, wm));
        const QProcessEnvironment env = e2e::inUtf8Locale(x.environment());

        for (int start = 1; start <= 8; ++start) {
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            testsupport::startTiedToThisProcess(probe, QCoreApplication::applicationFilePath(),
                                                {QString::fromLatin1(kProbeArgument)});
            QByteArray line;
            while (!line.contains('\n') && probe.waitForReadyRead(20000))
                line += probe.readAllStandardOutput();
            const QList<QByteArray> fields = line.trimmed().split(' ');
            QVERIFY2(fields.size() == 3,
                     qPrintable(u"start %1: the window did not open (probe said \"%2\", exit %3)"_s.arg(start)
                                    .arg(QString::fromLatin1(line))
                                    .arg(probe.exitCode())));
            const QString window = QString::fromLatin1(fields[0]);
            const QPoint believed(fields[1].toInt(), fields[2].toInt());

            const std::optional<QRect> onScreen = e2e::settledXWindowGeometry(window, env);
            testsupport::stopProcess(probe);
            QVERIFY2(onScreen,
                     qPrintable(u"start %1: the X server knows no window %2"_s.arg(start).arg(window)));
            const QString where = u"start %1: the window believes its corner is at (%2, %3), the X "
                                  "server shows it at (%4, %5)"_s.arg(start)
                                      .arg(believed.x())
                                      .arg(believed.y())
                                      .arg(onScreen->x())
                                      .arg(onScreen->y());
            QVERIFY2(believed == onScreen->topLeft(), qPrintable(where));
            QVERIFY2((onScreen->topLeft() - centredCorner(onScreen->size())).manhattanLength() <= 1,
                     qPrintable(where + u", not centred"_s));
        }
    }

    // The first drag of the title bar after a fresh start moves the window by exactly the
    // distance the pointer travelled; a double-click then maximises and restores it.
    void firstTitleBarDragFollowsPointer_data() { addDesktops(); }
    void firstTitleBarDragFollowsPointer()
    {
        QFETCH(bool, withWindowManager);
        testsupport::XServer x;
        e2e::WindowManager wm;
        QVERIFY(startDesktop(withWindowManager, x, wm));
        const QProcessEnvironment env = e2e::inUtf8Locale(x.environment());
        const auto xdotool = [&](const QStringList &args) {
            return e2e::runTool(u"xdotool"_s, args, env).ok;
        };

        for (int start = 1; start <= 5; ++start) {
            QProcess app;
            app.setProcessEnvironment(env);
            app.setProcessChannelMode(QProcess::ForwardedChannels);
            testsupport::startTiedToThisProcess(app, QStringLiteral(MENGJIAN_APP_PATH), {});
            const QString window = e2e::findVisibleWindow(u"^梦鉴$"_s, env);
            QVERIFY2(!window.isEmpty(), "the main window did not appear");
            const std::optional<QRect> before = e2e::settledXWindowGeometry(window, env);
            QVERIFY(before);

            const QPoint grip = before->topLeft() + kTitleBarGrip;
            QVERIFY(xdotool({u"mousemove"_s, QString::number(grip.x()), QString::number(grip.y()),
                             u"mousedown"_s, u"1"_s}));
            // A person's drag: the pointer travels in steps, then the button is let go.
            for (int step = 1; step <= 10; ++step) {
                QThread::msleep(30);
                const QPoint at = grip + kDrag * step / 10;
                QVERIFY(xdotool({u"mousemove"_s, QString::number(at.x()), QString::number(at.y())}));
            }
            QVERIFY(xdotool({u"mouseup"_s, u"1"_s}));

            const std::optional<QRect> after = e2e::settledXWindowGeometry(window, env);
            QVERIFY(after);
            // A double-click on the bar maximises the window and a second one restores it;
            // without a window manager nothing maximises a window.
            if (withWindowManager && start == 1) {
                QPoint at = after->topLeft() + kTitleBarGrip;
                for (const QRect &expected : {QRect(0, 0, 1024, 768), *after}) {
                    QVERIFY(xdotool({u"mousemove"_s, QString::number(at.x()), QString::number(at.y()),
                                     u"click"_s, u"--repeat"_s, u"2"_s, u"--delay"_s, u"80"_s, u"1"_s}));
                    QTRY_COMPARE_WITH_TIMEOUT(e2e::settledXWindowGeometry(window, env), expected, 10000);
                    at = expected.topLeft() + kTitleBarGrip;
                }
            }
            testsupport::stopProcess(app);
            QVERIFY2(after->topLeft() == before->topLeft() + kDrag,
                     qPrintable(u"start %1: a drag by (%2, %3) moved the window from (%4, %5) to "
                                "(%6, %7)"_s.arg(start)
                                    .arg(kDrag.x())
                                    .arg(kDrag.y())
                                    .arg(before->x())
                                    .arg(before->y())
                                    .arg(after->x())
                                    .arg(after->y())));
        }
    }
};

int main(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kProbeArgument) == 0)
            return runStartProbe(argc, argv);
    }
    QCoreApplication app(argc, argv);
    TestWindowPlace test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_place.moc"
