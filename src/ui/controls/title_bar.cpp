// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/title_bar.h"

#include <QAbstractButton>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace ui {
namespace {

enum class Glyph { Minimize, Maximize, Restore, About };

// A small flat button of the title bar, its symbol drawn in the title's text colour.
class TitleButton : public QAbstractButton
{
public:
    TitleButton(Glyph glyph, const QString &name, QWidget *parent)
        : QAbstractButton(parent)
        , m_glyph(glyph)
    {
        setFocusPolicy(Qt::NoFocus);
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
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
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
    QWindow *handle = window()->windowHandle();
    // The window system moves the window where it can (it knows about snapping and
    // other screens); where it refuses, the window follows the pointer by hand.
    if (handle && !window()->isMaximized() && handle->startSystemMove()) {
        event->accept();
        return;
    }
    m_movingByHand = !window()->isMaximized();
    m_grabOffset = event->globalPosition().toPoint() - window()->frameGeometry().topLeft();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent *event)
{
    if (m_movingByHand && (event->buttons() & Qt::LeftButton))
        window()->move(event->globalPosition().toPoint() - m_grabOffset);
    QWidget::mouseMoveEvent(event);
}

void TitleBar::mouseReleaseEvent(QMouseEvent *event)
{
    m_movingByHand = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        toggleMaximized();
}

} // namespace ui
