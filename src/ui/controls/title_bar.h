// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style.h"

#include <QColor>
#include <QList>
#include <QPoint>
#include <QWidget>

class QAbstractButton;

namespace ui {

// The borderless window's own title bar: its caption, minimise, maximise/restore and about
// buttons. Dragging it moves the window; a double-click maximises or restores it.
class TitleBar : public QWidget
{
    Q_OBJECT

public:
    explicit TitleBar(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

    // The title colour, which the window copies into its own background at load.
    QColor color() const { return m_color; }

    QAbstractButton *maximizeButton() const { return m_maximize; }
    // Minimise, maximise/restore and about, in the keyboard's order.
    QList<QAbstractButton *> buttons() const { return {m_minimize, m_maximize, m_about}; }

signals:
    void aboutRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void toggleMaximized();
    void updateMaximizeButton();

    QString m_caption;
    QColor m_color = style::kTitleColor;
    QColor m_textColor = style::kTitleTextColor;
    QAbstractButton *m_minimize = nullptr;
    QAbstractButton *m_maximize = nullptr;
    QAbstractButton *m_about = nullptr;
    // A left press on the bar becomes a move once the pointer has travelled the drag
    // distance: by the window system, or by hand where it refuses.
    enum class DragState { None, Pressed, ByHand };
    DragState m_dragState = DragState::None;
    // Where the pointer holds the window, from the window's top-left corner.
    QPoint m_grabOffset;
};

} // namespace ui
