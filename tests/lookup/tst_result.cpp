// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/result.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestResult : public QObject
{
    Q_OBJECT

private slots:
    void showResult_data()
    {
        QTest::addColumn<QString>("lookup");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("references");
        const QString noData = modJieMEng::noDataMessage();
        QTest::newRow("comma ending becomes full stop") << u"梦见纸，@"_s << u"梦见纸。"_s << QStringList();
        QTest::newRow("verse list ends in full stop")
            << u"天门开贵人荐引；天光照身疾病除；@"_s << u"天门开贵人荐引；天光照身疾病除。"_s
            << QStringList();
        QTest::newRow("only the last character") << u"甲，，@"_s << u"甲，。"_s << QStringList();
        QTest::newRow("full stop unchanged") << u"梦见纸。@"_s << u"梦见纸。"_s << QStringList();
        QTest::newRow("trimmed before the ending is read") << u" 甲， @"_s << u"甲。"_s << QStringList();
        QTest::newRow("nothing found") << u"@"_s << noData << QStringList();
        QTest::newRow("spaces only") << u"   @  "_s << noData << QStringList();
        QTest::newRow("references only") << u"@傍晚|"_s << QString() << QStringList{u"傍晚"_s};
        QTest::newRow("two references") << u"甲@乙|丙|"_s << u"甲"_s << QStringList{u"乙"_s, u"丙"_s};
        QTest::newRow("five references")
            << u"甲@一|二|三|四|五|"_s << u"甲"_s << QStringList{u"一"_s, u"二"_s, u"三"_s, u"四"_s, u"五"_s};
        QTest::newRow("no final bar") << u"甲@乙"_s << u"甲"_s << QStringList{u"乙"_s};
        QTest::newRow("pieces not trimmed") << u"甲@乙 | 丙|"_s << u"甲"_s << QStringList{u"乙 "_s, u" 丙"_s};
    }

    void showResult()
    {
        QFETCH(QString, lookup);
        QFETCH(QString, text);
        QFETCH(QStringList, references);
        const modJieMEng::ShownResult shown = modJieMEng::showResult(lookup);
        QCOMPARE(shown.text, text);
        QCOMPARE(shown.references, references);
    }

    void noDataMessageNamesTheMakersSite()
    {
        const QString message = modJieMEng::noDataMessage();
        QVERIFY(message.startsWith(u"资料暂缺！详细资料参见“睿蓝软件”"_s));
        QVERIFY(message.size() > 17);
        QVERIFY(!message.contains(u' '));
    }
};

QTEST_APPLESS_MAIN(TestResult)
#include "tst_result.moc"
