// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop_session.h"

#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"
#include "output/report.h"
#include "private_servers.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QFile>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QThread>

#include <csignal>

using namespace Qt::StringLiterals;

namespace e2e {
namespace {

using testsupport::waitFor;

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size()
           && file.flush();
}

QString logTail(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return QString::fromLocal8Bit(all.right(2000));
}

// The accessibility test's session bus: it starts no services of its own; everything on it
// is started by the test.
constexpr char kBusConfig[] =
    R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

// One group holding the US keyboard and pinyin, with pinyin the input method to use.
constexpr char kFcitxProfile[] = R"([Groups/0]
Name=Default
Default Layout=us
DefaultIM=pinyin

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=pinyin
Layout=

[GroupOrder]
0=Default
)";

// Every new input field starts with the input method switched on, as on a Chinese desktop.
constexpr char kFcitxConfig[] = R"([Behavior]
ActiveByDefault=True
)";

const QString kFcitxService = u"org.fcitx.Fcitx5"_s;

std::optional<QRect> xWindowGeometry(const QString &window, const QProcessEnvironment &env)
{
    const ToolRun run = runTool(u"xdotool"_s, {u"getwindowgeometry"_s, u"--shell"_s, window}, env);
    if (!run.ok)
        return std::nullopt;
    QHash<QByteArray, int> values;
    for (const QByteArray &line : run.out.split('\n')) {
        const qsizetype eq = line.indexOf('=');
        if (eq > 0)
            values.insert(line.left(eq), line.mid(eq + 1).trimmed().toInt());
    }
    for (const char *key : {"X", "Y", "WIDTH", "HEIGHT"}) {
        if (!values.contains(key))
            return std::nullopt;
    }
    return QRect(values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]);
}

// Starts a session bus of the test's own, its socket in `home`; its address, "" when it did
// not come up.
QString startSessionBus(QProcess &bus, const QString &home)
{
    if (!writeFile(home + u"/bus.conf"_s, QString::fromLatin1(kBusConfig).arg(home).toUtf8()))
        return {};
    // The bus prints its address once it takes connections.
    bus.setStandardErrorFile(home + u"/bus.log"_s);
    testsupport::startTiedToThisProcess(
        bus, testsupport::findTool(u"dbus-daemon"_s),
        {u"--config-file="_s + home + u"/bus.conf"_s, u"--nofork"_s, u"--print-address=1"_s});
    QByteArray out;
    bus.waitForStarted(5000)
        && waitFor(
            [&] {
                bus.waitForReadyRead(100);
                out += bus.readAllStandardOutput();
                return out.contains('\n') || bus.state() != QProcess::Running;
            },
            10000);
    return bus.state() == QProcess::Running ? QString::fromUtf8(out.trimmed()) : QString();
}

// The processes other than this one whose environment holds `variable`: those started,
// directly or not, by a server of this test's own.
QList<qint64> processesWith(const QByteArray &variable)
{
    QList<qint64> found;
    const QStringList pids = QDir(u"/proc"_s).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : pids) {
        bool ok = false;
        const qint64 id = pid.toLongLong(&ok);
        QFile environ(u"/proc/%1/environ"_s.arg(pid));
        if (ok && id != QCoreApplication::applicationPid() && environ.open(QIODevice::ReadOnly)
            && environ.readAll().split('\0').contains(variable))
            found.append(id);
    }
    return found;
}

} // namespace

QString missingPart(const QStringList &tools)
{
    if (qEnvironmentVariable("MENGJIAN_PRIVATE_DESKTOP") != u"1"_s)
        return u"no private X display: run the test through ctest, which starts it under xvfb-run "
               "(scripts/install-deps.sh installs xvfb)"_s;
    for (const QString &tool : tools) {
        if (testsupport::findTool(tool).isEmpty())
            return tool + u" is not installed (scripts/install-deps.sh installs it)"_s;
    }
    return {};
}

QProcessEnvironment desktopEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    env.remove(u"WAYLAND_DISPLAY"_s);
    env.insert(u"LC_ALL"_s, u"C.UTF-8"_s);
    return env;
}

