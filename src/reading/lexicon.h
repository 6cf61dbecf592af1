// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <numeric>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

// The lexicon: every written form of the images the record table has, and the words that
// must never be read as one. It serves the suggestions while the user types and the
// reading of a whole dream; the plain lookup never uses it.
//
// Its forms are the record keywords ("钟2" is the second record of the image "钟", so the
// form "钟" leads to both), every alias of the record table, and our own everyday forms,
// framing words, not-image words and dreamer types (data/lexicon/). Every form has its
// toneless pinyin (full syllables and initials) where it is written in Chinese characters.
// Built once, on first use, from data compiled into the program; read-only afterwards and
// safe to read from any thread.
namespace reading {

enum class FormKind : quint8 {
    Keyword,  // a record's own keyword
    Everyday, // one of our everyday forms of an image
    Alias,    // an alias of the record table
    Framing,  // frames the dream (梦见, 我): never an image
    NotImage, // holds an image's character but names none (日子): never an image
};

struct Form
{
    QString text;
    FormKind kind = FormKind::NotImage;
    // The records the form leads to, the most fitting first (positions in records()).
    QList<int> records;
    QString pinyin;   // "yinhang"; empty when the form is not all Chinese characters
    QString initials; // "yh"
    // A sketch of the characters the text holds (characterBit()): a character whose bit is not
    // set is not in the text, so a search for one character passes over most forms at once.
    quint64 characters = 0;

    [[nodiscard]] bool isImage() const { return !records.isEmpty(); }
};

struct Record
{
    QString keyword;
    QStringView interpretation; // into the record table
    QStringList aliases;
    // The image the record is about: its keyword without the "2" of a second record.
    QString image;
    // Sketches of the characters of the keyword and of all the aliases (see Form::characters).
    quint64 keywordCharacters = 0;
    quint64 aliasCharacters = 0;
};

// The bit of `c` in a sketch of characters: one of 64, spread by a multiplicative hash.
constexpr quint64 characterBit(QChar c)
{
    return quint64(1) << ((quint32(c.unicode()) * 0x9E3779B1u) >> 26);
}

// The sketch of the characters of `text`.
inline quint64 charactersOf(QStringView text)
{
    return std::accumulate(text.begin(), text.end(), quint64(0),
                           [](quint64 bits, QChar c) { return bits | characterBit(c); });
}

// A reader type the interpretations name ("孕妇梦见…") and the words by which a dreamer
// says they are one (怀孕, 身孕…).
struct Dreamer
{
    QString type;
    QStringList words;
};

// The user's text as the lexicon reads it: traditional characters folded to simplified,
// full-width Latin letters and digits to half-width, Latin letters to lower case; spaces,
// punctuation and symbols left out. origin[i] is the position in the user's text of
// text[i]; origin[text.size()] is the length of the user's text.
struct FoldedText
{
    QString text;
    QList<qsizetype> origin;

    // The user's own writing of folded characters [from, from + length).
    [[nodiscard]] QStringView written(QStringView typed, qsizetype from, qsizetype length) const
    {
        return typed.sliced(origin[from], origin[from + length - 1] + 1 - origin[from]);
    }
};

class Lexicon
{
public:
    // The lexicon of the program's own tables, built on first use.
    static const Lexicon &instance();

    // Builds a lexicon over `records` (the record table's format) and the lexicon data
    // compiled into the program.
    explicit Lexicon(QStringView records);

    [[nodiscard]] const std::vector<Record> &records() const { return m_records; }
    [[nodiscard]] const std::vector<Form> &forms() const { return m_forms; }
    [[nodiscard]] const std::vector<Dreamer> &dreamers() const { return m_dreamers; }
    // The reader types whose words the folded text holds, in dreamers() order.
    [[nodiscard]] QStringList dreamersIn(QStringView folded) const;
    // The form written exactly so (folded), or nullptr.
    [[nodiscard]] const Form *find(QStringView folded) const;
    // The form whose full pinyin is `latin`, the best kind first; nullptr when none.
    [[nodiscard]] const Form *findPinyin(QStringView latin) const;
    // The longest form in characters, and the longest that starts with `c` (0 when none
    // does, so that most characters of a long text are passed over at once).
    [[nodiscard]] qsizetype longestForm() const { return m_longestForm; }
    [[nodiscard]] qsizetype longestFormFrom(QChar c) const { return m_longestFrom[c.unicode()]; }
    // The longest full pinyin in letters.
    [[nodiscard]] qsizetype longestPinyin() const { return m_longestPinyin; }
    // Image forms by full pinyin, in pinyin order: the range whose pinyin starts with `latin`.
    [[nodiscard]] QList<const Form *> pinyinStartingWith(QStringView latin, qsizetype limit) const;
    // Whether `latin` is one pinyin syllable of the forms ("diu", "le").
    [[nodiscard]] bool isSyllable(QStringView latin) const { return m_syllables.count(key(latin)) > 0; }
    // Image forms whose initials are exactly `latin`.
    [[nodiscard]] QList<const Form *> withInitials(QStringView latin, qsizetype limit) const;

    [[nodiscard]] FoldedText fold(QStringView typed) const;

private:
    struct ViewHash
    {
        std::size_t operator()(std::u16string_view s) const noexcept
        {
            return std::hash<std::u16string_view>()(s);
        }
    };
    using Index = std::unordered_map<std::u16string_view, int, ViewHash>;
    static std::u16string_view key(QStringView s)
    {
        return {reinterpret_cast<const char16_t *>(s.utf16()), std::size_t(s.size())};
    }

    int addForm(const QString &text, FormKind kind);
    void addRecords(QStringView table);
    void addLexiconData();
    void addPinyin();

    std::vector<Record> m_records;
    std::vector<Form> m_forms;
    std::vector<Dreamer> m_dreamers;
    Index m_byText;
    Index m_byPinyin;
    std::unordered_multimap<std::u16string_view, int, ViewHash> m_dreamerWords; // → dreamer
    qsizetype m_longestDreamerWord = 0;
    std::unordered_set<std::u16string_view, ViewHash> m_syllables; // into the compiled data
    std::vector<int> m_pinyinOrder;                                // image forms sorted by pinyin
    std::vector<std::pair<char16_t, char16_t>> m_traditional;      // sorted by the first
    qsizetype m_longestForm = 0;
    std::vector<quint8> m_longestFrom = std::vector<quint8>(0x10000, 0);
    qsizetype m_longestPinyin = 0;
};

} // namespace reading
