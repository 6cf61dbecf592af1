// SPDX-License-Identifier: GPL-3.0-or-later
// The first answer after start, in the real window on a real display: the window is shown,
// left idle for a moment as a user would before typing, then the keys "钟" and Enter go to
// the keyword input, and the clock stops once the result has been painted and handed to
// the display. The same keys again give the warm figure. Then one key, "蛇", to the painted
// suggestion list.
// mengjian-first-answer [IDLE_MS]   prints "first <ms> warm <ms> list <ms>"

#include "face/face.h"
#include "ui/controls/labelled_input.h"
#include "ui/controls/suggestion_list.h"
#include "ui/frm_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

// Counts the paint events of one widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

void sendKey(QWidget *target, Qt::Key key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

void idle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Types the keyword and Enter, then lets the window paint as its event loop would.
double timeAnswer(ui::frmMain &window, PaintCounter &counter)
{
    QLineEdit *field = window.findChild<ui::LabelledInput *>(QStringLiteral("txtWord"))->field();
    field->clear();
    idle(50);
    counter.paints = 0;
    QElapsedTimer clock;
    clock.start();
    sendKey(field, Qt::Key_unknown, QStringLiteral("钟"));
    sendKey(field, Qt::Key_Return, QStringLiteral("\r"));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (counter.paints == 0
        || window.findChild<ui::LabelledInput *>(QStringLiteral("txtWord"))->text()
               != QStringLiteral("钟")) {
        std::fprintf(stderr, "the result was not painted\n");
        std::exit(1);
    }
    return ms;
}

// Counts the paint events of a widget and its children (a list view paints its viewport).
class TreePaintCounter : public QObject
{
public:
    explicit TreePaintCounter(QWidget *root)
        : m_root(root)
    {
        qApp->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()
            && (watched == m_root || m_root->isAncestorOf(static_cast<QWidget *>(watched))))
            ++paints;
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_root;
};

// One key to the painted suggestion list.
double timeList(ui::frmMain &window)
{
    QLineEdit *field = window.findChild<ui::LabelledInput *>(QStringLiteral("txtWord"))->field();
    field->clear();
    idle(50);
    TreePaintCounter counter(window.suggestionList());
    QElapsedTimer clock;
    clock.start();
    sendKey(field, Qt::Key_unknown, QStringLiteral("蛇"));
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    if (counter.paints == 0) {
        std::fprintf(stderr, "the suggestion list was not painted\n");
        std::exit(1);
    }
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    face::substituteFonts();
    const int idleMs = argc > 1 ? std::atoi(argv[1]) : 1000;

    ui::frmMain window;
    PaintCounter counter;
    window.findChild<QLabel *>(QStringLiteral("lblDscr"))->installEventFilter(&counter);
    window.show();
    while (!window.windowHandle() || !window.windowHandle()->isExposed() || counter.paints == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    window.activateWindow();
    idle(idleMs);

    const double first = timeAnswer(window, counter);
    const double warm = timeAnswer(window, counter);
    const double list = timeList(window);
    std::printf("first %.2f warm %.2f list %.2f\n", first, warm, list);
    return 0;
}
