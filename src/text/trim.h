// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace text {

// Removes the space U+0020 from both ends and nothing else: tabs, line breaks and the
// full-width space U+3000 stay. Keywords, table pieces and fields are trimmed this way
// everywhere, so a keyword such as "\t钟" or "　钟" stays distinct from "钟".
[[nodiscard]] constexpr QStringView trimSpaces(QStringView s) noexcept
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && s[begin] == u' ')
        ++begin;
    while (end > begin && s[end - 1] == u' ')
        --end;
    return s.sliced(begin, end - begin);
}

// The owning form; returns `s` itself (shared, no copy) when there is nothing to remove.
[[nodiscard]] QString trimSpaces(const QString &s);

// Trims `s` in place; the in-out keyword of the lookups.
void trimSpacesInPlace(QString &s);

} // namespace text
