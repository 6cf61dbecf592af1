// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style.h"

#include <QAccessible>
#include <QColor>
#include <QWidget>

namespace ui {

// A flat coloured panel with an optional caption at its top left and one of two borders:
// BorderStyle::Ridge (a raised double edge in the border colour, for the background panel)
// or BorderStyle::Sunken (a thin inset edge, for the status bar). Its text is one line.
class Panel : public QWidget
{
    Q_OBJECT

public:
    enum class BorderStyle { Sunken = 2, Ridge = 4 };

    explicit Panel(BorderStyle style, QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }

    // The panel colour: the fill; the window copies it into other controls at load.
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    void setTextColor(const QColor &color);

    // What the panel is to assistive technology (a screen reader): a plain pane unless
    // told otherwise; a status bar, for one, is found as such. Its text is its name.
    QAccessible::Role accessibleRole() const { return m_accessibleRole; }
    void setAccessibleRole(QAccessible::Role role) { m_accessibleRole = role; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    BorderStyle m_style;
    QString m_text;
    QColor m_color = style::kPanelColor;
    QColor m_borderColor = style::kBorderColor;
    QColor m_textColor = style::kPanelTextColor;
    QAccessible::Role m_accessibleRole = QAccessible::Pane;
};

} // namespace ui
