// SPDX-License-Identifier: GPL-3.0-or-later
// The real program as a person uses it: on an X display of the test's own, keys typed and
// buttons clicked with xdotool, the clipboard read by another program (xclip), the print
// command sent to the default queue of the test's own CUPS scheduler and the PDF that queue
// writes.

#include "desktop_session.h"
#include "face/face.h"
#include "output/printing.h"
#include "private_servers.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <QThread>

using namespace Qt::StringLiterals;

namespace {

// Button centres inside the window as it opens: the tool buttons are 25 × 25 pixels in a row
// at y = 32.
constexpr QPoint kCopyButton{37 + 12, 32 + 12};
constexpr QPoint kPrintButton{66 + 12, 32 + 12};

// The default queue of the test's own print server.
const QString kQueue = u"mengjian-pdf"_s;

using e2e::runTool;
using e2e::ToolRun;

int pdfPageCount(const QString &path)
{
    const ToolRun info = runTool(u"pdfinfo"_s, {path});
    if (!info.ok)
        return -1;
    static const QRegularExpression pages(u"^Pages:\\s+(\\d+)\\s*$"_s, QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = pages.match(QString::fromUtf8(info.out));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// One line of print on a page image: the rows from its highest to its lowest inked pixel
// and the columns from its leftmost to its rightmost one.
struct InkBand
{
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

QList<InkBand> inkBands(const QImage &page)
{
    QList<InkBand> bands;
    bool inBand = false;
    for (int y = 0; y < page.height(); ++y) {
        int left = -1;
        int right = -1;
        for (int x = 0; x < page.width(); ++x) {
            if (qGray(page.pixel(x, y)) < 160) {
                if (left < 0)
                    left = x;
                right = x;
            }
        }
        if (left < 0) {
            inBand = false;
            continue;
        }
        if (!inBand) {
            bands.append({y, y, left, right});
            inBand = true;
            continue;
        }
        InkBand &b = bands.last();
        b.bottom = y;
        b.left = qMin(b.left, left);
        b.right = qMax(b.right, right);
    }
    return bands;
}

QString describe(const QList<InkBand> &bands)
{
    QStringList parts;
    for (const InkBand &b : bands)
        parts.append(u"[%1-%2 x %3-%4]"_s.arg(b.top).arg(b.bottom).arg(b.left).arg(b.right));
    return parts.join(u' ');
}

// Page 1 of a PDF as an image at 100 dots per inch, written to `pngBase`.png.
QImage firstPageImage(const QString &pdf, const QString &pngBase)
{
    QFile::remove(pngBase + u".png"_s);
    const ToolRun run = runTool(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"100"_s, u"-f"_s, u"1"_s, u"-l"_s,
                                                u"1"_s, u"-singlefile"_s, pdf, pngBase});
    return run.ok ? QImage(pngBase + u".png"_s) : QImage();
}

// Pixels by which a line of print may move between a page rendered here and one that went
// through the print queue's conversions.
constexpr int kInkTolerance = 2;

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

    testsupport::CupsServer m_cups;
    QProcess m_app;
    QString m_window;
    // The program prints on the test's own print server.
    QProcessEnvironment m_env;

    ToolRun x(const QString &tool, const QStringList &args, int timeoutMs = 20000) const
    {
        return runTool(tool, args, m_env, timeoutMs);
    }

    // Types `keyword` into the keyword input (where the keyboard focus starts) and presses
    // Enter, as a person does.
    bool typeQuery(const QString &keyword) const
    {
        return x(u"xdotool"_s, {u"windowfocus"_s, m_window}).ok
               && x(u"xdotool"_s, {u"type"_s, u"--delay"_s, u"120"_s, keyword}).ok
               && x(u"xdotool"_s, {u"key"_s, u"Return"_s}).ok;
    }

    bool click(QPoint inWindow) const
    {
        return x(u"xdotool"_s, {u"mousemove"_s, u"--window"_s, m_window, QString::number(inWindow.x()),
                                QString::number(inWindow.y()), u"click"_s, u"1"_s})
            .ok;
    }

private slots:
    void initTestCase()
    {
        if (const QString missing = e2e::missingPart(
                {u"xdotool"_s, u"xprop"_s, u"xclip"_s, u"cupsd"_s, u"pdfinfo"_s, u"pdftoppm"_s});
            !missing.isEmpty())
            QSKIP(qPrintable(missing));
        QString error;
        QVERIFY2(m_cups.start(&error), qPrintable(error));
        QVERIFY2(m_cups.addPdfQueue(kQueue, true, &error), qPrintable(error));
        // This process lays out the expected page on the same queue.
        m_cups.useInThisProcess();
        m_env = m_cups.environment(e2e::desktopEnvironment());
        // The program's print face, so that pages laid out here match its pages.
        face::substituteFonts();
    }

    void init()
    {
        m_window = e2e::startProgram(m_app, m_env);
        QVERIFY2(!m_window.isEmpty(), "the main window did not appear on the X display");
        // A key typed while the program still finishes its start can outlive the key mapping
        // xdotool typed it with: the keyboard on the window, and a moment's rest.
        QVERIFY(x(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, m_window}).ok);
        QThread::msleep(300);
    }

    void cleanup()
    {
        testsupport::stopProcess(m_app);
        m_window.clear();
    }

    void cleanupTestCase() { m_cups.stop(); }

    void copyButtonPutsReportOnXClipboard_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fieldText");

        QTest::newRow("interpretation and references") << u"钟"_s << u"钟"_s;
        QTest::newRow("references only") << u"黄昏"_s << u"黄昏"_s;
        QTest::newRow("omen verses") << u"人"_s << u"人"_s;
        QTest::newRow("nothing found") << u"ｘｙｚ"_s << u"ｘｙｚ"_s;
        // The input takes only double-byte characters; the rest never reaches the query.
        QTest::newRow("single-byte keys dropped") << u"a钟1"_s << u"钟"_s;
    }

