// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/report.h"

#include <mengjian/config.h>

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QString header()
{
    return u"《梦鉴》由睿蓝软件开发发布；软件升级参见"_s + QString::fromUtf16(config::kMakerUrl);
}

QString footer()
{
    return u"《名汇坊》姓名设计专家！"_s + QString::fromUtf16(config::kSiblingUrl);
}

// The report: the header line, `middle` as written out by the caller, the footer line.
QString framed(const QString &middle)
{
    return header() + u"\r\n"_s + middle + footer() + u"\r\n"_s;
}

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void composesTheReportLineByLine_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("references");
        QTest::addColumn<QString>("expected");

        const QStringList refs{u"蛇"_s, u"大蛇"_s, u"蛇咬人"_s};
        const QString result = u"梦见蛇，主得财。"_s;

        QTest::newRow("with reference keywords")
            << u"蛇"_s << result << refs
            << framed(u" \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("no reference keywords: two one-space lines before the footer")
            << u"蛇"_s << result << QStringList()
            << framed(u" \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n \r\n"_s);
        QTest::newRow("result text keeps its own line breaks")
            << u"天门"_s << u"天门开，贵人荐引；\r\n天光照身，疾病除。\n末行"_s << QStringList{u"天"_s}
            << framed(
                   u" \r\n输入梦境关键字：天门\r\n \r\n解梦结果：\r\n \r\n"
                   u"天门开，贵人荐引；\r\n天光照身，疾病除。\n末行\r\n \r\n参考关键字：\r\n \r\n天\r\n \r\n"_s);
        QTest::newRow("empty result text: an empty line between one-space lines")
            << u"傍晚"_s << QString() << QStringList{u"傍晚"_s}
            << framed(u" \r\n输入梦境关键字：傍晚\r\n \r\n解梦结果：\r\n \r\n\r\n \r\n"
                      u"参考关键字：\r\n \r\n傍晚\r\n \r\n"_s);
        QTest::newRow("input differs from the result on screen")
            << u"龙"_s << result << refs
            << framed(u" \r\n输入梦境关键字：龙\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("spaces around the keyword are trimmed")
            << u"   蛇  "_s << result << refs
            << framed(u" \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("inner space of the keyword stays")
            << u" 天 门 "_s << result << refs
            << framed(u" \r\n输入梦境关键字：天 门\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("tab around the keyword stays")
            << u"\t蛇 "_s << result << refs
            << framed(u" \r\n输入梦境关键字：\t蛇\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("full-width space around the keyword stays")
            << u" \u3000蛇\u3000"_s << result << refs
            << framed(
                   u" \r\n输入梦境关键字：\u3000蛇\u3000\r\n \r\n解梦结果：\r\n \r\n梦见蛇，主得财。\r\n \r\n"
                   u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("tabs and quotes of the result stay")
            << u"蛇"_s << u"\t\"蛇\"\t"_s << refs
            << framed(u" \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n\t\"蛇\"\t\r\n \r\n"
                      u"参考关键字：\r\n \r\n蛇\r\n大蛇\r\n蛇咬人\r\n \r\n"_s);
        QTest::newRow("result and references are not trimmed")
            << u"蛇"_s << u"  梦见蛇  "_s << QStringList{u" 蛇 "_s}
            << framed(u" \r\n输入梦境关键字：蛇\r\n \r\n解梦结果：\r\n \r\n  梦见蛇  \r\n \r\n"
                      u"参考关键字：\r\n \r\n 蛇 \r\n \r\n"_s);
    }

    void composesTheReportLineByLine()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, result);
        QFETCH(QStringList, references);
        QFETCH(QString, expected);
        const QString report = output::ComposeReport({keyword, result, references});
        QCOMPARE(report, expected);
    }

    // The fixed lines written out in full once, code point for code point, so that a
    // swapped colon, an empty separator line or a lost CR shows up in the header and
    // footer too.
    void fixedLinesAreExact()
    {
        const QString maker = QString::fromUtf16(config::kMakerUrl);
        const QString sibling = QString::fromUtf16(config::kSiblingUrl);
        const QString expected =
            u"\u300A\u68A6\u9274\u300B\u7531\u777F\u84DD\u8F6F\u4EF6\u5F00\u53D1\u53D1\u5E03\uFF1B"
            u"\u8F6F\u4EF6\u5347\u7EA7\u53C2\u89C1"_s
            + maker
            + u"\r\n"
              u" \r\n"
              u"\u8F93\u5165\u68A6\u5883\u5173\u952E\u5B57\uFF1A\u86C7\r\n"
              u" \r\n"
              u"\u89E3\u68A6\u7ED3\u679C\uFF1A\r\n"
              u" \r\n"
              u"R\r\n"
              u" \r\n"
              u"\u53C2\u8003\u5173\u952E\u5B57\uFF1A\r\n"
              u" \r\n"
              u"A\r\n"
              u"B\r\n"
              u" \r\n"
              u"\u300A\u540D\u6C47\u574A\u300B\u59D3\u540D\u8BBE\u8BA1\u4E13\u5BB6\uFF01"_s
            + sibling + u"\r\n"_s;
        QCOMPARE(output::ComposeReport({u"\u86C7"_s, u"R"_s, {u"A"_s, u"B"_s}}), expected);
    }

    void configuredAddressesCloseHeaderAndFooter()
    {
        const QString maker = QString::fromUtf16(config::kMakerUrl);
        const QString sibling = QString::fromUtf16(config::kSiblingUrl);
        QVERIFY(!maker.isEmpty());
        QVERIFY(!sibling.isEmpty());
        QVERIFY(maker != sibling);
        const QStringList lines = output::ComposeReport({u"蛇"_s, u"x"_s, {}}).split(u"\r\n"_s);
        QCOMPARE(lines.first(), u"《梦鉴》由睿蓝软件开发发布；软件升级参见"_s + maker);
        QCOMPARE(lines.at(lines.size() - 2), u"《名汇坊》姓名设计专家！"_s + sibling);
        QCOMPARE(lines.last(), QString()); // the footer's own CR LF closes the report
    }

    void everyLineEndsInCrLf_data()
    {
        QTest::addColumn<QStringList>("references");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("none") << QStringList() << 12;
        QTest::newRow("one") << QStringList{u"蛇"_s} << 13;
        QTest::newRow("five") << QStringList{u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s} << 17;
    }

    void everyLineEndsInCrLf()
    {
        QFETCH(QStringList, references);
        QFETCH(int, lineCount);
        const QString report = output::ComposeReport({u"蛇"_s, u"梦见蛇。"_s, references});
        QVERIFY(report.endsWith(u"\r\n"_s));
        QVERIFY(!report.endsWith(u"\r\n\r\n"_s));
        QCOMPARE(report.count(u"\r\n"_s), lineCount);
        QCOMPARE(report.count(u'\n'), lineCount); // no bare line feed
        QCOMPARE(report.count(u'\r'), lineCount); // no bare carriage return
    }
};

QTEST_APPLESS_MAIN(TestReport)
#include "tst_report.moc"
