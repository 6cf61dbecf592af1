// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The print system's own answers about a queue and a job. QPrinter hands a document to
// CUPS without telling whether the queue took it, so the print command asks CUPS (through
// libcups, which honours CUPS_SERVER) directly.
namespace output {

// Why `queue` ("name" or "name/instance") would not print a job now, in words for the
// user with the print system's own reason; "" when it is ready. A queue that rejects jobs,
// a stopped queue, a queue the print system does not know and a print system that does not
// answer are all reasons.
[[nodiscard]] QString queueRefusal(const QString &queue);

// Submits the PDF file at `pdfPath` to `queue` as one job titled `title`, on A4 paper.
// "" when the print system accepted the job, else why not, in words for the user.
[[nodiscard]] QString submitPdf(const QString &queue, const QString &pdfPath, const QString &title);

} // namespace output
