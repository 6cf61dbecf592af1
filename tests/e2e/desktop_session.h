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

// What a user's desktop adds to a bare X display, started by a test for itself on its own
// display and stopped again: a window manager, and a pinyin input method on a D-Bus session
// of its own. Nothing reads or writes the machine's own settings: each keeps its home and
// configuration in a temporary folder.
namespace e2e {

struct ToolRun
{
    bool ok = false; // finished in time with exit code 0
    QByteArray out;
};

// Runs `program` to its end (at most `timeoutMs`) and keeps its standard output.
ToolRun runTool(const QString &program, const QStringList &args, const QProcessEnvironment &env,
                int timeoutMs = 20000);

// `env` in a UTF-8 locale, as a desktop session runs. Programs and tools started without
// one do not agree on window names: a Qt program then writes its Chinese title as bytes of
// no declared encoding, and xdotool never finds it by name.
QProcessEnvironment inUtf8Locale(QProcessEnvironment env);

// The place and size of X window `window` on the screen, as the X server has it.
std::optional<QRect> xWindowGeometry(const QString &window, const QProcessEnvironment &env);

// Waits until the geometry of `window` has stayed the same for a moment and returns it.
std::optional<QRect> settledXWindowGeometry(const QString &window, const QProcessEnvironment &env);

// The first visible top-level window whose name matches `name`; "" when none appeared
// within `timeoutMs`.
QString findVisibleWindow(const QString &name, const QProcessEnvironment &env, int timeoutMs = 30000);

// openbox, the window manager of many light desktops: it reparents each window into a frame
// of its own and moves windows at their request.
class WindowManager
{
public:
    WindowManager() = default;
    WindowManager(const WindowManager &) = delete;
    WindowManager &operator=(const WindowManager &) = delete;
    ~WindowManager();

    // Starts openbox on the display of `xEnv` and waits until it manages the screen.
    bool start(const QProcessEnvironment &xEnv, QString *error);
    void stop();

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_process;
};

// A D-Bus session bus and fcitx5 on it, whose active input method is pinyin from the start.
class InputMethod
{
public:
    InputMethod() = default;
    InputMethod(const InputMethod &) = delete;
    InputMethod &operator=(const InputMethod &) = delete;
    ~InputMethod();

    // Why the input method cannot run on this machine (a part not installed); "" when it can.
    static QString missingPart();

    // Starts the bus and fcitx5 on the display of `xEnv` and waits until fcitx5 is on the bus.
    bool start(const QProcessEnvironment &xEnv, QString *error);
    void stop();

    // `xEnv` for a Qt program that types through this input method.
    QProcessEnvironment clientEnvironment(QProcessEnvironment xEnv) const;

private:
    QProcessEnvironment sessionEnvironment(QProcessEnvironment xEnv) const;

    std::unique_ptr<QTemporaryDir> m_home;
    QProcess m_bus;
    QProcess m_fcitx;
    QString m_busAddress;
};

// A D-Bus session bus and, on it, the accessibility bus as a desktop with assistive
// technology switched on runs it: at-spi-bus-launcher, which starts the accessibility bus
// and, on the first call, its registry. A Qt program started with environment() shows its
// accessibility tree there, and a screen reader with the same environment reads it.
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
