// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/results_view.h"

#include "ui/reference_label.h"
#include "ui/result_label.h"
#include "ui/style.h"
#include "ui/twips.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>

namespace ui {
namespace {

QCursor handCursor()
{
    // Every keyword label of a query takes it, so it is drawn once per pixel ratio, not
    // once per label.
    static QCursor cursor;
    static qreal cursorRatio = 0;
    const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
    if (ratio != cursorRatio) {
        cursor = style::handCursor(ratio);
        cursorRatio = ratio;
    }
    return cursor;
}

} // namespace

ResultsView::ResultsView(QWidget *parent)
    : Panel(Panel::BorderStyle::Ridge, parent)
{
    setText(QStringLiteral("解梦结果"));

    // The viewport and the results panel take the panel colour and draw no border.
    m_frmFore = new QWidget(this);
    m_frmFore->setObjectName(QStringLiteral("frmFore"));
    m_frmFore->setAutoFillBackground(true);
    QPalette forePalette = m_frmFore->palette();
    forePalette.setColor(QPalette::Window, color());
    m_frmFore->setPalette(forePalette);
    m_frmFore->installEventFilter(this);
    m_frmFore->setAccessibleName(QStringLiteral("解梦结果"));

    m_VScroll1 = new QScrollBar(Qt::Vertical, this);
    m_VScroll1->setObjectName(QStringLiteral("VScroll1"));
    m_VScroll1->setRange(0, 0);
    m_VScroll1->setSingleStep(10);
    m_VScroll1->setPageStep(100);
    // The panel moves when a drag of the thumb ends, not during it.
    m_VScroll1->setTracking(false);
    m_VScroll1->hide();
    m_VScroll1->setAccessibleName(QStringLiteral("解梦结果滚动条"));
    connect(m_VScroll1, &QScrollBar::valueChanged, this, &ResultsView::scrollChanged);

    m_Frame1 = new QWidget(m_frmFore);
    m_Frame1->setObjectName(QStringLiteral("Frame1"));
    m_Frame1->setAutoFillBackground(true);
    m_Frame1->setPalette(forePalette);
    m_Frame1->setMouseTracking(true);
    m_Frame1->installEventFilter(this);
    m_Frame1->setAccessibleName(QStringLiteral("解梦结果"));
    // The labels take the results panel's face, so one setting sizes them all, the
    // keyword labels of later queries included.
    m_Frame1->setFont(style::songFont(m_textSize));

    m_lblDscr = new ResultLabel(m_Frame1);
    m_lblDscr->setObjectName(QStringLiteral("lblDscr"));
    connect(m_lblDscr, &ResultLabel::focused, this, &ResultsView::scrollToResultText);
    QPalette resultPalette = m_lblDscr->palette();
    resultPalette.setColor(QPalette::WindowText, style::kResultColor);
    m_lblDscr->setPalette(resultPalette);

    auto *header = new ReferenceLabel(0, m_Frame1);
    header->setCaption(QStringLiteral("参照关键字："));
    header->setColor(style::kPanelTextColor);
    header->setCursor(handCursor());
    m_lblRefer.append(header);
    m_lblRefer.append(createKeywordLabel(1));
}

void ResultsView::focusResultText()
{
    m_lblDscr->setFocus(Qt::OtherFocusReason);
}

void ResultsView::keepFocusThroughChange()
{
    // Called once the result text holds the new result: a keyboard focus in the pane goes
    // to it before the keyword labels change, since a label that loses the focus to its
    // hiding or destruction would pass it on to the next control of the window first.
    if (hasFocusInside() && !m_lblDscr->hasFocus())
        m_lblDscr->setFocus(Qt::OtherFocusReason);
}

void ResultsView::showWelcome(const QString &text)
{
    m_lblDscr->setCaption(text);
    keepFocusThroughChange();
    destroyKeywordLabels();
    m_lblRefer[0]->hide();
    m_lblRefer[1]->hide();
    m_lblRefer[0]->setCursor(Qt::ArrowCursor);
}

void ResultsView::showResult(const QString &text, const QStringList &keywords)
{
    m_lblDscr->setCaption(text);
    keepFocusThroughChange();
    destroyKeywordLabels();
    if (keywords.isEmpty()) {
        m_lblRefer[0]->hide();
        m_lblRefer[1]->hide();
    } else {
        m_lblRefer[0]->show();
        m_lblRefer[1]->show();
        m_lblRefer[1]->setCaption(keywords.first());
        m_lblRefer.reserve(keywords.size() + 1);
        for (qsizetype k = 1; k < keywords.size(); ++k) {
            ReferenceLabel *label = createKeywordLabel(int(k + 1));
            label->setCaption(keywords[k]);
            label->show();
            m_lblRefer.append(label);
        }
    }

    m_Frame1->move(0, 0);
    m_VScroll1->setValue(0);
    m_lblRefer[0]->setCursor(Qt::ArrowCursor);
}

QString ResultsView::resultText() const
{
    return m_lblDscr->caption();
}

QStringList ResultsView::keywords() const
{
    QStringList shown;
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i) {
        if (!m_lblRefer[i]->isHidden())
            shown.append(m_lblRefer[i]->caption());
    }
    return shown;
}

