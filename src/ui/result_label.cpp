// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

#include <QPainter>
#include <QStyleOptionFocusRect>

namespace ui {

ResultLabel::ResultLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ResultLabel::setCaption(const QString &caption)
{
    m_caption = caption;
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setText(shown);
    setAccessibleName(caption.isEmpty() ? QStringLiteral("解梦结果") : shown);
}

void ResultLabel::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    update();
    emit focused();
}

void ResultLabel::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    update();
}

void ResultLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter p(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = rect();
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
}

} // namespace ui