ToolRun runTool(const QString &program, const QStringList &args, const QProcessEnvironment &env,
                int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(program, args);
    ToolRun run;
    if (!p.waitForStarted(5000))
        return run;
    if (!p.waitForFinished(timeoutMs)) {
        testsupport::stopProcess(p);
        return run;
    }
    run.ok = p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    run.out = p.readAllStandardOutput();
    return run;
}

QString startProgram(QProcess &app, const QProcessEnvironment &env, const QStringList &args, QRect *geometry)
{
    app.setProcessEnvironment(env);
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    testsupport::startTiedToThisProcess(app, QStringLiteral(MENGJIAN_APP_PATH), args);
    const QString window = app.waitForStarted(10000) ? findVisibleWindow(u"^梦鉴$"_s, env) : QString();
    // Keys typed while the program is still busy opening its window can arrive after xdotool
    // has taken back the key mapping they were typed with: wait until the window stays put.
    const std::optional<QRect> settled = window.isEmpty() ? std::nullopt
                                                          : settledXWindowGeometry(window, env);
    if (!settled) {
        testsupport::stopProcess(app);
        return {};
    }
    if (geometry)
        *geometry = *settled;
    return window;
}

QByteArray readClipboard(const QProcessEnvironment &env)
{
    QByteArray text;
    waitFor(
        [&] {
            const ToolRun read = runTool(u"xclip"_s, {u"-o"_s, u"-selection"_s, u"clipboard"_s}, env, 10000);
            text = read.ok ? read.out : QByteArray();
            return !text.isEmpty();
        },
        15000);
    return text;
}

QString expectedReport(const QString &fieldText)
{
    QString keyword = fieldText;
    const modJieMEng::ShownResult shown = modJieMEng::showResult(modJieMEng::LookupKeyword(keyword));
    return output::ComposeReport({fieldText, shown.text, shown.references});
}

std::optional<QRect> settledXWindowGeometry(const QString &window, const QProcessEnvironment &env)
{
    std::optional<QRect> last = xWindowGeometry(window, env);
    for (int i = 0; i < 30 && last; ++i) {
        QThread::msleep(150);
        const std::optional<QRect> now = xWindowGeometry(window, env);
        if (now == last)
            return now;
        last = now;
    }
    return std::nullopt;
}

QString findVisibleWindow(const QString &name, const QProcessEnvironment &env, int timeoutMs)
{
    QString found;
    waitFor(
        [&] {
            const ToolRun run =
                runTool(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, name}, env, 5000);
            const QList<QByteArray> ids = run.out.trimmed().split('\n');
            if (run.ok && !ids.first().isEmpty())
                found = QString::fromLatin1(ids.first().trimmed());
            return !found.isEmpty();
        },
        timeoutMs);
    return found;
}

// --- WindowManager -----------------------------------------------------------------------

WindowManager::~WindowManager()
{
    testsupport::stopProcess(m_process);
}

bool WindowManager::start(QString *error)
{
    const QString openbox = testsupport::findTool(u"openbox"_s);
    if (openbox.isEmpty()) {
        *error = u"openbox is not installed (scripts/install-deps.sh installs it)"_s;
        return false;
    }
    m_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/mengjian-wm-XXXXXX"_s);
    QProcessEnvironment env = desktopEnvironment();
    env.insert(u"HOME"_s, m_home->path());
    env.insert(u"XDG_CONFIG_HOME"_s, m_home->filePath(u"config"_s));
    env.insert(u"XDG_CACHE_HOME"_s, m_home->filePath(u"cache"_s));
    m_process.setProcessEnvironment(env);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_home->filePath(u"openbox.log"_s));
    testsupport::startTiedToThisProcess(m_process, openbox, {u"--sm-disable"_s});
    if (!m_process.waitForStarted(5000)) {
        *error = u"openbox did not start: "_s + m_process.errorString();
        return false;
    }
    // A window manager announces itself on the root window once it manages the screen.
    const bool managing = waitFor(
        [&] {
            const ToolRun run = runTool(u"xprop"_s, {u"-root"_s, u"_NET_SUPPORTING_WM_CHECK"_s}, env, 5000);
            return m_process.state() != QProcess::Running || (run.ok && run.out.contains("window id"));
        },
        20000);
    if (!managing || m_process.state() != QProcess::Running) {
        *error = u"openbox did not take over the screen: "_s + logTail(m_home->filePath(u"openbox.log"_s));
        testsupport::stopProcess(m_process);
        return false;
    }
    return true;
}

