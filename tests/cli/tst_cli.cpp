// SPDX-License-Identifier: GPL-3.0-or-later
// mengjian-lookup as a script sees it: its output, its exit status, its input handling.

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"
#include "lookup/result.h"

#include <QProcess>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

Run lookup(const QStringList &args, const QByteArray &input = {})
{
    QProcess p;
    p.start(QStringLiteral(MENGJIAN_LOOKUP_PATH), args);
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

    QString m_records = kb::BuildRecordTable();
    QString m_verses = kb::BuildVerseTable();

    QByteArray expectedOutput(QString keyword)
    {
        return modJieMEng::LookupKeyword(keyword, m_records, m_verses).toUtf8() + '\n';
    }

private slots:
    void rawFromStandardInput()
    {
        // The line feed and a carriage return before it are removed, nothing else.
        const QList<QByteArray> lines{
            "钟",   "  黄昏  ", "",           "黄昏\r", "铁锚,抛", "人",  "天门开贵人",
            "\t钟", "钟2",      "抛锚，起锚", "傍晚 ",  "  ",      "xyz", QByteArray(3000, 'z')};
        QByteArray input;
        QByteArray expected;
        for (const QByteArray &line : lines) {
            input += line + '\n';
            QByteArray keyword = line;
            if (keyword.endsWith('\r'))
                keyword.chop(1);
            expected += expectedOutput(QString::fromUtf8(keyword));
        }
        const Run run = lookup({u"--raw"_s}, input);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expected);
    }

    void rawLastLineWithoutLineFeed()
    {
        const Run run = lookup({u"--raw"_s}, "钟\r\n黄昏");
        QCOMPARE(run.out, expectedOutput(u"钟"_s) + expectedOutput(u"黄昏"_s));
    }

    void rawArguments()
    {
        const Run run = lookup({u"--raw"_s, u"钟"_s, u" 黄昏 "_s, u"--"_s, u"--x"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, expectedOutput(u"钟"_s) + expectedOutput(u"黄昏"_s) + expectedOutput(u"--x"_s));
    }

    void readableOutput()
    {
        const Run run = lookup({u"钟"_s, u"xyz"_s});
        QCOMPARE(run.exitCode, 0);
        const QString out = QString::fromUtf8(run.out);
        QString keyword = u"钟"_s;
        const auto shown = modJieMEng::showResult(modJieMEng::LookupKeyword(keyword, m_records, m_verses));
        QVERIFY(out.contains(shown.text));
        QVERIFY(out.contains(u"参考关键字："_s));
        QVERIFY(out.contains(u"钟2"_s));
        QVERIFY(out.contains(modJieMEng::noDataMessage()));
    }

    void dumpsTheTablesAsBuilt()
    {
        Run run = lookup({u"--dump"_s, u"records"_s});
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, m_records.toUtf8() + '\n');
        run = lookup({u"--dump"_s, u"verses"_s});
        QCOMPARE(run.out, m_verses.toUtf8() + '\n');
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::newRow("unknown option") << QStringList{u"--frobnicate"_s} << QByteArray();
        QTest::newRow("dump without a table") << QStringList{u"--dump"_s} << QByteArray();
        QTest::newRow("dump of an unknown table") << QStringList{u"--dump"_s, u"dreams"_s} << QByteArray();
        QTest::newRow("no keyword") << QStringList() << QByteArray();
        QTest::newRow("invalid UTF-8 on input") << QStringList{u"--raw"_s} << QByteArray("钟\n\xff\xfe\n");
        QTest::newRow("lone surrogate on input") << QStringList{u"--raw"_s} << QByteArray("\xed\xa0\x80\n");
    }

    void usageErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        const Run run = lookup(args, input);
        QCOMPARE(run.exitCode, 2);
        QVERIFY(!run.err.isEmpty());
    }

    void invalidUtf8Argument()
    {
        // QProcess passes arguments as local 8-bit text; go through the shell for raw bytes.
        QProcess p;
        p.start(u"/bin/sh"_s,
                {u"-c"_s, u"\"$0\" \"$(printf '\\377')\""_s, QStringLiteral(MENGJIAN_LOOKUP_PATH)});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(!p.readAllStandardError().isEmpty());
    }

    void helpAndVersion()
    {
        Run run = lookup({u"--help"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.contains("--raw"));
        run = lookup({u"--version"_s});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("mengjian-lookup"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
