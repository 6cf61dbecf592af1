// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/suggestion_list.h"

#include "ui/style.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStandardItemModel>
#include <QStyledItemDelegate>

#include <algorithm>
#include <climits>

namespace ui {
namespace {

constexpr int kPadding = 4; // pixels left of the text and between the text and its note
constexpr int kNoteRole = Qt::UserRole + 1;

// One entry: its text, then its note dimmed; the highlighted entry on the highlight colour.
class EntryDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *p, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        // The row spans the list's width, whatever the entry's own.
        QRect row = option.rect;
        if (const auto *view = qobject_cast<const QAbstractItemView *>(option.widget))
            row.setWidth(view->viewport()->width() - row.left());
        p->save();
        if (option.state & QStyle::State_Selected)
            p->fillRect(row, style::kTitleButtonDown);
        const QRect textRect = row.adjusted(kPadding, 0, -kPadding, 0);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QString note = index.data(kNoteRole).toString();
        p->setFont(option.font);
        p->setPen(style::kKeywordColor);
        p->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, text);
        if (!note.isEmpty()) {
            p->setPen(style::kDimTextColor);
            p->drawText(
                textRect.adjusted(option.fontMetrics.horizontalAdvance(text) + 2 * kPadding, 0, 0, 0),
                Qt::AlignLeft | Qt::AlignVCenter, note);
        }
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return {option.fontMetrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()),
                option.fontMetrics.height() + 4};
    }
};

} // namespace

SuggestionList::SuggestionList(QLineEdit *field)
    : QListView(field->window())
    , m_field(field)
    , m_model(new QStandardItemModel(this))
{
    setFocusPolicy(Qt::NoFocus);
    viewport()->setFocusPolicy(Qt::NoFocus);
    // The list handles the pointer itself (see event()): the rows under it do not.
    viewport()->setAttribute(Qt::WA_TransparentForMouseEvents);
    setMouseTracking(true);
    setFont(field->font());
    setAccessibleName(QStringLiteral("关键字提示"));
    setModel(m_model);
    setItemDelegate(new EntryDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // White rows in a one-pixel border of the border colour.
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::WindowText, style::kBorderColor);
    setPalette(p);
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
    m_pressed = -1;
    m_pointerAtOpening.reset();
    setCurrentRow(-1);
    m_model->clear();
    for (const Entry &e : entries) {
        auto *item = new QStandardItem(e.text);
        item->setData(e.note, kNoteRole);
        item->setData(e.note, Qt::AccessibleDescriptionRole);
        m_model->appendRow(item);
    }
    if (m_entries.isEmpty()) {
        hide();
        return;
    }
    place();
    raise();
    show();
}

int SuggestionList::currentRow() const
{
    const QModelIndexList selected = selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void SuggestionList::setCurrentRow(int row)
{
    row = std::clamp(row, -1, int(m_entries.size()) - 1);
    if (row == currentRow())
        return;
    if (row < 0) {
        // The highlighted entry was announced as the current object; with no entry
        // highlighted the screen reader comes back to the field, which has kept the
        // keyboard all along.
        if (m_field->hasFocus() && QAccessible::isActive()) {
            QAccessibleEvent back(m_field, QAccessible::Focus);
            QAccessible::updateAccessibility(&back);
        }
        selectionModel()->clear();
    } else
        selectionModel()->setCurrentIndex(m_model->index(row, 0), QItemSelectionModel::ClearAndSelect);
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

void SuggestionList::showEvent(QShowEvent *event)
{
    QListView::showEvent(event);
    // While open, a press of the mouse anywhere else closes the list.
    qApp->installEventFilter(this);
}

void SuggestionList::hideEvent(QHideEvent *event)
{
    qApp->removeEventFilter(this);
    QListView::hideEvent(event);
    setCurrentRow(-1);
}

bool SuggestionList::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType() && watched != this
        && watched != m_field && !isHidden()) {
        hide();
        return QListView::eventFilter(watched, event);
    }
    if (watched != m_field || isHidden())
        return QListView::eventFilter(watched, event);
    if (event->type() == QEvent::FocusOut) {
        hide();
    } else if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->modifiers() & ~Qt::KeypadModifier)
            return QListView::eventFilter(watched, event);
        switch (key->key()) {
        case Qt::Key_Down: setCurrentRow(currentRow() + 1); return true;
        case Qt::Key_Up: setCurrentRow(currentRow() - 1); return true;
        case Qt::Key_Escape: hide(); return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (currentRow() >= 0) {
                choose(currentRow());
                return true;
            }
            hide(); // the field confirms its own text
            break;
        default: break;
        }
    }
    return QListView::eventFilter(watched, event);
}

bool SuggestionList::event(QEvent *event)
{
    // The pointer over the rows reaches the list itself: the highlight follows it, and a
    // press and a release on one row choose it; the view's own selecting by the mouse and
    // dragging do not apply.
    switch (event->type()) {
    case QEvent::MouseMove: pointerMoved(static_cast<QMouseEvent *>(event)); return true;
    case QEvent::MouseButtonPress: {
        const auto *press = static_cast<QMouseEvent *>(event);
        m_pressed = press->button() == Qt::LeftButton ? rowAt(press->position().toPoint()) : -1;
        return true;
    }
    case QEvent::MouseButtonRelease: pointerReleased(static_cast<QMouseEvent *>(event)); return true;
    case QEvent::MouseButtonDblClick: return true;
    case QEvent::Leave: m_pressed = -1; break;
    default: break;
    }
    return QListView::event(event);
}

void SuggestionList::pointerMoved(QMouseEvent *event)
{
    // A list that opens under a resting pointer highlights nothing until the pointer
    // moves, so that Enter still runs the typed text. Where the pointer rests is taken from
    // the first move the list sees (the one its opening makes under a resting pointer)
    // rather than asked of the window system, a round trip on every key.
    const QPoint at = event->globalPosition().toPoint();
    if (!m_pointerAtOpening) {
        m_pointerAtOpening = at;
        return;
    }
    if (at == *m_pointerAtOpening)
        return;
    m_pointerAtOpening = QPoint(INT_MIN, INT_MIN); // it has moved: every later move counts
    const int row = rowAt(event->position().toPoint());
    if (row >= 0)
        setCurrentRow(row);
}

void SuggestionList::pointerReleased(QMouseEvent *event)
{
    const int row = rowAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && row >= 0 && row == m_pressed)
        choose(row);
    m_pressed = -1;
}

} // namespace ui
