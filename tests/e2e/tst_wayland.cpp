// SPDX-License-Identifier: GPL-3.0-or-later
// The real program on Wayland: Qt's Wayland platform on weston's headless back-end, with a
// seat of the test's own (weston_input.cpp) for pointer and keys. The window starts, moves
// by its title bar and resizes by an edge as the compositor has it, shows the suggestion
// list under the input and a message box.

#include "desktop_session.h"
#include "private_servers.h"

#include <QDir>
#include <QImage>
#include <QLibraryInfo>
#include <QLocalSocket>
#include <QTest>
#include <QThread>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

// In window coordinates: a title-bar point away from its buttons, a point inside the
// keyword input, and where the suggestion list opens under it.
constexpr QPoint kTitleBarGrip{150, 12};
constexpr QPoint kInInput{120, 82};
constexpr QRect kUnderInput{90, 95, 60, 25};
// evdev key codes: Esc, the key "1" (which the test seat's map makes type 钟), Enter.
constexpr int kKeyEscape = 1;
constexpr int kKeyZhong = 2;
constexpr int kKeyEnter = 28;

// weston on its headless back-end with the pixel renderer (so that windows can be read
// back), the test seat loaded, everything in a private runtime folder.
class Weston
{
public:
    ~Weston() { testsupport::stopProcess(m_process); }

    static QString missingPart()
    {
        if (testsupport::findTool(u"weston"_s).isEmpty())
            return u"weston is not installed (scripts/install-deps.sh installs it)"_s;
        if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + u"/platforms/libqwayland-generic.so"_s))
            return u"Qt's Wayland platform is not installed (qt6-wayland; scripts/install-deps.sh)"_s;
#ifndef MENGJIAN_WESTON_INPUT_MODULE
        return u"the test seat for weston was not built (libweston-10-dev; scripts/install-deps.sh)"_s;
#else
        return {};
#endif
    }

    bool start(QString *error)
    {
        QFile ini(m_dir.filePath(u"weston.ini"_s));
        if (!m_dir.isValid() || !ini.open(QIODevice::WriteOnly)) {
            *error = u"cannot write weston's configuration"_s;
            return false;
        }
        // No panel, no lock screen, no animations: windows appear where and when they map.
        ini.write("[core]\nshell=desktop-shell.so\nidle-time=0\n[shell]\npanel-position=none\nlocking=false\n"
                  "animation=none\nclose-animation=none\nstartup-animation=none\nfocus-animation=none\n");
        ini.close();
        QProcessEnvironment env = environment();
        env.insert(u"MENGJIAN_WESTON_INPUT"_s, m_dir.filePath(u"input"_s));
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardOutputFile(m_dir.filePath(u"weston.out"_s));
#ifdef MENGJIAN_WESTON_INPUT_MODULE
        const QString module = QStringLiteral(MENGJIAN_WESTON_INPUT_MODULE);
#else
        const QString module;
#endif
        testsupport::startTiedToThisProcess(
            m_process, testsupport::findTool(u"weston"_s),
            {u"--backend=headless-backend.so"_s, u"--use-pixman"_s, u"--width=1024"_s, u"--height=768"_s,
             u"--socket=wayland-mengjian"_s, u"--config="_s + ini.fileName(), u"--modules="_s + module,
             u"--log="_s + m_dir.filePath(u"weston.log"_s)});
        const bool up = m_process.waitForStarted(5000)
                        && testsupport::waitFor(
                            [&] {
                                if (m_process.state() != QProcess::Running)
                                    return true;
                                m_control.connectToServer(m_dir.filePath(u"input"_s));
                                return m_control.waitForConnected(200);
                            },
                            20000);
        if (!up || m_control.state() != QLocalSocket::ConnectedState) {
            QFile log(m_dir.filePath(u"weston.log"_s));
            log.open(QIODevice::ReadOnly);
            *error = u"weston did not come up: "_s + QString::fromUtf8(log.readAll().right(2000));
            return false;
        }
        return true;
    }

    // A Wayland client's environment on this compositor, with no way back to an X display.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
        for (const QString &name : {u"DISPLAY"_s, u"XAUTHORITY"_s})
            env.remove(name);
        env.insert(u"XDG_RUNTIME_DIR"_s, m_dir.path());
        env.insert(u"WAYLAND_DISPLAY"_s, u"wayland-mengjian"_s);
        env.insert(u"QT_QPA_PLATFORM"_s, u"wayland"_s);
        return env;
    }

    // Runs one command of the test seat (see weston_input.cpp); its answer lines, or nothing
    // when it failed.
    std::optional<QStringList> command(const QString &line)
    {
        m_control.write(line.toUtf8() + '\n');
        QByteArray answer;
        while (!answer.endsWith("ok\n") && !answer.endsWith("error\n") && m_control.waitForReadyRead(10000))
            answer += m_control.readAll();
        if (!answer.endsWith("ok\n"))
            return std::nullopt;
        QStringList lines = QString::fromUtf8(answer).split(u'\n', Qt::SkipEmptyParts);
        lines.removeLast();
        return lines;
    }

    // The place and size of the topmost window titled `title` on the compositor's screen.
    std::optional<QRect> window(const QString &title)
    {
        for (const QString &line : command(u"windows"_s).value_or(QStringList())) {
            const QStringList f = line.split(u' ');
            if (f.size() == 5 && f[4] == title)
                return QRect(f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3].toInt());
        }
        return std::nullopt;
    }

    // The window titled `title` as its client drew it.
    QImage shot(const QString &title)
    {
        const QString file = m_dir.filePath(u"shot.ppm"_s);
        return command(u"shot %1 %2"_s.arg(title, file)) ? QImage(file) : QImage();
    }

    bool click(QPoint at)
    {
        return command(u"move %1 %2"_s.arg(at.x()).arg(at.y())) && press();
    }
    bool press()
    {
        return command(u"press"_s) && command(u"release"_s);
    }
    bool key(int code)
    {
        return command(u"key %1"_s.arg(code)).has_value();
    }

    // A person's drag: the pointer pressed at `from` travels `by` in steps, then is let go.
    // The compositor moves or resizes a window only while the button that began it is held:
    // after the first step the drag waits until the window's request has reached it.
    bool drag(QPoint from, QPoint by)
    {
        if (!command(u"move %1 %2"_s.arg(from.x()).arg(from.y())))
            return false;
        // As under a hand, the button goes down once the pointer is over the window and has
        // rested there a moment: a press in the same instant as the pointer's arrival, right
        // after the compositor ended a move, may reach the window before the arrival does.
        if (!testsupport::waitFor([&] { return !command(u"focus"_s).value_or(QStringList()).isEmpty(); },
                                  5000))
            return false;
        QThread::msleep(100);
        if (!command(u"press"_s))
            return false;
        for (int step = 1; step <= 10; ++step) {
            QThread::msleep(30);
            const QPoint at = from + by * step / 10;
            if (!command(u"move %1 %2"_s.arg(at.x()).arg(at.y())))
                return false;
            if (step == 1
                && !testsupport::waitFor([&] { return command(u"grabbed"_s) == QStringList{u"yes"_s}; },
                                         10000))
                return false;
        }
        return command(u"release"_s).has_value();
    }

