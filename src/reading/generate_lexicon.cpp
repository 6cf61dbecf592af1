// SPDX-License-Identifier: GPL-3.0-or-later
// Build step: turns the lexicon files and the record table into the C++ source the reading
// library embeds. It does at build time what ICU would otherwise do on every start:
//   - the pinyin of every form (record keywords, aliases, the lexicon's own words), read
//     character by character with ICU's Han-Latin transform and corrected word by word by
//     data/lexicon/pinyin.txt, since Han-Latin reads each character alone and so misreads
//     polyphones (银行, 长城, 重阳);
//   - the traditional characters ICU's Traditional-Simplified transform folds to one
//     simplified character, leaving alone every character the forms themselves use.
// Usage: generate_lexicon OUTPUT.cpp RECORDS.txt PINYIN.txt LEXICON.txt...

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>
#include <unicode/utypes.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using icu::UnicodeString;

std::string readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::cerr << "generate_lexicon: cannot read " << path << '\n';
        std::exit(1);
    }
    std::ostringstream s;
    s << in.rdbuf();
    std::string text = s.str();
    std::erase(text, '\r');
    return text;
}

std::vector<std::string> split(const std::string &s, const std::string &sep)
{
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = s.find(sep, from);
        parts.push_back(s.substr(from, at == std::string::npos ? std::string::npos : at - from));
        if (at == std::string::npos)
            return parts;
        from = at + sep.size();
    }
}

std::string trim(const std::string &s)
{
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

std::string toUtf8(const UnicodeString &s)
{
    std::string out;
    s.toUTF8String(out);
    return out;
}

bool isHan(UChar32 c)
{
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF)
           || (c >= 0x20000 && c <= 0x3FFFF);
}

class PinyinReader
{
public:
    PinyinReader()
    {
        UErrorCode status = U_ZERO_ERROR;
        m_hanLatin.reset(icu::Transliterator::createInstance("Han-Latin", UTRANS_FORWARD, status));
        m_stripTones.reset(icu::Transliterator::createInstance("NFD; [:Mn:] Remove; NFC; Lower",
                                                               UTRANS_FORWARD, status));
        if (U_FAILURE(status)) {
            std::cerr << "generate_lexicon: ICU transforms unavailable: " << u_errorName(status) << '\n';
            std::exit(1);
        }
    }

    void addOverride(const UnicodeString &word, const std::string &syllables)
    {
        m_overrides[word] = syllables;
    }

    // The toneless syllables of `form`, separated by spaces; empty when a character of it is
    // not a Chinese character.
    std::string read(const UnicodeString &form)
    {
        std::string out;
        int32_t i = 0;
        while (i < form.length()) {
            // The longest corrected word starting here wins over the single characters.
            int32_t best = 0;
            std::string bestSyllables;
            for (const auto &[word, syllables] : m_overrides) {
                if (word.length() > best && form.compare(i, word.length(), word) == 0) {
                    best = word.length();
                    bestSyllables = syllables;
                }
            }
            std::string piece;
            if (best > 0) {
                piece = bestSyllables;
            } else {
                const UChar32 c = form.char32At(i);
                if (!isHan(c))
                    return {};
                best = U16_LENGTH(c);
                piece = character(c);
                if (piece.empty())
                    return {};
            }
            if (!out.empty())
                out += ' ';
            out += piece;
            i += best;
        }
        return out;
    }

private:
    std::string character(UChar32 c)
    {
        const auto known = m_characters.find(c);
        if (known != m_characters.end())
            return known->second;
        UnicodeString s(c);
        m_hanLatin->transliterate(s);
        // ü is written v, as every pinyin keyboard takes it.
        for (const char16_t u : {u'ü', u'ǖ', u'ǘ', u'ǚ', u'ǜ', u'Ü'})
            s.findAndReplace(UnicodeString(u), UnicodeString(u'v'));
        m_stripTones->transliterate(s);
        std::string syllable;
        for (int32_t k = 0; k < s.length(); ++k) {
            const char16_t ch = s.charAt(k);
            if (ch >= u'a' && ch <= u'z')
                syllable += char(ch);
        }
        m_characters[c] = syllable;
        return syllable;
    }

    std::unique_ptr<icu::Transliterator> m_hanLatin;
    std::unique_ptr<icu::Transliterator> m_stripTones;
    std::map<UnicodeString, std::string> m_overrides;
    std::map<UChar32, std::string> m_characters;
};

