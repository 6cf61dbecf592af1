// SPDX-License-Identifier: GPL-3.0-or-later
#include "kb/tables.h"

#include <string_view>

namespace kb {
namespace data {
// The tables as built: the data files' lines joined at build time.
extern const std::u16string_view kRecords;
extern const std::u16string_view kVerses;
} // namespace data

namespace {

// The string refers to the program's read-only data: nothing is decoded or copied, and the
// pages are read only when a lookup first scans them.
QString fromData(std::u16string_view table)
{
    return QString::fromRawData(reinterpret_cast<const QChar *>(table.data()), qsizetype(table.size()));
}

} // namespace

QString BuildRecordTable()
{
    return fromData(data::kRecords);
}

QString BuildVerseTable()
{
    return fromData(data::kVerses);
}

} // namespace kb
