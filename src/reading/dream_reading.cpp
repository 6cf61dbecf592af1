// SPDX-License-Identifier: GPL-3.0-or-later
#include "reading/dream_reading.h"

#include "kb/store.h"

#include <QSet>

#include <algorithm>
#include <climits>
#include <vector>

namespace reading {
namespace {

constexpr qsizetype kLongestPinyinRun = 200; // letters; longer Latin text is not pinyin
constexpr qsizetype kContext = 6;            // characters on each side of an image
constexpr qsizetype kVersesPerImage = 2;

bool isLatin(QChar c)
{
    return c >= u'a' && c <= u'z';
}

// Characters that say nothing about which sentence fits: they frame or glue any account.
bool isCommon(QChar c)
{
    static const QString common =
        QStringLiteral("的了我在是一个有和也就都而及与着这那你他她它们自己梦见到"
                       "做里中上下来去说要会将很又还再多得地之其");
    return common.contains(c);
}

class ImageFinder
{
public:
    ImageFinder(QStringView typed, const Lexicon &lexicon, qsizetype limit)
        : m_typed(typed)
        , m_lexicon(lexicon)
        , m_folded(lexicon.fold(typed))
        , m_limit(limit)
    {
    }

    QList<Image> find()
    {
        const QString &t = m_folded.text;
        qsizetype i = 0;
        while (i < t.size() && !full()) {
            qsizetype end = i;
            const bool latin = isLatin(t[i]);
            while (end < t.size() && isLatin(t[end]) == latin)
                ++end;
            if (latin)
                readPinyin(i, end);
            else
                readCharacters(i, end);
            i = end;
        }
        return m_images;
    }

    const FoldedText &folded() const { return m_folded; }

private:
    bool full() const { return m_limit >= 0 && m_images.size() >= m_limit; }

    void add(qsizetype from, qsizetype length, const Form *form, bool inside = false)
    {
        if (!form->isImage() || full())
            return;
        const int main = form->records.front();
        const QString &name = m_lexicon.records()[std::size_t(main)].image;
        if (m_seen.contains(name))
            return;
        m_seen.insert(name);
        Image image;
        image.from = m_folded.origin[from];
        image.written = m_folded.written(m_typed, from, length).toString();
        image.length = image.written.size();
        image.form = form;
        image.inside = inside;
        for (int r : form->records) {
            if (m_lexicon.records()[std::size_t(r)].image == name)
                image.records.append(r);
        }
        m_images.append(image);
    }

    // Longest match, left to right, no overlaps.
    void readCharacters(qsizetype from, qsizetype end)
    {
        const QStringView t = m_folded.text;
        qsizetype i = from;
        while (i < end && !full()) {
            qsizetype length = std::min(m_lexicon.longestFormFrom(t[i]), end - i);
            const Form *form = nullptr;
            for (; length > 0; --length) {
                if ((form = m_lexicon.find(t.sliced(i, length))))
                    break;
            }
            if (!form) {
                ++i;
                continue;
            }
            add(i, length, form);
            if (form->kind == FormKind::Everyday && length >= 3)
                readInside(i, length);
            i += length;
        }
    }

    // An everyday phrase may name further images of its own words ("和老公吵架" is a
    // quarrel of husband and wife, and also names the husband and the quarrel): the
    // words of two characters or more inside it that are images, by the longest match.
    void readInside(qsizetype from, qsizetype length)
    {
        const QStringView t = m_folded.text;
        for (qsizetype i = from; i < from + length - 1 && !full();) {
            qsizetype l = std::min(m_lexicon.longestFormFrom(t[i]), from + length - i);
            const Form *form = nullptr;
            for (; l >= 2; --l) {
                if (l == length)
                    continue;
                form = m_lexicon.find(t.sliced(i, l));
                if (form && form->isImage())
                    break;
                form = nullptr;
            }
            if (form) {
                add(i, l, form, true);
                i += l;
            } else {
                ++i;
            }
        }
    }