int ResultsView::scrollPosition() const
{
    return m_VScroll1->value();
}

void ResultsView::setScrollPosition(int twips)
{
    m_VScroll1->setValue(twips);
}

bool ResultsView::hasFocusInside() const
{
    QWidget *focused = QApplication::focusWidget();
    return focused && m_Frame1->isAncestorOf(focused);
}

QWidget *ResultsView::chainTabOrder(QWidget *previous)
{
    setTabOrder(previous, m_lblDscr);
    previous = m_lblDscr;
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i) {
        if (m_lblRefer[i]->isHidden())
            continue;
        setTabOrder(previous, m_lblRefer[i]);
        previous = m_lblRefer[i];
    }
    return previous;
}

void ResultsView::setTextSize(int points)
{
    if (points == m_textSize)
        return;
    const int oldLineHeight = lineHeightTwips();
    const int oldScroll = scrollPosition();
    m_textSize = points;
    m_Frame1->setFont(style::songFont(points));
    emit layoutRequested();
    const int lineHeight = lineHeightTwips();
    emit lineHeightChanged(lineHeight, oldLineHeight);
    if (oldScroll > 0 && oldLineHeight > 0)
        setScrollPosition(int(qint64(oldScroll) * lineHeight / oldLineHeight));
}

void ResultsView::zoomBy(int steps)
{
    const auto sizes = std::begin(style::kResultTextSizes);
    const auto count = std::ssize(style::kResultTextSizes);
    const auto at = std::find(sizes, std::end(style::kResultTextSizes), m_textSize) - sizes;
    setTextSize(sizes[std::clamp<std::ptrdiff_t>(at + steps, 0, count - 1)]);
}

int ResultsView::lineHeightTwips() const
{
    return toTwips(m_lblRefer[0]->fontMetrics().height());
}

int ResultsView::keywordLabelCount() const
{
    return int(m_lblRefer.size() - 1);
}

int ResultsView::resultTextHeightTwips(int widthTwips) const
{
    return toTwips(m_lblDscr->heightForWidth(toPixels(widthTwips)));
}

void ResultsView::applyGeometry(const WindowGeometry &g)
{
    const auto place = [](QWidget *w, const TwipsRect &r) {
        w->setGeometry(toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height));
    };
    place(m_frmFore, g.frmFore);
    place(m_VScroll1, g.VScroll1);
    place(m_Frame1, g.Frame1);
    place(m_lblDscr, g.lblDscr);

    const int lineHeight = toPixels(lineHeightTwips());
    const int headerLeft = toPixels(g.headerLeft);
    ReferenceLabel *header = m_lblRefer[0];
    header->setGeometry(headerLeft, toPixels(g.headerTop), header->sizeHint().width(), lineHeight);
    for (qsizetype i = 1; i < m_lblRefer.size() && i <= qsizetype(g.keywordLabelTops.size()); ++i) {
        ReferenceLabel *label = m_lblRefer[i];
        label->setGeometry(headerLeft, toPixels(g.keywordLabelTops[std::size_t(i - 1)]),
                           label->sizeHint().width(), lineHeight);
    }

    m_VScroll1->setMaximum(g.scrollMaximum);
    m_VScroll1->setVisible(g.scrollBarVisible);
}

