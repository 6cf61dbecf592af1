// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace ui {

// Says a short text to a screen reader without taking the keyboard focus anywhere: to
// assistive technology it is a notification, named by its text, that shows itself anew at
// each announce(). Screen readers (Orca among them) speak a notification as it shows. On
// screen it takes no room and draws nothing.
class Announcer : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    void announce(const QString &text);
    // The last text announced.
    QString text() const { return accessibleName(); }
};

} // namespace ui
