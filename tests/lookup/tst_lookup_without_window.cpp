// SPDX-License-Identifier: GPL-3.0-or-later
// The program-wide lookup in a process with no window and no set-up of any kind: the tables
// are there at the first lookup, whichever thread makes it, and it finds what a lookup on the
// built tables finds.

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"

#include <QTest>

#include <future>
#include <vector>

using namespace Qt::StringLiterals;

class TestLookupWithoutWindow : public QObject
{
    Q_OBJECT

private slots:
    void firstLookupsFindTheTables_data()
    {
        QTest::addColumn<QString>("keyword");
        QTest::newRow("record and references") << u"钟"_s;
        QTest::newRow("alias only") << u"黄昏"_s;
        QTest::newRow("verses") << u"天门开贵"_s;
        QTest::newRow("characters apart") << u"钟闹"_s;
    }

    // The first row makes the process's first lookups, four at once.
    void firstLookupsFindTheTables()
    {
        QFETCH(QString, keyword);
        std::vector<std::future<QString>> lookups;
        for (int i = 0; i < 4; ++i) {
            lookups.push_back(std::async(std::launch::async, [keyword] {
                QString k = keyword;
                return modJieMEng::LookupKeyword(k);
            }));
        }
        QString k = keyword;
        const QString expected = modJieMEng::LookupKeyword(k, kb::BuildRecordTable(), kb::BuildVerseTable());
        QVERIFY(expected != u"@"_s);
        for (std::future<QString> &lookup : lookups)
            QCOMPARE(lookup.get(), expected);
    }
};

QTEST_GUILESS_MAIN(TestLookupWithoutWindow)
#include "tst_lookup_without_window.moc"
