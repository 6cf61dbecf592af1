// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/input_check.h"

#include "text/gbk.h"

#include <algorithm>

namespace text {

CheckedInput checkInput(QStringView text, int cursor)
{
    CheckedInput checked;
    checked.text.reserve(text.size());
    int removedBeforeCursor = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (isTwoByteGbk(unit))
            checked.text.append(QChar(unit));
        else if (i < cursor)
            ++removedBeforeCursor;
    }
    checked.changed = checked.text.size() != text.size();
    checked.cursor = std::clamp(cursor - removedBeforeCursor, 0, int(checked.text.size()));
    return checked;
}

} // namespace text
