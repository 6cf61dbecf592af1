// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reading/lexicon.h"

#include <QList>
#include <QString>
#include <QStringView>

// Keywords to offer while the user types, in any written form. In order:
//   1. when the text is not itself a keyword and names two or more images, an entry that
//      reads the whole dream ("读梦：河流 · 鱼 · 鱼竿");
//   2. the images the text names, in the order of the text (梦见蛇 → 蛇; 老公 → 丈夫);
//   3. keywords that start with the text, shorter first; keywords that contain it; records
//      one of whose aliases contains it; records one of our everyday forms of which
//      contains it;
//   4. for pinyin, the forms whose pinyin starts with it, then those whose initials it is.
// Each keyword once, at most `limit` entries. The text is folded first (traditional
// characters, full-width letters and digits, upper case) and spaces and punctuation are
// not read; an empty text suggests nothing.
namespace reading {

inline constexpr qsizetype kMaxSuggestions = 10;
// Only so much of a long text is read for suggestions: the list shows ten entries, and
// no keyword or alias is anywhere near as long.
inline constexpr qsizetype kSuggestionTextLimit = 400;

struct Suggestion
{
    // The record keyword; for the reading entry, the entry's caption.
    QString keyword;
    // How the user's text named it (an alias, an everyday form, the words of a sentence)
    // when that differs from the keyword; shown dimmed after it. Empty otherwise.
    QString note;
    // The entry reads the whole dream instead of looking up one keyword.
    bool reading = false;

    friend bool operator==(const Suggestion &, const Suggestion &) = default;
};

[[nodiscard]] QList<Suggestion> suggest(QStringView typed, const Lexicon &lexicon,
                                        qsizetype limit = kMaxSuggestions);
// Suggestions from the program's own lexicon.
[[nodiscard]] QList<Suggestion> suggest(QStringView typed);

} // namespace reading
