// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The two built-in tables, built from the texts embedded at build time.
namespace kb {

// The dream record table: every record text "id|keyword|interpretation|category|aliases@"
// appended in ascending id order, so the string ends with "@" and holds one "@" per record.
[[nodiscard]] QString BuildRecordTable();

// The omen verse table: every verse line ("phrase，phrase，", the last line of a section
// closing with "。") appended in table order, nothing between them but the spaces the
// data itself holds.
[[nodiscard]] QString BuildVerseTable();

} // namespace kb