ReferenceLabel *ResultsView::createKeywordLabel(int index)
{
    auto *label = new ReferenceLabel(index, m_Frame1);
    label->setColor(style::kKeywordColor);
    label->setCursor(handCursor());
    connect(label, &ReferenceLabel::clicked, this, &ResultsView::keywordLabelClicked);
    connect(label, &ReferenceLabel::hovered, this, &ResultsView::keywordLabelHovered);
    connect(label, &ReferenceLabel::focused, this, &ResultsView::scrollToKeyword);
    return label;
}

void ResultsView::destroyKeywordLabels()
{
    // A label may be the one whose click runs this query, so it goes once the click is
    // over; it leaves the array and the screen at once.
    while (m_lblRefer.size() > 2) {
        ReferenceLabel *label = m_lblRefer.takeLast();
        label->hide();
        label->disconnect(this);
        label->deleteLater();
    }
}

void ResultsView::keywordLabelClicked(int index)
{
    if (index <= 0 || index >= m_lblRefer.size())
        return;
    emit keywordChosen(m_lblRefer[index]->caption());
}

void ResultsView::keywordLabelHovered(int index)
{
    if (index <= 0 || index >= m_lblRefer.size())
        return;
    clearHover();
    m_lblRefer[index]->setColor(style::kHoverColor);
}

void ResultsView::scrollToKeyword(int index)
{
    // The keyboard's place is always in view: a label above the viewport comes to its top,
    // one below it to its bottom.
    if (index <= 0 || index >= m_lblRefer.size())
        return;
    const ReferenceLabel *label = m_lblRefer[index];
    const int top = m_Frame1->y() + label->y();
    if (top < 0)
        setScrollPosition(toTwips(label->y()));
    else if (top + label->height() > m_frmFore->height())
        setScrollPosition(toTwips(label->y() + label->height() - m_frmFore->height()));
}

void ResultsView::scrollToResultText()
{
    // The top of the result text comes into view; a text taller than the viewport is read
    // from its top.
    if (m_Frame1->y() + m_lblDscr->y() < 0)
        setScrollPosition(toTwips(m_lblDscr->y()));
}

void ResultsView::clearHover()
{
    for (qsizetype i = 1; i < m_lblRefer.size(); ++i)
        m_lblRefer[i]->setColor(style::kKeywordColor);
}

void ResultsView::scrollChanged(int value)
{
    m_Frame1->move(m_Frame1->x(), toPixels(-value));
    emit scrollPositionChanged(value);
}

bool ResultsView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Frame1 && event->type() == QEvent::MouseMove) {
        // Only the panel's bare surface: the labels on it report their own moves.
        const auto *move = static_cast<QMouseEvent *>(event);
        if (m_Frame1->childAt(move->position().toPoint()) == nullptr)
            clearHover();
    } else if (watched == m_frmFore && event->type() == QEvent::Wheel
               && (static_cast<QWheelEvent *>(event)->modifiers() & Qt::ControlModifier)) {
        // Ctrl and the wheel change the text size a step a notch; a fine-grained wheel
        // adds up its movement to whole notches.
        m_zoomDelta += static_cast<QWheelEvent *>(event)->angleDelta().y();
        const int steps = m_zoomDelta / 120;
        m_zoomDelta -= steps * 120;
        if (steps != 0)
            zoomBy(steps);
        return true;
    } else if (watched == m_frmFore && event->type() == QEvent::Wheel && m_VScroll1->isVisible()) {
        // The wheel scrolls three lines of text a notch.
        const auto *wheel = static_cast<QWheelEvent *>(event);
        const int notches = wheel->angleDelta().y();
        const int step = 3 * lineHeightTwips() * notches / 120;
        m_VScroll1->setValue(m_VScroll1->value() - step);
        return true;
    }
    return Panel::eventFilter(watched, event);
}

} // namespace ui
