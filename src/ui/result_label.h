// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace ui {

// The result label: shows its caption wrapped at its width. The caption is kept exactly as
// given (line breaks "\r\n" included), since the result report copies it; on screen each
// "\r\n" is one line break.
//
// The keyboard reaches it with Tab (a click still takes the focus, as for selecting text);
// it then draws a focus frame, reports focused(), and a screen reader reads its text, which
// is its accessible name.
class ResultLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ResultLabel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

signals:
    void focused();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_caption;
};

} // namespace ui
