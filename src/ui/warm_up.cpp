// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/warm_up.h"

#include "kb/store.h"
#include "lookup/suggestions.h"
#include "text/gbk.h"

#include <QImage>
#include <QPainter>
#include <QSet>

namespace ui {
namespace {

// Whole lines inside the surface, so that no glyph is clipped away unrendered.
constexpr qsizetype kCharactersPerLine = 20;
constexpr qsizetype kLinesPerStep = 10;
constexpr qsizetype kCharactersPerStep = kCharactersPerLine * kLinesPerStep;

// Every distinct character of the tables beyond ASCII, in the order they first appear.
QString TableCharacters()
{
    QString characters;
    QSet<char16_t> seen;
    for (const QString *table : {&kb::RecordTable(), &kb::VerseTable()}) {
        for (const QChar c : *table) {
            if (c.unicode() >= 0x80 && !c.isSurrogate() && !seen.contains(c.unicode())) {
                seen.insert(c.unicode());
                characters.append(c);
            }
        }
    }
    return characters;
}

} // namespace

WarmUp::WarmUp(QObject *parent, const QFont &font)
    : QObject(parent)
    , m_font(font)
{
}

WarmUp *WarmUp::start(QObject *parent, const QFont &font)
{
    auto *warmUp = new WarmUp(parent, font);
    warmUp->scheduleNext();
    return warmUp;
}

void WarmUp::scheduleNext()
{
    // A queued call runs after the events already waiting, input and painting included.
    QMetaObject::invokeMethod(this, &WarmUp::step, Qt::QueuedConnection);
}

void WarmUp::step()
{
    switch (m_stage) {
    case 0: (void)text::GbkLength(u'梦'); break;
    case 1: modJieMEng::PrepareSuggestions(); break;
    case 2: m_characters = TableCharacters(); break;
    default: {
        // Drawing the characters once in the results' face reads their glyphs from the
        // font file and renders them into the face's glyph cache, which every later
        // drawing in that face on an image surface, the window's included, draws from.
        if (m_drawn >= m_characters.size()) {
            emit finished();
            deleteLater();
            return;
        }
        const QString chunk = m_characters.mid(m_drawn, kCharactersPerStep);
        m_drawn += chunk.size();
        const QFontMetrics fm(m_font);
        QImage surface(fm.maxWidth() * kCharactersPerLine + 1, fm.height() * kLinesPerStep + 1,
                       QImage::Format_RGB32);
        QPainter p(&surface);
        p.setFont(m_font);
        for (qsizetype at = 0, line = 0; at < chunk.size(); at += kCharactersPerLine, ++line)
            p.drawText(0, int(line) * fm.height() + fm.ascent(), chunk.mid(at, kCharactersPerLine));
        break;
    }
    }
    ++m_stage;
    scheduleNext();
}

} // namespace ui
