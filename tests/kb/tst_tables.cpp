// SPDX-License-Identifier: GPL-3.0-or-later
// The shipped tables: their format and the figures the program and its users rely on, so
// that no edit of data/ breaks them unnoticed.

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"

#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct Record
{
    int id = 0;
    QString keyword, interpretation, category, aliases;
};

QList<Record> parseRecords(const QString &table)
{
    QList<Record> records;
    const QStringList pieces = table.split(u'@');
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        const QStringList f = pieces[i].split(u'|');
        if (f.size() != 5)
            return {};
        records.append({f[0].toInt(), f[1], f[2], f[3], f[4]});
    }
    return records;
}

template<typename T>
QMap<T, int> histogram(const QList<T> &values)
{
    QMap<T, int> h;
    for (const T &v : values)
        ++h[v];
    return h;
}

} // namespace

class TestTables : public QObject
{
    Q_OBJECT

    const QString m_records = kb::BuildRecordTable();
    const QString m_verses = kb::BuildVerseTable();

    QString references(const QString &query)
    {
        QString keyword = query;
        return modJieMEng::FindReferenceKeywords(keyword, m_records);
    }

private slots:
    void recordFormat()
    {
        QVERIFY(m_records.endsWith(u'@'));
        const QStringList pieces = m_records.split(u'@');
        QCOMPARE(pieces.size(), 958);
        QVERIFY(pieces.last().isEmpty());
        static const QRegularExpression id(u"^[1-9][0-9]*$"_s);
        for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
            const QString &piece = pieces[i];
            QVERIFY2(!piece.startsWith(u' ') && !piece.endsWith(u' '), qPrintable(piece));
            const QStringList f = piece.split(u'|');
            QVERIFY2(f.size() == 5, qPrintable(piece));
            QVERIFY2(id.match(f[0]).hasMatch(), qPrintable(piece));
            for (const QString &field : f)
                QVERIFY2(field == field.trimmed(), qPrintable(piece));
        }
        QVERIFY(m_records.size() >= 114000 && m_records.size() <= 121000);
    }

    void recordIds()
    {
        const QList<Record> records = parseRecords(m_records);
        QCOMPARE(records.size(), 957);
        QSet<int> ids;
        for (qsizetype i = 0; i < records.size(); ++i) {
            if (i > 0)
                QVERIFY(records[i].id > records[i - 1].id);
            ids.insert(records[i].id);
        }
        QCOMPARE(records.first().id, 1);
        QCOMPARE(records.last().id, 1034);
        QCOMPARE(1034 - ids.size(), 77);
        for (int unassigned : {5, 41, 50, 54, 77, 93})
            QVERIFY(!ids.contains(unassigned));
    }

    void tellingRows()
    {
        QVERIFY(m_records.startsWith(
            u"1|铁锚|梦见船抛锚，意味着自己的全部愿望将得到实现。梦见起锚，预兆将去长途旅行。|其它类|抛锚，起锚@"_s));
        for (const QString &row :
             {u"@3|灰烬|梦见灰烬是不祥之兆。|其它类|@"_s, u"@526|傍晚|梦见黄昏，大难临头。|自然类|黄昏@"_s,
              u"@64|钟2|梦见买钟，要走红运。|其它类|@"_s})
            QVERIFY2(m_records.contains(row), qPrintable(row));
        QVERIFY(m_records.contains(u"@23|钟|"_s));
    }

    void keywords()
    {
        const QList<Record> records = parseRecords(m_records);
        QSet<QString> keywords;
        QList<int> lengths;
        for (const Record &r : records) {
            QVERIFY2(!keywords.contains(r.keyword), qPrintable(r.keyword));
            keywords.insert(r.keyword);
            lengths.append(int(r.keyword.size()));
        }
        const QMap<int, int> expected{{1, 73}, {2, 764}, {3, 102}, {4, 18}};
        QCOMPARE(histogram(lengths), expected);

        int seconds = 0;
        for (const QString &k : std::as_const(keywords)) {
            if (!k.endsWith(u'2'))
                continue;
            ++seconds;
            QVERIFY2(keywords.contains(k.chopped(1)), qPrintable(k));
        }
        QCOMPARE(seconds, 15);
    }

    void interpretations()
    {
        int shortest = 1000, longest = 0, fullStops = 0, commas = 0;
        QSet<QString> seen;
        for (const Record &r : parseRecords(m_records)) {
            shortest = std::min(shortest, int(r.interpretation.size()));
            longest = std::max(longest, int(r.interpretation.size()));
            fullStops += r.interpretation.endsWith(u'。');
            commas += r.interpretation.endsWith(u'，');
            QVERIFY2(!seen.contains(r.interpretation), qPrintable(r.keyword));
            seen.insert(r.interpretation);
        }
        QCOMPARE(shortest, 9);
        QCOMPARE(longest, 258);
        QCOMPARE(fullStops, 955);
        QCOMPARE(commas, 2);
    }

    void categoriesAndAliases()
    {
        QList<QString> categories;
        QList<int> aliasCounts;
        for (const Record &r : parseRecords(m_records)) {
            categories.append(r.category);
            aliasCounts.append(r.aliases.isEmpty() ? 0 : int(r.aliases.split(u'，').size()));
            for (const QString &alias : r.aliases.split(u'，', Qt::SkipEmptyParts))
                QVERIFY2(!alias.isEmpty() && alias == alias.trimmed(), qPrintable(r.keyword));
        }
        const QMap<QString, int> expectedCategories{
            {u"其它类"_s, 514}, {u"人类"_s, 198}, {u"动物类"_s, 107}, {u"自然类"_s, 69}, {u"植物类"_s, 69}};
        QCOMPARE(histogram(categories), expectedCategories);
        const QMap<int, int> expectedAliases{{0, 558}, {1, 208}, {2, 106}, {3, 54},
                                             {4, 17},  {5, 9},   {6, 4},   {9, 1}};
        QCOMPARE(histogram(aliasCounts), expectedAliases);
    }

    void recordBehaviour()
    {
        QString keyword = u"黄昏"_s;
        QCOMPARE(modJieMEng::LookupKeyword(keyword, m_records, m_verses), u"@傍晚|"_s);
        QCOMPARE(references(u"傍晚"_s), QString());
        QCOMPARE(references(u"钟2"_s), QString());
        QVERIFY(references(u"钟"_s).split(u'|').contains(u"钟2"_s));
        const int zi = int(references(u"子"_s).count(u'|'));
        QVERIFY2(zi >= 50 && zi <= 60, QByteArray::number(zi));

        keyword = u"天门开贵人"_s;
        QCOMPARE(modJieMEng::SearchReferenceKeywords(keyword, false, m_records), QString());
        const int any = int(modJieMEng::SearchReferenceKeywords(keyword, true, m_records).count(u'|'));
        QVERIFY2(any >= 24 && any <= 96, QByteArray::number(any));
        QCOMPARE(modJieMEng::LookupKeyword(keyword, m_records, m_verses).count(u'|'), any);
    }

    void verseFormat()
    {
        QCOMPARE(m_verses.size(), 7682);
        QVERIFY(m_verses.endsWith(u'。'));
        QCOMPARE(m_verses.count(u'，'), 934);
        QCOMPARE(m_verses.count(u'。'), 26);
        QCOMPARE(m_verses.count(u' '), 2);
        static const QRegularExpression spaceAfterTerminator(u"[，。] [^ ，。]"_s);
        QCOMPARE(m_verses.count(spaceAfterTerminator), 2);

        QString copy = m_verses;
        copy.replace(u'。', u'，');
        const QStringList pieces = copy.split(u'，');
        QCOMPARE(pieces.size(), 961);
        QVERIFY(pieces.last().isEmpty());
        static const QRegularExpression phrase(u"^\\p{Han}{7}$"_s);
        QSet<QString> phrases;
        for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
            const QString p = pieces[i].trimmed();
            QVERIFY2(phrase.match(p).hasMatch(), qPrintable(p));
            QVERIFY2(!phrases.contains(p), qPrintable(p));
            phrases.insert(p);
        }
        QVERIFY(phrases.contains(u"仰面向天大富贵"_s));
    }

    void verseSections()
    {
        const QStringList sections = m_verses.split(u'。', Qt::SkipEmptyParts);
        QCOMPARE(sections.size(), 26);
        for (const QString &section : sections) {
            const qsizetype phrases = QString(section).remove(u' ').size() / 8 + 1;
            QVERIFY(phrases % 2 == 0);
            QVERIFY2(phrases / 2 >= 7 && phrases / 2 <= 31, qPrintable(section.left(16)));
        }
        QVERIFY(m_verses.startsWith(u"天门开贵人荐引，天光照身疾病除，"_s));
        QVERIFY(m_verses.endsWith(u"蝇污人衣必有谗，蝼蛄主有不明事。"_s));
        QVERIFY(m_verses.contains(u"忽大风国有号令，风如吼主远信至。"_s));
    }

    void verseBehaviour()
    {
        QString keyword = u"门开"_s;
        const QStringList gates =
            modJieMEng::FindOmenVerses(keyword, m_verses).split(u'；', Qt::SkipEmptyParts);
        QVERIFY(gates.size() >= 3);
        QVERIFY(gates.contains(u"天门开贵人荐引"_s));
        keyword = u"贵人荐引"_s;
        QCOMPARE(modJieMEng::FindOmenVerses(keyword, m_verses), QString());
        keyword = u"人"_s;
        const qsizetype people = modJieMEng::FindOmenVerses(keyword, m_verses).count(u'；');
        QVERIFY2(people >= 140 && people <= 152, QByteArray::number(people));
    }
};

QTEST_APPLESS_MAIN(TestTables)
#include "tst_tables.moc"
