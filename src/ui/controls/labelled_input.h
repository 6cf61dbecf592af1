// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/style.h"

#include <QColor>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QLineEdit;

namespace ui {

// A caption, a borderless text field and a picture button in one row.
//
// textEdited() follows every change the user makes to the text (typing, pasting,
// deleting, undo) and never a change the program makes with setText(). confirmed()
// follows a click on the picture button and the Enter key. focusLost() follows the
// keyboard focus leaving the field for another control of the window (not the window
// losing activation). mouseMoved() follows the pointer moving over any part of it.
class LabelledInput : public QWidget
{
    Q_OBJECT

public:
    LabelledInput(const QString &caption, const QString &normalImage, const QString &pressedImage,
                  QWidget *parent = nullptr);

    QString text() const;
    void setText(const QString &text);

    // The text the window shows in its status bar while the pointer is over the input.
    QString descriptiveText() const { return m_descriptiveText; }

    void setColor(const QColor &color);
    QColor color() const { return m_color; }

    QLineEdit *field() const { return m_field; }
    QAbstractButton *confirmButton() const { return m_button; }

signals:
    void textEdited();
    void focusLost();
    void confirmed();
    void mouseMoved();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QLabel *m_caption = nullptr;
    QLineEdit *m_field = nullptr;
    QAbstractButton *m_button = nullptr;
    QString m_descriptiveText;
    QColor m_color = style::kPanelColor;
};

} // namespace ui
