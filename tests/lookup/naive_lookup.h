// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A word-for-word model of the lookups, built with QString::split, to check the engine's
// single-pass walk against on whole tables. The tables are split into pieces once
// (Pieces) and every lookup splits and trims each piece afresh.

#include <QString>
#include <QStringList>

namespace naive {

inline QString trim(const QString &s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == u' ')
        ++b;
    while (e > b && s[e - 1] == u' ')
        --e;
    return s.mid(b, e - b);
}

inline QString field(const QStringList &fields, int i)
{
    return i < fields.size() ? trim(fields[i]) : QString();
}

struct Pieces
{
    QStringList records; // the record table split at "@"
    QStringList verses;  // the verse table with "。" as "，", split at "，"

    Pieces(const QString &recordTable, const QString &verseTable)
        : records(recordTable.split(u'@'))
    {
        QString copy = verseTable;
        copy.replace(QChar(u'。'), QChar(u'，'));
        verses = copy.split(u'，');
    }
};

inline QString FindInterpretation(QString &keyword, const QStringList &records)
{
    keyword = trim(keyword);
    if (keyword.isEmpty())
        return {};
    for (const QString &piece : records) {
        const QStringList f = trim(piece).split(u'|');
        if (f.size() >= 3 && field(f, 1) == keyword)
            return field(f, 2);
    }
    return {};
}

// mode 0: substring; 1: all characters; 2: any character
inline QString naiveReferences(QString &keyword, const QStringList &records, int mode)
{
    keyword = trim(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    for (const QString &piece : records) {
        const QStringList f = trim(piece).split(u'|');
        if (f.size() < 3)
            continue;
        const QString match = field(f, 1) + u',' + field(f, 4);
        bool flag = false;
        if (mode == 0) {
            flag = match.contains(keyword);
        } else {
            for (const QChar c : keyword) {
                flag = match.contains(c);
                if (flag == (mode == 2))
                    break;
            }
        }
        if (flag && field(f, 1) != keyword)
            result += field(f, 1) + u'|';
    }
    return result;
}

inline QString FindOmenVerses(QString &keyword, const QStringList &verses)
{
    keyword = trim(keyword);
    if (keyword.isEmpty())
        return {};
    QString result;
    for (const QString &piece : verses) {
        const QString phrase = trim(piece);
        const QString opening = trim(phrase.left(4));
        if (!opening.isEmpty() && opening.contains(keyword))
            result += phrase + u'；';
    }
    return result;
}

inline QString LookupKeyword(QString &keyword, const Pieces &tables)
{
    const QStringList &records = tables.records;
    QString interpretation = FindInterpretation(keyword, records);
    QString references = naiveReferences(keyword, records, 0);
    if (trim(interpretation).isEmpty())
        interpretation = FindOmenVerses(keyword, tables.verses);
    if (trim(interpretation).isEmpty() && trim(references).isEmpty()) {
        references = naiveReferences(keyword, records, 1);
        if (trim(references).isEmpty())
            references = naiveReferences(keyword, records, 2);
    }
    return interpretation + u'@' + references;
}

} // namespace naive
