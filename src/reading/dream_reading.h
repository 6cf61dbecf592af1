// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "reading/lexicon.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// Reading a whole dream (读梦): every image the user's text names, found by the longest
// match over the lexicon from left to right without overlaps, in the order of the text.
// Framing words (梦见, 我) and not-image words (日子) are matched like any form and skipped,
// so they are never read as images. Text in pinyin is read the same way over the forms'
// pinyin, and only where the forms cover all its letters.
namespace reading {

struct Image
{
    // Where the user wrote it, and how.
    qsizetype from = 0;
    qsizetype length = 0;
    QString written;
    const Form *form = nullptr;
    // The image's records, the one its form leads to first; further records are the same
    // image's second records ("钟" and "钟2").
    QList<int> records;
    // Named by words inside an everyday phrase that is an image itself (丈夫 inside
    // 和老公吵架): the dream names it by the way, not as one of its own images.
    bool inside = false;
};

// The images of `typed`, each image once, in the order of the text; at most `limit`.
[[nodiscard]] QList<Image> findImages(QStringView typed, const Lexicon &lexicon, qsizetype limit = -1);

// The reading as the results pane shows it: the result text (one paragraph per image,
// headed by the image, with the sentence of its interpretation that fits the dream's own
// words put first, and the omen verses that name it) and the images' record keywords as
// the reference keywords.
struct Reading
{
    QString text;
    QStringList keywords;
};

[[nodiscard]] Reading readDream(QStringView typed, const Lexicon &lexicon, QStringView verses);
// The reading over the program's own lexicon and verse table.
[[nodiscard]] Reading readDream(QStringView typed);

// Above this many images, each paragraph keeps only its best sentence, so that a long
// dream stays readable and quick to lay out.
inline constexpr qsizetype kFullParagraphs = 12;

} // namespace reading
