// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/tool_button.h"

#include <QIcon>
#include <QPainter>

namespace ui {

ToolButton::ToolButton(const QString &iconPath, const QString &hint, QWidget *parent)
    : QAbstractButton(parent)
    , m_hint(hint)
{
    setIcon(QIcon(iconPath));
    setIconSize({16, 16});
    setToolTip(hint);
    setAccessibleName(hint);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    setFont(style::songFont());
}

void ToolButton::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void ToolButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.fillRect(rect(), m_color);
    const bool down = isDown();
    const bool hot = underMouse() || hasFocus();
    if (down || hot) {
        // Raised under the pointer, pressed in while held.
        p.fillRect(r.adjusted(1, 1, 0, 0), down ? m_color.darker(108) : m_color.lighter(106));
        p.setPen(down ? m_color.darker(150) : Qt::white);
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(down ? Qt::white : m_color.darker(150));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    const QSize size = iconSize();
    QPoint at((width() - size.width()) / 2, (height() - size.height()) / 2);
    if (down)
        at += QPoint(1, 1);
    icon().paint(&p, QRect(at, size), Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
}

void ToolButton::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered();
    QAbstractButton::mouseMoveEvent(event);
}

void ToolButton::enterEvent(QEnterEvent *event)
{
    update();
    QAbstractButton::enterEvent(event);
}

void ToolButton::leaveEvent(QEvent *event)
{
    update();
    QAbstractButton::leaveEvent(event);
}

} // namespace ui
