// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QLabel>

namespace ui {

// One element of the reference label array: the header (index 0) or a keyword label.
// A keyword label reports clicked(index) on a click and on Enter or Space when it has the
// keyboard focus, hovered(index) when the pointer moves over it, and focused(index) and
// hovered(index) when it takes the keyboard focus. To assistive technology a keyword label
// is a link named by its keyword, whose press action is a click.
class ReferenceLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ReferenceLabel(int index, QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return text(); }
    void setColor(const QColor &color);
    QColor color() const { return m_color; }

    // False for the header, which is not a keyword.
    bool isKeyword() const { return m_index > 0; }
    // Reports clicked(index), as a click does: how assistive technology activates it.
    void activate();

signals:
    void clicked(int index);
    void hovered(int index);
    // The label took the keyboard focus.
    void focused(int index);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    int m_index;
    QColor m_color;
    bool m_pressed = false;
};

} // namespace ui