    void copyButtonPutsReportOnXClipboard()
    {
        QFETCH(QString, typed);
        QFETCH(QString, fieldText);

        QVERIFY(typeQuery(typed));
        QVERIFY(click(kCopyButton));

        // The program serves the clipboard itself: read it from another process while the
        // program runs, waiting until it has taken the selection.
        const QByteArray copied = e2e::readClipboard(m_env);
        QVERIFY2(!copied.isEmpty(), "the clipboard stayed empty");
        QCOMPARE(copied, e2e::expectedReport(fieldText).toUtf8());
    }

    void printButtonWritesReportToDefaultPrinter()
    {
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        QCOMPARE(printer.printerName(), kQueue);
        const QString pdf = m_cups.pdfPath(kQueue);
        QFile::remove(pdf);

        const QString keyword = u"钟"_s;
        QVERIFY(typeQuery(keyword));
        QVERIFY(click(kPrintButton));

        // The queue writes the file while the job runs: wait until it reads as a whole PDF.
        int pages = -1;
        QElapsedTimer t;
        t.start();
        while (pages <= 0 && t.elapsed() < 60000) {
            if (QFileInfo::exists(pdf))
                pages = pdfPageCount(pdf);
            if (pages <= 0)
                QThread::msleep(300);
        }
        if (pages <= 0) {
            QByteArray jobs;
            m_cups.runTool(u"lpstat"_s, {u"-W"_s, u"all"_s, u"-o"_s}, nullptr, &jobs);
            QFAIL(qPrintable(
                u"no PDF appeared in %1 within 60 s; jobs:\n%2"_s.arg(pdf, QString::fromUtf8(jobs))));
        }
        QVERIFY(pages >= 1);

        const QString outDir = QStringLiteral(MENGJIAN_E2E_OUTPUT_DIR);
        const QImage page = firstPageImage(pdf, outDir + u"/print-page"_s);
        QVERIFY2(!page.isNull(), "the printed PDF could not be rendered");
        // A4 portrait at 100 dots per inch: 826.8 × 1169.3 pixels, rounded either way.
        QVERIFY2(qAbs(page.width() - 827) <= 1 && qAbs(page.height() - 1169) <= 1,
                 qPrintable(u"page of %1 × %2 pixels"_s.arg(page.width()).arg(page.height())));

        // The same report laid out by this process on a PDF page with the queue's margins:
        // the printed page holds the same lines of print at the same places. (The page is
        // compared as ink, as a reader sees it, whatever the queue's filters made of the
        // PDF's text objects.)
        QPrinter queue(printer, QPrinter::HighResolution);
        queue.setPageSize(QPageSize(QPageSize::A4));
        QPrinter reference(QPrinter::HighResolution);
        reference.setOutputFormat(QPrinter::PdfFormat);
        reference.setOutputFileName(outDir + u"/print-expected.pdf"_s);
        reference.setPageLayout(queue.pageLayout());
        QCOMPARE(output::PrintText(e2e::expectedReport(keyword), reference), QString());
        const QImage expected =
            firstPageImage(outDir + u"/print-expected.pdf"_s, outDir + u"/print-expected"_s);
        QVERIFY(!expected.isNull());

        const QList<InkBand> printed = inkBands(page);
        const QList<InkBand> wanted = inkBands(expected);
        QVERIFY2(!printed.isEmpty(), "the printed page is blank");
        const QString both = u"\nprinted:  %1\nexpected: %2"_s.arg(describe(printed), describe(wanted));
        QVERIFY2(printed.size() == wanted.size(), qPrintable(u"different lines of print"_s + both));
        for (qsizetype i = 0; i < printed.size(); ++i) {
            const InkBand &p = printed[i];
            const InkBand &w = wanted[i];
            const bool near =
                qAbs(p.top - w.top) <= kInkTolerance && qAbs(p.bottom - w.bottom) <= kInkTolerance
                && qAbs(p.left - w.left) <= kInkTolerance && qAbs(p.right - w.right) <= kInkTolerance;
            QVERIFY2(near, qPrintable(u"line %1 of print differs"_s.arg(i + 1) + both));
        }
    }

