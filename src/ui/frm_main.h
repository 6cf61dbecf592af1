#pragma once

#include "output/report.h"
#include "ui/window_layout.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QLabel;
class QScrollBar;
class QSvgWidget;

namespace ui {

class LabelledInput;
class Panel;
class ReferenceLabel;
class ResultLabel;
class TitleBar;
class ToolButton;

// The main window. Creating it runs its load sequence: colours and borders, the default
// status text, the welcome text, then the omen verse table and the dream record table.
//
// The window keeps no copy of the current query: the query state is what its controls
// show (the keyword input's text, the result label's text, the captions of the shown
// keyword labels), read at the moment it is needed.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // Runs one query for `keyword` (trimmed of spaces here) and shows its result.
    void RunQuery(const QString &keyword);
    // Places every control for the window's current inner size.
    void ArrangeWindow();
    // Replaces the status bar's one line of text.
    void ShowStatus(const QString &text);

    static QString WelcomeText();
    static QString DefaultStatusText();

    // The query state.
    QString currentKeyword() const;
    QString resultText() const;
    QStringList shownReferences() const;
    output::QueryState queryState() const;

    // The controls, for the output commands and for tests.
    TitleBar *titleBar() const { return m_titleBar; }
    LabelledInput *txtWord() const { return m_txtWord; }
    Panel *frmBack() const { return m_frmBack; }
    Panel *statusBar() const { return m_statusBar; }
    QWidget *frmFore() const { return m_frmFore; }
    QWidget *Frame1() const { return m_Frame1; }
    QScrollBar *VScroll1() const { return m_VScroll1; }
    QLabel *lblDscr() const;
    const QList<ReferenceLabel *> &lblRefer() const { return m_lblRefer; }
    ToolButton *btnSave() const { return m_btnSave; }
    ToolButton *btnCopy() const { return m_btnCopy; }
    ToolButton *btnPrint() const { return m_btnPrint; }
    ToolButton *btnWeb() const { return m_btnWeb; }
    ToolButton *btnClose() const { return m_btnClose; }
    const WindowGeometry &geometryInTwips() const { return m_geometry; }
    int lineHeightTwips() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void Load();
    void ApplyGeometry();
    void DestroyKeywordLabels();
    ReferenceLabel *CreateKeywordLabel(int index);
    void KeywordLabelClicked(int index);
    void KeywordLabelHovered(int index);
    void ResultsPanelHovered();
    void ScrollChanged(int value);
    void CheckInput();
    void UpdateTabOrder();
    void ShowAbout();
    void SaveReport();
    void CopyReport();
    void PrintReport();
    void OpenMakerSite();
    Qt::Edges EdgesAt(QPoint pos) const;
    void StartResize(Qt::Edges edges, QPoint globalPos);

    TitleBar *m_titleBar = nullptr;
    ToolButton *m_btnSave = nullptr;
    ToolButton *m_btnCopy = nullptr;
    ToolButton *m_btnPrint = nullptr;
    ToolButton *m_btnWeb = nullptr;
    ToolButton *m_btnClose = nullptr;
    LabelledInput *m_txtWord = nullptr;
    Panel *m_frmBack = nullptr;
    Panel *m_statusBar = nullptr;
    QWidget *m_frmFore = nullptr;
    QScrollBar *m_VScroll1 = nullptr;
    QWidget *m_Frame1 = nullptr;
    ResultLabel *m_lblDscr = nullptr;
    QList<ReferenceLabel *> m_lblRefer;
    QSvgWidget *m_Image1 = nullptr;
    QColor m_lineColor;
    WindowGeometry m_geometry;
    bool m_shownBefore = false;
    // Resizing by hand where the window system does not do it.
    Qt::Edges m_resizeEdges;
    QRect m_resizeStartGeometry;
    QPoint m_resizeStartPos;
};

} // namespace ui
