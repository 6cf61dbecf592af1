#pragma once

#include <QString>

// The program-wide table strings. The main window's load sequence stores each once; every
// lookup afterwards only reads them. Before they are stored both are empty, and every
// lookup on an empty table finds nothing.
namespace kb {

void StoreVerseTable(QString table);
void StoreRecordTable(QString table);

[[nodiscard]] const QString &VerseTable() noexcept;
[[nodiscard]] const QString &RecordTable() noexcept;

} // namespace kb
