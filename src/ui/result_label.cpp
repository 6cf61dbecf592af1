// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/result_label.h"

namespace ui {

ResultLabel::ResultLabel(QWidget *parent)
    : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
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

} // namespace ui
