// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading/suggestions.h"

#include "reading/dream_reading.h"

#include <QSet>

#include <algorithm>

namespace reading {
namespace {

constexpr qsizetype kReadingEntryImages = 6; // images named in the reading entry's caption

class Collector
{
public:
    Collector(const Lexicon &lexicon, qsizetype limit)
        : m_lexicon(lexicon)
        , m_limit(limit)
    {
    }

    bool full() const { return m_found.size() >= m_limit; }

    void add(Suggestion s)
    {
        if (full() || m_keywords.contains(s.keyword))
            return;
        m_keywords.insert(s.keyword);
        m_found.append(std::move(s));
    }

    // The record a form leads to first, noted with the form when it is written otherwise.
    void addForm(const Form &form)
    {
        const QString &keyword = m_lexicon.records()[std::size_t(form.records.front())].keyword;
        add({keyword, form.text == keyword ? QString() : form.text});
    }

    QList<Suggestion> take() { return std::move(m_found); }

private:
    const Lexicon &m_lexicon;
    qsizetype m_limit;
    QList<Suggestion> m_found;
    QSet<QString> m_keywords;
};

bool allLatin(QStringView s)
{
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'a' && c <= u'z'; });
}

// Keywords that start with `text` (shorter first, then table order), keywords that contain
// it, records with an alias that contains it, records with an everyday form that does.
// Whether `text`, whose characters' sketch is `characters`, holds `part`, whose sketch is
// `wanted`. While typing, `part` is mostly one character: the sketch rules out most of the
// thousands of texts at once.
bool holds(const QString &text, quint64 characters, const QString &part, quint64 wanted)
{
    return (wanted & ~characters) == 0 && text.contains(part);
}

void addKeywordGroups(Collector &found, const Lexicon &lexicon, const QString &text)
{
    const std::vector<Record> &records = lexicon.records();
    std::vector<int> starting;
    for (int r = 0; r < int(records.size()); ++r) {
        if (records[std::size_t(r)].keyword.startsWith(text))
            starting.push_back(r);
    }
    std::stable_sort(starting.begin(), starting.end(), [&](int a, int b) {
        return records[std::size_t(a)].keyword.size() < records[std::size_t(b)].keyword.size();
    });
    for (int r : starting)
        found.add({records[std::size_t(r)].keyword, {}});
    const quint64 wanted = charactersOf(text);
    for (const Record &r : records) {
        if (found.full())
            return;
        if (holds(r.keyword, r.keywordCharacters, text, wanted))
            found.add({r.keyword, {}});
    }
    for (const Record &r : records) {
        if (found.full())
            return;
        if ((wanted & ~r.aliasCharacters) != 0)
            continue;
        const auto alias = std::find_if(r.aliases.cbegin(), r.aliases.cend(),
                                        [&](const QString &a) { return a.contains(text); });
        if (alias != r.aliases.cend())
            found.add({r.keyword, *alias});
    }
    for (const Form &form : lexicon.forms()) {
        if (found.full())
            return;
        if (form.kind == FormKind::Everyday && holds(form.text, form.characters, text, wanted))
            found.addForm(form);
    }
}

} // namespace

QList<Suggestion> suggest(QStringView typed, const Lexicon &lexicon, qsizetype limit)
{
    if (limit <= 0)
        return {};
    typed = typed.trimmed();
    typed = typed.first(std::min(typed.size(), kSuggestionTextLimit));
    const QString text = lexicon.fold(typed).text;
    if (text.isEmpty())
        return {};
    Collector found(lexicon, limit);
    const std::vector<Record> &records = lexicon.records();

    // The images the text names as its own: those named inside an everyday phrase belong
    // to the reading, not to the list (梦见前男友 names one image).
    QList<Image> images = findImages(typed, lexicon, limit);
    images.removeIf([](const Image &image) { return image.inside; });
    const Form *exact = lexicon.find(text);
    const bool isKeyword = exact && exact->kind == FormKind::Keyword;
    if (!isKeyword && images.size() >= 2) {
        QStringList names;
        for (const Image &image : images.mid(0, kReadingEntryImages))
            names.append(records[std::size_t(image.records.front())].keyword);
        QString caption = QStringLiteral("读梦：") + names.join(QStringLiteral(" · "));
        if (images.size() > kReadingEntryImages)
            caption += QStringLiteral(" …");
        found.add({caption, QString(), true});
    }
    for (const Image &image : images) {
        const QString &keyword = records[std::size_t(image.records.front())].keyword;
        // Pinyin is noted with the characters it was read as.
        const QString &named = allLatin(lexicon.fold(image.written).text) ? image.form->text
                                                                          : image.written;
        found.add({keyword, named == keyword ? QString() : named});
    }

    if (!allLatin(text)) {
        addKeywordGroups(found, lexicon, text);
    } else {
        for (const Form *form : lexicon.pinyinStartingWith(text, limit))
            found.addForm(*form);
        for (const Form *form : lexicon.withInitials(text, limit))
            found.addForm(*form);
    }
    // A sentence or pinyin is no keyword: what its images start or stand in comes next (the
    // text's own groups are there already when the text is the image).
    for (const Image &image : images) {
        const QString &name = records[std::size_t(image.records.front())].image;
        if (name != text)
            addKeywordGroups(found, lexicon, name);
    }
    return found.take();
}

QList<Suggestion> suggest(QStringView typed)
{
    return suggest(typed, Lexicon::instance());
}

} // namespace reading
