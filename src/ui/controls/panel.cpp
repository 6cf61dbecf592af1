// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/panel.h"

#include <QMouseEvent>
#include <QPainter>

namespace ui {

Panel::Panel(BorderStyle style, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
{
    setFont(style::songFont());
}

void Panel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    update();
}

void Panel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void Panel::setTextColor(const QColor &color)
{
    m_textColor = color;
    update();
}

void Panel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, m_color);
    if (m_style == BorderStyle::Ridge) {
        // A ridge: the border colour outside, a light line inside it.
        p.setPen(m_borderColor);
        p.drawRect(r.adjusted(0, 0, -1, -1));
        p.setPen(m_color.lighter(108));
        p.drawRect(r.adjusted(1, 1, -2, -2));
    } else {
        p.setPen(m_color.darker(135));
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
        p.setPen(Qt::white);
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
    if (m_text.isEmpty())
        return;
    p.setPen(m_textColor);
    p.setFont(font());
    const QFontMetrics fm = fontMetrics();
    if (m_style == BorderStyle::Ridge) {
        const QRect caption(8, 5, r.width() - 16, fm.height());
        p.drawText(caption, Qt::AlignLeft | Qt::AlignTop,
                   fm.elidedText(m_text, Qt::ElideRight, caption.width()));
    } else {
        const QRect line = r.adjusted(4, 0, -4, 0);
        p.drawText(line, Qt::AlignLeft | Qt::AlignVCenter,
                   fm.elidedText(m_text, Qt::ElideRight, line.width()));
    }
}

void Panel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QWidget::mouseReleaseEvent(event);
}

} // namespace ui
