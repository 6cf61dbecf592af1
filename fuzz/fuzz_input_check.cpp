// SPDX-License-Identifier: GPL-3.0-or-later
// Any pasted text: what the keyword input keeps holds only characters that code page 936
// writes with two bytes, in their original order, and exactly those.

#include "text/gbk.h"
#include "text/input_check.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int cursor = data[0] | (data[1] << 8);
    const QString text(reinterpret_cast<const QChar *>(data + 2), qsizetype((size - 2) / 2));
    const text::CheckedInput checked = text::checkInput(text, cursor % (text.size() + 1));

    qsizetype next = 0;
    for (const QChar c : text) {
        if (!text::isTwoByteGbk(c.unicode()))
            continue;
        if (next >= checked.text.size() || checked.text[next] != c)
            std::abort();
        ++next;
    }
    if (next != checked.text.size() || checked.changed != (checked.text.size() != text.size()))
        std::abort();
    if (checked.cursor < 0 || checked.cursor > checked.text.size())
        std::abort();
    return 0;
}
