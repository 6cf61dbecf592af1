// SPDX-License-Identifier: GPL-3.0-or-later
// The lookups on small tables of our own, chosen so that each case tells one rule apart.

#include "lookup/mod_jie_meng.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QString kRecords = QStringLiteral("1|铁锚|梦见船抛锚，愿望将得实现。|其它类|抛锚，起锚@"
                                        "3|灰烬|梦见灰烬是不祥之兆。|其它类|@"
                                        "23|钟|梦见钟，有远信。|其它类|@"
                                        "64|钟2|梦见买钟，要走红运。|其它类|@"
                                        "100| 花 |  梦见花，主喜。 |植物类| 鲜花，花朵 @"
                                        "200|天门|梦见天门，贵人相助。|自然类|@"
                                        "300|大钟|梦见大钟，名声远扬。|其它类|铜钟@"
                                        "400|结尾|释义未完，|其它类|@"
                                        "500|两段@"
                                        "510|三段|只有三段"
                                        "@526|傍晚|梦见黄昏，大难临头。|自然类|黄昏@");

const QString kVerses = QStringLiteral("天门开贵人荐引，天光照身疾病除，仰面向天大富贵，风如吼主远信至。"
                                       " 蝇污人衣必有谗，蝼蛄主有不明事。");

} // namespace

