// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program-wide table strings. The main window's load sequence stores each once; every
// lookup afterwards only reads them. Before they are stored both are empty, and every
// lookup on an empty table finds nothing.
namespace kb {

void storeVerseTable(QString table);
void storeRecordTable(QString table);

[[nodiscard]] const QString &verseTable() noexcept;
[[nodiscard]] const QString &recordTable() noexcept;

} // namespace kb
