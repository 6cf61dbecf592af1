// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace ui {

// The result label: shows its caption wrapped at its width. The caption is kept exactly as
// given (line breaks "\r\n" included), since the result report copies it; on screen each
// "\r\n" is one line break.
class ResultLabel : public QLabel
{
    Q_OBJECT

public:
    explicit ResultLabel(QWidget *parent = nullptr);

    void setCaption(const QString &caption);
    QString caption() const { return m_caption; }

private:
    QString m_caption;
};

} // namespace ui
