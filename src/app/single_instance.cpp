// SPDX-License-Identifier: GPL-3.0-or-later
#include "single_instance.h"

#include "ui/frm_main.h"

#include <QFile>
#include <QGuiApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QRegularExpression>
#include <QStandardPaths>

#include <csignal>
#include <cstring>

#include <unistd.h>

namespace modOther {
namespace {

constexpr int kConnectTimeoutMs = 1000;
// The running copy may be busy for a moment (a query, a modal box's own loop still answers).
constexpr int kAnswerTimeoutMs = 5000;

// The display the application runs on, as a file-name part: ":0" for DISPLAY=:0.0,
// "wayland-0" for the default Wayland socket.
QString displayName()
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
        // An absolute socket path names the display as well as a name does.
        name.replace(u'/', u'_');
    }
    if (name.isEmpty())
        name = platform;
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9:._-]"));
    return name.replace(unsafe, QStringLiteral("_"));
}

// The socket file of this process, removed when a signal ends the process (a session's
// logout, Ctrl+C in a terminal), so that no file outlives the program.
char g_socketFile[4096];

extern "C" void removeSocketFileAndEnd(int signal)
{
    ::unlink(g_socketFile);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

void removeSocketFileOnSignals(const QString &path)
{
    const QByteArray file = QFile::encodeName(path);
    if (file.size() >= qsizetype(sizeof g_socketFile))
        return;
    std::memcpy(g_socketFile, file.constData(), std::size_t(file.size()) + 1);
    struct sigaction action = {};
    action.sa_handler = removeSocketFileAndEnd;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

} // namespace

SingleInstance::SingleInstance() = default;

SingleInstance::~SingleInstance()
{
    // Closing removes the socket file, so that the next start finds no one.
    if (m_server)
        m_server->close();
}

QString SingleInstance::socketPath()
{
    // Qt's runtime location is $XDG_RUNTIME_DIR, or a folder of the user's own (0700) that
    // Qt makes when the variable is not set; "" when there is none.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return folder.isEmpty() ? QString()
                            : folder + QStringLiteral("/mengjian-%1.socket").arg(displayName());
}

bool SingleInstance::send(const QString &path, const QString &keyword)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    QString line = keyword;
    line.replace(u'\n', u' ');
    socket.write(line.toUtf8() + '\n');
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerTimeoutMs))
        answer += socket.readAll();
    return answer.startsWith("ok\n");
}

bool SingleInstance::handOver(const QString &keyword)
{
    const QString path = socketPath();
    if (path.isEmpty())
        return false; // no private folder for a socket: a copy of its own
    if (send(path, keyword))
        return true;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(path)) {
        // Another start took the socket a moment ago, or a copy died and left it behind.
        if (send(path, keyword))
            return true;
        QLocalServer::removeServer(path);
        m_server->listen(path);
    }
    // Without a socket the program still runs, only as a copy of its own.
    if (m_server->isListening())
        removeSocketFileOnSignals(m_server->fullServerName());
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return false;
}

void SingleInstance::serve(ui::frmMain *window)
{
    m_window = window;
    acceptConnections();
}

void SingleInstance::acceptConnections()
{
    if (!m_server || !m_window)
        return;
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto readLine = [this, socket] {
            if (!socket->canReadLine())
                return;
            const QString keyword = QString::fromUtf8(socket->readLine()).chopped(1);
            if (m_window)
                bringForward(m_window, keyword);
            socket->write("ok\n");
            socket->disconnectFromServer();
        };
        connect(socket, &QLocalSocket::readyRead, socket, readLine);
        readLine();
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
