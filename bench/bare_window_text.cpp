// SPDX-License-Identifier: GPL-3.0-or-later
// A second yardstick for start-up figures: the bare window with one line of Chinese text
// in the program's Song-style face, so that the cost of the CJK font shows on both sides.

#include "face/face.h"
#include "ui/style.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    face::substituteFonts();
    QLabel window(QStringLiteral("请输入梦境关键字，系统将会显示相关的分析资料和相关的参考关键字。"));
    window.setFont(ui::style::songFont());
    window.setWindowTitle(QStringLiteral("梦鉴"));
    window.resize(471, 391);
    window.show();
    return app.exec();
}
