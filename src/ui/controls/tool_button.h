// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style.h"

#include <QAbstractButton>
#include <QColor>

namespace ui {

// A square button showing one 16 × 16 picture. Its hint text is its tooltip and its
// accessible name; moving the pointer over it reports hovered().
class ToolButton : public QAbstractButton
{
    Q_OBJECT

public:
    ToolButton(const QString &iconPath, const QString &hint, QWidget *parent = nullptr);

    QString hint() const { return m_hint; }
    void setColor(const QColor &color);
    QColor color() const { return m_color; }

    QSize sizeHint() const override { return {25, 25}; }

signals:
    void hovered();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    QString m_hint;
    QColor m_color = style::kTitleColor;
};

} // namespace ui
