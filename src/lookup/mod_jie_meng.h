// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

// The lookup engine. Every lookup scans the table strings afresh; nothing is indexed or
// cached between calls. Comparisons are plain UTF-16 code-unit comparisons.
//
// Each lookup takes the keyword as an in-out argument: on return it holds the keyword with
// the spaces U+0020 removed from both ends (other white space stays). An empty keyword, or
// one of spaces only, finds nothing. No lookup fails or throws; an empty table finds nothing.
//
// LookupKeyword comes in two forms: one reads the program-wide tables (kb/store.h), the
// other the table strings it is given. The passes it is made of read the table string
// they are given.
namespace modJieMEng {

// The lookup result: interpretation part, "@", reference part. The interpretation part is
// the record's interpretation when a record's keyword equals the keyword, else the verse
// list; the reference part comes from the substring pass, or, when both are still empty,
// from the all-characters pass and failing that the any-character pass.
[[nodiscard]] QString LookupKeyword(QString &keyword);
[[nodiscard]] QString LookupKeyword(QString &keyword, QStringView records, QStringView verses);

// The trimmed interpretation of the first record whose trimmed keyword equals the keyword
// exactly; "" when there is none. Aliases play no part.
[[nodiscard]] QString FindInterpretation(QString &keyword, QStringView records);

// The reference list "kw1|kw2|…|" ("" when empty), in table order: the keyword of every
// record whose match text (trimmed keyword, ",", trimmed alias field) contains the
// keyword, leaving out the record whose keyword equals it.
[[nodiscard]] QString FindReferenceKeywords(QString &keyword, QStringView records);

// As FindReferenceKeywords, but a record qualifies when its match text holds every
// character of the keyword (anyCharacter false) or at least one of them (anyCharacter
// true), each character a UTF-16 code unit, in any order and at any distance.
[[nodiscard]] QString SearchReferenceKeywords(QString &keyword, bool anyCharacter, QStringView records);

// The verse list "phrase；phrase；…" ("" when empty), in table order: every phrase whose
// first four characters contain the keyword. "。" separates phrases like "，".
[[nodiscard]] QString FindOmenVerses(QString &keyword, QStringView verses);

} // namespace modJieMEng
