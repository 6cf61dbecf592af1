// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print_layout.h"

#include "text/trim.h"

namespace output {

QList<PrintedLine> layOutPrint(QStringView source, const PrintMetrics &m)
{
    QString text = text::trimSpaces(source).toString();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));

    const double lineWidth = m.pageWidth - kPrintLeftMargin - kPrintRightMargin;
    const double breakLimit = lineWidth - kPrintBreakSlack;
    const double gap = kPrintLineGapFactor * m.lineHeight;

    QList<PrintedLine> lines;
    int page = 0;
    double y = 0;
    QString buffer;

    const auto emitBuffer = [&] {
        y += gap;
        const bool pageHasLines = !lines.isEmpty() && lines.last().page == page;
        if (m.pageHeight > 0 && pageHasLines && y + m.lineHeight > m.pageHeight) {
            ++page;
            y = gap;
        }
        lines.append({buffer, page, double(kPrintLeftMargin), y});
        y += m.lineHeight;
        buffer.clear();
    };

    for (const QChar c : std::as_const(text)) {
        if (c == u'\n')
            emitBuffer();
        else if (c != u'\t')
            buffer.append(c);
        if (m.textWidth && m.textWidth(buffer) > breakLimit)
            emitBuffer();
    }
    if (!buffer.isEmpty())
        emitBuffer();
    return lines;
}

} // namespace output
