// SPDX-License-Identifier: GPL-3.0-or-later
// One query in the real main window, offscreen, from the call to the laid-out window:
// mengjian-bench-window [--benchmark_format=json]

#include "face/face.h"
#include "kb/store.h"
#include "lookup/mod_jie_meng.h"
#include "ui/frm_main.h"
#include "ui/results_view.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QFont>
#include <QSet>

#include <cstdio>

namespace {

ui::frmMain *g_window = nullptr;
QString g_largest;    // the keyword with the longest reference list
QString g_wholeTable; // a keyword that only the any-character pass answers, with nearly every record

qsizetype referenceCount(const QString &query)
{
    QString keyword = query;
    const QString result = modJieMEng::LookupKeyword(keyword);
    return result.sliced(result.indexOf(u'@') + 1).count(u'|');
}

// The largest reference list the window can be asked for with one character of a keyword
// or with a whole keyword of the table.
void findLargestQuery()
{
    QSet<QString> candidates;
    QSet<QChar> seen;
    for (const QString &record : kb::recordTable().split(u'@', Qt::SkipEmptyParts)) {
        const QString keyword = record.section(u'|', 1, 1).trimmed();
        if (keyword.size() > 1)
            candidates.insert(keyword);
        for (const QChar c : keyword) {
            candidates.insert(QString(c));
            if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF && !seen.contains(c)) {
                seen.insert(c);
                g_wholeTable.append(c);
            }
        }
    }
    qsizetype most = -1;
    for (const QString &candidate : std::as_const(candidates)) {
        const qsizetype count = referenceCount(candidate);
        if (count > most || (count == most && candidate < g_largest)) {
            most = count;
            g_largest = candidate;
        }
    }
    std::printf("largest reference list: \"%s\" with %lld keywords (of %lld queries tried)\n",
                g_largest.toUtf8().constData(), static_cast<long long>(most),
                static_cast<long long>(candidates.size()));
    std::printf("every keyword character (%lld characters): %lld keywords\n",
                static_cast<long long>(g_wholeTable.size()),
                static_cast<long long>(referenceCount(g_wholeTable)));
}

void RunQuery(benchmark::State &state, const QString &keyword)
{
    for (auto _ : state) {
        g_window->RunQuery(keyword);
        state.PauseTiming();
        // The labels of the previous query are deleted once control returns to the event
        // loop; let that happen here rather than pile them up.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["labels"] = double(g_window->findChild<ui::ResultsView *>()->lblRefer().size() - 1);
}

void BM_RunQueryTypical(benchmark::State &state)
{
    RunQuery(state, QStringLiteral("钟"));
}
BENCHMARK(BM_RunQueryTypical)->Unit(benchmark::kMillisecond);

void BM_RunQueryLargest(benchmark::State &state)
{
    RunQuery(state, g_largest);
}
BENCHMARK(BM_RunQueryLargest)->Unit(benchmark::kMillisecond);

// Nearly every record as a keyword label: the any-character pass of a long keyword.
void BM_RunQueryWholeTable(benchmark::State &state)
{
    RunQuery(state, g_wholeTable);
}
BENCHMARK(BM_RunQueryWholeTable)->Unit(benchmark::kMillisecond);

// Readings of whole dreams: a sentence, and a text naming every image of the table once,
// whose reading lists them all.
void showReading(benchmark::State &state, const QString &text)
{
    for (auto _ : state) {
        g_window->showReading(text);
        state.PauseTiming();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["labels"] = double(g_window->findChild<ui::ResultsView *>()->lblRefer().size() - 1);
}

void BM_ReadingSentence(benchmark::State &state)
{
    showReading(state, QStringLiteral("梦见在河边钓到一条大鱼，回家路上下起大雨，老公打着伞来接我"));
}
BENCHMARK(BM_ReadingSentence)->Unit(benchmark::kMillisecond);

void BM_ReadingEveryImage(benchmark::State &state)
{
    QString text;
    for (const QString &record : kb::recordTable().split(u'@', Qt::SkipEmptyParts))
        text += record.section(u'|', 1, 1).trimmed() + u'，';
    showReading(state, text);
}
BENCHMARK(BM_ReadingEveryImage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    face::substituteFonts();
    ui::frmMain window;
    window.show();
    QCoreApplication::processEvents();
    g_window = &window;
    findLargestQuery();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
