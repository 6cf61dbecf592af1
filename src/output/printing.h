#pragma once

#include <QString>

class QPrinter;

namespace output {

// Prints `text` as one document on `printer`: A4 portrait, "宋体" 9 pt, laid out by
// LayOutPrint. Returns "" when the printer took the document, else why not, in words for
// the user.
QString PrintText(const QString &text, QPrinter &printer);

} // namespace output
