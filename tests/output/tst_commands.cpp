// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktop/desktop.h"
#include "output/commands.h"
#include "output/report.h"
#include "private_servers.h"
#include "text/gbk.h"

#include "full_disk.h"

#include <mengjian/config.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTime>
#include <QTimer>
#include <QUrl>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

QString iconName(desktop::Icon icon)
{
    switch (icon) {
    case desktop::Icon::None: return u"none"_s;
    case desktop::Icon::Information: return u"information"_s;
    case desktop::Icon::Warning: return u"warning"_s;
    case desktop::Icon::Critical: return u"critical"_s;
    }
    return u"?"_s;
}

// Answers every modal question from a script and records every outside effect.
class ScriptedDesktop final : public desktop::Desktop
{
public:
    QStringList messages; // "title|text|icon"
    QStringList prompts;  // "title|label|preset"
    std::optional<QString> answer;
    QStringList clipboard;
    int printerRequests = 0;
    QString pdfPath;                     // where the default printer writes; empty when there is none
    QString queue;                       // else the print queue that is the default printer
    std::function<void()> printerChosen; // runs once the printer has been handed out
    QList<QUrl> opened;
    bool browserTakesUrls = true;
    desktop::Desktop *showsMessages = nullptr; // when set, the messages are shown there too

    void showMessage(QWidget *owner, const QString &title, const QString &text, desktop::Icon icon) override
    {
        messages << title + u'|' + text + u'|' + iconName(icon);
        if (showsMessages)
            showsMessages->showMessage(owner, title, text, icon);
    }

    std::optional<QString> prompt(QWidget *, const QString &title, const QString &label,
                                  const QString &preset) override
    {
        prompts << title + u'|' + label + u'|' + preset;
        return answer;
    }

    void setClipboardText(const QString &text) override { clipboard << text; }

    std::unique_ptr<QPrinter> defaultPrinter() override
    {
        ++printerRequests;
        std::unique_ptr<QPrinter> printer;
        if (!queue.isEmpty()) {
            printer = std::make_unique<QPrinter>(QPrinterInfo::printerInfo(queue), QPrinter::HighResolution);
        } else if (!pdfPath.isEmpty()) {
            printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdfPath);
        }
        if (printer && printerChosen)
            printerChosen();
        return printer;
    }

    bool openUrl(const QUrl &url) override
    {
        opened << url;
        return browserTakesUrls;
    }
};

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls << url; }
};

enum class Command { Copy, Save, Print };

void run(Command command, const output::QueryState &state, const output::StatusSink &status)
{
    switch (command) {
    case Command::Copy: output::CopyReport(state, status, nullptr); break;
    case Command::Save: output::SaveReport(state, status, nullptr); break;
    case Command::Print: output::PrintReport(state, status, nullptr); break;
    }
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

const output::QueryState kSnake{u" 蛇 "_s, u"梦见蛇，主得财；\r\n蛇入怀，生贵子。"_s, {u"蛇"_s, u"大蛇"_s}};

// The report of kSnake, written out in full.
QString snakeReport()
{
    return u"《梦鉴》由睿蓝软件开发发布；软件升级参见"_s + QString::fromUtf16(config::kMakerUrl)
           + u"\r\n \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n"
             u"梦见蛇，主得财；\r\n蛇入怀，生贵子。\r\n \r\n参考关键字：\r\n \r\n蛇\r\n大蛇\r\n \r\n"
             u"《名汇坊》姓名设计专家！"_s
           + QString::fromUtf16(config::kSiblingUrl) + u"\r\n"_s;
}

} // namespace

Q_DECLARE_METATYPE(Command)

class TestCommands : public QObject
{
    Q_OBJECT

