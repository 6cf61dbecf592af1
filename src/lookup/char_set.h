// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Internal to the lookup engine: the set of a keyword's UTF-16 code units, built once per
// call so that the fuzzy passes test a character in constant time however long the keyword.

#include <QStringView>
#include <QVarLengthArray>

#include <array>
#include <cstdint>

namespace modJieMEng::detail {

class CharSet
{
public:
    explicit CharSet(QStringView s) noexcept
    {
        for (const QChar c : s) {
            const char16_t u = c.unicode();
            std::uint64_t &word = m_bits[u >> 6];
            const std::uint64_t bit = std::uint64_t(1) << (u & 63);
            if ((word & bit) == 0) {
                word |= bit;
                m_distinct.append(u);
            }
        }
    }

    bool contains(char16_t u) const noexcept { return (m_bits[u >> 6] >> (u & 63)) & 1; }

    // The distinct code units, in the order of their first occurrence.
    QStringView distinct() const noexcept { return QStringView(m_distinct.data(), m_distinct.size()); }

private:
    std::array<std::uint64_t, 1024> m_bits{};
    QVarLengthArray<char16_t, 64> m_distinct;
};

} // namespace modJieMEng::detail
