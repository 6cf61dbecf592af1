// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLineEdit;

namespace ui {

// The keyword input's character check (text::checkInput) applied to a line edit. The
// rejected characters are taken out through the edit's own editing, a run at a time, so
// that its undo history stays whole; an undo that would bring rejected characters back
// goes on past them, since they were never the user's text.
class FieldCheck : public QObject
{
    Q_OBJECT

public:
    explicit FieldCheck(QLineEdit *field);

    // Checks the field's text after an edit by the user. True when characters were taken
    // out; false when the text passed, and for the check's own edits.
    bool apply();

private:
    QLineEdit *m_field;
    bool m_applying = false;
};

} // namespace ui
