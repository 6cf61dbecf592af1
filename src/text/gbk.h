// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringView>

// Code page 936 (GBK), through ICU's "windows-936-2000" table: the exact Windows table,
// in which "€" is the one byte 0x80.
namespace text {

// The number of bytes code page 936 writes for one UTF-16 code unit: 1 (ASCII and
// "€"), 2 (Chinese characters, full-width letters and signs), or 0 when it has no
// encoding (a lone surrogate, most characters outside the Chinese set).
[[nodiscard]] int gbkLength(char16_t unit) noexcept;

// Whether the keyword input accepts the code unit: only two-byte characters are valid.
[[nodiscard]] inline bool isTwoByteGbk(char16_t unit) noexcept
{
    return gbkLength(unit) == 2;
}

// `s` in code page 936; a character the code page cannot hold becomes "?".
[[nodiscard]] QByteArray encodeGbk(QStringView s);

} // namespace text
