// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <QString>
#include <QTimer>

namespace ui {

// Readies what the first answer would otherwise wait for: the code-page table that the
// keyword input's check reads on every keystroke, the lexicon of the suggestions and the reading, and
// the glyphs of the tables' characters in the results' face. It works in the event loop's
// idle time, one small step per turn, so that the window stays responsive meanwhile, and
// it pauses while the user types or clicks: the steps go on once the keyboard and the
// mouse have been still for a moment, and the program never competes with the user's own
// work for the processor.
class WarmUp : public QObject
{
    Q_OBJECT

public:
    // Starts once control is back in the event loop; the object, a child of `parent`,
    // deletes itself when done.
    static WarmUp *start(QObject *parent, const QFont &font);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    WarmUp(QObject *parent, const QFont &font);
    void step();

    QTimer m_next;
    QFont m_font;
    QString m_characters;
    qsizetype m_drawn = 0;
    int m_stage = 0;
};

} // namespace ui
