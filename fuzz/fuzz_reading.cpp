// SPDX-License-Identifier: GPL-3.0-or-later
// Any text, in any written form: reading it and suggesting for it never crash; every
// suggestion and every image read names a keyword of the table (or is the reading entry);
// there are never more than ten suggestions, and a reading always says something.

#include "reading/dream_reading.h"
#include "reading/suggestions.h"

#include <QSet>
#include <QString>

#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const QSet<QString> &keywords()
{
    static const QSet<QString> all = [] {
        QSet<QString> k;
        for (const reading::Record &r : reading::Lexicon::instance().records())
            k.insert(r.keyword);
        return k;
    }();
    return all;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString text(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    const QList<reading::Suggestion> suggestions = reading::suggest(text);
    check(suggestions.size() <= reading::kMaxSuggestions);
    for (const reading::Suggestion &s : suggestions)
        check(s.reading || keywords().contains(s.keyword));
    const reading::Reading r = reading::readDream(text);
    check(!r.text.isEmpty());
    for (const QString &k : r.keywords)
        check(keywords().contains(k));
    return 0;
}
