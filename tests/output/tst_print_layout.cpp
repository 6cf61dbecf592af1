// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/print_layout.h"
#include "output/printing.h"

#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// Every character 100 twips wide, lines 100 twips high: the line gap is 30 and the pitch 130,
// and a page width of 630 + 100·n puts the break limit at exactly n characters.
output::PrintMetrics countingMetrics(int pageWidth, int pageHeight = 0)
{
    output::PrintMetrics m;
    m.pageWidth = pageWidth;
    m.pageHeight = pageHeight;
    m.lineHeight = 100;
    m.textWidth = [](QStringView s) { return 100.0 * double(s.size()); };
    return m;
}

QStringList texts(const QList<output::PrintedLine> &lines)
{
    QStringList texts;
    for (const output::PrintedLine &line : lines)
        texts << line.text;
    return texts;
}

// "page:x:y" for each line, to a thousandth of a twip.
QStringList places(const QList<output::PrintedLine> &lines)
{
    QStringList places;
    for (const output::PrintedLine &line : lines)
        places << u"%1:%2:%3"_s.arg(line.page).arg(line.x, 0, 'f', 3).arg(line.y, 0, 'f', 3);
    return places;
}

QString place(int page, double y)
{
    return u"%1:300.000:%2"_s.arg(page).arg(y, 0, 'f', 3);
}

QString repeat(QChar c, int n)
{
    return QString(n, c);
}

int pdfPageCount(const QByteArray &pdf)
{
    return int(pdf.count("/Type /Page") - pdf.count("/Type /Pages"));
}

} // namespace

class TestPrintLayout : public QObject
{
    Q_OBJECT

private slots:
    void breaksAndCleansLines_data()
    {
        QTest::addColumn<int>("pageWidth");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        const QChar x = u'梦';
        const int limit10 = 630 + 1000;

        QTest::newRow("short line") << limit10 << u"梦见蛇"_s << QStringList{u"梦见蛇"_s};
        QTest::newRow("at the limit stays whole") << limit10 << repeat(x, 10) << QStringList{repeat(x, 10)};
        QTest::newRow("character that passes the limit ends its line")
            << limit10 << repeat(x, 11) << QStringList{repeat(x, 11)};
        QTest::newRow("long line broken by characters")
            << limit10 << repeat(x, 25) << QStringList{repeat(x, 11), repeat(x, 11), repeat(x, 3)};
        QTest::newRow("width equal to the limit is not past it")
            << 630 + 1100 << repeat(x, 13) << QStringList{repeat(x, 12), repeat(x, 1)};
        QTest::newRow("one twip under")
            << 630 + 1099 << repeat(x, 13) << QStringList{repeat(x, 11), repeat(x, 2)};
        QTest::newRow("CR LF is one break") << limit10 << u"甲\r\n乙"_s << QStringList{u"甲"_s, u"乙"_s};
        QTest::newRow("line feed alone breaks") << limit10 << u"甲\n乙"_s << QStringList{u"甲"_s, u"乙"_s};
        QTest::newRow("carriage return alone stays") << limit10 << u"甲\r乙"_s << QStringList{u"甲\r乙"_s};
        QTest::newRow("final CR LF adds no line")
            << limit10 << u"甲\r\n乙\r\n"_s << QStringList{u"甲"_s, u"乙"_s};
        QTest::newRow("one-space line kept")
            << limit10 << u"甲\r\n \r\n乙"_s << QStringList{u"甲"_s, u" "_s, u"乙"_s};
        QTest::newRow("empty line kept")
            << limit10 << u"甲\r\n\r\n乙"_s << QStringList{u"甲"_s, QString(), u"乙"_s};
        QTest::newRow("tabs dropped") << limit10 << u"\t甲\t乙\t"_s << QStringList{u"甲乙"_s};
        QTest::newRow("tabs take no width")
            << limit10 << u"\t\t"_s + repeat(x, 10) + u"\t\t\t"_s << QStringList{repeat(x, 10)};
        QTest::newRow("tab-only line prints empty")
            << limit10 << u"甲\n\t\n乙"_s << QStringList{u"甲"_s, QString(), u"乙"_s};
        QTest::newRow("spaces trimmed at both ends of the text")
            << limit10 << u"   甲\r\n  乙  "_s << QStringList{u"甲"_s, u"  乙"_s};
        QTest::newRow("trailing spaces do not break a full line")
            << limit10 << repeat(x, 10) + u"    "_s << QStringList{repeat(x, 10)};
        QTest::newRow("full-width space is not trimmed")
            << limit10 << u"\u3000甲\u3000"_s << QStringList{u"\u3000甲\u3000"_s};
        QTest::newRow("full line before a break leaves an empty line")
            << limit10 << repeat(x, 11) + u"\r\n乙"_s << QStringList{repeat(x, 11), QString(), u"乙"_s};
        QTest::newRow("spaces only") << limit10 << u"    "_s << QStringList();
        QTest::newRow("empty") << limit10 << QString() << QStringList();
    }