class TestLookup : public QObject
{
    Q_OBJECT

private slots:
    void findInterpretation_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("trimmedKeyword");
        QTest::newRow("exact") << u"钟"_s << u"梦见钟，有远信。"_s << u"钟"_s;
        QTest::newRow("spaces around") << u"  钟  "_s << u"梦见钟，有远信。"_s << u"钟"_s;
        QTest::newRow("second record") << u"钟2"_s << u"梦见买钟，要走红运。"_s << u"钟2"_s;
        QTest::newRow("alias is not a keyword") << u"黄昏"_s << QString() << u"黄昏"_s;
        QTest::newRow("part of a keyword") << u"灰"_s << QString() << u"灰"_s;
        QTest::newRow("longer than a keyword") << u"打钟"_s << QString() << u"打钟"_s;
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("spaces only") << u"   "_s << QString() << QString();
        QTest::newRow("tab is not trimmed") << u"\t钟"_s << QString() << u"\t钟"_s;
        QTest::newRow("full-width space is not trimmed") << u"钟　"_s << QString() << u"钟　"_s;
        QTest::newRow("fields trimmed") << u"花"_s << u"梦见花，主喜。"_s << u"花"_s;
        QTest::newRow("three fields are a record") << u"三段"_s << u"只有三段"_s << u"三段"_s;
        QTest::newRow("two fields are not") << u"两段"_s << QString() << u"两段"_s;
        QTest::newRow("category is not searched") << u"其它类"_s << QString() << u"其它类"_s;
        QTest::newRow("id is not searched") << u"23"_s << QString() << u"23"_s;
    }

    void findInterpretation()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        QFETCH(QString, trimmedKeyword);
        QCOMPARE(modJieMEng::FindInterpretation(keyword, kRecords), expected);
        QCOMPARE(keyword, trimmedKeyword);
    }

    void findReferenceKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        QTest::newRow("keyword contained, own record left out") << u"钟"_s << u"钟2|大钟|"_s;
        QTest::newRow("alias only") << u"黄昏"_s << u"傍晚|"_s;
        QTest::newRow("own record even when also its alias") << u"傍晚"_s << QString();
        QTest::newRow("second record has none") << u"钟2"_s << QString();
        QTest::newRow("alias of a record") << u"铜钟"_s << u"大钟|"_s;
        QTest::newRow("keyword and alias in one record listed once") << u"锚"_s << u"铁锚|"_s;
        QTest::newRow("spans the join") << u"铁锚,抛"_s << u"铁锚|"_s;
        QTest::newRow("spans the alias separator") << u"抛锚，起锚"_s << u"铁锚|"_s;
        QTest::newRow("join after a bare keyword") << u"钟,"_s << u"钟|大钟|"_s;
        QTest::newRow("the join alone") << u","_s << u"铁锚|灰烬|钟|钟2|花|天门|大钟|结尾|三段|傍晚|"_s;
        QTest::newRow("trimmed alias field") << u"鲜花"_s << u"花|"_s;
        QTest::newRow("trimmed keyword field is own record") << u" 花"_s << QString();
        QTest::newRow("interpretation is not searched") << u"不祥"_s << QString();
        QTest::newRow("longer than every match text") << u"铁锚抛锚起锚铁锚抛锚起锚"_s << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces only") << u"  "_s << QString();
        QTest::newRow("full-width comma is not the join") << u"钟，"_s << QString();
    }

    void findReferenceKeywords()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        QCOMPARE(modJieMEng::FindReferenceKeywords(keyword, kRecords), expected);
        QVERIFY(!keyword.startsWith(u' ') && !keyword.endsWith(u' '));
    }

    void searchReferenceKeywords_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("allCharacters");
        QTest::addColumn<QString>("anyCharacter");
        QTest::newRow("one character: both passes agree") << u"钟"_s << u"钟2|大钟|"_s << u"钟2|大钟|"_s;
        QTest::newRow("repeated character needs one occurrence")
            << u"钟钟"_s << u"钟|钟2|大钟|"_s << u"钟|钟2|大钟|"_s;
        QTest::newRow("split between keyword and alias") << u"锚抛"_s << u"铁锚|"_s << u"铁锚|"_s;
        QTest::newRow("alias then keyword character") << u"铜大"_s << u"大钟|"_s << u"大钟|"_s;
        QTest::newRow("no record has all") << u"铜灰"_s << QString() << u"灰烬|大钟|"_s;
        QTest::newRow("order of characters is free") << u"门天"_s << u"天门|"_s << u"天门|"_s;
        QTest::newRow("own record never listed") << u"天门"_s << QString() << QString();
        QTest::newRow("own record left out of any pass") << u"钟2"_s << QString() << u"钟|大钟|"_s;
        QTest::newRow("comma is in every match text")
            << u"灰,"_s << u"灰烬|"_s << u"铁锚|灰烬|钟|钟2|花|天门|大钟|结尾|三段|傍晚|"_s;
        QTest::newRow("inner space matches nothing") << u"钟 锚"_s << QString() << u"铁锚|钟|钟2|大钟|"_s;
        QTest::newRow("nothing shared") << u"xyz"_s << QString() << QString();
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("spaces only") << u"   "_s << QString() << QString();
    }

    void searchReferenceKeywords()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, allCharacters);
        QFETCH(QString, anyCharacter);
        QString k1 = keyword;
        QCOMPARE(modJieMEng::SearchReferenceKeywords(k1, false, kRecords), allCharacters);
        QString k2 = u"  "_s + keyword + u" "_s;
        QCOMPARE(modJieMEng::SearchReferenceKeywords(k2, true, kRecords), anyCharacter);
        QCOMPARE(k1, k2);
    }

    void findOmenVerses_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        QTest::newRow("opening") << u"天门开贵"_s << u"天门开贵人荐引；"_s;
        QTest::newRow("end of phrase is not searched") << u"贵人荐引"_s << QString();
        QTest::newRow("inside the opening") << u"门开"_s << u"天门开贵人荐引；"_s;
        QTest::newRow("fourth character") << u"天"_s << u"天门开贵人荐引；天光照身疾病除；仰面向天大富贵；"_s;
        QTest::newRow("fifth character is outside") << u"人"_s << u"蝇污人衣必有谗；"_s;
        QTest::newRow("phrase closing a section") << u"吼"_s << u"风如吼主远信至；"_s;
        QTest::newRow("after a space") << u"蝇污"_s << u"蝇污人衣必有谗；"_s;
        QTest::newRow("last phrase of the table") << u" 蝼蛄 "_s << u"蝼蛄主有不明事；"_s;
        QTest::newRow("five characters never match") << u"天门开贵人"_s << QString();
        QTest::newRow("terminator is not in an opening") << u"，"_s << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("spaces only") << u" "_s << QString();
    }

    void findOmenVerses()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        QCOMPARE(modJieMEng::FindOmenVerses(keyword, kVerses), expected);
    }

    void lookupKeyword_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        QTest::newRow("record, others mention it") << u"钟"_s << u"梦见钟，有远信。@钟2|大钟|"_s;
        QTest::newRow("record, nobody mentions it: fuzzy passes not tried")
            << u"钟2"_s << u"梦见买钟，要走红运。@"_s;
        QTest::newRow("alias only") << u"黄昏"_s << u"@傍晚|"_s;
        QTest::newRow("own alias not listed") << u"傍晚"_s << u"梦见黄昏，大难临头。@"_s;
        QTest::newRow("verses and substring matches")
            << u"天"_s << u"天门开贵人荐引；天光照身疾病除；仰面向天大富贵；@天门|"_s;
        QTest::newRow("verses only") << u"门开"_s << u"天门开贵人荐引；@"_s;
        QTest::newRow("substring only") << u"铜钟"_s << u"@大钟|"_s;
        QTest::newRow("all-characters pass") << u"锚抛"_s << u"@铁锚|"_s;
        QTest::newRow("any-character pass") << u"铜灰"_s << u"@灰烬|大钟|"_s;
        QTest::newRow("any-character pass after five characters") << u"天门开贵人"_s << u"@天门|"_s;
        QTest::newRow("nothing") << u"xyz"_s << u"@"_s;
        QTest::newRow("empty") << QString() << u"@"_s;
        QTest::newRow("spaces only") << u"    "_s << u"@"_s;
        QTest::newRow("spaces around") << u"  黄昏 "_s << u"@傍晚|"_s;
        QTest::newRow("interpretation ending in comma kept") << u"结尾"_s << u"释义未完，@"_s;
    }

    void lookupKeyword()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        const QString before = keyword;
        const QString result = modJieMEng::LookupKeyword(keyword, kRecords, kVerses);
        QCOMPARE(result, expected);
        QCOMPARE(result.count(u'@'), 1);
        QCOMPARE(keyword, QString(before).remove(QRegularExpression(u"^ +| +$"_s)));
    }

    void emptyTablesFindNothing()
    {
        for (const QString &k : {u"钟"_s, u"天"_s, u","_s}) {
            QString keyword = k;
            QCOMPARE(modJieMEng::LookupKeyword(keyword, QStringView(), QStringView()), u"@"_s);
        }
    }

    void veryLongKeywordFindsNothingButTheAnyPass()
    {
        // The keyword input's limit; every character but one is absent from the table.
        QString keyword(32767, QChar(u'龘'));
        keyword[16000] = u'烬';
        QCOMPARE(modJieMEng::LookupKeyword(keyword, kRecords, kVerses), u"@灰烬|"_s);
    }
};

QTEST_APPLESS_MAIN(TestLookup)
#include "tst_lookup.moc"
