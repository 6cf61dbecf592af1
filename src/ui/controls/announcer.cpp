// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/announcer.h"

namespace ui {

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    hide();
}

void Announcer::announce(const QString &text)
{
    // Shown again even when it already is: the showing is what the screen reader hears.
    hide();
    setAccessibleName(text);
    show();
}

} // namespace ui
