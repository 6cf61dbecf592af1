// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <functional>

// Where every line of a printed report goes, in twips from the top left of the printable
// area, apart from any printer.
namespace output {

struct PrintMetrics
{
    int pageWidth = 0;     // as the printer reports it for A4 portrait
    int pageHeight = 0;    // of the printable area; 0 prints everything on one page
    double lineHeight = 0; // one line of the print font: the font's height
    std::function<double(QStringView)> textWidth; // in the print font
};

struct PrintedLine
{
    QString text;
    int page = 0; // from 0
    double x = 0;
    double y = 0; // top of the line
};

inline constexpr int kPrintLeftMargin = 300;
inline constexpr int kPrintRightMargin = 300;
inline constexpr int kPrintBreakSlack = 30;
inline constexpr double kPrintLineGapFactor = 0.3;

// The text is trimmed of spaces, "\r\n" becomes one line break, tabs are dropped, and a
// line is ended as soon as it is wider than the break limit (line width − 30), so the
// character that makes it too wide stays at its end. Each line stands one line gap
// (0.3 × line height) below the previous one's bottom, the first one gap below the top;
// a line that would pass the bottom of the page starts the next page, one gap below its top.
[[nodiscard]] QList<PrintedLine> layOutPrint(QStringView text, const PrintMetrics &metrics);

} // namespace output