void addForms(const std::string &list, std::set<UnicodeString> &forms)
{
    for (const std::string &f : split(list, "，")) {
        const std::string t = trim(f);
        if (!t.empty())
            forms.insert(UnicodeString::fromUTF8(t));
    }
}

// The literal's text: the raw string's delimiter must not occur in it.
std::string literal(const std::string &name, const std::string &text)
{
    if (text.find(")mjdata\"") != std::string::npos) {
        std::cerr << "generate_lexicon: the data holds the literal's closing delimiter\n";
        std::exit(1);
    }
    return "extern const std::u16string_view " + name + ";\nconst std::u16string_view " + name
           + " = uR\"mjdata(" + text + ")mjdata\";\n";
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 4) {
        std::cerr << "usage: generate_lexicon OUTPUT.cpp RECORDS.txt PINYIN.txt LEXICON.txt...\n";
        return 2;
    }
    PinyinReader reader;
    std::set<UnicodeString> forms;

    // Record keywords and aliases.
    for (const std::string &line : split(readFile(argv[2]), "\n")) {
        std::string record = trim(line);
        if (record.empty())
            continue;
        if (record.back() == '@')
            record.pop_back();
        const std::vector<std::string> fields = split(record, "|");
        if (fields.size() >= 2)
            addForms(fields[1], forms);
        if (fields.size() >= 5)
            addForms(fields[4], forms);
    }

    for (const std::string &line : split(readFile(argv[3]), "\n")) {
        const std::string t = trim(line);
        if (t.empty() || t[0] == '#')
            continue;
        const std::size_t space = t.find(' ');
        if (space == std::string::npos)
            continue;
        reader.addOverride(UnicodeString::fromUTF8(t.substr(0, space)), trim(t.substr(space + 1)));
    }

    // The lexicon's own words: left and right of "=", and whole lines of comma lists.
    std::string lexicon;
    for (int a = 4; a < argc; ++a) {
        const std::string text = readFile(argv[a]);
        const bool images = std::string(argv[a]).find("images") != std::string::npos;
        lexicon += images ? "[images]\n" : "";
        for (const std::string &line : split(text, "\n")) {
            const std::string t = trim(line);
            if (t.empty() || t[0] == '#')
                continue;
            lexicon += t + '\n';
            if (t[0] == '[')
                continue;
            for (const std::string &side : split(t, "="))
                addForms(side, forms);
        }
    }

    std::string pinyin;
    std::set<UChar32> used;
    for (const UnicodeString &form : forms) {
        for (int32_t i = 0; i < form.length(); i = form.moveIndex32(i, 1))
            used.insert(form.char32At(i));
        const std::string syllables = reader.read(form);
        if (!syllables.empty())
            pinyin += toUtf8(form) + '\t' + syllables + '\n';
    }

    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Transliterator> simplify(
        icu::Transliterator::createInstance("Traditional-Simplified", UTRANS_FORWARD, status));
    if (U_FAILURE(status)) {
        std::cerr << "generate_lexicon: Traditional-Simplified unavailable\n";
        return 1;
    }
    std::string traditional;
    for (UChar32 c = 0x3400; c <= 0xFAFF; ++c) {
        if ((c > 0x9FFF && c < 0xF900) || used.count(c))
            continue;
        UnicodeString s(c);
        simplify->transliterate(s);
        if (s.length() == 1 && s.charAt(0) != c)
            traditional += toUtf8(UnicodeString(c)) + toUtf8(s);
    }

    std::ostringstream out;
    out << "// Generated by generate_lexicon; do not edit.\n#include <string_view>\nnamespace "
           "reading::data {\n"
        << literal("kLexicon", lexicon) << literal("kPinyin", pinyin)
        << literal("kTraditional", traditional) << "}\n";
    const std::string generated = out.str();
    // Unchanged output leaves the file alone, so that nothing is rebuilt for nothing.
    std::ifstream old(argv[1], std::ios::binary);
    std::ostringstream oldText;
    oldText << old.rdbuf();
    if (!old || oldText.str() != generated) {
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file << generated;
        if (!file) {
            std::cerr << "generate_lexicon: cannot write " << argv[1] << '\n';
            return 1;
        }
    }
    return 0;
}
