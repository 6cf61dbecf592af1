// SPDX-License-Identifier: GPL-3.0-or-later
// The lookups on the shipped tables: the behaviour users rely on, and the engine's walk
// checked against a split-based model over every keyword, alias and character of the data.

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"
#include "naive_lookup.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

class TestLookupShipped : public QObject
{
    Q_OBJECT

    QString m_records = kb::BuildRecordTable();
    QString m_verses = kb::BuildVerseTable();

    QString lookup(const QString &query)
    {
        QString keyword = query;
        return modJieMEng::LookupKeyword(keyword, m_records, m_verses);
    }

private slots:
    void tellingQueries_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("expected");
        QTest::newRow("second record, nobody mentions it") << u"钟2"_s << u"梦见买钟，要走红运。@"_s;
        QTest::newRow("alias only") << u"黄昏"_s << u"@傍晚|"_s;
        QTest::newRow("own alias never listed") << u"傍晚"_s << u"梦见黄昏，大难临头。@"_s;
        QTest::newRow("empty") << QString() << u"@"_s;
        QTest::newRow("spaces around") << u"  黄昏  "_s << u"@傍晚|"_s;
    }

    void tellingQueries()
    {
        QFETCH(QString, keyword);
        QFETCH(QString, expected);
        QCOMPARE(lookup(keyword), expected);
    }

    void bellListsItsSecondRecord()
    {
        const QString result = lookup(u"钟"_s);
        QVERIFY(result.section(u'@', 1).split(u'|').contains(u"钟2"_s));
        QVERIFY(!result.section(u'@', 1).split(u'|').contains(u"钟"_s));
        QVERIFY(!result.section(u'@', 0, 0).isEmpty());
    }

    void versesAreFoundByTheirOpening()
    {
        QString k = u"天门开贵"_s;
        QVERIFY(modJieMEng::FindOmenVerses(k, m_verses).split(u'；').contains(u"天门开贵人荐引"_s));
        k = u"贵人荐引"_s;
        QCOMPARE(modJieMEng::FindOmenVerses(k, m_verses), QString());
        k = u"天"_s;
        QVERIFY(modJieMEng::FindOmenVerses(k, m_verses).split(u'；').contains(u"仰面向天大富贵"_s));
    }

    void engineAgreesWithTheModel()
    {
        QSet<QString> queries{u","_s,  u"，"_s,     u"天门开贵人"_s, u"门开"_s, u"人"_s,
                              u"子"_s, u"龘龘龘"_s, u" 钟 "_s,       u"\t钟"_s};
        for (const QString &piece : m_records.split(u'@')) {
            const QStringList f = piece.split(u'|');
            if (f.size() < 5)
                continue;
            queries.insert(f[1]);
            for (const QString &alias : f[4].split(u'，', Qt::SkipEmptyParts))
                queries.insert(alias);
            for (const QChar c : f[1])
                queries.insert(QString(c));
            queries.insert(f[1] + u',' + f[4].left(1));    // spans the join
            queries.insert(f[1] + f[1].left(1) + u"天"_s); // all/any passes
        }
        QVERIFY(queries.size() > 20);
        const naive::Pieces pieces(m_records, m_verses);
        for (const QString &query : std::as_const(queries)) {
            QString mine = query;
            QString model = query;
            const QString expected = naive::LookupKeyword(model, pieces);
            QCOMPARE(modJieMEng::LookupKeyword(mine, m_records, m_verses), expected);
            QCOMPARE(mine, model);
            QString any = query;
            QString anyModel = query;
            QCOMPARE(modJieMEng::SearchReferenceKeywords(any, true, m_records),
                     naive::naiveReferences(anyModel, pieces.records, 2));
        }
    }
};

QTEST_APPLESS_MAIN(TestLookupShipped)
#include "tst_lookup_shipped.moc"