// --- InputMethod -------------------------------------------------------------------------

InputMethod::~InputMethod()
{
    testsupport::stopProcess(m_fcitx);
}

QString InputMethod::missingPart()
{
    if (qEnvironmentVariable("MENGJIAN_PRIVATE_SESSION_BUS") != u"1"_s)
        return u"no private D-Bus session: run the test through ctest, which starts it under "
               "dbus-run-session (scripts/install-deps.sh installs dbus-daemon)"_s;
    if (testsupport::findTool(u"fcitx5"_s).isEmpty())
        return u"fcitx5 is not installed (scripts/install-deps.sh installs it)"_s;
    if (QStandardPaths::locate(QStandardPaths::GenericDataLocation, u"fcitx5/addon/pinyin.conf"_s).isEmpty())
        return u"fcitx5's pinyin input method is not installed (fcitx5-chinese-addons; "
               "scripts/install-deps.sh installs it)"_s;
    const QString plugin = QLibraryInfo::path(QLibraryInfo::PluginsPath)
                           + u"/platforminputcontexts/libfcitx5platforminputcontextplugin.so"_s;
    if (!QFile::exists(plugin))
        return u"fcitx5's front end for Qt 6 is not installed (fcitx5-frontend-qt6; "
               "scripts/install-deps.sh installs it)"_s;
    return {};
}

QProcessEnvironment InputMethod::clientEnvironment() const
{
    QProcessEnvironment env = desktopEnvironment();
    const QString home = m_home->path();
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
    env.insert(u"XDG_DATA_HOME"_s, home + u"/data"_s);
    env.insert(u"XDG_CACHE_HOME"_s, home + u"/cache"_s);
    env.insert(u"XDG_STATE_HOME"_s, home + u"/state"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, home); // a QTemporaryDir is private to its owner (0700)
    env.insert(u"QT_IM_MODULE"_s, u"fcitx"_s);
    env.insert(u"XMODIFIERS"_s, u"@im=fcitx"_s);
    return env;
}

bool InputMethod::start(QString *error)
{
    if (const QString missing = missingPart(); !missing.isEmpty()) {
        *error = missing;
        return false;
    }
    m_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/mengjian-im-XXXXXX"_s);
    const QString home = m_home->path();
    if (!m_home->isValid() || !QDir(home).mkpath(u"config/fcitx5"_s)
        || !writeFile(home + u"/config/fcitx5/profile"_s, kFcitxProfile)
        || !writeFile(home + u"/config/fcitx5/config"_s, kFcitxConfig)) {
        *error = u"cannot write the input method's settings under "_s + home;
        return false;
    }

    const QString log = home + u"/fcitx5.log"_s;
    QProcessEnvironment env = clientEnvironment();
    env.remove(u"QT_IM_MODULE"_s);
    env.remove(u"XMODIFIERS"_s);
    m_fcitx.setProcessEnvironment(env);
    m_fcitx.setProcessChannelMode(QProcess::MergedChannels);
    m_fcitx.setStandardOutputFile(log);
    // Only the parts a Qt program on X needs: no Wayland, no tray icon, no notifications.
    testsupport::startTiedToThisProcess(
        m_fcitx, testsupport::findTool(u"fcitx5"_s),
        {u"--disable=wayland,waylandim,kimpanel,notificationitem,notifications"_s});
    const bool onBus = m_fcitx.waitForStarted(5000)
                       && waitFor(
                           [&] {
                               return m_fcitx.state() != QProcess::Running
                                      || QDBusConnection::sessionBus()
                                             .interface()
                                             ->isServiceRegistered(kFcitxService)
                                             .value();
                           },
                           30000)
                       && m_fcitx.state() == QProcess::Running;
    if (!onBus) {
        *error = u"fcitx5 did not come up on the session bus: "_s + logTail(log);
        testsupport::stopProcess(m_fcitx);
        return false;
    }
    return true;
}

