// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <vector>

// Keywords to offer while the user types: record keywords that start with the text, then
// keywords that contain it, then records one of whose aliases contains it. Comparisons are
// plain UTF-16 code-unit comparisons, like every lookup; the text is trimmed of spaces
// U+0020 first, and an empty text suggests nothing.
namespace modJieMEng {

inline constexpr qsizetype kMaxSuggestions = 10;

struct Suggestion
{
    QString keyword;
    // The alias that matched, when the record was found through its alias list only;
    // empty when the keyword itself contains the text.
    QString alias;

    friend bool operator==(const Suggestion &, const Suggestion &) = default;
};

// The keywords and split alias lists of one record table, read once. The record table's
// order is kept: within the keyword-prefix group shorter keywords come first (the keyword
// equal to the text leads), and ties, like the two other groups, follow the table.
class SuggestionIndex
{
public:
    explicit SuggestionIndex(QStringView records);

    [[nodiscard]] QList<Suggestion> find(QStringView text, qsizetype limit = kMaxSuggestions) const;
    [[nodiscard]] qsizetype size() const { return qsizetype(m_records.size()); }

private:
    struct Record
    {
        QString keyword;
        QStringList aliases;
    };
    std::vector<Record> m_records; // table order
    std::vector<int> m_byLength;   // record positions by keyword length, then table order
};

// Suggestions from the program-wide record table (kb/store.h). The index is built the
// first time it is asked for, and serves the rest of the run.
[[nodiscard]] QList<Suggestion> suggest(QStringView text);

// Builds the program-wide index now, so that the first keystroke does not pay for it.
void prepareSuggestions();

} // namespace modJieMEng
