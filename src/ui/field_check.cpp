// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/field_check.h"

#include "text/gbk.h"
#include "text/input_check.h"

#include <QLineEdit>
#include <QScopedValueRollback>

namespace ui {

FieldCheck::FieldCheck(QLineEdit *field)
    : QObject(field)
    , m_field(field)
{
}

bool FieldCheck::apply()
{
    if (m_applying)
        return false;
    text::CheckedInput checked = text::checkInput(m_field->text(), m_field->cursorPosition());
    if (!checked.changed)
        return false;
    const QScopedValueRollback guard(m_applying, true);
    // Only an undo leaves something to redo.
    if (m_field->isRedoAvailable()) {
        while (checked.changed && m_field->isUndoAvailable()) {
            m_field->undo();
            checked = text::checkInput(m_field->text(), m_field->cursorPosition());
        }
        if (!checked.changed)
            return false;
    }
    for (qsizetype end = m_field->text().size(); end > 0;) {
        const QString current = m_field->text();
        if (text::isTwoByteGbk(current[end - 1].unicode())) {
            --end;
            continue;
        }
        qsizetype start = end - 1;
        while (start > 0 && !text::isTwoByteGbk(current[start - 1].unicode()))
            --start;
        m_field->setSelection(int(start), int(end - start));
        m_field->del();
        end = start;
    }
    m_field->setCursorPosition(checked.cursor);
    return true;
}

} // namespace ui
