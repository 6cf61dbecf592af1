// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/controls/labelled_input.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace ui {
namespace {

// The input's picture button: one image at rest, another while pressed.
class PictureButton : public QAbstractButton
{
public:
    PictureButton(const QString &normal, const QString &pressed, QWidget *parent)
        : QAbstractButton(parent)
        , m_normal(normal)
        , m_pressed(pressed)
    {
        setFocusPolicy(Qt::NoFocus);
        setCursor(Qt::ArrowCursor);
    }

    QSize sizeHint() const override { return {18, 18}; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const QRect target((width() - 16) / 2, (height() - 16) / 2, 16, 16);
        (isDown() ? m_pressed : m_normal).paint(&p, target);
    }

private:
    QIcon m_normal;
    QIcon m_pressed;
};

} // namespace

LabelledInput::LabelledInput(const QString &caption, const QString &normalImage,
                             const QString &pressedImage, QWidget *parent)
    : QWidget(parent)
    , m_descriptiveText(caption)
{
    const QFont font = style::songFont();
    setFont(font);
    setMouseTracking(true);

    m_caption = new QLabel(caption, this);
    m_caption->setFont(font);
    m_caption->setMouseTracking(true);

    m_field = new QLineEdit(this);
    m_field->setFrame(false);
    m_field->setFont(font);
    m_field->setMaxLength(32767);
    m_field->setAccessibleName(caption);
    m_field->setMouseTracking(true);
    m_caption->setBuddy(m_field);
    setFocusProxy(m_field);

    m_button = new PictureButton(normalImage, pressedImage, this);
    m_button->setToolTip(QStringLiteral("查询"));
    m_button->setAccessibleName(QStringLiteral("查询"));
    m_button->setMouseTracking(true);

    connect(m_field, &QLineEdit::textEdited, this, [this] { emit textEdited(); });
    connect(m_field, &QLineEdit::returnPressed, this, &LabelledInput::confirmed);
    connect(m_button, &QAbstractButton::clicked, this, &LabelledInput::confirmed);
    for (QWidget *child : {static_cast<QWidget *>(m_caption), static_cast<QWidget *>(m_field),
                           static_cast<QWidget *>(m_button)})
        child->installEventFilter(this);
}

QString LabelledInput::text() const
{
    return m_field->text();
}

void LabelledInput::setText(const QString &text)
{
    m_field->setText(text);
}

void LabelledInput::setColor(const QColor &color)
{
    m_color = color;
    update();
}

bool LabelledInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseMove) {
        emit mouseMoved();
    } else if (watched == m_field && event->type() == QEvent::FocusOut) {
        // Switching to another program, or a menu popping up, is not leaving the input.
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            emit focusLost();
    }
    return QWidget::eventFilter(watched, event);
}

void LabelledInput::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMoved();
    QWidget::mouseMoveEvent(event);
}

void LabelledInput::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_color);
    // The field sits in a white well with a thin inset edge.
    const QRect well = m_field->geometry().adjusted(-2, -2, m_button->width() + 3, 1);
    p.fillRect(well, Qt::white);
    p.setPen(style::kBorderColor);
    p.drawRect(well.adjusted(0, 0, -1, -1));
}

void LabelledInput::resizeEvent(QResizeEvent *)
{
    const int captionWidth = m_caption->sizeHint().width() + 4;
    m_caption->setGeometry(2, 0, captionWidth, height());
    const int button = std::min(height() - 2, 18);
    const int fieldLeft = captionWidth + 6;
    const int fieldWidth = std::max(width() - fieldLeft - button - 5, 0);
    m_field->setGeometry(fieldLeft, 2, fieldWidth, height() - 3);
    m_button->setGeometry(fieldLeft + fieldWidth + 1, (height() - button) / 2, button, button);
}

} // namespace ui
