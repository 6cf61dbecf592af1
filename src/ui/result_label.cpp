// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

#include "ui/style.h"

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
    style::drawFocusFrame(this);
}

} // namespace ui
