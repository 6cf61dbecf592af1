// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/suggestions.h"

#include "kb/store.h"
#include "lookup/record_walk.h"
#include "text/trim.h"

#include <algorithm>
#include <memory>

namespace modJieMEng {

SuggestionIndex::SuggestionIndex(QStringView records)
{
    detail::walkRecords(records, [this](const detail::RecordView &record) {
        if (record.keyword.isEmpty())
            return true;
        Record entry{record.keyword.toString(), {}};
        for (QStringView alias : record.aliases.tokenize(u'，', Qt::SkipEmptyParts)) {
            alias = text::trimSpaces(alias);
            if (!alias.isEmpty())
                entry.aliases.append(alias.toString());
        }
        m_records.push_back(std::move(entry));
        return true;
    });
    m_byLength.resize(m_records.size());
    for (std::size_t i = 0; i < m_records.size(); ++i)
        m_byLength[i] = int(i);
    std::stable_sort(m_byLength.begin(), m_byLength.end(), [this](int a, int b) {
        return m_records[std::size_t(a)].keyword.size() < m_records[std::size_t(b)].keyword.size();
    });
}

QList<Suggestion> SuggestionIndex::find(QStringView text, qsizetype limit) const
{
    QList<Suggestion> found;
    text = text::trimSpaces(text);
    if (text.isEmpty() || limit <= 0)
        return found;

    // Keywords are unique, so the three groups never name a record twice: the second takes
    // keywords holding the text elsewhere than at their start, the third records whose
    // keyword lacks it.
    for (const int i : m_byLength) {
        const Record &r = m_records[std::size_t(i)];
        if (r.keyword.size() < text.size())
            continue;
        if (r.keyword.startsWith(text)) {
            found.append({r.keyword, {}});
            if (found.size() == limit)
                return found;
        }
    }
    for (const Record &r : m_records) {
        if (r.keyword.size() > text.size() && !r.keyword.startsWith(text) && r.keyword.contains(text)) {
            found.append({r.keyword, {}});
            if (found.size() == limit)
                return found;
        }
    }
    for (const Record &r : m_records) {
        if (r.aliases.isEmpty() || r.keyword.contains(text))
            continue;
        const auto alias = std::find_if(r.aliases.cbegin(), r.aliases.cend(),
                                        [text](const QString &a) { return a.contains(text); });
        if (alias != r.aliases.cend()) {
            found.append({r.keyword, *alias});
            if (found.size() == limit)
                return found;
        }
    }
    return found;
}

namespace {

const SuggestionIndex *programIndex()
{
    // The stored table never changes once written, so one index serves the whole run.
    static std::unique_ptr<SuggestionIndex> index;
    if (!index && !kb::recordTable().isEmpty())
        index = std::make_unique<SuggestionIndex>(kb::recordTable());
    return index.get();
}

} // namespace

QList<Suggestion> suggest(QStringView text)
{
    const SuggestionIndex *index = programIndex();
    return index ? index->find(text) : QList<Suggestion>();
}

void prepareSuggestions()
{
    (void)programIndex();
}

} // namespace modJieMEng
