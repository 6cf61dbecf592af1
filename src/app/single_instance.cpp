// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include "ui/frm_main.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QGuiApplication>
#include <QRegularExpression>

#include <utility>

namespace modOther {
namespace {

constexpr auto kObjectPath = "/org/example/ruilan/mengjian";
constexpr auto kInterface = "org.example.ruilan.mengjian";
// The running copy may be busy for a moment (a query; a modal box's own loop still answers).
constexpr int kAnswerTimeoutMs = 5000;

// The display the application runs on, as one element of a bus name: "_0" for DISPLAY=:0.0,
// "wayland_0" for the default Wayland socket.
QString displayElement()
{
    const QString platform = QGuiApplication::platformName();
    QString name;
    if (platform == QLatin1StringView("xcb")) {
        name = qEnvironmentVariable("DISPLAY");
        // ":0" and ":0.0" are the same display; only the screen differs.
        static const QRegularExpression screen(QStringLiteral("\\.\\d+$"));
        name.remove(screen);
    } else if (platform.startsWith(QLatin1StringView("wayland"))) {
        name = qEnvironmentVariable("WAYLAND_DISPLAY", QStringLiteral("wayland-0"));
    }
    if (name.isEmpty())
        name = platform;
    // A bus name's elements hold letters, digits and underscores only.
    static const QRegularExpression other(QStringLiteral("[^A-Za-z0-9_]"));
    return name.replace(other, QStringLiteral("_"));
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    if (m_registered)
        QDBusConnection::sessionBus().unregisterService(serviceName());
}

QString SingleInstance::serviceName()
{
    return QLatin1StringView(kInterface) + QStringLiteral(".display") + displayElement();
}

bool SingleInstance::handOver(const QString &keyword)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false; // no session bus: a copy of its own
    const QString service = serviceName();
    // Taking the name is the test: the bus gives it to one start only, even to two at once.
    if (bus.registerService(service)) {
        m_registered =
            bus.registerObject(QLatin1StringView(kObjectPath), this, QDBusConnection::ExportAllSlots);
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        service, QLatin1StringView(kObjectPath), QLatin1StringView(kInterface), QStringLiteral("open"));
    call << keyword;
    // A copy that ended a moment ago no longer answers: this one starts instead.
    return bus.call(call, QDBus::Block, kAnswerTimeoutMs).type() == QDBusMessage::ReplyMessage;
}

void SingleInstance::serve(ui::frmMain *window)
{
    m_window = window;
    if (m_waiting) {
        m_waiting = false;
        bringForward(window, std::exchange(m_waitingKeyword, QString()));
    }
}

void SingleInstance::open(const QString &keyword)
{
    if (m_window) {
        bringForward(m_window, keyword);
    } else {
        // A start while the window is still being made: the window shows it once it is there.
        m_waiting = true;
        m_waitingKeyword = keyword;
    }
}

void bringForward(ui::frmMain *window, const QString &keyword)
{
    if (!keyword.isEmpty())
        window->keywordChosen(keyword);
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace modOther
