// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/title_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QWindow>

#include <xcb/xcb.h>

namespace ui {
namespace {

enum class Glyph { Minimize, Maximize, Restore, About };

// A small flat button of the title bar, its symbol drawn in the title's text colour. The
// keyboard reaches it with Tab (a click leaves the focus where it is) and presses it with
// Space or Enter.
class TitleButton : public QAbstractButton
{
public:
    TitleButton(Glyph glyph, const QString &name, QWidget *parent)
        : QAbstractButton(parent)
        , m_glyph(glyph)
    {
        setFocusPolicy(Qt::TabFocus);
        setToolTip(name);
        setAccessibleName(name);
        setCursor(Qt::ArrowCursor);
        setAttribute(Qt::WA_Hover);
    }

    void setGlyph(Glyph glyph)
    {
        m_glyph = glyph;
        update();
    }
    QSize sizeHint() const override { return {19, 17}; }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            event->accept();
            click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }

    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        if (hasFocus()) {
            QStyleOptionFocusRect option;
            option.initFrom(this);
            style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
        }
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        if (isDown() || underMouse()) {
            p.setPen(style::kBorderColor);
            p.setBrush(isDown() ? style::kTitleButtonDown : style::kTitleButtonHover);
            p.drawRoundedRect(r, 2, 2);
        }
        QPen pen(style::kTitleTextColor, 1.4);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QPointF c = r.center();
        switch (m_glyph) {
        case Glyph::Minimize:
            p.drawLine(QPointF(c.x() - 4, c.y() + 3), QPointF(c.x() + 4, c.y() + 3));
            break;
        case Glyph::Maximize:
            p.drawRect(QRectF(c.x() - 4, c.y() - 4, 8, 7));
            p.drawLine(QPointF(c.x() - 4, c.y() - 3), QPointF(c.x() + 4, c.y() - 3));
            break;
        case Glyph::Restore:
            p.drawRect(QRectF(c.x() - 4, c.y() - 1, 6, 5));
            p.drawPolyline(QPolygonF{{c.x() - 2, c.y() - 1},
                                     {c.x() - 2, c.y() - 4},
                                     {c.x() + 4, c.y() - 4},
                                     {c.x() + 4, c.y() + 1},
                                     {c.x() + 2, c.y() + 1}});
            break;
        case Glyph::About: {
            QFont f = font();
            f.setBold(true);
            f.setPixelSize(12);
            p.setFont(f);
            p.drawText(rect(), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        }
    }

private:
    Glyph m_glyph;
};

// An X window manager moves a window by the pointer's travel from the moment it takes a
// move over, so the window first catches up with the pointer there, or it would lag by the
// drag distance. The catching up goes to the X server alone: the move request names the
// pointer by the window's place as Qt knows it, which must still be the place of the last
// pointer event. A Wayland compositor measures from the press itself. False only where the
// window system cannot be asked.
bool moveOnXServer(QWindow *window, QPoint corner)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return QGuiApplication::platformName().startsWith(QLatin1StringView("wayland"));
    const qreal scale = window->devicePixelRatio();
    // The protocol's coordinates are 16-bit signed values carried in 32-bit fields.
    const uint32_t values[] = {static_cast<uint32_t>(qRound(corner.x() * scale)),
                               static_cast<uint32_t>(qRound(corner.y() * scale))};
    xcb_configure_window(x11->connection(), static_cast<xcb_window_t>(window->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    return true;
}

} // namespace

TitleBar::TitleBar(QWidget *parent)
    : QWidget(parent)
{
    setFont(style::captionFont());
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setAccessibleName(QStringLiteral("标题栏"));
    m_minimize = new TitleButton(Glyph::Minimize, QStringLiteral("最小化"), this);
    m_maximize = new TitleButton(Glyph::Maximize, QStringLiteral("最大化"), this);
    m_about = new TitleButton(Glyph::About, QStringLiteral("关于"), this);
    connect(m_minimize, &QAbstractButton::clicked, this, [this] { window()->showMinimized(); });
    connect(m_maximize, &QAbstractButton::clicked, this, &TitleBar::toggleMaximized);
    connect(m_about, &QAbstractButton::clicked, this, &TitleBar::aboutRequested);
    window()->installEventFilter(this);
}

void TitleBar::setCaption(const QString &caption)
{
    m_caption = caption;
    setAccessibleDescription(caption);
    update();
}

void TitleBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, m_color.lighter(106));
    fill.setColorAt(1, m_color);
    p.fillRect(rect(), fill);
    p.setPen(style::kBorderColor);
    p.drawLine(0, height() - 1, width(), height() - 1);
    p.setPen(m_textColor);
    const int buttonsLeft = m_minimize->x();
    const QRect textRect(6, 0, std::max(buttonsLeft - 10, 0), height());
    p.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
               fontMetrics().elidedText(m_caption, Qt::ElideRight, textRect.width()));
}

void TitleBar::resizeEvent(QResizeEvent *)
{
    const QSize button = m_minimize->sizeHint();
    const int top = (height() - button.height()) / 2;
    int x = width() - 4 - button.width();
    for (QAbstractButton *b : {m_about, m_maximize, m_minimize}) {
        b->setGeometry(x, top, button.width(), button.height());
        x -= button.width() + 2;
    }
}

bool TitleBar::event(QEvent *event)
{
    if (event->type() == QEvent::Show)
        updateMaximizeButton();
    return QWidget::event(event);
}

bool TitleBar::eventFilter(QObject *watched, QEvent *event)
{
    // The window system may maximise or restore the window itself (a keyboard shortcut, a
    // drag to the screen's edge); the button follows the window's state.
    if (watched == window() && event->type() == QEvent::WindowStateChange)
        updateMaximizeButton();
    return QWidget::eventFilter(watched, event);
}

void TitleBar::updateMaximizeButton()
{
    const bool maximized = window()->isMaximized();
    static_cast<TitleButton *>(m_maximize)->setGlyph(maximized ? Glyph::Restore : Glyph::Maximize);
    const QString name = maximized ? QStringLiteral("还原") : QStringLiteral("最大化");
    m_maximize->setToolTip(name);
    m_maximize->setAccessibleName(name);
}

void TitleBar::toggleMaximized()
{
    QWidget *w = window();
    if (w->isMaximized())
        w->showNormal();
    else
        w->showMaximized();
}

void TitleBar::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // Nothing moves yet: a press may be the first half of a double-click, which a move
    // started by the window system would swallow.
    m_dragState = window()->isMaximized() ? DragState::None : DragState::Pressed;
    m_grabOffset = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (!(event->buttons() & Qt::LeftButton) || m_dragState == DragState::None)
        return QWidget::mouseMoveEvent(event);
    QWidget *w = window();
    const QPoint pointer = event->globalPosition().toPoint();
    const QPoint corner = pointer - m_grabOffset;
    if (m_dragState == DragState::Pressed) {
        const QPoint travelled = corner - w->frameGeometry().topLeft();
        if (travelled.manhattanLength() < QApplication::startDragDistance())
            return;
        // The window system moves the window where it can (it knows about snapping and
        // other screens); where it refuses, the window follows the pointer by hand.
        QWindow *handle = w->windowHandle();
        if (handle && moveOnXServer(handle, corner) && handle->startSystemMove()) {
            m_dragState = DragState::None;
        } else {
            m_dragState = DragState::ByHand;
            w->move(corner);
        }
    } else {
        w->move(corner);
    }
    event->accept();
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragState = DragState::None;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    m_dragState = DragState::None;
    toggleMaximized();
}

} // namespace ui
