// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program-wide table strings. Each is built (BuildVerseTable, BuildRecordTable) the
// first time any code asks for it, once for the whole run and safely from any thread, and
// is then held unchanged until the program ends. Neither is ever empty, so a lookup finds
// the same whether or not a window has loaded.
namespace kb {

[[nodiscard]] const QString &verseTable() noexcept;
[[nodiscard]] const QString &recordTable() noexcept;

} // namespace kb
