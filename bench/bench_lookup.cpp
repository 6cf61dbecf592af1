// SPDX-License-Identifier: GPL-3.0-or-later
// Lookup figures on the shipped tables: mengjian-bench [--benchmark_format=json]

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"

#include <benchmark/benchmark.h>

namespace {

struct Tables
{
    QString records = kb::BuildRecordTable();
    QString verses = kb::BuildVerseTable();
};

const Tables &shipped()
{
    static const Tables tables;
    return tables;
}

void lookup(benchmark::State &state, const QString &query)
{
    const Tables &t = shipped();
    for (auto _ : state) {
        QString keyword = query;
        benchmark::DoNotOptimize(modJieMEng::LookupKeyword(keyword, t.records, t.verses));
    }
}

// The floor any pass over the record table pays: one search for a character it lacks.
void BM_RawScan(benchmark::State &state)
{
    const QString &records = shipped().records;
    for (auto _ : state)
        benchmark::DoNotOptimize(records.indexOf(u'\x01'));
    state.SetBytesProcessed(state.iterations() * records.size() * 2);
}
BENCHMARK(BM_RawScan);

void BM_LookupExactHit(benchmark::State &state)
{
    lookup(state, QStringLiteral("钟"));
}
BENCHMARK(BM_LookupExactHit);

void BM_LookupAliasOnly(benchmark::State &state)
{
    lookup(state, QStringLiteral("黄昏"));
}
BENCHMARK(BM_LookupAliasOnly);

void BM_LookupAllPasses(benchmark::State &state)
{
    lookup(state, QStringLiteral("天门开贵人"));
}
BENCHMARK(BM_LookupAllPasses);

void BM_LookupLongKeyword(benchmark::State &state)
{
    // 32,767 characters, the keyword input's limit, cycling through characters that no
    // record holds.
    QString query;
    query.reserve(32767);
    for (int i = 0; i < 32767; ++i)
        query.append(QChar(char16_t(0x9FA0 + i % 5)));
    lookup(state, query);
}
BENCHMARK(BM_LookupLongKeyword)->Unit(benchmark::kMillisecond);

void BM_FindOmenVerses(benchmark::State &state)
{
    const QString &verses = shipped().verses;
    for (auto _ : state) {
        QString keyword = QStringLiteral("人");
        benchmark::DoNotOptimize(modJieMEng::FindOmenVerses(keyword, verses));
    }
}
BENCHMARK(BM_FindOmenVerses);

} // namespace

BENCHMARK_MAIN();