    void breaksAndCleansLines()
    {
        QFETCH(int, pageWidth);
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(texts(output::layOutPrint(text, countingMetrics(pageWidth))), expected);
    }

    void placesLinesOneGapApart_data()
    {
        QTest::addColumn<int>("pageHeight");
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no page height: one page")
            << 0 << 5
            << QStringList{place(0, 30), place(0, 160), place(0, 290), place(0, 420), place(0, 550)};
        QTest::newRow("last line ends on the bottom")
            << 520 << 5
            << QStringList{place(0, 30), place(0, 160), place(0, 290), place(0, 420), place(1, 30)};
        QTest::newRow("line passing the bottom starts the next page")
            << 519 << 5
            << QStringList{place(0, 30), place(0, 160), place(0, 290), place(1, 30), place(1, 160)};
        QTest::newRow("two lines a page")
            << 260 << 7 << QStringList{place(0, 30), place(0, 160), place(1, 30), place(1, 160),
                                       place(2, 30), place(2, 160), place(3, 30)};
        QTest::newRow("page lower than a line: one line a page")
            << 100 << 3 << QStringList{place(0, 30), place(1, 30), place(2, 30)};
    }

    void placesLinesOneGapApart()
    {
        QFETCH(int, pageHeight);
        QFETCH(int, lineCount);
        QFETCH(QStringList, expected);
        QStringList lines;
        for (int i = 0; i < lineCount; ++i)
            lines << (i == 1 ? u" "_s : u"行%1"_s.arg(i));
        const auto laidOut = output::layOutPrint(lines.join(u"\r\n"_s), countingMetrics(2000, pageHeight));
        QCOMPARE(texts(laidOut), lines);
        QCOMPARE(places(laidOut), expected);
    }

    void brokenLinesContinueAtTheLeftMargin()
    {
        const auto laidOut = output::layOutPrint(repeat(u'蛇', 30), countingMetrics(630 + 1000));
        QCOMPARE(places(laidOut), (QStringList{place(0, 30), place(0, 160), place(0, 290)}));
    }

    void gapFollowsTheLineHeight()
    {
        output::PrintMetrics m = countingMetrics(2000);
        m.lineHeight = 180;
        const auto laidOut = output::layOutPrint(u"甲\r\n乙\r\n丙"_s, m);
        QCOMPARE(places(laidOut), (QStringList{place(0, 54), place(0, 288), place(0, 522)}));
    }

    void printsOntoAPdfPrinter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("severalPages");
        QString report = u"《梦鉴》\r\n \r\n输入梦境关键字：蛇\r\n \r\n"_s;
        QTest::newRow("short report") << report + u"梦见蛇，主得财。\r\n"_s << false;
        QString many = report;
        for (int i = 0; i < 200; ++i)
            many += u"参考关键字%1\r\n"_s.arg(i);
        QTest::newRow("two hundred lines") << many << true;
        QTest::newRow("one very long line") << report + repeat(u'梦', 8000) + u"\r\n"_s << true;
    }

    void printsOntoAPdfPrinter()
    {
        QFETCH(QString, text);
        QFETCH(bool, severalPages);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString pdf = dir.filePath(u"report.pdf"_s);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Landscape);

        QCOMPARE(output::PrintText(text, printer), QString());

        QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Portrait);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        const int pages = pdfPageCount(bytes);
        if (severalPages)
            QVERIFY2(pages > 1, qPrintable(u"%1 page(s)"_s.arg(pages)));
        else
            QCOMPARE(pages, 1);
    }

    void refusedPrinterIsReported()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(u"no such folder/report.pdf"_s));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!output::PrintText(u"梦见蛇\r\n"_s, printer).isEmpty());
    }
};

QTEST_MAIN(TestPrintLayout)
#include "tst_print_layout.moc"
