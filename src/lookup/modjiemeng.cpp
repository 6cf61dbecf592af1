#include "lookup/modjiemeng.h"

#include "kb/store.h"
#include "lookup/char_set.h"
#include "lookup/record_walk.h"
#include "text/trim.h"

#include <QVarLengthArray>

#include <algorithm>

namespace modJieMEng {

using namespace Qt::StringLiterals;
using detail::RecordView;
using text::TrimSpaces;

namespace {

// Plain loops for the short fields: cheaper than a library call per record.
inline bool Contains(QStringView s, char16_t c) noexcept
{
    return std::any_of(s.begin(), s.end(), [c](QChar x) { return x.unicode() == c; });
}

inline bool Contains(QStringView haystack, QStringView needle) noexcept
{
    if (needle.size() > haystack.size())
        return false;
    const char16_t first = needle.front().unicode();
    const qsizetype last = haystack.size() - needle.size();
    for (qsizetype i = 0; i <= last; ++i) {
        if (haystack[i].unicode() == first && haystack.sliced(i, needle.size()) == needle)
            return true;
    }
    return false;
}

// Whether the match text of a record, keyword + "," + aliases, contains `keyword`. Only a
// keyword holding "," can span the join, so only then is the joined text put together.
class MatchText
{
public:
    explicit MatchText(QStringView keyword)
        : m_keyword(keyword)
        , m_canSpanJoin(keyword.contains(u','))
    {
    }

    bool contains(const RecordView &record)
    {
        if (!m_canSpanJoin)
            return Contains(record.keyword, m_keyword) || Contains(record.aliases, m_keyword);
        m_joined.clear();
        m_joined.append(record.keyword.utf16(), record.keyword.size());
        m_joined.append(u',');
        m_joined.append(record.aliases.utf16(), record.aliases.size());
        return Contains(QStringView(m_joined.constData(), m_joined.size()), m_keyword);
    }

private:
    QStringView m_keyword;
    bool m_canSpanJoin;
    QVarLengthArray<char16_t, 256> m_joined;
};

bool MatchTextHasAny(const RecordView &record, const detail::CharSet &chars)
{
    if (chars.contains(u','))
        return true;
    const auto inKeyword = [&chars](QChar c) { return chars.contains(c.unicode()); };
    return std::any_of(record.keyword.begin(), record.keyword.end(), inKeyword)
           || std::any_of(record.aliases.begin(), record.aliases.end(), inKeyword);
}

bool MatchTextHasAll(const RecordView &record, const detail::CharSet &chars)
{
    const QStringView wanted = chars.distinct();
    // Each distinct character needs a position of its own in the match text.
    if (wanted.size() > record.keyword.size() + 1 + record.aliases.size())
        return false;
    return std::all_of(wanted.begin(), wanted.end(), [&record](QChar c) {
        return c == u',' || Contains(record.keyword, c.unicode()) || Contains(record.aliases, c.unicode());
    });
}

void AppendReference(QString &list, QStringView keyword)
{
    list.append(keyword);
    list.append(u'|');
}

} // namespace

QString FindInterpretation(QString &keyword, QStringView records)
{
    text::TrimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    detail::WalkRecords(records, [&](const RecordView &record) {
        if (record.keyword != keyword)
            return true;
        result = record.interpretation.toString();
        return false;
    });
    return result;
}

QString FindReferenceKeywords(QString &keyword, QStringView records)
{
    text::TrimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    MatchText match(keyword);
    detail::WalkRecords(records, [&](const RecordView &record) {
        if (match.contains(record) && record.keyword != keyword)
            AppendReference(result, record.keyword);
        return true;
    });
    return result;
}

QString SearchReferenceKeywords(QString &keyword, bool anyCharacter, QStringView records)
{
    text::TrimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    const detail::CharSet chars(keyword);
    detail::WalkRecords(records, [&](const RecordView &record) {
        const bool passes =
            anyCharacter ? MatchTextHasAny(record, chars) : MatchTextHasAll(record, chars);
        if (passes && record.keyword != keyword)
            AppendReference(result, record.keyword);
        return true;
    });
    return result;
}

QString FindOmenVerses(QString &keyword, QStringView verses)
{
    text::TrimSpacesInPlace(keyword);
    // An opening is at most four characters long; a longer keyword is in none.
    if (keyword.isEmpty() || keyword.size() > 4)
        return {};
    QString result;
    detail::WalkPhrases(verses, [&](QStringView phrase) {
        const QStringView opening = TrimSpaces(phrase.left(4));
        if (!opening.isEmpty() && opening.contains(keyword)) {
            result.append(phrase);
            result.append(u'；');
        }
    });
    return result;
}

QString LookupKeyword(QString &keyword, QStringView records, QStringView verses)
{
    text::TrimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return u"@"_s;

    // The exact lookup and the substring pass share one walk over the table, and so do the
    // two fuzzy passes; the answers are those of the lookups called one after another.
    QString interpretation;
    QString references;
    bool found = false;
    MatchText match(keyword);
    detail::WalkRecords(records, [&](const RecordView &record) {
        const bool own = record.keyword == keyword;
        if (own && !found) {
            interpretation = record.interpretation.toString();
            found = true;
        }
        if (!own && match.contains(record))
            AppendReference(references, record.keyword);
        return true;
    });

    if (TrimSpaces(QStringView(interpretation)).isEmpty())
        interpretation = FindOmenVerses(keyword, verses);

    if (TrimSpaces(QStringView(interpretation)).isEmpty()
        && TrimSpaces(QStringView(references)).isEmpty()) {
        const detail::CharSet chars(keyword);
        QString all;
        QString any;
        detail::WalkRecords(records, [&](const RecordView &record) {
            if (record.keyword == keyword || !MatchTextHasAny(record, chars))
                return true;
            AppendReference(any, record.keyword);
            if (MatchTextHasAll(record, chars))
                AppendReference(all, record.keyword);
            return true;
        });
        references = TrimSpaces(QStringView(all)).isEmpty() ? std::move(any) : std::move(all);
    }

    interpretation.reserve(interpretation.size() + 1 + references.size());
    interpretation.append(u'@');
    interpretation.append(references);
    return interpretation;
}

QString LookupKeyword(QString &keyword)
{
    return LookupKeyword(keyword, kb::RecordTable(), kb::VerseTable());
}

QString FindInterpretation(QString &keyword)
{
    return FindInterpretation(keyword, kb::RecordTable());
}

QString FindReferenceKeywords(QString &keyword)
{
    return FindReferenceKeywords(keyword, kb::RecordTable());
}

QString SearchReferenceKeywords(QString &keyword, bool anyCharacter)
{
    return SearchReferenceKeywords(keyword, anyCharacter, kb::RecordTable());
}

QString FindOmenVerses(QString &keyword)
{
    return FindOmenVerses(keyword, kb::VerseTable());
}

} // namespace modJieMEng