    void printRefusedByTheQueueShowsAWarning()
    {
        QString error;
        QVERIFY2(m_cups.runTool(u"cupsreject"_s, {u"-r"_s, u"维修中"_s, kQueue}, &error), qPrintable(error));
        const auto accept = qScopeGuard([this] { m_cups.runTool(u"cupsaccept"_s, {kQueue}); });
        const QString pdf = m_cups.pdfPath(kQueue);
        QFile::remove(pdf);

        QVERIFY(typeQuery(u"钟"_s));
        QVERIFY(click(kPrintButton));

        // The warning box, titled as the command.
        const ToolRun box =
            x(u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--onlyvisible"_s, u"--name"_s, u"^列印$"_s}, 20000);
        QVERIFY2(box.ok, "no warning box appeared");
        const QString boxId = QString::fromLatin1(box.out.trimmed().split('\n').first());
        QVERIFY(x(u"xdotool"_s, {u"windowfocus"_s, u"--sync"_s, boxId}).ok);
        QVERIFY(x(u"xdotool"_s, {u"key"_s, u"Return"_s}).ok);
        QTRY_VERIFY_WITH_TIMEOUT(
            !x(u"xdotool"_s, {u"search"_s, u"--onlyvisible"_s, u"--name"_s, u"^列印$"_s}).ok, 10000);

        // The window is still there and still answers.
        QVERIFY(click(kCopyButton));
        QCOMPARE(e2e::readClipboard(m_env), e2e::expectedReport(u"钟"_s).toUtf8());
        QVERIFY(!QFileInfo::exists(pdf));
    }

    // Docks and task bars match a window to its desktop entry by the class half of WM_CLASS,
    // a STRING (Latin-1) property: it must be ASCII and equal the entry's StartupWMClass,
    // while the title the user sees stays 梦鉴.
    void windowClassMatchesDesktopEntry()
    {
        const ToolRun prop = x(u"xprop"_s, {u"-id"_s, m_window, u"WM_CLASS"_s});
        QVERIFY2(prop.ok, "xprop could not read the window's WM_CLASS");
        static const QRegularExpression wmClass(u"^WM_CLASS\\(STRING\\) = \"([^\"]*)\", \"([^\"]*)\"$"_s);
        const QRegularExpressionMatch m = wmClass.match(QString::fromLatin1(prop.out.trimmed()));
        QVERIFY2(m.hasMatch(), prop.out.constData());
        QCOMPARE(m.captured(1), u"mengjian"_s);

        QFile entry(QStringLiteral(MENGJIAN_DESKTOP_ENTRY));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        static const QRegularExpression startupClass(u"^StartupWMClass=(.*)$"_s,
                                                     QRegularExpression::MultilineOption);
        const QRegularExpressionMatch e = startupClass.match(QString::fromUtf8(entry.readAll()));
        QVERIFY2(e.hasMatch(), "the desktop entry names no StartupWMClass");
        QCOMPARE(m.captured(2), e.captured(1));

        const ToolRun title = x(u"xdotool"_s, {u"getwindowname"_s, m_window});
        QVERIFY(title.ok);
        QCOMPARE(QString::fromUtf8(title.out.trimmed()), u"梦鉴"_s);
    }
};

QTEST_MAIN(TestEndToEnd)
#include "tst_e2e.moc"
