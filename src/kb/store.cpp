// SPDX-License-Identifier: GPL-3.0-or-later
#include "kb/store.h"

#include "kb/tables.h"

namespace kb {

// A function-local static is initialised exactly once, and a second thread arriving
// meanwhile waits for it, so no caller ever sees a table half built.
const QString &verseTable() noexcept
{
    static const QString table = BuildVerseTable();
    return table;
}

const QString &recordTable() noexcept
{
    static const QString table = BuildRecordTable();
    return table;
}

} // namespace kb
