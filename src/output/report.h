// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The result report: the plain-text account of the result on screen that the copy, save
// and print commands hand out. A pure computation: no box, no effect.
namespace output {

// What the window shows at the moment of a command.
struct QueryState
{
    QString keyword;        // the keyword input's text, untrimmed
    QString resultText;     // the result label's text, exactly as shown
    QStringList references; // the captions of the shown keyword labels, in order
};

// The report, every line ending in "\r\n", the last one included.
[[nodiscard]] QString ComposeReport(const QueryState &state);

} // namespace output
