// SPDX-License-Identifier: GPL-3.0-or-later
// The session's queries for going back and forward.

#include "ui/query_history.h"

#include <QTest>

using namespace Qt::StringLiterals;
using ui::QueryHistory;

namespace {

// Runs steps on a history: "<" back, ">" forward, "=N" remember scroll position N, "*N/D"
// scale every scroll position by N/D, any other text a query for that keyword. Returns the entries as
// "keyword:scroll" with the current one in brackets, and what the moves returned.
QString run(QueryHistory &history, const QStringList &steps, QStringList *moves = nullptr)
{
    for (const QString &step : steps) {
        std::optional<QueryHistory::Entry> moved;
        if (step == u"<")
            moved = history.back();
        else if (step == u">")
            moved = history.forward();
        else if (step.startsWith(u'='))
            history.setScroll(step.sliced(1).toInt());
        else if (step.startsWith(u'*'))
            history.scaleScrolls(step.sliced(1).section(u'/', 0, 0).toInt(),
                                 step.sliced(1).section(u'/', 1, 1).toInt());
        else
            history.record(step);
        if (moves && (step == u"<" || step == u">"))
            moves->append(moved ? u"%1:%2"_s.arg(moved->keyword).arg(moved->scroll) : u"-"_s);
    }
    QStringList shown;
    for (qsizetype i = 0; i < history.entries().size(); ++i) {
        const QueryHistory::Entry &e = history.entries()[i];
        const QString entry = u"%1:%2"_s.arg(e.keyword).arg(e.scroll);
        shown.append(i == history.currentIndex() ? u'[' + entry + u']' : entry);
    }
    return shown.join(u' ');
}

} // namespace

class TestQueryHistory : public QObject
{
    Q_OBJECT

private slots:
    void steps_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QString>("entries");
        QTest::addColumn<QStringList>("moves");
        QTest::newRow("nothing yet") << QStringList{u"<"_s, u">"_s, u"=5"_s} << QString()
                                     << QStringList{u"-"_s, u"-"_s};
        QTest::newRow("empty keyword records nothing") << QStringList{u""_s} << QString() << QStringList();
        QTest::newRow("queries in order")
            << QStringList{u"甲"_s, u"乙"_s, u"丙"_s} << u"甲:0 乙:0 [丙:0]"_s << QStringList();
        QTest::newRow("same query again adds nothing and starts at the top")
            << QStringList{u"甲"_s, u"=40"_s, u"甲"_s} << u"[甲:0]"_s << QStringList();
        QTest::newRow("back and forward keep scroll positions")
            << QStringList{u"甲"_s, u"=40"_s, u"乙"_s, u"=70"_s, u"<"_s, u">"_s, u"<"_s} << u"[甲:40] 乙:70"_s
            << QStringList{u"甲:40"_s, u"乙:70"_s, u"甲:40"_s};
        QTest::newRow("text size scales every position")
            << QStringList{u"甲"_s, u"=40"_s, u"乙"_s, u"=90"_s, u"*3/2"_s, u"*1/0"_s, u"<"_s}
            << u"[甲:60] 乙:135"_s << QStringList{u"甲:60"_s};
        QTest::newRow("no further than the ends")
            << QStringList{u"甲"_s, u"乙"_s, u">"_s, u"<"_s, u"<"_s} << u"[甲:0] 乙:0"_s
            << QStringList{u"-"_s, u"甲:0"_s, u"-"_s};
        QTest::newRow("a new query after going back drops the forward entries")
            << QStringList{u"甲"_s, u"乙"_s, u"丙"_s, u"<"_s, u"<"_s, u"丁"_s, u">"_s} << u"甲:0 [丁:0]"_s
            << QStringList{u"乙:0"_s, u"甲:0"_s, u"-"_s};
        QTest::newRow("the entry gone back to, queried again, keeps the forward entries")
            << QStringList{u"甲"_s, u"乙"_s, u"<"_s, u"甲"_s, u">"_s} << u"甲:0 [乙:0]"_s
            << QStringList{u"甲:0"_s, u"乙:0"_s};
    }

    void steps()
    {
        QFETCH(QStringList, steps);
        QFETCH(QString, entries);
        QFETCH(QStringList, moves);
        QueryHistory history;
        QStringList actual;
        QCOMPARE(run(history, steps, &actual), entries);
        QCOMPARE(actual, moves);
    }

    void keepsTheLatestHundred()
    {
        QueryHistory history;
        for (int i = 0; i < 130; ++i)
            history.record(QString::number(i));
        QCOMPARE(history.entries().size(), QueryHistory::kCapacity);
        QCOMPARE(history.entries().first().keyword, u"30"_s);
        QCOMPARE(history.entries().last().keyword, u"129"_s);
        QCOMPARE(history.currentIndex(), QueryHistory::kCapacity - 1);
        int steps = 0;
        while (history.back())
            ++steps;
        QCOMPARE(steps, QueryHistory::kCapacity - 1);
        QCOMPARE(history.currentIndex(), 0);
    }
};

QTEST_GUILESS_MAIN(TestQueryHistory)
#include "tst_query_history.moc"
