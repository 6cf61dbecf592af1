// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;

namespace ui {
class frmMain;
}

namespace modOther {

// One running copy of the program per user and display. The first start listens on a local
// socket in the user's runtime folder ($XDG_RUNTIME_DIR, private to the user), named after
// the display; a later start on the same display hands its keyword to that copy, whose
// window shows the keyword's result and comes to the front, and ends.
//
// A message is the keyword in UTF-8 and a line feed (an empty line only brings the window
// forward); the running copy answers "ok" and a line feed once its window has done so.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    SingleInstance();
    ~SingleInstance() override;

    // The socket's path for this user and the display the application runs on; "" when the
    // user has no runtime folder. Call after QApplication is created.
    static QString socketPath();

    // Hands `keyword` to the copy already running on this display and returns true once it
    // has taken it. Otherwise takes the socket for this process and returns false: the
    // caller starts the window and passes it to serve(). A socket left behind by a copy
    // that died is taken over.
    bool handOver(const QString &keyword);

    // Later starts' keywords go to `window` (messages that arrive before this wait).
    void serve(ui::frmMain *window);

private:
    void acceptConnections();
    static bool send(const QString &path, const QString &keyword);

    QLocalServer *m_server = nullptr;
    QPointer<ui::frmMain> m_window;
};

// Shows `keyword`'s result in `window` as a keyword click does (nothing for ""), and brings
// the window to the front: out of the task bar if minimised, raised and activated.
void bringForward(ui::frmMain *window, const QString &keyword);

} // namespace modOther
