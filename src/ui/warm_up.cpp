// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/warm_up.h"

#include "kb/store.h"
#include "reading/lexicon.h"
#include "text/gbk.h"

#include <QApplication>
#include <QByteArrayView>
#include <QFile>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <vector>

#include <sys/mman.h>

namespace ui {
namespace {

// A step draws one short line, well under a millisecond of work, so that a key or a click
// arriving meanwhile waits no longer than that.
constexpr qsizetype kCharactersPerStep = 10;
// How long the keyboard and the mouse stay still before the steps go on.
constexpr int kQuietMs = 400;

// Every character of the tables beyond ASCII (about 2,900), most frequent first, so that a
// user who types early finds the commonest ready. All of them, so that any answer finds
// its glyphs rendered: the font file's pages they are read from are given back after each
// step, and the glyph cache holds them in about 0.6 MiB.
QString tableCharacters()
{
    std::vector<std::uint32_t> counts(65536, 0);
    for (const QString *table : {&kb::recordTable(), &kb::verseTable()}) {
        for (const QChar c : *table)
            ++counts[c.unicode()];
    }
    std::vector<char16_t> characters;
    for (std::uint32_t u = 0x80; u < 65536; ++u) {
        if (counts[u] > 0 && !QChar::isSurrogate(u))
            characters.push_back(char16_t(u));
    }
    std::stable_sort(characters.begin(), characters.end(),
                     [&counts](char16_t a, char16_t b) { return counts[a] > counts[b]; });
    return QString(reinterpret_cast<const QChar *>(characters.data()), qsizetype(characters.size()));
}

// Gives the pages of the mapped font files back to the system. FreeType reads a face's
// outlines straight from the file, mapped read-only; once a glyph is rendered into the glyph
// cache its outline is not read again, yet the page stays in the program's resident set:
// drawing a thousand characters would hold on to more than 6 MiB of a CJK font file. The
// pages are clean, so dropping them loses nothing: a later read of the same place maps it
// again from the system's file cache. Only the GUI thread maps and unmaps font files, and
// this runs there, so every range read here is still the font's when it is released.
void releaseFontFilePages()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return;
    const QByteArray all = maps.readAll();
    for (qsizetype from = 0, to = 0; from < all.size(); from = to + 1) {
        to = all.indexOf('\n', from);
        if (to < 0)
            to = all.size();
        const QByteArrayView line = QByteArrayView(all).sliced(from, to - from);
        // "start-end perms offset dev inode path"
        const qsizetype slash = line.indexOf('/');
        if (slash < 0)
            continue;
        const QByteArrayView path = line.sliced(slash);
        const auto isFontFile = [&path] {
            for (const char *suffix : {".ttf", ".ttc", ".otf", ".otc"}) {
                if (path.endsWith(suffix))
                    return true;
            }
            return false;
        };
        const qsizetype dash = line.indexOf('-');
        const qsizetype space = line.indexOf(' ');
        if (dash < 0 || space < dash || line.sliced(space + 1, 4) != "r--p" || !isFontFile())
            continue;
        bool startOk = false;
        bool endOk = false;
        const quintptr start = line.first(dash).toULongLong(&startOk, 16);
        const quintptr end = line.sliced(dash + 1, space - dash - 1).toULongLong(&endOk, 16);
        if (startOk && endOk && end > start)
            madvise(reinterpret_cast<void *>(start), end - start, MADV_DONTNEED);
    }
}

} // namespace

WarmUp::WarmUp(QObject *parent, const QFont &font)
    : QObject(parent)
    , m_font(font)
{
    m_next.setSingleShot(true);
    connect(&m_next, &QTimer::timeout, this, &WarmUp::step);
    qApp->installEventFilter(this);
}

WarmUp *WarmUp::start(QObject *parent, const QFont &font)
{
    auto *warmUp = new WarmUp(parent, font);
    warmUp->m_next.start(0);
    return warmUp;
}

bool WarmUp::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::Wheel: m_next.start(kQuietMs); break;
    default: break;
    }
    return QObject::eventFilter(watched, event);
}

void WarmUp::step()
{
    switch (m_stage) {
    case 0: (void)text::gbkLength(u'梦'); break;
    case 1: (void)reading::Lexicon::instance(); break;
    case 2: m_characters = tableCharacters(); break;
    default: {
        // Drawing the characters once in the results' face reads their glyphs from the
        // font file and renders them into the face's glyph cache, which every later
        // drawing in that face on an image surface, the window's included, draws from.
        if (m_drawn >= m_characters.size()) {
            releaseFontFilePages();
            deleteLater();
            return;
        }
        const QString chunk = m_characters.mid(m_drawn, kCharactersPerStep);
        m_drawn += chunk.size();
        const QFontMetrics fm(m_font);
        QImage surface(fm.maxWidth() * int(kCharactersPerStep) + 1, fm.height() + 1,
                       QImage::Format_RGB32);
        QPainter p(&surface);
        p.setFont(m_font);
        p.drawText(0, fm.ascent(), chunk);
        break;
    }
    }
    // Every step gives back what the font files' pages hold, the first one what the first
    // paint read, so that the program's resident set does not grow with what the steps
    // make ready.
    releaseFontFilePages();
    ++m_stage;
    m_next.start(0);
}

} // namespace ui