    ScriptedDesktop *m_desk = nullptr;
    QStringList m_statuses;
    output::StatusSink m_status;
    QString m_startFolder;
    testsupport::CupsServer m_cups;
    QString m_cupsError; // why the print server did not start; "" when it runs

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        m_status = [this](const QString &text) { m_statuses << text; };
        m_startFolder = QDir::currentPath();
        // The print tests use queues of their own print server, never the machine's.
        if (m_cups.start(&m_cupsError))
            m_cups.useInThisProcess();
    }

    void init()
    {
        m_desk = new ScriptedDesktop;
        desktop::install(m_desk);
        m_statuses.clear();
    }

    void cleanup()
    {
        desktop::install(nullptr);
        delete m_desk;
        m_desk = nullptr;
        QDir::setCurrent(m_startFolder);
    }

    void missingKeywordStopsTheCommand_data()
    {
        QTest::addColumn<Command>("command");
        QTest::addColumn<QString>("keyword");
        const std::pair<const char *, Command> commands[] = {
            {"copy", Command::Copy}, {"save", Command::Save}, {"print", Command::Print}};
        for (const auto &[name, command] : commands) {
            QTest::addRow("%s, empty", name) << command << QString();
            QTest::addRow("%s, spaces only", name) << command << u"    "_s;
        }
    }

    void missingKeywordStopsTheCommand()
    {
        QFETCH(Command, command);
        QFETCH(QString, keyword);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir::setCurrent(dir.path()));
        m_desk->answer = dir.filePath(u"report.txt"_s);
        m_desk->pdfPath = dir.filePath(u"report.pdf"_s);

        run(command, {keyword, u"梦见蛇。"_s, {u"蛇"_s}}, m_status);

        QCOMPARE(m_statuses, QStringList{u"请输入梦境关键字"_s});
        QCOMPARE(m_desk->messages, QStringList{u"提示|请输入梦境关键字|warning"_s});
        QCOMPARE(m_desk->prompts, QStringList());
        QCOMPARE(m_desk->clipboard, QStringList());
        QCOMPARE(m_desk->printerRequests, 0);
        QCOMPARE(entries(dir.path()), QStringList());
    }

    void keywordCheckWorksWithoutAStatusBar()
    {
        QVERIFY(!output::RequireKeyword({u"  "_s, {}, {}}, {}, nullptr));
        QCOMPARE(m_desk->messages, QStringList{u"提示|请输入梦境关键字|warning"_s});
    }

    void keywordOtherThanSpacesIsAccepted_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("tab") << u"\t"_s;
        QTest::newRow("full-width space") << u"\u3000"_s;
        QTest::newRow("spaces around") << u"  蛇  "_s;
    }

    void keywordOtherThanSpacesIsAccepted()
    {
        QFETCH(QString, keyword);
        QVERIFY(output::RequireKeyword({keyword, {}, {}}, m_status, nullptr));
        QCOMPARE(m_statuses, QStringList());
        QCOMPARE(m_desk->messages, QStringList());
    }

    void copyPutsExactlyTheReportOnTheClipboard()
    {
        output::CopyReport(kSnake, m_status, nullptr);
        QCOMPARE(m_desk->clipboard, QStringList{snakeReport()});
        QCOMPARE(m_desk->messages, QStringList());
        QCOMPARE(m_statuses, QStringList());
    }

    void savePromptProposesTheDefaultPath()
    {
        m_desk->answer = std::nullopt;
        const int before = QTime::currentTime().second();
        output::SaveReport(kSnake, m_status, nullptr);
        const int after = QTime::currentTime().second();

        QCOMPARE(m_desk->prompts.size(), 1);
        const QStringList parts = m_desk->prompts.first().split(u'|');
        QCOMPARE(parts.size(), 3);
        QCOMPARE(parts.at(0), u"保存"_s);
        QCOMPARE(parts.at(1), u"请输入文件名及路径："_s);

        const QString programFolder = QCoreApplication::applicationDirPath();
        QVERIFY2(QFileInfo(programFolder).isWritable(), "the test expects its own folder to be writable");
        const QRegularExpression pattern(u"^"_s
                                         + QRegularExpression::escape(QDir::toNativeSeparators(programFolder)
                                                                      + QDir::separator() + u"蛇"_s)
                                         + u"(0|[1-5]?[0-9])\\.txt$"_s);
        const QRegularExpressionMatch match = pattern.match(parts.at(2));
        QVERIFY2(match.hasMatch(), qPrintable(parts.at(2)));
        const int second = match.captured(1).toInt();
        QVERIFY2(second == before || second == after, qPrintable(parts.at(2)));
        QVERIFY(!QFile::exists(parts.at(2)));
    }

    void saveWithoutAnAnswerWritesNothing_data()
    {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("cancel") << std::optional<QString>();
        QTest::newRow("empty") << std::optional<QString>(QString());
        QTest::newRow("spaces only") << std::optional<QString>(u"   "_s);
    }

    void saveWithoutAnAnswerWritesNothing()
    {
        QFETCH(std::optional<QString>, answer);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir::setCurrent(dir.path()));
        m_desk->answer = answer;

        output::SaveReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->prompts.size(), 1);
        QCOMPARE(m_desk->messages, QStringList());
        QCOMPARE(m_statuses, QStringList());
        QCOMPARE(entries(dir.path()), QStringList());
        const QString preset = m_desk->prompts.first().section(u'|', 2);
        QVERIFY(!QFile::exists(preset));
    }

    void saveWritesTheFileNamedAsTyped_data()
    {
        QTest::addColumn<QString>("answer"); // "<dir>/" stands for the temporary folder
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("existing");
        QTest::newRow("full path") << u"<dir>/蛇7.txt"_s << u"蛇7.txt"_s << false;
        QTest::newRow("replaces an existing file") << u"<dir>/蛇7.txt"_s << u"蛇7.txt"_s << true;
        QTest::newRow("relative to the current folder") << u"梦报告.txt"_s << u"梦报告.txt"_s << false;
        QTest::newRow("no extension added") << u"梦报告"_s << u"梦报告"_s << false;
        QTest::newRow("spaces of the answer kept") << u" 梦报告 "_s << u" 梦报告 "_s << false;
    }

    void saveWritesTheFileNamedAsTyped()
    {
        QFETCH(QString, answer);
        QFETCH(QString, fileName);
        QFETCH(bool, existing);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir::setCurrent(dir.path()));
        if (existing) {
            QFile old(dir.filePath(fileName));
            QVERIFY(old.open(QIODevice::WriteOnly));
            QVERIFY(old.write(QByteArray(8192, 'x')) == 8192);
        }
        answer.replace(u"<dir>/"_s, dir.path() + u'/');
        m_desk->answer = answer;

        output::SaveReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->messages, QStringList{u"完成|保存成功！|none"_s});
        QCOMPARE(m_statuses, QStringList());
        QCOMPARE(entries(dir.path()), QStringList{fileName});
        QCOMPARE(readAll(dir.filePath(fileName)), '"' + text::encodeGbk(snakeReport()) + "\"\r\n");
    }

    void failedSaveShowsAnErrorAndNoSuccess_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("missing folder") << u"无此文件夹/蛇7.txt"_s;
        QTest::newRow("directory as path") << u"folder"_s;
    }

    void failedSaveShowsAnErrorAndNoSuccess()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        const QString answer = dir.filePath(target);
        m_desk->answer = answer;

        output::SaveReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->messages.size(), 1);
        const QString message = m_desk->messages.first();
        QVERIFY2(message.endsWith(u"|critical"_s), qPrintable(message));
        QVERIFY2(message.contains(answer), qPrintable(message));
        QVERIFY(!message.contains(u"保存成功"_s));
        QCOMPARE(entries(dir.path()), QStringList{u"folder"_s});
        QCOMPARE(entries(dir.filePath(u"folder"_s)), QStringList());
    }

    void saveOntoAFullDiskReportsTheFailure()
    {
        const QByteArray old = "\"old\"\r\n";
        FullDisk disk({{u"old.txt"_s, old}});
        if (!disk.ready())
            QSKIP(qPrintable(u"No full filesystem to write to: "_s + disk.whyNot()));
        m_desk->answer = disk.path(u"old.txt"_s);

        output::SaveReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->messages.size(), 1);
        const QString message = m_desk->messages.first();
        QVERIFY2(message.endsWith(u"|critical"_s), qPrintable(message));
        QVERIFY2(message.contains(*m_desk->answer), qPrintable(message));
        QVERIFY2(message.contains(u"磁盘已满"_s), qPrintable(message));
        QCOMPARE(disk.entries(), QStringList{u"old.txt"_s});
        QFile file(disk.path(u"old.txt"_s));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
    }

    // The real box of a failed save stays on the screen, its button within reach, however
    // long the name typed; the name keeps its beginning and its end.
    void saveErrorBoxFitsTheScreen_data()
    {
        QTest::addColumn<QString>("name"); // under a temporary folder
        QTest::addColumn<QString>("reason");
        QTest::newRow("32,767-character name") << QString(32763, u'x') + u".txt"_s << u"文件名太长。"_s;
        QTest::newRow("deep missing folders, named twice")
            << u"无此文件夹/"_s.repeated(600) + u"蛇7.txt"_s << u"不存在。"_s;
    }

    void saveErrorBoxFitsTheScreen()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        m_desk->answer = dir.filePath(name);
        desktop::install(nullptr);
        m_desk->showsMessages = &desktop::current();
        desktop::install(m_desk);

        QRect screen, box, button;
        QString shown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [&] {
            auto *messageBox = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!messageBox)
                return;
            screen = messageBox->screen()->availableGeometry();
            box = messageBox->frameGeometry();
            QAbstractButton *ok = messageBox->button(QMessageBox::Ok);
            button = QRect(ok->mapToGlobal(QPoint(0, 0)), ok->size());
            shown = messageBox->text();
            messageBox->accept();
        });
        closer.start(50);
        output::SaveReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->messages.size(), 1);
        QVERIFY2(!shown.isEmpty(), "no message box was shown");
        QVERIFY2(box.height() <= screen.height() && box.width() <= screen.width(),
                 qPrintable(u"box %1×%2 on a screen of %3×%4"_s.arg(box.width())
                                .arg(box.height())
                                .arg(screen.width())
                                .arg(screen.height())));
        QVERIFY2(screen.contains(button), "the box's button is off the screen");
        QVERIFY2(shown.startsWith(u"无法保存到“"_s + dir.path()), qPrintable(shown.left(200)));
        QVERIFY2(shown.contains(name.right(8) + u"”："_s), qPrintable(shown));
        QVERIFY2(shown.endsWith(reason), qPrintable(shown.right(200)));
    }

    void printSendsTheReportToTheDefaultPrinter()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        m_desk->pdfPath = dir.filePath(u"report.pdf"_s);

        output::PrintReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->printerRequests, 1);
        QCOMPARE(m_desk->messages, QStringList());
        QCOMPARE(m_statuses, QStringList());
        QVERIFY(QFileInfo(m_desk->pdfPath).size() > 0);
        QVERIFY(readAll(m_desk->pdfPath).startsWith("%PDF"));
    }

    void printWithoutAPrinterWarns_data()
    {
        QTest::addColumn<QString>("pdfName"); // empty: no default printer
        QTest::newRow("no default printer") << QString();
        QTest::newRow("printer refuses the job") << u"no such folder/report.pdf"_s;
    }

    void printWithoutAPrinterWarns()
    {
        QFETCH(QString, pdfName);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        m_desk->pdfPath = pdfName.isEmpty() ? QString() : dir.filePath(pdfName);
        if (!pdfName.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");

        output::PrintReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->printerRequests, 1);
        QCOMPARE(m_desk->messages.size(), 1);
        QVERIFY2(m_desk->messages.first().endsWith(u"|warning"_s), qPrintable(m_desk->messages.first()));
        QCOMPARE(m_statuses, QStringList{u"未能列印"_s});
        QCOMPARE(entries(dir.path()), QStringList());
    }

    // A queue of a real CUPS scheduler: what the print system answers decides what the user
    // is told.
    void printOnAQueueReportsWhatThePrintSystemDid_data()
    {
        QTest::addColumn<QStringList>("queueState"); // a CUPS tool and its options, run on the queue
        QTest::addColumn<bool>("removedOnceChosen");
        QTest::addColumn<QString>("reason"); // in the warning; "" when the report is printed

        QTest::newRow("ready: printed") << QStringList() << false << QString();
        QTest::newRow("rejecting jobs")
            << QStringList{u"cupsreject"_s, u"-r"_s, u"维修中，请稍候"_s} << false << u"维修中，请稍候"_s;
        QTest::newRow("stopped") << QStringList{u"cupsdisable"_s, u"-r"_s, u"卡纸"_s} << false << u"卡纸"_s;
        QTest::newRow("removed after it was chosen") << QStringList() << true << u"无法使用"_s;
    }

    void printOnAQueueReportsWhatThePrintSystemDid()
    {
        QFETCH(QStringList, queueState);
        QFETCH(bool, removedOnceChosen);
        QFETCH(QString, reason);
        if (!m_cupsError.isEmpty())
            QSKIP(qPrintable(m_cupsError));
        const QString queue =
            u"q-"_s + QString::fromLatin1(QTest::currentDataTag()).section(u':', 0, 0).replace(u' ', u'-');
        QString error;
        QVERIFY2(m_cups.addPdfQueue(queue, false, &error), qPrintable(error));
        if (!queueState.isEmpty())
            QVERIFY2(m_cups.runTool(queueState.first(), queueState.mid(1) << queue, &error),
                     qPrintable(error));
        m_desk->queue = queue;
        if (removedOnceChosen)
            m_desk->printerChosen = [&] { m_cups.runTool(u"lpadmin"_s, {u"-x"_s, queue}); };

        output::PrintReport(kSnake, m_status, nullptr);

        QCOMPARE(m_desk->printerRequests, 1);
        const QString pdf = m_cups.pdfPath(queue);
        if (reason.isEmpty()) {
            QCOMPARE(m_desk->messages, QStringList());
            QCOMPARE(m_statuses, QStringList());
            QTRY_VERIFY_WITH_TIMEOUT(readAll(pdf).trimmed().endsWith("%%EOF"), 30000);
            QVERIFY(readAll(pdf).startsWith("%PDF"));
            return;
        }
        QCOMPARE(m_statuses, QStringList{u"未能列印"_s});
        QCOMPARE(m_desk->messages.size(), 1);
        const QString message = m_desk->messages.first();
        QVERIFY2(message.startsWith(u"列印|报告未能列印："_s) && message.endsWith(u"|warning"_s),
                 qPrintable(message));
        QVERIFY2(message.contains(queue) && message.contains(reason), qPrintable(message));
        // Nothing was left waiting in the queue to come out later.
        QByteArray jobs;
        m_cups.runTool(u"lpstat"_s, {u"-o"_s}, nullptr, &jobs);
        QVERIFY2(!jobs.contains(queue.toUtf8()), jobs.constData());
        QVERIFY(!QFileInfo::exists(pdf));
    }

    void makerSiteOpensTheConfiguredAddress_data()
    {
        QTest::addColumn<bool>("browserTakesUrls");
        QTest::newRow("browser takes it") << true;
        QTest::newRow("no browser: nothing reported") << false;
    }

    void makerSiteOpensTheConfiguredAddress()
    {
        QFETCH(bool, browserTakesUrls);
        m_desk->browserTakesUrls = browserTakesUrls;
        output::OpenMakerSite();
        QCOMPARE(m_desk->opened, QList<QUrl>{QUrl(QString::fromUtf16(config::kMakerUrl))});
        QCOMPARE(m_desk->messages, QStringList());
    }

    void qtDesktopHandsTheAddressToTheUrlHandler()
    {
        desktop::install(nullptr);
        const QUrl maker(QString::fromUtf16(config::kMakerUrl));
        QVERIFY(maker.isValid());
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(maker.scheme(), &catcher, "open");
        output::OpenMakerSite();
        QDesktopServices::unsetUrlHandler(maker.scheme());
        QCOMPARE(catcher.urls, QList<QUrl>{maker});
    }

    void qtClipboardHoldsOnlyTheReport()
    {
        desktop::install(nullptr);
        QClipboard *clipboard = QGuiApplication::clipboard();
        auto *previous = new QMimeData;
        previous->setHtml(u"<b>旧</b>"_s);
        previous->setData(u"application/x-mengjian-test"_s, "old");
        clipboard->setMimeData(previous);
        QVERIFY(clipboard->mimeData()->hasHtml());

        desktop::current().setClipboardText(snakeReport());

        QCOMPARE(clipboard->text(), snakeReport());
        const QMimeData *now = clipboard->mimeData();
        QVERIFY(now);
        QVERIFY(!now->hasHtml());
        QVERIFY(!now->hasFormat(u"application/x-mengjian-test"_s));
    }

    void qtClipboardReceivesTheCopiedReport()
    {
        desktop::install(nullptr);
        QGuiApplication::clipboard()->setText(u"旧内容"_s);
        output::CopyReport(kSnake, m_status, nullptr);
        QCOMPARE(QGuiApplication::clipboard()->text(), snakeReport());
        QCOMPARE(m_statuses, QStringList());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
