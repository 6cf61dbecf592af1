// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QPrinter;

namespace output {

// Prints `text` as one document on `printer`: A4 portrait, "宋体" 9 pt, laid out by
// LayOutPrint. Returns "" when the printer took the document, else why not, in words for
// the user.
QString PrintText(const QString &text, QPrinter &printer);

// Prints `text` with PrintText and sees the document into the print system. A printer that
// writes a file gets the pages directly. For a print queue the pages are laid out on the
// queue's A4 page and submitted through CUPS, which is first asked whether the queue takes
// and prints jobs: a refused or failed job is reported, never silently lost. Returns "" when
// the print system accepted the document, else why not, in words for the user.
QString printDocument(const QString &text, QPrinter &printer);

} // namespace output
