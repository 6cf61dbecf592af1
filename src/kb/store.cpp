// SPDX-License-Identifier: GPL-3.0-or-later
#include "kb/store.h"

namespace kb {
namespace {

struct Tables
{
    QString verses;
    QString records;
};

Tables &store() noexcept
{
    static Tables tables;
    return tables;
}

} // namespace

// A table is written once: a second store would change the answers of a running program,
// so it is refused.
void storeVerseTable(QString table)
{
    if (store().verses.isEmpty())
        store().verses = std::move(table);
}

void storeRecordTable(QString table)
{
    if (store().records.isEmpty())
        store().records = std::move(table);
}

const QString &verseTable() noexcept
{
    return store().verses;
}

const QString &recordTable() noexcept
{
    return store().records;
}

} // namespace kb
