// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/reference_label.h"

#include "ui/style.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ui {

ReferenceLabel::ReferenceLabel(int index, QWidget *parent)
    : QLabel(parent)
    , m_index(index)
{
    setTextFormat(Qt::PlainText);
    setMouseTracking(true);
    setAttribute(Qt::WA_TranslucentBackground);
    // Reached with the keyboard only: a click must not take the focus from the keyword
    // input, or leaving the input would run a query of its own first.
    if (index > 0)
        setFocusPolicy(Qt::TabFocus);
}

void ReferenceLabel::setCaption(const QString &caption)
{
    setText(caption);
    setAccessibleName(caption);
}

void ReferenceLabel::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, color);
    setPalette(p);
}

void ReferenceLabel::activate()
{
    emit clicked(m_index);
}

void ReferenceLabel::mouseMoveEvent(QMouseEvent *event)
{
    emit hovered(m_index);
    event->accept();
}

void ReferenceLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void ReferenceLabel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked(m_index);
}

void ReferenceLabel::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        event->accept();
        activate();
        return;
    default: QLabel::keyPressEvent(event);
    }
}

void ReferenceLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    // The keyboard's place is brought into view and takes the hover colour.
    emit focused(m_index);
    emit hovered(m_index);
}

void ReferenceLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    style::drawFocusFrame(this);
}

} // namespace ui