private:
    QTemporaryDir m_dir{QDir::tempPath() + u"/mengjian-wl-XXXXXX"_s};
    QProcess m_process;
    QLocalSocket m_control;
};

// The share of the pixels in `area` that differ between two pictures of the same size.
double changedShare(const QImage &before, const QImage &after, QRect area)
{
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    }
    return double(changed) / (area.width() * area.height());
}

} // namespace

class TestWayland : public QObject
{
    Q_OBJECT

private slots:
    void windowWorksOnWeston()
    {
        if (const QString missing = Weston::missingPart(); !missing.isEmpty())
            QSKIP(qPrintable(missing));
        Weston weston;
        QString error;
        QVERIFY2(weston.start(&error), qPrintable(error));
        QProcess app;
        app.setProcessEnvironment(weston.environment());
        app.setProcessChannelMode(QProcess::ForwardedChannels);
        testsupport::startTiedToThisProcess(app, QStringLiteral(MENGJIAN_APP_PATH), {});
        const auto cleanUp = qScopeGuard([&] { testsupport::stopProcess(app); });

        QTRY_VERIFY_WITH_TIMEOUT(weston.window(u"梦鉴"_s), 20000);
        const QRect opened = *weston.window(u"梦鉴"_s);

        // Moved by the title bar: exactly the pointer's travel.
        const QPoint travel(100, 60);
        QVERIFY(weston.drag(opened.topLeft() + kTitleBarGrip, travel));
        QTRY_COMPARE(weston.window(u"梦鉴"_s), opened.translated(travel));

        // Resized by the right edge: wider by the pointer's travel, in the same place.
        const QRect moved = opened.translated(travel);
        QVERIFY(weston.drag(QPoint(moved.right() - 1, moved.center().y()), QPoint(80, 0)));
        QTRY_COMPARE(weston.window(u"梦鉴"_s), moved.adjusted(0, 0, 80, 0));

        // Typing a keyword opens the suggestion list right under the input.
        const QImage before = weston.shot(u"梦鉴"_s);
        QVERIFY(!before.isNull());
        QVERIFY(weston.click(moved.topLeft() + kInInput));
        QVERIFY(weston.key(kKeyZhong));
        QTRY_VERIFY(changedShare(before, weston.shot(u"梦鉴"_s), kUnderInput) > 0.9);

        // The about box opens from the title bar as a window of its own and closes with Enter.
        QVERIFY(weston.key(kKeyEscape));
        QVERIFY(weston.click(QPoint(moved.right() + 80 - 13, moved.top() + 12)));
        QTRY_VERIFY_WITH_TIMEOUT(weston.window(u"关于梦鉴"_s), 10000);
        QVERIFY(weston.key(kKeyEnter));
        QTRY_VERIFY(!weston.window(u"关于梦鉴"_s));
        QVERIFY(weston.window(u"梦鉴"_s));
    }
};

QTEST_GUILESS_MAIN(TestWayland)

#include "tst_wayland.moc"
