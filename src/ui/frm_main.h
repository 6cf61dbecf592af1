// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "output/report.h"
#include "ui/query_history.h"
#include "ui/window_layout.h"

#include <QString>
#include <QStringList>
#include <QWidget>

class QSvgWidget;

namespace ui {

class Announcer;
class EdgeResizer;
class FieldCheck;
class QueryNavigation;
class LabelledInput;
class Panel;
class ResultsView;
class SuggestionList;
class TitleBar;
class ToolButton;

// The main window. Creating it runs its load sequence: colours and borders, the default
// status text, the welcome text, then the omen verse table and the dream record table.
// Its controls carry their names as object names (txtWord, frmBack, lblDscr, btnSave…).
//
// The window keeps no copy of the current query: the query state is what its controls
// show (the keyword input's text, the result label's text, the captions of the shown
// keyword labels), read at the moment it is needed. The results pane (frmBack, a
// ResultsView) shows the result and its keyword labels; the window decides what it shows
// and where it goes.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs one query for `keyword` (trimmed of spaces here) and shows its result.
    void RunQuery(const QString &keyword);
    // Reads `text` as a whole dream (读梦) and shows the reading as a query's result: the
    // result text holds one paragraph per image, the keyword labels the images found.
    void showReading(const QString &text);
    // Places every control for the window's current inner size.
    void ArrangeWindow();
    // Replaces the status bar's one line of text.
    void ShowStatus(const QString &text);
    // Writes `keyword` into txtWord and runs its query, as a click on a keyword label does.
    void keywordChosen(const QString &keyword);

    // The first time it is shown, the window centres itself on its screen.
    void setVisible(bool visible) override;

    static QString welcomeText();
    static QString defaultStatusText();

    // The query state.
    QString currentKeyword() const;
    QString resultText() const;
    QStringList shownReferences() const;
    output::QueryState queryState() const;

    // Where the last layout pass put every control, in twips.
    const WindowGeometry &geometryInTwips() const { return m_geometry; }
    int lineHeightTwips() const;
    SuggestionList *suggestionList() const { return m_suggestions; }
    const QueryHistory &history() const;
    // The size of the result text and the keyword labels, in points.
    int textSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void createControls();
    void load();
    void applyGeometry();
    void showSuggestions();
    void suggestionChosen(const QString &text);
    void checkInput();
    void updateTabOrder();
    void showAbout();
    void SaveReport();
    void CopyReport();
    void PrintReport();
    void OpenMakerSite();

    TitleBar *m_titleBar = nullptr;
    ToolButton *m_btnSave = nullptr;
    ToolButton *m_btnCopy = nullptr;
    ToolButton *m_btnPrint = nullptr;
    ToolButton *m_btnWeb = nullptr;
    ToolButton *m_btnClose = nullptr;
    LabelledInput *m_txtWord = nullptr;
    ResultsView *m_frmBack = nullptr;
    Panel *m_statusBar = nullptr;
    QSvgWidget *m_Image1 = nullptr;
    EdgeResizer *m_edgeResizer = nullptr;
    FieldCheck *m_fieldCheck = nullptr;
    QueryNavigation *m_navigation = nullptr;
    SuggestionList *m_suggestions = nullptr;
    Announcer *m_announcer = nullptr;
    QString m_readingEntry; // the caption of the suggestions' reading entry, if shown
    bool m_warmUpStarted = false;
    QColor m_lineColor;
    WindowGeometry m_geometry;
    bool m_shownBefore = false;
};

} // namespace ui
