// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QString>

namespace ui {

// Readies what the first answer would otherwise wait for: the code-page table that the
// keyword input's check reads on every keystroke, the suggestions index, and the glyphs of
// every character of the two tables in the results' face. It works in the event loop's
// idle time, one small step per turn, so that the window stays responsive meanwhile; a
// key or a click queued before a step is handled before it.
class WarmUp : public QObject
{
    Q_OBJECT

public:
    // Starts once control is back in the event loop; the object, a child of `parent`,
    // deletes itself when done.
    static WarmUp *start(QObject *parent, const QFont &font);

signals:
    void finished();

private:
    WarmUp(QObject *parent, const QFont &font);
    void step();
    void scheduleNext();

    QFont m_font;
    QString m_characters;
    qsizetype m_drawn = 0;
    int m_stage = 0;
};

} // namespace ui
