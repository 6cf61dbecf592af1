// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/query_history.h"

#include <QObject>

#include <functional>

class QWidget;

namespace ui {

class ResultsView;

// Back and forward through the session's queries: Alt+Left and Alt+Right, the Back and
// Forward keys, and the mouse's side buttons anywhere in `window`. A step shows its
// keyword's query or reading again through `show` and returns to the scroll position its result was
// left at. The remembered positions follow the results' scrolling and text size.
class QueryNavigation : public QObject
{
    Q_OBJECT

public:
    using Show = std::function<void(const QString &keyword, bool reading)>;

    QueryNavigation(QWidget *window, ResultsView *results, Show show);

    // A query for `keyword` ran; one run by a step back or forward is not recorded again.
    void record(const QString &keyword, bool reading = false);
    const QueryHistory &history() const { return m_history; }

    void goBack();
    void goForward();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEntry(const QueryHistory::Entry &entry);

    QWidget *m_window;
    ResultsView *m_results;
    Show m_show;
    QueryHistory m_history;
    bool m_showingEntry = false;
};

} // namespace ui
