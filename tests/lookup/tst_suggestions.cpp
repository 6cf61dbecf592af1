// SPDX-License-Identifier: GPL-3.0-or-later
// Suggestions while typing: the order of the three groups, the matching alias, trimming,
// the limit, and the program-wide index over the shipped table.

#include "kb/store.h"
#include "kb/tables.h"
#include "lookup/suggestions.h"

#include <QSet>
#include <QTest>

using namespace Qt::StringLiterals;
using modJieMEng::Suggestion;

namespace {

// Keyword, then the alias in brackets when one matched: "道路(马路)".
QStringList shown(const QList<Suggestion> &suggestions)
{
    QStringList shown;
    for (const Suggestion &s : suggestions)
        shown.append(s.alias.isEmpty() ? s.keyword : s.keyword + u'(' + s.alias + u')');
    return shown;
}

const QString kTable = u"1|马车|梦见马车。|其它类|@"
                       u"2|马|梦见马。|动物类|骏马@"
                       u"3|斑马|梦见斑马。|动物类|@"
                       u"4|道路|梦见道路。|其它类|路， 马路 ，，大路@"
                       u"5|人人|梦见人人。|人类|@"
                       u" 6 | 钟2 |梦见买钟。|其它类|@"
                       u"7|骑马|梦见骑马。|其它类|马，骑马@"
                       u"8|车站|梦见车站。|其它类|马车站，站台@"_s;

} // namespace

class TestSuggestions : public QObject
{
    Q_OBJECT

private slots:
    void groupsInOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("prefix shortest first, then contains, then alias")
            << u"马"_s
            << QStringList{u"马"_s, u"马车"_s, u"斑马"_s, u"骑马"_s, u"道路(马路)"_s, u"车站(马车站)"_s};
        QTest::newRow("keyword holding the text twice is listed once") << u"人"_s << QStringList{u"人人"_s};
        QTest::newRow("keyword match hides the alias") << u"路"_s << QStringList{u"道路"_s};
        QTest::newRow("alias trimmed, first matching alias shown")
            << u"马路"_s << QStringList{u"道路(马路)"_s};
        QTest::newRow("two characters across groups")
            << u"马车"_s << QStringList{u"马车"_s, u"车站(马车站)"_s};
        QTest::newRow("spaces around the text") << u"  马车 "_s << QStringList{u"马车"_s, u"车站(马车站)"_s};
        QTest::newRow("trimmed keyword field") << u"钟"_s << QStringList{u"钟2"_s};
        QTest::newRow("half-width digit") << u"2"_s << QStringList{u"钟2"_s};
        QTest::newRow("full-width digit is another character") << u"２"_s << QStringList();
        QTest::newRow("no record") << u"龘"_s << QStringList();
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("spaces only") << u"   "_s << QStringList();
        QTest::newRow("separator of the table") << u"|"_s << QStringList();
    }

    void groupsInOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const modJieMEng::SuggestionIndex index(kTable);
        QCOMPARE(index.size(), 8);
        QCOMPARE(shown(index.find(text)), expected);
    }

    void limitCutsAcrossGroups()
    {
        QString table;
        for (int i = 0; i < 8; ++i)
            table += u"%1|水%2|x|其它类|@"_s.arg(i + 1).arg(QChar(char16_t(0x4E00 + i)));
        for (int i = 0; i < 8; ++i)
            table += u"%1|%2水|x|其它类|@"_s.arg(i + 20).arg(QChar(char16_t(0x4E10 + i)));
        const modJieMEng::SuggestionIndex index(table);
        const QList<Suggestion> ten = index.find(u"水"_s);
        QCOMPARE(ten.size(), modJieMEng::kMaxSuggestions);
        QVERIFY(ten[7].keyword.startsWith(u'水'));
        QVERIFY(ten[8].keyword.endsWith(u'水'));
        QCOMPARE(index.find(u"水"_s, 3).size(), 3);
        QCOMPARE(index.find(u"水"_s, 0).size(), 0);
    }

    // The program-wide index reads the shipped table, with no window to load it first.
    void programIndexOnTheShippedTable()
    {
        QCOMPARE(shown(modJieMEng::suggest(u"钟"_s)), (QStringList{u"钟"_s, u"钟2"_s, u"闹钟"_s}));
        QCOMPARE(shown(modJieMEng::suggest(u"脸"_s)), (QStringList{u"脸盆"_s, u"面孔(脸)"_s}));
    }

    // Every character of the shipped keywords: at most ten, no keyword twice, each entry
    // matching its group, and the groups in order.
    void everyKeywordCharacterOfTheShippedTable()
    {
        const QString table = kb::BuildRecordTable();
        const modJieMEng::SuggestionIndex index(table);
        QCOMPARE(index.size(), 957);
        QSet<QChar> characters;
        for (const QString &record : table.split(u'@', Qt::SkipEmptyParts))
            for (const QChar c : record.section(u'|', 1, 1))
                characters.insert(c);
        for (const QChar c : std::as_const(characters)) {
            const QString text(c);
            const QList<Suggestion> found = index.find(text);
            QVERIFY(!found.isEmpty());
            QVERIFY(found.size() <= modJieMEng::kMaxSuggestions);
            QSet<QString> seen;
            int group = 0;
            for (const Suggestion &s : found) {
                QVERIFY2(!seen.contains(s.keyword), qPrintable(text + u' ' + s.keyword));
                seen.insert(s.keyword);
                const int g = s.keyword.startsWith(text) ? 0 : s.keyword.contains(text) ? 1 : 2;
                QVERIFY2(g >= group, qPrintable(text + u' ' + s.keyword));
                group = g;
                QCOMPARE(s.alias.isEmpty(), g < 2);
                if (g == 2)
                    QVERIFY(s.alias.contains(text));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestSuggestions)
#include "tst_suggestions.moc"
