// SPDX-License-Identifier: GPL-3.0-or-later
// Where the main window is, as the program believes and as the X server has it, on a
// private X display with and without a window manager. Everything that asks the program
// for a screen position (the input method's cursor rectangle, popups, dialogs centred on
// the window, dragging the title bar) relies on the two agreeing.
//
// The program's own belief is read by this executable itself, started a second time as a
// probe: it opens the window through the real start-up procedure and, when asked, prints
// where the window maps its top-left corner on the screen.

#include "desktop_session.h"
#include "face/face.h"
#include "mod_other.h"
#include "private_servers.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QSocketNotifier>
#include <QTest>
#include <QThread>

#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr char kProbeArgument[] = "--probe-start";

// Opens the main window as the program does and prints its X window id on a line. Then, for
// each line it reads, takes in what the window system has sent meanwhile and prints "<x> <y>",
// the screen position the window believes its top-left corner has, until it is stopped.
int runStartProbe(int argc, char **argv)
{
    QApplication app(argc, argv);
    face::substituteFonts();
    if (!modOther::start())
        return 2;
    ui::frmMain *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *main = qobject_cast<ui::frmMain *>(w))
            window = main;
    }
    if (!window || !QTest::qWaitForWindowExposed(window, 10000))
        return 3;
    std::printf("%llu\n", static_cast<unsigned long long>(window->winId()));
    std::fflush(stdout);
    QSocketNotifier asked(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&asked, &QSocketNotifier::activated, [&] {
        char c = 0;
        if (::read(STDIN_FILENO, &c, 1) <= 0) {
            asked.setEnabled(false);
            return;
        }
        QGuiApplication::sync();
        const QPoint corner = window->mapToGlobal(QPoint(0, 0));
        std::printf("%d %d\n", corner.x(), corner.y());
        std::fflush(stdout);
    });
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

    // Starts openbox when asked.
    static bool startDesktop(bool withWindowManager, e2e::WindowManager &wm)
    {
        QString error;
        if (withWindowManager && !wm.start(&error)) {
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
        if (const QString missing = e2e::missingPart({u"xdotool"_s, u"xprop"_s}); !missing.isEmpty())
            QSKIP(qPrintable(missing));
    }

    // A fresh start, several times over: the window places itself where the X server shows
    // it, centred on the screen, and it knows that place.
    void windowKnowsItsPlaceAfterStart_data() { addDesktops(); }
    void windowKnowsItsPlaceAfterStart()
    {
        QFETCH(bool, withWindowManager);
        e2e::WindowManager wm;
        QVERIFY(startDesktop(withWindowManager, wm));
        const QProcessEnvironment env = e2e::desktopEnvironment();

        for (int start = 1; start <= 8; ++start) {
            QProcess probe;
            probe.setProcessEnvironment(env);
            probe.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            testsupport::startTiedToThisProcess(probe, QCoreApplication::applicationFilePath(),
                                                {QString::fromLatin1(kProbeArgument)});
            const auto answer = [&probe] {
                while (!probe.canReadLine() && probe.waitForReadyRead(20000)) { }
                return probe.readLine().trimmed();
            };
            const QString window = QString::fromLatin1(answer());
            QVERIFY2(!window.isEmpty(),
                     qPrintable(
                         u"start %1: the window did not open (exit %2)"_s.arg(start).arg(probe.exitCode())));

            // Asked once the window has stayed put on the screen.
            const std::optional<QRect> onScreen = e2e::settledXWindowGeometry(window, env);
            probe.write("\n");
            const QList<QByteArray> fields = answer().split(' ');
            testsupport::stopProcess(probe);
            QVERIFY2(onScreen,
                     qPrintable(u"start %1: the X server knows no window %2"_s.arg(start).arg(window)));
            QVERIFY2(fields.size() == 2, qPrintable(u"start %1: the probe did not answer"_s.arg(start)));
            const QPoint believed(fields[0].toInt(), fields[1].toInt());
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
        e2e::WindowManager wm;
        QVERIFY(startDesktop(withWindowManager, wm));
        const QProcessEnvironment env = e2e::desktopEnvironment();
        const auto xdotool = [](const QStringList &args) { return e2e::runTool(u"xdotool"_s, args).ok; };

        for (int start = 1; start <= 3; ++start) {
            QProcess app;
            QRect before;
            const QString window = e2e::startProgram(app, env, {}, &before);
            QVERIFY2(!window.isEmpty(), "the main window did not appear");

            const QPoint grip = before.topLeft() + kTitleBarGrip;
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
            QVERIFY2(after->topLeft() == before.topLeft() + kDrag,
                     qPrintable(u"start %1: a drag by (%2, %3) moved the window from (%4, %5) to "
                                "(%6, %7)"_s.arg(start)
                                    .arg(kDrag.x())
                                    .arg(kDrag.y())
                                    .arg(before.x())
                                    .arg(before.y())
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
