// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/gbk.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_err.h>

#include <array>
#include <cstdint>
#include <memory>

namespace text {
namespace {

constexpr const char *kConverterName = "windows-936-2000";

struct ConverterCloser
{
    void operator()(UConverter *c) const noexcept { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

Converter openConverter(bool substitute)
{
    UErrorCode status = U_ZERO_ERROR;
    Converter converter(ucnv_open(kConverterName, &status));
    if (U_FAILURE(status))
        return nullptr;
    if (substitute) {
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_SUBSTITUTE, nullptr, nullptr,
                              nullptr, &status);
        ucnv_setSubstChars(converter.get(), "?", 1, &status);
    } else {
        ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &status);
    }
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// The byte length of every code unit, worked out once for the whole BMP on first use:
// the input check asks for it on every keystroke and on every character of a paste.
std::array<std::int8_t, 65536> buildLengthTable()
{
    std::array<std::int8_t, 65536> lengths{};
    Converter converter = openConverter(false);
    if (!converter)
        return lengths;
    char buffer[8];
    for (unsigned u = 0; u < 65536; ++u) {
        const UChar unit = static_cast<UChar>(u);
        UErrorCode status = U_ZERO_ERROR;
        ucnv_resetFromUnicode(converter.get());
        const int32_t n = ucnv_fromUChars(converter.get(), buffer, sizeof buffer, &unit, 1, &status);
        lengths[u] = U_SUCCESS(status) ? static_cast<std::int8_t>(n) : 0;
    }
    return lengths;
}

} // namespace

int gbkLength(char16_t unit) noexcept
{
    static const std::array<std::int8_t, 65536> lengths = buildLengthTable();
    return lengths[unit];
}

QByteArray encodeGbk(QStringView s)
{
    Converter converter = openConverter(true);
    if (!converter || s.isEmpty())
        return {};
    QByteArray out(s.size() * 2 + 16, Qt::Uninitialized);
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(converter.get(), out.data(), int32_t(out.size()),
                                      reinterpret_cast<const UChar *>(s.utf16()), int32_t(s.size()),
                                      &status);
    if (U_FAILURE(status))
        return {};
    out.truncate(n);
    return out;
}

} // namespace text
