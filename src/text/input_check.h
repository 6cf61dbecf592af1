// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace text {

// The keyword input accepts only characters that code page 936 writes with two bytes:
// Chinese characters, full-width letters, digits and signs, the full-width space.
struct CheckedInput
{
    QString text;         // the valid characters, in their order
    int cursor = 0;       // where the cursor goes: after the same valid characters as before
    bool changed = false; // whether any character was taken out
};

[[nodiscard]] CheckedInput checkInput(QStringView text, int cursor);

} // namespace text
