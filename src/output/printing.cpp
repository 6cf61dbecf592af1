// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/printing.h"

#include "face/face.h"
#include "output/print_layout.h"
#include "output/print_queue.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

namespace output {

QString PrintText(const QString &text, QPrinter &printer)
{
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("梦鉴"));

    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("打印机没有接受打印任务。");

    const QFont font = face::songFont(9);
    painter.setFont(font);
    const QFontMetricsF metrics(font, &printer);

    // Device units to twips and back.
    const double perTwipX = printer.logicalDpiX() / 1440.0;
    const double perTwipY = printer.logicalDpiY() / 1440.0;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());

    PrintMetrics m;
    m.pageWidth = int(page.width() / perTwipX);
    m.pageHeight = int(page.height() / perTwipY);
    // The height of one line of text in the print font ("A" sets no line of its own).
    m.lineHeight = metrics.height() / perTwipY;
    m.textWidth = [&](QStringView s) { return metrics.horizontalAdvance(s.toString()) / perTwipX; };

    int currentPage = 0;
    for (const PrintedLine &line : layOutPrint(text, m)) {
        while (currentPage < line.page) {
            if (!printer.newPage()) {
                painter.end();
                return QStringLiteral("打印机无法开始新的一页。");
            }
            ++currentPage;
        }
        const QPointF baseline(line.x * perTwipX, line.y * perTwipY + metrics.ascent());
        painter.drawText(baseline, line.text);
    }
    if (!painter.end())
        return QStringLiteral("打印任务没有完成。");
    if (printer.printerState() == QPrinter::Error)
        return QStringLiteral("打印机报告了错误。");
    return {};
}

QString printDocument(const QString &text, QPrinter &printer)
{
    if (printer.outputFormat() != QPrinter::NativeFormat)
        return PrintText(text, printer);

    const QString queue = printer.printerName();
    if (const QString refusal = queueRefusal(queue); !refusal.isEmpty())
        return refusal;

    // The document as the queue's own engine would make it: a PDF file with the queue's
    // printable area on A4 portrait, which CUPS then takes as one job.
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QTemporaryDir folder;
    if (!folder.isValid())
        return QStringLiteral("无法建立列印用的临时文件夹：%1").arg(folder.errorString());
    const QString pdfPath = folder.filePath(QStringLiteral("report.pdf"));
    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setOutputFileName(pdfPath);
    pdf.setPageLayout(printer.pageLayout());
    if (const QString failure = PrintText(text, pdf); !failure.isEmpty())
        return failure;
    return submitPdf(queue, pdfPath, pdf.docName());
}

} // namespace output
