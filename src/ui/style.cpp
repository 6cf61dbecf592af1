// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/style.h"

#include "face/face.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

namespace ui::style {

QFont songFont(qreal pointSize)
{
    return face::songFont(pointSize);
}

QFont captionFont()
{
    QFont font = songFont(9.75);
    font.setBold(true);
    return font;
}

QCursor handCursor(qreal ratio)
{
    // The picture is 32 x 32 with the fingertip at (12, 1). A cursor's hot spot counts the
    // pixmap's own pixels, so it grows with the picture.
    const QPixmap pixmap = QIcon(QStringLiteral(":/ui/hand.svg")).pixmap(QSize(32, 32), ratio);
    const qreal scale = pixmap.devicePixelRatio();
    return QCursor(pixmap, qRound(12 * scale), qRound(1 * scale));
}

void drawFocusFrame(QWidget *widget)
{
    if (!widget->hasFocus())
        return;
    QPainter p(widget);
    QStyleOptionFocusRect option;
    option.initFrom(widget);
    option.rect = widget->rect();
    widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, widget);
}

} // namespace ui::style