    // The cover of the run's letters by forms' pinyin and by single syllables that name
    // nothing ("diu le"), with the fewest forms and syllables, a syllable counting twice;
    // a run they do not cover names no image (a stray English word is not read as pinyin).
    void readPinyin(qsizetype from, qsizetype end)
    {
        const qsizetype n = end - from;
        if (n > kLongestPinyinRun)
            return;
        const QStringView run = QStringView(m_folded.text).sliced(from, n);
        std::vector<int> pieces(std::size_t(n + 1), INT_MAX);
        std::vector<std::pair<qsizetype, const Form *>> last(std::size_t(n + 1), {0, nullptr});
        pieces[0] = 0;
        for (qsizetype k = 1; k <= n; ++k) {
            for (qsizetype length = std::min(m_lexicon.longestPinyin(), k); length > 0; --length) {
                if (pieces[std::size_t(k - length)] == INT_MAX)
                    continue;
                const QStringView piece = run.sliced(k - length, length);
                const Form *form = m_lexicon.findPinyin(piece);
                const int cost = form ? 1 : m_lexicon.isSyllable(piece) ? 2 : 0;
                if (cost > 0 && pieces[std::size_t(k - length)] + cost < pieces[std::size_t(k)]) {
                    pieces[std::size_t(k)] = pieces[std::size_t(k - length)] + cost;
                    last[std::size_t(k)] = {length, form};
                }
            }
        }
        if (pieces[std::size_t(n)] == INT_MAX) {
            // Initials alone ("cjl") name an image only when they name exactly one.
            const QList<const Form *> named = m_lexicon.withInitials(run, 2);
            if (n >= 2 && named.size() == 1)
                add(from, n, named.front());
            return;
        }
        std::vector<std::pair<qsizetype, const Form *>> found;
        for (qsizetype k = n; k > 0; k -= last[std::size_t(k)].first)
            found.emplace_back(k - last[std::size_t(k)].first, last[std::size_t(k)].second);
        for (auto it = found.rbegin(); it != found.rend(); ++it) {
            const qsizetype length = (it + 1 == found.rend() ? n : (it + 1)->first) - it->first;
            if (it->second)
                add(from + it->first, length, it->second);
        }
    }

    QStringView m_typed;
    const Lexicon &m_lexicon;
    FoldedText m_folded;
    qsizetype m_limit;
    QList<Image> m_images;
    QSet<QString> m_seen; // images, each read once
};

QStringList sentences(QStringView text)
{
    QStringList out;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'。' || c == u'！' || c == u'？' || i + 1 == text.size()) {
            const QStringView s = text.sliced(start, i + 1 - start).trimmed();
            if (!s.isEmpty())
                out.append(s.toString());
            start = i + 1;
        }
    }
    return out;
}

// The words around an image and the dreamer types the whole dream names: what a sentence
// of the interpretation must share to fit.
struct Context
{
    // Folded characters on both sides of the image, a space between the sides, and the
    // words the user wrote with the image's own name (咬 of 蛇咬, 齿掉 of 牙齿掉了).
    QString nearby;
    QStringList dreamers; // reader types ("孕妇") the dream says the dreamer is
};

// Whether `sentence` says `words` without denying them: "不流血" does not say 流血, nor 血.
bool saysPlainly(QStringView sentence, QStringView words)
{
    static const QString negations = QStringLiteral("不没未无莫勿非别");
    for (qsizetype at = sentence.indexOf(words); at >= 0; at = sentence.indexOf(words, at + 1)) {
        const qsizetype from = std::max<qsizetype>(0, at - 2);
        bool denied = false;
        for (qsizetype i = from; i < at; ++i)
            denied = denied || negations.contains(sentence[i]);
        if (!denied)
            return true;
    }
    return false;
}

int fit(const QString &sentence, const Context &context, const QString &image)
{
    int score = 0;
    QSet<QChar> counted;
    for (qsizetype i = 0; i < context.nearby.size(); ++i) {
        const QChar c = context.nearby[i];
        if (c == u' ' || isCommon(c) || image.contains(c))
            continue;
        if (!counted.contains(c) && saysPlainly(sentence, QStringView(&c, 1))) {
            counted.insert(c);
            score += 1;
        }
        if (i + 1 < context.nearby.size() && context.nearby[i + 1] != u' '
            && saysPlainly(sentence, QStringView(context.nearby).sliced(i, 2)))
            score += 2;
    }
    for (const QString &type : context.dreamers) {
        if (sentence.contains(type))
            score += 6;
    }
    return score;
}

QString join(const QStringList &parts)
{
    return parts.join(QString());
}

