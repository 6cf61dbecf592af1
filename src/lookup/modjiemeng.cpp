#include "lookup/modjiemeng.h"

#include "kb/store.h"
#include "lookup/char_set.h"
#include "lookup/record_walk.h"
#include "text/trim.h"

#include <QVarLengthArray>

namespace modJieMEng {

using detail::RecordView;
using text::TrimSpaces;

namespace {

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
            return record.keyword.contains(m_keyword) || record.aliases.contains(m_keyword);
        m_joined.clear();
        m_joined.append(record.keyword.utf16(), record.keyword.size());
        m_joined.append(u',');
        m_joined.append(record.aliases.utf16(), record.aliases.size());
        return QStringView(m_joined.constData(), m_joined.size()).contains(m_keyword);
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
    for (const QStringView field : {record.keyword, record.aliases}) {
        for (const QChar c : field) {
            if (chars.contains(c.unicode()))
                return true;
        }
    }
    return false;
}

bool MatchTextHasAll(const RecordView &record, const detail::CharSet &chars)
{
    const QStringView wanted = chars.distinct();
    // Each distinct character needs a position of its own in the match text.
    if (wanted.size() > record.keyword.size() + 1 + record.aliases.size())
        return false;
    for (const QChar c : wanted) {
        if (c != u',' && !record.keyword.contains(c) && !record.aliases.contains(c))
            return false;
    }
    return true;
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
    QString interpretation = FindInterpretation(keyword, records);
    QString references = FindReferenceKeywords(keyword, records);
    if (TrimSpaces(QStringView(interpretation)).isEmpty())
        interpretation = FindOmenVerses(keyword, verses);
    if (TrimSpaces(QStringView(interpretation)).isEmpty()
        && TrimSpaces(QStringView(references)).isEmpty()) {
        references = SearchReferenceKeywords(keyword, false, records);
        if (TrimSpaces(QStringView(references)).isEmpty())
            references = SearchReferenceKeywords(keyword, true, records);
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
