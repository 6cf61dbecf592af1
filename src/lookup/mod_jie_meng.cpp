// SPDX-License-Identifier: GPL-3.0-or-later
#include "lookup/mod_jie_meng.h"

#include "kb/store.h"
#include "lookup/char_set.h"
#include "lookup/record_walk.h"
#include "text/trim.h"

#include <QVarLengthArray>

#include <algorithm>

namespace modJieMEng {

using namespace Qt::StringLiterals;
using detail::RecordView;
using text::trimSpaces;

namespace {

// Plain loops for the short fields: cheaper than a library call per record.
inline bool holds(QStringView s, char16_t c) noexcept
{
    return std::any_of(s.begin(), s.end(), [c](QChar x) { return x.unicode() == c; });
}

inline bool holds(QStringView haystack, QStringView needle) noexcept
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
            return holds(record.keyword, m_keyword) || holds(record.aliases, m_keyword);
        m_joined.clear();
        m_joined.append(record.keyword.utf16(), record.keyword.size());
        m_joined.append(u',');
        m_joined.append(record.aliases.utf16(), record.aliases.size());
        return holds(QStringView(m_joined.constData(), m_joined.size()), m_keyword);
    }

private:
    QStringView m_keyword;
    bool m_canSpanJoin;
    QVarLengthArray<char16_t, 256> m_joined;
};

bool matchTextHasAny(const RecordView &record, const detail::CharSet &chars)
{
    if (chars.contains(u','))
        return true;
    const auto inKeyword = [&chars](QChar c) { return chars.contains(c.unicode()); };
    return std::any_of(record.keyword.begin(), record.keyword.end(), inKeyword)
           || std::any_of(record.aliases.begin(), record.aliases.end(), inKeyword);
}

bool matchTextHasAll(const RecordView &record, const detail::CharSet &chars)
{
    const QStringView wanted = chars.distinct();
    // Each distinct character needs a position of its own in the match text.
    if (wanted.size() > record.keyword.size() + 1 + record.aliases.size())
        return false;
    return std::all_of(wanted.begin(), wanted.end(), [&record](QChar c) {
        return c == u',' || holds(record.keyword, c.unicode()) || holds(record.aliases, c.unicode());
    });
}

void appendReference(QString &list, QStringView keyword)
{
    list.append(keyword);
    list.append(u'|');
}

// The rules of the passes. Each lives here once; the per-pass functions below and the
// combined walks of LookupKeyword both apply them.

// The exact pass: the record whose keyword is the keyword itself gives the interpretation.
bool isOwnRecord(const RecordView &record, QStringView keyword)
{
    return record.keyword == keyword;
}

// The substring pass: another record (not `own`) whose match text contains the keyword.
bool isSubstringReference(const RecordView &record, bool own, MatchText &match)
{
    return !own && match.contains(record);
}

// The character passes: another record (not `own`) whose match text holds every character
// of the keyword (anyCharacter false) or at least one of them (anyCharacter true).
bool isCharacterReference(const RecordView &record, bool own, const detail::CharSet &chars,
                          bool anyCharacter)
{
    if (own)
        return false;
    return anyCharacter ? matchTextHasAny(record, chars) : matchTextHasAll(record, chars);
}

// A verse phrase answers the keyword when its opening (first four characters) holds it.
bool isOmenVerse(QStringView phrase, QStringView keyword)
{
    const QStringView opening = trimSpaces(phrase.left(4));
    return !opening.isEmpty() && opening.contains(keyword);
}

// An answer of spaces only counts as none: the next pass is asked.
bool isBlank(QStringView answer)
{
    return trimSpaces(answer).isEmpty();
}

} // namespace

QString FindInterpretation(QString &keyword, QStringView records)
{
    text::trimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    detail::walkRecords(records, [&](const RecordView &record) {
        if (!isOwnRecord(record, keyword))
            return true;
        result = record.interpretation.toString();
        return false;
    });
    return result;
}

QString FindReferenceKeywords(QString &keyword, QStringView records)
{
    text::trimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    MatchText match(keyword);
    detail::walkRecords(records, [&](const RecordView &record) {
        if (isSubstringReference(record, isOwnRecord(record, keyword), match))
            appendReference(result, record.keyword);
        return true;
    });
    return result;
}

QString SearchReferenceKeywords(QString &keyword, bool anyCharacter, QStringView records)
{
    text::trimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    const detail::CharSet chars(keyword);
    detail::walkRecords(records, [&](const RecordView &record) {
        if (isCharacterReference(record, isOwnRecord(record, keyword), chars, anyCharacter))
            appendReference(result, record.keyword);
        return true;
    });
    return result;
}

QString FindOmenVerses(QString &keyword, QStringView verses)
{
    text::trimSpacesInPlace(keyword);
    // An opening is at most four characters long; a longer keyword is in none.
    if (keyword.isEmpty() || keyword.size() > 4)
        return {};
    QString result;
    detail::walkPhrases(verses, [&](QStringView phrase) {
        if (isOmenVerse(phrase, keyword)) {
            result.append(phrase);
            result.append(u'；');
        }
    });
    return result;
}

QString LookupKeyword(QString &keyword, QStringView records, QStringView verses)
{
    text::trimSpacesInPlace(keyword);
    if (keyword.isEmpty())
        return u"@"_s;

    // The exact lookup and the substring pass share one walk over the table, and so do the
    // two fuzzy passes; the answers are those of the lookups called one after another.
    QString interpretation;
    QString references;
    bool found = false;
    MatchText match(keyword);
    detail::walkRecords(records, [&](const RecordView &record) {
        const bool own = isOwnRecord(record, keyword);
        if (own && !found) {
            interpretation = record.interpretation.toString();
            found = true;
        }
        if (isSubstringReference(record, own, match))
            appendReference(references, record.keyword);
        return true;
    });

    if (isBlank(interpretation))
        interpretation = FindOmenVerses(keyword, verses);

    if (isBlank(interpretation) && isBlank(references)) {
        const detail::CharSet chars(keyword);
        QString all;
        QString any;
        // Every record that holds all the characters holds one of them: test "any" first.
        detail::walkRecords(records, [&](const RecordView &record) {
            const bool own = isOwnRecord(record, keyword);
            if (!isCharacterReference(record, own, chars, true))
                return true;
            appendReference(any, record.keyword);
            if (isCharacterReference(record, own, chars, false))
                appendReference(all, record.keyword);
            return true;
        });
        references = isBlank(all) ? std::move(any) : std::move(all);
    }

    interpretation.reserve(interpretation.size() + 1 + references.size());
    interpretation.append(u'@');
    interpretation.append(references);
    return interpretation;
}

QString LookupKeyword(QString &keyword)
{
    return LookupKeyword(keyword, kb::recordTable(), kb::verseTable());
}

} // namespace modJieMEng