// The verse phrases that name the image, those whose opening (the sign) names it first.
QStringList versesNaming(QStringView verses, const QString &image)
{
    QStringList opening;
    QStringList elsewhere;
    const auto isEnd = [](QChar c) { return c == u'，' || c == u'。'; };
    for (qsizetype at = verses.indexOf(image); at >= 0;) {
        qsizetype start = at;
        while (start > 0 && !isEnd(verses[start - 1]))
            --start;
        qsizetype end = at;
        while (end < verses.size() && !isEnd(verses[end]))
            ++end;
        const QStringView untrimmed = verses.sliced(start, end - start);
        const QStringView phrase = untrimmed.trimmed();
        qsizetype lead = 0;
        while (lead < untrimmed.size() && untrimmed[lead].isSpace())
            ++lead;
        const qsizetype offset = at - start - lead;
        (offset + image.size() <= 4 ? opening : elsewhere).append(phrase.toString());
        at = verses.indexOf(image, end);
    }
    opening += elsewhere;
    return opening.mid(0, kVersesPerImage);
}

} // namespace

QList<Image> findImages(QStringView typed, const Lexicon &lexicon, qsizetype limit)
{
    return ImageFinder(typed, lexicon, limit).find();
}

Reading readDream(QStringView typed, const Lexicon &lexicon, QStringView verses)
{
    ImageFinder finder(typed, lexicon, -1);
    const QList<Image> images = finder.find();
    const QString &folded = finder.folded().text;
    Reading reading;
    if (images.isEmpty()) {
        reading.text =
            QStringLiteral("梦中未见可解之象。可换一种说法，或只输入梦中所见的人、物、动物或事件。");
        return reading;
    }

    const QStringList dreamers = lexicon.dreamersIn(folded);

    const bool full = images.size() <= kFullParagraphs;
    QStringList names;
    for (const Image &image : images)
        names.append(lexicon.records()[std::size_t(image.records.front())].keyword);
    QString text = QStringLiteral("梦中所见：") + names.join(u'、') + u'。';
    if (!full)
        text +=
            QStringLiteral("共 %1 象，各取最合此梦的一句；点击参照关键字可看全文。").arg(images.size());

    const QList<qsizetype> &origin = finder.folded().origin;
    for (const Image &image : images) {
        const Record &main = lexicon.records()[std::size_t(image.records.front())];
        // The folded span of the image, found again from its place in the user's text.
        const qsizetype from =
            std::lower_bound(origin.cbegin(), origin.cend(), image.from) - origin.cbegin();
        const qsizetype to = std::lower_bound(origin.cbegin(), origin.cend(), image.from + image.length)
                             - origin.cbegin();
        Context context;
        const qsizetype left = std::max<qsizetype>(0, from - kContext);
        const qsizetype right = std::min(folded.size(), to + kContext);
        context.nearby = folded.mid(left, from - left) + u' ' + folded.mid(to, right - to);
        // The words written with the image's name belong to the image's own account.
        const QString written = folded.mid(from, to - from);
        if (const qsizetype at = written.indexOf(main.image); at >= 0 && written != main.image)
            context.nearby += u' ' + written.first(at) + u' ' + written.sliced(at + main.image.size());
        context.dreamers = dreamers;

        QStringList all;
        for (int r : image.records)
            all += sentences(lexicon.records()[std::size_t(r)].interpretation);
        qsizetype best = -1;
        int bestScore = 0;
        for (qsizetype s = 0; s < all.size(); ++s) {
            const int score = fit(all[s], context, main.image);
            if (score > bestScore) {
                bestScore = score;
                best = s;
            }
        }

        text += QStringLiteral("\r\n\r\n【") + main.keyword + u'】';
        if (image.written != main.keyword)
            text += QStringLiteral("（梦中所述：") + image.written + u'）';
        text += QStringLiteral("\r\n");
        if (best >= 0) {
            text += QStringLiteral("最合此梦：") + all[best];
            if (full) {
                all.removeAt(best);
                if (!all.isEmpty())
                    text += QStringLiteral("\r\n") + join(all);
            }
        } else {
            text += full ? join(all) : all.value(0);
        }
        if (full) {
            const QStringList named = versesNaming(verses, main.image);
            if (!named.isEmpty())
                text += QStringLiteral("\r\n诗曰：") + named.join(u'；') + u'。';
        }
        reading.keywords.append(main.keyword);
    }
    reading.text = text;
    return reading;
}

Reading readDream(QStringView typed)
{
    return readDream(typed, Lexicon::instance(), kb::verseTable());
}

} // namespace reading
