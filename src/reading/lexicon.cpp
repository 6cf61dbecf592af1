// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading/lexicon.h"

#include "kb/store.h"

#include <algorithm>
#include <climits>

namespace reading {
namespace data {
// Compiled from data/lexicon/ and data/records.txt at build time (generate_lexicon).
extern const std::u16string_view kLexicon;
extern const std::u16string_view kPinyin;
extern const std::u16string_view kTraditional;
} // namespace data

namespace {

QStringView view(std::u16string_view s)
{
    return QStringView(s.data(), qsizetype(s.size()));
}

void appendOnce(QList<int> &list, int value)
{
    if (!list.contains(value))
        list.append(value);
}

// The lines of `text`, trimmed, without blank lines.
template<typename Fn>
void forEachLine(QStringView text, Fn fn)
{
    for (QStringView line : text.tokenize(u'\n', Qt::SkipEmptyParts)) {
        line = line.trimmed();
        if (!line.isEmpty())
            fn(line);
    }
}

QStringList words(QStringView list)
{
    QStringList out;
    for (QStringView w : list.tokenize(u'，', Qt::SkipEmptyParts)) {
        w = w.trimmed();
        if (!w.isEmpty())
            out.append(w.toString());
    }
    return out;
}

} // namespace

const Lexicon &Lexicon::instance()
{
    static const Lexicon lexicon(kb::recordTable());
    return lexicon;
}

Lexicon::Lexicon(QStringView records)
{
    m_forms.reserve(6000);
    m_byText.reserve(6000);
    addRecords(records);
    addLexiconData();
    addPinyin();
    for (int d = 0; d < int(m_dreamers.size()); ++d) {
        for (const QString &word : std::as_const(m_dreamers[std::size_t(d)].words)) {
            m_dreamerWords.emplace(key(word), d);
            m_longestDreamerWord = std::max(m_longestDreamerWord, word.size());
        }
    }
    const QStringView pairs = view(data::kTraditional);
    m_traditional.reserve(std::size_t(pairs.size() / 2));
    for (qsizetype i = 0; i + 1 < pairs.size(); i += 2)
        m_traditional.emplace_back(pairs[i].unicode(), pairs[i + 1].unicode());
    std::sort(m_traditional.begin(), m_traditional.end());
    for (Form &form : m_forms)
        form.characters = charactersOf(form.text);
    for (Record &record : m_records) {
        record.keywordCharacters = charactersOf(record.keyword);
        for (const QString &alias : std::as_const(record.aliases))
            record.aliasCharacters |= charactersOf(alias);
    }
}

int Lexicon::addForm(const QString &text, FormKind kind)
{
    const auto found = m_byText.find(key(text));
    if (found != m_byText.end()) {
        Form &form = m_forms[std::size_t(found->second)];
        // An image form never becomes a non-image one; otherwise the stronger kind wins.
        if (kind < form.kind && (kind < FormKind::Framing || !form.isImage()))
            form.kind = kind;
        return found->second;
    }
    Form form;
    form.text = text;
    form.kind = kind;
    m_forms.push_back(std::move(form));
    const int index = int(m_forms.size()) - 1;
    m_byText.emplace(key(m_forms.back().text), index);
    m_longestForm = std::max(m_longestForm, text.size());
    quint8 &from = m_longestFrom[text.front().unicode()];
    from = quint8(std::clamp<qsizetype>(text.size(), from, 255));
    return index;
}

void Lexicon::addRecords(QStringView table)
{
    for (QStringView piece : table.tokenize(u'@', Qt::SkipEmptyParts)) {
        const QList<QStringView> fields = piece.trimmed().split(u'|');
        if (fields.size() < 3 || fields[1].trimmed().isEmpty())
            continue;
        Record record;
        record.keyword = fields[1].trimmed().toString();
        record.interpretation = fields[2].trimmed();
        if (fields.size() > 4)
            record.aliases = words(fields[4]);
        record.image = record.keyword;
        if (record.image.size() > 1 && record.image.endsWith(u'2'))
            record.image.chop(1);
        m_records.push_back(std::move(record));
    }
    // Keywords first, so that a keyword is always read as its own record; the image of a
    // second record ("钟2") leads to both records.
    for (int r = 0; r < int(m_records.size()); ++r) {
        const Record &record = m_records[std::size_t(r)];
        appendOnce(m_forms[std::size_t(addForm(record.keyword, FormKind::Keyword))].records, r);
    }
    for (int r = 0; r < int(m_records.size()); ++r) {
        const Record &record = m_records[std::size_t(r)];
        if (record.image != record.keyword)
            appendOnce(m_forms[std::size_t(addForm(record.image, FormKind::Keyword))].records, r);
    }
}

void Lexicon::addLexiconData()
{
    enum class Section { Images, Framing, NotImages, Dreamers, Unknown } section = Section::Unknown;
    forEachLine(view(data::kLexicon), [&](QStringView line) {
        if (line.startsWith(u'[')) {
            section = line == u"[images]"       ? Section::Images
                      : line == u"[framing]"    ? Section::Framing
                      : line == u"[not-images]" ? Section::NotImages
                      : line == u"[dreamers]"   ? Section::Dreamers
                                                : Section::Unknown;
            return;
        }
        const qsizetype equals = line.indexOf(u'=');
        switch (section) {
        case Section::Images: {
            if (equals < 0)
                return;
            QList<int> targets;
            for (const QString &keyword : words(line.sliced(equals + 1))) {
                const Form *form = find(keyword);
                if (form && form->kind == FormKind::Keyword) {
                    // The record whose keyword it is, not the other records of its image.
                    for (int r : form->records) {
                        if (m_records[std::size_t(r)].keyword == keyword)
                            appendOnce(targets, r);
                    }
                }
            }
            if (targets.isEmpty())
                return;
            for (const QString &text : words(line.first(equals))) {
                Form &form = m_forms[std::size_t(addForm(text, FormKind::Everyday))];
                for (int r : std::as_const(targets))
                    appendOnce(form.records, r);
            }
            return;
        }
        case Section::Framing:
        case Section::NotImages:
            for (const QString &text : words(line))
                addForm(text, section == Section::Framing ? FormKind::Framing : FormKind::NotImage);
            return;
        case Section::Dreamers:
            if (equals > 0)
                m_dreamers.push_back(
                    {line.first(equals).trimmed().toString(), words(line.sliced(equals + 1))});
            return;
        case Section::Unknown: return;
        }
    });
    // Aliases last: a form that is also a keyword or one of our everyday forms leads to
    // those records first.
    for (int r = 0; r < int(m_records.size()); ++r) {
        for (const QString &alias : m_records[std::size_t(r)].aliases)
            appendOnce(m_forms[std::size_t(addForm(alias, FormKind::Alias))].records, r);
    }
}

void Lexicon::addPinyin()
{
    forEachLine(view(data::kPinyin), [this](QStringView line) {
        const qsizetype tab = line.indexOf(u'\t');
        if (tab <= 0)
            return;
        for (QStringView syllable : line.sliced(tab + 1).tokenize(u' ', Qt::SkipEmptyParts))
            m_syllables.insert(key(syllable));
        const auto found = m_byText.find(key(line.first(tab)));
        if (found == m_byText.end())
            return;
        Form &form = m_forms[std::size_t(found->second)];
        form.pinyin.clear();
        form.initials.clear();
        for (QStringView syllable : line.sliced(tab + 1).tokenize(u' ', Qt::SkipEmptyParts)) {
            form.pinyin += syllable;
            form.initials += syllable.front();
        }
    });
    // Better kinds first; among equals the earlier record, then the shorter form.
    const auto better = [this](int a, int b) {
        const Form &x = m_forms[std::size_t(a)];
        const Form &y = m_forms[std::size_t(b)];
        if (x.kind != y.kind)
            return x.kind < y.kind;
        const int rx = x.records.isEmpty() ? INT_MAX : x.records.front();
        const int ry = y.records.isEmpty() ? INT_MAX : y.records.front();
        if (rx != ry)
            return rx < ry;
        return x.text.size() < y.text.size();
    };
    for (int i = 0; i < int(m_forms.size()); ++i) {
        const Form &form = m_forms[std::size_t(i)];
        if (form.pinyin.isEmpty() || form.kind == FormKind::NotImage)
            continue;
        m_longestPinyin = std::max(m_longestPinyin, form.pinyin.size());
        auto [at, added] = m_byPinyin.emplace(key(form.pinyin), i);
        if (!added && better(i, at->second))
            at->second = i;
        if (form.isImage())
            m_pinyinOrder.push_back(i);
    }
    std::sort(m_pinyinOrder.begin(), m_pinyinOrder.end(), [&](int a, int b) {
        const int c = m_forms[std::size_t(a)].pinyin.compare(m_forms[std::size_t(b)].pinyin);
        return c != 0 ? c < 0 : better(a, b);
    });
}

QStringList Lexicon::dreamersIn(QStringView folded) const
{
    std::vector<bool> named(m_dreamers.size(), false);
    for (qsizetype i = 0; i < folded.size(); ++i) {
        for (qsizetype length = 1; length <= m_longestDreamerWord && i + length <= folded.size();
             ++length) {
            const auto [first, last] = m_dreamerWords.equal_range(key(folded.sliced(i, length)));
            for (auto it = first; it != last; ++it)
                named[std::size_t(it->second)] = true;
        }
    }
    QStringList types;
    for (std::size_t d = 0; d < named.size(); ++d) {
        if (named[d])
            types.append(m_dreamers[d].type);
    }
    return types;
}

const Form *Lexicon::find(QStringView folded) const
{
    const auto found = m_byText.find(key(folded));
    return found == m_byText.end() ? nullptr : &m_forms[std::size_t(found->second)];
}

const Form *Lexicon::findPinyin(QStringView latin) const
{
    const auto found = m_byPinyin.find(key(latin));
    return found == m_byPinyin.end() ? nullptr : &m_forms[std::size_t(found->second)];
}

QList<const Form *> Lexicon::pinyinStartingWith(QStringView latin, qsizetype limit) const
{
    QList<const Form *> out;
    auto it = std::lower_bound(m_pinyinOrder.begin(), m_pinyinOrder.end(), latin,
                               [this](int i, QStringView l) {
                                   return QStringView(m_forms[std::size_t(i)].pinyin).compare(l) < 0;
                               });
    for (; it != m_pinyinOrder.end() && out.size() < limit; ++it) {
        const Form &form = m_forms[std::size_t(*it)];
        if (!form.pinyin.startsWith(latin))
            break;
        out.append(&form);
    }
    return out;
}

QList<const Form *> Lexicon::withInitials(QStringView latin, qsizetype limit) const
{
    QList<const Form *> out;
    for (const int i : m_pinyinOrder) {
        const Form &form = m_forms[std::size_t(i)];
        if (form.initials == latin) {
            out.append(&form);
            if (out.size() == limit)
                break;
        }
    }
    return out;
}

FoldedText Lexicon::fold(QStringView typed) const
{
    FoldedText folded;
    folded.text.reserve(typed.size());
    folded.origin.reserve(typed.size() + 1);
    for (qsizetype i = 0; i < typed.size(); ++i) {
        char32_t c = typed[i].unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(typed[i], typed[i + 1]);
            width = 2;
        }
        if (c >= 0xFF01 && c <= 0xFF5E) // full-width ASCII
            c -= 0xFEE0;
        if (c < 0x80) {
            if (c >= 'A' && c <= 'Z')
                c += 'a' - 'A';
            if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
                folded.text += QChar(c);
                folded.origin.append(i);
            }
        } else if (c <= 0xFFFF && QChar::isLetterOrNumber(c)) {
            const auto t = std::lower_bound(m_traditional.begin(), m_traditional.end(),
                                            std::pair<char16_t, char16_t>(char16_t(c), 0));
            if (t != m_traditional.end() && t->first == c)
                c = t->second;
            folded.text += QChar(c);
            folded.origin.append(i);
        }
        // Spaces, punctuation, symbols and emoji are not read; characters beyond the
        // basic plane name no image of the table either.
        i += width - 1;
    }
    folded.origin.append(typed.size());
    return folded;
}

} // namespace reading
