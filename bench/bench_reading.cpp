// SPDX-License-Identifier: GPL-3.0-or-later
// Reading figures on the shipped tables and lexicon: building the lexicon, one suggestion
// for texts of every kind up to the input's limit, reading a long dream.
//   mengjian-bench-reading [--benchmark_format=json]

#include "kb/store.h"
#include "reading/dream_reading.h"
#include "reading/suggestions.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <memory>

namespace {

const reading::Lexicon &lexicon()
{
    return reading::Lexicon::instance();
}

void BM_BuildLexicon(benchmark::State &state)
{
    const QString &records = kb::recordTable();
    for (auto _ : state)
        benchmark::DoNotOptimize(reading::Lexicon(records));
    // The heap the lexicon holds once built (its resident cost; the compiled data it reads
    // stays in the program's read-only pages).
    const std::size_t before = mallinfo2().uordblks;
    const auto held = std::make_unique<reading::Lexicon>(records);
    state.counters["heap_KiB"] = double(mallinfo2().uordblks - before) / 1024.0;
}
BENCHMARK(BM_BuildLexicon)->Unit(benchmark::kMillisecond);

// `text` repeated to `length` characters (the input holds at most 32,767).
QString repeated(const QString &text, qsizetype length)
{
    QString out;
    while (out.size() < length)
        out += text;
    return out.left(length);
}

void suggest(benchmark::State &state, const QString &text)
{
    (void)lexicon();
    qsizetype found = 0;
    for (auto _ : state) {
        const QList<reading::Suggestion> suggestions = reading::suggest(text);
        found = suggestions.size();
        benchmark::DoNotOptimize(suggestions);
    }
    state.counters["found"] = double(found);
}

const QString kDream =
    QStringLiteral("昨晚梦见自己在河边钓鱼，钓到一条大鱼，回家路上下起大雨，老公打着伞来接我，"
                   "后来又梦见掉牙，牙齿掉了一地，醒来心里很不安。");

BENCHMARK_CAPTURE(suggest, one_character, QStringLiteral("钟"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, frequent_character, QStringLiteral("人"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, everyday_form, QStringLiteral("梦见老公"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, traditional, QStringLiteral("夢見龍"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, pinyin, QStringLiteral("zhong"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, initials, QStringLiteral("zx"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, nothing, QStringLiteral("龘龘"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, sentence, kDream)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, input_limit, repeated(kDream, 32767))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(suggest, input_limit_latin, repeated(QStringLiteral("zhong"), 32767))
    ->Unit(benchmark::kMicrosecond);

void read(benchmark::State &state, const QString &text)
{
    (void)lexicon();
    qsizetype images = 0;
    for (auto _ : state) {
        const reading::Reading r = reading::readDream(text);
        images = r.keywords.size();
        benchmark::DoNotOptimize(r);
    }
    state.counters["images"] = double(images);
}

BENCHMARK_CAPTURE(read, sentence, kDream)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(read, dream_2000, repeated(kDream, 2000))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(read, input_limit, repeated(kDream, 32767))->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
