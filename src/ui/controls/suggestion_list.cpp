// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/suggestion_list.h"

#include "ui/style.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <algorithm>

namespace ui {
namespace {

constexpr int kPadding = 4; // pixels left of the text and between the text and its note

} // namespace

SuggestionList::SuggestionList(QLineEdit *field)
    : QWidget(field->window())
    , m_field(field)
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setFont(field->font());
    setAccessibleName(QStringLiteral("关键字提示"));
    hide();
    m_field->installEventFilter(this);
}

int SuggestionList::rowHeight() const
{
    return fontMetrics().height() + 4;
}

QRect SuggestionList::rowRect(int row) const
{
    return {1, 1 + row * rowHeight(), width() - 2, rowHeight()};
}

int SuggestionList::rowAt(QPoint pos) const
{
    if (pos.x() < 1 || pos.x() >= width() - 1 || pos.y() < 1)
        return -1;
    const int row = (pos.y() - 1) / rowHeight();
    return row < m_entries.size() ? row : -1;
}

void SuggestionList::setEntries(const QList<Entry> &entries)
{
    m_entries = entries;
    m_current = -1;
    m_pressed = -1;
    m_pointerAtOpening = QCursor::pos();
    if (m_entries.isEmpty()) {
        hide();
        return;
    }
    place();
    raise();
    show();
    update();
}

void SuggestionList::setCurrentRow(int row)
{
    row = std::clamp(row, -1, int(m_entries.size()) - 1);
    if (row != m_current) {
        m_current = row;
        update();
    }
}

void SuggestionList::place()
{
    // Under the field, at least as wide as it, wide enough for the longest entry, and
    // never past the window's right edge.
    const QFontMetrics fm = fontMetrics();
    int widest = 0;
    for (const Entry &e : std::as_const(m_entries)) {
        int w = fm.horizontalAdvance(e.text);
        if (!e.note.isEmpty())
            w += kPadding * 2 + fm.horizontalAdvance(e.note);
        widest = std::max(widest, w);
    }
    QWidget *window = parentWidget();
    const QPoint at = m_field->mapTo(window, QPoint(0, m_field->height() + 1));
    int w = std::max(m_field->width(), widest + 2 * kPadding + 2);
    w = std::min(w, std::max(window->width() - at.x() - 8, m_field->width()));
    setGeometry(at.x(), at.y(), w, int(m_entries.size()) * rowHeight() + 2);
}

void SuggestionList::choose(int row)
{
    if (row < 0 || row >= m_entries.size())
        return;
    const QString text = m_entries[row].text;
    hide();
    emit chosen(text);
}

void SuggestionList::showEvent(QShowEvent *)
{
    // While open, a press of the mouse anywhere else closes the list.
    qApp->installEventFilter(this);
}

void SuggestionList::hideEvent(QHideEvent *)
{
    qApp->removeEventFilter(this);
}

bool SuggestionList::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() && watched != this
        && watched != m_field && !isHidden()) {
        hide();
        return QWidget::eventFilter(watched, event);
    }
    if (watched != m_field || isHidden())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        hide();
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return QWidget::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Down: setCurrentRow(m_current + 1); return true;
        case Qt::Key_Up: setCurrentRow(m_current - 1); return true;
        case Qt::Key_Escape: hide(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (m_current >= 0) {
                choose(m_current);
                return true;
            }
            hide(); // the field confirms its own text
            break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void SuggestionList::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(style::kBorderColor);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
    const QFontMetrics fm = fontMetrics();
    for (int row = 0; row < m_entries.size(); ++row) {
        const QRect r = rowRect(row);
        if (row == m_current)
            p.fillRect(r, style::kTitleButtonDown);
        const QRect textRect = r.adjusted(kPadding, 0, -kPadding, 0);
        const Entry &e = m_entries[row];
        p.setPen(style::kKeywordColor);
        p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, e.text);
        if (!e.note.isEmpty()) {
            p.setPen(style::kDimTextColor);
            p.drawText(textRect.adjusted(fm.horizontalAdvance(e.text) + 2 * kPadding, 0, 0, 0),
                       Qt::AlignLeft | Qt::AlignVCenter, e.note);
        }
    }
}

void SuggestionList::mouseMoveEvent(QMouseEvent *event)
{
    // A list that opens under a resting pointer highlights nothing until the pointer
    // moves, so that Enter still runs the typed text.
    if (event->globalPosition().toPoint() == m_pointerAtOpening)
        return;
    const int row = rowAt(event->position().toPoint());
    if (row >= 0)
        setCurrentRow(row);
}

void SuggestionList::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton ? rowAt(event->position().toPoint()) : -1;
}

void SuggestionList::mouseReleaseEvent(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0 && row == m_pressed)
        choose(row);
    m_pressed = -1;
}

void SuggestionList::leaveEvent(QEvent *)
{
    m_pressed = -1;
}

} // namespace ui
