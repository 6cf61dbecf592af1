// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QListView>
#include <QString>

#include <optional>

class QLineEdit;
class QStandardItemModel;

namespace ui {

// A list of suggested keywords that opens just under a text field while the user types.
//
// The list never takes the keyboard focus: it is a child of the field's window drawn
// above its neighbours, and it reads the keys it needs from the field, so the field keeps
// the focus (and its input method) while the list opens, changes and closes. While the
// list is open, Down and Up move the highlight (Up from the first entry back to none),
// Enter on a highlighted entry chooses it, Escape closes the list; every other key,
// Enter with no entry highlighted included, goes to the field as before. A click on an
// entry chooses it. The list closes when the field loses the focus and when the mouse is
// pressed anywhere outside the list and the field.
//
// It is a list view over a model of its entries: assistive technology finds each entry as
// a list item named by its text (the note is its description), and the highlighted entry
// is the selected one, so a screen reader announces it as the highlight moves.
class SuggestionList : public QListView
{
    Q_OBJECT

public:
    struct Entry
    {
        QString text;
        // Shown after the text, dimmed; may be empty.
        QString note;
    };

    explicit SuggestionList(QLineEdit *field);

    // Shows `entries` under the field, none highlighted; an empty list closes it.
    void setEntries(const QList<Entry> &entries);
    const QList<Entry> &entries() const { return m_entries; }
    // The highlighted entry, -1 for none.
    int currentRow() const;
    void setCurrentRow(int row);
    // The rectangle of entry `row`, in the list's coordinates.
    QRect rowRect(int row) const;

signals:
    // An entry was chosen with Enter or a click; the list has closed.
    void chosen(const QString &text);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    int rowHeight() const;
    int rowAt(QPoint pos) const;
    void place();
    void choose(int row);
    void pointerMoved(QMouseEvent *event);
    void pointerReleased(QMouseEvent *event);

    QLineEdit *m_field;
    QStandardItemModel *m_model;
    QList<Entry> m_entries;
    int m_pressed = -1;
    // Where the pointer rested when the list opened; none until the first move is seen.
    std::optional<QPoint> m_pointerAtOpening;
};

} // namespace ui
