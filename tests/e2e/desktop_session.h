// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <optional>

// The end-to-end tests' one helper: the real program and the X tools on a private display.
//
// Each end-to-end test runs under standard launchers that CTest starts (tests/e2e/
// CMakeLists.txt): `xvfb-run` gives it an X display of its own, and, for the input method,
// `dbus-run-session` a D-Bus session bus of its own. Both end with the test. What a desktop
// adds beyond that (a window manager, an input method) the test starts here, and stops.
// Nothing reads or writes the machine's own settings: each keeps its home in a temporary
// folder.
namespace e2e {

// Why the test cannot run here: it was not started by CTest on a private display, or one of
// `tools` is not installed. "" when it can run.
[[nodiscard]] QString missingPart(const QStringList &tools);

// This process's environment for the programs a test starts: Qt on the X display, in a
// UTF-8 locale. Programs and tools started without one do not agree on window names: a Qt
// program then writes its Chinese title as bytes of no declared encoding, and xdotool
// never finds it by name, nor types Chinese text.
[[nodiscard]] QProcessEnvironment desktopEnvironment();

struct ToolRun
{
    bool ok = false; // finished in time with exit code 0
    QByteArray out;
};

// Runs `program` to its end (at most `timeoutMs`) and keeps its standard output.
ToolRun runTool(const QString &program, const QStringList &args,
                const QProcessEnvironment &env = desktopEnvironment(), int timeoutMs = 20000);

// Starts the program with `args` in `app` (stopped when the test process ends) and waits
// until its main window is shown and stays put; the window's X id, "" when it did not
// appear. `geometry`, when given, receives the window's place and size on the screen.
QString startProgram(QProcess &app, const QProcessEnvironment &env, const QStringList &args = {},
                     QRect *geometry = nullptr);

// The first visible top-level window whose name matches `name`; "" when none appeared
// within `timeoutMs`.
QString findVisibleWindow(const QString &name, const QProcessEnvironment &env, int timeoutMs = 30000);

// The place and size of X window `window` on the screen, as the X server has it, once it
// has stayed the same for a moment.
std::optional<QRect> settledXWindowGeometry(const QString &window, const QProcessEnvironment &env);

// The clipboard's text as another program reads it while the program serves it, waiting
// until the program has taken the selection; empty when it never did.
QByteArray readClipboard(const QProcessEnvironment &env);

// The report the program copies, saves or prints when its keyword input holds `fieldText`.
QString expectedReport(const QString &fieldText);

// openbox, the window manager of many light desktops: it reparents each window into a frame
// of its own and moves windows at their request.
class WindowManager
{
public:
    WindowManager() = default;
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;
    ~WindowManager();

    // Starts openbox and waits until it manages the screen.
    bool start(QString *error);

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_process;
};

// fcitx5 on the test's session bus, its active input method pinyin from the start.
class InputMethod
{
public:
    InputMethod() = default;
    InputMethod(const InputMethod &) = delete;
    InputMethod &operator=(const InputMethod &) = delete;
    ~InputMethod();

    // Why the input method cannot run on this machine (a part not installed); "" when it can.
    static QString missingPart();

    // Starts fcitx5 and waits until it is on the bus.
    bool start(QString *error);

    // desktopEnvironment() for a Qt program that types through this input method.
    QProcessEnvironment clientEnvironment() const;

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_fcitx;
};

// A D-Bus session bus and, on it, the accessibility bus as a desktop with assistive
// technology switched on runs it: at-spi-bus-launcher, which starts the accessibility bus
// and, on the first call, its registry. A Qt program started with environment() shows its
// accessibility tree there, and a screen reader with the same environment reads it. The
// session bus is the test's own rather than dbus-run-session's, so that stop() can end it
// and wait for the registry, which ends with it.
class AccessibilityBus
{
public:
    AccessibilityBus() = default;
    AccessibilityBus(const AccessibilityBus &) = delete;
    AccessibilityBus &operator=(const AccessibilityBus &) = delete;
    ~AccessibilityBus();

    // Why the accessibility bus cannot run on this machine; "" when it can.
    static QString missingPart();

    bool start(const QProcessEnvironment &xEnv, QString *error);
    // Stops the launcher and the bus, and waits for every process they started to end.
    void stop();

    QProcessEnvironment environment(QProcessEnvironment xEnv) const;

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_bus;
    QProcess m_launcher;
    QString m_busAddress;
};

} // namespace e2e