// --- AccessibilityBus ----------------------------------------------------------------------

namespace {
constexpr char kBusLauncher[] = "/usr/libexec/at-spi-bus-launcher";
}

AccessibilityBus::~AccessibilityBus()
{
    stop();
}

QString AccessibilityBus::missingPart()
{
    if (testsupport::findTool(u"dbus-daemon"_s).isEmpty() || !QFile::exists(QLatin1StringView(kBusLauncher)))
        return u"the accessibility bus is not installed (at-spi2-core; scripts/install-deps.sh installs it)"_s;
    return {};
}

QProcessEnvironment AccessibilityBus::environment(QProcessEnvironment env) const
{
    // Home, settings and the accessibility bus's socket in the test's own folder.
    const QString home = m_home->path();
    env.insert(u"HOME"_s, home);
    env.insert(u"XDG_CONFIG_HOME"_s, home + u"/config"_s);
    env.insert(u"XDG_CACHE_HOME"_s, home + u"/cache"_s);
    env.insert(u"XDG_RUNTIME_DIR"_s, home);
    env.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_busAddress);
    return env;
}

bool AccessibilityBus::start(const QProcessEnvironment &xEnv, QString *error)
{
    stop();
    if (const QString missing = missingPart(); !missing.isEmpty()) {
        *error = missing;
        return false;
    }
    m_home = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/mengjian-a11y-XXXXXX"_s);
    m_busAddress = m_home->isValid() ? startSessionBus(m_bus, m_home->path()) : QString();
    if (m_busAddress.isEmpty()) {
        *error = u"the D-Bus session bus did not start"_s;
        stop();
        return false;
    }
    // Switched on, as a desktop does for a screen reader; the bus at once.
    m_launcher.setProcessEnvironment(environment(xEnv));
    m_launcher.setProcessChannelMode(QProcess::MergedChannels);
    m_launcher.setStandardOutputFile(m_home->filePath(u"launcher.log"_s));
    testsupport::startTiedToThisProcess(m_launcher, QLatin1StringView(kBusLauncher),
                                        {u"--launch-immediately"_s, u"--a11y=1"_s});
    QDBusConnection bus = QDBusConnection::connectToBus(m_busAddress, u"mengjian-a11y-check"_s);
    const bool onBus = m_launcher.waitForStarted(5000) && bus.isConnected()
                       && waitFor(
                           [&] {
                               return m_launcher.state() != QProcess::Running
                                      || bus.interface()->isServiceRegistered(u"org.a11y.Bus"_s).value();
                           },
                           20000)
                       && m_launcher.state() == QProcess::Running;
    QDBusConnection::disconnectFromBus(u"mengjian-a11y-check"_s);
    if (!onBus) {
        *error = u"the accessibility bus did not come up: "_s + logTail(m_home->filePath(u"launcher.log"_s));
        stop();
        return false;
    }
    return true;
}

void AccessibilityBus::stop()
{
    testsupport::stopProcess(m_launcher);
    testsupport::stopProcess(m_bus);
    if (m_busAddress.isEmpty())
        return;
    // The registry is started by the accessibility bus and ends with the session bus, a
    // moment later; whatever still runs on this session after a while is stopped.
    const QByteArray mine = "DBUS_SESSION_BUS_ADDRESS=" + m_busAddress.toUtf8();
    if (!waitFor([&] { return processesWith(mine).isEmpty(); }, 5000)) {
        for (const qint64 pid : processesWith(mine))
            ::kill(pid_t(pid), SIGKILL);
    }
    m_busAddress.clear();
}

} // namespace e2e
