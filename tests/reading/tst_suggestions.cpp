// SPDX-License-Identifier: GPL-3.0-or-later
// Suggestions while typing, over a small table of our own: the order of the groups, the
// images of a sentence, the reading entry, written forms, the limit.
#include "reading/suggestions.h"

#include <QTest>

using namespace Qt::StringLiterals;
using reading::Suggestion;

namespace {

// Keyword, then the note in brackets: "道路(马路)"; the reading entry as it is captioned.
QStringList shown(const QList<Suggestion> &suggestions)
{
    QStringList shown;
    for (const Suggestion &s : suggestions)
        shown.append(s.note.isEmpty() ? s.keyword : s.keyword + u'(' + s.note + u')');
    return shown;
}

const QString kTable = u"1|马车|梦见马车。|其它类|@"
                       u"2|马|梦见马。|动物类|骏马@"
                       u"3|斑马|梦见斑马。|动物类|@"
                       u"4|道路|梦见道路。|其它类|路， 马路 ，，大路@"
                       u"5|人人|梦见人人。|人类|@"
                       u" 6 | 钟2 |梦见买钟。|其它类|@"
                       u"7|骑马|梦见骑马。|其它类|马，骑马@"
                       u"8|车站|梦见车站。|其它类|马车站，站台@"
                       u"9|钟|梦见钟。|其它类|@"
                       u"10|丈夫|梦见丈夫。|人类|@"
                       u"11|蛇|梦见蛇。|动物类|@"
                       u"12|旧情人|梦见旧情人。|人类|@"_s;

} // namespace

class TestSuggestions : public QObject
{
    Q_OBJECT

private slots:
    void inOrder_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("image, then prefix shortest first, contains, alias")
            << u"马"_s
            << QStringList{u"马"_s, u"马车"_s, u"斑马"_s, u"骑马"_s, u"道路(马路)"_s, u"车站(马车站)"_s};
        QTest::newRow("keyword holding the text twice once, then everyday forms holding it")
            << u"人"_s << QStringList{u"人人"_s, u"旧情人"_s, u"丈夫(爱人)"_s, u"蛇(毒蛇咬人)"_s};
        QTest::newRow("alias read as its record") << u"马路"_s << QStringList{u"道路(马路)"_s};
        QTest::newRow("spaces around the text") << u"  马车 "_s << QStringList{u"马车"_s, u"车站(马车站)"_s};
        QTest::newRow("image of a second record leads to both") << u"钟"_s << QStringList{u"钟"_s, u"钟2"_s};
        QTest::newRow("second record typed, then its image") << u"钟2"_s << QStringList{u"钟2"_s, u"钟"_s};
        QTest::newRow("full-width digit folded") << u"钟２"_s << QStringList{u"钟2(钟２)"_s, u"钟"_s};
        QTest::newRow("traditional character folded") << u"鐘"_s << QStringList{u"钟(鐘)"_s, u"钟2"_s};
        QTest::newRow("framing words skipped") << u"梦见蛇"_s << QStringList{u"蛇"_s};
        QTest::newRow("everyday form with its note") << u"梦见前男友"_s << QStringList{u"旧情人(前男友)"_s};
        QTest::newRow("two images: the reading first")
            << u"梦见骑马去车站"_s << QStringList{u"读梦：骑马 · 车站"_s, u"骑马"_s, u"车站"_s};
        QTest::newRow("pinyin") << u"zhong"_s << QStringList{u"钟"_s, u"钟2"_s};
        QTest::newRow("pinyin in upper case with spaces") << u"Zhang Fu"_s << QStringList{u"丈夫"_s};
        QTest::newRow("full-width pinyin") << u"ｓｈｅ"_s << QStringList{u"蛇"_s};
        QTest::newRow("initials") << u"zf"_s << QStringList{u"丈夫"_s};
        QTest::newRow("pinyin of nothing") << u"qwxz"_s << QStringList();
        QTest::newRow("no record") << u"龘"_s << QStringList();
        QTest::newRow("empty") << QString() << QStringList();
        QTest::newRow("punctuation and emoji only") << u" ，。！😀 "_s << QStringList();
        QTest::newRow("separator of the table") << u"|"_s << QStringList();
    }
    void inOrder()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        const reading::Lexicon lexicon(kTable);
        QCOMPARE(shown(reading::suggest(text, lexicon)).join(u' '), expected.join(u' '));
    }

    void limitCutsAcrossGroups()
    {
        QString table;
        for (int i = 0; i < 8; ++i)
            table += u"%1|水%2|x|其它类|@"_s.arg(i + 1).arg(QChar(char16_t(0x4E00 + i)));
        for (int i = 0; i < 8; ++i)
            table += u"%1|%2水|x|其它类|@"_s.arg(i + 20).arg(QChar(char16_t(0x4E10 + i)));
        const reading::Lexicon lexicon(table);
        const QList<Suggestion> ten = reading::suggest(u"水"_s, lexicon);
        QCOMPARE(ten.size(), reading::kMaxSuggestions);
        QVERIFY(ten[7].keyword.startsWith(u'水'));
        QVERIFY(ten[8].keyword.endsWith(u'水'));
        QCOMPARE(reading::suggest(u"水"_s, lexicon, 3).size(), 3);
        QCOMPARE(reading::suggest(u"水"_s, lexicon, 0).size(), 0);
    }
};

QTEST_GUILESS_MAIN(TestSuggestions)
#include "tst_suggestions.moc"
