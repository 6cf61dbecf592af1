#include "kb/store.h"

namespace kb {
namespace {

struct Tables
{
    QString verses;
    QString records;
};

Tables &Store() noexcept
{
    static Tables tables;
    return tables;
}

} // namespace

// A table is written once: a second store would change the answers of a running program,
// so it is refused.
void StoreVerseTable(QString table)
{
    if (Store().verses.isEmpty())
        Store().verses = std::move(table);
}

void StoreRecordTable(QString table)
{
    if (Store().records.isEmpty())
        Store().records = std::move(table);
}

const QString &VerseTable() noexcept
{
    return Store().verses;
}

const QString &RecordTable() noexcept
{
    return Store().records;
}

} // namespace kb
