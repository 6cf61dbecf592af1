// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/text_file.h"

#include "full_disk.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return file.readAll();
}

bool writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

} // namespace

class TestTextFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The expected bytes are the Windows code page 936 table's, written out by hand.
    void writesOneQuotedRecordInCodePage936_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("encoded");
        QTest::newRow("ascii") << u"A z"_s << QByteArray("A z");
        QTest::newRow("梦") << u"梦"_s << QByteArray("\xC3\xCE");
        QTest::newRow("《梦鉴》") << u"《梦鉴》"_s << QByteArray("\xA1\xB6\xC3\xCE\xBC\xF8\xA1\xB7");
        QTest::newRow("euro is one byte") << u"€"_s << QByteArray("\x80");
        QTest::newRow("full-width colon and space") << u"：\u3000"_s << QByteArray("\xA3\xBA\xA1\xA1");
        QTest::newRow("latin letter with accent") << u"é"_s << QByteArray("\xA8\xA6");
        QTest::newRow("bopomofo") << u"ㄅ"_s << QByteArray("\xA8\xC5");
        QTest::newRow("emoji becomes one question mark") << u"梦😀鉴"_s << QByteArray("\xC3\xCE?\xBC\xF8");
        QTest::newRow("hangul becomes a question mark") << u"蛇한"_s << QByteArray("\xC9\xDF?");
        QTest::newRow("inner quotes unchanged") << u"\"蛇\""_s << QByteArray("\"\xC9\xDF\"");
        QTest::newRow("line breaks and tabs unchanged") << u"A\r\n\tB\r\n"_s << QByteArray("A\r\n\tB\r\n");
        QTest::newRow("empty text") << QString() << QByteArray();
    }

    void writesOneQuotedRecordInCodePage936()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, encoded);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"报告.txt"_s);
        const output::WriteResult result = output::WriteTextFile(path, text);
        QVERIFY2(result.ok, qPrintable(result.error));
        const QByteArray bytes = readAll(path);
        QCOMPARE(bytes, '"' + encoded + "\"\r\n");
        QCOMPARE(bytes.size(), encoded.size() + 4);
        QCOMPARE(entries(dir.path()), QStringList{u"报告.txt"_s}); // nothing left beside it
    }

    void replacesAnExistingFileWholly()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(u"蛇7.txt"_s);
        QVERIFY(writeRaw(path, QByteArray(4096, 'x')));
        const output::WriteResult result = output::WriteTextFile(path, u"梦"_s);
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(readAll(path), QByteArray("\"\xC3\xCE\"\r\n"));
    }

    void failedWriteKeepsWhatWasThere_data()
    {
        QTest::addColumn<QString>("target"); // relative to the temporary folder
        QTest::newRow("missing folder") << u"无此文件夹/报告.txt"_s;
        QTest::newRow("directory as path") << u"folder"_s;
        QTest::newRow("file as folder") << u"old.txt/报告.txt"_s;
        QTest::newRow("empty path") << QString();
    }

    void failedWriteKeepsWhatWasThere()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(u"folder"_s));
        const QByteArray old = "\"old\"\r\n";
        QVERIFY(writeRaw(dir.filePath(u"old.txt"_s), old));
        QVERIFY(writeRaw(dir.filePath(u"folder/inner.txt"_s), old));
        const QStringList before = entries(dir.path());

        const QString path = target.isEmpty() ? QString() : dir.filePath(target);
        const output::WriteResult result = output::WriteTextFile(path, u"梦见蛇"_s);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.trimmed().isEmpty());

        QCOMPARE(entries(dir.path()), before);
        QCOMPARE(entries(dir.filePath(u"folder"_s)), QStringList{u"inner.txt"_s});
        QCOMPARE(readAll(dir.filePath(u"old.txt"_s)), old);
        QCOMPARE(readAll(dir.filePath(u"folder/inner.txt"_s)), old);
        QVERIFY(QFileInfo(dir.filePath(u"folder"_s)).isDir());
    }

    void failedWriteInReadOnlyFolderKeepsTheOldFile()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString folder = dir.filePath(u"locked"_s);
        QVERIFY(QDir(dir.path()).mkdir(u"locked"_s));
        const QString path = folder + u"/报告.txt"_s;
        const QByteArray old = "\"\xC3\xCE\"\r\n";
        QVERIFY(writeRaw(path, old));
        const auto writable = QFile::permissions(folder);
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup
                                                  | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
        const auto restore = qScopeGuard([&] { QFile::setPermissions(folder, writable); });
        {
            QFile probe(folder + u"/probe"_s);
            if (probe.open(QIODevice::WriteOnly)) {
                probe.remove();
                QSKIP("Permissions do not stop writes for this user (running as root).");
            }
        }
        const output::WriteResult result = output::WriteTextFile(path, u"梦见蛇，主得财。"_s);
        QVERIFY(!result.ok);
        QVERIFY(!result.error.trimmed().isEmpty());
        QCOMPARE(readAll(path), old);
        QCOMPARE(entries(folder), QStringList{u"报告.txt"_s});
    }

    // A full disk fails the write itself or the flush behind it; either way the old file
    // stays byte for byte, no temporary file is left, and the user reads why in Chinese.
    void fullDiskKeepsTheOldFileAndSaysWhy_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("replacing a file") << u"old.txt"_s;
        QTest::newRow("new file") << u"蛇7.txt"_s;
    }

    void fullDiskKeepsTheOldFileAndSaysWhy()
    {
        QFETCH(QString, name);
        const QByteArray old = "\"\xC3\xCE\"\r\n";
        FullDisk disk({{u"old.txt"_s, old}});
        if (!disk.ready())
            QSKIP(qPrintable(u"No full filesystem to write to: "_s + disk.whyNot()));

        const output::WriteResult result =
            output::WriteTextFile(disk.path(name), u"梦见蛇，主得财。"_s.repeated(40));
        QVERIFY(!result.ok);
        QCOMPARE(result.error, u"磁盘已满，没有足够的空间。"_s);
        QCOMPARE(disk.entries(), QStringList{u"old.txt"_s});
        QCOMPARE(readAll(disk.path(u"old.txt"_s)), old);
    }

    void overlongNameIsExplainedInChinese()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString name = QString(300, u'x') + u".txt"_s;
        const output::WriteResult result = output::WriteTextFile(dir.filePath(name), u"梦"_s);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, u"文件名太长。"_s);
        QCOMPARE(entries(dir.path()), QStringList());
    }

    // Where the folder's filesystem refuses every write, root's too, the user reads why:
    // a read-only disk, or the kernel's own folders, rather than a missing folder or
    // permissions.
    void refusingFilesystemIsNamed_data()
    {
        QTest::addColumn<QString>("path"); // "" for a file on a read-only mount
        QTest::addColumn<QString>("reason");
        QTest::newRow("read-only mount") << QString() << u"这个磁盘是只读的，不能写入。"_s;
        QTest::newRow("existing file under /proc")
            << u"/proc/version"_s << u"“/proc”及其中的文件夹由系统内核提供，不能在这里保存文件。"_s;
        QTest::newRow("new file deeper in /proc")
            << u"/proc/sys/kernel/梦.txt"_s << u"“/proc”及其中的文件夹由系统内核提供，不能在这里保存文件。"_s;
        QTest::newRow("new file under /sys")
            << u"/sys/kernel/梦.txt"_s << u"“/sys”及其中的文件夹由系统内核提供，不能在这里保存文件。"_s;
    }

    void refusingFilesystemIsNamed()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        std::optional<FullDisk> disk;
        if (path.isEmpty()) {
            disk.emplace(QList<QPair<QString, QByteArray>>{{u"old.txt"_s, "\"old\"\r\n"}},
                         FullDisk::ReadOnly);
            if (!disk->ready())
                QSKIP(qPrintable(u"No read-only filesystem to write to: "_s + disk->whyNot()));
            path = disk->path(u"old.txt"_s);
        }
        if (!QFileInfo(QFileInfo(path).absolutePath()).exists())
            QSKIP("No such kernel folder on this machine.");
        const QByteArray before = readAll(path);

        const output::WriteResult result = output::WriteTextFile(path, u"梦见蛇"_s);
        QVERIFY(!result.ok);
        QCOMPARE(result.error, reason);
        QCOMPARE(readAll(path), before);
    }

    void proposesFolderSeparatorKeywordSecondAndExtension_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<int>("second");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("expected");
        const QChar slash = u'/';
        const QChar backslash = u'\\';
        QTest::newRow("separator added") << u"/home/li"_s << u"蛇"_s << 7 << slash << u"/home/li/蛇7.txt"_s;
        QTest::newRow("folder already ends in separator")
            << u"/home/li/"_s << u"蛇"_s << 45 << slash << u"/home/li/蛇45.txt"_s;
        QTest::newRow("root folder") << u"/"_s << u"蛇"_s << 7 << slash << u"/蛇7.txt"_s;
        QTest::newRow("windows folder")
            << u"D:\\Tools"_s << u"蛇"_s << 7 << backslash << u"D:\\Tools\\蛇7.txt"_s;
        QTest::newRow("windows drive root") << u"D:\\"_s << u"蛇"_s << 45 << backslash << u"D:\\蛇45.txt"_s;
        QTest::newRow("second 0") << u"/d"_s << u"蛇"_s << 0 << slash << u"/d/蛇0.txt"_s;
        QTest::newRow("second 10 keeps its zero") << u"/d"_s << u"蛇"_s << 10 << slash << u"/d/蛇10.txt"_s;
        QTest::newRow("second 59") << u"/d"_s << u"蛇"_s << 59 << slash << u"/d/蛇59.txt"_s;
        QTest::newRow("folder trimmed of spaces")
            << u"  /home/li  "_s << u"蛇"_s << 7 << slash << u"/home/li/蛇7.txt"_s;
        QTest::newRow("trimmed folder ending in separator")
            << u" /home/li/ "_s << u"蛇"_s << 7 << slash << u"/home/li/蛇7.txt"_s;
        QTest::newRow("keyword trimmed of spaces")
            << u"/d"_s << u"  天 门  "_s << 7 << slash << u"/d/天 门7.txt"_s;
        QTest::newRow("full-width space of the keyword stays")
            << u"/d"_s << u"\u3000蛇"_s << 7 << slash << u"/d/\u3000蛇7.txt"_s;
    }

    void proposesFolderSeparatorKeywordSecondAndExtension()
    {
        QFETCH(QString, folder);
        QFETCH(QString, keyword);
        QFETCH(int, second);
        QFETCH(QChar, separator);
        QFETCH(QString, expected);
        QCOMPARE(output::defaultReportPath(folder, keyword, second, separator), expected);
    }

    void proposedFolderIsTheProgramsWhenWritable()
    {
        const QString programFolder = QCoreApplication::applicationDirPath();
        if (!QFileInfo(programFolder).isWritable())
            QSKIP("The test program's folder is not writable here.");
        QCOMPARE(output::reportFolder(), QDir::toNativeSeparators(programFolder));
    }
};

QTEST_GUILESS_MAIN(TestTextFile)
#include "tst_text_file.moc"
