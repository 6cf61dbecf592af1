// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/query_navigation.h"

#include "ui/results_view.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QShortcut>

namespace ui {

QueryNavigation::QueryNavigation(QWidget *window, ResultsView *results, Show show)
    : QObject(window)
    , m_window(window)
    , m_results(results)
    , m_show(std::move(show))
{
    auto *back = new QShortcut(window);
    back->setKeys({QKeySequence(Qt::ALT | Qt::Key_Left), QKeySequence(Qt::Key_Back)});
    connect(back, &QShortcut::activated, this, &QueryNavigation::goBack);
    auto *forward = new QShortcut(window);
    forward->setKeys({QKeySequence(Qt::ALT | Qt::Key_Right), QKeySequence(Qt::Key_Forward)});
    connect(forward, &QShortcut::activated, this, &QueryNavigation::goForward);

    connect(results, &ResultsView::scrollPositionChanged, this,
            [this](int value) { m_history.setScroll(value); });
    connect(results, &ResultsView::lineHeightChanged, this, [this](int lineHeight, int oldLineHeight) {
        m_history.scaleScrolls(lineHeight, oldLineHeight);
    });
    // The side buttons reach whichever control is under the pointer.
    qApp->installEventFilter(this);
}

void QueryNavigation::record(const QString &keyword, bool reading)
{
    if (!m_showingEntry)
        m_history.record(keyword, reading);
}

void QueryNavigation::goBack()
{
    if (const std::optional<QueryHistory::Entry> entry = m_history.back())
        showEntry(*entry);
}

void QueryNavigation::goForward()
{
    if (const std::optional<QueryHistory::Entry> entry = m_history.forward())
        showEntry(*entry);
}

void QueryNavigation::showEntry(const QueryHistory::Entry &entry)
{
    {
        const QScopedValueRollback guard(m_showingEntry, true);
        m_show(entry.keyword, entry.reading);
    }
    m_results->setScrollPosition(entry.scroll);
}

bool QueryNavigation::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
        && watched->isWidgetType() && static_cast<QWidget *>(watched)->window() == m_window) {
        const Qt::MouseButton button = static_cast<QMouseEvent *>(event)->button();
        if (button == Qt::BackButton || button == Qt::ForwardButton) {
            if (button == Qt::BackButton)
                goBack();
            else
                goForward();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ui
