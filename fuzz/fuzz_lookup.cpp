// SPDX-License-Identifier: GPL-3.0-or-later
// Any keyword: the lookup never crashes; its result splits at "@" into exactly two pieces;
// every reference keyword is a keyword of the table and never the query's own.

#include "kb/tables.h"
#include "lookup/mod_jie_meng.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

struct Shipped
{
    QString records = kb::BuildRecordTable();
    QString verses = kb::BuildVerseTable();
    QSet<QString> keywords;

    Shipped()
    {
        for (const QString &piece : records.split(u'@', Qt::SkipEmptyParts))
            keywords.insert(piece.section(u'|', 1, 1));
    }
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const Shipped shipped;
    QString keyword(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const QString result = modJieMEng::LookupKeyword(keyword, shipped.records, shipped.verses);
    const QStringList parts = result.split(u'@');
    check(parts.size() == 2);
    QStringList references = parts[1].split(u'|');
    check(references.last().isEmpty());
    references.removeLast();
    for (const QString &reference : std::as_const(references)) {
        check(shipped.keywords.contains(reference));
        check(reference != keyword);
    }
    return 0;
}
