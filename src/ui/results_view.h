// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/controls/panel.h"
#include "ui/style.h"
#include "ui/window_layout.h"

#include <QList>
#include <QString>
#include <QStringList>

class QScrollBar;

namespace ui {

class ReferenceLabel;
class ResultLabel;

// The results pane: the ridged "解梦结果" panel (frmBack) with, inside it, the viewport
// (frmFore) and its scroll bar (VScroll1), and on the scrolled results panel (Frame1) the
// result label (lblDscr) and the reference label array (lblRefer).
//
// lblRefer[0] is the header "参照关键字：" and lblRefer[1] always exists; elements 2..n
// are created by showResult() and destroyed at the start of the next one. A keyword label
// shows the hover colour while the pointer is on it, takes the keyboard in the order of
// the list, and reports a click or Enter/Space as keywordChosen(). The keyboard reaches
// the result text first, then the keyword labels; when a new result is shown while the
// keyboard is in the pane, the keyboard goes straight to the new result text (and a
// screen reader reads it), never through another control on its way.
//
// The pane does not place itself: the window's layout pass (ArrangeWindow) asks it for
// the sizes that depend on its contents (lineHeightTwips(), keywordLabelCount(),
// resultTextHeightTwips()) and hands the result to applyGeometry(). After anything that
// changes those sizes the window runs a new pass.
class ResultsView : public Panel
{
    Q_OBJECT

public:
    explicit ResultsView(QWidget *parent = nullptr);

    // Shows a query's result text and its keywords, scrolled to the top.
    void showResult(const QString &text, const QStringList &keywords);
    // Shows `text` with no keywords; the scroll position and the panel's size stay.
    void showWelcome(const QString &text);

    // The result text exactly as given (line breaks "\r\n" included).
    QString resultText() const;
    // The captions of the shown keyword labels, in order.
    QStringList keywords() const;

    // The scroll position in twips from the top of the results panel; 0 when it fits.
    int scrollPosition() const;
    // Scrolls to `twips`, held within the scroll range.
    void setScrollPosition(int twips);

    // True when the keyboard focus is on a control of the pane.
    bool hasFocusInside() const;
    // Gives the keyboard focus to the result text.
    void focusResultText();
    // Puts the result text and the shown keyword labels after `previous` in the keyboard's
    // order and returns the last of them.
    QWidget *chainTabOrder(QWidget *previous);

    // The size of the result text, the header and the keyword labels, in points. A change
    // asks the window for a new layout pass (layoutRequested) and keeps the text about
    // where it was: the scroll position follows the line height.
    int textSize() const { return m_textSize; }
    void setTextSize(int points);
    // Moves `steps` places up (positive) or down the list of text sizes, held to its ends.
    void zoomBy(int steps);

    // What the layout pass needs to know.
    int lineHeightTwips() const;
    int keywordLabelCount() const;
    int resultTextHeightTwips(int widthTwips) const;
    // Places the viewport, the scroll bar, the results panel and its labels as the layout
    // pass computed them (the pane itself is placed by the window, at g.frmBack).
    void applyGeometry(const WindowGeometry &g);

    // The label array: [0] the header, [1..] the keyword labels, shown or hidden. The other
    // parts carry their names as object names (frmFore, VScroll1, Frame1, lblDscr).
    const QList<ReferenceLabel *> &lblRefer() const { return m_lblRefer; }

signals:
    // A keyword label was clicked, or Enter or Space pressed on it.
    void keywordChosen(const QString &keyword);
    // The text size changed: the window lays out the results again (ArrangeWindow).
    void layoutRequested();
    // The text size changed the line height (twips) from `oldLineHeight` to `lineHeight`.
    void lineHeightChanged(int lineHeight, int oldLineHeight);
    // The scroll position changed (twips, as scrollPosition()).
    void scrollPositionChanged(int twips);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    ReferenceLabel *createKeywordLabel(int index);
    void destroyKeywordLabels();
    void keywordLabelClicked(int index);
    void keywordLabelHovered(int index);
    void clearHover();
    void scrollToKeyword(int index);
    void scrollToResultText();
    void keepFocusThroughChange();
    void scrollChanged(int value);

    QWidget *m_frmFore = nullptr;
    QScrollBar *m_VScroll1 = nullptr;
    QWidget *m_Frame1 = nullptr;
    ResultLabel *m_lblDscr = nullptr;
    QList<ReferenceLabel *> m_lblRefer;
    int m_textSize = style::kResultTextSizes[0];
    int m_zoomDelta = 0; // wheel movement not yet a whole notch
};

} // namespace ui
