// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace ui {
class frmMain;
}

namespace modOther {

// One running copy of the program per display in the user's desktop session. The first start
// takes a name on the session bus, named after the display; a later start on the same display
// hands its keyword to that copy, whose window shows the keyword's result and comes to the
// front, and ends. The bus gives the name back the moment the copy that holds it ends, however
// it ends. Without a session bus every start is a copy of its own.
class SingleInstance : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.example.ruilan.mengjian")

public:
    SingleInstance();
    ~SingleInstance() override;

    // The bus name of the copy on the display the application runs on. Call after
    // QApplication is created.
    static QString serviceName();

    // Hands `keyword` to the copy already running on this display and returns true once its
    // window has taken it. Otherwise takes the name for this process and returns false: the
    // caller starts the window and passes it to serve().
    bool handOver(const QString &keyword);

    // Later starts' keywords go to `window` (one that came before this waits).
    void serve(ui::frmMain *window);

public slots:
    // The bus method "open", called by a later start: shows `keyword` ("" only brings the
    // window forward).
    void open(const QString &keyword);

private:
    bool m_registered = false;
    QPointer<ui::frmMain> m_window;
    bool m_waiting = false;
    QString m_waitingKeyword;
};

// Shows `keyword`'s result in `window` as a keyword click does (nothing for ""), and brings
// the window to the front: out of the task bar if minimised, raised and activated.
void bringForward(ui::frmMain *window, const QString &keyword);

} // namespace modOther
