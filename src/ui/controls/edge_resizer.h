// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

class QMouseEvent;
class QWidget;

namespace ui {

// Lets a frameless window be resized from its edges and corners. Over the band of
// `margin` pixels along the edges the pointer takes the matching resize shape, and a
// left-button press there starts a resize: by the window system where it can, otherwise
// by following the pointer until the button is released.
//
// The window's own bare surface is always watched; watch() adds a child that reaches into
// the band (a title bar drawn close to the top edge), whose band pixels then resize too.
class EdgeResizer : public QObject
{
    Q_OBJECT

public:
    explicit EdgeResizer(QWidget *window, int margin = 5);

    void watch(QWidget *child);

    // The edges whose band holds `pos` (window coordinates); none while the window is
    // maximised or full screen.
    Qt::Edges edgesAt(QPoint pos) const;
    // The pointer shape over `edges`.
    static Qt::CursorShape cursorFor(Qt::Edges edges);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool windowMouseEvent(QMouseEvent *event);
    bool childMouseEvent(QWidget *child, QMouseEvent *event);
    void startResize(Qt::Edges edges, QPoint globalPos);
    void followPointer(QPoint globalPos);

    QWidget *m_window;
    int m_margin;
    // Resizing by hand where the window system does not do it.
    Qt::Edges m_edges;
    QRect m_startGeometry;
    QPoint m_startPos;
};

} // namespace ui
