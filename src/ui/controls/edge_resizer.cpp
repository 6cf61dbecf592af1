// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/edge_resizer.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace ui {

EdgeResizer::EdgeResizer(QWidget *window, int margin)
    : QObject(window)
    , m_window(window)
    , m_margin(margin)
{
    m_window->setMouseTracking(true);
    m_window->installEventFilter(this);
}

void EdgeResizer::watch(QWidget *child)
{
    child->setMouseTracking(true);
    child->installEventFilter(this);
}

Qt::Edges EdgeResizer::edgesAt(QPoint pos) const
{
    if (m_window->isMaximized() || m_window->isFullScreen())
        return {};
    Qt::Edges edges;
    if (pos.x() < m_margin)
        edges |= Qt::LeftEdge;
    if (pos.x() >= m_window->width() - m_margin)
        edges |= Qt::RightEdge;
    if (pos.y() < m_margin)
        edges |= Qt::TopEdge;
    if (pos.y() >= m_window->height() - m_margin)
        edges |= Qt::BottomEdge;
    return edges;
}

Qt::CursorShape EdgeResizer::cursorFor(Qt::Edges edges)
{
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        // Top-left and bottom-right resize along the main diagonal (↖↘).
        const bool mainDiagonal = bool(edges & Qt::LeftEdge) == bool(edges & Qt::TopEdge);
        return mainDiagonal ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::ArrowCursor;
}

bool EdgeResizer::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: break;
    default: return false;
    }
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (watched == m_window)
        return windowMouseEvent(mouse);
    return childMouseEvent(static_cast<QWidget *>(watched), mouse);
}

bool EdgeResizer::windowMouseEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    switch (event->type()) {
    case QEvent::MouseMove:
        if (m_edges && (event->buttons() & Qt::LeftButton)) {
            followPointer(event->globalPosition().toPoint());
            return true;
        }
        // Over a child the child's own pointer shows; the window's only on its bare surface.
        if (m_window->childAt(pos) == nullptr)
            m_window->setCursor(cursorFor(edgesAt(pos)));
        return false;
    case QEvent::MouseButtonPress: {
        const Qt::Edges edges = edgesAt(pos);
        if (event->button() != Qt::LeftButton || !edges)
            return false;
        startResize(edges, event->globalPosition().toPoint());
        return true;
    }
    default:
        m_edges = {};
        if (QWidget::mouseGrabber() == m_window)
            m_window->releaseMouse();
        return false;
    }
}

bool EdgeResizer::childMouseEvent(QWidget *child, QMouseEvent *event)
{
    const QPoint pos = child->mapTo(m_window, event->position().toPoint());
    const Qt::Edges edges = edgesAt(pos);
    if (event->type() == QEvent::MouseMove && !(event->buttons() & Qt::LeftButton))
        child->setCursor(cursorFor(edges));
    if (event->type() == QEvent::MouseButtonPress && edges && event->button() == Qt::LeftButton) {
        startResize(edges, event->globalPosition().toPoint());
        return true;
    }
    return false;
}

void EdgeResizer::startResize(Qt::Edges edges, QPoint globalPos)
{
    if (m_window->windowHandle() && m_window->windowHandle()->startSystemResize(edges))
        return;
    m_edges = edges;
    m_startGeometry = m_window->geometry();
    m_startPos = globalPos;
    m_window->grabMouse();
}

void EdgeResizer::followPointer(QPoint globalPos)
{
    const QPoint delta = globalPos - m_startPos;
    QRect r = m_startGeometry;
    if (m_edges & Qt::LeftEdge)
        r.setLeft(std::min(r.left() + delta.x(), r.right() - m_window->minimumWidth()));
    if (m_edges & Qt::RightEdge)
        r.setRight(r.right() + delta.x());
    if (m_edges & Qt::TopEdge)
        r.setTop(std::min(r.top() + delta.y(), r.bottom() - m_window->minimumHeight()));
    if (m_edges & Qt::BottomEdge)
        r.setBottom(r.bottom() + delta.y());
    m_window->setGeometry(r);
}

} // namespace ui
