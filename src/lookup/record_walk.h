#pragma once

// Internal to the lookup engine: walking the table strings with views, one pass over the
// characters, without allocating per record.

#include "text/trim.h"

#include <QStringView>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace modJieMEng::detail {

// Position of the first `a` or `b` in s[from, end), or s.size() when there is none.
inline qsizetype FindEither(QStringView s, qsizetype from, char16_t a, char16_t b) noexcept
{
    const char16_t *p = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const int mask =
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)));
        if (mask != 0)
            return i + (__builtin_ctz(static_cast<unsigned>(mask)) >> 1);
    }
#endif
    for (; i < n; ++i) {
        if (p[i] == a || p[i] == b)
            return i;
    }
    return n;
}

// The fields of one dream record that the lookups read, each trimmed of spaces.
struct RecordView
{
    QStringView keyword;        // field 1
    QStringView interpretation; // field 2
    QStringView aliases;        // field 4; empty when the piece has fewer than five fields
};

// Calls visit(const RecordView &) for every piece of the record table (the text between
// two "@", and the text after the last one) that splits into at least three fields at "|",
// in table order; stops early when visit returns false. Trimming a piece before splitting
// it only touches fields 0 and its last, which are trimmed on their own anyway, so the
// fields are found in one pass over the table.
template<typename Visit>
void WalkRecords(QStringView table, Visit &&visit)
{
    const qsizetype n = table.size();
    qsizetype start = 0;
    while (start <= n) {
        qsizetype bars[5];
        int barCount = 0;
        qsizetype pos = start;
        qsizetype end = n;
        for (;;) {
            const qsizetype hit = FindEither(table, pos, u'|', u'@');
            if (hit == n || table[hit] == u'@') {
                end = hit;
                break;
            }
            if (barCount < 5)
                bars[barCount] = hit;
            ++barCount;
            pos = hit + 1;
        }
        if (barCount >= 2) {
            const auto field = [&](int index) {
                const qsizetype from = bars[index - 1] + 1;
                const qsizetype to = index < barCount ? bars[index] : end;
                return text::TrimSpaces(table.sliced(from, to - from));
            };
            RecordView record;
            record.keyword = field(1);
            record.interpretation = field(2);
            if (barCount >= 4)
                record.aliases = field(4);
            if (!visit(record))
                return;
        }
        start = end + 1;
    }
}

// Calls visit(QStringView phrase) for every piece of the verse table between the
// terminators "，" and "。" (and after the last one), trimmed of spaces, in table order.
template<typename Visit>
void WalkPhrases(QStringView table, Visit &&visit)
{
    const qsizetype n = table.size();
    qsizetype start = 0;
    while (start <= n) {
        const qsizetype end = FindEither(table, start, u'，', u'。');
        visit(text::TrimSpaces(table.sliced(start, end - start)));
        start = end + 1;
    }
}

} // namespace modJieMEng::detail
