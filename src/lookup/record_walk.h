// SPDX-License-Identifier: GPL-3.0-or-later
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
inline qsizetype findEither(QStringView s, qsizetype from, char16_t a, char16_t b) noexcept
{
    const char16_t *p = s.utf16();
    const qsizetype n = s.size();
    qsizetype i = from;
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi16(static_cast<short>(a));
    const __m128i vb = _mm_set1_epi16(static_cast<short>(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i));
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, va), _mm_cmpeq_epi16(v, vb)));
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

// The record of one piece whose separators "|" stand at bars[0..barCount) and which ends
// at `end`; only called for pieces of at least three fields.
inline RecordView makeRecord(QStringView table, const qsizetype *bars, int barCount,
                             qsizetype end) noexcept
{
    const auto field = [&](int index) {
        const qsizetype from = bars[index - 1] + 1;
        const qsizetype to = index < barCount ? bars[index] : end;
        return text::trimSpaces(table.sliced(from, to - from));
    };
    RecordView record;
    record.keyword = field(1);
    record.interpretation = field(2);
    if (barCount >= 4)
        record.aliases = field(4);
    return record;
}

// Calls visit(const RecordView &) for every piece of the record table (the text between
// two "@", and the text after the last one) that splits into at least three fields at "|",
// in table order; stops early when visit returns false. Trimming a piece before splitting
// it only touches field 0 and the last field, which are trimmed on their own anyway, so
// the fields are found in one pass over the table: the separators of eight characters at
// a time are found together and then taken one by one.
template<typename Visit>
void walkRecords(QStringView table, Visit &&visit)
{
    const char16_t *data = table.utf16();
    const qsizetype n = table.size();
    qsizetype bars[5];
    int barCount = 0;

    // Handles the separator at `pos`; false once visit asked to stop.
    const auto separator = [&](qsizetype pos) -> bool {
        if (data[pos] == u'|') {
            if (barCount < 5)
                bars[barCount] = pos;
            ++barCount;
            return true;
        }
        const bool goOn = barCount < 2 || visit(makeRecord(table, bars, barCount, pos));
        barCount = 0;
        return goOn;
    };

    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i bar = _mm_set1_epi16(static_cast<short>(u'|'));
    const __m128i at = _mm_set1_epi16(static_cast<short>(u'@'));
    for (; i + 8 <= n; i += 8) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(v, bar), _mm_cmpeq_epi16(v, at))));
        while (mask != 0) {
            const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
            if (!separator(i + (bit >> 1)))
                return;
            mask &= ~(3u << bit); // two mask bits per character
        }
    }
#endif
    for (; i < n; ++i) {
        if ((data[i] == u'|' || data[i] == u'@') && !separator(i))
            return;
    }
    // The text after the last "@" is a piece too (empty in a well-formed table).
    if (barCount >= 2)
        visit(makeRecord(table, bars, barCount, n));
}

// Calls visit(QStringView phrase) for every piece of the verse table between the
// terminators "，" and "。" (and after the last one), trimmed of spaces, in table order.
template<typename Visit>
void walkPhrases(QStringView table, Visit &&visit)
{
    const qsizetype n = table.size();
    qsizetype start = 0;
    while (start <= n) {
        const qsizetype end = findEither(table, start, u'，', u'。');
        visit(text::trimSpaces(table.sliced(start, end - start)));
        start = end + 1;
    }
}

} // namespace modJieMEng::detail
